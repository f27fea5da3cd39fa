#pragma once
// The interface of the editor component CorvelEdit as its hosts see it.
//
// Hosts never link the component: they load libCorvelControl.so through
// CorvelControlHost (CreateCorvelEdit) and talk to the instance through this
// abstract class, or by name through Qt properties and invokable methods.
// Positions and lengths count a line break (CR LF) as two characters; the
// text a host reads has CR LF line breaks.
#include <QString>
#include <QtPlugin>

class QWidget;

class ICorvelEdit {
public:
    virtual ~ICorvelEdit() = default;

    // --- members of the component, by their own names -----------------------
    virtual void UpdatePos() = 0;
    virtual void Foco() = 0;
    virtual int CorTexto() const = 0;
    virtual void setCorTexto(int rgb) = 0; // red + 256*green + 65536*blue
    virtual int CorFundo() const = 0;
    virtual void setCorFundo(int rgb) = 0;
    virtual bool Negrito() const = 0;
    virtual void setNegrito(bool on) = 0;
    virtual bool Italico() const = 0;
    virtual void setItalico(bool on) = 0;
    virtual QString FonteNome() const = 0;
    virtual void setFonteNome(const QString &face) = 0;
    virtual int FonteTamanho() const = 0;
    virtual void setFonteTamanho(int points) = 0;
    virtual QString TabTexto() const = 0;
    virtual void setTabTexto(const QString &text) = 0;
    virtual bool QuebrarLinha() const = 0;
    virtual void setQuebrarLinha(bool noWrap) = 0;
    virtual QString Texto() const = 0;
    virtual void setTexto(const QString &text) = 0;
    virtual QString TextoRTF() const = 0;
    virtual void setTextoRTF(const QString &rtf) = 0;
    virtual QString Arquivo() const = 0;
    virtual void setArquivo(const QString &path) = 0;
    virtual int Tamanho() const = 0;
    virtual QString ArquivoTemporario() const = 0;
    virtual void setArquivoTemporario(const QString &name) = 0;
    virtual QString DiretorioTemporario() const = 0;
    virtual void setDiretorioTemporario(const QString &folder) = 0;
    virtual bool Gravado() const = 0;
    virtual void setGravado(bool on) = 0;
    virtual bool Alterado() const = 0;
    virtual void setAlterado(bool on) = 0;
    virtual QString UltimaGravacao() const = 0;
    virtual QString DataArquivo() const = 0;
    virtual QString TamanhoArquivo() const = 0;
    virtual QString Linha() const = 0;
    virtual QString Coluna() const = 0;
    virtual qint64 Hwnd() const = 0;
    virtual bool Travar() const = 0;
    virtual void setTravar(bool on) = 0;
    virtual bool Visivel() const = 0;
    virtual void setVisivel(bool on) = 0;
    virtual int SelCorTexto() const = 0;
    virtual void setSelCorTexto(int rgb) = 0;
    virtual bool SelNegrito() const = 0;
    virtual void setSelNegrito(bool on) = 0;
    virtual bool SelItalico() const = 0;
    virtual void setSelItalico(bool on) = 0;
    virtual QString SelFonteNome() const = 0;
    virtual void setSelFonteNome(const QString &face) = 0;
    virtual int SelFonteTamanho() const = 0;
    virtual void setSelFonteTamanho(int points) = 0;
    virtual QString SelTexto() const = 0;
    virtual void setSelTexto(const QString &text) = 0;
    virtual int SelInicio() const = 0;
    virtual void setSelInicio(int pos) = 0;
    virtual int SelTamanho() const = 0;
    virtual void setSelTamanho(int len) = 0;
    virtual QString Gravar(const QString &path) = 0;
    // Writes the temporary copy; UltimoErro() is "" after a write that
    // reached the disk, else the reason it failed (nothing is written while
    // no folder is set, which is no failure).
    virtual void GravarTemporario() = 0;
    virtual QString Ler(const QString &path) = 0;
    virtual void LerTemporario(const QString &name) = 0;
    virtual void IrParaLinha(int line) = 0;
    virtual bool Procurar(const QString &text, bool matchCase = false, bool wholeWord = false) = 0;
    // Returns false when nothing matches; an invalid pattern also returns
    // false and sets UltimoErro() to the pattern's error text, and a search
    // that stops at the regular-expression work limit returns false with
    // UltimoErro() == corvel::RegexTooComplexText() (selection unchanged).
    virtual bool ProcurarRegExp(const QString &pattern, bool ignoreCase = true) = 0;
    virtual bool Substituir(const QString &text, const QString &replacement, bool matchCase = false,
                            bool wholeWord = false) = 0;
    virtual void SubstituirTodos(const QString &text, const QString &replacement,
                                 bool matchCase = false, bool wholeWord = false) = 0;

    // --- further members: what a host would otherwise do through the window --
    virtual int ContarLinhas() const = 0;    // lines as laid out
    virtual int RolagemVertical() const = 0; // vertical scroll position
    virtual void setRolagemVertical(int v) = 0;
    virtual int RolagemHorizontal() const = 0;
    virtual void setRolagemHorizontal(int v) = 0;
    virtual void Desfazer() = 0; // undo the last edit
    virtual bool PodeDesfazer() const = 0;
    virtual bool Sobrescrever() const = 0; // overwrite mode
    virtual void setSobrescrever(bool on) = 0;
    virtual bool Redesenhar() const = 0; // false freezes drawing
    virtual void setRedesenhar(bool on) = 0;
    virtual void IniciarEdicao() = 0;                    // group the following changes
    virtual void TerminarEdicao() = 0;                   //   into one undoable edit
    virtual QString SelTextoRTF() const = 0;             // the selection as RTF
    virtual void setSelTextoRTF(const QString &rtf) = 0; // replaces the selection
    // The failure of the last ProcurarRegExp (an invalid pattern) or the last
    // GravarTemporario, whichever ran last; "" when it succeeded.
    virtual QString UltimoErro() const = 0;

    // The widget of this instance (the component itself).
    virtual QWidget *widget() = 0;
};

#define ICorvelEdit_iid "org.corvel.ICorvelEdit/1.0"
Q_DECLARE_INTERFACE(ICorvelEdit, ICorvelEdit_iid)

// The factory object that the plugin's instance() returns.
class ICorvelControlFactory {
public:
    virtual ~ICorvelControlFactory() = default;
    // "CorvelControl.CorvelEdit" gives a new CorvelEdit; anything else nullptr.
    virtual QWidget *createInstance(const QString &classId, QWidget *parent) = 0;
};

#define ICorvelControlFactory_iid "org.corvel.ICorvelControlFactory/1.0"
Q_DECLARE_INTERFACE(ICorvelControlFactory, ICorvelControlFactory_iid)
