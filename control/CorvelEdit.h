#pragma once
// CorvelEdit: the text-editing component. One editing surface "HTML" filling
// the widget, plus the state of the document's file. Every member is reachable
// by name (Qt properties and invokable methods) and through ICorvelEdit.
#include "TextCodec.h"
#include "corvel/ICorvelEdit.h"

#include <QRandomGenerator>
#include <QTextCursor>
#include <QWidget>

class EditSurface;
namespace corvel::rtf {
struct Document;
}
class QKeyEvent;
class QTextDocument;

class CorvelEdit : public QWidget, public ICorvelEdit {
    Q_OBJECT
    Q_INTERFACES(ICorvelEdit)

    Q_PROPERTY(int CorTexto READ CorTexto WRITE setCorTexto)
    Q_PROPERTY(int CorFundo READ CorFundo WRITE setCorFundo)
    Q_PROPERTY(bool Negrito READ Negrito WRITE setNegrito)
    Q_PROPERTY(bool Italico READ Italico WRITE setItalico)
    Q_PROPERTY(QString FonteNome READ FonteNome WRITE setFonteNome)
    Q_PROPERTY(int FonteTamanho READ FonteTamanho WRITE setFonteTamanho)
    Q_PROPERTY(QString TabTexto READ TabTexto WRITE setTabTexto)
    Q_PROPERTY(bool QuebrarLinha READ QuebrarLinha WRITE setQuebrarLinha)
    Q_PROPERTY(QString Texto READ Texto WRITE setTexto)
    Q_PROPERTY(QString TextoRTF READ TextoRTF WRITE setTextoRTF)
    Q_PROPERTY(QString Arquivo READ Arquivo WRITE setArquivo)
    Q_PROPERTY(int Tamanho READ Tamanho)
    Q_PROPERTY(QString ArquivoTemporario READ ArquivoTemporario WRITE setArquivoTemporario)
    Q_PROPERTY(QString DiretorioTemporario READ DiretorioTemporario WRITE setDiretorioTemporario)
    Q_PROPERTY(bool Gravado READ Gravado WRITE setGravado)
    Q_PROPERTY(bool Alterado READ Alterado WRITE setAlterado)
    Q_PROPERTY(QString UltimaGravacao READ UltimaGravacao)
    Q_PROPERTY(QString DataArquivo READ DataArquivo)
    Q_PROPERTY(QString TamanhoArquivo READ TamanhoArquivo)
    Q_PROPERTY(QString Linha READ Linha)
    Q_PROPERTY(QString Coluna READ Coluna)
    Q_PROPERTY(qint64 Hwnd READ Hwnd)
    Q_PROPERTY(bool Travar READ Travar WRITE setTravar)
    Q_PROPERTY(bool Visivel READ Visivel WRITE setVisivel)
    Q_PROPERTY(int SelCorTexto READ SelCorTexto WRITE setSelCorTexto)
    Q_PROPERTY(bool SelNegrito READ SelNegrito WRITE setSelNegrito)
    Q_PROPERTY(bool SelItalico READ SelItalico WRITE setSelItalico)
    Q_PROPERTY(QString SelFonteNome READ SelFonteNome WRITE setSelFonteNome)
    Q_PROPERTY(int SelFonteTamanho READ SelFonteTamanho WRITE setSelFonteTamanho)
    Q_PROPERTY(QString SelTexto READ SelTexto WRITE setSelTexto)
    Q_PROPERTY(int SelInicio READ SelInicio WRITE setSelInicio)
    Q_PROPERTY(int SelTamanho READ SelTamanho WRITE setSelTamanho)
    // Further members (what a host would otherwise ask the window for).
    Q_PROPERTY(int ContarLinhas READ ContarLinhas)
    Q_PROPERTY(int RolagemVertical READ RolagemVertical WRITE setRolagemVertical)
    Q_PROPERTY(int RolagemHorizontal READ RolagemHorizontal WRITE setRolagemHorizontal)
    Q_PROPERTY(bool PodeDesfazer READ PodeDesfazer)
    Q_PROPERTY(bool Sobrescrever READ Sobrescrever WRITE setSobrescrever)
    Q_PROPERTY(bool Redesenhar READ Redesenhar WRITE setRedesenhar)
    Q_PROPERTY(QString SelTextoRTF READ SelTextoRTF WRITE setSelTextoRTF)
    Q_PROPERTY(QString UltimoErro READ UltimoErro)

public:
    explicit CorvelEdit(QWidget *parent = nullptr);
    ~CorvelEdit() override;

    Q_INVOKABLE void UpdatePos() override;
    Q_INVOKABLE void Foco() override;
    int CorTexto() const override;
    void setCorTexto(int rgb) override;
    int CorFundo() const override;
    void setCorFundo(int rgb) override;
    bool Negrito() const override;
    void setNegrito(bool on) override;
    bool Italico() const override;
    void setItalico(bool on) override;
    QString FonteNome() const override;
    void setFonteNome(const QString &face) override;
    int FonteTamanho() const override;
    void setFonteTamanho(int points) override;
    QString TabTexto() const override;
    void setTabTexto(const QString &text) override;
    bool QuebrarLinha() const override;
    void setQuebrarLinha(bool noWrap) override;
    QString Texto() const override;
    void setTexto(const QString &text) override;
    QString TextoRTF() const override;
    void setTextoRTF(const QString &rtf) override;
    QString Arquivo() const override;
    void setArquivo(const QString &path) override;
    int Tamanho() const override;
    QString ArquivoTemporario() const override;
    void setArquivoTemporario(const QString &name) override;
    QString DiretorioTemporario() const override;
    void setDiretorioTemporario(const QString &folder) override;
    bool Gravado() const override;
    void setGravado(bool on) override;
    bool Alterado() const override;
    void setAlterado(bool on) override;
    QString UltimaGravacao() const override;
    QString DataArquivo() const override;
    QString TamanhoArquivo() const override;
    QString Linha() const override;
    QString Coluna() const override;
    qint64 Hwnd() const override;
    bool Travar() const override;
    void setTravar(bool on) override;
    bool Visivel() const override;
    void setVisivel(bool on) override;
    int SelCorTexto() const override;
    void setSelCorTexto(int rgb) override;
    bool SelNegrito() const override;
    void setSelNegrito(bool on) override;
    bool SelItalico() const override;
    void setSelItalico(bool on) override;
    QString SelFonteNome() const override;
    void setSelFonteNome(const QString &face) override;
    int SelFonteTamanho() const override;
    void setSelFonteTamanho(int points) override;
    QString SelTexto() const override;
    void setSelTexto(const QString &text) override;
    int SelInicio() const override;
    void setSelInicio(int pos) override;
    int SelTamanho() const override;
    void setSelTamanho(int len) override;
    Q_INVOKABLE QString Gravar(const QString &path) override;
    Q_INVOKABLE void GravarTemporario() override;
    Q_INVOKABLE QString Ler(const QString &path) override;
    Q_INVOKABLE void LerTemporario(const QString &name) override;
    Q_INVOKABLE void IrParaLinha(int line) override;
    Q_INVOKABLE bool Procurar(const QString &text, bool matchCase = false,
                              bool wholeWord = false) override;
    Q_INVOKABLE bool ProcurarRegExp(const QString &pattern, bool ignoreCase = true) override;
    Q_INVOKABLE bool Substituir(const QString &text, const QString &replacement,
                                bool matchCase = false, bool wholeWord = false) override;
    Q_INVOKABLE void SubstituirTodos(const QString &text, const QString &replacement,
                                     bool matchCase = false, bool wholeWord = false) override;

    Q_INVOKABLE int ContarLinhas() const override;
    int RolagemVertical() const override;
    void setRolagemVertical(int v) override;
    int RolagemHorizontal() const override;
    void setRolagemHorizontal(int v) override;
    Q_INVOKABLE void Desfazer() override;
    Q_INVOKABLE bool PodeDesfazer() const override;
    bool Sobrescrever() const override;
    void setSobrescrever(bool on) override;
    bool Redesenhar() const override;
    void setRedesenhar(bool on) override;
    Q_INVOKABLE void IniciarEdicao() override;
    Q_INVOKABLE void TerminarEdicao() override;
    QString SelTextoRTF() const override;
    void setSelTextoRTF(const QString &rtf) override;
    Q_INVOKABLE QString UltimoErro() const override;

    QWidget *widget() override { return this; }

    // The editing surface (tests and the component's own helpers).
    EditSurface *surface() const { return m_surface; }
    // The encoding the next Gravar writes in (the one the file was read in).
    corvel::TextEncoding encoding() const { return m_encoding; }

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    QTextDocument *doc() const;
    bool handleKey(QKeyEvent *e);
    bool handleDisplayBreakKey(int key, bool shift);
    void applyTab(bool shift, bool ctrl, bool alt);
    void onContentsChange(int pos, int removed, int added);
    void textChangedByMember();
    // The text or its formatting changed (any member): caches are stale, and
    // inside an edit group the layout is too.
    void contentChanged();
    // The caret and selection members work on: the surface's own, or while an
    // edit group is open, the group's, which the surface gets when the group
    // ends. Inside a group the document defers its layout to the group's end,
    // and the surface would lay out (stale) lines to show its caret.
    QTextCursor caret() const;
    void setCaret(const QTextCursor &c);
    // Brings the layout up to date inside an edit group before a member reads
    // it (lines, scrolling, showing), keeping the group one undo step.
    void settleLayout() const;
    // Selection in host offsets.
    void selection(int *start, int *length) const;
    void selectHost(int start, int length);
    void replaceSelection(const QString &text);
    QString cachedText() const;
    static constexpr int kTextCacheLimit = 4 * 1024 * 1024;
    QTextCharFormat selectionFormat() const;
    void mergeSelectionFormat(const QTextCharFormat &f);
    void mergeWholeText(const QTextCharFormat &f);
    void loadDocument(const corvel::rtf::Document &d);
    // Layout lines: index of the line holding a document position, the
    // position where a line starts, and how many there are.
    bool wraps() const;
    int lineOfPosition(int docPos, int *lineStart) const;
    void computePos() const;
    int lineStartPosition(int line) const;
    int layoutLineCount() const;

    EditSurface *m_surface = nullptr;
    QString m_tabTexto = QStringLiteral("    ");
    mutable QString m_linha = QStringLiteral("1");
    mutable QString m_coluna = QStringLiteral("1");
    // The caret moved or the text or layout changed since Linha and Coluna
    // were computed; they are brought up to date when next read.
    mutable bool m_posDirty = false;
    QString m_arquivo, m_dataArquivo, m_tamanhoArquivo, m_ultimaGravacao;
    QString m_arquivoTemporario, m_diretorioTemporario;
    QString m_ultimoErro;
    bool m_gravado = true;
    bool m_alterado = false;
    bool m_redesenhar = true;
    int m_corTexto = 0;
    int m_corFundo = 0xFFFFFF;
    int m_formatting = 0; // > 0 while a member changes formatting only
    int m_editDepth = 0;
    // While a group is open: the cursor holding the document's edit block,
    // the group's caret, whether it moved, whether the text changed since the
    // layout was last brought up to date, and the undo steps there were
    // before the group's first change.
    mutable QTextCursor m_editCursor;
    QTextCursor m_groupCaret;
    bool m_groupCaretMoved = false;
    mutable bool m_layoutStale = false;
    int m_groupUndoBase = 0;
    corvel::TextEncoding m_encoding = corvel::TextEncoding::Utf8;
    QRandomGenerator m_random;
    mutable QString m_textCache;
    mutable bool m_textCacheValid = false;
};
