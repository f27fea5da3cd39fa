#include "Colouriser.h"

#include "ColorizerRtf.h"
#include "ControlHost.h"
#include "KeyState.h"
#include "frmMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <QPointer>
#include <QWidget>
#include <functional>

using namespace corvel;

namespace {

ColorizeTimings g_timings;

// Window events may run meanwhile (the busy bar moves), user input may not.
void ProcessPending() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The editor instance as a guarded widget: a document closed meanwhile is
// never touched again.
struct GuardedEditor {
    explicit GuardedEditor(ICorvelEdit *e) : ed(e), widget(e ? e->widget() : nullptr) {}
    ICorvelEdit *get() const { return widget ? ed : nullptr; }
    ICorvelEdit *ed;
    QPointer<QWidget> widget;
};

// Everything a whole-document rewrite changes around the work and gives back
// on every path, whatever failed: selection, scroll, lock, drawing, busy
// mode, saved state.
class DocumentFreeze {
public:
    DocumentFreeze(frmMain &m, ICorvelEdit *ed, bool gravado, bool busy)
        : m(m), editor(ed), gravado(gravado), busy(busy) {
        if (busy) m.SetBusyMode(true);
        ProcessPending();
        if (ICorvelEdit *e = editor.get()) {
            selStart = e->SelInicio();
            selLength = e->SelTamanho();
            vScroll = e->RolagemVertical();
            hScroll = e->RolagemHorizontal();
            e->setRedesenhar(false);
            e->setTravar(true);
        }
    }
    // The selection goes back as soon as the work is done.
    void RestoreSelection() {
        if (ICorvelEdit *e = editor.get()) {
            e->setSelInicio(selStart);
            e->setSelTamanho(selLength);
        }
    }
    ~DocumentFreeze() {
        ICorvelEdit *e = editor.get();
        if (e) {
            e->setTravar(false);
            e->setRedesenhar(true);
        }
        if (busy) m.SetBusyMode(false);
        e = editor.get();
        if (e) {
            // After busy mode, which hid and showed the editor.
            e->setRolagemVertical(vScroll);
            e->setRolagemHorizontal(hScroll);
            e->setGravado(gravado);
        }
        m.RefreshSaveState();
        ProcessPending();
    }

private:
    frmMain &m;
    GuardedEditor editor;
    bool gravado;
    bool busy;
    int selStart = 0, selLength = 0, vScroll = 0, hScroll = 0;
};

// The hidden work editor, removed however the work ends.
class WorkEditor {
public:
    explicit WorkEditor(frmMain &m) : ed(CreateCorvelEdit(&m)) {
        if (!ed) return;
        widget = ed->widget();
        widget->setObjectName(QStringLiteral("ColorizeTMP"));
        widget->hide();
    }
    ~WorkEditor() { delete widget.data(); }
    ICorvelEdit *get() const { return widget ? ed : nullptr; }

private:
    ICorvelEdit *ed;
    QPointer<QWidget> widget;
};

double Lap(QElapsedTimer &t) {
    const double ms = t.nsecsElapsed() / 1e6;
    t.restart();
    return ms;
}

void Paint(ICorvelEdit *ed, const TextRanges &ranges, int colour) {
    for (const auto &r : ranges) {
        ed->setSelInicio(r.first);
        ed->setSelTamanho(r.second);
        ed->setSelCorTexto(colour);
    }
}

} // namespace

const ColorizeTimings &LastColorizeTimings() {
    return g_timings;
}

bool ColorizeCurrentDocument(frmMain &m) {
    GuardedEditor doc(m.CurrentEditor());
    if (!doc.get()) return false;
    const bool gravado = doc.get()->Gravado();
    ColorizerSettings s;
    if (!ReadColorizerSettings(&s)) return false;
    const RtfTemplate t =
        BuildRtfTemplate(s.face, s.halfPoints,
                         {RtfColorEntry(s.text), RtfColorEntry(s.tag), RtfColorEntry(s.param),
                          RtfColorEntry(s.value), RtfColorEntry(0)});

    QElapsedTimer clock;
    clock.start();
    WorkEditor work(m);
    if (!work.get()) return false;
    // The work editor lays its text out without wrapping: it is never shown,
    // and wrapping at its small hidden width would only cost time.
    work.get()->setQuebrarLinha(true);
    // The document's text, as the editor holds it (CR LF breaks); putting it
    // through the work editor first would give the same characters back.
    const QString body = doc.get()->Texto();
    g_timings.copyIn = Lap(clock);

    PassTimings passes;
    const QString rtf = t.head + ColorizeBody(body, s.halfPoints, &passes) + t.closing + t.tail;
    g_timings.passes = Lap(clock);
    if (qEnvironmentVariableIsSet("CORVEL_PASS_TIMES"))
        qInfo("passes: escape %.1f, lines %.1f, tags %.1f, attributes %.1f, unicode %.1f ms",
              passes.escape, passes.lines, passes.tags, passes.attributes, passes.unicode);
    work.get()->setTextoRTF(rtf);
    g_timings.rtfLoad = Lap(clock);
    // Only formatting may change: rich text that reads back as other
    // characters never reaches the document.
    if (work.get()->Texto() != body) return false;

    // The work editor holds the body's characters unchanged, at the same
    // positions.
    const TextRanges comments = CommentRanges(body);
    const TextRanges scripts = ScriptBlockRanges(body);
    ProcessPending();
    if (!work.get() || !doc.get()) return false;
    Paint(work.get(), comments, ColourSetting(QStringLiteral("ClrzComent")));
    Paint(work.get(), scripts, ColourSetting(QStringLiteral("ClrzPrg")));
    g_timings.painting = Lap(clock);

    const QString finished = work.get()->TextoRTF();
    g_timings.rtfOut = Lap(clock);
    doc.get()->setTextoRTF(finished);
    g_timings.copyBack = Lap(clock);
    doc.get()->setGravado(gravado);
    m.RefreshSaveState();
    return true;
}

namespace {

// The frame both whole-document commands share: right Control runs another
// menu command instead; otherwise the "AGUARDE" status, the document frozen
// (busy mode from busyAbove characters) while work runs, the selection given
// back, the timings and the command's own status text. A document longer than
// refuseAbove is refused with the refusal text.
void RunOnWholeDocument(frmMain &m, corvel::CommandId rightControlMenu, int busyAbove,
                        int refuseAbove, const QString &refusal, const QString &done,
                        const std::function<void(ICorvelEdit *)> &work) {
    if (RightControlDown()) {
        m.Trigger(rightControlMenu);
        return;
    }
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    QElapsedTimer clock;
    clock.start();
    g_timings = ColorizeTimings();
    const bool gravado = ed->Gravado();
    m.ShowStatusMessage(QStringLiteral("AGUARDE... Processando tarefa..."));
    const int size = ed->Tamanho();
    if (refuseAbove >= 0 && size > refuseAbove) {
        m.ShowStatusMessage(refusal);
        return;
    }
    {
        DocumentFreeze freeze(m, ed, gravado, size > busyAbove);
        work(ed);
        freeze.RestoreSelection();
    }
    g_timings.total = clock.nsecsElapsed() / 1e6;
    m.ShowStatusMessage(done);
}

void StandardizeFont(ICorvelEdit *ed) {
    GuardedEditor doc(ed);
    ColorizerSettings s;
    if (!doc.get() || !ReadColorizerSettings(&s)) return;
    const RtfTemplate t = BuildRtfTemplate(s.face, s.halfPoints, {RtfColorEntry(s.text)});
    QElapsedTimer phase;
    phase.start();
    const QString before = doc.get()->Texto();
    const QString rtf = t.head + ColorizeBody(before, s.halfPoints) + t.closing + t.tail;
    g_timings.passes = Lap(phase);
    doc.get()->setTextoRTF(QString());
    doc.get()->setTextoRTF(rtf);
    // Only formatting may change: should the rich text read back as other
    // characters, the document gets its own text back.
    if (doc.get() && doc.get()->Texto() != before) doc.get()->setTexto(before);
    g_timings.copyBack = Lap(phase);
}

} // namespace

void ColorizeCommand(frmMain &m) {
    RunOnWholeDocument(m, corvel::cmd::InserirLink, 307200, 512000,
                       QStringLiteral("Colorizar não disponível para textos maiores de 500 kbytes"),
                       QStringLiteral("Colorizar HTML"),
                       [&m](ICorvelEdit *) { ColorizeCurrentDocument(m); });
}

void StandardizeFontCommand(frmMain &m) {
    RunOnWholeDocument(m, corvel::cmd::InserirImagem, 102400, -1, QString(),
                       QStringLiteral("Padronizar Fonte"), StandardizeFont);
}

void RegisterColouriser(frmMain &m) {
    InstallKeyStateWatcher();
    m.SetHandler(corvel::cmd::FerramentasColorizar, [&m] { ColorizeCommand(m); });
    m.SetHandler(corvel::cmd::FerramentasPadronizar, [&m] { StandardizeFontCommand(m); });
}
