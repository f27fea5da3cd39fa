#include "ChooseColour.h"
#include "ScriptedDialogs.h"
#include "Settings.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_colours_choose : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
private slots:
    void init() {
        corvel::SetSettingsFileOverride(m_dir.filePath(QStringLiteral("settings.ini")));
        WriteSetting("Configuracao", "EscolheCor", "0");
    }
    void chosenColourAsHtml() {
        ScriptedDialogs dlg;
        dlg.colours.enqueue(255 + 128 * 256);
        QCOMPARE(ChooseColour("16777215"), QString("#FF8000"));
        QCOMPARE(dlg.chooserTitles, QStringList{"Escolher Cor"});
        // Without "*" the choice is not remembered.
        QCOMPARE(ReadSetting("Configuracao", "EscolheCor"), QString("0"));
    }
    void starRemembersChoice() {
        ScriptedDialogs dlg;
        dlg.colours.enqueue(65536 * 255);
        QCOMPARE(ChooseColour("*12"), QString("#0000FF"));
        QCOMPARE(ReadSetting("Configuracao", "EscolheCor"), QString::number(65536 * 255));
    }
    void cancelGivesCancelAndKeepsSetting() {
        ScriptedDialogs dlg;
        WriteSetting("Configuracao", "EscolheCor", "77");
        dlg.colours.enqueue(-1);
        QCOMPARE(ChooseColour("*77"), QString("Cancel"));
        QCOMPARE(ReadSetting("Configuracao", "EscolheCor"), QString("77"));
    }
    void garbageArgumentStartsFromBlack() {
        // The dialog must still open (no crash on a word that is no number).
        struct Probe : ScriptedDialogs {
            int seen = -2;
            bool chooseColour(QWidget *, const QString &, int initial, int *chosen) override {
                seen = initial;
                *chosen = 1;
                return true;
            }
        } dlg;
        QCOMPARE(ChooseColour("*abc"), QString("#010000"));
        QCOMPARE(dlg.seen, 0);
        ChooseColour("*" + QString(40, '9'));
        QVERIFY(dlg.seen >= 0 && dlg.seen <= 0xFFFFFF);
    }
};

QTEST_MAIN(tst_colours_choose)
#include "tst_colours_choose.moc"
