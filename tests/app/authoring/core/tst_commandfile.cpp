#include "CommandFile.h"
#include "CommandResult.h"
#include "Folders.h"
#include "IniFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;

namespace {

const char *kHead = "[Comando]\nComando=IMG\nTitulo=Imagem\nDescricao=Insere imagem\nBloco=NAO\n";

} // namespace

class tst_commandfile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_n = 0;

    QString write(const QByteArray &text) {
        const QString path = m_dir.filePath(QStringLiteral("f%1.tpc").arg(++m_n));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return path;
    }
    QString validate(const QByteArray &text) {
        const QString path = write(text);
        return ValidateCommandFile(path, CommandParameterNames(path));
    }
    static QByteArray param(const QByteArray &name, const QByteArray &extra,
                            const QByteArray &tamanho = "20") {
        return "[" + name + "]\nTitulo=T\nDescricao=D\nTamanho=" + tamanho + "\n" + extra + "\n";
    }

private slots:
    void parameterNamesLeaveOutComandoAnywhere() {
        const QString path = write("[src]\nA=1\n[comando]\nComando=X\n[Alt]\nB=2\n[SRC]\nC=3\n");
        QCOMPARE(CommandParameterNames(path), QStringList({"SRC", "ALT"}));
        QVERIFY(CommandParameterNames(m_dir.filePath("missing.tpc")).isEmpty());
    }

    void headerFaultsKeepTheLastRecord() {
        QCOMPARE(validate(kHead), QString("(parâmetros),(nenhum existente)"));
        // Every empty key of "Comando" records over the one before; the
        // missing parameters record last of all.
        QCOMPARE(validate("[Comando]\nComando=\nTitulo=x\n" + param("SRC", "Tipo=Texto\nMaximo=5")),
                 QString("Comando,Descricao"));
        QCOMPARE(validate("[Comando]\nTitulo=x\nBloco=SIM\nDescricao=y\n" +
                          param("SRC", "Tipo=Texto\nMaximo=5")),
                 QString("Comando,Comando"));
        QCOMPARE(validate("[Comando]\n"), QString("(parâmetros),(nenhum existente)"));
        QCOMPARE(validate(""), QString("(parâmetros),(nenhum existente)"));
    }

    void parameterChecks_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("fault");
        QTest::newRow("valid text") << param("SRC", "Tipo=Texto\nMaximo=50") << "";
        QTest::newRow("tamanho 60") << param("SRC", "Tipo=Text\nMaximo=50", "60") << "";
        QTest::newRow("tamanho 0") << param("SRC", "Tipo=Text\nMaximo=50", "0") << "SRC,Tamanho";
        QTest::newRow("tamanho 61") << param("SRC", "Tipo=Text\nMaximo=50", "61") << "SRC,Tamanho";
        QTest::newRow("tamanho word")
            << param("SRC", "Tipo=Text\nMaximo=5", "largo") << "SRC,Tamanho";
        QTest::newRow("tamanho negative")
            << param("SRC", "Tipo=Text\nMaximo=5", "-4") << "SRC,Tamanho";
        QTest::newRow("no descricao, no titulo")
            << QByteArray("[SRC]\nTamanho=5\nTipo=Texto\nMaximo=5\n") << "SRC,Titulo";
        QTest::newRow("no descricao")
            << QByteArray("[SRC]\nTitulo=a\nTamanho=5\nTipo=Texto\n") << "SRC,Descricao";
        QTest::newRow("text without maximo") << param("SRC", "Tipo=Texto") << "SRC,Maximo";
        QTest::newRow("select without values") << param("ALIGN", "Tipo=Seleção") << "ALIGN,Valores";
        QTest::newRow("select") << param("ALIGN", "Tipo=selecao\nValores=left,right") << "";
        QTest::newRow("checkbox in capitals")
            << param("ISMAP", "Tipo=CHECKBOX\nTexto=Mapa\nChecado=nao") << "";
        QTest::newRow("check without texto and checado")
            << param("ISMAP", "Tipo=Checagem") << "ISMAP,Checado";
        QTest::newRow("check without checado")
            << param("ISMAP", "Tipo=Check\nTexto=x") << "ISMAP,Checado";
        QTest::newRow("radio") << param("SRC", "Tipo=radio") << "SRC,Tipo";
        QTest::newRow("first faulty parameter wins")
            << param("A1", "Tipo=Texto\nMaximo=3") + param("B2", "Tipo=radio") +
                   param("C3", "Tipo=Texto")
            << "B2,Tipo";
    }
    void parameterChecks() {
        QFETCH(QByteArray, body);
        QFETCH(QString, fault);
        QCOMPARE(validate(kHead + body), fault);
    }

    void valuesAreTrimmedAndCut() {
        const QString path = write(kHead + param("SRC", "Tipo=  Texto  \nMaximo=   "));
        QCOMPARE(ValidateCommandFile(path, CommandParameterNames(path)), QString("SRC,Maximo"));
    }

    void readerAgreesWithSingleReads() {
        const QByteArray long3000(3000, 'x');
        const QString path =
            write("[Src]\nTitulo =  Arquivo  \nValores=" + long3000 + "\n[src]\nTitulo=segundo\n");
        const CommandFileReader file(path);
        for (const char *key : {"Titulo", "TITULO", "Valores", "Nada"})
            QCOMPARE(file.value("SRC", key), ReadIniValue("SRC", key, path));
        QCOMPARE(file.value("SRC", "Valores").size(), 2047);
        QCOMPARE(file.value("Nenhuma", "Titulo"), QString());
    }

    // Thousands of parameters: every one is read, in file order, and a fault
    // in the last is still found.
    void manyParameters() {
        QByteArray body = kHead;
        for (int i = 0; i < 5000; ++i)
            body += param("P" + QByteArray::number(i),
                          i == 4999 ? "Tipo=radio" : "Tipo=Texto\nMaximo=9");
        const QString path = write(body);
        const QStringList names = CommandParameterNames(path);
        QCOMPARE(names.size(), 5000);
        QCOMPARE(names.first(), QString("P0"));
        QCOMPARE(names.last(), QString("P4999"));
        QCOMPARE(ValidateCommandFile(path, names), QString("P4999,Tipo"));
        const CommandFileReader file(path);
        QCOMPARE(file.parameterNames(), names);
        QCOMPARE(file.value("p2500", "tipo"), QString("Texto"));
    }

    void kinds() {
        QCOMPARE(ParamKindOf("CheckBox"), ParamKind::Check);
        QCOMPARE(ParamKindOf("SELEÇÃO"), ParamKind::Select);
        QCOMPARE(ParamKindOf("Text"), ParamKind::Text);
        QCOMPARE(ParamKindOf(""), ParamKind::Invalid);
    }

    void maximumLength() {
        QCOMPARE(ParamMaxLength("9999"), 500);
        QCOMPARE(ParamMaxLength("500"), 500);
        QCOMPARE(ParamMaxLength("12"), 12);
        QCOMPARE(ParamMaxLength("x"), 500);
    }

    void buttons() {
        ParamButton b;
        QVERIFY(ParseParamButton("10,5,Cor...,colorselect", &b));
        QCOMPARE(b.left, 10);
        QCOMPARE(b.width, 5);
        QCOMPARE(b.caption, QString("Cor..."));
        QCOMPARE(b.action, QString("colorselect"));
        QVERIFY(!ParseParamButton("10,5,Cor...", nullptr));
        QVERIFY(!ParseParamButton("61,5,Cor,colorselect", nullptr));
        QVERIFY(!ParseParamButton("0,5,Cor,colorselect", nullptr));
        QVERIFY(ParseParamButton("60,20,Cor,colorselect", nullptr));
        QVERIFY(!ParseParamButton("10,21,Cor,colorselect", nullptr));
        QVERIFY(!ParseParamButton("10,0,Cor,colorselect", nullptr));
        QVERIFY(!ParseParamButton("10,5,a,b,c", nullptr));
        QVERIFY(!ParseParamButton("", nullptr));
    }

    void listKeywords() {
        const QStringList colours = ListItems("#Cores", {});
        QCOMPARE(colours.size(), 132);
        QCOMPARE(colours.first(), QString("aliceblue"));
        QCOMPARE(colours.last(), QString("yellowgreen"));
        QVERIFY(colours.contains("lime") && colours.contains("limegreen"));
        QCOMPARE(ListItems("#FONTESTAMANHOS", {}).size(), 23);
        QCOMPARE(ListItems("#fontes", {"Sans", "Serif"}), QStringList({"Sans", "Serif"}));
        QCOMPARE(ListItems("left,center,right", {}), QStringList({"left", "center", "right"}));
        QVERIFY(ListItems("", {}).isEmpty());
    }

    void styleList() {
        const auto props = ParseStyleList(
            "color,#cores\r\nfont-weight,bold/normal\r\ntext-align,left,right\r\nclear\r\n\r\n");
        QCOMPARE(props.size(), 4);
        QCOMPARE(StyleValueItems(props[0].values, {}).size(), 132);
        QCOMPARE(StyleValueItems(props[1].values, {}), QStringList({"bold", "normal"}));
        QCOMPARE(props[2].values, QString()); // two commas: no values
        QCOMPARE(props[3].name, QString("clear"));
        QVERIFY(StyleValueItems(props[3].values, {}).isEmpty());
        QCOMPARE(StyleValueItems("a/ /b//", {}), QStringList({"a", "b"}));
        const auto events = ParseEventList("onClick\r\nonLoad\r\n\r\n");
        QCOMPARE(events.size(), 2);
        QCOMPARE(events[1].name, QString("onLoad"));
    }

    void messages() {
        SetProgramFolderOverride(m_dir.path());
        QCOMPARE(MissingDefinitionText("IMG.tpc"), "Arquivo de definição 'IMG.tpc' não foi "
                                                   "encontrado em " +
                                                       m_dir.path() + "/Comandos/");
        const QString t = ValidationFaultText("img.tpc", "SRC,Tamanho");
        QVERIFY(t.startsWith("O arquivo IMG.TPC não passou na validação de script."));
        QVERIFY(t.contains("\r\n\r\nSessão: SRC\r\nChave: Tamanho\r\n\r\nVerifique"));
        QVERIFY(ValidationFaultText("x", "(parâmetros),(nenhum existente)")
                    .contains("Sessão: (parâmetros)\r\nChave: (nenhum existente)"));
        QVERIFY(CommandFormErrorText("processar").startsWith("Ocorreu um erro ao processar o"));
        SetProgramFolderOverride(QString());
    }
};

QTEST_APPLESS_MAIN(tst_commandfile)
#include "tst_commandfile.moc"
