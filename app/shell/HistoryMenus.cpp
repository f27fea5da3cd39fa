#include "HistoryMenus.h"

#include "CompactPath.h"
#include "Dialogs.h"
#include "FileCommands.h"
#include "RecentList.h"
#include "Settings.h"
#include "frmMain.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace corvel {

namespace {

const QString kBase = QStringLiteral("Pasta Base");
const QString kSelected = QStringLiteral("Selecionada");

CommandId HistoryItem(int i) {
    return cmd::Historico(i);
}
CommandId BaseItem(int i) {
    return cmd::PastaPadrao(i);
}

// Caption, tag and visibility of one list item; true when it shows.
bool FillItem(QAction *a, const QString &entry) {
    const QString caption = CompactPath(entry);
    if (!a) return !caption.isEmpty();
    QString shown = caption;
    a->setText(shown.replace(QLatin1Char('&'), QStringLiteral("&&")));
    a->setData(entry);
    a->setVisible(!caption.isEmpty());
    return !caption.isEmpty();
}

QString TagOf(frmMain &m, CommandId item) {
    QAction *a = m.Action(item);
    return a ? a->data().toString() : QString();
}

void SetBaseMenuTag(frmMain &m, const QString &folder) {
    if (QMenu *menu = m.Menu(cmd::ArquivoPastaPadrao)) menu->menuAction()->setData(folder);
}

void CheckBaseItem(frmMain &m, int i, bool on) {
    if (QAction *a = m.Action(BaseItem(i))) {
        a->setCheckable(true);
        a->setChecked(on);
    }
}

bool FileExists(const QString &p) {
    return QFileInfo(p).isFile();
}

bool PathExists(const QString &p) {
    return QFileInfo::exists(p);
}

} // namespace

void RefreshHistoryMenu(frmMain &m) {
    const QStringList entries = ReadRecentList(kHistoryList);
    bool any = false;
    for (int i = 1; i <= kHistoryList.size; ++i)
        any |= FillItem(m.Action(HistoryItem(i)), entries.value(i - 1));
    if (QMenu *menu = m.Menu(cmd::ArquivoHistorico)) menu->menuAction()->setEnabled(any);
}

void AddToHistory(frmMain &m, const QString &path) {
    // Linux has no browser cache folder to keep out: every file is recorded.
    AddToRecentList(kHistoryList, path);
    RefreshHistoryMenu(m);
}

void RefreshBaseFolderMenu(frmMain &m) {
    const QString selected = ReadSetting(kBase, kSelected);
    const QStringList entries = ReadRecentList(kBaseFolderList);
    QString kept;
    for (int i = 1; i <= kBaseFolderList.size; ++i) {
        const QString entry = entries.value(i - 1);
        FillItem(m.Action(BaseItem(i)), entry);
        const bool match = !selected.isEmpty() && entry == selected;
        CheckBaseItem(m, i, match);
        if (match) kept = selected;
    }
    // A selection whose folder left the list is dropped.
    if (ReadSetting(kBase, kSelected) != kept) WriteSetting(kBase, kSelected, kept);
    SetBaseMenuTag(m, kept);
    CheckBaseItem(m, 0, kept.isEmpty());
}

void AddBaseFolder(frmMain &m, const QString &path) {
    if (path.trimmed().isEmpty()) {
        RefreshBaseFolderMenu(m);
        return;
    }
    AddToRecentList(kBaseFolderList, path);
    RefreshBaseFolderMenu(m);
}

void mnuHistorico_Click(frmMain &m, int index) {
    const QString tag = TagOf(m, HistoryItem(index));
    if (!tag.isEmpty() && FileExists(tag)) {
        OpenFile(m, tag, OpenFrom::History);
        m.ShowStatusMessage(QStringLiteral("Histórico: Abrir Documento"));
        return;
    }
    const MsgAnswer a =
        Message(&m,
                QStringLiteral(
                    "O arquivo especificado não existe. Provavelmente ele foi deletado ou movido. "
                    "Você pode remover os arquivos obsoletos da sua lista de histórico utilizando "
                    "a opção 'Remover Obsoletos'.\r\n\r\nVocê deseja remover os arquivos "
                    "obsoletos da sua lista de histórico agora?"),
                QStringLiteral("Arquivo Não Encontrado"), MsgIcon::Question, MsgButtons::YesNo,
                MsgAnswer::Yes);
    if (a == MsgAnswer::Yes) mnuHistoricoRemObsoletos_Click(m);
}

void mnuHistoricoRemObsoletos_Click(frmMain &m) {
    StoreRecentList(kHistoryList,
                    KeepExisting(ReadRecentList(kHistoryList), kHistoryList.size, FileExists));
    RefreshHistoryMenu(m);
    m.ShowStatusMessage(QStringLiteral("Histórico: Remover Obsoletos"));
}

void mnuHistoricoRemTodos_Click(frmMain &m) {
    if (Message(&m, QStringLiteral("Você realmente deseja remover todo o histórico de arquivos?"),
                QStringLiteral("Remover Histórico"), MsgIcon::Question, MsgButtons::YesNo,
                MsgAnswer::No) != MsgAnswer::Yes)
        return;
    StoreRecentList(kHistoryList, QStringList());
    RefreshHistoryMenu(m);
    m.ShowStatusMessage(QStringLiteral("Histórico: Remover Todos"));
}

void mnuPastaPadrao_Click(frmMain &m, int index) {
    const QString t = index == 0 ? QString() : TagOf(m, BaseItem(index));
    if (index == 0) {
        // "(Nenhuma)": no base folder.
        WriteSetting(kBase, kSelected, QString());
        RefreshBaseFolderMenu(m);
        return;
    }
    if (!t.isEmpty() && QFileInfo(t).isDir()) {
        for (int i = 0; i <= kBaseFolderList.size; ++i)
            CheckBaseItem(m, i, false);
        SetBaseMenuTag(m, t);
        WriteSetting(kBase, kSelected, t);
        AddBaseFolder(m, t);
        return;
    }
    const MsgAnswer a = Message(
        &m,
        QStringLiteral("A pasta especificada não existe.\r\n\r\nDeseja executar a rotina para "
                       "remover as pastas base não mais existentes?"),
        QStringLiteral("Pasta Inexistente"), MsgIcon::Warning, MsgButtons::YesNo, MsgAnswer::No);
    if (a == MsgAnswer::Yes) mnuPastasObsoletas_Click(m);
}

void mnuPastaBaseInserir_Click(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    if (ed->Arquivo().isEmpty()) {
        Message(
            &m,
            QStringLiteral("Para adicionar uma pasta base de trabalho, é necessário que o arquivo "
                           "atual já tenha sido gravado no local de destino. O arquivo aberto será "
                           "considerado como estando na pasta principal de seu projeto, e ao "
                           "selecionar esta pasta como pasta base, todos os caminhos de imagens e "
                           "arquivos adicionados possuirão o caminho baseado nesta pasta base, se "
                           "assim configurado nas Opções."),
            QStringLiteral("Arquivo Não Gravado"), MsgIcon::Information);
        return;
    }
    for (int i = 1; i <= kBaseFolderList.size; ++i)
        CheckBaseItem(m, i, false);
    AddBaseFolder(m, QFileInfo(ed->Arquivo()).absolutePath());
}

void mnuPastasObsoletas_Click(frmMain &m) {
    StoreRecentList(kBaseFolderList, KeepExisting(ReadRecentList(kBaseFolderList),
                                                  kBaseFolderList.size, PathExists));
    RefreshBaseFolderMenu(m);
    m.ShowStatusMessage(QStringLiteral("Pasta Base: Remover Obsoletas"));
}

void mnuPastasRemover_Click(frmMain &m) {
    if (Message(&m, QStringLiteral("Você realmente deseja remover todas as pastas base?"),
                QStringLiteral("Remover Pastas Base"), MsgIcon::Question, MsgButtons::YesNo,
                MsgAnswer::No) != MsgAnswer::Yes)
        return;
    StoreRecentList(kBaseFolderList, QStringList());
    RefreshBaseFolderMenu(m);
    m.ShowStatusMessage(QStringLiteral("Pasta Base: Remover Todas"));
}

void RegisterHistoryCommands(frmMain &m) {
    frmMain *w = &m;
    for (int i = 1; i <= kHistoryList.size; ++i)
        m.SetHandler(HistoryItem(i), [w, i] { mnuHistorico_Click(*w, i); });
    m.SetHandler(cmd::HistoricoRemObsoletos, [w] { mnuHistoricoRemObsoletos_Click(*w); });
    m.SetHandler(cmd::HistoricoRemTodos, [w] { mnuHistoricoRemTodos_Click(*w); });
    for (int i = 0; i <= kBaseFolderList.size; ++i)
        m.SetHandler(BaseItem(i), [w, i] { mnuPastaPadrao_Click(*w, i); });
    m.SetHandler(cmd::PastaBaseInserir, [w] { mnuPastaBaseInserir_Click(*w); });
    m.SetHandler(cmd::PastasObsoletas, [w] { mnuPastasObsoletas_Click(*w); });
    m.SetHandler(cmd::PastasRemover, [w] { mnuPastasRemover_Click(*w); });
}

} // namespace corvel
