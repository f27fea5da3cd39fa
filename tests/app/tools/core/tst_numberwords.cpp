#include "NumberWords.h"

#include <QtTest>

using namespace corvel;

class TestNumberWords : public QObject {
    Q_OBJECT
private slots:
    void amounts_data();
    void amounts();
    void refusedAmounts_data();
    void refusedAmounts();
    void notANumber();
    void brazilianReading_data();
    void brazilianReading();
    void wholeNumbers_data();
    void wholeNumbers();
};

void TestNumberWords::amounts_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("words");
    QTest::newRow("1") << "1"
                       << "um real";
    QTest::newRow("2") << "2"
                       << "dois reais";
    QTest::newRow("0") << "0"
                       << "zero reais";
    QTest::newRow("0,01") << "0,01"
                          << "um centavo";
    QTest::newRow("0,5") << "0,5"
                         << "cinqüenta centavos";
    QTest::newRow("1,01") << "1,01"
                          << "um real e um centavo";
    QTest::newRow("100") << "100"
                         << "cem reais";
    QTest::newRow("101") << "101"
                         << "cento e um reais";
    QTest::newRow("115") << "115"
                         << "cento e quinze reais";
    QTest::newRow("123") << "123"
                         << "cento e vinte e três reais";
    QTest::newRow("200") << "200"
                         << "duzentos reais";
    QTest::newRow("20") << "20"
                        << "vinte reais";
    QTest::newRow("1000") << "1000"
                          << "um mil reais";
    QTest::newRow("1500") << "1500"
                          << "um mil quinhentos reais";
    QTest::newRow("21000") << "21000"
                           << "vinte e um mil reais";
    QTest::newRow("1000000") << "1000000"
                             << "um milhão de reais";
    QTest::newRow("2000000") << "2000000"
                             << "dois milhões de reais";
    QTest::newRow("1000001") << "1000001"
                             << "um milhão um reais";
    QTest::newRow("2500000") << "2500000"
                             << "dois milhões quinhentos mil reais";
    QTest::newRow("9999999")
        << "9999999"
        << "nove milhões novecentos e noventa e nove mil novecentos e noventa e nove reais";
    QTest::newRow("-5") << "-5"
                        << "cinco reais";
    QTest::newRow("12,50") << "12,50"
                           << "doze reais e cinqüenta centavos";
    QTest::newRow("grouped") << "1.000,5"
                             << "um mil reais e cinqüenta centavos";
    QTest::newRow("million and centavos") << "1.000.000,99"
                                          << "um milhão de reais e noventa e nove centavos";
    QTest::newRow("teens in thousands") << "19019"
                                        << "dezenove mil dezenove reais";
    QTest::newRow("hundred thousand") << "100000"
                                      << "cem mil reais";
    QTest::newRow("rounds half up") << "0,005"
                                    << "um centavo";
    QTest::newRow("rounds into reais") << "0,999"
                                       << "um real";
    QTest::newRow("rounds to nothing") << "0,004"
                                       << "zero reais";
    QTest::newRow("blanks") << "  7  "
                            << "sete reais";
}

// The words keep the trailing space of the integer groups; the commands trim.
void TestNumberWords::amounts() {
    QFETCH(QString, value);
    QFETCH(QString, words);
    const QString w = NumberToWords(value);
    QCOMPARE(w.trimmed(), words);
    QCOMPARE(w, w.toLower());
    QCOMPARE(MoneyAnswerWords(value), words);
}

void TestNumberWords::refusedAmounts_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("10000000") << "10000000";
    QTest::newRow("9999999,5") << "9999999,5";
    QTest::newRow("9999999,001") << "9999999,001";
    QTest::newRow("negative past the limit") << "-10000000";
    QTest::newRow("huge") << "123456789012345678901234567890";
    QTest::newRow("empty") << "";
}

void TestNumberWords::refusedAmounts() {
    QFETCH(QString, value);
    QCOMPARE(NumberToWords(value), QStringLiteral("(Valor Inválido ou Fora do Limite)"));
    QVERIFY(MoneyAnswerWords(value).startsWith('('));
}

void TestNumberWords::notANumber() {
    QCOMPARE(NumberToWords(QStringLiteral("abc")), QStringLiteral("(Erro de Geração)"));
    QVERIFY(MoneyAnswerWords(QStringLiteral("abc")).startsWith('('));
    QVERIFY(WholeNumberAnswerWords(QStringLiteral("12x")).startsWith('('));
    QVERIFY(WholeNumberAnswerWords(QStringLiteral("10000000")).startsWith('('));
    QVERIFY(WholeNumberAnswerWords(QStringLiteral("-10000000,5")).startsWith('('));
    QVERIFY(WholeNumberAnswerWords(QString()).startsWith('('));
    // The largest amount is exactly 9999999 with no centavos.
    QVERIFY(!NumberToWords(QStringLiteral("9999999,00")).startsWith('('));
}

void TestNumberWords::brazilianReading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("comma") << "12,50" << true << 12.5;
    QTest::newRow("groups") << "1.000,5" << true << 1000.5;
    QTest::newRow("two groups") << "1.234.567" << true << 1234567.0;
    QTest::newRow("leading comma") << ",5" << true << 0.5;
    QTest::newRow("sign") << "-3,9" << true << -3.9;
    QTest::newRow("plus") << "+4" << true << 4.0;
    QTest::newRow("dot as decimal") << "12.50" << false << 0.0;
    QTest::newRow("bad group") << "1.00,5" << false << 0.0;
    QTest::newRow("long first group") << "1000.000" << false << 0.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("letters") << "R$ 5" << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void TestNumberWords::brazilianReading() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double v = -1;
    QCOMPARE(ParseBrazilianNumber(text, &v), ok);
    if (ok) QCOMPARE(v, value);
}

void TestNumberWords::wholeNumbers_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("words");
    QTest::newRow("1000000") << "1000000"
                             << "um milhão";
    QTest::newRow("1") << "1"
                       << "um";
    QTest::newRow("3,9") << "3,9"
                         << "três";
    QTest::newRow("0") << "0"
                       << "zero";
    QTest::newRow("2") << "2"
                       << "dois";
    QTest::newRow("2000000") << "2000000"
                             << "dois milhões";
    QTest::newRow("1000001") << "1000001"
                             << "um milhão um";
    QTest::newRow("21000") << "21000"
                           << "vinte e um mil";
    QTest::newRow("fraction dropped") << "9999999,5"
                                      << "nove milhões novecentos e noventa e nove "
                                         "mil novecentos e noventa e nove";
    QTest::newRow("towards minus infinity") << "-3,5"
                                            << "quatro";
    QTest::newRow("negative whole") << "-3"
                                    << "três";
}

void TestNumberWords::wholeNumbers() {
    QFETCH(QString, answer);
    QFETCH(QString, words);
    QCOMPARE(WholeNumberAnswerWords(answer), words);
}

QTEST_APPLESS_MAIN(TestNumberWords)
#include "tst_numberwords.moc"
