// Expanding script templates: placeholders, indentation to the caret's
// column, and where the caret lands.
#include "ScriptExpansion.h"

#include <QtTest>

using namespace corvel;

class TestScriptExpansion : public QObject {
    Q_OBJECT
private slots:
    void expand_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caretBack");

        const QString three = QStringLiteral("   ");
        QTest::newRow("if block at column 5")
            << "if (<#P1#>) {<##><#T#><#C#><##>}" << QStringList{"x > 0"} << 5 << three
            << "if (x > 0) {\r\n       \r\n    }" << 7;
        QTest::newRow("two empty parameters: caret at the first")
            << "f(<#P1#>, <#P2#>);" << QStringList{"", ""} << 1 << three << "f(, );" << 4;
        QTest::newRow("empty parameter with a caret mark disappears")
            << "f(<#P1#>);<#C#>" << QStringList{""} << 1 << three << "f();" << 0;
        QTest::newRow("filled parameters everywhere")
            << "for (<#P1#> = 0; <#P1#> < <#P2#>; <#P1#>++) {<##><#T#><#C#><##>}"
            << QStringList{"i", "10"} << 1 << "  "
            << "for (i = 0; i < 10; i++) {\r\n  \r\n}" << 3;
        QTest::newRow("fourth parameter")
            << "<#P1#>-<#P4#>" << QStringList{"a", "b", "c", "d"} << 1 << three << "a-d" << 0;
        QTest::newRow("empty line takes the caret")
            << "a<##><##>b" << QStringList() << 1 << three << "a\r\n\r\nb" << 3;
        QTest::newRow("empty line at column 5 lines up")
            << "a<##><##>b" << QStringList() << 5 << three << "a\r\n    \r\n    b" << 7;
        QTest::newRow("caret mark beats the empty line")
            << "a<##><##>b<#C#>c" << QStringList() << 1 << three << "a\r\n\r\nbc" << 1;
        QTest::newRow("space mark at the end survives")
            << "abc<#E#>" << QStringList() << 1 << three << "abc " << 0;
        QTest::newRow("space mark after the caret counts as one character")
            << "x = <#C#>;<#E#>" << QStringList() << 1 << three << "x = ; " << 2;
        QTest::newRow("space mark before the caret")
            << "a<#E#><#C#>b" << QStringList() << 1 << three << "a b" << 1;
        QTest::newRow("every caret mark goes, the first one counts")
            << "<#C#>a<#C#>b" << QStringList() << 1 << three << "ab" << 2;
        QTest::newRow("trimmed indentation after the caret")
            << "a<#C#><#T#>" << QStringList() << 1 << three << "a" << 0;
        QTest::newRow("template spaces trimmed")
            << "   abc   " << QStringList() << 1 << three << "abc" << 0;
        QTest::newRow("trailing break keeps no pad")
            << "abc<##>" << QStringList() << 5 << three << "abc\r\n"
            << 0;
        QTest::newRow("real tab step") << "{<##><#T#><#C#><##>}" << QStringList() << 1 << "\t"
                                       << "{\r\n\t\r\n}" << 3;
        QTest::newRow("stored line ends are dropped")
            << "a\r\nb" << QStringList() << 1 << three << "ab" << 0;
        QTest::newRow("values are taken as typed")
            << "s = '<#P1#>';<#P2#>" << QStringList{"<#C#><##><#T#>", ""} << 1 << three
            << "s = '<#C#><##><#T#>';" << 0;
        QTest::newRow("value naming a later placeholder")
            << "<#P1#>|<#P2#>" << QStringList{"<#P2#>", "b"} << 1 << three << "<#P2#>|b" << 0;
        QTest::newRow("empty template") << "" << QStringList() << 7 << three << "" << 0;
        QTest::newRow("missing values count as empty")
            << "f(<#P3#>)" << QStringList{"a"} << 1 << three << "f()" << 1;
    }
    void expand() {
        QFETCH(QString, output);
        QFETCH(QStringList, values);
        QFETCH(int, column);
        QFETCH(QString, step);
        QFETCH(QString, text);
        QFETCH(int, caretBack);
        const ScriptExpansion r = ExpandScript(output, values, column, step);
        QCOMPARE(r.text, text);
        QCOMPARE(r.caretBack, caretBack);
    }

    void indentStep_data() {
        QTest::addColumn<bool>("realTab");
        QTest::addColumn<int>("spaces");
        QTest::addColumn<QString>("step");
        QTest::newRow("three spaces") << false << 3 << "   ";
        QTest::newRow("tab wins") << true << 3 << "\t";
        QTest::newRow("none") << false << 0 << "";
        QTest::newRow("negative") << false << -2 << "";
    }
    void indentStep() {
        QFETCH(bool, realTab);
        QFETCH(int, spaces);
        QFETCH(QString, step);
        QCOMPARE(ScriptIndentStep(realTab, spaces), step);
    }
};

QTEST_GUILESS_MAIN(TestScriptExpansion)
#include "tst_scriptexpansion.moc"
