// Texts, stored forms and the data tables of the options dialog and the
// default-look commands.
#include "OptionTable.h"
#include "OptionTexts.h"

#include <QSet>
#include <QtTest>

using namespace corvel;

class tst_option_texts : public QObject {
    Q_OBJECT

private slots:
    void counts_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("autosave");
        QTest::newRow("0") << 0 << "(0 espaços)"
                           << "(0 minutos)";
        QTest::newRow("1") << 1 << "(1 espaço)"
                           << "(1 minuto)";
        QTest::newRow("4") << 4 << "(4 espaços)"
                           << "(4 minutos)";
        QTest::newRow("10") << 10 << "(10 espaços)"
                            << "(10 minutos)";
    }
    void counts() {
        QFETCH(int, n);
        QFETCH(QString, tab);
        QFETCH(QString, autosave);
        QCOMPARE(TabWidthCaption(n), tab);
        QCOMPARE(AutoSaveCaption(n), autosave);
    }

    void storedForms_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("extension with a leading dot") << "ext"
                                                      << " .bak "
                                                      << "bak";
        QTest::newRow("extension with dots inside") << "ext"
                                                    << "b.a.k"
                                                    << "bak";
        QTest::newRow("extension of dots only") << "ext"
                                                << "..."
                                                << "";
        QTest::newRow("page 0") << "page"
                                << "0"
                                << "0";
        QTest::newRow("page Preview reopens") << "page"
                                              << "2"
                                              << "2";
        QTest::newRow("page Comandos does not") << "page"
                                                << "3"
                                                << "0";
        QTest::newRow("page -1") << "page"
                                 << "-1"
                                 << "0";
        QTest::newRow("page not a number") << "page"
                                           << "x"
                                           << "0";
        QTest::newRow("page empty") << "page"
                                    << ""
                                    << "0";
        QTest::newRow("font 9.5") << "size"
                                  << "9.5"
                                  << "9";
        QTest::newRow("font 11.25") << "size"
                                    << "11.25"
                                    << "11";
        QTest::newRow("font 12") << "size"
                                 << "12"
                                 << "12";
        QTest::newRow("font below a point") << "size"
                                            << "0.5"
                                            << "1";
        QTest::newRow("font negative") << "size"
                                       << "-3"
                                       << "1";
        QTest::newRow("font huge") << "size"
                                   << "1e12"
                                   << "1638";
        QTest::newRow("colour number") << "colour"
                                       << "16711680"
                                       << "16711680";
        QTest::newRow("colour not a number opens on black") << "colour"
                                                            << "azul"
                                                            << "0";
        QTest::newRow("colour empty") << "colour"
                                      << ""
                                      << "0";
        QTest::newRow("colour rounded") << "colour"
                                        << "12.6"
                                        << "13";
        QTest::newRow("colour beyond 24 bits") << "colour"
                                               << "16777216"
                                               << "0";
        QTest::newRow("colour negative") << "colour"
                                         << "-5"
                                         << "0";
        QTest::newRow("colour too large for 32 bits") << "colour"
                                                      << "99999999999"
                                                      << "0";
        QTest::newRow("style True") << "style"
                                    << "True"
                                    << "1";
        QTest::newRow("style true") << "style"
                                    << "true"
                                    << "1";
        QTest::newRow("style False") << "style"
                                     << "False"
                                     << "0";
        QTest::newRow("style number") << "style"
                                      << "-1"
                                      << "1";
        QTest::newRow("style empty") << "style"
                                     << ""
                                     << "0";
    }
    void storedForms() {
        QFETCH(QString, kind);
        QFETCH(QString, in);
        QFETCH(QString, out);
        if (kind == "ext") QCOMPARE(BackupExtensionSetting(in), out);
        if (kind == "page") QCOMPARE(QString::number(OptionsStartPage(in)), out);
        if (kind == "size") QCOMPARE(FontSizeSetting(in.toDouble()), out);
        if (kind == "colour") QCOMPARE(QString::number(ChooserStartColour(in)), out);
        if (kind == "style") QCOMPARE(StyleFlag(in) ? "1" : "0", out);
    }

    void styleTexts() {
        QCOMPARE(StyleFlagText(true), QString("True"));
        QCOMPARE(StyleFlagText(false), QString("False"));
        QCOMPARE(FontSizeSetting(std::nan("")), QString("1"));
    }

    void flagTests_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("checked");
        const int notZero = int(ShownWhen::NotZero), isOne = int(ShownWhen::IsOne),
                  isZero = int(ShownWhen::IsZero);
        QTest::newRow("not zero: absent shows checked") << notZero << "" << true;
        QTest::newRow("not zero: 0") << notZero << "0" << false;
        QTest::newRow("not zero: 2") << notZero << "2" << true;
        QTest::newRow("is one: absent") << isOne << "" << false;
        QTest::newRow("is one: 1") << isOne << "1" << true;
        QTest::newRow("is one: 01") << isOne << "01" << false;
        QTest::newRow("is zero: 0") << isZero << "0" << true;
        QTest::newRow("is zero: absent") << isZero << "" << false;
        QTest::newRow("is zero: 1000000") << isZero << "1000000" << false;
    }
    void flagTests() {
        QFETCH(int, rule);
        QFETCH(QString, value);
        QFETCH(bool, checked);
        QCOMPARE(ShownChecked(ShownWhen(rule), value), checked);
    }

    // The table's rows that the fill rules and the written values hinge on.
    void flagTable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("on");
        QTest::addColumn<QString>("off");
        QTest::newRow("tray") << "chkSysTray"
                              << "SysTray" << int(ShownWhen::IsOne) << "1"
                              << "0";
        QTest::newRow("colourise") << "chkAutoColorize"
                                   << "AutoColor" << int(ShownWhen::NotZero) << "1"
                                   << "0";
        QTest::newRow("lower case is inverted") << "chkMinusculas"
                                                << "Maiusculo" << int(ShownWhen::IsZero) << "0"
                                                << "1";
        QTest::newRow("wrap") << "chkBRLinhas"
                              << "Quebra" << int(ShownWhen::IsZero) << "0"
                              << "1000000";
        QTest::newRow("border") << "chkImgBorder0"
                                << "ImgBorder0" << int(ShownWhen::NotZero) << "1"
                                << "0";
    }
    void flagTable() {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(int, rule);
        QFETCH(QString, on);
        QFETCH(QString, off);
        int n = 0;
        const OptionFlag *flags = OptionFlags(&n);
        QCOMPARE(n, 18);
        QSet<QString> names;
        for (int i = 0; i < n; ++i) {
            names << flags[i].name;
            QCOMPARE(QString(flags[i].section), QString("Configuracao"));
            if (name != flags[i].name) continue;
            QCOMPARE(QString(flags[i].key), key);
            QCOMPARE(int(flags[i].shownWhen), rule);
            QCOMPARE(QString(flags[i].checkedValue), on);
            QCOMPARE(QString(flags[i].uncheckedValue), off);
        }
        QCOMPARE(names.size(), n);
        QVERIFY(names.contains(name));
    }

    void quotesAndTemplates_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("shown");
        QTest::newRow("quotes 0") << "q"
                                  << "0" << 0 << 0;
        QTest::newRow("quotes 3") << "q"
                                  << "3" << 0 << 3;
        QTest::newRow("quotes 4 is plain") << "q"
                                           << "4" << 0 << 0;
        QTest::newRow("quotes empty is plain") << "q"
                                               << "" << 0 << 0;
        QTest::newRow("template 1") << "t"
                                    << "1" << 2 << 1;
        QTest::newRow("template 2 of two items") << "t"
                                                 << "2" << 2 << -1;
        QTest::newRow("template 2 of Table") << "t"
                                             << "2" << 3 << 2;
        QTest::newRow("template negative") << "t"
                                           << "-1" << 3 << -1;
        QTest::newRow("template empty") << "t"
                                        << "" << 2 << 0;
    }
    void quotesAndTemplates() {
        QFETCH(QString, kind);
        QFETCH(QString, stored);
        QFETCH(int, items);
        QFETCH(int, shown);
        QCOMPARE(kind == "q" ? QuoteChoiceIndex(stored) : TemplateItem(stored, items), shown);
    }

    void templateRows() {
        int n = 0;
        const TemplateRow *rows = TemplateRows(&n);
        QStringList keys;
        for (int i = 0; i < n; ++i) {
            keys << rows[i].key;
            QCOMPARE(rows[i].items, keys.last() == "Table" ? 3 : 2);
        }
        QCOMPARE(keys, QStringList({"P", "BR", "HR", "Table", "TR", "TD", "Option", "LI"}));
        const QuoteChoice *q = QuoteChoices(&n);
        QCOMPARE(n, 4);
        for (int i = 0; i < n; ++i)
            QCOMPARE(QString(q[i].value), QString::number(i));
    }
};

QTEST_APPLESS_MAIN(tst_option_texts)
#include "tst_option_texts.moc"
