// Colourise, standardise the font, preview, hand over to Corvel, line
// wrapping, about and the site.
#include "Commands.h"

#include "AppInfo.h"
#include "ColorizerRtf.h"
#include "ControlHost.h"
#include "Dialogs.h"
#include "FixedFormat.h"
#include "NotepadText.h"
#include "TessimServices.h"
#include "frmTessim.h"

#include <QAction>
#include <QCoreApplication>
#include <QPointer>
#include <QUrl>

namespace tessim {

using corvel::Message;
using corvel::MsgIcon;

namespace {

// What a whole-document rewrite must give back however it ends: the
// selection, the scroll positions, the lock, drawing and the saved state.
class Freeze {
public:
    explicit Freeze(ICorvelEdit *ed)
        : ed(ed), widget(ed->widget()), gravado(ed->Gravado()), alterado(ed->Alterado()),
          selStart(ed->SelInicio()), selLength(ed->SelTamanho()), vScroll(ed->RolagemVertical()),
          hScroll(ed->RolagemHorizontal()) {
        ed->setRedesenhar(false);
        ed->setTravar(true);
    }
    ~Freeze() {
        if (!widget) return;
        ed->setSelInicio(selStart);
        ed->setSelTamanho(selLength);
        ed->setTravar(false);
        ed->setRedesenhar(true);
        ed->setRolagemVertical(vScroll);
        ed->setRolagemHorizontal(hScroll);
        ed->setGravado(gravado);
        ed->setAlterado(alterado);
    }

private:
    ICorvelEdit *ed;
    QPointer<QWidget> widget;
    bool gravado, alterado;
    int selStart, selLength, vScroll, hScroll;
};

void Paint(ICorvelEdit *ed, const corvel::TextRanges &ranges, int colour) {
    for (const auto &r : ranges) {
        ed->setSelInicio(r.first);
        ed->setSelTamanho(r.second);
        ed->setSelCorTexto(colour);
    }
}

} // namespace

void ColouriseCommand(frmTessim &w, CommandId) {
    ICorvelEdit *ed = w.Editor();
    if (ed->Tamanho() > kColourLimit) {
        Message(&w, QStringLiteral("Colorizar não disponível para textos maiores de 500 kbytes"),
                QStringLiteral("Colorizar"), MsgIcon::Warning);
        return;
    }
    const QString text = ed->Texto();
    // The markup is coloured in a hidden work editor, which then hands the
    // finished rich text over in one piece.
    ICorvelEdit *work = corvel::CreateCorvelEdit(&w);
    if (!work) return;
    QPointer<QWidget> workWidget = work->widget();
    workWidget->setObjectName(QStringLiteral("ColorizeTMP"));
    workWidget->hide();
    work->setQuebrarLinha(true);
    {
        Freeze freeze(ed);
        work->setTextoRTF(ColouredRtf(text));
        Paint(work, corvel::CommentRanges(text), kCommentColour);
        Paint(work, corvel::ScriptBlockRanges(text), kScriptColour);
        ed->setTextoRTF(work->TextoRTF());
    }
    delete workWidget.data();
}

void StandardiseFontCommand(frmTessim &w, CommandId) {
    ICorvelEdit *ed = w.Editor();
    Freeze freeze(ed);
    const QString rtf = StandardFontRtf(ed->Texto());
    ed->setTextoRTF(QString());
    ed->setTextoRTF(rtf);
}

void PreviewCommand(frmTessim &w, CommandId) {
    if (w.Path().isEmpty()) {
        Message(&w,
                QStringLiteral("Você precisa primeiro gravar o arquivo para poder visualizá-lo no "
                               "navegador."),
                QStringLiteral("Arquivo Não Gravado"), MsgIcon::Warning);
        SaveDocumentAs(w);
        return;
    }
    // The browser shows the file on disk: without a successful save it would
    // show an older text.
    if (!SaveDocument(w)) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!Services().openUrl(PreviewUrl(w.Path())))
        Message(&w,
                QStringLiteral("Ocorreu um erro ao tentar executar o preview no navegador padrão. "
                               "Verifique se seu computador possui um navegador padrão "
                               "selecionado."),
                QStringLiteral("Erro de Preview"), MsgIcon::Critical);
}

void OpenInCorvelCommand(frmTessim &w, CommandId) {
    bool saved = false;
    if (!AskToSave(w, true, &saved)) return;
    if (w.Path().isEmpty()) {
        Message(&w, QStringLiteral("O arquivo ainda não foi gravado."),
                QStringLiteral("Arquivo Não Gravado"), MsgIcon::Information);
        return;
    }
    // A Corvel already running receives the file through its hand-over.
    if (!Services().startProgram(w.CorvelProgram(), {w.Path()})) {
        Message(&w, QStringLiteral("Não foi possível iniciar o Corvel:\r\n") + w.CorvelProgram(),
                QStringLiteral("Abrir no Corvel"), MsgIcon::Critical);
        return;
    }
    if (saved) w.close();
}

void LineWrapCommand(frmTessim &w, CommandId) {
    ICorvelEdit *ed = w.Editor();
    ed->setQuebrarLinha(!ed->QuebrarLinha());
    // Checked while lines wrap at the window's edge.
    w.Action(cmd::FerramentasQuebra)->setChecked(!ed->QuebrarLinha());
}

void AboutCommand(frmTessim &w, CommandId) {
    Message(&w, AboutText(corvel::VersionText(), corvel::SiteAddress()),
            QStringLiteral("Sobre o Tessim"), MsgIcon::Information);
}

void SiteCommand(frmTessim &w, CommandId) {
    if (!Services().openUrl(QUrl(corvel::SiteAddress())))
        Message(&w,
                QStringLiteral("Não foi possível abrir o endereço ") + corvel::SiteAddress() +
                    QStringLiteral(" no navegador padrão."),
                QStringLiteral("Acessar o Site"), MsgIcon::Warning);
}

} // namespace tessim
