#include "CharEntities.h"

#include <QSet>
#include <QtTest>

using namespace corvel;

class TestSpecialChars : public QObject {
    Q_OBJECT
private slots:
    void table();
    void convertAndBack();
    void revertNamedEntities();
    void eth();
    void leavesOtherEntities();
    void everyEntryRoundTrips();
};

void TestSpecialChars::table() {
    int n = 0;
    const SpecialChar *t = SpecialChars(&n);
    QCOMPARE(n, 68);
    QCOMPARE(QString::fromLatin1(t[0].entity), QStringLiteral("&Aacute;"));
    QCOMPARE(QString::fromLatin1(t[60].entity), QStringLiteral("&szlig;"));
    QCOMPARE(QString::fromLatin1(t[61].entity), QStringLiteral("&#191;"));
    QCOMPARE(QString::fromLatin1(t[67].entity), QStringLiteral("&#164;"));
    QSet<char16_t> chars;
    QSet<QString> entities;
    for (int i = 0; i < n; ++i) {
        chars.insert(t[i].character);
        entities.insert(QString::fromLatin1(t[i].entity));
        // The numeric entities name their own character.
        const QString e = QString::fromLatin1(t[i].entity);
        if (e.startsWith(QStringLiteral("&#")))
            QCOMPARE(e.mid(2, e.size() - 3).toInt(), int(t[i].character));
    }
    QCOMPARE(chars.size(), 68);
    QCOMPARE(entities.size(), 68);
}

void TestSpecialChars::convertAndBack() {
    const QString word = QStringLiteral("ação");
    const QString converted = ConvertSpecialChars(word);
    QCOMPARE(converted, QStringLiteral("a&ccedil;&atilde;o"));
    QCOMPARE(RevertSpecialChars(converted), word);
    QCOMPARE(ConvertSpecialChars(QStringLiteral("¿Qué? © 2026 ¤")),
             QStringLiteral("&#191;Qu&eacute;? &#169; 2026 &#164;"));
}

void TestSpecialChars::revertNamedEntities() {
    QCOMPARE(RevertSpecialChars(QStringLiteral("&Acirc;&Aacute;")), QStringLiteral("ÂÁ"));
    // Exact, case-sensitive matching.
    QCOMPARE(RevertSpecialChars(QStringLiteral("&AACUTE; &aAcute;")),
             QStringLiteral("&AACUTE; &aAcute;"));
    QCOMPARE(RevertSpecialChars(QStringLiteral("&&eacute;;")), QStringLiteral("&é;"));
}

void TestSpecialChars::eth() {
    QCOMPARE(RevertSpecialChars(QStringLiteral("&eth; &ETH;")), QStringLiteral("&eth; Ð"));
    QCOMPARE(ConvertSpecialChars(QStringLiteral("ð Ð")), QStringLiteral("ð &ETH;"));
}

void TestSpecialChars::leavesOtherEntities() {
    const QString markup = QStringLiteral("<a href=\"?a=1&b=2\">&amp; &nbsp; &#192; & ;</a>");
    QCOMPARE(RevertSpecialChars(markup), markup);
    QCOMPARE(ConvertSpecialChars(markup), markup);
    QCOMPARE(RevertSpecialChars(QStringLiteral("&ccedil")), QStringLiteral("&ccedil"));
}

void TestSpecialChars::everyEntryRoundTrips() {
    int n = 0;
    const SpecialChar *t = SpecialChars(&n);
    QString all;
    QString entities;
    for (int i = 0; i < n; ++i) {
        all += QChar(t[i].character);
        all += QLatin1Char('x');
        entities += QString::fromLatin1(t[i].entity) + QLatin1Char('x');
    }
    QCOMPARE(ConvertSpecialChars(all), entities);
    QCOMPARE(RevertSpecialChars(entities), all);
}

QTEST_APPLESS_MAIN(TestSpecialChars)
#include "tst_charentities.moc"
