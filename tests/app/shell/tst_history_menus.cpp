// The "Histórico" and "Pasta Base" submenus on a real main window.
#include "FilesFixture.h"
#include "HistoryMenus.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using namespace files_test;
using corvel::MsgAnswer;

namespace {
QString History(int i) {
    return ReadSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo%1").arg(i));
}
QString Base(int i) {
    return ReadSetting(QStringLiteral("Pasta Base"), QStringLiteral("Caminho%1").arg(i));
}
QString Selected() {
    return ReadSetting(QStringLiteral("Pasta Base"), QStringLiteral("Selecionada"));
}
} // namespace

class TestHistoryMenus : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { UseControlLibrary(); }

    void menuFollowsTheStore() {
        Home home;
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QVERIFY(!m->Menu(QStringLiteral("mnuArquivoHistorico"))->menuAction()->isEnabled());
        const QString longPath =
            home.work(QString(70, QLatin1Char('p')) + QStringLiteral("/a&b.html"));
        corvel::AddToHistory(*m, longPath);
        QVERIFY(m->Menu(QStringLiteral("mnuArquivoHistorico"))->menuAction()->isEnabled());
        QAction *first = m->Action(QStringLiteral("mnuHistorico(1)"));
        QCOMPARE(first->data().toString(), longPath);
        QVERIFY(first->isVisible());
        QVERIFY(first->text().endsWith(QStringLiteral(".../a&&b.html")));
        QVERIFY(!m->Action(QStringLiteral("mnuHistorico(2)"))->isVisible());
    }

    void sixteenthFileDropsTheOldestAndReopeningMovesUp() {
        Home home;
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QStringList files;
        for (int i = 1; i <= 16; ++i) {
            files << home.work(QStringLiteral("f%1.html").arg(i));
            WriteBytes(files.last(), "x");
            OpenPath(*m, files.last());
        }
        QCOMPARE(History(1), files[15]);
        QCOMPARE(History(15), files[1]); // f1 fell off
        const QString seventh = History(7);
        // Close the document of entry 7, then open it from the menu.
        m->SelectDocument(corvel::DocumentWithFile(*m, seventh));
        QVERIFY(corvel::CloseCommand(*m));
        QVERIFY(m->Trigger(corvel::cmd::Historico(7)));
        QCOMPARE(m->CurrentEditor()->Arquivo(), seventh);
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Histórico: Abrir Documento"));
        QVERIFY(OpenAsksTheDialog(*m, dialogs));
        QCOMPARE(History(1), seventh);
        QCOMPARE(History(2), files[15]);
        QCOMPARE(History(15), files[1]);
    }

    // Two files whose names differ only in letter case are both opened and
    // both kept in the history, each opening the file it names.
    void namesDifferingInCaseAreTwoFiles() {
        Home home;
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        const QString lower = home.work(QStringLiteral("f03.html"));
        const QString upper = home.work(QStringLiteral("F03.HTML"));
        WriteBytes(lower, "minusculo");
        WriteBytes(upper, "MAIUSCULO");
        QVERIFY(OpenPath(*m, lower));
        QVERIFY(OpenPath(*m, upper));
        QCOMPARE(m->Documents().size(), 2);
        QCOMPARE(History(1), upper);
        QCOMPARE(History(2), lower);
        QVERIFY(History(3).isEmpty());
        m->SelectDocument(corvel::DocumentWithFile(*m, lower));
        QVERIFY(corvel::CloseCommand(*m));
        QVERIFY(m->Trigger(corvel::cmd::Historico(2)));
        QCOMPARE(m->CurrentEditor()->Texto(), QStringLiteral("minusculo"));
        QCOMPARE(History(1), lower);
        QCOMPARE(History(2), upper);
    }

    void missingHistoryFileOffersTheCleaning() {
        Home home;
        const QString kept = home.work(QStringLiteral("fica.html"));
        WriteBytes(kept, "x");
        WriteSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo1"),
                     home.work(QStringLiteral("sumiu.html")));
        WriteSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo2"), kept);
        WriteSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo3"),
                     home.work(QStringLiteral("sumiu2.html")));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        dialogs.answers.enqueue(MsgAnswer::No);
        m->Trigger(corvel::cmd::Historico(1));
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Arquivo Não Encontrado")), 1);
        QCOMPARE(History(3), home.work(QStringLiteral("sumiu2.html")));
        dialogs.answers.enqueue(MsgAnswer::Yes);
        m->Trigger(corvel::cmd::Historico(3));
        QCOMPARE(History(1), kept);
        QVERIFY(History(2).isEmpty() && History(3).isEmpty());
        QVERIFY(OpenAsksTheDialog(*m, dialogs));
        QCOMPARE(m->Documents().size(), 1);
    }

    void obsoleteCleaningAtStart() {
        Home home;
        WriteSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo1"),
                     home.work(QStringLiteral("nada")));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoRemObsoletos"),
                     QStringLiteral("1"));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QVERIFY(History(1).isEmpty());
        QVERIFY(!m->Menu(QStringLiteral("mnuArquivoHistorico"))->menuAction()->isEnabled());
    }

    void removeAllAsksFirst() {
        Home home;
        WriteSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo1"), QStringLiteral("/x"));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        m->Trigger(corvel::cmd::HistoricoRemTodos); // default No
        QCOMPARE(History(1), QStringLiteral("/x"));
        dialogs.answers.enqueue(MsgAnswer::Yes);
        m->Trigger(corvel::cmd::HistoricoRemTodos);
        QVERIFY(History(1).isEmpty());
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Histórico: Remover Todos"));
    }

    void baseFolders() {
        Home home;
        const QString site = home.work(QStringLiteral("site"));
        QDir().mkpath(site);
        WriteBytes(site + QStringLiteral("/index.html"), "x");
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QVERIFY(m->Action(QStringLiteral("mnuPastaPadrao(0)"))->isChecked());

        // An unsaved document has no folder to add.
        m->Trigger(corvel::cmd::PastaBaseInserir);
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Arquivo Não Gravado")), 1);
        QVERIFY(Base(1).isEmpty());

        OpenPath(*m, site + QStringLiteral("/index.html"));
        m->Trigger(corvel::cmd::PastaBaseInserir);
        QCOMPARE(Base(1), site);
        QVERIFY(Selected().isEmpty());
        QVERIFY(m->Action(QStringLiteral("mnuPastaPadrao(1)"))->isVisible());

        m->Trigger(corvel::cmd::PastaPadrao(1));
        QCOMPARE(Selected(), site);
        QVERIFY(m->Action(QStringLiteral("mnuPastaPadrao(1)"))->isChecked());
        QVERIFY(!m->Action(QStringLiteral("mnuPastaPadrao(0)"))->isChecked());
        QCOMPARE(m->Menu(QStringLiteral("mnuArquivoPastaPadrao"))->menuAction()->data().toString(),
                 site);

        m->Trigger(corvel::cmd::PastaPadrao(0));
        QVERIFY(Selected().isEmpty());
        QVERIFY(m->Action(QStringLiteral("mnuPastaPadrao(0)"))->isChecked());
        QCOMPARE(Base(1), site); // "(Nenhuma)" adds no empty entry

        m->Trigger(corvel::cmd::PastaPadrao(1));
        dialogs.answers.enqueue(MsgAnswer::Yes);
        m->Trigger(corvel::cmd::PastasRemover);
        QVERIFY(Base(1).isEmpty());
        QVERIFY(Selected().isEmpty());
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Pasta Base: Remover Todas"));
    }

    // The questions, messages and status texts of both lists, word for word.
    void messagesReadAsWritten() {
        Home home;
        const QString there = home.work(QStringLiteral("existe.html"));
        WriteBytes(there, "x");
        WriteSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo1"),
                     home.work(QStringLiteral("sumiu.html")));
        WriteSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo2"), there);
        WriteSetting(QStringLiteral("Pasta Base"), QStringLiteral("Caminho1"),
                     home.work(QStringLiteral("foi")));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        const auto expect = [&dialogs](const QString &title, const QString &text,
                                       corvel::MsgIcon icon, corvel::MsgButtons buttons) {
            QVERIFY(!dialogs.messages.isEmpty());
            const RecordedMessage &r = dialogs.messages.last();
            QCOMPARE(r.title, title);
            QCOMPARE(r.text, text);
            QCOMPARE(r.icon, icon);
            QCOMPARE(r.buttons, buttons);
        };
        using corvel::MsgButtons;
        using corvel::MsgIcon;

        dialogs.answers.enqueue(MsgAnswer::No);
        m->Trigger(corvel::cmd::Historico(1));
        expect(QStringLiteral("Arquivo Não Encontrado"),
               QStringLiteral("O arquivo especificado não existe. Provavelmente ele foi deletado "
                              "ou movido. Você pode remover os arquivos obsoletos da sua lista de "
                              "histórico utilizando a opção 'Remover Obsoletos'.\r\n\r\nVocê "
                              "deseja remover os arquivos obsoletos da sua lista de histórico "
                              "agora?"),
               MsgIcon::Question, MsgButtons::YesNo);

        m->Trigger(corvel::cmd::Historico(2));
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Histórico: Abrir Documento"));
        QVERIFY(corvel::DocumentWithFile(*m, there));
        QVERIFY(OpenAsksTheDialog(*m, dialogs));

        m->Trigger(corvel::cmd::HistoricoRemObsoletos);
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Histórico: Remover Obsoletos"));
        QCOMPARE(History(1), there);

        m->Trigger(corvel::cmd::HistoricoRemTodos);
        expect(QStringLiteral("Remover Histórico"),
               QStringLiteral("Você realmente deseja remover todo o histórico de arquivos?"),
               MsgIcon::Question, MsgButtons::YesNo);

        dialogs.answers.enqueue(MsgAnswer::No);
        m->Trigger(corvel::cmd::PastaPadrao(1));
        expect(QStringLiteral("Pasta Inexistente"),
               QStringLiteral("A pasta especificada não existe.\r\n\r\nDeseja executar a rotina "
                              "para remover as pastas base não mais existentes?"),
               MsgIcon::Warning, MsgButtons::YesNo);

        m->Trigger(corvel::cmd::PastasObsoletas);
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Pasta Base: Remover Obsoletas"));
        QVERIFY(Base(1).isEmpty());

        m->Trigger(corvel::cmd::PastasRemover);
        expect(QStringLiteral("Remover Pastas Base"),
               QStringLiteral("Você realmente deseja remover todas as pastas base?"),
               MsgIcon::Question, MsgButtons::YesNo);

        m->Trigger(corvel::cmd::ArquivoNovo);
        QCOMPARE(m->StatusPanelText(8), QStringLiteral("Novo Documento"));
        m->Trigger(corvel::cmd::PastaBaseInserir);
        expect(QStringLiteral("Arquivo Não Gravado"),
               QStringLiteral("Para adicionar uma pasta base de trabalho, é necessário que o "
                              "arquivo atual já tenha sido gravado no local de destino. O arquivo "
                              "aberto será considerado como estando na pasta principal de seu "
                              "projeto, e ao selecionar esta pasta como pasta base, todos os "
                              "caminhos de imagens e arquivos adicionados possuirão o caminho "
                              "baseado nesta pasta base, se assim configurado nas Opções."),
               MsgIcon::Information, MsgButtons::Ok);
    }

    void missingBaseFolderOffersTheCleaning() {
        Home home;
        WriteSetting(QStringLiteral("Pasta Base"), QStringLiteral("Caminho1"),
                     home.work(QStringLiteral("foi")));
        WriteSetting(QStringLiteral("Pasta Base"), QStringLiteral("Caminho2"),
                     home.work(QString()));
        WriteSetting(QStringLiteral("Pasta Base"), QStringLiteral("Selecionada"),
                     QStringLiteral("/fora/da/lista"));
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QVERIFY(Selected().isEmpty()); // a selection outside the list is dropped
        dialogs.answers.enqueue(MsgAnswer::Yes);
        m->Trigger(corvel::cmd::PastaPadrao(1));
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Pasta Inexistente")), 1);
        QCOMPARE(Base(1), home.work(QString()));
        QVERIFY(Base(2).isEmpty());
    }
};

QTEST_MAIN(TestHistoryMenus)
#include "tst_history_menus.moc"
