// The document cache: what survives a crash, what the start asks when files
// changed meanwhile, the exit protocol, the auto-save timer and orphan copies.
#include "CacheIndex.h"
#include "CacheRecovery.h"
#include "FilesFixture.h"

#include <QTimer>
#include <QtTest>
#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

using namespace files_test;
using corvel::MsgAnswer;

namespace {

const QString kFileText = QStringLiteral("<html>\r\n<body>arquivo</body>\r\n</html>");
const QString kEdited = QStringLiteral("<html>\r\n<body>editado no Corvel</body>\r\n</html>");
const QString kNewText = QStringLiteral("texto sem arquivo\r\nsegunda linha");

ICorvelEdit *DocumentWithText(frmMain &m, const QString &text) {
    for (ICorvelEdit *ed : m.Documents())
        if (ed->Texto() == text) return ed;
    return nullptr;
}

// A file-size limit for the scope: writes beyond it fail as on a full disk
// (for root too, unlike permissions); the index stays small enough to pass.
struct SizeLimit {
    struct rlimit old;
    explicit SizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};

const QString kBigText = QString(64 * 1024, QLatin1Char('n'));

corvel::CacheEntry EntryOf(frmMain &m, ICorvelEdit *ed) {
    for (const corvel::CacheEntry &e : corvel::ReadCacheIndex())
        if (e.nnn == m.DocumentKey(ed)) return e;
    return {};
}

} // namespace

class TestCacheRecovery : public QObject {
    Q_OBJECT

    // One run that opens a file and creates an unnamed document, edits
    // both, lets one auto-save happen and then dies without its unload.
    void crashedSession(Home &home, const QString &file) {
        QVERIFY(WriteBytes(file, kFileText.toUtf8()));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"),
                     QStringLiteral("1"));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *named = OpenPath(*m, file);
        QVERIFY(named);
        QCOMPARE(named->Arquivo(), file);
        named->setTexto(kEdited);
        named->setSelInicio(9);
        named->setSelTamanho(4);
        QVERIFY(m->Trigger(corvel::cmd::ArquivoNovo));
        ICorvelEdit *unnamed = m->CurrentEditor();
        QVERIFY(unnamed && unnamed != named);
        unnamed->setTexto(kNewText);
        unnamed->setSelInicio(3);
        unnamed->setSelTamanho(2);
        m->hooks().autoSaveTick();
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Auto Gravação"));
        const QVector<corvel::CacheEntry> index = corvel::ReadCacheIndex();
        int withCopy = 0;
        for (const auto &e : index)
            if (!e.copy.isEmpty() && QFileInfo::exists(home.docs() + e.copy)) ++withCopy;
        QCOMPARE(withCopy, 2);
        // The crash: the window goes without its unload.
    }

private slots:
    void initTestCase() { UseControlLibrary(); }

    void bothDocumentsComeBackAfterACrash() {
        Home home;
        const QString file = home.work(QStringLiteral("pagina.html"));
        crashedSession(home, file);
        if (QTest::currentTestFailed()) return;

        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QVERIFY(!m->LoadFailed());
        QCOMPARE(m->Documents().size(), 2);
        ICorvelEdit *named = DocumentWithText(*m, kEdited);
        ICorvelEdit *unnamed = DocumentWithText(*m, kNewText);
        QVERIFY(named && unnamed);
        QCOMPARE(named->Arquivo(), file);
        QVERIFY(!named->Gravado());
        QCOMPARE(named->SelInicio(), 9);
        QCOMPARE(named->SelTamanho(), 4);
        QCOMPARE(m->TabCaption(named), QStringLiteral("pagina.html"));
        QVERIFY(unnamed->Arquivo().isEmpty());
        QVERIFY(!unnamed->Gravado());
        QCOMPARE(unnamed->SelInicio(), 3);
        QCOMPARE(unnamed->SelTamanho(), 2);
        QCOMPARE(m->TabCaption(unnamed),
                 QStringLiteral("Doc ") + QString::number(m->DocumentKey(unnamed).toInt()));
        QVERIFY(dialogs.messages.isEmpty()); // nothing changed on disk: no question
        // The file on disk was never touched by the cache.
        QCOMPARE(ReadBytes(file), kFileText.toUtf8());
        // The rebuilt index lists both documents by their new numbers.
        QCOMPARE(corvel::ReadCacheIndex().size(), 2);
    }

    void changedFileAsksAndYesKeepsTheCache() {
        Home home;
        const QString file = home.work(QStringLiteral("a.html"));
        crashedSession(home, file);
        if (QTest::currentTestFailed()) return;
        const QByteArray other = "mudado por outro programa, com outro tamanho";
        WriteBytes(file, other);

        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(MsgAnswer::Yes);
        auto m = LoadWindow();
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Data e/ou Tamanho Diferente")), 1);
        const QString q = dialogs.messages.first().text;
        QVERIFY(q.contains(
            QStringLiteral("Tamanho do arquivo existente em disco: \t%1 bytes").arg(other.size())));
        QVERIFY(
            q.startsWith(QStringLiteral("O arquivo ") + file + QStringLiteral(" foi alterado")));
        ICorvelEdit *named = DocumentWithText(*m, kEdited);
        QVERIFY(named);
        QVERIFY(!named->Gravado());
        QVERIFY(named->Alterado());
        QCOMPARE(named->SelInicio(), 0);
        QCOMPARE(ReadBytes(file), other);
    }

    void changedFileNoTakesTheDisk() {
        Home home;
        const QString file = home.work(QStringLiteral("b.html"));
        crashedSession(home, file);
        if (QTest::currentTestFailed()) return;
        WriteBytes(file, "versao do disco");

        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(MsgAnswer::No);
        auto m = LoadWindow();
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Data e/ou Tamanho Diferente")), 1);
        ICorvelEdit *named = DocumentWithText(*m, QStringLiteral("versao do disco"));
        QVERIFY(named);
        QVERIFY(named->Gravado());
        QCOMPARE(named->Arquivo(), file);
        QVERIFY(DocumentWithText(*m, kNewText));
    }

    void removedFileYesWritesItAgain() {
        Home home;
        const QString file = home.work(QStringLiteral("c.html"));
        crashedSession(home, file);
        if (QTest::currentTestFailed()) return;
        QFile::remove(file);

        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(MsgAnswer::Yes);
        auto m = LoadWindow();
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Arquivo Removido")), 1);
        QCOMPARE(dialogs.messages.first().text,
                 QStringLiteral("O arquivo ") + file +
                     QStringLiteral(", que estava em edição na última execução do Corvel, não "
                                    "existe mais neste local no disco. Você deseja recriá-lo "
                                    "baseando nos dados do cache do Corvel ou apenas prosseguir "
                                    "com a edição como se fosse um arquivo que ainda não foi "
                                    "gravado?\r\n\r\nClique 'Sim' para recriar o arquivo\r\n"
                                    "Clique 'Não' para apenas prosseguir com a edição"));
        QCOMPARE(dialogs.messages.first().icon, corvel::MsgIcon::Warning);
        QCOMPARE(ReadBytes(file), kEdited.toUtf8());
        ICorvelEdit *named = DocumentWithText(*m, kEdited);
        QVERIFY(named);
        QCOMPARE(named->Arquivo(), file);
        QVERIFY(named->Gravado());
        QCOMPARE(m->TabCaption(named), QStringLiteral("c.html"));
    }

    void removedFileNoKeepsAnUnsavedDocument() {
        Home home;
        const QString file = home.work(QStringLiteral("d.html"));
        crashedSession(home, file);
        if (QTest::currentTestFailed()) return;
        QFile::remove(file);

        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(MsgAnswer::No);
        auto m = LoadWindow();
        QVERIFY(!QFileInfo::exists(file));
        ICorvelEdit *named = DocumentWithText(*m, kEdited);
        QVERIFY(named);
        QVERIFY(named->Arquivo().isEmpty());
        QVERIFY(!named->Gravado());
    }

    void damagedIndexNeverStopsTheStart() {
        Home home;
        // Copies written by a real editor, then an index full of faults.
        {
            ScriptedDialogs dialogs;
            auto m = LoadWindow();
            ICorvelEdit *ed = m->CurrentEditor();
            ed->setTexto(QStringLiteral("um"));
            QVERIFY(corvel::WriteTemporaryCopy(ed));
            QVERIFY(QFile::copy(home.docs() + ed->ArquivoTemporario(),
                                home.docs() + QStringLiteral("dois.ctm")));
            QVERIFY(QFile::copy(home.docs() + ed->ArquivoTemporario(),
                                home.docs() + QStringLiteral("um.ctm")));
            QFile::remove(home.docs() + ed->ArquivoTemporario());
        }
        const QString file = home.work(QStringLiteral("e.html"));
        WriteBytes(file, "disco");
        WriteBytes(home.dir.filePath(QStringLiteral("prog/segredo.txt")), "nao");
        WriteBytes(corvel::CacheIndexPath(),
                   "[Arquivo]\r\n001=" + file.toUtf8() +
                       "\r\n[Temporario]\r\n001=um.ctm\r\n002=dois.ctm\r\n003=../segredo.txt\r\n"
                       "004=sumiu.ctm\r\n005=um.ctm\r\n[TemporarioConfig]\r\n001=lixo\r\n"
                       "002=99999999,x\r\n[ArquivoInfo]\r\n001=sem virgula\r\n");
        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(MsgAnswer::Yes); // keep the cached text
        auto m = LoadWindow();
        QVERIFY(!m->LoadFailed());
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro Crítico")), 0);
        // "sem virgula" counts as changed: the question, never a silent load.
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Data e/ou Tamanho Diferente")), 1);
        // What the entry does not hold is said to be unknown, not left blank.
        for (const RecordedMessage &r : dialogs.messages) {
            if (r.title != QStringLiteral("Data e/ou Tamanho Diferente")) continue;
            QVERIFY2(r.text.contains(
                         QStringLiteral("Data do arquivo gerado no Corvel: \tdesconhecido")) &&
                         r.text.contains(QStringLiteral(
                             "Tamanho do arquivo gerado no Corvel: \tdesconhecido")) &&
                         r.text.contains(
                             QStringLiteral("Tamanho do arquivo existente em disco: \t5 bytes")),
                     qPrintable(r.text));
        }
        QCOMPARE(m->Documents().size(), 2); // um.ctm once, dois.ctm; the rest skipped
        for (ICorvelEdit *ed : m->Documents()) {
            QCOMPARE(ed->Texto(), QStringLiteral("um"));
            QVERIFY(!ed->Gravado()); // a configuration without "," reads as unsaved
        }
        QCOMPARE(ReadBytes(home.dir.filePath(QStringLiteral("prog/segredo.txt"))),
                 QByteArray("nao"));
    }

    void orphanCopiesAreOfferedOnceAndNoKeepsThem() {
        Home home;
        WriteBytes(home.docs() + QStringLiteral("12345678.ctm"), "{\\rtf1 perdido}");
        WriteBytes(home.docs() + QStringLiteral("87654321.ctm"), "{\\rtf1 perdido}");
        {
            ScriptedDialogs dialogs; // unanswered: the default, No
            auto m = LoadWindow();
            QCOMPARE(CountTitled(dialogs, QStringLiteral("Arquivos Temporários Perdidos")), 1);
            QCOMPARE(dialogs.messages.first().text,
                     QStringLiteral("Foram detectados arquivos temporários não utilizados na "
                                    "pasta Docs do Corvel. Se você não está desenvolvendo nenhum "
                                    "projeto neste momento, é seguro removê-los. Caso contrário, "
                                    "verifique o conteúdo da pasta Docs do Corvel. Os arquivos "
                                    "temporários estão localizados na pasta:\r\n\r\n") +
                         home.docs() +
                         QStringLiteral("\r\n\r\nDeseja remover os arquivos temporários "
                                        "perdidos?"));
        }
        QCOMPARE(home.docsFiles().size(), 2);
        {
            ScriptedDialogs dialogs;
            dialogs.answers.enqueue(MsgAnswer::Yes);
            auto m = LoadWindow();
            QCOMPARE(CountTitled(dialogs, QStringLiteral("Arquivos Temporários Perdidos")), 1);
        }
        QVERIFY(home.docsFiles().isEmpty());
    }

    void exitWithOnlyAnEmptyDocumentLeavesNothing() {
        Home home;
        {
            ScriptedDialogs dialogs;
            auto m = LoadWindow();
            ICorvelEdit *ed = m->CurrentEditor();
            ed->setTexto(QStringLiteral("x"));
            QVERIFY(corvel::WriteTemporaryCopy(ed));
            corvel::WriteEditorCacheEntry(*m, ed);
            ed->setTexto(QString());
            m->close();
            QVERIFY(dialogs.messages.isEmpty());
        }
        QVERIFY(home.docsFiles().isEmpty());
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QCOMPARE(m->Documents().size(), 1);
        QVERIFY(m->CurrentEditor()->Texto().isEmpty());
        QVERIFY(dialogs.messages.isEmpty());
    }

    void exitAsksAboutUnsavedFilesAndKeepsTheRest() {
        Home home;
        const QString file = home.work(QStringLiteral("f.html"));
        WriteBytes(file, "antes");
        {
            ScriptedDialogs dialogs;
            dialogs.answers.enqueue(MsgAnswer::No);
            auto m = LoadWindow();
            ICorvelEdit *ed = OpenPath(*m, file);
            ed->setTexto(QStringLiteral("depois"));
            m->close();
            QCOMPARE(CountTitled(dialogs, QStringLiteral("Gravar Alterações?")), 1);
        }
        QCOMPARE(ReadBytes(file), QByteArray("antes"));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *ed = DocumentWithText(*m, QStringLiteral("depois"));
        QVERIFY(ed);
        QVERIFY(!ed->Gravado());
        QVERIFY(dialogs.messages.isEmpty());
    }

    void exitYesWritesTheFileWithoutABackup() {
        Home home;
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Backup"), QStringLiteral("1"));
        const QString file = home.work(QStringLiteral("g.html"));
        WriteBytes(file, "antes");
        {
            ScriptedDialogs dialogs;
            dialogs.answers.enqueue(MsgAnswer::Yes);
            auto m = LoadWindow();
            ICorvelEdit *ed = OpenPath(*m, file);
            ed->setTexto(QStringLiteral("depois"));
            m->close();
            QCOMPARE(CountTitled(dialogs, QStringLiteral("Gravar Alterações?")), 1);
            const QString q = dialogs.messages.first().text;
            QCOMPARE(q, QStringLiteral("O arquivo ") + file +
                            QStringLiteral(" não foi gravado no local final em disco. Deseja "
                                           "gravá-lo agora?\r\n\r\nNota: caso você escolha Não, "
                                           "uma cópia das últimas alterações não gravadas no "
                                           "documento será mantida e você poderá salvá-la no "
                                           "arquivo final posteriormente."));
        }
        QCOMPARE(ReadBytes(file), QByteArray("depois"));
        // The exit's save is no user save: no backup of the old content.
        QVERIFY(!QFileInfo::exists(home.work(QStringLiteral("g.bak"))));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *ed = corvel::DocumentWithFile(*m, file);
        QVERIFY(ed);
        QCOMPARE(ed->Texto(), QStringLiteral("depois"));
        QVERIFY(ed->Gravado());
        QVERIFY(dialogs.messages.isEmpty());
    }

    // A copy that cannot be written: the document stays marked, the index
    // names no copy that was not written, and the user hears of it once per
    // run of failures (the status bar every time).
    void failedAutoSaveKeepsTheDocumentMarkedAndTellsOnce() {
        Home home;
        const QString file = home.work(QStringLiteral("cheio.html"));
        WriteBytes(file, "<p>x</p>");
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"),
                     QStringLiteral("1"));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *ed = OpenPath(*m, file);
        QVERIFY(ed);
        ed->setTexto(kBigText);
        {
            SizeLimit limit(4096);
            m->hooks().autoSaveTick();
            m->hooks().autoSaveTick();
            QCoreApplication::processEvents(); // the message comes after the tick
        }
        QVERIFY(ed->Alterado());
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Falha na Auto Gravação"));
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Auto Gravação")), 1);
        const QString text = dialogs.messages.last().text;
        QVERIFY2(text.contains(home.docs()) && text.contains(QStringLiteral("Motivo: ")) &&
                     text.contains(ed->ArquivoTemporario()),
                 qPrintable(text));
        QVERIFY(EntryOf(*m, ed).copy.isEmpty()); // still the open's entry
        QCOMPARE(EntryOf(*m, ed).file, file);

        // The next tick that works ends the episode ...
        m->hooks().autoSaveTick();
        QVERIFY(!ed->Alterado());
        QCOMPARE(EntryOf(*m, ed).copy, ed->ArquivoTemporario());
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Auto Gravação")), 1);
        // ... so a later failure is told again, and the copy of the earlier
        // write stays whole.
        const QByteArray copy = ReadBytes(home.docs() + ed->ArquivoTemporario());
        ed->setTexto(kBigText + kBigText);
        {
            SizeLimit limit(80 * 1024);
            m->hooks().autoSaveTick();
            QCoreApplication::processEvents();
        }
        QVERIFY(ed->Alterado());
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Auto Gravação")), 2);
        QCOMPARE(ReadBytes(home.docs() + ed->ArquivoTemporario()), copy);
    }

    void saveWhoseCopyFailsNamesNoCopy() {
        Home home;
        const QString file = home.work(QStringLiteral("salvo.html"));
        WriteBytes(file, "<p>x</p>");
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *ed = OpenPath(*m, file);
        ed->setTexto(QStringLiteral("pequeno"));
        m->hooks().autoSaveTick(); // first tick: nothing yet
        QVERIFY(corvel::WriteTemporaryCopy(ed));
        QVERIFY(corvel::WriteEditorCacheEntry(*m, ed));
        // The file (small) is saved, its copy (RTF, larger) is not.
        ed->setTexto(QString(3000, QLatin1Char('\\')));
        {
            SizeLimit limit(4000);
            QVERIFY(corvel::SaveCommand(*m));
            QCoreApplication::processEvents();
        }
        QCOMPARE(ReadBytes(file), QByteArray(3000, '\\'));
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Gravação")), 0);
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Auto Gravação")), 1);
        // An older copy must not come back in place of the saved text.
        QVERIFY(EntryOf(*m, ed).copy.isEmpty());
        QCOMPARE(EntryOf(*m, ed).file, file);
    }

    void exitWhoseCopyFailsKeepsTheLastCopyAndSaysSo() {
        Home home;
        const QString file = home.work(QStringLiteral("saida.html"));
        WriteBytes(file, "antes");
        {
            ScriptedDialogs dialogs;
            dialogs.answers.enqueue(MsgAnswer::No); // do not save the file
            auto m = LoadWindow();
            ICorvelEdit *ed = OpenPath(*m, file);
            ed->setTexto(QStringLiteral("auto gravado"));
            QVERIFY(corvel::WriteTemporaryCopy(ed));
            QVERIFY(corvel::WriteEditorCacheEntry(*m, ed));
            ed->setTexto(kBigText);
            {
                SizeLimit limit(4096);
                m->close();
            }
            QCOMPARE(CountTitled(dialogs, QStringLiteral("Gravar Alterações?")), 1);
            QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Auto Gravação")), 1);
            QVERIFY(dialogs.messages.last().text.contains(file));
            QVERIFY(dialogs.messages.last().text.contains(home.docs()));
        }
        // The next start has the last copy that was written.
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QVERIFY(DocumentWithText(*m, QStringLiteral("auto gravado")));
    }

    void exitSaveErrorIsShown() {
        Home home;
        const QString file = home.work(QStringLiteral("erro.html"));
        WriteBytes(file, "antes");
        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(MsgAnswer::Yes);
        auto m = LoadWindow();
        ICorvelEdit *ed = OpenPath(*m, file);
        ed->setTexto(kBigText);
        {
            SizeLimit limit(4096);
            m->close();
        }
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Gravação")), 1);
        QCOMPARE(ReadBytes(file), QByteArray("antes"));
    }

    // An index damaged by a name with a line break (as an older version
    // wrote it): the document comes back without a file, and the file that
    // the damaged line seems to name is never touched.
    void damagedEntryIsNeverBoundToAFile() {
        Home home;
        const QString victim = home.work(QStringLiteral("target"));
        WriteBytes(victim, "outro arquivo");
        {
            ScriptedDialogs dialogs;
            auto m = LoadWindow();
            ICorvelEdit *ed = m->CurrentEditor();
            ed->setTexto(QStringLiteral("texto do cache"));
            QVERIFY(corvel::WriteTemporaryCopy(ed));
            QVERIFY(QFile::rename(home.docs() + ed->ArquivoTemporario(),
                                  home.docs() + QStringLiteral("11111111.ctm")));
        }
        WriteBytes(corvel::CacheIndexPath(),
                   "[Arquivo]\n001=" + victim.toUtf8() +
                       "\nZ.html\n[Temporario]\n001=11111111.ctm\n[TemporarioConfig]\n"
                       "001=0,0,True\n[ArquivoInfo]\n001=\n");
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QVERIFY(dialogs.messages.isEmpty());
        ICorvelEdit *ed = DocumentWithText(*m, QStringLiteral("texto do cache"));
        QVERIFY(ed);
        QVERIFY(ed->Arquivo().isEmpty());
        QVERIFY(!ed->Gravado());
        QVERIFY(corvel::DocumentWithFile(*m, victim) == nullptr);
        QVERIFY(m->Trigger(corvel::cmd::ArquivoSalvar)); // save as: cancelled
        QCOMPARE(ReadBytes(victim), QByteArray("outro arquivo"));
        QVERIFY(EntryOf(*m, ed).file.isEmpty());
    }

    // Yes at exit with a file that cannot be written: the failure is said and
    // the copy keeps the text for the next start.
    void exitYesThatCannotWriteSaysSoAndKeepsTheCopy() {
        Home home;
        const QString file = home.work(QStringLiteral("h.html"));
        WriteBytes(file, "antes");
        {
            ScriptedDialogs dialogs;
            dialogs.answers.enqueue(MsgAnswer::Yes);
            auto m = LoadWindow();
            ICorvelEdit *ed = OpenPath(*m, file);
            ed->setTexto(QStringLiteral("depois"));
            // A folder now stands where the file was: no save can replace it.
            QVERIFY(QFile::remove(file));
            QVERIFY(QDir().mkpath(file));
            m->close();
            QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Gravação")), 1);
        }
        QVERIFY(QFileInfo(file).isDir());
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QVERIFY(DocumentWithText(*m, QStringLiteral("depois")));
    }

    // A step of the unload that fails is logged; the steps after it still run.
    void failingUnloadStepIsLoggedAndTheRestRuns() {
        Home home;
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        bool trayUnloaded = false;
        m->hooks().closeBrowser = [] { throw std::runtime_error("navegador travado"); };
        m->hooks().unloadTray = [&] { trayUnloaded = true; };
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("browser.*navegador travado")));
        m->close();
        QVERIFY(trayUnloaded);
    }

    void autoSaveFollowsTheSettingInTicks() {
        Home home;
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *ed = m->CurrentEditor();
        corvel::DocumentCache cache;
        int started = 0;
        cache.setFirstTickAction([&] { ++started; });

        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"),
                     QStringLiteral("0"));
        ed->setTexto(QStringLiteral("a"));
        cache.AutoSaveTick(*m);
        cache.AutoSaveTick(*m);
        QCOMPARE(started, 1);
        QVERIFY(home.docsFiles().isEmpty());

        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"),
                     QStringLiteral("3"));
        QList<int> writtenAt;
        for (int tick = 1; tick <= 6; ++tick) {
            ed->setTexto(QStringLiteral("tick %1").arg(tick));
            cache.AutoSaveTick(*m);
            if (!ed->Alterado()) writtenAt << tick;
        }
        // Every third tick.
        QCOMPARE(writtenAt, (QList<int>{3, 6}));
        QCOMPARE(started, 1);
        QVERIFY(!corvel::ReadCacheIndex().isEmpty());
    }
};

QTEST_MAIN(TestCacheRecovery)
#include "tst_cache_recovery.moc"
