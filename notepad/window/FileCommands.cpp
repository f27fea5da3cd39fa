// New, Open, Save, Save As, Print and Exit, and the save question.
#include "Commands.h"

#include "Dialogs.h"
#include "FixedFormat.h"
#include "NotepadText.h"
#include "TessimServices.h"
#include "frmTessim.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>

namespace tessim {

using corvel::Message;
using corvel::MsgAnswer;
using corvel::MsgButtons;
using corvel::MsgIcon;

namespace {

bool Modified(const ICorvelEdit *ed) {
    return ed->Alterado() && !ed->Gravado();
}

QString Absolute(const QString &path) {
    return path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void ShowSaveError(frmTessim &w, const QString &reason) {
    Message(&w, QStringLiteral("Ocorreu um erro ao tentar gravar o arquivo:\r\n") + reason,
            QStringLiteral("Erro de Gravação"), MsgIcon::Critical);
}

// Writes the document to path; false (after the message) when it failed.
bool WriteTo(frmTessim &w, const QString &path) {
    ICorvelEdit *ed = w.Editor();
    const QString error = WriteDocumentFile(path, ed->Texto(), &w.Format());
    if (!error.isEmpty()) {
        ShowSaveError(w, error);
        return false;
    }
    ed->setAlterado(false);
    ed->setGravado(true);
    return true;
}

} // namespace

bool AskToSave(frmTessim &w, bool handOver, bool *answeredYes) {
    if (answeredYes) *answeredYes = false;
    if (!Modified(w.Editor())) return true;
    const MsgAnswer a =
        Message(&w, SaveQuestionText(handOver), QStringLiteral("Documento Alterado"),
                MsgIcon::Warning, MsgButtons::YesNoCancel, MsgAnswer::Cancel);
    if (a == MsgAnswer::Cancel) return false;
    if (a == MsgAnswer::No) return true;
    if (answeredYes) *answeredYes = true;
    // Going on after a save that did not happen would lose the changes.
    return SaveDocument(w);
}

bool OpenPath(frmTessim &w, const QString &given) {
    const QString path = Absolute(given);
    QString text;
    DocumentFormat format;
    const QString error = ReadDocumentFile(path, &text, &format);
    if (!error.isEmpty()) {
        Message(&w,
                QStringLiteral("Ocorreu um erro na tentativa de abrir o arquivo especificado:\r\n") +
                    error,
                QStringLiteral("Erro ao Abrir"), MsgIcon::Critical);
        return false;
    }
    ICorvelEdit *ed = w.Editor();
    ed->setTexto(text);
    // The text exactly as the editor holds it: unchanged, it is written back
    // as the bytes that were read.
    format.text = ed->Texto();
    w.Format() = format;
    w.SetPath(path);
    w.RefreshCaption();
    ed->setGravado(true);
    ed->setAlterado(false);
    ed->Foco();
    return true;
}

bool SaveDocument(frmTessim &w) {
    if (w.Path().isEmpty()) return SaveDocumentAs(w);
    return WriteTo(w, w.Path());
}

bool SaveDocumentAs(frmTessim &w) {
    int filter = kAllFilesFilter;
    const QString chosen = Absolute(corvel::Dialogs().saveFile(
        &w, QStringLiteral("Salvar Como"), w.Path(), FileDialogFilter(), &filter));
    if (chosen.isEmpty()) return false;
    // The document takes the new name only once its text is there.
    if (!WriteTo(w, chosen)) return false;
    w.SetPath(chosen);
    w.RefreshCaption();
    return true;
}

void NewCommand(frmTessim &w, CommandId) {
    ICorvelEdit *ed = w.Editor();
    const bool blank = w.Path().isEmpty() && ed->Tamanho() == 0;
    if (!blank && !AskToSave(w, false)) return;
    w.SetPath(QString());
    ed->setTexto(QString());
    w.Format() = DocumentFormat();
    ed->setAlterado(false);
    ed->setGravado(true);
    w.RefreshCaption();
    ed->Foco();
}

void OpenCommand(frmTessim &w, CommandId) {
    if (!AskToSave(w, false)) return;
    int filter = kAllFilesFilter;
    const QString folder = w.Path().isEmpty() ? QString() : QFileInfo(w.Path()).absolutePath();
    const QString path = corvel::Dialogs().openFile(&w, QStringLiteral("Abrir"), folder,
                                                    FileDialogFilter(), &filter);
    if (path.isEmpty()) return;
    OpenPath(w, path);
}

void SaveCommand(frmTessim &w, CommandId) {
    SaveDocument(w);
}

void SaveAsCommand(frmTessim &w, CommandId) {
    SaveDocumentAs(w);
}

void PrintCommand(frmTessim &w, CommandId) {
    if (Message(&w, QStringLiteral("Confirma a impressão deste arquivo?"),
                QStringLiteral("Impressão"), MsgIcon::Question, MsgButtons::YesNo,
                MsgAnswer::No) != MsgAnswer::Yes)
        return;
    QFont font(FontFace());
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(kFontPoints);
    const QString error = Services().print(PrintLines(w.Editor()->Texto()), font);
    if (!error.isEmpty())
        Message(&w, QStringLiteral("Ocorreu um erro ao imprimir o arquivo:\r\n") + error,
                QStringLiteral("Erro de Impressão"), MsgIcon::Critical);
}

void ExitCommand(frmTessim &w, CommandId) {
    w.close();
}

} // namespace tessim
