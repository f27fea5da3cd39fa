// Edit groups (IniciarEdicao ... TerminarEdicao): any mix of puts, caret
// moves and reads inside one group, on wrapped text, shown or hidden, is safe
// and undoes as one step.
#include "EditTestUtil.h"

#include <QScrollBar>

using namespace edittest;

namespace {

// Lines long enough to wrap several times in a narrow window.
QString WrappingText(int lines) {
    QStringList l;
    for (int i = 0; i < lines; ++i)
        l << QStringLiteral("linha %1 ").arg(i) + QString("palavra ").repeated(40 + i % 7);
    return l.join("\r\n");
}

} // namespace

class TestEditGroups : public QObject {
    Q_OBJECT

    // What a text tool does inside one group: puts with breaks, moves, reads
    // of the selection, the caret's line and column and the line count, and a
    // replace-all. The expected text is built alongside with QString.
    void runGroup(CorvelEdit &ed, QString &expected, bool toggleVisibility) {
        ed.IniciarEdicao();
        ed.IniciarEdicao(); // nested: only the outer pair counts
        for (int i = 0; i < 12; ++i) {
            // Puts that grow the text and puts that take out several
            // wrapped lines at once (the lines laid out before are then
            // longer than what is left of the paragraph).
            const int at = (i * 997) % (int(expected.size()) - 1000);
            const int len = i % 3 == 0 ? 700 : 5;
            Select(ed, at, len);
            const QString sel = ed.SelTexto();
            QCOMPARE(sel, expected.mid(at, len));
            const QString put =
                i % 3 == 0 ? QStringLiteral("-") : QStringLiteral("<%1>\r\nnova linha ").arg(i);
            ed.setSelTexto(put);
            expected.replace(at, len, put);
            QCOMPARE(ed.SelInicio(), at + int(put.size()));
            QCOMPARE(ed.SelTamanho(), 0);
            QVERIFY(ed.Linha().toInt() >= 1);
            QVERIFY(ed.Coluna().toInt() >= 1);
            QVERIFY(ed.ContarLinhas() > 60);
            if (toggleVisibility && i == 4) ed.setVisivel(false);
            if (toggleVisibility && i == 8) ed.setVisivel(true);
        }
        ed.setSelInicio(0);
        ed.SubstituirTodos("palavra", "termo");
        expected.replace("palavra", "termo");
        QCOMPARE(ed.SelInicio(), int(expected.lastIndexOf("termo")) + 5);
        ed.setSelInicio(0);
        QVERIFY(ed.Substituir("termo", "T")); // finds the first
        QVERIFY(ed.Substituir("termo", "T")); // replaces it, finds the next
        QCOMPARE(ed.SelTexto(), QString("termo"));
        expected.replace(expected.indexOf("termo"), 5, "T");
        // The caret's line and column inside the group are those the same
        // caret has once the group is over.
        Select(ed, int(expected.size()) / 2, 3);
        QCOMPARE(ed.SelTexto(), expected.mid(expected.size() / 2, 3));
        const QString linha = ed.Linha(), coluna = ed.Coluna();
        const int lines = ed.ContarLinhas();
        ed.TerminarEdicao();
        QCOMPARE(ed.SelInicio(), int(expected.size()) / 2); // still inside the outer group
        ed.TerminarEdicao();
        ed.TerminarEdicao(); // one too many: harmless
        QCOMPARE(ed.Texto(), expected);
        QCOMPARE(ed.SelInicio(), int(expected.size()) / 2);
        QCOMPARE(ed.SelTamanho(), 3);
        QCOMPARE(ed.Linha(), linha);
        QCOMPARE(ed.Coluna(), coluna);
        QCOMPARE(ed.ContarLinhas(), lines);
    }

private slots:
    void groupOfEditsOnWrappedText_data() {
        QTest::addColumn<int>("visibility"); // 0 shown, 1 hidden, 2 toggled inside
        QTest::newRow("shown") << 0;
        QTest::newRow("hidden") << 1;
        QTest::newRow("toggled") << 2;
    }

    void groupOfEditsOnWrappedText() {
        QFETCH(int, visibility);
        auto ed = NewEditor(300, 200);
        QCOMPARE(ed->QuebrarLinha(), false); // wraps at the window edge
        const QString original = WrappingText(60);
        ed->setTexto(original);
        QCoreApplication::processEvents();
        // An edit before the group stays when the group is undone.
        ed->setSelInicio(0);
        ed->setSelTexto("PRE ");
        const QString before = ed->Texto();
        if (visibility == 1) ed->setVisivel(false);
        QString expected = before;
        runGroup(*ed, expected, visibility == 2);
        QCOMPARE(ed->Visivel(), visibility != 1);
        QCoreApplication::processEvents();
        // The surface's own caret is where the group left it, and it is on
        // screen when shown.
        if (visibility != 1) {
            const QRect r = ed->surface()->cursorRect();
            QVERIFY(ed->surface()->viewport()->rect().intersects(r));
        }
        // One undo step takes the whole group back, and only the group.
        ed->Desfazer();
        QCOMPARE(ed->Texto(), before);
        ed->Desfazer();
        QCOMPARE(ed->Texto(), original);
    }

    // A text tool's put: a large selection across many lines replaced by
    // its transformed text (here: the breaks taken out, one long line), then
    // the whole text, each in its own group, shown and hidden.
    void largePutsInAGroup() {
        auto ed = NewEditor(400, 300);
        const QString original = WrappingText(400);
        for (bool hidden : {false, true}) {
            ed->setTexto(original);
            ed->setVisivel(true);
            ed->setSelInicio(original.size() / 2);
            QCoreApplication::processEvents();
            if (hidden) ed->setVisivel(false);
            Select(*ed, 1000, int(original.size()) - 2000);
            const QString joined = QString(ed->SelTexto()).remove("\r\n");
            ed->IniciarEdicao();
            ed->setSelTexto(joined);
            ed->TerminarEdicao();
            QCOMPARE(ed->Texto(), original.left(1000) + joined + original.right(1000));
            ed->setSelInicio(1000);
            ed->setSelTamanho(int(joined.size()));
            QCOMPARE(ed->SelTexto(), joined);
            const QString all = QString(ed->Texto()).remove("\r\n");
            ed->IniciarEdicao();
            ed->setTexto(all);
            ed->TerminarEdicao();
            ed->setSelInicio(int(all.size()) / 3);
            ed->setVisivel(true);
            QCoreApplication::processEvents();
            QCOMPARE(ed->ContarLinhas() > 100, true);
            QCOMPARE(ed->Texto(), all);
        }
    }

    // Line, column and line count read inside a group agree with those read
    // for the same caret after it.
    void readsInsideAGroupMatchAfter() {
        auto ed = NewEditor(300, 200);
        ed->setTexto(WrappingText(30));
        ed->IniciarEdicao();
        Select(*ed, 500, 0);
        ed->setSelTexto(QString("x ").repeated(300));
        ed->setSelTexto("\r\n");
        Select(*ed, 2500, 0);
        const QString linha = ed->Linha(), coluna = ed->Coluna();
        const int lines = ed->ContarLinhas();
        ed->IrParaLinha(3);
        const int line3 = ed->SelInicio();
        // The surface is not asked to show a caret while the group is open
        // (that lays out lines the group has changed); it is shown at the end.
        QCOMPARE(ed->surface()->verticalScrollBar()->value(), 0);
        Select(*ed, ed->Tamanho() - 10, 0);
        QCOMPARE(ed->surface()->verticalScrollBar()->value(), 0);
        Select(*ed, 2500, 0);
        ed->TerminarEdicao();
        QVERIFY(ed->surface()->verticalScrollBar()->value() > 0);
        QVERIFY(ed->surface()->viewport()->rect().intersects(ed->surface()->cursorRect()));
        Select(*ed, 2500, 0);
        QCOMPARE(ed->Linha(), linha);
        QCOMPARE(ed->Coluna(), coluna);
        QCOMPARE(ed->ContarLinhas(), lines);
        ed->IrParaLinha(3);
        QCOMPARE(ed->SelInicio(), line3);
    }

    // Whole-text puts and formatting inside a group, then more edits.
    void wholeTextPutsInsideAGroup() {
        auto ed = NewEditor(300, 200);
        ed->setTexto("abc");
        ed->IniciarEdicao();
        ed->setTexto(WrappingText(20));
        ed->setSelInicio(10);
        ed->setSelTexto("Z\r\n");
        QCOMPARE(ed->Linha(), QString("2"));
        QCOMPARE(ed->Coluna(), QString("1"));
        ed->setTexto(WrappingText(5));
        Select(*ed, 0, 5);
        ed->setSelNegrito(true);
        ed->setSelTexto("Y");
        ed->TerminarEdicao();
        QCOMPARE(ed->Texto(), "Y" + WrappingText(5).mid(5));
        QCOMPARE(ed->SelInicio(), 1);
        QCoreApplication::processEvents();
    }

    // A group with no change leaves the previous undo step alone.
    void emptyGroupKeepsUndo() {
        auto ed = NewEditor();
        ed->setTexto("abc");
        ed->setSelInicio(3);
        ed->setSelTexto("d");
        ed->IniciarEdicao();
        ed->setSelInicio(1);
        QCOMPARE(ed->Linha(), QString("1"));
        QCOMPARE(ed->ContarLinhas(), 1);
        ed->setSelTexto(QString());
        ed->TerminarEdicao();
        ed->IniciarEdicao();
        ed->setSelInicio(0);
        ed->setSelTexto("e");
        ed->TerminarEdicao();
        ed->Desfazer();
        QCOMPARE(ed->Texto(), QString("abcd"));
        ed->Desfazer();
        QCOMPARE(ed->Texto(), QString("abc"));
    }
};

QTEST_MAIN(TestEditGroups)
#include "tst_edit_groups.moc"
