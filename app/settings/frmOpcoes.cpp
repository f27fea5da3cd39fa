#include "frmOpcoes.h"

#include "DesktopEntries.h"
#include "Dialogs.h"
#include "OptionTable.h"
#include "OptionTexts.h"
#include "Programs.h"
#include "Settings.h"
#include "WindowKeys.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace corvel;

namespace {

const QString kConfig = QStringLiteral("Configuracao");
const QString kEditor = QStringLiteral("Editor");

QString Config(const char *key) {
    return ReadSetting(kConfig, QLatin1String(key));
}
void SetConfig(const char *key, const QString &value) {
    WriteSetting(kConfig, QLatin1String(key), value);
}

template <class W> W *Named(W *w, const QString &name) {
    w->setObjectName(name);
    return w;
}

// The colour settings of the colouriser, in button order.
struct ColourRow {
    const char *label;
    const char *key;
};
const ColourRow kColours[5] = {
    {"Cor da Tag", "ClrzTag"},  {"Parâmetro", "ClrzParam"},    {"Valor", "ClrzValor"},
    {"Programação", "ClrzPrg"}, {"Comentários", "ClrzComent"},
};

const char *const kPageNames[4] = {"Geral", "Edição", "Preview", "Comandos"};

} // namespace

frmOpcoes::frmOpcoes(OptionsHost host, QWidget *parent) : QDialog(parent), m_host(std::move(host)) {
    setObjectName(QStringLiteral("frmOpcoes"));
    setWindowTitle(QStringLiteral("Opções"));
    if (!m_host.dialogs) m_host.dialogs = []() -> IDialogs & { return Dialogs(); };

    Tabs = Named(new QTabWidget(this), QStringLiteral("Tabs"));
    Tabs->addTab(BuildGeral(), QString::fromUtf8(kPageNames[0]));
    Tabs->addTab(BuildEdicao(), QString::fromUtf8(kPageNames[1]));
    Tabs->addTab(BuildPreview(), QString::fromUtf8(kPageNames[2]));
    Tabs->addTab(BuildComandos(), QString::fromUtf8(kPageNames[3]));

    auto *hint = Named(
        new QLabel(QStringLiteral(
                       "Caso tenha dúvidas em alguma das opções, tecle F12 para acessar a Ajuda."),
                   this),
        QStringLiteral("lblAjuda"));
    auto *close =
        Named(new QPushButton(QStringLiteral("&Fechar"), this), QStringLiteral("btnFechar"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Tabs);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(Tabs, &QTabWidget::currentChanged, this, [this](int page) {
        if (!m_loading) SetConfig("OptUltTab", QString::number(page));
    });
    // Keys act when they come up, wherever the focus is in the dialog.
    AttachDialogKeys(this, {{Qt::Key_F12,
                             [this] {
                                 if (m_host.help) m_host.help(1);
                             }},
                            {Qt::Key_Escape, [this] { reject(); }}});
}

QCheckBox *frmOpcoes::Flag(const QString &name) const {
    return findChild<QCheckBox *>(name);
}

// The check boxes of the flag table that belong to a page, in table order.
void frmOpcoes::AddFlags(OptionPage page, QVBoxLayout *layout) {
    int n = 0;
    const OptionFlag *flags = OptionFlags(&n);
    for (int i = 0; i < n; ++i) {
        if (flags[i].page != page) continue;
        auto *box =
            Named(new QCheckBox(QString::fromUtf8(flags[i].caption)), QLatin1String(flags[i].name));
        box->setProperty("flagRow", i);
        connect(box, &QCheckBox::toggled, this, [this, box](bool on) { FlagChanged(box, on); });
        // A box that depends on the one above it is indented under it.
        if (qstrcmp(flags[i].name, "chkImgBorder0") == 0) {
            auto *row = new QHBoxLayout;
            row->addSpacing(20);
            row->addWidget(box);
            layout->addLayout(row);
        } else {
            layout->addWidget(box);
        }
    }
}

QWidget *frmOpcoes::BuildGeral() {
    auto *page = new QWidget;
    auto *col = new QVBoxLayout(page);
    AddFlags(OptionPage::Geral, col);
    chkIntegracao =
        Named(new QCheckBox(QStringLiteral("Integração com o desktop em arquivos HTML")),
              QStringLiteral("chkIntegracao"));
    chkIntegracao->setToolTip(
        QStringLiteral("Oferece \"Editar com o Corvel\" no menu \"Abrir com\" dos arquivos HTML"));
    chkViewSource = Named(
        new QCheckBox(QStringLiteral("Usar o Tessim para ver o código-fonte de arquivos HTML")),
        QStringLiteral("chkViewSource"));
    chkViewSource->setToolTip(
        QStringLiteral("Oferece o Tessim no menu \"Abrir com\" dos arquivos HTML"));
    col->addWidget(chkIntegracao);
    col->addWidget(chkViewSource);
    connect(chkIntegracao, &QCheckBox::clicked, this, [this] { chkIntegracao_Click(); });
    connect(chkViewSource, &QCheckBox::clicked, this, [this] { chkViewSource_Click(); });

    txtExtensao = Named(new QLineEdit, QStringLiteral("txtExtensao"));
    txtUsuario = Named(new QLineEdit, QStringLiteral("txtUsuario"));
    txtEmail = Named(new QLineEdit, QStringLiteral("txtEmail"));
    txtExtensao->setMaximumWidth(120);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Extensão Backup"), txtExtensao);
    form->addRow(QStringLiteral("Nome do Usuário"), txtUsuario);
    form->addRow(QStringLiteral("E-mail do Usuário"), txtEmail);
    col->addLayout(form);
    col->addStretch();
    connect(txtExtensao, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!m_loading) SetConfig("Extensao", BackupExtensionSetting(t));
    });
    connect(txtUsuario, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!m_loading) SetConfig("Usuario", t.trimmed());
    });
    connect(txtEmail, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!m_loading) SetConfig("Email", t.trimmed());
    });
    return page;
}

QWidget *frmOpcoes::BuildEdicao() {
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    auto *flags = new QVBoxLayout;
    AddFlags(OptionPage::Edicao, flags);
    grid->addLayout(flags, 0, 0, 1, 2);

    auto *quotes = Named(new QGroupBox(QStringLiteral(" Aspas dentro de códigos ASP e PHP ")),
                         QStringLiteral("fraAspas"));
    auto *quotesCol = new QVBoxLayout(quotes);
    auto *quoteGroup = new QButtonGroup(this);
    int n = 0;
    const QuoteChoice *choices = QuoteChoices(&n);
    for (int i = 0; i < n && i < 4; ++i) {
        chkAspas[i] = Named(new QRadioButton(QString::fromUtf8(choices[i].caption)),
                            QLatin1String(choices[i].name));
        quoteGroup->addButton(chkAspas[i], i);
        quotesCol->addWidget(chkAspas[i]);
        connect(chkAspas[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) QuoteChosen(i);
        });
    }
    grid->addWidget(quotes, 1, 0);

    auto *sliders = new QVBoxLayout;
    const auto slider = [&](const QString &frame, const QString &name, const QString &label,
                            int min, int max, QSlider **s, QLabel **l) {
        auto *box = Named(new QGroupBox(frame), QStringLiteral("fra") + name);
        auto *row = new QHBoxLayout(box);
        *s = Named(new QSlider(Qt::Horizontal), QStringLiteral("sld") + name);
        (*s)->setRange(min, max);
        (*s)->setSingleStep(1);
        (*s)->setPageStep(1);
        (*s)->setTickPosition(QSlider::TicksBelow);
        (*s)->setTickInterval(1);
        *l = Named(new QLabel(label), QStringLiteral("lbl") + name);
        (*l)->setMinimumWidth(
            (*l)->fontMetrics().horizontalAdvance(QStringLiteral("(10 minutos)")));
        row->addWidget(*s, 1);
        row->addWidget(*l);
        sliders->addWidget(box);
    };
    slider(QStringLiteral("Tamanho do Tab"), QStringLiteral("Tabs"), TabWidthCaption(3), 1, 20,
           &sldTabs, &lblTabs);
    slider(QStringLiteral("Auto Gravação"), QStringLiteral("Gravacao"), AutoSaveCaption(5), 0, 10,
           &sldGravacao, &lblGravacao);
    sldGravacao->setToolTip(QStringLiteral("0 desliga a gravação automática"));
    connect(sldTabs, &QSlider::valueChanged, this, [this](int v) {
        lblTabs->setText(TabWidthCaption(v));
        if (!m_loading) WriteSetting(kEditor, QStringLiteral("Tabs"), QString::number(v));
    });
    connect(sldGravacao, &QSlider::valueChanged, this, [this](int v) {
        lblGravacao->setText(AutoSaveCaption(v));
        if (!m_loading) SetConfig("AutoSave", QString::number(v));
    });
    sliders->addStretch();
    grid->addLayout(sliders, 1, 1);

    auto *colours =
        Named(new QGroupBox(QStringLiteral(" Cores - Colorizar ")), QStringLiteral("fraCores"));
    auto *colourGrid = new QGridLayout(colours);
    for (int i = 0; i < 5; ++i) {
        // Label, a sample of the colour, the button.
        const int row = i / 3, column = i % 3 * 3;
        colourGrid->addWidget(new QLabel(QString::fromUtf8(kColours[i].label)), row, column);
        m_swatches[i] = Named(new QLabel, QStringLiteral("lblClrzAmostra(%1)").arg(i));
        m_swatches[i]->setMinimumWidth(2 * m_swatches[i]->fontMetrics().height());
        m_swatches[i]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        m_swatches[i]->setFrameShape(QFrame::Box);
        m_swatches[i]->setAutoFillBackground(true);
        colourGrid->addWidget(m_swatches[i], row, column + 1);
        btnClrzAlterar[i] = Named(new QPushButton(QStringLiteral("Alterar")),
                                  QStringLiteral("btnClrzAlterar(%1)").arg(i));
        btnClrzAlterar[i]->setAutoDefault(false);
        colourGrid->addWidget(btnClrzAlterar[i], row, column + 2);
        connect(btnClrzAlterar[i], &QPushButton::clicked, this,
                [this, i] { btnClrzAlterar_Click(i); });
    }
    grid->addWidget(colours, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget *frmOpcoes::BuildPreview() {
    auto *page = new QWidget;
    auto *col = new QVBoxLayout(page);

    auto *source = Named(new QGroupBox(QStringLiteral(" Documento exibido no preview ")),
                         QStringLiteral("fraPreview"));
    auto *sourceCol = new QVBoxLayout(source);
    optPrevDoc = Named(new QRadioButton(QStringLiteral(
                           "Exibir o preview do documento sendo exibido na tela, não o documento "
                           "gravado em disco")),
                       QStringLiteral("optPrevDoc"));
    optPrevDisco = Named(new QRadioButton(QStringLiteral(
                             "Realizar a gravação do documento em disco e visualizar a partir do "
                             "documento gravado")),
                         QStringLiteral("optPrevDisco"));
    for (QRadioButton *b : {optPrevDoc, optPrevDisco})
        sourceCol->addWidget(b);
    auto *sourceGroup = new QButtonGroup(this);
    sourceGroup->addButton(optPrevDoc);
    sourceGroup->addButton(optPrevDisco);
    connect(optPrevDoc, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !m_loading) SetConfig("Preview", QStringLiteral("0"));
    });
    connect(optPrevDisco, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !m_loading) SetConfig("Preview", QStringLiteral("1"));
    });
    col->addWidget(source);

    auto *browser =
        Named(new QGroupBox(QStringLiteral(" Exibir o preview ")), QStringLiteral("fraBrowser"));
    auto *browserCol = new QVBoxLayout(browser);
    optBrowserPadrao = Named(
        new QRadioButton(QStringLiteral("No navegador padrão de meu computador (recomendado)")),
        QStringLiteral("optBrowserPadrao"));
    optCorvelBrowser =
        Named(new QRadioButton(QStringLiteral(
                  "Internamente no Corvel (utilizará o navegador interno do Corvel)")),
              QStringLiteral("optCorvelBrowser"));
    optBrowserEsp = Named(new QRadioButton(QStringLiteral("No navegador especificado abaixo:")),
                          QStringLiteral("optBrowserEsp"));
    auto *browserGroup = new QButtonGroup(this);
    for (QRadioButton *b : {optBrowserPadrao, optCorvelBrowser, optBrowserEsp}) {
        browserGroup->addButton(b);
        browserCol->addWidget(b);
        connect(b, &QRadioButton::toggled, this, [this, b](bool on) {
            if (on) BrowserChosen(b);
        });
    }
    txtBrowserPath = Named(new QLineEdit, QStringLiteral("txtBrowserPath"));
    cmbSelBrowser =
        Named(new QPushButton(QStringLiteral("Selecionar")), QStringLiteral("cmbSelBrowser"));
    cmbSelBrowser->setAutoDefault(false);
    auto *pathRow = new QHBoxLayout;
    pathRow->addSpacing(20);
    pathRow->addWidget(txtBrowserPath, 1);
    pathRow->addWidget(cmbSelBrowser);
    browserCol->addLayout(pathRow);
    connect(txtBrowserPath, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!m_loading) SetConfig("Browser", t.trimmed());
    });
    connect(cmbSelBrowser, &QPushButton::clicked, this, [this] { cmbSelBrowser_Click(); });
    col->addWidget(browser);
    col->addStretch();
    return page;
}

QWidget *frmOpcoes::BuildComandos() {
    auto *page = new QWidget;
    auto *col = new QVBoxLayout(page);
    AddFlags(OptionPage::Comandos, col);
    auto *caption =
        Named(new QLabel(QStringLiteral(
                  "Forma de utilização de comandos mais comuns (exibição de parâmetros):")),
              QStringLiteral("lblTemplates"));
    col->addSpacing(8);
    col->addWidget(caption);
    auto *grid = new QGridLayout;
    int n = 0;
    const TemplateRow *rows = TemplateRows(&n);
    for (int i = 0; i < n && i < 8; ++i) {
        cmbTemplate[i] = Named(new QComboBox, QStringLiteral("cmbTemplate(%1)").arg(i));
        cmbTemplate[i]->addItem(QStringLiteral("Com parâmetros"));
        cmbTemplate[i]->addItem(QStringLiteral("Sem parâmetros"));
        if (rows[i].items > 2) cmbTemplate[i]->addItem(QStringLiteral("Parâmetros avançados"));
        grid->addWidget(new QLabel(QString::fromUtf8(rows[i].caption)), i / 2, i % 2 * 2);
        grid->addWidget(cmbTemplate[i], i / 2, i % 2 * 2 + 1);
        const char *key = rows[i].key;
        connect(cmbTemplate[i], &QComboBox::currentIndexChanged, this, [this, key](int item) {
            if (!m_loading && item >= 0) SetConfig(key, QString::number(item));
        });
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    col->addLayout(grid);
    col->addStretch();
    return page;
}

void frmOpcoes::Form_Load() {
    m_loading = true;
    int n = 0;
    const OptionFlag *flags = OptionFlags(&n);
    for (int i = 0; i < n; ++i) {
        if (QCheckBox *box = Flag(QLatin1String(flags[i].name)))
            box->setChecked(
                ShownChecked(flags[i].shownWhen, ReadSetting(QLatin1String(flags[i].section),
                                                             QLatin1String(flags[i].key))));
    }
    txtExtensao->setText(Config("Extensao"));
    txtUsuario->setText(Config("Usuario"));
    txtEmail->setText(Config("Email"));

    chkAspas[QuoteChoiceIndex(Config("Aspas"))]->setChecked(true);
    sldTabs->setValue(
        int(qBound(1LL, SettingNumber(ReadSetting(kEditor, QStringLiteral("Tabs"))), 20LL)));
    const QString autoSave = Config("AutoSave");
    sldGravacao->setValue(autoSave.isEmpty() ? 5 : int(qBound(0LL, SettingNumber(autoSave), 10LL)));
    lblTabs->setText(TabWidthCaption(sldTabs->value()));
    lblGravacao->setText(AutoSaveCaption(sldGravacao->value()));

    (Config("Preview") == QLatin1String("0") ? optPrevDoc : optPrevDisco)->setChecked(true);
    // In the order of the buttons: a later one that holds wins.
    optBrowserEsp->setChecked(true);
    if (Config("BrowserPadrao") != QLatin1String("0")) optBrowserPadrao->setChecked(true);
    if (Config("CorvelBrowser") == QLatin1String("1")) optCorvelBrowser->setChecked(true);
    txtBrowserPath->setText(Config("Browser"));

    int rows = 0;
    const TemplateRow *templates = TemplateRows(&rows);
    for (int i = 0; i < rows && i < 8; ++i)
        cmbTemplate[i]->setCurrentIndex(TemplateItem(Config(templates[i].key), templates[i].items));

    for (int i = 0; i < 5; ++i)
        ShowSwatch(i);
    chkIntegracao->setChecked(DesktopEntryInstalled(DesktopEntry::EditWithCorvel));
    const bool tessim = IsRunnableFile(m_host.tessimProgram);
    chkViewSource->setEnabled(tessim);
    chkViewSource->setChecked(tessim && DesktopEntryInstalled(DesktopEntry::TessimSource) &&
                              DesktopEntryProgram(DesktopEntry::TessimSource) ==
                                  m_host.tessimProgram);

    QString lastPage = Config("OptUltTab");
    if (lastPage.isEmpty()) {
        lastPage = QStringLiteral("0");
        SetConfig("OptUltTab", lastPage);
    }
    Tabs->setCurrentIndex(OptionsStartPage(lastPage));
    // The keyboard starts on the page's first option.
    if (auto *first = Tabs->currentWidget()->findChild<QAbstractButton *>()) first->setFocus();
    m_loading = false;

    // Without the internal browser its option cannot be chosen; a stored
    // choice of it becomes the default browser.
    const bool internal = !m_host.internalBrowserAvailable || m_host.internalBrowserAvailable();
    optCorvelBrowser->setEnabled(internal);
    if (!internal && optCorvelBrowser->isChecked()) optBrowserPadrao->setChecked(true);
    RefreshEnabling();
}

void frmOpcoes::RefreshEnabling() {
    if (QCheckBox *keep = Flag(QStringLiteral("chkManterSel")))
        keep->setEnabled(Flag(QStringLiteral("chkIntSelecao"))->isChecked());
    if (QCheckBox *border = Flag(QStringLiteral("chkImgBorder0")))
        border->setEnabled(Flag(QStringLiteral("chkImgWH"))->isChecked());
    const bool chosen = optBrowserEsp->isChecked();
    txtBrowserPath->setEnabled(chosen);
    cmbSelBrowser->setEnabled(chosen);
}

void frmOpcoes::FlagChanged(QCheckBox *box, bool on) {
    RefreshEnabling();
    if (m_loading) return;
    int n = 0;
    const OptionFlag &f = OptionFlags(&n)[box->property("flagRow").toInt()];
    WriteSetting(QLatin1String(f.section), QLatin1String(f.key),
                 QLatin1String(on ? f.checkedValue : f.uncheckedValue));
    const QString name = box->objectName();
    if (name == QLatin1String("chkTaskBar")) {
        // Never both off: the window needs a way back.
        if (!on) Flag(QStringLiteral("chkSysTray"))->setChecked(true);
    } else if (name == QLatin1String("chkSysTray")) {
        if (m_host.trayIcon) m_host.trayIcon(on);
        if (!on) Flag(QStringLiteral("chkTaskBar"))->setChecked(true);
    } else if (name == QLatin1String("chkBRLinhas")) {
        if (m_host.setCurrentWrap) m_host.setCurrentWrap(SettingNumber(Config("Quebra")) != 0);
    }
}

void frmOpcoes::QuoteChosen(int index) {
    if (m_loading) return;
    int n = 0;
    const QString value = QLatin1String(QuoteChoices(&n)[index].value);
    SetConfig("Aspas", value);
    if (m_host.showQuoteStyle) m_host.showQuoteStyle(value);
}

void frmOpcoes::BrowserChosen(QRadioButton *button) {
    RefreshEnabling();
    if (m_loading) return;
    SetConfig("CorvelBrowser",
              button == optCorvelBrowser ? QStringLiteral("1") : QStringLiteral("0"));
    SetConfig("BrowserPadrao",
              button == optBrowserPadrao ? QStringLiteral("1") : QStringLiteral("0"));
}

void frmOpcoes::chkIntegracao_Click() {
    const bool on = chkIntegracao->isChecked();
    QString error;
    const bool ok =
        on ? InstallDesktopEntry(DesktopEntry::EditWithCorvel, m_host.corvelProgram, &error)
           : RemoveDesktopEntry(DesktopEntry::EditWithCorvel);
    if (ok) return;
    // The box shows what the desktop really offers.
    for (int i = 0; i < 5; ++i)
        ShowSwatch(i);
    chkIntegracao->setChecked(DesktopEntryInstalled(DesktopEntry::EditWithCorvel));
    m_host.dialogs().message(
        this,
        QStringLiteral("Não foi possível alterar a integração com o desktop.") +
            (error.isEmpty() ? QString() : QStringLiteral("\n\n") + error),
        QStringLiteral("Opções"), MsgIcon::Warning);
}

void frmOpcoes::chkViewSource_Click() {
    if (!IsRunnableFile(m_host.tessimProgram)) chkViewSource->setChecked(false);
    const bool on = chkViewSource->isChecked();
    QString error;
    const bool ok =
        on ? InstallDesktopEntry(DesktopEntry::TessimSource, m_host.tessimProgram, &error)
           : RemoveDesktopEntry(DesktopEntry::TessimSource);
    if (ok) return;
    chkViewSource->setChecked(DesktopEntryInstalled(DesktopEntry::TessimSource));
    m_host.dialogs().message(this,
                             QStringLiteral("Não foi possível alterar a integração do Tessim com o "
                                            "desktop.") +
                                 (error.isEmpty() ? QString() : QStringLiteral("\n\n") + error),
                             QStringLiteral("Opções"), MsgIcon::Warning);
}

void frmOpcoes::btnClrzAlterar_Click(int index) {
    if (index < 0 || index > 4) return;
    const QString key = QLatin1String(kColours[index].key);
    int chosen = 0;
    if (!m_host.dialogs().chooseColour(this, QStringLiteral("Cor ao Colorizar"),
                                       ChooserStartColour(ReadSetting(kEditor, key)), &chosen))
        return;
    WriteSetting(kEditor, key, QString::number(chosen));
    ShowSwatch(index);
}

void frmOpcoes::ShowSwatch(int index) {
    const int c = ChooserStartColour(ReadSetting(kEditor, QLatin1String(kColours[index].key)));
    QPalette p = m_swatches[index]->palette();
    p.setColor(QPalette::Window, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    m_swatches[index]->setPalette(p);
}

void frmOpcoes::cmbSelBrowser_Click() {
    int filter = 1;
    const QString chosen = m_host.dialogs().openFile(
        this, QStringLiteral("Selecionar Navegador"), QStringLiteral("/usr/bin"),
        QStringLiteral("Todos os Arquivos (*)"), &filter);
    if (chosen.isEmpty() || chosen.contains(QLatin1Char('?')) || chosen.contains(QLatin1Char('*')))
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    if (!IsRunnableFile(path)) {
        m_host.dialogs().message(
            this, QStringLiteral("O arquivo escolhido não é um programa executável:\n\n") + path,
            QStringLiteral("Selecionar Navegador"), MsgIcon::Warning);
        return;
    }
    txtBrowserPath->setText(path);
}
