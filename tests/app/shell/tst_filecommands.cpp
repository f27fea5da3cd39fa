// The file commands on a real main window and real editors.
#include "AppInfo.h"
#include "CacheIndex.h"
#include "CacheRecovery.h"
#include "FilesFixture.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using namespace files_test;
using corvel::MsgAnswer;

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseControlLibrary(); }

    void openReusesAnEmptyUnnamedDocumentOnly() {
        Home home;
        const QString a = home.work(QStringLiteral("a.html"));
        const QString b = home.work(QStringLiteral("b.html"));
        WriteBytes(a, "A");
        WriteBytes(b, "B");
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QCOMPARE(m->Documents().size(), 1);
        ICorvelEdit *ed = OpenPath(*m, a);
        QCOMPARE(m->Documents().size(), 1); // the empty document was filled
        QCOMPARE(ed->Texto(), QStringLiteral("A"));
        QCOMPARE(m->TabCaption(ed), QStringLiteral("a.html"));
        QVERIFY(m->windowTitle().endsWith(QStringLiteral(" - [") + a + QStringLiteral("]")));
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Abrir Documento"));
        QCOMPARE(ReadSetting(QStringLiteral("Caminhos"), QStringLiteral("UltDir")),
                 home.work(QString()));
        QCOMPARE(ReadSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo1")), a);
        const auto index = corvel::ReadCacheIndex();
        QCOMPARE(index.size(), 1);
        QCOMPARE(index[0].file, a);
        QVERIFY(index[0].copy.isEmpty());

        // An unnamed document that was typed into stays; a new tab comes.
        m->Trigger(corvel::cmd::ArquivoNovo);
        m->CurrentEditor()->setTexto(QStringLiteral("digitado"));
        OpenPath(*m, b);
        QCOMPARE(m->Documents().size(), 3);
        QCOMPARE(m->CurrentEditor()->Texto(), QStringLiteral("B"));
    }

    void openingAnOpenFileAgainSelectsIt() {
        Home home;
        const QString a = home.work(QStringLiteral("pagina.html"));
        WriteBytes(a, "A");
        const QString link = home.work(QStringLiteral("atalho.html"));
        QVERIFY(QFile::link(a, link));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *first = OpenPath(*m, a);
        m->Trigger(corvel::cmd::ArquivoNovo);
        // The same file by a link and by a ".." path is the open document.
        OpenPath(*m, link);
        const QFileInfo fi(a);
        OpenPath(*m, fi.absolutePath() + QStringLiteral("/../") + fi.dir().dirName() +
                         QStringLiteral("/pagina.html"));
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Documento Já Aberto")), 2);
        QCOMPARE(m->CurrentEditor(), first);
        QCOMPARE(m->Documents().size(), 2);
    }

    void namesDifferingInCaseAreDifferentFiles() {
        Home home;
        const QString lower = home.work(QStringLiteral("pagina.html"));
        const QString upper = home.work(QStringLiteral("PAGINA.html"));
        WriteBytes(lower, "minusculo");
        WriteBytes(upper, "maiusculo");
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        OpenPath(*m, lower);
        OpenPath(*m, upper);
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Documento Já Aberto")), 0);
        QCOMPARE(m->Documents().size(), 2);
        QCOMPARE(m->CurrentEditor()->Texto(), QStringLiteral("maiusculo"));
    }

    void largeFilesAskAndAreNotColourised() {
        Home home;
        const QString normal = home.work(QStringLiteral("normal.html"));
        const QString large = home.work(QStringLiteral("grande.html"));
        WriteBytes(normal, QByteArray(307200, 'a'));
        WriteBytes(large, QByteArray(307201, 'a'));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"),
                     QStringLiteral("1"));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        int colourised = 0;
        m->SetHandler(corvel::cmd::FerramentasColorizar, [&] { ++colourised; });
        OpenPath(*m, normal);
        QCOMPARE(dialogs.messages.size(), 0);
        QCOMPARE(colourised, 1);
        OpenPath(*m, large); // unanswered: the default No
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Arquivo Grande")), 1);
        QCOMPARE(m->Documents().size(), 1);
        dialogs.answers.enqueue(MsgAnswer::Yes);
        OpenPath(*m, large);
        QCOMPARE(m->Documents().size(), 2);
        QCOMPARE(colourised, 1);
    }

    // Who chose the file decides only whether the dialog's file type becomes
    // the default; a relative path is opened and remembered as absolute.
    void openTakesItsArgumentsExplicitly_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("relative");
        QTest::addColumn<QString>("tipoArq");
        QTest::newRow("dialog") << int(corvel::OpenFrom::Dialog) << false << QStringLiteral("3");
        QTest::newRow("path") << int(corvel::OpenFrom::Path) << false << QStringLiteral("0");
        QTest::newRow("history") << int(corvel::OpenFrom::History) << false << QStringLiteral("0");
        QTest::newRow("relative path")
            << int(corvel::OpenFrom::Path) << true << QStringLiteral("0");
    }
    void openTakesItsArgumentsExplicitly() {
        QFETCH(int, from);
        QFETCH(bool, relative);
        QFETCH(QString, tipoArq);
        Home home;
        const QString a = home.work(QStringLiteral("explicito.html"));
        WriteBytes(a, "A");
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("TipoArq"),
                     QStringLiteral("0"));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(home.work(QString()));
        if (from == int(corvel::OpenFrom::Dialog)) {
            dialogs.files.enqueue(a);
            dialogs.fileTypes.enqueue(3);
            QVERIFY(m->Trigger(corvel::cmd::ArquivoAbrir));
        } else {
            corvel::OpenFile(*m, relative ? QStringLiteral("explicito.html") : a,
                             corvel::OpenFrom(from));
        }
        QDir::setCurrent(cwd);
        QCOMPARE(m->CurrentEditor()->Arquivo(), a);
        QCOMPARE(ReadSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo1")), a);
        QCOMPARE(ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("TipoArq")), tipoArq);
    }

    // The window's open routine runs only when the open command could run.
    void windowOpensFilesOnlyWhenTheOpenCommandCould() {
        Home home;
        const QString a = home.work(QStringLiteral("ocupado.html"));
        WriteBytes(a, "A");
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        m->SetBusyMode(true);
        QVERIFY(!m->OpenFile(a));
        m->SetBusyMode(false);
        QVERIFY(m->OpenFile(a));
        QCOMPARE(m->CurrentEditor()->Arquivo(), a);
        frmMain bare;
        QVERIFY(!bare.OpenFile(a)); // no file commands attached
    }

    void saveMakesABackupCopy() {
        Home home;
        const QString index = home.work(QStringLiteral("index.htm"));
        const QString readme = home.work(QStringLiteral("LEIAME"));
        WriteBytes(index, "velho\r\n");
        WriteBytes(readme, "velho leia\r\n");
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Backup"), QStringLiteral("1"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Extensao"), QString());
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        OpenPath(*m, index)->setTexto(QStringLiteral("novo\r\n"));
        QVERIFY(corvel::SaveCommand(*m));
        QCOMPARE(ReadBytes(home.work(QStringLiteral("index.bak"))), QByteArray("velho\r\n"));
        QCOMPARE(ReadBytes(index), QByteArray("novo\r\n"));
        QVERIFY(m->CurrentEditor()->Gravado());
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Documento Gravado"));
        const auto entries = corvel::ReadCacheIndex();
        QCOMPARE(entries[0].copy, m->CurrentEditor()->ArquivoTemporario());
        QVERIFY(entries[0].configuration.endsWith(QStringLiteral(",True")));
        QCOMPARE(corvel::ParseFileInfo(entries[0].info).size, QStringLiteral("6"));

        OpenPath(*m, readme)->setTexto(QStringLiteral("novo leia\r\n"));
        QVERIFY(corvel::SaveCommand(*m));
        QCOMPARE(ReadBytes(home.work(QStringLiteral("LEIAME.bak"))), QByteArray("velho leia\r\n"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void lineEndsFollowTheLinuxSetting() {
        Home home;
        const QString lf = home.work(QStringLiteral("lf.txt"));
        WriteBytes(lf, "um\ndois\ntres\n");
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        OpenPath(*m, lf);
        QVERIFY(corvel::SaveCommand(*m));
        QCOMPARE(ReadBytes(lf), QByteArray("um\r\ndois\r\ntres\r\n"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Linux"), QStringLiteral("1"));
        QVERIFY(corvel::SaveCommand(*m));
        QCOMPARE(ReadBytes(lf), QByteArray("um\ndois\ntres\n"));
        QVERIFY(m->CurrentEditor()->Gravado());
    }

    void encodingsRoundTripByteForByte() {
        Home home;
        const QByteArray latin = "<p>a\xe7\xe3o \x80 caf\xe9</p>\r\n<p>fim</p>\r\n";
        const QByteArray utf8 = QStringLiteral("<p>ação € café</p>\r\n<p>fim</p>\r\n").toUtf8();
        const QByteArray bom = QByteArray("\xef\xbb\xbf") + utf8;
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        int n = 0;
        for (const QByteArray &bytes : {latin, utf8, bom}) {
            const QString path = home.work(QStringLiteral("enc%1.html").arg(++n));
            WriteBytes(path, bytes);
            OpenPath(*m, path);
            QVERIFY(m->CurrentEditor()->Texto().contains(QStringLiteral("café")));
            QVERIFY(corvel::SaveCommand(*m));
            QCOMPARE(ReadBytes(path), bytes);
        }
    }

    void failedSaveLeavesTheOldFileAndSaysSo() {
        Home home;
        const QString file = home.work(QStringLiteral("cheio.html"));
        WriteBytes(file, "original\r\n");
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *ed = OpenPath(*m, file);
        ed->setTexto(QString(20000, QLatin1Char('x')));
        // A file size limit: every write past 4 kB fails, as on a full disk.
        struct rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool saved = corvel::SaveCommand(*m);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!saved);
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Gravação")), 1);
        QVERIFY(dialogs.lastText().contains(QStringLiteral("\r\n\r\nErro 9701 (")));
        QCOMPARE(ReadBytes(file), QByteArray("original\r\n"));
        QVERIFY(!ed->Gravado());
        // A small document whose write is cut short by the limit too.
        const QString small2 = home.work(QStringLiteral("pequeno.html"));
        WriteBytes(small2, "antigo\r\n");
        ICorvelEdit *ed2 = OpenPath(*m, small2);
        ed2->setTexto(QString(300, QLatin1Char('y')));
        small.rlim_cur = 128;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool saved2 = corvel::SaveCommand(*m);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!saved2);
        QCOMPARE(ReadBytes(small2), QByteArray("antigo\r\n"));
        m->SelectDocument(ed);
        // A folder that does not exist fails the same way, through save as.
        dialogs.files.enqueue(home.work(QStringLiteral("nao/existe/x.html")));
        QVERIFY(!corvel::SaveAsCommand(*m));
        QVERIFY(dialogs.lastText().contains(QStringLiteral("Erro 9702 (")));
    }

    // The save replaces the content, never the kind of file: a link stays a
    // link to the same target and the file keeps its permissions.
    void saveKeepsLinksAndPermissions() {
        Home home;
        const QString target = home.work(QStringLiteral("alvo.html"));
        const QString link = home.work(QStringLiteral("atalho.html"));
        WriteBytes(target, "velho\r\n");
        const QFileDevice::Permissions perms =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(target, perms));
        QVERIFY(QFile::link(target, link));
        for (const QString &linux : {QStringLiteral("0"), QStringLiteral("1")}) {
            WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Linux"), linux);
            WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Backup"),
                         QStringLiteral("1"));
            ScriptedDialogs dialogs;
            auto m = LoadWindow();
            ICorvelEdit *ed = OpenPath(*m, link);
            QVERIFY(ed);
            ed->setTexto(QStringLiteral("novo ") + linux + QStringLiteral("\r\nfim"));
            QVERIFY(corvel::SaveCommand(*m));
            QVERIFY(dialogs.messages.isEmpty());
            QVERIFY(QFileInfo(link).isSymLink());
            QCOMPARE(QFileInfo(link).symLinkTarget(), target);
            QCOMPARE(ReadBytes(target), linux == QLatin1String("1") ? QByteArray("novo 1\nfim")
                                                                    : QByteArray("novo 0\r\nfim"));
            QCOMPARE(QFileInfo(target).permissions() & 0x7077, perms);
            QVERIFY(QFileInfo::exists(home.work(QStringLiteral("atalho.bak"))));
            corvel::CloseCommand(*m);
        }
    }

    void saveAsRefusesAnOpenName() {
        Home home;
        const QString file = home.work(QStringLiteral("proprio.html"));
        WriteBytes(file, "x");
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        OpenPath(*m, file)->setTexto(QStringLiteral("y"));
        dialogs.files.enqueue(file);
        QVERIFY(!corvel::SaveAsCommand(*m));
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Documento Já Aberto")), 1);
        QCOMPARE(ReadBytes(file), QByteArray("x"));

        const QString other = home.work(QStringLiteral("outro.html"));
        dialogs.files.enqueue(other);
        QVERIFY(corvel::SaveAsCommand(*m));
        QCOMPARE(ReadBytes(other), QByteArray("y"));
        QCOMPARE(m->TabCaption(m->CurrentEditor()), QStringLiteral("outro.html"));
        QCOMPARE(ReadSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo1")), other);
    }

    void closeAsksAndACancelledSaveKeepsTheDocument() {
        Home home;
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *ed = m->CurrentEditor();
        ed->setTexto(QStringLiteral("sem nome"));
        QVERIFY(corvel::WriteTemporaryCopy(ed));
        const QString copy = ed->ArquivoTemporario();

        dialogs.answers.enqueue(MsgAnswer::Cancel);
        QVERIFY(!corvel::CloseCommand(*m));
        dialogs.answers.enqueue(MsgAnswer::Yes); // save, then cancel its dialog
        QVERIFY(!corvel::CloseCommand(*m));
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Abandonar Documento?")), 2);

        dialogs.answers.enqueue(MsgAnswer::No);
        QVERIFY(corvel::CloseCommand(*m));
        QVERIFY(m->Documents().isEmpty());
        QVERIFY(!QFileInfo::exists(home.docs() + copy));
        QCOMPARE(m->windowTitle(), QStringLiteral("Corvel ") + corvel::VersionText());
        // An unsaved empty document closes without a question.
        m->Trigger(corvel::cmd::ArquivoNovo);
        m->CurrentEditor()->setGravado(false);
        const int asked = dialogs.messages.size();
        QVERIFY(corvel::CloseCommand(*m));
        QCOMPARE(dialogs.messages.size(), asked);
    }

    void insertFileUpTo65000Bytes() {
        Home home;
        const QString ok = home.work(QStringLiteral("ok.txt"));
        const QString big = home.work(QStringLiteral("big.txt"));
        WriteBytes(ok, QByteArray(64999, 'a') + "\xe9");
        WriteBytes(big, QByteArray(65001, 'b'));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        dialogs.files.enqueue(big);
        QVERIFY(m->Trigger(corvel::cmd::InserirArquivo));
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Limitação de Inserção")), 1);
        QVERIFY(m->CurrentEditor()->Texto().isEmpty());
        dialogs.files.enqueue(ok);
        m->Trigger(corvel::cmd::InserirArquivo);
        QCOMPARE(m->CurrentEditor()->Texto().size(), 65000);
        QVERIFY(m->CurrentEditor()->Texto().endsWith(QChar(0xe9)));
        QCOMPARE(ReadSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo1")), QString());

        // Without the dialog: the path is the argument, the text goes to the
        // routine given.
        QString received;
        const auto sink = [&received](const QString &text) { received = text; };
        QVERIFY(!corvel::InsertFile(*m, big, sink));
        QVERIFY(received.isEmpty());
        QVERIFY(!corvel::InsertFile(*m, home.work(QStringLiteral("nada.txt")), sink));
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Leitura")), 1);
        QVERIFY(corvel::InsertFile(*m, ok, sink));
        QCOMPARE(received.size(), 65000);
    }

    // Every question and message of the file commands, word for word.
    void messagesReadAsWritten() {
        Home home;
        const QString file = home.work(QStringLiteral("aberto.html"));
        const QString large = home.work(QStringLiteral("grande.html"));
        const QString big = home.work(QStringLiteral("grande.txt"));
        WriteBytes(file, "<p>um</p>");
        WriteBytes(large, QByteArray(307201, 'x'));
        WriteBytes(big, QByteArray(65001, 'b'));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        const auto last = [&dialogs]() { return dialogs.messages.last(); };
        const auto expect = [&](const QString &title, const QString &text, corvel::MsgIcon icon,
                                corvel::MsgButtons buttons) {
            QVERIFY(!dialogs.messages.isEmpty());
            QCOMPARE(last().title, title);
            QCOMPARE(last().text, text);
            QCOMPARE(last().icon, icon);
            QCOMPARE(last().buttons, buttons);
        };
        using corvel::MsgButtons;
        using corvel::MsgIcon;

        ICorvelEdit *ed = OpenPath(*m, file);
        QVERIFY(ed);
        OpenPath(*m, file);
        expect(QStringLiteral("Documento Já Aberto"),
               QStringLiteral("O arquivo que você solicitou para ser aberto já se encontra aberto "
                              "em um dos documentos correntes do Corvel. O Corvel irá exibir este "
                              "documento agora."),
               MsgIcon::Warning, MsgButtons::Ok);

        OpenPath(*m, large); // unanswered: the default, No
        expect(QStringLiteral("Arquivo Grande"),
               QStringLiteral("Dificilmente um arquivo HTML possui tamanho superior a 300 kbytes. "
                              "O Corvel não recomenda a abertura de arquivos não-HTML muito "
                              "grandes, devido ao uso excessivo de memória e lentidão no "
                              "processamento de algumas tarefas.\r\n\r\nDeseja continuar mesmo "
                              "assim?"),
               MsgIcon::Warning, MsgButtons::YesNo);
        QCOMPARE(m->Documents().size(), 1);

        const QString missing = home.work(QStringLiteral("nao-existe.html"));
        OpenPath(*m, missing);
        QCOMPARE(last().title, QStringLiteral("Erro de Leitura"));
        QVERIFY(last().text.startsWith(
            QStringLiteral("Ocorreu um erro na tentativa de carregar o arquivo especificado. "
                           "Certifique-se que você possua direito de ler este diretório (em caso "
                           "de estar em uma rede) ou se o arquivo está sendo utilizado por outro "
                           "aplicativo em modo exclusivo.\r\n\r\nErro 9703 (")));
        QVERIFY(last().text.endsWith(QLatin1Char(')')));
        QCOMPARE(last().icon, MsgIcon::Critical);

        m->SelectDocument(ed);
        dialogs.files.enqueue(file);
        m->Trigger(corvel::cmd::ArquivoSalvarComo);
        expect(QStringLiteral("Documento Já Aberto"),
               QStringLiteral("O arquivo que indicou para ser gravado (sobrescrito) já se "
                              "encontra aberto em um dos documentos correntes do Corvel. Para "
                              "sobrescrevê-lo, você deve fechar primeiramente o documento aberto "
                              "no Corvel."),
               MsgIcon::Warning, MsgButtons::Ok);

        dialogs.files.enqueue(home.work(QStringLiteral("sem/pasta.html")));
        m->Trigger(corvel::cmd::ArquivoSalvarComo);
        QCOMPARE(last().title, QStringLiteral("Erro de Gravação"));
        QVERIFY(last().text.startsWith(
            QStringLiteral("Ocorreu um erro na tentativa de gravar o arquivo especificado. "
                           "Certifique-se que o dispositivo não esteja protegido contra gravação, "
                           "que você possua direito de gravar neste diretório (em caso de estar "
                           "em uma rede), se o arquivo está sendo utilizado por outro aplicativo "
                           "ou se ele possui atributos.\r\n\r\nErro 9702 (")));
        QCOMPARE(last().icon, MsgIcon::Critical);

        ed->setTexto(QStringLiteral("mudado"));
        dialogs.answers.enqueue(MsgAnswer::Cancel);
        m->Trigger(corvel::cmd::ArquivoFechar);
        expect(QStringLiteral("Abandonar Documento?"),
               QStringLiteral("Este documento foi editado porém as últimas alterações não foram "
                              "gravadas em disco. Você gostaria de gravar o arquivo antes de "
                              "fechá-lo?"),
               MsgIcon::Question, MsgButtons::YesNoCancel);

        m->Trigger(corvel::cmd::ArquivoImprimir); // unanswered: No
        expect(QStringLiteral("Impressão"), QStringLiteral("Confirma a impressão deste arquivo?"),
               MsgIcon::Question, MsgButtons::YesNo);

        dialogs.files.enqueue(big);
        m->Trigger(corvel::cmd::InserirArquivo);
        expect(QStringLiteral("Limitação de Inserção"),
               QStringLiteral("Arquivo muito grande para ser inserido. Tamanho máximo: 64 kbytes"),
               MsgIcon::Critical, MsgButtons::Ok);
    }

    void printGoesToTheChosenPrinter() {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a real default printer exists here");
        Home home;
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        m->CurrentEditor()->setTexto(QString(200, QLatin1Char('a')) + QStringLiteral("\r\nfim"));
        const QString pdf = home.work(QStringLiteral("saida.pdf"));
        int chosen = 0;
        m->services().choosePrinter = [&](QPrinter &p, QWidget *) {
            ++chosen;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        };
        m->Trigger(corvel::cmd::ArquivoImprimir); // default answer: No
        QCOMPARE(chosen, 0);
        dialogs.answers.enqueue(MsgAnswer::Yes);
        m->Trigger(corvel::cmd::ArquivoImprimir);
        QCOMPARE(chosen, 1);
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Impressão")), 2);
        QVERIFY(ReadBytes(pdf).startsWith("%PDF"));
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Impressão")), 0);

        // A printer that cannot start the job is reported, not ignored.
        m->services().choosePrinter = [&](QPrinter &p, QWidget *) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(home.work(QStringLiteral("sem-pasta/saida.pdf")));
            return true;
        };
        dialogs.answers.enqueue(MsgAnswer::Yes);
        m->Trigger(corvel::cmd::ArquivoImprimir);
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Impressão")), 1);
        // A cancelled chooser is no failure.
        m->services().choosePrinter = [](QPrinter &, QWidget *) { return false; };
        dialogs.answers.enqueue(MsgAnswer::Yes);
        m->Trigger(corvel::cmd::ArquivoImprimir);
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Erro de Impressão")), 1);
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
