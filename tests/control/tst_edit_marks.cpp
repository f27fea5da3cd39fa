// Texts that begin (or end, or have lines that begin) with U+FEFF or U+FFFE:
// the characters look like byte-order marks but are text, and must survive
// the temporary copy and a save followed by an open.
#include "EditTestUtil.h"
#include "TextCodec.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace edittest;

namespace {

const QChar kBom(0xFEFF);
const QChar kSwapped(0xFFFE);

} // namespace

class TestEditMarks : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void filesWithMarksKeepThem_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("one mark") << QByteArray("\xEF\xBB\xBF<p>") << QStringLiteral("<p>");
        QTest::newRow("two marks")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF<p>") << QString(kBom) + QStringLiteral("<p>");
        QTest::newRow("swapped mark first")
            << QByteArray("\xEF\xBF\xBE<p>\r\nx") << QString(kSwapped) + QStringLiteral("<p>\r\nx");
        QTest::newRow("mark then swapped")
            << QByteArray("\xEF\xBB\xBF\xEF\xBF\xBEz") << QString(kSwapped) + QStringLiteral("z");
        QTest::newRow("marks after a break") << QByteArray("a\r\n\xEF\xBB\xBF\xEF\xBF\xBE")
                                             << QStringLiteral("a\r\n") + kBom + kSwapped;
    }
    void filesWithMarksKeepThem() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        WriteAll(path("m.txt"), bytes);
        auto ed = NewEditor();
        QCOMPARE(ed->Ler(path("m.txt")), QString());
        QCOMPARE(ed->Texto(), text);
        QCOMPARE(ed->Gravar(path("m2.txt")), QString());
        QCOMPARE(ReadAll(path("m2.txt")), bytes);

        // The copy reads back as the same text.
        ed->setDiretorioTemporario(dir.path());
        ed->GravarTemporario();
        auto other = NewEditor();
        other->setDiretorioTemporario(dir.path());
        other->LerTemporario(ed->ArquivoTemporario());
        QCOMPARE(other->Texto(), text);
    }

    void typedMarkAtTheStartOfANewDocumentSurvivesASave() {
        auto ed = NewEditor();
        ed->setTexto(QString(kBom) + QStringLiteral("x"));
        QCOMPARE(ed->Gravar(path("n.txt")), QString());
        auto back = NewEditor();
        QCOMPARE(back->Ler(path("n.txt")), QString());
        QCOMPARE(back->Texto(), QString(kBom) + QStringLiteral("x"));
    }

    // Random texts with the two characters at the start, at the end and
    // after line breaks, through the copy and through save and open.
    void randomTextsRoundTrip() {
        const QString pieces[] = {QString(kBom),
                                  QString(kSwapped),
                                  QStringLiteral("\r\n"),
                                  QStringLiteral("a"),
                                  QStringLiteral(" "),
                                  QStringLiteral("\u00e9"),
                                  QStringLiteral("\u4e2d"),
                                  QStringLiteral("{\\}"),
                                  QStringLiteral("<p>")};
        const int count = int(sizeof(pieces) / sizeof(pieces[0]));
        QRandomGenerator rng(9);
        auto writer = NewEditor();
        auto reader = NewEditor();
        writer->setDiretorioTemporario(dir.path());
        reader->setDiretorioTemporario(dir.path());
        const QString file = path("r.txt");
        for (int i = 0; i < 10000; ++i) {
            QString text;
            const int at = int(rng.bounded(3)); // start, end, after breaks
            if (at == 0) text += rng.bounded(2) ? kBom : kSwapped;
            for (int n = int(rng.bounded(8)); n > 0; --n) {
                const QString &p = pieces[rng.bounded(count)];
                text += p;
                if (at == 2 && p == QStringLiteral("\r\n"))
                    text += rng.bounded(2) ? kBom : kSwapped;
            }
            if (at == 1) text += rng.bounded(2) ? kBom : kSwapped;

            writer->setTexto(text);
            writer->GravarTemporario();
            QVERIFY2(writer->UltimoErro().isEmpty(), qPrintable(writer->UltimoErro()));
            reader->LerTemporario(writer->ArquivoTemporario());
            QVERIFY2(reader->Texto() == text, qPrintable(QStringLiteral("copy, case %1").arg(i)));

            QCOMPARE(writer->Gravar(file), QString());
            QCOMPARE(reader->Ler(file), QString());
            QVERIFY2(reader->Texto() == text, qPrintable(QStringLiteral("file, case %1").arg(i)));
        }
    }

    void encodingPutsAMarkBeforeALeadingMark() {
        corvel::TextEncoding used = corvel::TextEncoding::Utf8;
        const QByteArray bytes = corvel::EncodeText(QString(kBom) + QStringLiteral("a"),
                                                    corvel::TextEncoding::Utf8, &used);
        QCOMPARE(bytes, QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                   "a"));
        QCOMPARE(int(used), int(corvel::TextEncoding::Utf8Bom));
        const corvel::DecodedText back = corvel::DecodeText(bytes);
        QCOMPARE(back.text, QString(kBom) + QStringLiteral("a"));
        // Windows-1252 cannot hold the mark: UTF-8, with the mark in front.
        corvel::EncodeText(QString(kBom), corvel::TextEncoding::Windows1252, &used);
        QCOMPARE(int(used), int(corvel::TextEncoding::Utf8Bom));
    }
};

QTEST_MAIN(TestEditMarks)
#include "tst_edit_marks.moc"
