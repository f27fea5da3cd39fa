// The browser choice, the conversation with the internal browser, the
// preview file and the internal browser program's presence.
#include "BrowserChoice.h"
#include "BrowserProtocol.h"
#include "Folders.h"
#include "InternalBrowserProgram.h"
#include "PreviewFile.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace corvel;
using corvel::browser::Message;
using corvel::browser::MessageReader;

Q_DECLARE_METATYPE(corvel::PreviewBrowser)
Q_DECLARE_METATYPE(corvel::TextEncoding)

namespace {

QByteArray Read(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Write(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

int Mode(const QString &path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

} // namespace

class tst_web_core : public QObject {
    Q_OBJECT
private slots:
    void choosesByThePair_data() {
        QTest::addColumn<QString>("padrao");
        QTest::addColumn<QString>("corvel");
        QTest::addColumn<corvel::PreviewBrowser>("browser");
        QTest::addColumn<bool>("repaired");
        QTest::newRow("specific") << "0"
                                  << "0" << PreviewBrowser::Specific << false;
        QTest::newRow("default") << "1"
                                 << "0" << PreviewBrowser::Default << false;
        QTest::newRow("internal") << "0"
                                  << "1" << PreviewBrowser::Internal << false;
        QTest::newRow("both on") << "1"
                                 << "1" << PreviewBrowser::Default << true;
        QTest::newRow("both absent") << ""
                                     << "" << PreviewBrowser::Default << true;
        QTest::newRow("padrao absent") << ""
                                       << "0" << PreviewBrowser::Default << true;
        QTest::newRow("other text") << "2"
                                    << "0" << PreviewBrowser::Default << true;
        QTest::newRow("blank around") << " 1"
                                      << "0" << PreviewBrowser::Default << true;
    }
    void choosesByThePair() {
        QFETCH(QString, padrao);
        QFETCH(QString, corvel);
        QFETCH(corvel::PreviewBrowser, browser);
        QFETCH(bool, repaired);
        const BrowserChoice c = ChooseBrowser(padrao, corvel);
        QCOMPARE(c.browser, browser);
        QCOMPARE(c.repaired, repaired);
    }

    // A repaired pair is written back, and the browser program forgotten;
    // a valid pair is left alone.
    void repairIsStored_data() {
        QTest::addColumn<QString>("padrao");
        QTest::addColumn<QString>("corvel");
        QTest::addColumn<QStringList>("after"); // BrowserPadrao, CorvelBrowser, Browser
        QTest::newRow("both on") << "1"
                                 << "1" << QStringList{"1", "0", ""};
        QTest::newRow("garbage") << "x"
                                 << "y" << QStringList{"1", "0", ""};
        QTest::newRow("specific kept") << "0"
                                       << "0" << QStringList{"0", "0", "/usr/bin/nav"};
        QTest::newRow("internal kept") << "0"
                                       << "1" << QStringList{"0", "1", "/usr/bin/nav"};
    }
    void repairIsStored() {
        QFETCH(QString, padrao);
        QFETCH(QString, corvel);
        QFETCH(QStringList, after);
        QTemporaryDir dir;
        SetSettingsFileOverride(dir.filePath(QStringLiteral("Corvel.ini")));
        const QString cfg = QStringLiteral("Configuracao");
        WriteSetting(cfg, QStringLiteral("BrowserPadrao"), padrao);
        WriteSetting(cfg, QStringLiteral("CorvelBrowser"), corvel);
        WriteSetting(cfg, QStringLiteral("Browser"), QStringLiteral("/usr/bin/nav"));
        PreviewBrowserSetting();
        QCOMPARE((QStringList{ReadSetting(cfg, QStringLiteral("BrowserPadrao")),
                              ReadSetting(cfg, QStringLiteral("CorvelBrowser")),
                              ReadSetting(cfg, QStringLiteral("Browser"))}),
                 after);
        SetSettingsFileOverride(QString());
    }

    void messagesRoundTrip_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("no argument") << "Atualizar" << QStringList{} << QByteArray("Atualizar\n");
        QTest::newRow("path") << "URL" << QStringList{"/tmp/a b/$x \"q\".html"}
                              << QByteArray("URL\t/tmp/a b/$x \"q\".html\n");
        QTest::newRow("escapes") << "Erro" << QStringList{"a\tb\nc\rd%e"}
                                 << QByteArray("Erro\ta%09b%0Ac%0Dd%25e\n");
        QTest::newRow("accents") << "URL" << QStringList{"/home/joão/página.html"}
                                 << QStringLiteral("URL\t/home/joão/página.html\n").toUtf8();
        QTest::newRow("empty and two args")
            << "ProgressChange" << QStringList{"", "0"} << QByteArray("ProgressChange\t\t0\n");
    }
    void messagesRoundTrip() {
        QFETCH(QString, name);
        QFETCH(QStringList, args);
        QFETCH(QByteArray, line);
        QCOMPARE(browser::Encode(name, args), line);
        MessageReader reader;
        // Byte by byte: a message is whole only at its line end.
        QList<Message> got;
        for (char c : line)
            got += reader.feed(QByteArray(1, c));
        QCOMPARE(got.size(), 1);
        QCOMPARE(got.first(), (Message{name, args}));
    }

    // Lines that are no message are skipped; the messages around them are not.
    void readerSkipsWhatIsNoMessage_data() {
        QTest::addColumn<QByteArray>("bad");
        QTest::newRow("empty line") << QByteArray("");
        QTest::newRow("name with digits") << QByteArray("URL2\tx");
        QTest::newRow("name with blank") << QByteArray("Do it");
        QTest::newRow("escape cut short") << QByteArray("URL\tabc%2");
        QTest::newRow("escape not hex") << QByteArray("URL\t%zz");
        QTest::newRow("not UTF-8") << QByteArray("URL\t\xe9t\xe9");
        QTest::newRow("engine chatter") << QByteArray("[1209/003424:ERROR:x.cc(90)] oops");
    }
    void readerSkipsWhatIsNoMessage() {
        QFETCH(QByteArray, bad);
        MessageReader reader;
        const QList<Message> got = reader.feed("Pronto\n" + bad + "\r\nOnQuit\r\n");
        QCOMPARE(got.size(), 2);
        QCOMPARE(got.at(0).name, QStringLiteral("Pronto"));
        QCOMPARE(got.at(1).name, QStringLiteral("OnQuit"));
        QCOMPARE(reader.skipped(), 1);
    }

    void readerDropsOverlongLines() {
        MessageReader reader(64);
        QList<Message> got = reader.feed("URL\t" + QByteArray(100, 'a'));
        got += reader.feed(QByteArray(100, 'b') + "\nFechar\n");
        QCOMPARE(got.size(), 1);
        QCOMPARE(got.first().name, QStringLiteral("Fechar"));
        QCOMPARE(reader.skipped(), 1);
        // One that fits within a chunk but passes the limit.
        got = reader.feed("URL\t" + QByteArray(80, 'c') + "\nAtualizar\n");
        QCOMPARE(got.size(), 1);
        QCOMPARE(reader.skipped(), 2);
    }

    // A line right at the limit, ended by CR LF, is one message whether its
    // "\r" comes with the text or with the line feed.
    void readerLimitIgnoresTheSplit_data() {
        QTest::addColumn<int>("firstPart"); // bytes in the first arrival
        QTest::addColumn<int>("messages");
        const int line = 4 + 60; // "URL\t" and the address: 64 bytes
        QTest::newRow("whole") << line + 2 << 1;
        QTest::newRow("CR with the text") << line + 1 << 1;
        QTest::newRow("CR with the line feed") << line << 1;
    }
    void readerLimitIgnoresTheSplit() {
        QFETCH(int, firstPart);
        QFETCH(int, messages);
        const QByteArray bytes = "URL\t" + QByteArray(60, 'a') + "\r\n";
        MessageReader reader(64);
        QList<Message> got = reader.feed(bytes.left(firstPart));
        got += reader.feed(bytes.mid(firstPart));
        QCOMPARE(got.size(), messages);
        QCOMPARE(reader.skipped(), 0);
    }

    void previewEncodingFollowsTheFile_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::addColumn<corvel::TextEncoding>("encoding");
        QTest::addColumn<QByteArray>("written"); // "ação€" in that encoding
        QTest::newRow("no file") << QByteArray() << TextEncoding::Utf8
                                 << QByteArray("a\xc3\xa7\xc3\xa3o\xe2\x82\xac");
        QTest::newRow("windows-1252")
            << QByteArray("caf\xe9") << TextEncoding::Windows1252 << QByteArray("a\xe7\xe3o\x80");
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9") << TextEncoding::Utf8
                               << QByteArray("a\xc3\xa7\xc3\xa3o\xe2\x82\xac");
        QTest::newRow("utf-8 with mark") << QByteArray("\xef\xbb\xbf<p>") << TextEncoding::Utf8Bom
                                         << QByteArray("\xef\xbb\xbf"
                                                       "a\xc3\xa7\xc3\xa3o\xe2\x82\xac");
    }
    void previewEncodingFollowsTheFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(corvel::TextEncoding, encoding);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("doc.html"));
        if (!bytes.isEmpty()) QVERIFY(Write(file, bytes));
        QCOMPARE(PreviewEncoding(bytes.isEmpty() ? QString() : file), encoding);
        QCOMPARE(PreviewBytes(QStringLiteral("ação€"), encoding), written);
    }

    void previewFileIsWrittenInPlaceOfALink() {
        QTemporaryDir dir;
        const QString docs = dir.filePath(QStringLiteral("Docs"));
        QVERIFY(QDir().mkpath(docs));
        QVERIFY(QFile::setPermissions(docs, QFileDevice::Permissions(0x7755)));
        const QString target = dir.filePath(QStringLiteral("alvo.txt"));
        QVERIFY(Write(target, "intocado"));
        const QString preview = docs + QStringLiteral("/CorvelPreview.html");
        QVERIFY(QFile::link(target, preview));
        QString error;
        QVERIFY2(WritePreviewFile(preview, "<p>novo</p>", &error), qPrintable(error));
        QCOMPARE(Read(target), QByteArray("intocado"));
        QVERIFY(!QFileInfo(preview).isSymLink());
        QCOMPARE(Read(preview), QByteArray("<p>novo</p>"));
        QCOMPARE(Mode(docs), 0700);
        QCOMPARE(QDir(docs).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{QStringLiteral("CorvelPreview.html")});
        // Written again: replaced, nothing left beside it.
        QVERIFY(WritePreviewFile(preview, "<p>outro</p>", &error));
        QCOMPARE(Read(preview), QByteArray("<p>outro</p>"));
        QCOMPARE(QDir(docs).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void previewFileRefusesABadFolder_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder is a link") << "link";
        QTest::newRow("folder is a file") << "file";
        QTest::newRow("preview is a folder") << "target folder";
    }
    void previewFileRefusesABadFolder() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString docs = dir.filePath(QStringLiteral("Docs"));
        const QString elsewhere = dir.filePath(QStringLiteral("outra"));
        QVERIFY(QDir().mkpath(elsewhere));
        if (kind == QLatin1String("link")) QVERIFY(QFile::link(elsewhere, docs));
        if (kind == QLatin1String("file")) QVERIFY(Write(docs, "x"));
        if (kind == QLatin1String("target folder"))
            QVERIFY(QDir().mkpath(docs + QStringLiteral("/CorvelPreview.html")));
        QString error;
        QVERIFY(!WritePreviewFile(docs + QStringLiteral("/CorvelPreview.html"), "x", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QDir(elsewhere).isEmpty());
    }

    void missingFolderIsCreatedOwnerOnly() {
        QTemporaryDir dir;
        const QString docs = dir.filePath(QStringLiteral("Docs"));
        QVERIFY(WritePreviewFile(docs + QStringLiteral("/CorvelPreview.html"), "x"));
        QCOMPARE(Mode(docs), 0700);
    }

    void internalBrowserProgram_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("can");
        QTest::newRow("missing") << "missing" << false;
        QTest::newRow("not executable") << "plain" << false;
        QTest::newRow("a folder") << "folder" << false;
        QTest::newRow("executable") << "exec" << true;
    }
    void internalBrowserProgram() {
        QFETCH(QString, kind);
        QFETCH(bool, can);
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("CorvelBrowser"));
        if (kind == QLatin1String("plain") || kind == QLatin1String("exec"))
            QVERIFY(Write(program, "#!/bin/sh\n"));
        if (kind == QLatin1String("exec"))
            QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        if (kind == QLatin1String("folder")) QVERIFY(QDir().mkpath(program));
        SetInternalBrowserProgramOverride(program);
        QCOMPARE(InternalBrowserProgram(), program);
        QCOMPARE(CanRunInternalBrowser(), can);
        SetInternalBrowserProgramOverride(QString());
        QCOMPARE(InternalBrowserProgram(),
                 PrivateProgramFolder() + QStringLiteral("/CorvelBrowser"));
    }
};

QTEST_GUILESS_MAIN(tst_web_core)
#include "tst_web_core.moc"
