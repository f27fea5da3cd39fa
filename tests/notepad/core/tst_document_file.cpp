// The notepad's document file: read in its own encoding and line breaks,
// written back byte for byte when unchanged, atomically and never half.
#include "DocumentFile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tessim;
using corvel::TextEncoding;

namespace {
QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
bool WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
} // namespace

class TestDocumentFile : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");     // as the editor holds it
        QTest::addColumn<int>("encoding");
        QTest::newRow("utf-8 LF") << QByteArray("<p>ol\xC3\xA1</p>\n<br>\n")
                                  << QStringLiteral("<p>olá</p>\r\n<br>\r\n")
                                  << int(TextEncoding::Utf8);
        QTest::newRow("utf-8 BOM CR LF") << QByteArray("\xEF\xBB\xBF" "a\r\nb")
                                         << QStringLiteral("a\r\nb")
                                         << int(TextEncoding::Utf8Bom);
        QTest::newRow("windows-1252 CR") << QByteArray("caf\xE9\rp\xE3o")
                                         << QStringLiteral("café\r\npão")
                                         << int(TextEncoding::Windows1252);
        QTest::newRow("mixed breaks") << QByteArray("a\r\nb\nc\rd") << QStringLiteral("a\r\nb\r\nc\r\nd")
                                      << int(TextEncoding::Utf8);
        QTest::newRow("no break") << QByteArray("x") << QStringLiteral("x")
                                  << int(TextEncoding::Utf8);
        QTest::newRow("empty file") << QByteArray() << QString() << int(TextEncoding::Utf8);
    }
    void roundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, encoding);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("doc.html"));
        QVERIFY(WriteAll(path, bytes));
        QString read;
        DocumentFormat format;
        QCOMPARE(ReadDocumentFile(path, &read, &format), QString());
        QCOMPARE(read, text);
        QCOMPARE(int(format.encoding), encoding);
        QCOMPARE(WriteDocumentFile(path, read, &format), QString());
        QCOMPARE(ReadAll(path), bytes);
    }

    // A changed text keeps the file's encoding and line breaks.
    void changedText_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("LF stays LF") << QByteArray("a\nb\n") << QStringLiteral("a\r\nb\r\nc")
                                     << QByteArray("a\nb\nc");
        QTest::newRow("CR stays CR") << QByteArray("a\rb") << QStringLiteral("a\r\nbb")
                                     << QByteArray("a\rbb");
        QTest::newRow("CR LF stays") << QByteArray("a\r\n") << QStringLiteral("a\r\nz")
                                     << QByteArray("a\r\nz");
        QTest::newRow("1252 stays 1252") << QByteArray("\xE9\n") << QStringLiteral("é\r\nç")
                                         << QByteArray("\xE9\n\xE7");
        QTest::newRow("BOM kept") << QByteArray("\xEF\xBB\xBFx") << QStringLiteral("xy")
                                  << QByteArray("\xEF\xBB\xBFxy");
        // A character the single-byte code page lacks: the file becomes
        // UTF-8 rather than lose it.
        QTest::newRow("1252 to utf-8") << QByteArray("\xE9") << QStringLiteral("é€ ✓")
                                       << QByteArray("\xC3\xA9\xE2\x82\xAC \xE2\x9C\x93");
    }
    void changedText() {
        QFETCH(QByteArray, original);
        QFETCH(QString, edited);
        QFETCH(QByteArray, written);
        DocumentFormat format;
        DecodeDocument(original, &format);
        QCOMPARE(EncodeDocument(edited, &format), written);
    }

    void newDocumentsAreUtf8WithCrLf() {
        DocumentFormat format;
        QCOMPARE(EncodeDocument(QStringLiteral("á\r\nb"), &format), QByteArray("\xC3\xA1\r\nb"));
    }

    void readFailures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "nada.html" << "Arquivo não encontrado";
        QTest::newRow("folder") << "pasta" << "pasta";
        QTest::newRow("empty name") << "" << "vazio";
    }
    void readFailures() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("pasta"));
        QString text = QStringLiteral("antes");
        DocumentFormat format;
        format.lineBreak = LineBreak::Lf;
        const QString error =
            ReadDocumentFile(name.isEmpty() ? name : dir.filePath(name), &text, &format);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(text, QStringLiteral("antes"));
        QCOMPARE(format.lineBreak, LineBreak::Lf);
    }

    void failedWriteKeepsTheFileAndTheFormat() {
        QTemporaryDir dir;
        const QString missingFolder = dir.filePath(QStringLiteral("nao/existe.html"));
        DocumentFormat format;
        format.lineBreak = LineBreak::Cr;
        QVERIFY(!WriteDocumentFile(missingFolder, QStringLiteral("x"), &format).isEmpty());
        QVERIFY(!QFileInfo::exists(missingFolder));
        QCOMPARE(format.lineBreak, LineBreak::Cr);
        QVERIFY(format.bytes.isEmpty());
        QVERIFY(!WriteDocumentFile(dir.path(), QStringLiteral("x"), &format).isEmpty());
    }

    void writeThroughALinkKeepsTheLink() {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("real.html"));
        const QString link = dir.filePath(QStringLiteral("link.html"));
        QVERIFY(WriteAll(target, "old"));
        QVERIFY(QFile::link(target, link));
        DocumentFormat format;
        QCOMPARE(WriteDocumentFile(link, QStringLiteral("new"), &format), QString());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadAll(target), QByteArray("new"));
    }
};

QTEST_APPLESS_MAIN(TestDocumentFile)
#include "tst_document_file.moc"
