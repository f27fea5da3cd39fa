// Very long lines: held as several display pieces, yet the text, positions,
// lines, copies and saved files are those of the one line.
#include "EditTestUtil.h"
#include "LongLines.h"

#include <QMimeData>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <string>

using namespace edittest;
using corvel::control::kLongBlock;

namespace {

// A line of n characters: words and punctuation, no break.
QString LongLine(int n, char32_t extra = 0) {
    QString s;
    s.reserve(n + 8);
    for (int i = 0; s.size() < n; ++i) {
        s += QStringLiteral("var a%1=b(c,%1);").arg(i % 97);
        if (extra && i % 5 == 0) s += QString::fromUcs4(&extra, 1);
    }
    s.truncate(n);
    return s;
}

int Blocks(CorvelEdit &ed) {
    return ed.surface()->document()->blockCount();
}

// The caret moved to a host offset, as the surface sees it.
void CaretAt(CorvelEdit &ed, int offset) {
    ed.setSelInicio(offset);
    ed.setSelTamanho(0);
}

} // namespace

class TestEditLongLines : public QObject {
    Q_OBJECT

private slots:
    void textSurvivesDisplayPieces_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("split");
        const QString line = LongLine(3 * kLongBlock);
        QTest::newRow("at the limit") << LongLine(kLongBlock) << false;
        QTest::newRow("one past the limit") << LongLine(kLongBlock + 1) << true;
        QTest::newRow("no break opportunity") << QString(3 * kLongBlock, u'x') << true;
        QTest::newRow("lines around") << "<p>a</p>\r\n" + line + "\r\n\r\nfim\r\n" << true;
        QTest::newRow("two long lines") << line + "\r\n" + line << true;
        // Cuts never fall inside a pair or before a combining mark.
        QTest::newRow("surrogate pairs") << LongLine(3 * kLongBlock, U'\U0001F600') << true;
        QTest::newRow("combining marks") << LongLine(3 * kLongBlock, U'\u0301') << true;
        QTest::newRow("pairs only")
            << QString::fromUcs4(std::u32string(kLongBlock, U'\U0001F600').c_str()) << true;
    }

    void textSurvivesDisplayPieces() {
        QFETCH(QString, text);
        QFETCH(bool, split);
        auto ed = NewEditor();
        ed->setQuebrarLinha(true);
        const int lines = int(text.count(QLatin1String("\r\n"))) + 1;
        ed->setTexto(text);
        QCOMPARE(Blocks(*ed) > lines, split);
        QCOMPARE(ed->Texto(), text);
        QCOMPARE(ed->Tamanho(), int(text.size()));
        QCOMPARE(ed->ContarLinhas(), lines);
        for (QTextBlock b = ed->surface()->document()->begin(); b.isValid(); b = b.next()) {
            QVERIFY(b.length() - 1 <= kLongBlock);
            const QString t = b.text();
            QVERIFY(t.isEmpty() || !t.front().isLowSurrogate());
            QVERIFY(t.isEmpty() || !t.front().isMark());
        }
        // The rich-text copy and the temporary copy carry the same text.
        const QString rtf = ed->TextoRTF();
        ed->setTexto(QString());
        ed->setTextoRTF(rtf);
        QCOMPARE(ed->Texto(), text);
        QTemporaryDir dir;
        ed->setDiretorioTemporario(dir.path());
        ed->GravarTemporario();
        ed->setTexto(QStringLiteral("outro"));
        ed->LerTemporario(ed->ArquivoTemporario());
        QCOMPARE(ed->Texto(), text);
        QCOMPARE(Blocks(*ed) > lines, split);
        // The saved file holds the line whole.
        const QString path = dir.filePath(QStringLiteral("salvo.js"));
        QCOMPARE(ed->Gravar(path), QString());
        QCOMPARE(ReadAll(path), text.toUtf8());
    }

    // Offsets, selections, lines and columns on both sides of display breaks.
    void positionsAcrossPieces_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("length");
        const int head = 10; // "<p>a</p>\r\n"
        const QList<int> at = {head,
                               head + 1,
                               head + kLongBlock / 2 - 1,
                               head + kLongBlock / 2,
                               head + kLongBlock,
                               head + 2 * kLongBlock - 3,
                               head + 3 * kLongBlock,
                               head + 3 * kLongBlock + 2};
        for (int o : at)
            for (int len : {0, 1, 7, kLongBlock})
                QTest::addRow("%d+%d", o, len) << o << len;
    }

    void positionsAcrossPieces() {
        QFETCH(int, offset);
        QFETCH(int, length);
        const QString text = "<p>a</p>\r\n" + LongLine(3 * kLongBlock) + "\r\nfim";
        auto ed = NewEditor();
        ed->setQuebrarLinha(true);
        ed->setTexto(text);
        Select(*ed, offset, length);
        // An end between CR and LF counts as the end of the line.
        const auto hostPoint = [&](int p) {
            p = std::min(p, int(text.size()));
            return p > 0 && text[p - 1] == u'\r' ? p - 1 : p;
        };
        const int start = hostPoint(offset);
        const int end = hostPoint(offset + length);
        QCOMPARE(ed->SelInicio(), start);
        QCOMPARE(ed->SelTamanho(), end - start);
        QCOMPARE(ed->SelTexto(), text.mid(start, end - start));
        const int lineNo = int(text.left(start).count(QLatin1String("\r\n"))) + 1;
        const int lineStart =
            start == 0 ? 0 : int(text.lastIndexOf(QLatin1String("\r\n"), start - 2)) + 2;
        QCOMPARE(ed->Linha(), QString::number(lineNo));
        QCOMPARE(ed->Coluna(), QString::number(start - lineStart + 1));
        // Going to the line puts the caret at its start.
        ed->IrParaLinha(lineNo);
        QCOMPARE(ed->SelInicio(), lineStart);
        QCOMPARE(ed->Coluna(), QString("1"));
    }

    // Random edits through the members and the keys, against a model.
    void editsMatchAModel() {
        auto ed = NewEditor();
        ed->setQuebrarLinha(true);
        QString model = LongLine(2 * kLongBlock + 300) + "\r\nfim";
        ed->setTexto(model);
        QRandomGenerator rng(24);
        const QStringList inserts = {"x",
                                     "",
                                     "\r\n",
                                     "a\r\nb",
                                     LongLine(kLongBlock + 500),
                                     "1\r\n" + LongLine(kLongBlock * 2) + "\r\n2"};
        for (int step = 0; step < 400; ++step) {
            const int size = int(model.size());
            int at = int(rng.bounded(size + 1));
            // Display breaks are where keys misbehave: aim at them often.
            const QTextDocument *d = ed->surface()->document();
            const auto &soft = corvel::control::DisplayBreakBlocks(d);
            if (step % 3 == 0 && !soft.isEmpty()) {
                {
                    const int b = soft[int(rng.bounded(int(soft.size())))];
                    ed->surface()->setTextCursor(QTextCursor(d->findBlockByNumber(b)));
                    at = ed->SelInicio();
                    if (rng.bounded(2)) {
                        QTextCursor c = ed->surface()->textCursor();
                        c.movePosition(QTextCursor::PreviousCharacter);
                        ed->surface()->setTextCursor(c); // end of the piece before
                        QCOMPARE(ed->SelInicio(), at);
                    }
                }
            } else {
                CaretAt(*ed, at);
            }
            // Between CR and LF the caret sits at the end of the line.
            if (at > 0 && at < size && model[at - 1] == u'\r' && model[at] == u'\n') --at;
            QCOMPARE(ed->SelInicio(), at);
            const int action = int(rng.bounded(8));
            const auto prevChar = [&](int p) {
                return p >= 2 && model.mid(p - 2, 2) == QLatin1String("\r\n") ? 2 : p > 0 ? 1 : 0;
            };
            const auto nextChar = [&](int p) {
                return model.mid(p, 2) == QLatin1String("\r\n") ? 2 : p < model.size() ? 1 : 0;
            };
            QString what;
            switch (action) {
            case 0: {
                const QString s = inserts[int(rng.bounded(int(inserts.size())))];
                const int len = std::min(int(rng.bounded(40)), size - at);
                Select(*ed, at, len);
                const int selLen = ed->SelTamanho(); // a CR LF is taken whole
                ed->setSelTexto(s);
                model.replace(at, selLen, s);
                what = "setSelTexto";
                break;
            }
            case 1:
                Key(*ed, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
                model.insert(at, u'b');
                what = "typed";
                break;
            case 2:
                Key(*ed, Qt::Key_Backspace);
                model.remove(at - prevChar(at), prevChar(at));
                what = "Backspace";
                break;
            case 3:
                Key(*ed, Qt::Key_Delete);
                model.remove(at, nextChar(at));
                what = "Delete";
                break;
            case 4:
                Key(*ed, Qt::Key_Return);
                model.insert(at, QLatin1String("\r\n"));
                what = "Enter";
                break;
            case 5: {
                Key(*ed, Qt::Key_Right);
                QCOMPARE(ed->SelInicio(), at + nextChar(at));
                if (nextChar(at) > 0) Key(*ed, Qt::Key_Left);
                QCOMPARE(ed->SelInicio(), at);
                what = "arrows";
                break;
            }
            case 7: {
                // A selection deleted by the surface, across breaks of both
                // kinds.
                const int len = std::min(1 + int(rng.bounded(kLongBlock)), size - at);
                Select(*ed, at, len);
                const int selLen = ed->SelTamanho();
                if (selLen > 0) Key(*ed, rng.bounded(2) ? Qt::Key_Delete : Qt::Key_Backspace);
                model.remove(at, selLen);
                what = "selection deleted";
                break;
            }
            case 6:
                if (ed->PodeDesfazer() && rng.bounded(2)) {
                    // Undo then redo of the last step: back where it was.
                    const QString before = ed->Texto();
                    ed->surface()->undo();
                    ed->surface()->redo();
                    QCOMPARE(ed->Texto(), before);
                }
                what = "undo/redo";
                break;
            }
            const QString got = ed->Texto();
            int diff = 0;
            while (diff < got.size() && diff < model.size() && got[diff] == model[diff])
                ++diff;
            QVERIFY2(got == model, qPrintable(QStringLiteral("step %1 (%2 at %3): differs at %4")
                                                  .arg(step)
                                                  .arg(what)
                                                  .arg(at)
                                                  .arg(diff)));
            QCOMPARE(ed->Tamanho(), int(model.size()));
            QCOMPARE(ed->ContarLinhas(), int(model.count(QLatin1String("\r\n"))) + 1);
        }
        // Every step undone gives back the text put.
        while (ed->PodeDesfazer())
            ed->Desfazer();
        QCOMPARE(ed->Texto(), LongLine(2 * kLongBlock + 300) + "\r\nfim");
    }

    void pasteAndCopyKeepTheLineWhole() {
        auto ed = NewEditor();
        ed->setTexto(QStringLiteral("<p></p>"));
        CaretAt(*ed, 3);
        const QString line = LongLine(5 * kLongBlock);
        QMimeData data;
        data.setText(line);
        // Through the surface's own drop and paste path.
        struct Surface : EditSurface {
            using EditSurface::createMimeDataFromSelection;
            using EditSurface::insertFromMimeData;
        };
        static_cast<Surface *>(ed->surface())->insertFromMimeData(&data);
        QCOMPARE(ed->Texto(), "<p>" + line + "</p>");
        QVERIFY(Blocks(*ed) > 4);
        Select(*ed, 1, int(line.size()) + 4);
        std::unique_ptr<QMimeData> copied(
            static_cast<Surface *>(ed->surface())->createMimeDataFromSelection());
        QCOMPARE(copied->text(), "p>" + line + "</");
        // Undone as one step.
        ed->Desfazer();
        QCOMPARE(ed->Texto(), QStringLiteral("<p></p>"));
    }

    void searchFindsAcrossPieces() {
        auto ed = NewEditor();
        ed->setQuebrarLinha(true);
        QString line = QString(3 * kLongBlock, u'x');
        line.replace(kDisplayPieceProbe() - 3, 7, QStringLiteral("agulha!"));
        ed->setTexto(line);
        QVERIFY(Blocks(*ed) > 1);
        QVERIFY(ed->Procurar(QStringLiteral("agulha!")));
        QCOMPARE(ed->SelInicio(), kDisplayPieceProbe() - 3);
        QCOMPARE(ed->SelTexto(), QStringLiteral("agulha!"));
        CaretAt(*ed, 0);
        ed->SubstituirTodos(QStringLiteral("agulha!"), QStringLiteral("a\r\nb"));
        line.replace(QStringLiteral("agulha!"), QStringLiteral("a\r\nb"));
        QCOMPARE(ed->Texto(), line);
        QCOMPARE(ed->ContarLinhas(), 2);
    }

private:
    // Where the first display break of an unbroken run of x falls.
    static int kDisplayPieceProbe() { return corvel::control::kDisplayPiece; }
};

QTEST_MAIN(TestEditLongLines)
#include "tst_edit_longlines.moc"
