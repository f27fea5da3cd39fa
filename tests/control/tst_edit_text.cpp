// Text, positions, state flags and keys of the editor component.
#include "EditTestUtil.h"

#include <QClipboard>
#include <QMimeData>
#include <QTextDocument>
#include <QUrl>

using namespace edittest;

class TestEditText : public QObject {
    Q_OBJECT

private slots:
    void newInstance() {
        auto ed = NewEditor();
        QCOMPARE(ed->Linha(), QString("1"));
        QCOMPARE(ed->Coluna(), QString("1"));
        QCOMPARE(ed->Gravado(), true);
        QCOMPARE(ed->Alterado(), false);
        QCOMPARE(ed->Tamanho(), 0);
        QCOMPARE(ed->Texto(), QString());
        QCOMPARE(ed->TabTexto(), QString("    "));
        QCOMPARE(ed->ArquivoTemporario(), QString());
        QCOMPARE(ed->DiretorioTemporario(), QString());
        // The only child widget is the surface, named HTML, filling it.
        const auto children = ed->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(children.size(), 1);
        QCOMPARE(children.first()->objectName(), QString("HTML"));
        QCOMPARE(children.first()->geometry(), ed->rect());
        ed->resize(333, 222);
        QCOMPARE(children.first()->geometry(), ed->rect());
    }

    void lineBreaksCountTwo() {
        auto ed = NewEditor();
        ed->setTexto("ab\ncd\ref\r\ngh");
        QCOMPARE(ed->Texto(), QString("ab\r\ncd\r\nef\r\ngh"));
        QCOMPARE(ed->Tamanho(), 14);
        QCOMPARE(ed->surface()->document()->blockCount(), 4);
        // Offsets on the far side of breaks.
        Select(*ed, 4, 2);
        QCOMPARE(ed->SelTexto(), QString("cd"));
        Select(*ed, 1, 5);
        QCOMPARE(ed->SelTexto(), QString("b\r\ncd"));
        QCOMPARE(ed->SelInicio(), 1);
        QCOMPARE(ed->SelTamanho(), 5);
        Select(*ed, 12, 2);
        QCOMPARE(ed->SelTexto(), QString("gh"));
        // Past the end is clamped to the text.
        Select(*ed, 100, 3);
        QCOMPARE(ed->SelInicio(), 14);
        QCOMPARE(ed->SelTamanho(), 0);
        // Empty lines and a final break.
        ed->setTexto("\r\n\r\nx\r\n");
        QCOMPARE(ed->Texto(), QString("\r\n\r\nx\r\n"));
        QCOMPARE(ed->Tamanho(), 7);
        Select(*ed, 4, 1);
        QCOMPARE(ed->SelTexto(), QString("x"));
    }

    void specialCharactersSurvive() {
        auto ed = NewEditor();
        // No-break space, tab, line separator and non-BMP characters are
        // text, never turned into something else.
        const QString text = QString::fromUtf8("a\u00A0b\tc\u2028d \U0001F600 \u20AC");
        ed->setTexto(text);
        QCOMPARE(ed->Texto(), text);
        Select(*ed, 0, 3);
        QCOMPARE(ed->SelTexto(), QString::fromUtf8("a\u00A0b"));
        QCOMPARE(ed->Tamanho(), text.size());
    }

    void selTextoPut() {
        auto ed = NewEditor();
        ed->setTexto("one two");
        Select(*ed, 4, 3);
        ed->setSelTexto("2\n3");
        QCOMPARE(ed->Texto(), QString("one 2\r\n3"));
        QCOMPARE(ed->SelInicio(), 8);
        QCOMPARE(ed->SelTamanho(), 0);
        ed->setSelInicio(0);
        ed->setSelTexto("x");
        QCOMPARE(ed->Texto(), QString("xone 2\r\n3"));
        QCOMPARE(ed->SelInicio(), 1);
    }

    void savedAndModifiedFlags() {
        auto ed = NewEditor();
        ed->setTexto("abc");
        QCOMPARE(ed->Gravado(), false);
        QCOMPARE(ed->Alterado(), true);
        ed->setGravado(true);
        ed->setAlterado(false);
        // Formatting alone is not a change of the text.
        Select(*ed, 0, 2);
        ed->setSelCorTexto(255);
        ed->setSelNegrito(true);
        ed->setSelItalico(true);
        ed->setSelFonteNome("Liberation Sans");
        ed->setSelFonteTamanho(20);
        ed->setCorTexto(0x00FF00);
        ed->setCorFundo(0x000000);
        ed->setNegrito(true);
        ed->setFonteTamanho(14);
        ed->setQuebrarLinha(true);
        QCOMPARE(ed->Gravado(), true);
        QCOMPARE(ed->Alterado(), false);
        QCOMPARE(ed->Texto(), QString("abc"));
        // A typed character is.
        ed->setSelInicio(3);
        Key(*ed, Qt::Key_D, Qt::NoModifier, "d");
        QCOMPARE(ed->Texto(), QString("abcd"));
        QCOMPARE(ed->Gravado(), false);
        QCOMPARE(ed->Alterado(), true);
        // So is a member that writes text, even the same text.
        ed->setGravado(true);
        ed->setAlterado(false);
        ed->setTexto("abcd");
        QCOMPARE(ed->Gravado(), false);
        QCOMPARE(ed->Alterado(), true);
        ed->setGravado(true);
        ed->setSelInicio(0);
        ed->setSelTexto("z");
        QCOMPARE(ed->Gravado(), false);
    }

    void formattingMembers() {
        auto ed = NewEditor();
        ed->setTexto("hello world");
        Select(*ed, 6, 5);
        ed->setSelCorTexto(0x0000FF); // red
        ed->setSelNegrito(true);
        ed->setSelFonteTamanho(18);
        QCOMPARE(ed->SelCorTexto(), 0x0000FF);
        QCOMPARE(ed->SelNegrito(), true);
        QCOMPARE(ed->SelItalico(), false);
        QCOMPARE(ed->SelFonteTamanho(), 18);
        // The selection is kept.
        QCOMPARE(ed->SelInicio(), 6);
        QCOMPARE(ed->SelTamanho(), 5);
        Select(*ed, 0, 5);
        QCOMPARE(ed->SelCorTexto(), ed->CorTexto());
        QCOMPARE(ed->SelNegrito(), false);
        // Whole-text colour keeps the selection and colours everything.
        ed->setCorTexto(0x123456);
        QCOMPARE(ed->CorTexto(), 0x123456);
        QCOMPARE(ed->SelInicio(), 0);
        QCOMPARE(ed->SelTamanho(), 5);
        Select(*ed, 6, 5);
        QCOMPARE(ed->SelCorTexto(), 0x123456);
        // Surface font.
        ed->setFonteNome("Liberation Serif");
        ed->setFonteTamanho(13);
        ed->setItalico(true);
        QCOMPARE(ed->FonteNome(), QString("Liberation Serif"));
        QCOMPARE(ed->FonteTamanho(), 13);
        QCOMPARE(ed->Italico(), true);
        QCOMPARE(ed->Negrito(), false);
        ed->setCorFundo(0x010203);
        QCOMPARE(ed->CorFundo(), 0x010203);
        QCOMPARE(ed->surface()->palette().color(QPalette::Base), QColor(3, 2, 1));
    }

    void wrapFlagAndLines() {
        auto ed = NewEditor(200, 200);
        QCOMPARE(ed->QuebrarLinha(), false); // a new surface wraps at its edge
        ed->setQuebrarLinha(true);
        QCOMPARE(ed->QuebrarLinha(), true);
        ed->setTexto(QString(200, 'x') + "\r\nend");
        QCOMPARE(ed->ContarLinhas(), 2);
        ed->setSelInicio(202);
        ed->UpdatePos();
        QCOMPARE(ed->Linha(), QString("2"));
        QCOMPARE(ed->Coluna(), QString("1"));
        ed->setSelInicio(150);
        ed->UpdatePos();
        QCOMPARE(ed->Linha(), QString("1"));
        QCOMPARE(ed->Coluna(), QString("151"));
        // Wrapping at the window edge: every wrapped piece is a line.
        ed->setQuebrarLinha(false);
        QCOMPARE(ed->QuebrarLinha(), false);
        QTRY_VERIFY(ed->ContarLinhas() > 2);
        const int lines = ed->ContarLinhas();
        ed->setSelInicio(202);
        ed->UpdatePos();
        QCOMPARE(ed->Linha(), QString::number(lines));
        QCOMPARE(ed->Coluna(), QString("1"));
        ed->setSelInicio(199);
        ed->UpdatePos();
        QCOMPARE(ed->Linha(), QString::number(lines - 1));
        QVERIFY(ed->Coluna().toInt() < 199);
        // Going to a line uses the same lines.
        ed->IrParaLinha(2);
        ed->UpdatePos();
        QCOMPARE(ed->Linha(), QString("2"));
        QCOMPARE(ed->Coluna(), QString("1"));
        QVERIFY(ed->SelInicio() > 0);
    }

    void caretLineAndColumnFollowKeysAndClicks() {
        auto ed = NewEditor();
        ed->setQuebrarLinha(true);
        ed->setTexto("abc\r\ndef");
        ed->setSelInicio(0);
        Key(*ed, Qt::Key_Down);
        QCOMPARE(ed->Linha(), QString("2"));
        Key(*ed, Qt::Key_End);
        QCOMPARE(ed->Coluna(), QString("4"));
        QTest::mouseClick(ed->surface()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QCOMPARE(ed->Linha(), QString("1"));
    }

    void tabKeys() {
        auto ed = NewEditor();
        ed->setTexto("ab");
        ed->setSelInicio(1);
        QVERIFY(Key(*ed, Qt::Key_Tab, Qt::NoModifier, "\t"));
        QCOMPARE(ed->Texto(), QString("a    b"));
        QCOMPARE(ed->SelInicio(), 5);

        // Shift+Tab as X11 delivers it: Backtab with Shift held.
        ed->setTexto("a\r\nb");
        Select(*ed, 0, 4);
        QVERIFY(Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier));
        QCOMPARE(ed->Texto(), QString("    a\r\n    b"));
        QCOMPARE(ed->SelInicio(), 0);
        QCOMPARE(ed->SelTamanho(), 12);
        QCOMPARE(ed->SelTexto(), QString("    a\r\n    b"));
        // Shift+Ctrl+Tab takes it back.
        QVERIFY(Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier | Qt::ControlModifier));
        QCOMPARE(ed->Texto(), QString("a\r\nb"));
        QCOMPARE(ed->SelTexto(), QString("a\r\nb"));

        // Two whole lines with their final break: the next line is untouched.
        ed->setTexto("l1\r\nl2\r\nl3");
        Select(*ed, 0, 8);
        Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(ed->Texto(), QString("    l1\r\n    l2\r\nl3"));
        QCOMPARE(ed->SelTexto(), QString("    l1\r\n    l2"));

        // Unindent only removes what is there.
        ed->setTexto("  x\r\n    y");
        Select(*ed, 0, 10);
        Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(ed->Texto(), QString("  x\r\ny"));

        // Plain Tab on a selection replaces it by TabTexto, selected.
        ed->setTabTexto("\t");
        ed->setTexto("abc");
        Select(*ed, 0, 2);
        Key(*ed, Qt::Key_Tab, Qt::NoModifier, "\t");
        QCOMPARE(ed->Texto(), QString("\tc"));
        QCOMPARE(ed->SelTamanho(), 1);

        // Alt+Tab and the like leave the block as it was, still consumed.
        ed->setTexto("a\r\nb");
        Select(*ed, 0, 4);
        QVERIFY(Key(*ed, Qt::Key_Tab, Qt::AltModifier));
        QCOMPARE(ed->Texto(), QString("a\r\nb"));
    }

    void ctrlTabPassesOn() {
        auto ed = NewEditor();
        ed->setTexto("ab");
        ed->setSelInicio(1);
        QVERIFY(!Key(*ed, Qt::Key_Tab, Qt::ControlModifier, "\t"));
        QCOMPARE(ed->Texto(), QString("ab"));
        QCOMPARE(ed->Alterado(), true); // from the Texto put only
    }

    void ctrlKeysDoNothing() {
        auto ed = NewEditor();
        ed->setTexto("ab");
        ed->setGravado(true);
        ed->setAlterado(false);
        for (int k : {Qt::Key_1, Qt::Key_5, Qt::Key_9, Qt::Key_E, Qt::Key_M, Qt::Key_R})
            Key(*ed, k, Qt::ControlModifier);
        QCOMPARE(ed->Texto(), QString("ab"));
        QCOMPARE(ed->Gravado(), true);
    }

    void lockedSurface() {
        auto ed = NewEditor();
        ed->setTexto("ab");
        ed->setTravar(true);
        QCOMPARE(ed->Travar(), true);
        ed->setSelInicio(1);
        Key(*ed, Qt::Key_X, Qt::NoModifier, "x");
        QVERIFY(Key(*ed, Qt::Key_Tab, Qt::NoModifier, "\t"));
        QVERIFY(Key(*ed, Qt::Key_Backtab, Qt::ShiftModifier));
        QCOMPARE(ed->Texto(), QString("ab"));
        // Members still write.
        ed->setSelTexto("Z");
        QCOMPARE(ed->Texto(), QString("aZb"));
        ed->setTravar(false);
        QCOMPARE(ed->Travar(), false);
        Key(*ed, Qt::Key_X, Qt::NoModifier, "x");
        QCOMPARE(ed->Texto(), QString("aZxb"));
    }

    void pasteIsPlainText() {
        auto ed = NewEditor();
        ed->setTexto("ab");
        ed->setSelInicio(1);
        // Rich content on the clipboard: only its text comes in.
        auto *mime = new QMimeData;
        mime->setHtml("<b>bold</b><img src=x>");
        mime->setText("X\r\nY");
        QApplication::clipboard()->setMimeData(mime);
        ed->surface()->paste();
        QCOMPARE(ed->Texto(), QString("aX\r\nYb"));
        QCOMPARE(ed->surface()->document()->toHtml().contains("<img"), false);
    }

    void caretLineFollowsMembersToo() {
        auto ed = NewEditor();
        ed->setQuebrarLinha(true);
        ed->setTexto("abc\r\ndef\r\nghi");
        ed->setSelInicio(7);
        QCOMPARE(ed->Linha(), QString("2"));
        QCOMPARE(ed->Coluna(), QString("3"));
        QVERIFY(ed->Procurar("gh"));
        QCOMPARE(ed->Linha(), QString("3"));
        QCOMPARE(ed->Coluna(), QString("1"));
        ed->setTexto("x");
        QCOMPARE(ed->Linha(), QString("1"));
    }

    void filesDroppedAreLeftToTheHost() {
        auto ed = NewEditor();
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/tmp/a.html")});
        files.setText("/tmp/a.html");
        QMimeData text;
        text.setText("plain");
        EditSurface *surface = ed->surface();
        QVERIFY(!surface->canInsertFromMimeData(&files));
        QVERIFY(surface->canInsertFromMimeData(&text));
    }

    void visibleAndFocus() {
        auto ed = NewEditor();
        QCOMPARE(ed->Visivel(), true);
        ed->setVisivel(false);
        QCOMPARE(ed->Visivel(), false);
        ed->Foco(); // hidden: nothing, and no crash
        ed->setVisivel(true);
        QCOMPARE(ed->Visivel(), true);
        QVERIFY(ed->Hwnd() != 0);
    }

    void undoAndEditGroups() {
        auto ed = NewEditor();
        ed->setTexto("abc");
        QCOMPARE(ed->PodeDesfazer(), false);
        ed->IniciarEdicao();
        ed->setSelInicio(3);
        ed->setSelTexto("d");
        ed->setSelTexto("e");
        ed->TerminarEdicao();
        QCOMPARE(ed->Texto(), QString("abcde"));
        QCOMPARE(ed->PodeDesfazer(), true);
        ed->Desfazer();
        QCOMPARE(ed->Texto(), QString("abc"));
        // Whole-text puts and replace-all inside a group, as the text tools do.
        ed->IniciarEdicao();
        ed->setTexto("one\ntwo");
        ed->TerminarEdicao();
        QCOMPARE(ed->Texto(), QString("one\r\ntwo"));
        ed->setSelInicio(5);
        QCOMPARE(ed->SelTexto(), QString());
        QCOMPARE(ed->Linha(), QString("2"));
        ed->setSelInicio(0);
        ed->IniciarEdicao();
        ed->SubstituirTodos("o", "0");
        QCOMPARE(ed->Texto(), QString("0ne\r\ntw0"));
        ed->TerminarEdicao();
        ed->Desfazer();
        QCOMPARE(ed->Texto(), QString("one\r\ntwo"));
        // Formatting chosen with nothing selected applies to what is typed
        // or put next.
        ed->setSelInicio(3);
        ed->setSelCorTexto(0x0000FF);
        ed->setSelTexto("RED");
        Select(*ed, 4, 2);
        QCOMPARE(ed->SelCorTexto(), 0x0000FF);
        ed->setSobrescrever(true);
        QCOMPARE(ed->Sobrescrever(), true);
        ed->setRedesenhar(false);
        QCOMPARE(ed->Redesenhar(), false);
        ed->setRedesenhar(true);
        ed->setTexto(QString("line\r\n").repeated(500));
        ed->setRolagemVertical(100);
        QVERIFY(ed->RolagemVertical() > 0);
        QCOMPARE(ed->RolagemHorizontal(), 0);
    }
};

QTEST_MAIN(TestEditText)
#include "tst_edit_text.moc"
