// The document tabs of the main window: one tab "TAB_nnn" and one editor
// "HTML_nnn" per document.
#include "AppInfo.h"
#include "ControlHost.h"
#include "Dialogs.h"
#include "Folders.h"
#include "MenuTable.h"
#include "Settings.h"
#include "frmMain.h"
#include "frmMainPrivate.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QStackedWidget>
#include <QTabBar>

#include "CompactPath.h"

namespace {

constexpr int kMaxDocuments = 253;

QString Nnn(int n) {
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

bool SettingFlag(const QString &text) {
    // Stored as "True"/"False"; a number counts as its truth value.
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    return corvel::SettingNumber(text) != 0;
}

} // namespace

static QWidget *FindEditorWidget(QStackedWidget *stack, const QString &name) {
    for (int i = 0; i < stack->count(); ++i) {
        QWidget *w = stack->widget(i);
        if (w->objectName() == name) return w;
    }
    return nullptr;
}

ICorvelEdit *frmMain::CurrentEditor() const {
    if (d->tabs->count() < 1) return nullptr;
    const int i = d->tabs->currentIndex();
    if (i < 0) return nullptr;
    const QString key = d->tabs->tabData(i).toString();
    if (key.isEmpty()) return nullptr;
    return corvel::AsCorvelEdit(FindEditorWidget(d->stack, QStringLiteral("HTML_") + key.right(3)));
}

ICorvelEdit *frmMain::CreateDocument() {
    int n = 1;
    while (n <= kMaxDocuments && FindEditorWidget(d->stack, QStringLiteral("HTML_") + Nnn(n)))
        ++n;
    if (n > kMaxDocuments) {
        corvel::Message(
            this,
            QStringLiteral(
                "O limite máximo de documentos abertos foi alcançado. Você deve fechar um ou "
                "mais documentos afim de iniciar um novo documento."),
            QStringLiteral("Limite de Documentos"), corvel::MsgIcon::Critical);
        return nullptr;
    }
    const QString nnn = Nnn(n);
    QString error;
    ICorvelEdit *ed = corvel::CreateCorvelEdit(d->stack, &error);
    if (!ed) {
        corvel::Message(
            this,
            QStringLiteral(
                "Ocorreu um erro na tentativa de adicionar um novo documento. Em geral, esse "
                "erro não é comum. Caso ele persista, entre em contato conosco através de ") +
                corvel::SiteAddress() + QStringLiteral(".\r\n\r\nErro (429) '") + error +
                QStringLiteral("'."),
            QStringLiteral("Erro de Criação"), corvel::MsgIcon::Critical);
        return nullptr;
    }
    QWidget *w = ed->widget();
    w->setObjectName(QStringLiteral("HTML_") + nnn);
    d->stack->addWidget(w);

    const QString ed_ = QStringLiteral("Editor");
    ed->setFonteNome(ReadSetting(ed_, QStringLiteral("Fonte")));
    ed->setFonteTamanho(int(corvel::SettingNumber(ReadSetting(ed_, QStringLiteral("Tamanho")))));
    ed->setNegrito(SettingFlag(ReadSetting(ed_, QStringLiteral("Negrito"))));
    ed->setItalico(SettingFlag(ReadSetting(ed_, QStringLiteral("Italico"))));
    ed->setCorTexto(int(corvel::SettingNumber(ReadSetting(ed_, QStringLiteral("Frente")))));
    ed->setCorFundo(int(corvel::SettingNumber(ReadSetting(ed_, QStringLiteral("Fundo")))));
    ed->setQuebrarLinha(corvel::SettingNumber(ReadSetting(QStringLiteral("Configuracao"),
                                                          QStringLiteral("Quebra"))) != 0);
    ed->setDiretorioTemporario(corvel::CacheFolder());
    if (ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("RealTAB")) ==
        QLatin1String("1")) {
        ed->setTabTexto(QStringLiteral("\t"));
    } else {
        const long long spaces = corvel::SettingNumber(ReadSetting(ed_, QStringLiteral("Tabs")));
        ed->setTabTexto(QString(int(qBound(0LL, spaces, 64LL)), QLatin1Char(' ')));
    }
    EnableDocumentMenus(true);
    ed->setVisivel(true);

    const int index = d->tabs->addTab(QStringLiteral("Doc ") + QString::number(n));
    d->tabs->setTabData(index, QStringLiteral("TAB_") + nnn);
    if (d->tabs->currentIndex() == index)
        Tabs_Click(); // the first tab is selected by adding it
    else
        d->tabs->setCurrentIndex(index);
    if (d->hooks.documentCreated) d->hooks.documentCreated(ed);
    return ed;
}

void frmMain::ShowDocument(const QString &name) {
    QWidget *w = FindEditorWidget(d->stack, name);
    if (!w) return;
    d->stack->setCurrentWidget(w);
    w->show();
    w->raise();
    ICorvelEdit *shown = corvel::AsCorvelEdit(w);
    if (isEnabled() && shown && isVisible()) shown->Foco();
    if (ICorvelEdit *ed = CurrentEditor()) {
        const int i = d->tabs->currentIndex();
        d->tabs->setTabToolTip(i, ed->Arquivo());
    }
    RefreshSaveState();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmMain::Tabs_Click() {
    const int i = d->tabs->currentIndex();
    if (i >= 0) ShowDocument(QStringLiteral("HTML_") + d->tabs->tabData(i).toString().right(3));
    RefreshCaption();
    RefreshSaveState();
}

void frmMain::RefreshCaption() {
    QString caption = corvel::BaseCaption();
    if (ICorvelEdit *ed = CurrentEditor()) {
        const QString file = ed->Arquivo();
        if (!file.isEmpty())
            caption += QStringLiteral(" - [") + CompactPath(file) + QStringLiteral("]");
    }
    if (windowTitle() != caption) setWindowTitle(caption);
}

void frmMain::EnableDocumentMenus(bool enabled) {
    d->documentMenusEnabled = enabled;
    std::size_t n = 0;
    const corvel::CommandId *ids = corvel::DocumentMenus(&n);
    for (std::size_t i = 0; i < n; ++i) {
        const QString name = ids[i].Name();
        QAction *a = d->actions.value(name);
        if (!a) continue;
        // Top-level menus follow the documents alone; items need a command too.
        const bool menu = d->menus.contains(name);
        a->setEnabled(enabled && (menu || d->handlers.contains(name)));
    }
    RefreshToolButtons();
}

void frmMain::RefreshSaveState() {
    ICorvelEdit *ed = CurrentEditor();
    const bool unsaved = ed && !ed->Gravado();
    const QString name = corvel::cmd::ArquivoSalvar.Name();
    QAction *item = d->actions.value(name);
    const bool on = unsaved && d->handlers.contains(name);
    if (item && item->isEnabled() != on) item->setEnabled(on);
    if (QAction *button = ToolButton(QStringLiteral("Salvar"))) {
        const bool b = on && !d->busy;
        if (button->isEnabled() != b) button->setEnabled(b);
    }
}

QList<ICorvelEdit *> frmMain::Documents() const {
    QList<ICorvelEdit *> list;
    for (int i = 0; i < d->tabs->count(); ++i) {
        const QString key = d->tabs->tabData(i).toString();
        if (ICorvelEdit *ed = DocumentByKey(key.right(3))) list.append(ed);
    }
    return list;
}

QString frmMain::DocumentKey(ICorvelEdit *editor) const {
    if (!editor) return QString();
    const QString name = editor->widget()->objectName();
    if (!name.startsWith(QLatin1String("HTML_")) || name.size() != 8) return QString();
    return name.right(3);
}

ICorvelEdit *frmMain::DocumentByKey(const QString &nnn) const {
    if (nnn.size() != 3) return nullptr;
    return corvel::AsCorvelEdit(FindEditorWidget(d->stack, QStringLiteral("HTML_") + nnn));
}

static int TabIndexOf(QTabBar *tabs, const QString &nnn) {
    if (nnn.isEmpty()) return -1;
    const QString key = QStringLiteral("TAB_") + nnn;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabData(i).toString() == key) return i;
    return -1;
}

QString frmMain::TabCaption(ICorvelEdit *editor) const {
    const int i = TabIndexOf(d->tabs, DocumentKey(editor));
    if (i < 0) return QString();
    QString text = d->tabs->tabText(i);
    text.replace(QLatin1String("&&"), QLatin1String("&"));
    return text;
}

void frmMain::SetTabCaption(ICorvelEdit *editor, const QString &caption) {
    const int i = TabIndexOf(d->tabs, DocumentKey(editor));
    if (i < 0) return;
    // A "&" in a file name is shown, not taken as an access key.
    QString shown = caption;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    d->tabs->setTabText(i, shown);
}

void frmMain::SelectDocument(ICorvelEdit *editor) {
    const int i = TabIndexOf(d->tabs, DocumentKey(editor));
    if (i < 0) return;
    if (d->tabs->currentIndex() == i)
        Tabs_Click();
    else
        d->tabs->setCurrentIndex(i);
}

void frmMain::RemoveDocument(ICorvelEdit *editor) {
    if (!editor) return;
    QWidget *w = editor->widget();
    const int i = TabIndexOf(d->tabs, DocumentKey(editor));
    d->stack->removeWidget(w);
    w->hide();
    if (i >= 0) d->tabs->removeTab(i); // selects a neighbour (Tabs_Click)
    delete w;
    if (d->tabs->count() == 0) {
        EnableDocumentMenus(false);
        RefreshCaption();
        RefreshSaveState();
    }
}

QTabBar *frmMain::Tabs() const {
    return d->tabs;
}
