// The crash soak: one private installation of Corvel on an X server of its
// own, started again and again. In each trial the program restores the
// documents of the trial before, gets words typed into its documents (three
// files and one document without a file), saves with F5, pauses, sometimes
// leaves through Arquivo > Sair answering its questions, and is killed with
// SIGKILL at a random moment (during the start too). After each trial:
//   - every file is exactly one of the states its document went through,
//     never cut short or mixed;
//   - the cache index reads without damage and names copies that exist;
//   - each copy is a state its document went through; the typed characters
//     it lacks give the loss: from the moment the first of them was sent to
//     the kill;
//   - the next start restores every document of the index, asking only the
//     questions the state on disk calls for.
// Usage: corvel_soak [--trials N] [--seed S] [--autosave-ms MS]
//                    [--max-loss-ms MS] [--verbose]
// Exit status 0 when no fault was seen.
#include "CacheIndex.h"
#include "RealCorvel.h"
#include "RtfDocument.h"
#include "SoakChecks.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

using namespace real_corvel;

namespace {

const QString kHead = QStringLiteral("<html>\r\n<p>");
const QString kTail = QStringLiteral("</html>");
const char *const kFiles[] = {"pagina1.html", "pagina2.html", "pagina3.html"};

qint64 NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void Say(const QString &line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

// The text of a temporary copy; empty with ok false when it cannot be read.
QString CopyText(const QString &path, bool *ok) {
    QFile f(path);
    corvel::rtf::Document d;
    *ok = f.open(QIODevice::ReadOnly) && corvel::rtf::Read(f.readAll(), &d);
    if (!*ok) return QString();
    // The copy keeps paragraphs; the document shows them with CR LF.
    QString text = d.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    return text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
}

// One document as the driver knows it.
struct Doc {
    QString file;  // empty: the document without a file
    QString base;  // the typed words it held when this trial began
    QString typed; // sent in this trial
    QVector<qint64> sentAt;
    bool saveAsked = false; // F5 or "Sim" at the exit in this trial
    QString head() const { return file.isEmpty() ? QString() : kHead; }
    QString tail() const { return file.isEmpty() ? QString() : kTail; }
    soak::DocumentShape shape() const { return {head(), base, tail()}; }
    QString text() const { return head() + base + typed + tail(); }
};

// Kills the process at a moment chosen beforehand, unless cancelled.
class Killer {
public:
    void arm(qint64 pid, qint64 atMs) {
        m_thread = std::thread([this, pid, atMs] {
            std::unique_lock<std::mutex> lock(m_mutex);
            while (!m_cancel && NowMs() < atMs)
                m_wake.wait_for(lock, std::chrono::milliseconds(5));
            if (m_cancel) return;
            ::kill(pid_t(pid), SIGKILL);
            m_killedAt = NowMs();
        });
    }
    // Cancels a kill that did not happen; the moment of one that did, or -1.
    qint64 disarm() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_cancel = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable()) m_thread.join();
        m_cancel = false;
        const qint64 at = m_killedAt;
        m_killedAt = -1;
        return at;
    }
    bool fired() const { return m_killedAt >= 0; }

private:
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_cancel = false;
    std::atomic<qint64> m_killedAt{-1};
};

class Soak {
public:
    Soak(quint64 seed, int autosaveMs, qint64 maxLossMs, bool verbose)
        : m_rng(seed), m_autosaveMs(autosaveMs), m_maxLossMs(maxLossMs), m_verbose(verbose) {}

    bool prepare() {
        const QString missing = MissingTools();
        if (!missing.isEmpty()) return fail(QStringLiteral("cannot run: ") + missing), false;
        if (!m_x.start()) return fail(QStringLiteral("cannot run: Xvfb did not start")), false;
        m_inst.setting(QStringLiteral("AutoSave"), QStringLiteral("1"));
        m_inst.setting(QStringLiteral("Hipertexto"), QStringLiteral("0"));
        m_inst.setting(QStringLiteral("NaoNovoDoc"), QStringLiteral("0"));
        corvel::SetSettingsFileOverride(QString());
        m_inst.setEnvironment(QStringLiteral("CORVEL_AUTOSAVE_MS"), QString::number(m_autosaveMs));
        // The update check at the first tick goes nowhere.
        m_inst.setEnvironment(QStringLiteral("CORVEL_UPDATE_SERVER"),
                              QStringLiteral("127.0.0.1:9"));
        for (const char *name : kFiles) {
            Doc d;
            d.file = m_inst.work(QLatin1String(name));
            WriteBytes(d.file, d.text().toUtf8());
            m_versions[d.file].insert(d.text().toUtf8());
        }
        return true;
    }

    void run(int trials) {
        for (int t = 1; t <= trials; ++t) {
            const qint64 begun = NowMs();
            trial(t);
            m_trialMs.append(NowMs() - begun);
        }
        m_killer.disarm();
        m_inst.stop();
        report(trials);
    }

    int faults() const { return int(m_faults.size()); }

private:
    XServer m_x;
    Installation m_inst;
    QRandomGenerator m_rng;
    int m_autosaveMs;
    qint64 m_maxLossMs;
    bool m_verbose;
    Killer m_killer;
    QMap<QString, QSet<QByteArray>> m_versions; // file -> every state it may hold
    QMap<QString, Doc> m_docs;                  // open documents by file ("" no file)
    QString m_current;                          // the document typed into
    QStringList m_faults;
    QVector<qint64> m_losses; // the largest loss of each kill
    QVector<qint64> m_trialMs;
    int m_filesChecked = 0, m_copiesChecked = 0, m_kills = 0, m_exits = 0, m_startKills = 0;
    int m_questions = 0, m_trial = 0, m_words = 0;

    void fail(const QString &what) {
        const QString line = QStringLiteral("FAULT (trial %1): %2").arg(m_trial).arg(what);
        m_faults << line;
        Say(line);
    }
    void note(const QString &what) {
        if (m_verbose) Say(QStringLiteral("  [%1] %2").arg(m_trial).arg(what));
    }
    int pick(int n) { return int(m_rng.bounded(n)); }

    // ---- one trial ---------------------------------------------------------

    void trial(int t) {
        m_trial = t;
        // How this trial ends: killed while starting, killed while working,
        // or leaving through the menu (and sometimes killed at its question).
        const int mode = pick(100);
        const bool killAtStart = mode < 10;
        const bool exitByMenu = mode >= 80;
        const QStringList expected = expectedQuestions();
        const QVector<corvel::CacheEntry> before = corvel::ReadCacheIndex(m_inst.index());
        for (Doc &d : m_docs) {
            d.typed.clear();
            d.sentAt.clear();
            d.saveAsked = false;
        }

        if (!m_inst.launch(m_x, {})) return fail(QStringLiteral("the program did not start"));
        const qint64 launched = NowMs();
        if (killAtStart) m_killer.arm(m_inst.process().processId(), launched + pick(2500));
        if (!waitReadyAnswering(expected)) {
            if (m_killer.fired()) ++m_startKills;
            return finish(launched);
        }
        checkRestored(before);
        if (!m_killer.fired() && !killAtStart)
            m_killer.arm(m_inst.process().processId(), NowMs() + 300 + pick(12000));
        openMissingDocuments();
        work(exitByMenu);
        finish(launched);
    }

    // The questions the next start must ask, from what is on disk now.
    QStringList expectedQuestions() const {
        QStringList q;
        const QVector<corvel::CacheEntry> entries = corvel::ReadCacheIndex(m_inst.index());
        QSet<QString> named;
        for (const corvel::CacheEntry &e : entries) {
            named.insert(e.copy);
            if (e.copy.isEmpty() || !QFileInfo(m_inst.docs() + e.copy).isFile() || e.file.isEmpty())
                continue;
            if (!QFileInfo(e.file).isFile())
                q << QStringLiteral("Arquivo Removido");
            else if (corvel::FileInfoText(e.file) != e.info)
                q << QStringLiteral("Data e/ou Tamanho Diferente");
        }
        for (const QString &name : QDir(m_inst.docs()).entryList(QDir::Files))
            if (name != QLatin1String("DocsInfo.ini") && !named.contains(name)) {
                q << QStringLiteral("Arquivos Temporários Perdidos");
                break;
            }
        return q;
    }

    // Windows on the display other than the main window: their titles.
    QMap<QString, QString> otherWindows() const {
        QMap<QString, QString> found;
        for (const QString &w : m_x.windows(QStringLiteral(".*"))) {
            const QString title = m_x.title(w);
            if (!title.startsWith(QLatin1String("Corvel")) && !title.isEmpty()) found[w] = title;
        }
        return found;
    }

    // Answers a question window: "Sim" or "Não" at random.
    void answer(const QString &window, const QString &title) {
        if (!m_x.focus(window)) return;
        const bool yes = pick(2) == 0;
        note(QStringLiteral("question \"%1\" answered %2")
                 .arg(title, yes ? QStringLiteral("Sim") : QStringLiteral("Não")));
        if (title == QStringLiteral("Gravar Alterações?") && yes) markSaveAsked(QString());
        m_x.keys({yes ? QStringLiteral("alt+s") : QStringLiteral("alt+n")});
        // Gone before the next look, so it is never counted twice; a box
        // with only "OK" takes Enter.
        const auto gone = [&] {
            return !m_inst.running() || !m_x.windows(QStringLiteral(".*")).contains(window);
        };
        if (!WaitFor(gone, 5000)) {
            m_x.focus(window);
            m_x.keys({QStringLiteral("Return")});
            WaitFor(gone, 30000);
        }
    }

    // Waits for the ready file, answering the questions expected and
    // reporting any other window; false when the process ended first.
    bool waitReadyAnswering(QStringList expected) {
        const qint64 deadline = NowMs() + 120000;
        while (NowMs() < deadline && m_inst.running()) {
            if (!ReadBytes(m_inst.readyFile()).isEmpty()) break;
            const QMap<QString, QString> others = otherWindows();
            for (auto it = others.cbegin(); it != others.cend(); ++it) {
                if (expected.removeOne(it.value()))
                    ++m_questions;
                else
                    fail(QStringLiteral("unexpected window at start: \"%1\"").arg(it.value()));
                answer(it.key(), it.value());
            }
            QTest::qWait(100);
        }
        if (!m_inst.running()) return false;
        if (!m_inst.waitReady(m_x, QString(), 1000)) {
            fail(QStringLiteral("not ready within 120 s"));
            return false;
        }
        for (const QString &q : expected)
            fail(QStringLiteral("expected question \"%1\" not asked").arg(q));
        return true;
    }

    // After the start: every document of the old index is open, with the
    // text of its copy.
    void checkRestored(const QVector<corvel::CacheEntry> &before) {
        QMap<QString, QString> restored; // file -> text
        for (const corvel::CacheEntry &e : corvel::ReadCacheIndex(m_inst.index())) {
            bool ok = false;
            const QString text = CopyText(m_inst.docs() + e.copy, &ok);
            if (!ok) {
                fail(QStringLiteral("restored entry %1 names no readable copy").arg(e.nnn));
                continue;
            }
            if (restored.contains(e.file))
                fail(QStringLiteral("two documents for \"%1\"").arg(e.file));
            restored[e.file] = text;
        }
        for (const corvel::CacheEntry &e : before)
            if (!e.copy.isEmpty() && QFileInfo(m_inst.docs() + e.copy).isFile() &&
                !restored.contains(e.file) && (e.file.isEmpty() || QFileInfo(e.file).isFile()))
                fail(QStringLiteral("\"%1\" was not restored").arg(e.file));
        QMap<QString, Doc> docs;
        for (auto it = restored.cbegin(); it != restored.cend(); ++it) {
            Doc d;
            d.file = it.key();
            const QString text = it.value();
            if (!text.startsWith(d.head()) || !text.endsWith(d.tail())) {
                fail(QStringLiteral("restored \"%1\" has a damaged text").arg(d.file));
                continue;
            }
            d.base = text.mid(d.head().size(), text.size() - d.head().size() - d.tail().size());
            docs[d.file] = d;
        }
        m_docs = docs;
        m_current.clear();
        identifyCurrent();
    }

    // The document of the window title: "Corvel x.y.z - [path]" or none.
    bool identifyCurrent() {
        const QString title = m_x.title(m_inst.window());
        if (title.isEmpty()) return false;
        for (auto it = m_docs.cbegin(); it != m_docs.cend(); ++it)
            if (!it.key().isEmpty() &&
                title.endsWith(QFileInfo(it.key()).fileName() + QLatin1Char(']'))) {
                m_current = it.key();
                return true;
            }
        if (title.endsWith(QLatin1Char(']'))) return false;
        m_current = QString();
        return m_docs.contains(QString());
    }

    // Opens the files that are not open (handed over by a second start) and
    // a document without a file when there is none.
    void openMissingDocuments() {
        for (const char *name : kFiles) {
            const QString file = m_inst.work(QLatin1String(name));
            if (m_docs.contains(file) || !m_inst.running()) continue;
            QProcess second;
            QProcessEnvironment env = m_inst.process().processEnvironment();
            env.insert(QStringLiteral("CORVEL_READY_FILE"),
                       m_inst.path(QStringLiteral("run/second")));
            second.setProcessEnvironment(env);
            second.start(Program(), {file});
            if (!second.waitForFinished(60000)) second.kill();
            const bool shown = WaitFor(
                [&] {
                    return !m_inst.running() ||
                           m_x.title(m_inst.window())
                               .endsWith(QLatin1String(name) + QLatin1Char(']'));
                },
                60000);
            if (!m_inst.running()) return;
            if (!shown) return fail(QStringLiteral("the handed-over %1 did not open").arg(name));
            Doc d;
            d.file = file;
            const QString text = QString::fromUtf8(ReadBytes(file));
            d.base = text.mid(kHead.size(), text.size() - kHead.size() - kTail.size());
            m_docs[file] = d;
            m_current = file;
            note(QStringLiteral("opened %1").arg(name));
        }
        if (!m_docs.contains(QString()) && m_inst.running()) {
            const QString before = m_x.title(m_inst.window());
            m_inst.keys(m_x, {QStringLiteral("F2")});
            if (WaitFor([&] { return !m_inst.running() || m_x.title(m_inst.window()) != before; },
                        30000) &&
                m_inst.running()) {
                m_docs[QString()] = Doc();
                m_current = QString();
                note(QStringLiteral("new document"));
            }
        }
    }

    void markSaveAsked(const QString &file) {
        if (file.isEmpty()) {
            for (Doc &d : m_docs)
                if (!d.file.isEmpty()) d.saveAsked = true;
        } else if (m_docs.contains(file)) {
            m_docs[file].saveAsked = true;
        }
    }

    // Typing, saving, switching and pausing until the kill (or the exit).
    void work(bool exitByMenu) {
        const qint64 exitAt = exitByMenu ? NowMs() + 500 + pick(8000) : -1;
        while (m_inst.running()) {
            if (exitByMenu && NowMs() >= exitAt) return exitThroughMenu();
            const int a = pick(100);
            if (a < 55) {
                typeWord();
            } else if (a < 70) {
                if (!m_current.isEmpty()) {
                    m_docs[m_current].saveAsked = true;
                    m_x.keys({QStringLiteral("F5")});
                    note(QStringLiteral("F5 on %1").arg(QFileInfo(m_current).fileName()));
                }
            } else if (a < 82) {
                switchDocument();
            } else {
                const int pause = 200 + pick(a < 94 ? 1500 : 4000);
                note(QStringLiteral("pause %1 ms").arg(pause));
                QTest::qWait(pause);
            }
            if (pick(8) == 0) {
                const QMap<QString, QString> others = otherWindows();
                for (const QString &title : others)
                    if (m_inst.running())
                        fail(QStringLiteral("unexpected window while working: \"%1\"").arg(title));
                for (auto it = others.cbegin(); it != others.cend(); ++it)
                    answer(it.key(), it.value());
            }
        }
    }

    void typeWord() {
        Doc &d = m_docs[m_current];
        const QString word = soak::Word(m_trial, m_words++);
        // The caret goes just before the tail, then the word is typed one
        // key at a time; each character is counted as sent when its key is.
        m_x.keys({QStringLiteral("ctrl+End")});
        if (!d.tail().isEmpty())
            m_x.xdotool({QStringLiteral("key"), QStringLiteral("--repeat"),
                         QString::number(d.tail().size()), QStringLiteral("--delay"),
                         QStringLiteral("10"), QStringLiteral("Left")});
        for (const QChar c : word) {
            if (!m_inst.running()) return;
            d.typed += c;
            d.sentAt.append(NowMs());
            m_x.xdotool({QStringLiteral("key"), c == u' ' ? QStringLiteral("space") : QString(c)});
        }
    }

    void switchDocument() {
        if (m_docs.size() < 2) return;
        const QString before = m_x.title(m_inst.window());
        m_x.keys({QStringLiteral("ctrl+Tab")});
        if (!WaitFor([&] { return !m_inst.running() || m_x.title(m_inst.window()) != before; },
                     20000)) {
            if (m_inst.running()) fail(QStringLiteral("Ctrl+Tab did not change the document"));
            return;
        }
        if (m_inst.running() && !m_x.title(m_inst.window()).isEmpty() && !identifyCurrent())
            fail(QStringLiteral("unknown document in the title \"%1\"")
                     .arg(m_x.title(m_inst.window())));
    }

    // Arquivo > Sair; each "Gravar Alterações?" answered at random.
    void exitThroughMenu() {
        note(QStringLiteral("Arquivo > Sair"));
        m_inst.keys(m_x, {QStringLiteral("alt+a")});
        QTest::qWait(200);
        m_x.keys({QStringLiteral("r")});
        const qint64 deadline = NowMs() + 60000;
        while (m_inst.running() && NowMs() < deadline) {
            const QMap<QString, QString> others = otherWindows();
            for (auto it = others.cbegin(); it != others.cend(); ++it) {
                if (it.value() == QStringLiteral("Gravar Alterações?")) {
                    // Which file it asks about is in its text, not its title:
                    // any file may have been saved.
                    answer(it.key(), it.value());
                } else if (m_inst.running()) {
                    fail(QStringLiteral("unexpected window at the exit: \"%1\"").arg(it.value()));
                    answer(it.key(), it.value());
                }
            }
            QTest::qWait(100);
        }
        if (m_inst.running() && !m_killer.fired())
            fail(QStringLiteral("the program did not end within 60 s of Sair"));
    }

    // ---- after the trial ---------------------------------------------------

    void finish(qint64 launched) {
        if (m_inst.running()) {
            // Working until the kill; wait for it.
            m_inst.process().waitForFinished(30000);
        }
        const qint64 killedAt = m_killer.disarm();
        const bool killed = killedAt >= 0;
        m_inst.stop();
        if (killed)
            ++m_kills;
        else
            ++m_exits;
        checkFiles();
        const qint64 loss = checkCopies(killed ? killedAt : -1);
        if (killed) m_losses.append(loss);
        Say(QStringLiteral("trial %1: %2 after %3 ms, %4 documents, loss %5 ms")
                .arg(m_trial)
                .arg(killed ? "killed" : "exited")
                .arg((killed ? killedAt : NowMs()) - launched)
                .arg(m_docs.size())
                .arg(loss));
    }

    // Every file holds one of its document's states, whole.
    void checkFiles() {
        for (const char *name : kFiles) {
            const QString file = m_inst.work(QLatin1String(name));
            const QByteArray bytes = ReadBytes(file);
            ++m_filesChecked;
            QSet<QByteArray> &known = m_versions[file];
            if (known.contains(bytes)) continue;
            const auto d = m_docs.constFind(file);
            if (d != m_docs.cend() && d->saveAsked &&
                soak::TypedCharactersHeld(QString::fromUtf8(bytes), d->shape(), d->typed) >= 0) {
                known.insert(bytes);
                continue;
            }
            fail(QStringLiteral("%1 holds no state of its document (%2 bytes, ends \"%3\")")
                     .arg(name)
                     .arg(bytes.size())
                     .arg(QString::fromUtf8(bytes.right(40))));
            known.insert(bytes); // reported once
        }
    }

    // The index reads whole; each document's copy is one of its states; the
    // largest loss of the kill (killedAt -1: an exit, which loses nothing).
    qint64 checkCopies(qint64 killedAt) {
        const QByteArray raw = ReadBytes(m_inst.index());
        const QVector<corvel::CacheEntry> entries = corvel::ParseCacheIndex(raw);
        if (!raw.isEmpty() && entries.isEmpty() && raw.contains("[Temporario]") &&
            raw.contains('='))
            fail(QStringLiteral("the cache index holds entries that do not read"));
        QMap<QString, QString> copies;
        for (const corvel::CacheEntry &e : entries) {
            if (e.fileDoubtful) fail(QStringLiteral("index entry %1 reads as damaged").arg(e.nnn));
            if (e.copy.isEmpty()) continue;
            if (!QFileInfo(m_inst.docs() + e.copy).isFile()) {
                fail(QStringLiteral("index entry %1 names the missing copy %2").arg(e.nnn, e.copy));
                continue;
            }
            copies[e.file] = e.copy;
        }
        qint64 largest = 0;
        for (Doc &d : m_docs) {
            // What the copy keeps is where the next trial begins, whether or
            // not its start gets as far as reading the copies again.
            qint64 loss = 0;
            int held = -1;
            QString copied; // the copy's typed part, when it is no known state
            const auto carry = qScopeGuard([&d, &held, &copied] {
                if (!copied.isNull())
                    d.base = copied;
                else if (held >= 0)
                    d.base += d.typed.left(held);
                d.typed.clear();
                d.sentAt.clear();
            });
            if (copies.contains(d.file)) {
                bool ok = false;
                const QString text = CopyText(m_inst.docs() + copies[d.file], &ok);
                ++m_copiesChecked;
                held = ok ? soak::TypedCharactersHeld(text, d.shape(), d.typed) : -1;
                // Reloaded from its file by an answer at a start that was
                // then killed: the file's text.
                if (held < 0 && d.typed.isEmpty() && m_versions[d.file].contains(text.toUtf8())) {
                    held = 0;
                    copied =
                        text.mid(d.head().size(), text.size() - d.head().size() - d.tail().size());
                }
                if (held < 0) {
                    if (text.startsWith(d.head()) && text.endsWith(d.tail()))
                        copied = text.mid(d.head().size(),
                                          text.size() - d.head().size() - d.tail().size());
                    fail(QStringLiteral(
                             "the copy of \"%1\" is no state of its document (ends \"%2\")")
                             .arg(d.file, text.right(40)));
                    continue;
                }
            } else if (d.file.isEmpty() && d.base.isEmpty() && d.typed.isEmpty()) {
                continue; // an empty document without a file leaves nothing
            } else if (killedAt < 0) {
                fail(QStringLiteral("\"%1\" has no copy after the exit").arg(d.file));
                continue;
            } else {
                held = 0;
                // Without a copy the document comes back from its file, if
                // at all: the text it had when the trial began must be there.
                const QString atStart = d.head() + d.base + d.tail();
                if (!d.base.isEmpty() &&
                    (d.file.isEmpty() || QString::fromUtf8(ReadBytes(d.file)) != atStart))
                    fail(QStringLiteral("\"%1\" lost its unsaved text with its copy").arg(d.file));
            }
            if (killedAt < 0) {
                if (held != d.typed.size())
                    fail(QStringLiteral("the exit lost %1 typed characters of \"%2\"")
                             .arg(d.typed.size() - held)
                             .arg(d.file));
                continue;
            }
            loss = soak::LossMs(d.sentAt, held, killedAt);
            if (loss > 0)
                note(QStringLiteral("%1: %2 of %3 characters kept, loss %4 ms")
                         .arg(d.file.isEmpty() ? QStringLiteral("(sem arquivo)")
                                               : QFileInfo(d.file).fileName())
                         .arg(held)
                         .arg(d.typed.size())
                         .arg(loss));
            if (loss > m_maxLossMs)
                fail(QStringLiteral("lost %1 ms of typing in \"%2\" (bound %3 ms)")
                         .arg(loss)
                         .arg(d.file)
                         .arg(m_maxLossMs));
            largest = std::max(largest, loss);
        }
        return largest;
    }

    void report(int trials) {
        QVector<qint64> nonZero;
        for (qint64 l : std::as_const(m_losses))
            if (l > 0) nonZero << l;
        Say(QStringLiteral("soak: %1 trials (%2 killed, %3 of them while starting; %4 exited), "
                           "%5 files checked, %6 copies checked, %7 questions expected and asked")
                .arg(trials)
                .arg(m_kills)
                .arg(m_startKills)
                .arg(m_exits)
                .arg(m_filesChecked)
                .arg(m_copiesChecked)
                .arg(m_questions));
        Say(QStringLiteral("loss: max %1 ms, median %2 ms over kills, median %3 ms over the %4 "
                           "kills that lost typing; auto-save tick %5 ms")
                .arg(m_losses.isEmpty() ? 0 : *std::max_element(m_losses.cbegin(), m_losses.cend()))
                .arg(soak::Median(m_losses))
                .arg(soak::Median(nonZero))
                .arg(nonZero.size())
                .arg(m_autosaveMs));
        Say(QStringLiteral("time per trial: median %1 ms").arg(soak::Median(m_trialMs)));
        Say(QStringLiteral("faults: %1").arg(m_faults.size()));
        for (const QString &f : std::as_const(m_faults))
            Say(QStringLiteral("  ") + f);
    }
};

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption trials(QStringLiteral("trials"), QStringLiteral("Trials."),
                                    QStringLiteral("N"), QStringLiteral("3"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed."),
                                  QStringLiteral("S"));
    const QCommandLineOption autosave(QStringLiteral("autosave-ms"),
                                      QStringLiteral("Auto-save tick."), QStringLiteral("MS"),
                                      QStringLiteral("5000"));
    const QCommandLineOption maxLoss(
        QStringLiteral("max-loss-ms"),
        QStringLiteral("Largest loss allowed (default: two ticks + 3 s)."), QStringLiteral("MS"));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Every step."));
    parser.addOptions({trials, seed, autosave, maxLoss, verbose});
    parser.process(app);

    const quint64 s = parser.isSet(seed) ? parser.value(seed).toULongLong()
                                         : QRandomGenerator::system()->generate64() % 1000000000;
    const int tick = parser.value(autosave).toInt();
    const qint64 bound =
        parser.isSet(maxLoss) ? parser.value(maxLoss).toLongLong() : 2 * tick + 3000;
    Say(QStringLiteral("soak seed %1").arg(s));
    Soak soakRun(s, tick, bound, parser.isSet(verbose));
    if (!soakRun.prepare()) return 2;
    soakRun.run(parser.value(trials).toInt());
    return soakRun.faults() == 0 ? 0 : 1;
}
