#include "CommandResult.h"

#include <QtTest>

using namespace corvel;

class tst_comando_result : public QObject {
    Q_OBJECT
private slots:
    void bareElement() {
        QCOMPARE(BuildResult("BR", {{"CLEAR", ""}}, "  ", {{"color", "", " "}}, {{"onClick", " "}}),
                 QString("<BR>"));
    }
    void parametersInOrder() {
        const QVector<CommandParameter> p = {
            {"SRC", "a b.gif"}, {"ALT", ""}, {"ISMAP", "!FLAG!"}, {"WIDTH", "10"}};
        QCOMPARE(BuildResult("IMG", p, "", {}, {}),
                 QString("<IMG SRC=\"a b.gif\" ISMAP WIDTH=\"10\">"));
    }
    void classStyleAndEvents() {
        const QVector<StyleProperty> s = {
            {"color", "#cores", " red "}, {"margin", "", ""}, {"font-size", "", "12px"}};
        const QVector<ScriptEvent> e = {{"onClick", " go() "}, {"onLoad", ""}, {"onBlur", "x"}};
        QCOMPARE(BuildResult("DIV", {{"ID", "m"}}, " menu ", s, e),
                 QString("<DIV ID=\"m\" CLASS=\"menu\" STYLE=\"color:red;font-size:12px\" "
                         "onClick=\"go()\" onBlur=\"x\">"));
        QCOMPARE(BuildResult("SPAN", {}, "", s, {}),
                 QString("<SPAN STYLE=\"color:red;font-size:12px\">"));
    }
    void linkText() {
        QCOMPARE(LinkTextOf("<A HREF=\"mailto:ana@x.com\" TARGET=\"_top\">"), QString("ana@x.com"));
        QCOMPARE(LinkTextOf("<A HREF=\"pag.html\">"), QString("pag.html"));
        QCOMPARE(LinkTextOf("<A NAME=\"x\">"), QString());
        QCOMPARE(LinkTextOf("<A HREF=\"open"), QString());
    }
    void advancedChoice() {
        QVERIFY(!UseAdvancedDefinition(false, "2", "1", true, true));
        QVERIFY(!UseAdvancedDefinition(true, "1", "0", false, false));
        QVERIFY(!UseAdvancedDefinition(true, "", "", false, false));
        QVERIFY(UseAdvancedDefinition(true, "2", "0", false, false));
        QVERIFY(UseAdvancedDefinition(true, "0", "1", false, false));
        QVERIFY(UseAdvancedDefinition(true, "0", "0", true, false));
        QVERIFY(UseAdvancedDefinition(true, "0", "0", false, true));
    }
};

QTEST_APPLESS_MAIN(tst_comando_result)
#include "tst_comando_result.moc"
