// Rich text in and out of the editor component.
#include "EditTestUtil.h"
#include "RtfDocument.h"

using namespace edittest;

class TestEditRtf : public QObject {
    Q_OBJECT

private slots:
    void roundTripKeepsTextAndFormatting() {
        auto ed = NewEditor();
        const QString text = QString::fromUtf8("<a href=\"x\">ção € 中</a>\r\n\u00A0tab\there\r\n");
        ed->setTexto(text);
        Select(*ed, 0, 2);
        ed->setSelCorTexto(0x0000FF);
        Select(*ed, 3, 4);
        ed->setSelCorTexto(0x008000);
        ed->setSelNegrito(true);
        Select(*ed, 12, 3);
        ed->setSelItalico(true);
        ed->setSelFonteNome("Liberation Sans");
        ed->setSelFonteTamanho(16);
        const QString rtf = ed->TextoRTF();
        QVERIFY(rtf.startsWith("{\\rtf"));
        for (QChar c : rtf)
            QVERIFY(c.unicode() < 0x80);

        auto other = NewEditor();
        other->setTextoRTF(rtf);
        QCOMPARE(other->Texto(), text);
        Select(*other, 0, 2);
        QCOMPARE(other->SelCorTexto(), 0x0000FF);
        QCOMPARE(other->SelNegrito(), false);
        Select(*other, 3, 4);
        QCOMPARE(other->SelCorTexto(), 0x008000);
        QCOMPARE(other->SelNegrito(), true);
        Select(*other, 12, 3);
        QCOMPARE(other->SelItalico(), true);
        QCOMPARE(other->SelFonteNome(), QString("Liberation Sans"));
        QCOMPARE(other->SelFonteTamanho(), 16);
        Select(*other, 2, 1);
        QCOMPARE(other->SelCorTexto(), other->CorTexto());
        // Reading it back gives the same RTF.
        QCOMPARE(other->TextoRTF(), rtf);
        QCOMPARE(other->Gravado(), false);
        QCOMPARE(other->Alterado(), true);
    }

    void colouriserTemplate() {
        auto ed = NewEditor();
        // Font and colour tables, \plain, \pard, \par followed by the literal
        // \r control word, escaped braces and backslashes, a \cf the table
        // does not define.
        const QString rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Courier New;}}"
                            "{\\colortbl ;\\red0\\green0\\blue255;\\red128\\green0\\blue0;}"
                            "\\plain\\pard\\f0\\fs22\\cf1 <p>\\cf0 a\\{b\\}c\\\\d\\par\\r\n"
                            "\\cf2 x=\\cf7 y\\par\\r\n}";
        ed->setTextoRTF(rtf);
        QCOMPARE(ed->Texto(), QString("<p>a{b}c\\d\r\nx=y"));
        Select(*ed, 0, 3);
        QCOMPARE(ed->SelCorTexto(), 0xFF0000);
        QCOMPARE(ed->SelFonteTamanho(), 11);
        Select(*ed, 12, 2);
        QCOMPARE(ed->SelCorTexto(), 0x000080);
        Select(*ed, 14, 1);
        QCOMPARE(ed->SelCorTexto(), ed->CorTexto());
    }

    void notRtfIsPlainText() {
        auto ed = NewEditor();
        ed->setTextoRTF("just text\nhere");
        QCOMPARE(ed->Texto(), QString("just text\r\nhere"));
    }

    void malformedRtfDoesNotCrash() {
        auto ed = NewEditor();
        ed->setTextoRTF("{\\rtf1 {{{{ \\b abc");
        QVERIFY(ed->Texto().contains("abc"));
        ed->setTextoRTF(QString("{\\rtf1 ") + QString(100000, '{'));
        ed->setTextoRTF("{\\rtf1 \\fs99999999999999999 x}");
        QVERIFY(ed->Tamanho() >= 0);
    }

    void selectionAsRtf() {
        auto ed = NewEditor();
        ed->setTexto("abc def");
        Select(*ed, 4, 3);
        ed->setSelCorTexto(0xFF);
        const QString part = ed->SelTextoRTF();
        ed->setSelInicio(0);
        ed->setSelTextoRTF(part);
        QCOMPARE(ed->Texto(), QString("defabc def"));
        Select(*ed, 0, 3);
        QCOMPARE(ed->SelCorTexto(), 0xFF);
        Select(*ed, 3, 3);
        QCOMPARE(ed->SelCorTexto(), ed->CorTexto());
    }

    void colouredDocumentStaysColouredWhileTyping() {
        auto ed = NewEditor();
        ed->setTextoRTF("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 red}");
        ed->setSelInicio(3);
        Key(*ed, Qt::Key_X, Qt::NoModifier, "x");
        QCOMPARE(ed->Texto(), QString("redx"));
        Select(*ed, 3, 1);
        QCOMPARE(ed->SelCorTexto(), 0x0000FF);
    }
};

QTEST_MAIN(TestEditRtf)
#include "tst_edit_rtf.moc"
