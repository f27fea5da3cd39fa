// The help pages shipped with the program: every context number the program
// opens has its page, in Portuguese, with its heading; and the about box's
// version text.
#include "HelpPages.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace corvel;

class tst_help_pages : public QObject {
    Q_OBJECT
    static QString Folder() { return qEnvironmentVariable("CORVEL_SOURCE_DIR") + "/data/Ajuda"; }

private slots:
    void everyContextHasItsPage_data() {
        QTest::addColumn<int>("context");
        QList<int> used{0, 1, 2};
        for (int c = 9000; c <= 9035; ++c)
            used << c;
        for (int c : used)
            QTest::newRow(qPrintable(QString::number(c))) << c;
    }
    void everyContextHasItsPage() {
        QFETCH(int, context);
        const HelpPage *page = FindHelpPage(context);
        QVERIFY(page);
        QFile f(HelpPagePath(Folder(), context));
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
        const QString html = QString::fromUtf8(f.readAll());
        QVERIFY(html.contains("<html lang=\"pt-BR\">"));
        QVERIFY(html.contains("<meta charset=\"utf-8\">"));
        QVERIFY(html.contains(
            QString("<h1>%1</h1>").arg(QString::fromUtf8(page->title).toHtmlEscaped())));
        // Real text: the body, tags removed, says something.
        QString text = html;
        text.remove(QRegularExpression("<[^>]*>"));
        QVERIFY2(text.size() > 600, qPrintable(QString::number(text.size())));
        QVERIFY(!html.contains(QRegularExpression("\\bTODO\\b|lorem ipsum|placeholder",
                                                  QRegularExpression::CaseInsensitiveOption)));
        // Links stay inside the help folder and reach real pages.
        const auto links = QRegularExpression("href=\"([^\"]+)\"").globalMatch(html);
        for (auto it = links; it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(QFile::exists(Folder() + "/" + target), qPrintable(target));
        }
    }

    void unknownContextOpensContents() {
        QVERIFY(!FindHelpPage(1013));
        QCOMPARE(HelpPagePath("/x/Ajuda/", 1013), QString("/x/Ajuda/index.html"));
        QCOMPARE(HelpPagePath("/x/Ajuda", 9002), QString("/x/Ajuda/tag-img.html"));
        int n = 0;
        HelpPages(&n);
        QCOMPARE(n, 39);
    }

    void versionText_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("four parts") << "5.1.0.12"
                                    << "Versão 5.1.0 - OCX 5.1.0.12";
        QTest::newRow("three parts") << "5.1.0"
                                     << "Versão 5.1.0 - OCX 5.1.0.0";
        QTest::newRow("no library") << ""
                                    << "Versão 5.1.0";
        QTest::newRow("not a version") << "beta"
                                       << "Versão 5.1.0";
        QTest::newRow("five parts") << "1.2.3.4.5"
                                    << "Versão 5.1.0";
    }
    void versionText() {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QCOMPARE(AboutVersionText("5.1.0", control), text);
    }
};

QTEST_APPLESS_MAIN(tst_help_pages)
#include "tst_help_pages.moc"
