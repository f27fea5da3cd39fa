#pragma once
// A document editor for the command-dialog tests: text and selection only,
// CR LF counted as two characters like the real component.
#include "corvel/ICorvelEdit.h"

class CommandsFakeEditor : public ICorvelEdit {
public:
    QString text, file;
    int selStart = 0, selLen = 0;

    void UpdatePos() override {}
    void Foco() override {}
    int CorTexto() const override { return 0; }
    void setCorTexto(int) override {}
    int CorFundo() const override { return 0xFFFFFF; }
    void setCorFundo(int) override {}
    bool Negrito() const override { return false; }
    void setNegrito(bool) override {}
    bool Italico() const override { return false; }
    void setItalico(bool) override {}
    QString FonteNome() const override { return QString(); }
    void setFonteNome(const QString &) override {}
    int FonteTamanho() const override { return 11; }
    void setFonteTamanho(int) override {}
    QString TabTexto() const override { return QString(); }
    void setTabTexto(const QString &) override {}
    bool QuebrarLinha() const override { return false; }
    void setQuebrarLinha(bool) override {}
    QString Texto() const override { return text; }
    void setTexto(const QString &t) override {
        text = t;
        selStart = selLen = 0;
    }
    QString TextoRTF() const override { return QString(); }
    void setTextoRTF(const QString &) override {}
    QString Arquivo() const override { return file; }
    void setArquivo(const QString &p) override { file = p; }
    int Tamanho() const override { return int(text.size()); }
    QString ArquivoTemporario() const override { return QString(); }
    void setArquivoTemporario(const QString &) override {}
    QString DiretorioTemporario() const override { return QString(); }
    void setDiretorioTemporario(const QString &) override {}
    bool Gravado() const override { return false; }
    void setGravado(bool) override {}
    bool Alterado() const override { return false; }
    void setAlterado(bool) override {}
    QString UltimaGravacao() const override { return QString(); }
    QString DataArquivo() const override { return QString(); }
    QString TamanhoArquivo() const override { return QString(); }
    QString Linha() const override { return QStringLiteral("1"); }
    QString Coluna() const override { return QStringLiteral("1"); }
    qint64 Hwnd() const override { return 0; }
    bool Travar() const override { return false; }
    void setTravar(bool) override {}
    bool Visivel() const override { return true; }
    void setVisivel(bool) override {}
    int SelCorTexto() const override { return 0; }
    void setSelCorTexto(int) override {}
    bool SelNegrito() const override { return false; }
    void setSelNegrito(bool) override {}
    bool SelItalico() const override { return false; }
    void setSelItalico(bool) override {}
    QString SelFonteNome() const override { return QString(); }
    void setSelFonteNome(const QString &) override {}
    int SelFonteTamanho() const override { return 11; }
    void setSelFonteTamanho(int) override {}
    QString SelTexto() const override { return text.mid(selStart, selLen); }
    void setSelTexto(const QString &t) override {
        text.replace(selStart, selLen, t);
        selStart += int(t.size());
        selLen = 0;
    }
    int SelInicio() const override { return selStart; }
    void setSelInicio(int p) override {
        selStart = qBound(0, p, int(text.size()));
        selLen = 0;
    }
    int SelTamanho() const override { return selLen; }
    void setSelTamanho(int n) override { selLen = qBound(0, n, int(text.size()) - selStart); }
    QString Gravar(const QString &) override { return QString(); }
    void GravarTemporario() override {}
    QString Ler(const QString &) override { return QString(); }
    void LerTemporario(const QString &) override {}
    void IrParaLinha(int) override {}
    bool Procurar(const QString &, bool, bool) override { return false; }
    bool ProcurarRegExp(const QString &, bool) override { return false; }
    bool Substituir(const QString &, const QString &, bool, bool) override { return false; }
    void SubstituirTodos(const QString &, const QString &, bool, bool) override {}
    int ContarLinhas() const override { return 1; }
    int RolagemVertical() const override { return 0; }
    void setRolagemVertical(int) override {}
    int RolagemHorizontal() const override { return 0; }
    void setRolagemHorizontal(int) override {}
    void Desfazer() override {}
    bool PodeDesfazer() const override { return false; }
    bool Sobrescrever() const override { return false; }
    void setSobrescrever(bool) override {}
    bool Redesenhar() const override { return true; }
    void setRedesenhar(bool) override {}
    void IniciarEdicao() override {}
    void TerminarEdicao() override {}
    QString SelTextoRTF() const override { return QString(); }
    void setSelTextoRTF(const QString &) override {}
    QString UltimoErro() const override { return QString(); }
    QWidget *widget() override { return nullptr; }
};
