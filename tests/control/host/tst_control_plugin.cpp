// The component as a host sees it: the library loaded by path, instances
// created by class identifier, every member driven by its name.
#include "ControlHost.h"

#include <QMetaMethod>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

namespace {

QVariant Get(QObject *o, const char *name) {
    return o->property(name);
}

// Calls a method by name and returns its result.
template <class T, class... Args> T Call(QObject *o, const char *name, Args... args) {
    T r{};
    if (!QMetaObject::invokeMethod(o, name, Qt::DirectConnection,
                                   QReturnArgument<T>(QMetaType::fromType<T>().name(), r),
                                   args...))
        qWarning("call failed: %s", name);
    return r;
}
#define CALL(type, o, ...) Call<type>(o, __VA_ARGS__)

} // namespace

class TestControlPlugin : public QObject {
    Q_OBJECT

    QString library() const {
        return qEnvironmentVariable("CORVEL_BIN_DIR") + "/libCorvelControl.so";
    }

private slots:
    void initTestCase() { corvel::SetControlLibraryPath(library()); }

    void createsByIdentifier() {
        QString error;
        std::unique_ptr<QWidget> w(
            corvel::CreateControl("CorvelControl.CorvelEdit", nullptr, &error));
        QVERIFY2(w, qPrintable(error));
        QVERIFY(corvel::AsCorvelEdit(w.get()));
        QCOMPARE(w->metaObject()->className(), "CorvelEdit");
        QVERIFY(w->findChild<QWidget *>("HTML"));
        QVERIFY(!corvel::CreateControl("CorvelControl.Outro", nullptr, &error));
        QVERIFY(!error.isEmpty());
        ICorvelEdit *ed = corvel::CreateCorvelEdit(nullptr, &error);
        QVERIFY(ed);
        delete ed->widget();
    }

    void missingLibraryIsCreationFailure() {
        corvel::SetControlLibraryPath("/nonexistent/libCorvelControl.so");
        QString error;
        QVERIFY(!corvel::CreateCorvelEdit(nullptr, &error));
        QVERIFY(!error.isEmpty());
        corvel::SetControlLibraryPath(library());
    }

    void everyMemberHasItsName() {
        std::unique_ptr<QWidget> w(corvel::CreateControl("CorvelControl.CorvelEdit", nullptr));
        QVERIFY(w);
        const QMetaObject *mo = w->metaObject();
        const QStringList methods = {
            "UpdatePos",       "Foco",        "Gravar",        "GravarTemporario", "Ler",
            "LerTemporario",   "IrParaLinha", "Procurar",      "ProcurarRegExp",   "Substituir",
            "SubstituirTodos", "Desfazer",    "IniciarEdicao", "TerminarEdicao",   "ContarLinhas",
            "PodeDesfazer",    "UltimoErro"};
        QSet<QString> invokable;
        for (int i = 0; i < mo->methodCount(); ++i)
            invokable.insert(QString(mo->method(i).name()));
        for (const QString &m : methods)
            QVERIFY2(invokable.contains(m), qPrintable(m));
        const QStringList writable = {"CorTexto",
                                      "CorFundo",
                                      "Negrito",
                                      "Italico",
                                      "FonteNome",
                                      "FonteTamanho",
                                      "TabTexto",
                                      "QuebrarLinha",
                                      "Texto",
                                      "TextoRTF",
                                      "Arquivo",
                                      "ArquivoTemporario",
                                      "DiretorioTemporario",
                                      "Gravado",
                                      "Alterado",
                                      "Travar",
                                      "Visivel",
                                      "SelCorTexto",
                                      "SelNegrito",
                                      "SelItalico",
                                      "SelFonteNome",
                                      "SelFonteTamanho",
                                      "SelTexto",
                                      "SelInicio",
                                      "SelTamanho",
                                      "RolagemVertical",
                                      "RolagemHorizontal",
                                      "Sobrescrever",
                                      "Redesenhar",
                                      "SelTextoRTF"};
        const QStringList readOnly = {
            "Tamanho", "UltimaGravacao", "DataArquivo",  "TamanhoArquivo", "Linha",
            "Coluna",  "Hwnd",           "ContarLinhas", "PodeDesfazer",   "UltimoErro"};
        for (const QString &p : writable + readOnly) {
            const int i = mo->indexOfProperty(qPrintable(p));
            QVERIFY2(i >= 0, qPrintable(p));
            QVERIFY2(mo->property(i).isReadable(), qPrintable(p));
            if (writable.contains(p)) QVERIFY2(mo->property(i).isWritable(), qPrintable(p));
        }
    }

    void drivenByName() {
        std::unique_ptr<QWidget> w(corvel::CreateControl("CorvelControl.CorvelEdit", nullptr));
        QObject *o = w.get();
        w->resize(400, 300);
        w->show();
        QCOMPARE(Get(o, "Linha").toString(), QString("1"));
        QCOMPARE(Get(o, "Gravado").toBool(), true);
        QCOMPARE(Get(o, "Tamanho").toDouble(), 0.0);
        QVERIFY(o->setProperty("Texto", "abc\ndef"));
        QCOMPARE(Get(o, "Texto").toString(), QString("abc\r\ndef"));
        QCOMPARE(Get(o, "Tamanho").toInt(), 8);
        QCOMPARE(Get(o, "Gravado").toBool(), false);
        // Numbers of any kind convert, as a scripting host passes them.
        QVERIFY(o->setProperty("SelInicio", 5.0));
        QVERIFY(o->setProperty("SelTamanho", qint64(3)));
        QCOMPARE(Get(o, "SelTexto").toString(), QString("def"));
        QVERIFY(o->setProperty("SelCorTexto", 255.0));
        QCOMPARE(Get(o, "SelCorTexto").toInt(), 255);
        QVERIFY(o->setProperty("FonteTamanho", 12.0));
        QCOMPARE(Get(o, "FonteTamanho").toInt(), 12);
        QVERIFY(o->setProperty("QuebrarLinha", true));
        QCOMPARE(Get(o, "QuebrarLinha").toBool(), true);
        QVERIFY(o->setProperty("QuebrarLinha", false));
        QCOMPARE(Get(o, "QuebrarLinha").toBool(), false);

        o->setProperty("SelInicio", 0);
        QVERIFY(CALL(bool, o, "Procurar", Q_ARG(QString, "DEF")));
        QCOMPARE(Get(o, "SelInicio").toInt(), 5);
        QVERIFY(CALL(bool, o, "Procurar", Q_ARG(QString, "abc"), Q_ARG(bool, true),
                     Q_ARG(bool, false)) == false);
        // Invalid pattern: false, and UltimoErro tells it from "not found".
        QVERIFY(!CALL(bool, o, "ProcurarRegExp", Q_ARG(QString, "[")));
        QVERIFY(!Get(o, "UltimoErro").toString().isEmpty());
        o->setProperty("SelInicio", 0);
        QVERIFY(!CALL(bool, o, "ProcurarRegExp", Q_ARG(QString, "zzz"), Q_ARG(bool, false)));
        QVERIFY(Get(o, "UltimoErro").toString().isEmpty());
        o->setProperty("SelInicio", 0);
        // Nothing selected: only finds; then replaces the found one.
        QVERIFY(CALL(bool, o, "Substituir", Q_ARG(QString, "abc"), Q_ARG(QString, "x")));
        QVERIFY(!CALL(bool, o, "Substituir", Q_ARG(QString, "abc"), Q_ARG(QString, "x")));
        QVERIFY(QMetaObject::invokeMethod(o, "SubstituirTodos", Q_ARG(QString, "e"),
                                          Q_ARG(QString, "E")));
        QCOMPARE(Get(o, "Texto").toString(), QString("x\r\ndEf"));
        QVERIFY(QMetaObject::invokeMethod(o, "IrParaLinha", Q_ARG(int, 2)));
        QVERIFY(QMetaObject::invokeMethod(o, "UpdatePos"));
        QCOMPARE(Get(o, "Linha").toString(), QString("2"));
        QCOMPARE(Get(o, "Coluna").toString(), QString("1"));
        QCOMPARE(CALL(int, o, "ContarLinhas"), 2);

        QTemporaryDir dir;
        const QString file = dir.filePath("p.html");
        QCOMPARE(CALL(QString, o, "Gravar", Q_ARG(QString, file)), QString());
        QCOMPARE(Get(o, "Gravado").toBool(), true);
        QCOMPARE(Get(o, "Arquivo").toString(), file);
        QCOMPARE(Get(o, "TamanhoArquivo").toString(), QString("6"));
        QVERIFY(!CALL(QString, o, "Gravar", Q_ARG(QString, dir.filePath("no/such/f"))).isEmpty());
        QCOMPARE(Get(o, "Gravado").toBool(), false);
        o->setProperty("Texto", "");
        QCOMPARE(CALL(QString, o, "Ler", Q_ARG(QString, file)), QString());
        QCOMPARE(Get(o, "Texto").toString(), QString("x\r\ndEf"));

        o->setProperty("DiretorioTemporario", dir.path());
        QCOMPARE(Get(o, "DiretorioTemporario").toString(), dir.path() + "/");
        QVERIFY(QMetaObject::invokeMethod(o, "GravarTemporario"));
        const QString temp = Get(o, "ArquivoTemporario").toString();
        QVERIFY(temp.endsWith(".ctm"));
        o->setProperty("Texto", "");
        QVERIFY(QMetaObject::invokeMethod(o, "LerTemporario", Q_ARG(QString, temp)));
        QCOMPARE(Get(o, "Texto").toString(), QString("x\r\ndEf"));
        const QString rtf = Get(o, "TextoRTF").toString();
        QVERIFY(rtf.startsWith("{\\rtf"));
        QVERIFY(o->setProperty("TextoRTF", rtf));
        QCOMPARE(Get(o, "Texto").toString(), QString("x\r\ndEf"));
        QVERIFY(Get(o, "Hwnd").toLongLong() != 0);
        QVERIFY(o->setProperty("Visivel", false));
        QCOMPARE(Get(o, "Visivel").toBool(), false);
        QVERIFY(QMetaObject::invokeMethod(o, "Foco"));
    }
};

QTEST_MAIN(TestControlPlugin)
#include "tst_control_plugin.moc"
