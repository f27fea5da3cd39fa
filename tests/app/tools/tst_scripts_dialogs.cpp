// The scripts dialog and the script editor: the list and its parameters,
// choosing by click and by typed shortcut, running a script, creating,
// editing and removing scripts, and every message on the way.
#include "Folders.h"
#include "ScriptFile.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmScriptEditar.h"
#include "frmScripts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

using corvel::MsgAnswer;
using corvel::MsgIcon;

namespace {

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

const QByteArray kAsp = "[IF]\nDescricao=Condição\nParametros=Condição\n"
                        "Saida=if (<#P1#>) {<##><#T#><#C#><##>}\n"
                        "[ab]\nDescricao=Dois\nParametros=Nome,Idade\nSaida=<#P1#>=<#P2#>\n"
                        "[Z]\nDescricao=Zeta\nParametros=\nSaida=z<#E#>\n";

QStringList Rows(const frmScripts &d) {
    QStringList out;
    for (int i = 0; i < d.Lista->topLevelItemCount(); ++i)
        out << d.Lista->topLevelItem(i)->text(0);
    return out;
}

// Runs fn on the modal window that the next call opens. The returned guard
// closes any window still open after 10 s, so no test waits for ever.
template <class Dialog>
std::unique_ptr<QTimer> WhenModal(QObject *ctx, std::function<void(Dialog *)> fn) {
    QTimer::singleShot(0, ctx, [fn] {
        if (auto *d = qobject_cast<Dialog *>(QApplication::activeModalWidget())) fn(d);
    });
    auto guard = std::make_unique<QTimer>();
    guard->setSingleShot(true);
    QObject::connect(guard.get(), &QTimer::timeout, [] {
        if (QWidget *w = QApplication::activeModalWidget()) w->close();
    });
    guard->start(10000);
    return guard;
}

} // namespace

class TestScriptsDialogs : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<ScriptedDialogs> dialogs;
    QString asp;

    struct Inserted {
        QString text;
        int caretBack = -1;
    };

    // A dialog on the ASP list whose insertions are recorded.
    std::unique_ptr<frmScripts> open(Inserted *out, int column = 1) {
        auto d = std::make_unique<frmScripts>();
        d->SetTarget({[column] { return column; },
                      [out](const QString &t, int back) {
                          out->text = t;
                          out->caretBack = back;
                      }});
        d->show();
        d->activateWindow();
        if (!QTest::qWaitForWindowActive(d.get())) return nullptr;
        if (!d->MontaLista("ASP")) return nullptr;
        return d;
    }

private slots:
    void init() {
        corvel::SetSettingsFileOverride(dir.filePath("Corvel.ini"));
        corvel::SetProgramFolderOverride(dir.path());
        ApplyDefaultSettings(true);
        dialogs = std::make_unique<ScriptedDialogs>();
        asp = dir.filePath("Scripts/asp.dat");
        QVERIFY(WriteAll(asp, kAsp));
    }
    void cleanup() {
        dialogs.reset();
        QDir(dir.filePath("Scripts")).removeRecursively();
    }

    void listShowsTheFile() {
        Inserted ins;
        auto d = open(&ins);
        QVERIFY(d);
        QCOMPARE(d->FilePath(), asp);
        QCOMPARE(Rows(*d), QStringList({"IF", "AB", "Z"}));
        QTreeWidgetItem *ab = d->Lista->topLevelItem(1);
        QCOMPARE(ab->text(1), QString("Dois"));
        QCOMPARE(ab->data(0, Qt::UserRole).toString(), QString("AB"));
        QVERIFY(ab->font(0).bold());
        QCOMPARE(ab->foreground(0).color(), QColor(0, 0, 192));
        QCOMPARE(d->Lista->currentItem(), d->Lista->topLevelItem(0));
        QCOMPARE(d->lblParam[0]->text(), QString("Condição"));
        QVERIFY(d->txtParam[0]->isEnabled());
        QCOMPARE(d->txtParam[0]->palette().color(QPalette::Base), QColor(255, 255, 255));
        for (int k = 1; k < 4; ++k) {
            QCOMPARE(d->lblParam[k]->text(), QString("(não usado)"));
            QVERIFY(!d->lblParam[k]->isEnabled() && !d->txtParam[k]->isEnabled());
            QCOMPARE(d->txtParam[k]->palette().color(QPalette::Base), QColor(192, 192, 192));
        }
    }

    void missingAndUnreadableFiles() {
        Inserted ins;
        QFile::remove(asp);
        auto d = open(&ins);
        QVERIFY(d);
        QCOMPARE(d->Lista->topLevelItemCount(), 0);
        QVERIFY(!d->txtParam[0]->isEnabled());
        d->btnOk_Click(); // an empty list runs nothing
        QVERIFY(d->isVisible());
        QVERIFY(ins.text.isNull());
        d->btnEditar_Click();
        d->btnRemover_Click();
        QVERIFY(dialogs->messages.isEmpty());

        QVERIFY(QDir().mkpath(asp)); // a folder in the file's place
        frmScripts bad;
        QVERIFY(!bad.MontaLista("ASP"));
        QCOMPARE(dialogs->lastTitle(), QString("Erro Crítico"));
        QVERIFY(dialogs->lastText().startsWith("Ocorreu um erro ao carregar o arquivo"));
        QCOMPARE(dialogs->messages.last().icon, MsgIcon::Critical);
    }

    void choosing() {
        Inserted ins;
        auto d = open(&ins);
        // Typing the shortcut in lower case selects the row; the box keeps it.
        QTest::keyClicks(d->txtAtalho, "ab");
        QCOMPARE(d->Lista->currentItem()->text(0), QString("AB"));
        QCOMPARE(d->txtAtalho->text(), QString("ab"));
        QCOMPARE(d->lblParam[1]->text(), QString("Idade"));
        QVERIFY(d->txtParam[1]->isEnabled());
        d->txtParam[0]->setText("kept");
        d->txtParam[1]->setText("dropped");
        // A text that names no row changes nothing.
        QTest::keyClick(d->txtAtalho, Qt::Key_X);
        QCOMPARE(d->Lista->currentItem()->text(0), QString("AB"));
        // A click chooses and writes the shortcut; a box that stays in use
        // keeps its value, one that goes out of use is emptied.
        QTreeWidgetItem *first = d->Lista->topLevelItem(0);
        const QRect r = d->Lista->visualItemRect(first);
        QTest::mouseClick(d->Lista->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(d->txtAtalho->text(), QString("IF"));
        QCOMPARE(d->txtParam[0]->text(), QString("kept"));
        QCOMPARE(d->txtParam[1]->text(), QString());
        QCOMPARE(QApplication::focusWidget(), d->txtParam[0]);
    }

    void running_data() {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("realTab");
        QTest::addColumn<QString>("tabs");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caretBack");
        QTest::newRow("if at column 5") << "if" << QStringList{"x > 0"} << "0"
                                        << "3"
                                        << "if (x > 0) {\r\n       \r\n    }" << 7;
        QTest::newRow("real tab") << "if" << QStringList{"x"} << "1"
                                  << "3"
                                  << "if (x) {\r\n    \t\r\n    }" << 7;
        QTest::newRow("two spaces") << "if" << QStringList{"x"} << "0"
                                    << "2"
                                    << "if (x) {\r\n      \r\n    }" << 7;
        QTest::newRow("both parameters empty") << "ab" << QStringList{"", ""} << "0"
                                               << "3"
                                               << "=" << 1;
        QTest::newRow("space mark at the end") << "z" << QStringList() << "0"
                                               << "3"
                                               << "z " << 0;
    }
    void running() {
        QFETCH(QString, shortcut);
        QFETCH(QStringList, values);
        QFETCH(QString, realTab);
        QFETCH(QString, tabs);
        QFETCH(QString, text);
        QFETCH(int, caretBack);
        WriteSetting("Configuracao", "RealTAB", realTab);
        WriteSetting("Editor", "Tabs", tabs);
        Inserted ins;
        auto d = open(&ins, 5);
        QTest::keyClicks(d->txtAtalho, shortcut);
        for (int k = 0; k < values.size(); ++k)
            d->txtParam[k]->setText(values[k]);
        QTest::keyClick(d->txtAtalho, Qt::Key_Return); // Ok is the default button
        QCOMPARE(ins.text, text);
        QCOMPARE(ins.caretBack, caretBack);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QVERIFY(!d->isVisible());
    }

    void runningAVanishedScript() {
        Inserted ins;
        auto d = open(&ins);
        QVERIFY(WriteAll(asp, "[OUTRO]\nSaida=x\n"));
        d->btnOk_Click();
        QVERIFY(ins.text.isNull());
        QCOMPARE(dialogs->lastTitle(), QString("Erro de Montagem"));
        QCOMPARE(dialogs->lastText(),
                 QString("Ocorreu um erro ao montar a saída do script. Caso o erro persista, "
                         "reinstale o Corvel ou entre em contato conosco."));
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(!d->isVisible());
    }

    void escapeClosesOnRelease() {
        Inserted ins;
        auto d = open(&ins);
        QTest::keyPress(d->txtAtalho, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        QTest::keyRelease(d->txtAtalho, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
        QVERIFY(ins.text.isNull());

        frmScriptEditar e;
        e.Carrega(asp, QString(), true);
        e.show();
        e.txtDescricao->setText("nada");
        QTest::keyPress(e.txtConteudo, Qt::Key_Escape);
        QTest::keyRelease(e.txtConteudo, Qt::Key_Escape);
        QVERIFY(!e.isVisible());
        QCOMPARE(ReadAll(asp), kAsp);
    }

    // A new script through the Criar button and the modal editor.
    void creatingThroughTheList() {
        Inserted ins;
        auto d = open(&ins);
        d->Lista->setCurrentItem(d->Lista->topLevelItem(2));
        bool seen = false;
        const auto guard = WhenModal<frmScriptEditar>(this, [&](frmScriptEditar *e) {
            seen = true;
            QCOMPARE(e->windowTitle(), QString("Scripts - Inclusão"));
            QTest::keyClicks(e->txtAtalho, " novo ");
            e->txtDescricao->setText("  Novo script ");
            e->txtParam[1]->setText("Nome");
            e->txtParam[3]->setText(" Idade ");
            e->txtConteudo->setPlainText("A <#P1#>\n<#T#>B <#P2#>");
            e->btnConcluir->click();
        });
        d->btnCriar->click();
        QVERIFY(seen);
        QCOMPARE(dialogs->lastTitle(), QString("Inclusão"));
        QCOMPARE(dialogs->lastText(), QString("O script foi incluído com sucesso."));
        QCOMPARE(Rows(*d), QStringList({"IF", "AB", "Z", "NOVO"}));
        QCOMPARE(d->Lista->currentItem(), d->Lista->topLevelItem(0));
        bool found = false;
        const corvel::ScriptEntry e = corvel::ReadScript(asp, "NOVO", &found);
        QVERIFY(found);
        QCOMPARE(e.description, QString("Novo script"));
        QCOMPARE(e.parameters, QStringList({"Nome", "Idade"}));
        QCOMPARE(e.output, QString("A <#P1#><##><#T#>B <#P2#>"));
        // Idade is now the second parameter and fills the second placeholder.
        QTest::keyClicks(d->txtAtalho, "novo");
        QCOMPARE(d->lblParam[1]->text(), QString("Idade"));
        d->txtParam[0]->setText("n");
        d->txtParam[1]->setText("42");
        d->btnOk_Click();
        QCOMPARE(ins.text, QString("A n\r\n   B 42"));
    }

    void editorChecks_data() {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        const int warn = int(MsgIcon::Warning), info = int(MsgIcon::Information);
        QTest::newRow("2X refused") << "2x"
                                    << "d"
                                    << "c"
                                    << "Atalho"
                                    << "O atalho não pode começar com um número." << warn;
        QTest::newRow("X2 accepted") << "x2"
                                     << "d"
                                     << "c"
                                     << "Inclusão"
                                     << "O script foi incluído com sucesso." << info;
        QTest::newRow("0X accepted") << "0x"
                                     << "d"
                                     << "c"
                                     << "Inclusão"
                                     << "O script foi incluído com sucesso." << info;
        QTest::newRow("in use in another case")
            << "Ab"
            << "d"
            << "c"
            << "Já Existente"
            << "O atalho informado já está em uso por outro script. Escolha outro atalho."
            << int(MsgIcon::Critical);
        QTest::newRow("no description") << "N"
                                        << "  "
                                        << "c"
                                        << "Descrição"
                                        << "Informe uma breve descrição para o script." << warn;
        QTest::newRow("no content") << "N"
                                    << "d"
                                    << " \n "
                                    << "Conteúdo"
                                    << "O conteúdo do script não foi informado." << warn;
        QTest::newRow("no shortcut")
            << " "
            << "d"
            << "c"
            << "Atalho"
            << "Você deve informar uma combinação de letras (atalho) para o script." << warn;
        QTest::newRow("shortcut that breaks the file")
            << "A]B"
            << "d"
            << "c"
            << "Atalho"
            << "O atalho só pode conter letras, números, \"_\" e \"-\"." << warn;
    }
    void editorChecks() {
        QFETCH(QString, shortcut);
        QFETCH(QString, description);
        QFETCH(QString, content);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, icon);
        frmScriptEditar e;
        e.Carrega(asp, QString(), true);
        e.show();
        e.txtAtalho->setText(shortcut);
        e.txtDescricao->setText(description);
        e.txtConteudo->setPlainText(content);
        e.btnConcluir_Click();
        QCOMPARE(dialogs->lastTitle(), title);
        QCOMPARE(dialogs->lastText(), text);
        QCOMPARE(int(dialogs->messages.last().icon), icon);
        const bool saved = title == QString("Inclusão");
        QCOMPARE(e.isVisible(), !saved);
        // The trimmed values stay in the boxes.
        QCOMPARE(e.txtAtalho->text(), shortcut.trimmed().toUpper());
        QCOMPARE(e.txtDescricao->text(), description.trimmed());
        if (saved) {
            bool found = false;
            corvel::ReadScript(asp, shortcut.trimmed(), &found);
            QVERIFY(found);
        } else {
            QCOMPARE(ReadAll(asp), kAsp);
        }
    }

    void editing() {
        Inserted ins;
        auto d = open(&ins);
        d->Lista->setCurrentItem(d->Lista->topLevelItem(1));
        const auto guard = WhenModal<frmScriptEditar>(this, [&](frmScriptEditar *e) {
            QCOMPARE(e->windowTitle(), QString("Scripts - Edição"));
            QCOMPARE(e->txtAtalho->text(), QString("AB"));
            QVERIFY(e->txtAtalho->isReadOnly());
            QCOMPARE(e->txtDescricao->text(), QString("Dois"));
            QCOMPARE(e->txtParam[1]->text(), QString("Nome"));
            QCOMPARE(e->txtParam[2]->text(), QString("Idade"));
            QCOMPARE(e->txtParam[3]->text(), QString());
            QCOMPARE(e->txtConteudo->toPlainText(), QString("<#P1#>=<#P2#>"));
            e->txtDescricao->setText("Duas partes");
            e->txtParam[1]->clear();
            e->txtConteudo->setPlainText("x\ny");
            e->btnConcluir_Click();
        });
        d->btnEditar_Click();
        QCOMPARE(dialogs->lastTitle(), QString("Edição"));
        QCOMPARE(dialogs->lastText(), QString("O script foi atualizado com sucesso."));
        QCOMPARE(d->Lista->currentItem()->text(0), QString("AB"));
        QCOMPARE(d->Lista->currentItem()->text(1), QString("Duas partes"));
        QCOMPARE(d->lblParam[0]->text(), QString("Idade"));
        // Written under the stored section, in its own case, in place.
        QVERIFY(ReadAll(asp).contains("[ab]\nDescricao=Duas partes\nParametros=Idade\n"
                                      "Saida=x<##>y\n[Z]"));
    }

    void placeholderButtons() {
        frmScriptEditar e;
        e.Carrega(asp, QString(), true);
        e.txtConteudo->setPlainText("a-b");
        QTextCursor c = e.txtConteudo->textCursor();
        c.setPosition(1);
        c.setPosition(2, QTextCursor::KeepAnchor);
        e.txtConteudo->setTextCursor(c);
        for (int n = 0; n < 7; ++n)
            e.btnInserir[n]->click();
        QCOMPARE(e.txtConteudo->toPlainText(),
                 QString("a<#P1#><#P2#><#P3#><#P4#><#T#><#E#><#C#>b"));
    }

    void removing_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("title");
        QTest::newRow("middle of three")
            << 1 << int(MsgAnswer::Yes) << QStringList{"IF", "Z"} << "Removido";
        QTest::newRow("answered No")
            << 1 << int(MsgAnswer::No) << QStringList{"IF", "AB", "Z"} << "Remover";
    }
    void removing() {
        QFETCH(int, row);
        QFETCH(int, answer);
        QFETCH(QStringList, rows);
        QFETCH(QString, title);
        Inserted ins;
        auto d = open(&ins);
        d->Lista->setCurrentItem(d->Lista->topLevelItem(row));
        dialogs->answers.enqueue(MsgAnswer(answer));
        d->btnRemover_Click();
        QCOMPARE(dialogs->messages.first().text, QString("Confirma a remoção deste item?"));
        QCOMPARE(dialogs->messages.first().buttons, corvel::MsgButtons::YesNo);
        QCOMPARE(dialogs->lastTitle(), title);
        QCOMPARE(Rows(*d), rows);
        frmScripts again;
        again.MontaLista("ASP");
        QCOMPARE(Rows(again), rows);
    }

    void removingTheLastOne() {
        QVERIFY(WriteAll(asp, "[SO]\nDescricao=Único\n"));
        Inserted ins;
        auto d = open(&ins);
        dialogs->answers.enqueue(MsgAnswer::Yes);
        d->btnRemover_Click();
        QVERIFY(!QFileInfo::exists(asp));
        QCOMPARE(d->Lista->topLevelItemCount(), 0);
        QCOMPARE(dialogs->lastTitle(), QString("Removido"));
    }

    void failedRemovalKeepsEverything() {
        Inserted ins;
        auto d = open(&ins);
        QVERIFY(QDir().mkpath(dir.filePath("Scripts/asp.new/x")));
        d->Lista->setCurrentItem(d->Lista->topLevelItem(1));
        dialogs->answers.enqueue(MsgAnswer::Yes);
        d->btnRemover_Click();
        QCOMPARE(dialogs->lastTitle(), QString("Erro ao Remover"));
        QCOMPARE(dialogs->messages.last().icon, MsgIcon::Critical);
        QCOMPARE(ReadAll(asp), kAsp);
        QCOMPARE(Rows(*d), QStringList({"IF", "AB", "Z"}));
    }
};

QTEST_MAIN(TestScriptsDialogs)
#include "tst_scripts_dialogs.moc"
