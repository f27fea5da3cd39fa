#include "CommandFile.h"
#include "CommandResult.h"
#include "CommandsFakeEditor.h"
#include "Folders.h"
#include "IniFiles.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmComando.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;

class tst_shipped_definitions : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_shipped;

    QStringList definitions() const {
        return QDir(m_shipped).entryList({"*.tpc", "*.tpa"}, QDir::Files, QDir::Name);
    }

private slots:
    void initTestCase() {
        m_shipped = qEnvironmentVariable("CORVEL_SOURCE_DIR") + "/data/Comandos";
        QVERIFY2(QDir(m_shipped).exists(), qPrintable(m_shipped));
        SetProgramFolderOverride(m_dir.path());
        SetSettingsFileOverride(m_dir.filePath("settings.ini"));
        QDir().mkpath(m_dir.path() + "/Comandos");
        for (const QString &f : QDir(m_shipped).entryList(QDir::Files))
            QVERIFY(QFile::copy(m_shipped + "/" + f, m_dir.path() + "/Comandos/" + f));
    }

    void everyMenuCommandHasItsFiles() {
        const QStringList names = {"Font",     "A",     "IMG",      "P",        "BR",      "HR",
                                   "TABLE",    "TR",    "TD",       "Body",     "UL",      "OL",
                                   "LI",       "FORM",  "INPUT",    "TEXTAREA", "SELECT",  "OPTION",
                                   "FRAMESET", "FRAME", "IFRAME",   "MARQUEE",  "BGSOUND", "DIV",
                                   "APPLET",   "BASE",  "BASEFONT", "BUTTON",   "EMBED",   "LINK",
                                   "OBJECT",   "PARAM", "XML",      "SPAN",     "SCRIPT",  "META"};
        for (const QString &n : names)
            QVERIFY2(QFile::exists(m_shipped + "/" + n + ".tpc"), qPrintable(n));
        for (const QString n : {"Font", "A", "IMG", "TABLE", "TR", "TD", "Body", "FORM", "INPUT",
                                 "DIV", "SPAN", "META", "SCRIPT"}) {
            const QString tpa = m_shipped + "/" + n + ".tpa";
            QVERIFY2(QFile::exists(tpa), qPrintable(n));
            // The advanced definition offers more.
            QVERIFY(CommandParameterNames(tpa).size() >
                    CommandParameterNames(m_shipped + "/" + n + ".tpc").size());
        }
    }

    void everyDefinitionIsValidAndSensible() {
        const QStringList actions = {"fontselect", "colorselect", "linkselect", "imagemselect"};
        for (const QString &f : definitions()) {
            const QString path = m_shipped + "/" + f;
            const QStringList params = CommandParameterNames(path);
            QVERIFY2(ValidateCommandFile(path, params).isEmpty(),
                     qPrintable(f + ": " + ValidateCommandFile(path, params)));
            QVERIFY(ListIniSections(path).size() < 1022);
            for (const QString &p : params) {
                const QString where = f + " " + p;
                const QString botao = ReadIniValue(p, "Botao", path);
                ParamButton b;
                if (!botao.isEmpty()) {
                    QVERIFY2(ParseParamButton(botao, &b), qPrintable(where));
                    QVERIFY2(actions.contains(b.action), qPrintable(where));
                    // The button stands clear of its control, inside the frame.
                    QVERIFY2(b.left >= 2 + SettingNumber(ReadIniValue(p, "Tamanho", path)),
                             qPrintable(where));
                    QVERIFY2(b.left + b.width <= 83, qPrintable(where));
                }
                const QString values = ReadIniValue(p, "Valores", path).toLower();
                if (p.contains("COLOR") || p == "TEXT" || p.endsWith("LINK"))
                    QVERIFY2(values == "#cores" && b.action == "colorselect", qPrintable(where));
                if (p == "FACE")
                    QVERIFY2(values == "#fontes" && b.action == "fontselect", qPrintable(where));
                if (p == "HREF" || p == "ACTION")
                    QVERIFY2(b.action == "linkselect", qPrintable(where));
            }
        }
        QCOMPARE(ReadIniValue("SRC", "Botao", m_shipped + "/IMG.tpc").section(',', 3),
                 QString("imagemselect"));
    }

    void listFiles() {
        QFile css(m_shipped + "/CSS.dat"), js(m_shipped + "/JS.dat");
        QVERIFY(css.open(QIODevice::ReadOnly) && js.open(QIODevice::ReadOnly));
        const auto props = ParseStyleList(QString::fromUtf8(css.readAll()));
        QVERIFY(props.size() > 30);
        for (const StyleProperty &p : props) {
            QVERIFY2(!p.name.isEmpty() && !p.name.contains(' '), qPrintable(p.name));
            QVERIFY2(!StyleValueItems(p.values, {"Sans"}).isEmpty(), qPrintable(p.name));
        }
        const auto events = ParseEventList(QString::fromUtf8(js.readAll()));
        QVERIFY(events.size() > 10);
        for (const ScriptEvent &e : events)
            QVERIFY2(e.name.startsWith("on"), qPrintable(e.name));
    }

    void everyDialogBuildsAndFinishes() {
        ScriptedDialogs dlg;
        CommandsFakeEditor ed;
        for (const QString &f : definitions()) {
            QString inserted;
            CommandDialogHost h;
            h.currentEditor = [&]() -> ICorvelEdit * { return &ed; };
            h.insertTag = [&](const corvel::TagInsert &t) { inserted = t.openText + t.closeText; };
            frmComando d(f, 9000, h);
            QVERIFY2(d.Form_Load(), qPrintable(f + " " + dlg.lastText()));
            d.show();
            auto *list = d.findChild<QListWidget *>("lstParametros");
            for (int i = 0; i < list->count(); ++i) {
                list->setCurrentRow(i);
                QVERIFY2(d.DynText() || d.DynSelect() || d.DynCheck(), qPrintable(f));
                if (d.DynText()) d.DynText()->setText("1");
                if (d.DynSelect()) {
                    QVERIFY2(d.DynSelect()->count() > 0, qPrintable(f));
                    d.DynSelect()->setCurrentIndex(0);
                }
                if (d.DynCheck()) d.DynCheck()->setChecked(true);
            }
            d.btnConcluir_Click();
            QVERIFY2(inserted.startsWith("<" + d.ComandoName() + " "), qPrintable(inserted));
            QVERIFY2(dlg.messages.isEmpty(), qPrintable(f + " " + dlg.lastText()));
        }
    }
};

QTEST_MAIN(tst_shipped_definitions)
#include "tst_shipped_definitions.moc"
