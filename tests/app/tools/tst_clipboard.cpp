#include "TextToolsFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

class TestClipboard : public QObject {
    Q_OBJECT
    TextToolsFixture f;

    static QClipboard *clipboard() { return QGuiApplication::clipboard(); }

private slots:
    void initTestCase() { TextToolsFixture::setUpOnce(); }
    void init() {
        QVERIFY(f.start());
        clipboard()->clear();
    }
    void cleanup() { f.stop(); }

    void copyAndCutPlain();
    void copyFormattedPutsRealRtf();
    void pasteFormattedKeepsFormatting();
    void pasteFormattedTextOnly();
    void pastePlainTakesEditorFont();
    void pastePlainFromRtfOnly();
};

void TestClipboard::copyAndCutPlain() {
    f.setText(QStringLiteral("um dois três"), 3, 4);
    f.run(corvel::cmd::CopiarPlano);
    QCOMPARE(clipboard()->text(), QStringLiteral("dois"));
    QVERIFY(!clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
    QCOMPARE(f.status(), QStringLiteral("Copiar (Plano)"));
    QCOMPARE(f.ed->Texto(), QStringLiteral("um dois três"));

    f.ed->setSelInicio(7);
    f.ed->setSelTamanho(5);
    f.run(corvel::cmd::RecortarPlano);
    QCOMPARE(clipboard()->text(), QStringLiteral(" três"));
    QCOMPARE(f.ed->Texto(), QStringLiteral("um dois"));
    QCOMPARE(f.status(), QStringLiteral("Recortar (Plano)"));
}

void TestClipboard::copyFormattedPutsRealRtf() {
    f.setText(QStringLiteral("x ação y"), 2, 4);
    f.ed->setSelNegrito(true);
    f.run(corvel::cmd::CopiarFormatado);
    const QMimeData *data = clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("ação"));
    const QByteArray rtf = data->data(QStringLiteral("text/rtf"));
    QVERIFY2(rtf.startsWith("{\\rtf"), rtf.constData());
    QVERIFY(rtf.contains("\\b"));
    // The characters travel as RTF, not as the raw selection.
    QVERIFY(!rtf.contains("ação"));
    QCOMPARE(f.status(), QStringLiteral("Copiar (Formatado)"));

    f.run(corvel::cmd::RecortarFormatado);
    QCOMPARE(f.ed->Texto(), QStringLiteral("x  y"));
    QCOMPARE(clipboard()->text(), QStringLiteral("ação"));
    QCOMPARE(f.status(), QStringLiteral("Recortar (Formatado)"));
}

void TestClipboard::pasteFormattedKeepsFormatting() {
    // Copy a bold word from one place and paste it formatted elsewhere.
    f.setText(QStringLiteral("negrito e normal"), 0, 7);
    f.ed->setSelNegrito(true);
    f.run(corvel::cmd::CopiarFormatado);
    f.ed->setSelInicio(16);
    f.ed->setSelTamanho(0);
    f.run(corvel::cmd::ColarFormatado);
    QCOMPARE(f.ed->Texto(), QStringLiteral("negrito e normalnegrito"));
    f.ed->setSelInicio(16);
    f.ed->setSelTamanho(7);
    QVERIFY(f.ed->SelNegrito());
    QCOMPARE(f.status(), QStringLiteral("Colar (Formatado)"));

    // Other programs' RTF is read as RTF, never written as its markup.
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), "{\\rtf1\\ansi {\\i it\\'e1lico}}");
    clipboard()->setMimeData(data);
    f.setText(QString());
    f.run(corvel::cmd::ColarFormatado);
    QCOMPARE(f.ed->Texto(), QStringLiteral("itálico"));
    f.ed->setSelInicio(0);
    f.ed->setSelTamanho(7);
    QVERIFY(f.ed->SelItalico());
}

void TestClipboard::pasteFormattedTextOnly() {
    clipboard()->setText(QStringLiteral("{\\rtf1 not really}"));
    f.setText(QStringLiteral("ab"), 1);
    f.run(corvel::cmd::ColarFormatado);
    QCOMPARE(f.ed->Texto(), QStringLiteral("a{\\rtf1 not really}b"));
}

void TestClipboard::pastePlainTakesEditorFont() {
    WriteSetting(QStringLiteral("Editor"), QStringLiteral("Negrito"), QStringLiteral("False"));
    WriteSetting(QStringLiteral("Editor"), QStringLiteral("Frente"), QStringLiteral("255"));
    f.setText(QStringLiteral("negrito"), 0, 7);
    f.ed->setSelNegrito(true);
    f.run(corvel::cmd::CopiarFormatado);
    f.ed->setSelInicio(7);
    f.run(corvel::cmd::ColarPlano);
    QCOMPARE(f.ed->Texto(), QStringLiteral("negritonegrito"));
    f.ed->setSelInicio(7);
    f.ed->setSelTamanho(7);
    QVERIFY(!f.ed->SelNegrito());
    QCOMPARE(f.ed->SelCorTexto(), 255);
    QCOMPARE(f.status(), QStringLiteral("Colar (Plano)"));
}

void TestClipboard::pastePlainFromRtfOnly() {
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), "{\\rtf1\\ansi {\\b S\\'e3o} Paulo}");
    clipboard()->setMimeData(data);
    f.setText(QString());
    f.run(corvel::cmd::ColarPlano);
    QCOMPARE(f.ed->Texto(), QStringLiteral("São Paulo"));
}

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
