// Find, replace and go-to-line of the editor component.
#include "EditTestUtil.h"
#include "TextSearch.h"
#include "TimeLimits.h"

using namespace edittest;
using namespace corvel::control;

class TestEditSearch : public QObject {
    Q_OBJECT

private slots:
    void findStepsOverTheSelection() {
        auto ed = NewEditor();
        ed->setTexto("aaa");
        ed->setSelInicio(0);
        QVERIFY(ed->Procurar("aa"));
        QCOMPARE(ed->SelInicio(), 0);
        QCOMPARE(ed->SelTamanho(), 2);
        QVERIFY(ed->Procurar("aa"));
        QCOMPARE(ed->SelInicio(), 1);
        QCOMPARE(ed->SelTamanho(), 2);
        QVERIFY(!ed->Procurar("aa"));
        QCOMPARE(ed->SelInicio(), 1); // unchanged on failure
        QCOMPARE(ed->SelTamanho(), 2);
    }

    void caseAndWholeWord() {
        auto ed = NewEditor();
        ed->setTexto("Abc abc");
        ed->setSelInicio(0);
        QVERIFY(ed->Procurar("abc", true));
        QCOMPARE(ed->SelInicio(), 4);
        ed->setSelInicio(0);
        QVERIFY(ed->Procurar("abc", false));
        QCOMPARE(ed->SelInicio(), 0);
        ed->setTexto("abc ab_ ab");
        ed->setSelInicio(0);
        QVERIFY(ed->Procurar("ab", false, true));
        QCOMPARE(ed->SelInicio(), 8);
        ed->setTexto("abc");
        ed->setSelInicio(0);
        QVERIFY(!ed->Procurar("ab", false, true));
    }

    void findAcrossLinesCountsCrLf() {
        auto ed = NewEditor();
        ed->setTexto("one\r\ntwo\r\nthree two");
        ed->setSelInicio(0);
        QVERIFY(ed->Procurar("two"));
        QCOMPARE(ed->SelInicio(), 5);
        QVERIFY(ed->Procurar("two"));
        QCOMPARE(ed->SelInicio(), 16);
        QCOMPARE(ed->SelTexto(), QString("two"));
        ed->setSelInicio(0);
        QVERIFY(ed->Procurar("e\r\nt"));
        QCOMPARE(ed->SelInicio(), 2);
        QCOMPARE(ed->SelTexto(), QString("e\r\nt"));
    }

    void regExpWalk() {
        auto ed = NewEditor();
        ed->setTexto("x1 x2");
        ed->setSelInicio(0);
        QVERIFY(ed->ProcurarRegExp("x\\d"));
        QCOMPARE(ed->SelInicio(), 0);
        QCOMPARE(ed->SelTamanho(), 2);
        QVERIFY(ed->ProcurarRegExp("x\\d"));
        QCOMPARE(ed->SelInicio(), 3);
        QVERIFY(!ed->ProcurarRegExp("x\\d"));
        QCOMPARE(ed->SelInicio(), 3);
        QCOMPARE(ed->UltimoErro(), QString()); // not found is not an error
    }

    void regExpSkipsMatchAtUnselectedCaret() {
        auto ed = NewEditor();
        ed->setTexto("ab x1");
        ed->setSelInicio(3);
        QVERIFY(ed->Procurar("x1"));
        QCOMPARE(ed->SelInicio(), 3);
        ed->setSelInicio(3);
        QVERIFY(!ed->ProcurarRegExp("x1"));
        // Forward only: a match at 0 is not found from a caret further on.
        ed->setTexto("x1 ab");
        ed->setSelInicio(3);
        QVERIFY(!ed->ProcurarRegExp("x1"));
    }

    void regExpDialect() {
        auto ed = NewEditor();
        ed->setTexto("abc\r\ndef\r\n");
        ed->setSelInicio(0);
        // . does not run into the line break.
        QVERIFY(ed->ProcurarRegExp("b.*"));
        QCOMPARE(ed->SelTexto(), QString("bc"));
        // Not multi-line: $ only at the very end, ^ only at the start.
        ed->setSelInicio(0);
        QVERIFY(!ed->ProcurarRegExp("c$"));
        QVERIFY(!ed->ProcurarRegExp("^d"));
        ed->setSelInicio(0);
        QVERIFY(ed->ProcurarRegExp("f\\r\\n$"));
        QCOMPARE(ed->SelInicio(), 7);
        QCOMPARE(ed->SelTamanho(), 3);
        // Case option; a $ inside a class is a dollar.
        ed->setTexto("A$b");
        ed->setSelInicio(0);
        QVERIFY(!ed->ProcurarRegExp("a", false));
        QVERIFY(ed->ProcurarRegExp("[$]b"));
        QCOMPARE(ed->SelInicio(), 1);
        // A zero-length match is an empty selection at its place.
        ed->setTexto("ab");
        Select(*ed, 0, 1);
        QVERIFY(ed->ProcurarRegExp("(?=b)"));
        QCOMPARE(ed->SelInicio(), 1);
        QCOMPARE(ed->SelTamanho(), 0);
    }

    // The ECMAScript forms the engine lacks are translated, inside classes
    // too; the text is searched from 0 with nothing selected.
    void ecmaScriptForms_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("found"); // "-" for no match
        QTest::newRow("\\u") << "xAy"
                             << "\\u0041"
                             << "A";
        QTest::newRow("\\u ignoring case") << "xay"
                                           << "\\u0041"
                                           << "a";
        QTest::newRow("\\u beyond latin")
            << QString::fromUtf8("a€b") << "\\u20AC" << QString::fromUtf8("€");
        QTest::newRow("\\u in class") << "x-b"
                                      << "[\\u002d\\u0061]"
                                      << "-";
        QTest::newRow("\\u in range") << "123c"
                                      << "[\\u0061-\\u0063]+"
                                      << "c";
        QTest::newRow("\\u short is u") << "xu00y"
                                        << "\\u00"
                                        << "u00";
        QTest::newRow("\\x") << "x-y"
                             << "\\x2d"
                             << "-";
        QTest::newRow("\\x short is x") << "axg"
                                        << "\\xg"
                                        << "xg";
        QTest::newRow("[^] crosses lines") << "a\r\nb"
                                           << "a[^][^]b"
                                           << "a\r\nb";
        QTest::newRow("[] matches nothing") << "ab"
                                            << "a[]|b"
                                            << "b";
        QTest::newRow("[]] is [] then ]") << "]a"
                                          << "[]]|a"
                                          << "a";
        QTest::newRow("escaped bracket") << "a[]"
                                         << "\\[\\]"
                                         << "[]";
        QTest::newRow("[\\]] keeps its class") << "a]"
                                               << "[\\]]"
                                               << "]";
    }
    void ecmaScriptForms() {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(QString, found);
        auto ed = NewEditor();
        ed->setTexto(text);
        ed->setSelInicio(0);
        const bool ok = ed->ProcurarRegExp(pattern);
        QCOMPARE(ed->UltimoErro(), QString());
        QCOMPARE(ok ? ed->SelTexto() : QString("-"), found);
    }

    // The error names the place in the pattern as the user wrote it, counted
    // from 1, after any translation before it.
    void invalidPatternNamesItsPlace_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("position");
        QTest::newRow("open group") << "(ab" << 4;
        QTest::newRow("after \\u") << "\\u0041\\u0042(" << 14;
        QTest::newRow("quantifier first") << "*a" << 1;
        QTest::newRow("after [^]") << "[^]x)" << 5;
    }
    void invalidPatternNamesItsPlace() {
        QFETCH(QString, pattern);
        QFETCH(int, position);
        auto ed = NewEditor();
        ed->setTexto("abc");
        ed->setSelInicio(0);
        QVERIFY(!ed->ProcurarRegExp(pattern));
        QVERIFY2(ed->UltimoErro().startsWith(
                     QString("Expressão regular inválida (posição %1): ").arg(position)),
                 qPrintable(ed->UltimoErro()));
    }

    void invalidPatternIsReportedNotThrown() {
        auto ed = NewEditor();
        ed->setTexto("(abc");
        Select(*ed, 1, 2);
        QVERIFY(!ed->ProcurarRegExp("(ab"));
        QVERIFY(ed->UltimoErro().startsWith("Expressão regular inválida"));
        QCOMPARE(ed->SelInicio(), 1);
        QCOMPARE(ed->SelTamanho(), 2);
        // The next valid search clears it.
        ed->setSelInicio(0);
        QVERIFY(ed->ProcurarRegExp("\\(ab"));
        QCOMPARE(ed->UltimoErro(), QString());
    }

    void replaceOne() {
        auto ed = NewEditor();
        ed->setTexto("cat cat cat");
        ed->setSelInicio(0);
        QVERIFY(ed->Procurar("cat"));
        QVERIFY(ed->Substituir("cat", "dog"));
        QCOMPARE(ed->Texto(), QString("dog cat cat"));
        QCOMPARE(ed->SelInicio(), 4);
        QCOMPARE(ed->SelTamanho(), 3);
        QVERIFY(ed->Substituir("cat", "dog"));
        QVERIFY(!ed->Substituir("cat", "dog"));
        QCOMPARE(ed->Texto(), QString("dog dog dog"));
        QCOMPARE(ed->SelInicio(), 11);
        QCOMPARE(ed->SelTamanho(), 0);
    }

    void replaceAll() {
        auto ed = NewEditor();
        ed->setTexto("a a");
        ed->setSelInicio(0);
        ed->SubstituirTodos("a", "aa");
        QCOMPARE(ed->Texto(), QString("aa aa"));
        QCOMPARE(ed->SelInicio(), 5);
        QCOMPARE(ed->SelTamanho(), 0);
        QCOMPARE(ed->Alterado(), true);
        // From the caret, not from the start.
        ed->setTexto("x\r\nx\r\nx");
        ed->setSelInicio(3);
        ed->SubstituirTodos("x", "y\nz");
        QCOMPARE(ed->Texto(), QString("x\r\ny\r\nz\r\ny\r\nz"));
        QCOMPARE(ed->SelInicio(), 13);
        // A selected occurrence is stepped over, as Procurar does.
        ed->setTexto("ab ab ab");
        Select(*ed, 0, 2);
        ed->SubstituirTodos("ab", "");
        QCOMPARE(ed->Texto(), QString("ab  "));
        // Nothing found: selection untouched, no change.
        ed->setGravado(true);
        Select(*ed, 1, 1);
        ed->SubstituirTodos("zz", "y");
        QCOMPARE(ed->SelInicio(), 1);
        QCOMPARE(ed->SelTamanho(), 1);
        QCOMPARE(ed->Gravado(), true);
        // One undo takes back the whole replacement.
        ed->setTexto("q q q");
        ed->setSelInicio(0);
        ed->SubstituirTodos("q", "w");
        ed->Desfazer();
        QCOMPARE(ed->Texto(), QString("q q q"));
    }

    void replaceAllWholeWordsSeesReplacedText() {
        // After "a" -> "b" the next "a" follows a word character in the new
        // text, exactly as the one-by-one loop would see it.
        QCOMPARE(FindAllForReplace("a a", "a", "b", 0, false, true), (QVector<int>{0, 2}));
        QCOMPARE(FindAllForReplace("aa", "a", "b", 0, false, true), QVector<int>{});
        QCOMPARE(FindAllForReplace("a-a", "a", "", 0, false, true), (QVector<int>{0, 2}));
        QCOMPARE(FindAllForReplace("xa", "a", "", 0, false, true), QVector<int>{});
        QCOMPARE(FindAllForReplace("aaa", "aa", "b", 0, true, false), QVector<int>{0});
        QCOMPARE(FindAllForReplace("AbAb", "ab", "", 1, false, false), QVector<int>{2});
        QCOMPARE(FindAllForReplace("abc", "", "x", 0, false, false), QVector<int>{});
    }

    void replaceAllOnALargeText() {
        auto ed = NewEditor();
        QString text;
        for (int i = 0; i < 20000; ++i)
            text += "<td>cell</td>\r\n";
        ed->setTexto(text);
        ed->setSelInicio(0);
        QElapsedTimer t;
        t.start();
        ed->SubstituirTodos("td", "th");
        QVERIFY2(t.elapsed() < test_time::Limit(3000), qPrintable(QString::number(t.elapsed())));
        QString expected = text;
        expected.replace("td", "th");
        QCOMPARE(ed->Texto(), expected);
    }

    void goToLine() {
        auto ed = NewEditor();
        ed->setQuebrarLinha(true);
        ed->setTexto("l1\r\nl2\r\nl3");
        ed->setSelInicio(5);
        ed->IrParaLinha(1);
        QCOMPARE(ed->SelInicio(), 0);
        QCOMPARE(ed->SelTamanho(), 0);
        ed->IrParaLinha(4);
        QCOMPARE(ed->SelInicio(), 8);
        ed->IrParaLinha(100);
        QCOMPARE(ed->SelInicio(), 8);
        ed->IrParaLinha(2);
        QCOMPARE(ed->SelInicio(), 4);
        // 0: the start of the caret's own line.
        ed->setSelInicio(6);
        ed->IrParaLinha(0);
        QCOMPARE(ed->SelInicio(), 4);
        // Negative: nothing moves.
        ed->setSelInicio(6);
        ed->IrParaLinha(-3);
        QCOMPARE(ed->SelInicio(), 6);
    }
};

QTEST_MAIN(TestEditSearch)
#include "tst_edit_search.moc"
