// Document files, encodings and temporary copies of the editor component.
#include "EditTestUtil.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace edittest;

class TestEditFiles : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

    // Reads the bytes with a new instance and saves them unchanged.
    QByteArray roundTrip(const QByteArray &bytes, corvel::TextEncoding expected) {
        const QString in = path("in.txt"), out = path("out.txt");
        if (!WriteAll(in, bytes)) return "write failed";
        auto ed = NewEditor();
        if (!ed->Ler(in).isEmpty()) return "read failed";
        if (ed->encoding() != expected) return "wrong encoding";
        if (!ed->Gravar(out).isEmpty()) return "save failed";
        return ReadAll(out);
    }

private slots:
    void encodingsRoundTripByteForByte() {
        const QByteArray utf8 = "caf\xC3\xA9 \xE2\x82\xAC\r\nna\xC3\xAFve \xF0\x9F\x98\x80\r\n";
        QCOMPARE(roundTrip(utf8, corvel::TextEncoding::Utf8), utf8);
        const QByteArray bom = "\xEF\xBB\xBF" + utf8;
        QCOMPARE(roundTrip(bom, corvel::TextEncoding::Utf8Bom), bom);
        // Every byte of the Windows code page, 0x80-0x9F included, except
        // the line-break bytes.
        QByteArray cp;
        for (int b = 1; b < 256; ++b)
            if (b != '\r' && b != '\n') cp += char(b);
        cp += "\r\nfim\r\n";
        QCOMPARE(roundTrip(cp, corvel::TextEncoding::Windows1252), cp);
        // An empty file stays empty.
        QCOMPARE(roundTrip(QByteArray(), corvel::TextEncoding::Utf8), QByteArray());
    }

    void windows1252IsNotLatin1() {
        WriteAll(path("w.txt"), "\x80 \x93x\x94 \x96");
        auto ed = NewEditor();
        QCOMPARE(ed->Ler(path("w.txt")), QString());
        QCOMPARE(ed->Texto(), QString::fromUtf8("\u20AC \u201Cx\u201D \u2013"));
    }

    void newDocumentsAreUtf8AndLinesAreCrLf() {
        auto ed = NewEditor();
        ed->setTexto(QString::fromUtf8("a\u00E7\nb"));
        QCOMPARE(ed->Gravar(path("new.txt")), QString());
        QCOMPARE(ReadAll(path("new.txt")), QByteArray("a\xC3\xA7\r\nb"));
    }

    void windows1252TextThatNoLongerFitsIsSavedAsUtf8() {
        WriteAll(path("c.txt"), "caf\xE9");
        auto ed = NewEditor();
        QCOMPARE(ed->Ler(path("c.txt")), QString());
        ed->setSelInicio(4);
        ed->setSelTexto(QString::fromUtf8(" \u4E2D"));
        QCOMPARE(ed->Gravar(path("c.txt")), QString());
        QCOMPARE(ReadAll(path("c.txt")), QByteArray("caf\xC3\xA9 \xE4\xB8\xAD"));
    }

    void readSetsFileState() {
        WriteAll(path("r.html"), "<p>\r\n");
        auto ed = NewEditor();
        QCOMPARE(ed->Ler(path("r.html")), QString());
        QCOMPARE(ed->Texto(), QString("<p>\r\n"));
        QCOMPARE(ed->Arquivo(), path("r.html"));
        QCOMPARE(ed->TamanhoArquivo(), QString("5"));
        QVERIFY(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$")
                    .match(ed->DataArquivo())
                    .hasMatch());
        QCOMPARE(ed->Gravado(), true);
        QCOMPARE(ed->Alterado(), true); // the load is a change of the text
    }

    void readFailuresNameTheFile() {
        auto ed = NewEditor();
        ed->setTexto("keep");
        const QString missing = path("nope.html");
        QCOMPARE(ed->Ler(missing), "Arquivo não encontrado: " + missing);
        QVERIFY(ed->Ler(dir.path()).contains(dir.path()));
        QCOMPARE(ed->Texto(), QString("keep"));
        QCOMPARE(ed->Arquivo(), QString());
    }

    void saveSetsState() {
        auto ed = NewEditor();
        ed->setTexto("x\ny");
        QCOMPARE(ed->Gravar(path("s.txt")), QString());
        QCOMPARE(ReadAll(path("s.txt")), QByteArray("x\r\ny"));
        QCOMPARE(ed->Gravado(), true);
        QCOMPARE(ed->Alterado(), false);
        QCOMPARE(ed->Arquivo(), path("s.txt"));
        QCOMPARE(ed->TamanhoArquivo(), QString("4"));
        QVERIFY(!ed->UltimaGravacao().isEmpty());
        QCOMPARE(ed->DataArquivo().size(), 19);
    }

    void saveToUnwritablePlaces() {
        auto ed = NewEditor();
        ed->setTexto("data");
        const QString noFolder = path("missing/sub/f.txt");
        const QString err = ed->Gravar(noFolder);
        QVERIFY(!err.isEmpty());
        QVERIFY(err.contains(noFolder));
        QCOMPARE(ed->Gravado(), false);
        QVERIFY(!ed->UltimaGravacao().isEmpty());
        QCOMPARE(ed->Arquivo(), QString());
        // A path under a file.
        WriteAll(path("plain"), "p");
        QVERIFY(!ed->Gravar(path("plain/f.txt")).isEmpty());
        QCOMPARE(ed->Gravado(), false);
        // A folder in the way.
        QVERIFY(!ed->Gravar(dir.path()).isEmpty());
        // Alterado is left alone by a failed save.
        ed->setAlterado(false);
        QVERIFY(!ed->Gravar(noFolder).isEmpty());
        QCOMPARE(ed->Alterado(), false);
    }

    void failedSaveLeavesOldFileIntact() {
        const QString target = path("old.txt");
        WriteAll(target, "old contents\r\n");
        auto ed = NewEditor();
        QCOMPARE(ed->Ler(target), QString());
        ed->setTexto(QString(64 * 1024, 'n'));
        // A file-size limit makes the write fail half-way (works for root
        // too, unlike file permissions).
        struct rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit small = old;
        small.rlim_cur = 4096;
        signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const QString err = ed->Gravar(target);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!err.isEmpty());
        QVERIFY(err.contains(target));
        QCOMPARE(ed->Gravado(), false);
        QCOMPARE(ReadAll(target), QByteArray("old contents\r\n"));
        // No stray temporary file is left beside it.
        QCOMPARE(QDir(dir.path()).entryList({"old.txt*"}, QDir::Files).size(), 1);
    }

    void permissionDenied() {
        if (geteuid() == 0) QSKIP("root ignores file permissions");
        const QString target = path("ro.txt");
        WriteAll(target, "ro");
        QFile::setPermissions(target, QFile::ReadOwner);
        QDir().mkdir(path("rodir"));
        QFile::setPermissions(path("rodir"), QFile::ReadOwner | QFile::ExeOwner);
        auto ed = NewEditor();
        ed->setTexto("new");
        QCOMPARE(ed->Gravar(target), "Permissão negada: " + target);
        QCOMPARE(ReadAll(target), QByteArray("ro"));
        QCOMPARE(ed->Gravar(path("rodir/x.txt")), "Permissão negada: " + path("rodir/x.txt"));
        QFile::setPermissions(path("rodir"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void saveThroughALinkKeepsTheLink() {
        WriteAll(path("real.txt"), "old");
        QFile::link(path("real.txt"), path("link.txt"));
        auto ed = NewEditor();
        QCOMPARE(ed->Ler(path("link.txt")), QString());
        ed->setTexto("new");
        QCOMPARE(ed->Gravar(path("link.txt")), QString());
        QVERIFY(QFileInfo(path("link.txt")).isSymLink());
        QCOMPARE(ReadAll(path("real.txt")), QByteArray("new"));
    }

    void arquivoPut() {
        auto ed = NewEditor();
        WriteAll(path("a.txt"), "12345");
        ed->setArquivo(path("a.txt"));
        QCOMPARE(ed->TamanhoArquivo(), QString("5"));
        const QString date = ed->DataArquivo();
        QVERIFY(!date.isEmpty());
        // A file that does not exist: the path is kept, date and size stay.
        ed->setArquivo(path("none.txt"));
        QCOMPARE(ed->Arquivo(), path("none.txt"));
        QCOMPARE(ed->TamanhoArquivo(), QString("5"));
        QCOMPARE(ed->DataArquivo(), date);
        ed->setArquivo(QString());
        QCOMPARE(ed->Arquivo(), QString());
        QCOMPARE(ed->TamanhoArquivo(), QString("5"));
    }

    void temporaryFolder() {
        auto ed = NewEditor();
        ed->setDiretorioTemporario("/tmp/x");
        QCOMPARE(ed->DiretorioTemporario(), QString("/tmp/x/"));
        ed->setDiretorioTemporario("/tmp/y/");
        QCOMPARE(ed->DiretorioTemporario(), QString("/tmp/y/"));
        ed->setDiretorioTemporario(QString());
        QCOMPARE(ed->DiretorioTemporario(), QString());
    }

    void temporaryCopies() {
        QTemporaryDir cache;
        auto ed = NewEditor();
        ed->setTexto(QString::fromUtf8("<b>ç€中</b>\r\nline 2"));
        ed->GravarTemporario(); // no folder yet: nothing
        QCOMPARE(ed->ArquivoTemporario(), QString());
        ed->setDiretorioTemporario(cache.path());
        ed->GravarTemporario();
        const QString name = ed->ArquivoTemporario();
        QVERIFY2(QRegularExpression("^\\d{8,9}\\.ctm$").match(name).hasMatch(), qPrintable(name));
        QVERIFY(QFile::exists(cache.filePath(name)));
        QVERIFY(ReadAll(cache.filePath(name)).startsWith("{\\rtf"));
        ed->GravarTemporario();
        QCOMPARE(ed->ArquivoTemporario(), name);
        QCOMPARE(QDir(cache.path()).entryList(QDir::Files).size(), 1);
        // Colour survives the copy.
        Select(*ed, 0, 3);
        ed->setSelCorTexto(0xFF0000);
        ed->GravarTemporario();

        auto other = NewEditor();
        other->setDiretorioTemporario(cache.path());
        other->LerTemporario(name);
        QCOMPARE(other->Texto(), ed->Texto());
        QCOMPARE(other->ArquivoTemporario(), name);
        Select(*other, 0, 3);
        QCOMPARE(other->SelCorTexto(), 0xFF0000);
        Select(*other, 5, 1);
        QCOMPARE(other->SelCorTexto(), other->CorTexto());

        // A copy that is not there: nothing changes.
        other->LerTemporario("99999999.ctm");
        QCOMPARE(other->ArquivoTemporario(), name);
        QCOMPARE(other->Texto(), ed->Texto());
        // No folder: nothing is read.
        auto third = NewEditor();
        third->LerTemporario(name);
        QCOMPARE(third->Texto(), QString());
        QCOMPARE(third->ArquivoTemporario(), QString());
    }

    void saveWritesTheTemporaryCopyToo() {
        QTemporaryDir cache;
        auto ed = NewEditor();
        ed->setDiretorioTemporario(cache.path());
        ed->setTexto("v1");
        QCOMPARE(ed->Gravar(path("t.txt")), QString());
        QVERIFY(!ed->ArquivoTemporario().isEmpty());
        auto other = NewEditor();
        other->setDiretorioTemporario(cache.path());
        other->LerTemporario(ed->ArquivoTemporario());
        QCOMPARE(other->Texto(), QString("v1"));
    }

    // A copy that cannot be written says why in UltimoErro, and the copy
    // written before stays whole; the next write that works clears it.
    void failedCopyIsReported() {
        QTemporaryDir cache;
        auto ed = NewEditor();
        ed->setDiretorioTemporario(cache.path());
        ed->setTexto("v1");
        ed->GravarTemporario();
        QCOMPARE(ed->UltimoErro(), QString());
        const QString copy = cache.filePath(ed->ArquivoTemporario());
        const QByteArray before = ReadAll(copy);

        ed->setTexto(QString(64 * 1024, 'n'));
        struct rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit small = old;
        small.rlim_cur = 4096;
        signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        ed->GravarTemporario();
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY2(ed->UltimoErro().contains(copy), qPrintable(ed->UltimoErro()));
        QCOMPARE(ReadAll(copy), before);

        ed->GravarTemporario();
        QCOMPARE(ed->UltimoErro(), QString());
        // A folder that is gone: the reason names the copy.
        auto lost = NewEditor();
        lost->setDiretorioTemporario(cache.filePath("sumiu"));
        lost->GravarTemporario();
        QVERIFY(lost->UltimoErro().startsWith(QStringLiteral("Caminho não encontrado")));
        // No folder set: nothing to write, nothing failed.
        auto none = NewEditor();
        none->GravarTemporario();
        QCOMPARE(none->UltimoErro(), QString());
    }

    void namesDifferBetweenInstances() {
        QTemporaryDir cache;
        QSet<QString> names;
        for (int i = 0; i < 20; ++i) {
            auto ed = NewEditor();
            ed->setDiretorioTemporario(cache.path());
            ed->GravarTemporario();
            names.insert(ed->ArquivoTemporario());
        }
        QCOMPARE(names.size(), 20);
    }
};

QTEST_MAIN(TestEditFiles)
#include "tst_edit_files.moc"
