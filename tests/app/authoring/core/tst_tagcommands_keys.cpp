// Snippet keys by physical key on the US and ABNT2 layouts, and the per-tag
// choice between the bare tag and the command dialog.
#include "SnippetKeys.h"
#include "TagTables.h"

#include <QtTest>

using namespace corvel;

class TestTagCommandKeys : public QObject {
    Q_OBJECT
private slots:
    void physicalKeys_data();
    void physicalKeys();
    void snippetTable();
    void bareTagRule();
    void tablesNameEachItemOnce();
};

void TestTagCommandKeys::physicalKeys_data() {
    QTest::addColumn<uint>("code");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");
    // Shift+Ctrl+1 arrives as "!" (both layouts); the key code decides.
    QTest::newRow("1 us") << 10u << int(Qt::Key_Exclam) << "1";
    QTest::newRow("6 us") << 15u << int(Qt::Key_AsciiCircum) << "6";
    QTest::newRow("6 abnt2") << 15u << int(Qt::Key_Dead_Diaeresis) << "6";
    QTest::newRow("0") << 19u << int(Qt::Key_ParenRight) << "0";
    QTest::newRow("minus") << 20u << int(Qt::Key_Underscore) << "-";
    QTest::newRow("equal") << 21u << int(Qt::Key_Plus) << "=";
    QTest::newRow("comma") << 59u << int(Qt::Key_Less) << ",";
    QTest::newRow("period") << 60u << int(Qt::Key_Greater) << ".";
    // Brackets sit on different keys: the shifted symbol decides.
    QTest::newRow("[ us") << 34u << int(Qt::Key_BraceLeft) << "[";
    QTest::newRow("] us") << 35u << int(Qt::Key_BraceRight) << "]";
    QTest::newRow("[ abnt2") << 35u << int(Qt::Key_BraceLeft) << "[";
    QTest::newRow("] abnt2") << 51u << int(Qt::Key_BraceRight) << "]";
    QTest::newRow("/ us") << 61u << int(Qt::Key_Question) << "/";
    QTest::newRow("/ abnt2") << 97u << int(Qt::Key_Question) << "/";
    // A dead key in the US bracket position falls back on that position.
    QTest::newRow("dead grave abnt2") << 34u << int(Qt::Key_Dead_Grave) << "[";
    // Letters by label; without a key code, symbols alone.
    QTest::newRow("B") << 56u << int(Qt::Key_B) << "B";
    QTest::newRow("no code !") << 0u << int(Qt::Key_Exclam) << "1";
    QTest::newRow("backslash us") << 51u << int(Qt::Key_Bar) << "";
    QTest::newRow("F5") << 71u << int(Qt::Key_F5) << "";
}

void TestTagCommandKeys::physicalKeys() {
    QFETCH(uint, code);
    QFETCH(int, key);
    QFETCH(QString, expected);
    const QChar c = SnippetKeyChar(code, key);
    QCOMPARE(c.isNull() ? QString() : QString(c), expected);
}

void TestTagCommandKeys::snippetTable() {
    const TagSnippet *s = SnippetForKey(u'=');
    QVERIFY(s);
    QCOMPARE(QString(s->openText), QString("= \""));
    QCOMPARE(s->caretBack, 1);
    s = SnippetForKey(u']');
    QVERIFY(s && s->separateLines && s->innerLine);
    QCOMPARE(SnippetForKey(u'7')->openText, SnippetForKey(u'/')->openText);
    QCOMPARE(QString(SnippetForKey(u'B')->openText), QString("& vbCrLf"));
    QVERIFY(!SnippetForKey(u'Q'));
    QVERIFY(!SnippetForKey(u'2'));
    QVERIFY(!SnippetForKey(u'X'));
}

void TestTagCommandKeys::bareTagRule() {
    QVERIFY(WritesBareTag("1", false, false, true));
    QVERIFY(!WritesBareTag("0", false, false, true));
    QVERIFY(!WritesBareTag("2", false, false, true));
    QVERIFY(!WritesBareTag("", false, false, true));
    QVERIFY(!WritesBareTag("1", true, false, true));
    QVERIFY(!WritesBareTag("1", false, true, true));
    // List item and option ignore the right Control key, not Scroll Lock.
    QVERIFY(WritesBareTag("1", false, true, false));
    QVERIFY(!WritesBareTag("1", true, false, false));
    for (const PerTagCommand &c : PerTagCommands()) {
        const bool ignores =
            c.menu == corvel::cmd::ListaItem || c.menu == corvel::cmd::FormularioItens;
        QCOMPARE(c.honoursRightControl, !ignores);
    }
}

void TestTagCommandKeys::tablesNameEachItemOnce() {
    QSet<QString> names;
    int n = 0;
    for (const auto &c : InlineTagCommands())
        names.insert(c.menu.Name()), ++n;
    for (const auto &c : PerTagCommands())
        names.insert(c.menu.Name()), ++n;
    for (const auto &c : ComandoCommands())
        names.insert(c.menu.Name()), ++n;
    QCOMPARE(names.size(), n);
    // Caret placement needs caretBack to match the closing text where one is
    // meant to land between the tags.
    for (const auto &c : InlineTagCommands())
        if (c.menu.Name().startsWith(QLatin1String("mnuFormatar")) ||
            c.menu.Name().startsWith(QLatin1String("mnuHeader")))
            QCOMPARE(c.snippet.caretBack, int(qstrlen(c.snippet.closeText)));
}

QTEST_APPLESS_MAIN(TestTagCommandKeys)
#include "tst_tagcommands_keys.moc"
