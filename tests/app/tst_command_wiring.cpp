// Every menu command is wired: a handler registered for an id that no menu
// row or toolbar button has is refused, and every menu item gets a handler
// when all subsystems register, except the rows listed below.
#include "ControlHost.h"
#include "Folders.h"
#include "MenuTable.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "Subsystems.h"
#include "ToolbarTable.h"
#include "frmMain.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

using corvel::CommandId;
namespace cmd = corvel::cmd;

namespace {

// Rows whose handlers are attached while the program runs, not at
// registration.
const CommandId kAttachedAtRunTime[] = {
    CommandId(), // none today; keep the list so the rule stays explicit
};

// Rows whose commands are not built yet (each belongs to an open issue).
// Remove a row here when its command is built: the test fails while a
// listed row has a handler.
const CommandId kNotBuiltYet[] = {
    CommandId(), // every command is built today; keep the list for the next ones
};

template <std::size_t N> bool Listed(const CommandId (&list)[N], CommandId id) {
    for (const CommandId &x : list)
        if (x.IsValid() && x == id) return true;
    return false;
}

QStringList g_warnings;
void Collect(QtMsgType type, const QMessageLogContext &, const QString &text) {
    if (type == QtWarningMsg) g_warnings << text;
}

} // namespace

class tst_command_wiring : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      QStringLiteral("/libCorvelControl.so"));
        corvel::SetProgramFolderOverride(m_dir.path());
        corvel::SetSettingsFileOverride(m_dir.filePath(QStringLiteral("settings.ini")));
        ApplyDefaultSettings(true);
    }

    void everyRowHasItsHandlerAndNoHandlerIsStray() {
        ScriptedDialogs dialogs;
        frmMain m;
        g_warnings.clear();
        const QtMessageHandler before = qInstallMessageHandler(Collect);
        RegisterSubsystems(m);
        qInstallMessageHandler(before);
        QStringList refused;
        for (const QString &w : std::as_const(g_warnings))
            if (w.contains(QLatin1String("refused"))) refused << w;
        QVERIFY2(refused.isEmpty(), qPrintable(refused.join(QLatin1Char('\n'))));

        std::size_t count = 0;
        const corvel::MenuRow *rows = corvel::MenuTable(&count);
        QSet<QString> parents;
        for (std::size_t i = 0; i < count; ++i)
            if (rows[i].parent.IsValid()) parents.insert(rows[i].parent.Name());
        QStringList missing, builtButListed;
        for (std::size_t i = 0; i < count; ++i) {
            const corvel::MenuRow &r = rows[i];
            if (qstrcmp(r.caption, "-") == 0 || parents.contains(r.id.Name())) continue;
            const bool listed = Listed(kAttachedAtRunTime, r.id) || Listed(kNotBuiltYet, r.id);
            if (!listed && !m.HasHandler(r.id)) missing << r.id.Name();
            if (Listed(kNotBuiltYet, r.id) && m.HasHandler(r.id)) builtButListed << r.id.Name();
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no handler: ") + missing.join(' ')));
        QVERIFY2(builtButListed.isEmpty(),
                 qPrintable(QStringLiteral("built, still listed: ") + builtButListed.join(' ')));
        // The toolbar's own command is wired too.
        QVERIFY(m.HasHandler(cmd::CycleQuoteStyle));
    }

    void idsNameTheirRows_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("known");
        QTest::newRow("item") << QStringLiteral("mnuArquivoAbrir") << true;
        QTest::newRow("array item") << QStringLiteral("mnuHeader(6)") << true;
        QTest::newRow("array item out of range") << QStringLiteral("mnuHeader(7)") << false;
        QTest::newRow("array base") << QStringLiteral("mnuHeader") << false;
        QTest::newRow("submenu") << QStringLiteral("mnuFormatarHeader") << true;
        QTest::newRow("row named with mno") << QStringLiteral("mnoOpcoesCorFundo") << true;
        QTest::newRow("toolbar command") << QStringLiteral("CycleQuoteStyle") << true;
        QTest::newRow("case differs") << QStringLiteral("mnuarquivoabrir") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void idsNameTheirRows() {
        QFETCH(QString, name);
        QFETCH(bool, known);
        const CommandId id = corvel::CommandByName(name);
        QCOMPARE(id.IsValid(), known);
        if (known) QCOMPARE(id.Name(), name);
    }

    void everyRowAndButtonHasADistinctId() {
        std::size_t count = 0;
        const corvel::MenuRow *rows = corvel::MenuTable(&count);
        QSet<QString> names;
        for (std::size_t i = 0; i < count; ++i) {
            QVERIFY2(!names.contains(rows[i].id.Name()), qPrintable(rows[i].id.Name()));
            names.insert(rows[i].id.Name());
            QVERIFY(corvel::CommandByName(rows[i].id.Name()) == rows[i].id);
        }
        const corvel::ToolbarRow *buttons = corvel::ToolbarTable(&count);
        for (std::size_t i = 0; i < count; ++i)
            if (buttons[i].command.IsValid() && buttons[i].command != cmd::CycleQuoteStyle)
                QVERIFY2(names.contains(buttons[i].command.Name()),
                         qPrintable(buttons[i].command.Name()));
    }

    void unknownIdIsRefusedAndWarned() {
        ScriptedDialogs dialogs;
        frmMain m;
        const CommandId typo("mnuArquivoAbir");
        int runs = 0;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mnuArquivoAbir")));
        QVERIFY(!m.SetHandler(typo, [&] { ++runs; }));
        QVERIFY(!m.HasHandler(typo));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mnuArquivoAbir")));
        QVERIFY(!m.CommandEnabled(typo));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mnuArquivoAbir")));
        QVERIFY(!m.Trigger(typo));
        QCOMPARE(runs, 0);
        // An item of an array beyond the rows is unknown too.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("mnuHeader\\(7\\)")));
        QVERIFY(!m.SetHandler(cmd::Header(7), [] {}));
        // A known id without a handler is merely disabled, without a warning.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QVERIFY(!m.CommandEnabled(cmd::AjudaSobreCorvel));
    }
};

QTEST_MAIN(tst_command_wiring)
#include "tst_command_wiring.moc"
