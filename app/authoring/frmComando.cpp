#include "frmComando.h"

#include "ChooseColour.h"
#include "CommandFile.h"
#include "Dialogs.h"
#include "IniFiles.h"
#include "Settings.h"
#include "TextCodec.h"
#include "WindowKeys.h"
#include "frmLinkSelect.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <exception>

using namespace corvel;

namespace {

QString ReadListFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return DecodeText(f.readAll()).text;
}

// Widths in a definition file are in twips of the standard dialog font (15
// twips a pixel); with a larger font they grow with it.
int DialogWidth(const QWidget *w, int twips) {
    const int standard = QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont))
                             .averageCharWidth();
    const double scale =
        standard > 0 ? qMax(1.0, double(w->fontMetrics().averageCharWidth()) / standard) : 1.0;
    return qRound(twips / 15 * scale);
}

QPushButton *Button(const QString &caption, const char *name, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

// A button as narrow as its caption allows ("?", "<<").
QPushButton *SmallButton(const QString &caption, const char *name, QWidget *parent) {
    QPushButton *b = Button(caption, name, parent);
    const int side = b->fontMetrics().height() + 12;
    b->setFixedWidth(qMax(side, b->fontMetrics().horizontalAdvance(caption) + 16));
    return b;
}

} // namespace

const QStringList &frmComando::FontNames() {
    static const QStringList names = QFontDatabase::families();
    return names;
}

frmComando::frmComando(const QString &fileName, int helpId, CommandDialogHost host, QWidget *parent)
    : QDialog(parent), m_fileName(fileName), m_host(std::move(host)) {
    setObjectName(QStringLiteral("frmComando"));
    setProperty("Tag", QString::number(helpId));
    m_path = CommandsFolder() + fileName;
    buildForm();
    // Tab walks the parameters; the other keys act when they come up.
    AttachDialogKeys(this,
                     {{Qt::Key_F2, [this] { btnEstilo_Click(); }},
                      {Qt::Key_F3, [this] { btnJavaScript_Click(); }},
                      {Qt::Key_F5, [this] { btnEstiloPronto_Click(); }},
                      {Qt::Key_F11, [this] { btnAtualizar_Click(); }},
                      {Qt::Key_F12, [this] { btnAjuda_Click(); }},
                      {Qt::Key_Escape, [this] { reject(); }}},
                     [this](QKeyEvent *e) { return tabKey(e); });
}

frmComando::~frmComando() = default;

void frmComando::buildForm() {
    // Controls are created in tab order; the layouts only place them.
    const int chars = fontMetrics().averageCharWidth();
    m_pages = new QStackedWidget(this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_pages);

    // Main page.
    auto *main = new QWidget(m_pages);
    lblComando = new QLabel(main);
    lblComando->setObjectName(QStringLiteral("lblComando"));
    QFont bold = lblComando->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lblComando->setFont(bold);
    lblComandoDesc = new QLabel(main);
    lblComandoDesc->setObjectName(QStringLiteral("lblComandoDesc"));
    btnAjudaLocal = SmallButton(QStringLiteral("?"), "btnAjudaLocal", main);
    txtResultado = new QLineEdit(main);
    txtResultado->setObjectName(QStringLiteral("txtResultado"));
    txtResultado->setMinimumWidth(80 * chars);
    btnAtualizar = SmallButton(QStringLiteral("<<"), "btnAtualizar", main);
    lstParametros = new QListWidget(main);
    lstParametros->setObjectName(QStringLiteral("lstParametros"));
    lstParametros->setFixedWidth(20 * chars);
    Frame2 = new QFrame(main);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::StyledPanel);
    lblParam = new QLabel(Frame2);
    lblParam->setObjectName(QStringLiteral("lblParam"));
    QFont pbold = lblParam->font();
    pbold.setBold(true);
    lblParam->setFont(pbold);
    lblParamDesc = new QLabel(Frame2);
    lblParamDesc->setObjectName(QStringLiteral("lblParamDesc"));
    lblParamDesc->setWordWrap(true);
    lblParamDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Two lines of description, so the page keeps its height.
    lblParamDesc->setMinimumHeight(2 * lblParamDesc->fontMetrics().lineSpacing());
    Frame1 = new QFrame(Frame2);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    m_dynLayout = new QGridLayout(Frame1);
    m_dynLayout->setContentsMargins(chars, 0, chars, 0);
    m_dynLayout->setColumnStretch(2, 1);
    m_dynLayout->setRowStretch(2, 1);
    // Room for a title above a list and its button, whichever page shows.
    {
        QComboBox probe;
        QPushButton probeButton(QStringLiteral("X"));
        Frame1->setMinimumHeight(fontMetrics().height() +
                                 qMax(probe.sizeHint().height(), probeButton.sizeHint().height()) +
                                 3 * m_dynLayout->spacing());
    }
    btnConcluir = Button(QStringLiteral("&Concluir"), "btnConcluir", main);
    btnEstilo = Button(QStringLiteral("&Estilo"), "btnEstilo", main);
    btnJavaScript = Button(QStringLiteral("&JavaScript"), "btnJavaScript", main);
    btnAjuda = Button(QStringLiteral("&Ajuda"), "btnAjuda", main);
    {
        auto *frame2 = new QVBoxLayout(Frame2);
        frame2->addWidget(lblParam);
        frame2->addWidget(lblParamDesc);
        frame2->addWidget(Frame1, 1);
        auto *g = new QGridLayout(main);
        g->addWidget(lblComando, 0, 0);
        g->addWidget(btnAjudaLocal, 0, 1);
        g->addWidget(lblComandoDesc, 1, 0, 1, 2);
        g->addWidget(txtResultado, 2, 0);
        g->addWidget(btnAtualizar, 2, 1);
        auto *middle = new QHBoxLayout;
        middle->addWidget(lstParametros);
        middle->addWidget(Frame2, 1);
        g->addLayout(middle, 3, 0, 1, 2);
        g->setRowStretch(3, 1);
        auto *buttons = new QHBoxLayout;
        buttons->addWidget(btnConcluir);
        buttons->addStretch(1);
        buttons->addWidget(btnEstilo);
        buttons->addWidget(btnJavaScript);
        buttons->addWidget(btnAjuda);
        g->addLayout(buttons, 4, 0, 1, 2);
    }
    m_pages->addWidget(main);

    // Style page.
    Frame4 = new QFrame(m_pages);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    auto *estilo = new QLabel(QStringLiteral("Estilo"), Frame4);
    cmbEstilo = new QComboBox(Frame4);
    cmbEstilo->setObjectName(QStringLiteral("cmbEstilo"));
    auto *valor = new QLabel(QStringLiteral("Valor"), Frame4);
    cmbValor = new QComboBox(Frame4);
    cmbValor->setObjectName(QStringLiteral("cmbValor"));
    cmbValor->setEditable(true);
    auto *classe = new QLabel(QStringLiteral("Classe"), Frame4);
    cmbClasse = new QComboBox(Frame4);
    cmbClasse->setObjectName(QStringLiteral("cmbClasse"));
    cmbClasse->setEditable(true);
    btnEstiloPronto = Button(QStringLiteral("&Retornar"), "btnEstiloPronto", Frame4);
    {
        auto *g = new QGridLayout(Frame4);
        g->addWidget(estilo, 0, 0);
        g->addWidget(valor, 0, 1);
        g->addWidget(cmbEstilo, 1, 0);
        g->addWidget(cmbValor, 1, 1);
        g->addWidget(classe, 2, 0);
        g->addWidget(cmbClasse, 3, 0);
        g->setRowStretch(4, 1);
        g->addWidget(btnEstiloPronto, 5, 1, Qt::AlignRight);
        g->setColumnStretch(0, 1);
        g->setColumnStretch(1, 1);
    }
    m_pages->addWidget(Frame4);

    // Event page.
    Frame5 = new QFrame(m_pages);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    auto *evento = new QLabel(QStringLiteral("Evento"), Frame5);
    cmbJSEvento = new QComboBox(Frame5);
    cmbJSEvento->setObjectName(QStringLiteral("cmbJSEvento"));
    auto *acao = new QLabel(QStringLiteral("Ação"), Frame5);
    txtJSAcao = new QLineEdit(Frame5);
    txtJSAcao->setObjectName(QStringLiteral("txtJSAcao"));
    btnJSPronto = Button(QStringLiteral("&Retornar"), "btnJSPronto", Frame5);
    {
        auto *g = new QGridLayout(Frame5);
        g->addWidget(evento, 0, 0);
        g->addWidget(cmbJSEvento, 1, 0);
        g->addWidget(acao, 2, 0);
        g->addWidget(txtJSAcao, 3, 0, 1, 2);
        g->setRowStretch(4, 1);
        g->addWidget(btnJSPronto, 5, 1, Qt::AlignRight);
        g->setColumnStretch(0, 1);
        g->setColumnStretch(1, 1);
    }
    m_pages->addWidget(Frame5);

    connect(btnConcluir, &QPushButton::clicked, this, &frmComando::btnConcluir_Click);
    connect(btnAtualizar, &QPushButton::clicked, this, &frmComando::btnAtualizar_Click);
    connect(btnEstilo, &QPushButton::clicked, this, &frmComando::btnEstilo_Click);
    connect(btnJavaScript, &QPushButton::clicked, this, &frmComando::btnJavaScript_Click);
    connect(btnAjuda, &QPushButton::clicked, this, &frmComando::btnAjuda_Click);
    connect(btnAjudaLocal, &QPushButton::clicked, this, &frmComando::btnAjudaLocal_Click);
    connect(btnEstiloPronto, &QPushButton::clicked, this, &frmComando::btnEstiloPronto_Click);
    connect(btnJSPronto, &QPushButton::clicked, this, &frmComando::btnJSPronto_Click);
    connect(lstParametros, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_switching || row < 0) return;
        const int to = m_pending >= 0 ? m_pending : row;
        m_pending = -1;
        SwitchParameter(m_current, to);
    });
    connect(cmbEstilo, &QComboBox::currentTextChanged, this, [this] { cmbEstilo_Change(); });
    connect(cmbEstilo, &QComboBox::activated, this, [this] { cmbEstilo_Change(); });
    connect(cmbValor, &QComboBox::currentTextChanged, this, [this] { cmbValor_Change(); });
    connect(cmbJSEvento, &QComboBox::currentTextChanged, this, [this] { cmbJSEvento_Change(); });
    connect(cmbJSEvento, &QComboBox::activated, this, [this] { cmbJSEvento_Change(); });
    connect(txtJSAcao, &QLineEdit::textChanged, this, [this] { txtJSAcao_Change(); });
    connect(cmbClasse, &QComboBox::currentTextChanged, this, [this] { BuildResult(); });
    ShowPage(0);
}

QString frmComando::read(const QString &section, const char *key) const {
    if (m_file) return m_file->value(section, QLatin1String(key));
    return ReadIniValue(section, QLatin1String(key), m_path);
}

void frmComando::fail(const QString &title, const QString &text) {
    m_failed = true;
    Message(this, text, title, MsgIcon::Critical);
    reject();
}

bool frmComando::Form_Load() {
    try {
        if (!m_host.currentEditor || !m_host.currentEditor()) {
            m_failed = true;
            reject();
            return false;
        }
        const QString folder = CommandsFolder();
        if (!QFileInfo(m_path).isFile()) {
            fail(QStringLiteral("Inexistente"), MissingDefinitionText(m_fileName));
            return false;
        }
        if (!QFileInfo(folder + QStringLiteral("CSS.dat")).isFile()) {
            fail(QStringLiteral("Inexistente"), MissingCssText());
            return false;
        }
        if (!QFileInfo(folder + QStringLiteral("JS.dat")).isFile()) {
            fail(QStringLiteral("Inexistente"), MissingJsText());
            return false;
        }
        m_file.emplace(m_path);
        const QStringList names = m_file->parameterNames();
        QString fault;
        try {
            fault = ValidateCommandFile(*m_file, names);
        } catch (const std::exception &) {
            fail(QStringLiteral("Erro de Validação"),
                 CommandFormErrorText(QStringLiteral("validar")));
            return false;
        }
        if (!fault.isEmpty()) {
            fail(QStringLiteral("Erro de Script"), ValidationFaultText(m_fileName, fault));
            return false;
        }
        m_switching = true;
        for (const QString &n : names) {
            lstParametros->addItem(n);
            m_params.append({n, QString()});
        }
        m_switching = false;
        const QString section = QStringLiteral("Comando");
        m_comando = read(section, "Comando");
        m_block = read(section, "Bloco").compare(QLatin1String("SIM"), Qt::CaseInsensitive) == 0;
        lblComando->setText(m_comando);
        lblComandoDesc->setText(read(section, "Descricao"));
        setWindowTitle(read(section, "Titulo"));
        txtResultado->setText(
            QLatin1Char('<') + m_comando + QLatin1Char('>') +
            (m_block ? QStringLiteral("</") + m_comando + QLatin1Char('>') : QString()));

        m_styles = ParseStyleList(ReadListFile(folder + QStringLiteral("CSS.dat")));
        m_events = ParseEventList(ReadListFile(folder + QStringLiteral("JS.dat")));
        {
            const QSignalBlocker b1(cmbEstilo), b2(cmbJSEvento);
            for (const StyleProperty &s : m_styles)
                cmbEstilo->addItem(s.name);
            for (const ScriptEvent &e : m_events)
                cmbJSEvento->addItem(e.name);
            cmbEstilo->setCurrentIndex(-1);
            cmbJSEvento->setCurrentIndex(-1);
        }
        const QString project = m_host.projectFile ? m_host.projectFile() : QString();
        if (!project.isEmpty()) {
            const QString classes =
                ReadIniValue(QStringLiteral("Projeto"), QStringLiteral("Classes"), project);
            const QSignalBlocker b(cmbClasse);
            if (!classes.isEmpty()) cmbClasse->addItems(classes.split(QLatin1Char(',')));
            cmbClasse->setCurrentIndex(-1);
        }
        m_current = 0;
        m_pending = -1;
        return true;
    } catch (const std::exception &) {
        fail(QStringLiteral("Erro de Inicialização"),
             CommandFormErrorText(QStringLiteral("inicializar")));
        return false;
    }
}

void frmComando::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // The first parameter's page is built while the window is being shown;
    // events are not pumped meanwhile, or the window system's report of the
    // window's first, provisional size would overtake the size the layout
    // gave it and leave the dialog a small empty box.
    m_showing = true;
    Form_Activate();
    m_showing = false;
}

void frmComando::Form_Activate() {
    if (m_activated || m_failed) return;
    m_activated = true;
    if (lstParametros->count() > 0) {
        if (lstParametros->currentRow() == 0)
            SwitchParameter(0, 0);
        else
            lstParametros->setCurrentRow(0);
    }
}

int frmComando::CurrentPage() const {
    return m_pages->currentIndex();
}

bool frmComando::SetParameterValue(const QString &name, const QString &value) {
    for (CommandParameter &p : m_params) {
        if (p.name == name) {
            p.value = value;
            return true;
        }
    }
    return false;
}

QString frmComando::ParameterValue(const QString &name) const {
    for (const CommandParameter &p : m_params)
        if (p.name == name) return p.value;
    return QString();
}

QString frmComando::DocumentFile() const {
    ICorvelEdit *ed = m_host.currentEditor ? m_host.currentEditor() : nullptr;
    return ed ? ed->Arquivo() : QString();
}

QString frmComando::ProjectFile() const {
    return m_host.projectFile ? m_host.projectFile() : QString();
}

void frmComando::clearFrame1() {
    const auto children = Frame1->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *w : children) {
        m_dynLayout->removeWidget(w);
        w->hide();
        w->deleteLater();
    }
    m_dynText = nullptr;
    m_dynSelect = nullptr;
    m_dynCheck = nullptr;
    m_dynButton = nullptr;
}

void frmComando::SwitchParameter(int from, int to) {
    try {
        // The value of the parameter whose page is shown.
        QListWidgetItem *item = lstParametros->item(from);
        if (item) {
            for (int i = 0; i < m_params.size(); ++i) {
                if (m_params[i].name != item->text()) continue;
                if (m_dynText) {
                    m_params[i].value = m_dynText->text().trimmed();
                    m_visited.insert(i);
                } else if (m_dynSelect) {
                    m_params[i].value = m_dynSelect->currentText().trimmed();
                    m_visited.insert(i);
                } else if (m_dynCheck) {
                    m_params[i].value =
                        m_dynCheck->isChecked() ? QLatin1String(kFlagValue) : QString();
                    m_visited.insert(i);
                }
                break;
            }
        }
        BuildResult();
        if (to == -1) return;
        if (to < 0 || to >= lstParametros->count()) return;
        clearFrame1();
        const QString section = lstParametros->item(to)->text();
        lblParam->setText(section);
        lblParamDesc->setText(read(section, "Descricao"));
        m_current = to;
        if (lstParametros->currentRow() != to) {
            m_switching = true;
            lstParametros->setCurrentRow(to);
            m_switching = false;
        }
        BuildParameterPage(section);
        if (!m_showing) QCoreApplication::processEvents();
        if (m_dynSelect)
            m_dynSelect->setFocus();
        else if (m_dynText)
            m_dynText->setFocus();
        else if (m_dynCheck)
            m_dynCheck->setFocus();
    } catch (const std::exception &) {
        fail(QStringLiteral("Erro de Atualização"),
             CommandFormErrorText(QStringLiteral("atualizar")));
    }
}

void frmComando::BuildParameterPage(const QString &section) {
    try {
        const QString titulo = read(section, "Titulo");
        if (!titulo.isEmpty()) {
            auto *l = new QLabel(titulo.left(50), Frame1);
            l->setObjectName(QString::number(++m_counter) + QStringLiteral("DynLabel"));
            m_dynLayout->addWidget(l, 0, 0, 1, 3);
            l->show();
        }
        ParamButton button;
        if (ParseParamButton(read(section, "Botao"), &button)) {
            auto *b = new QPushButton(button.caption, Frame1);
            b->setObjectName(QString::number(++m_counter) + QStringLiteral("DynButton"));
            b->setMinimumWidth(DialogWidth(this, button.width * 80));
            m_dynLayout->addWidget(b, 1, 1);
            b->setProperty("Tag", button.action);
            b->setProperty("HelpContextID", 1014);
            b->setFocusPolicy(Qt::ClickFocus);
            b->setAutoDefault(false);
            const QString action = button.action;
            connect(b, &QPushButton::clicked, this, [this, action] { DynButton_Click(action); });
            b->show();
            m_dynButton = b;
        }
        // The editing control, left of the button.
        const int width = DialogWidth(this, int(SettingNumber(read(section, "Tamanho"))) * 80);
        switch (ParamKindOf(read(section, "Tipo"))) {
        case ParamKind::Text: {
            auto *t = new QLineEdit(Frame1);
            t->setObjectName(QString::number(++m_counter) + QStringLiteral("DynText"));
            t->setFixedWidth(width);
            m_dynLayout->addWidget(t, 1, 0);
            t->setMaxLength(ParamMaxLength(read(section, "Maximo")));
            t->setText(read(section, "Texto"));
            t->setProperty("HelpContextID", 1013);
            t->show();
            m_dynText = t;
            break;
        }
        case ParamKind::Select: {
            auto *c = new QComboBox(Frame1);
            c->setObjectName(QString::number(++m_counter) + QStringLiteral("DynSelect"));
            c->setEditable(true);
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setFixedWidth(width);
            m_dynLayout->addWidget(c, 1, 0);
            c->addItems(ListItems(read(section, "Valores"), FontNames()));
            c->setCurrentIndex(-1);
            c->setEditText(QString());
            c->setProperty("HelpContextID", 1015);
            c->show();
            m_dynSelect = c;
            break;
        }
        case ParamKind::Check: {
            auto *c = new QCheckBox(read(section, "Texto"), Frame1);
            c->setObjectName(QString::number(++m_counter) + QStringLiteral("DynCheck"));
            c->setMinimumWidth(width);
            m_dynLayout->addWidget(c, 1, 0);
            c->setChecked(IsYes(read(section, "Checado")));
            c->setProperty("HelpContextID", 1016);
            c->show();
            m_dynCheck = c;
            break;
        }
        case ParamKind::Invalid:
            break;
        }
        // The value stored when the page was left before.
        int index = -1;
        for (int i = 0; i < m_params.size(); ++i)
            if (m_params[i].name == section) index = i;
        if (index >= 0) {
            const QString value = m_params[index].value;
            if (m_dynText && !value.isEmpty()) {
                m_dynText->setText(value);
                m_dynText->selectAll();
            } else if (m_dynSelect && !value.isEmpty()) {
                m_dynSelect->setEditText(value);
                m_dynSelect->lineEdit()->selectAll();
            } else if (m_dynCheck && m_visited.contains(index)) {
                // A box the user cleared stays clear when the page returns.
                m_dynCheck->setChecked(value == QLatin1String(kFlagValue));
            }
        }
    } catch (const std::exception &) {
        fail(QStringLiteral("Erro de Processamento"),
             CommandFormErrorText(QStringLiteral("processar")));
    }
}

void frmComando::BuildResult() {
    txtResultado->setText(
        corvel::BuildResult(m_comando, m_params, cmbClasse->currentText(), m_styles, m_events));
}

void frmComando::ShowPage(int page) {
    m_pages->setCurrentIndex(page);
    btnConcluir->setDefault(page == 0);
    btnEstiloPronto->setDefault(page == 1);
    btnJSPronto->setDefault(page == 2);
    if (page == 0)
        lstParametros->setFocus();
    else if (page == 1)
        cmbEstilo->setFocus();
    else if (page == 2)
        cmbJSEvento->setFocus();
}

void frmComando::btnAtualizar_Click() {
    SwitchParameter(m_current, -1);
}

void frmComando::btnEstilo_Click() {
    SwitchParameter(m_current, -1);
    ShowPage(1);
}

void frmComando::btnJavaScript_Click() {
    SwitchParameter(m_current, -1);
    ShowPage(2);
}

void frmComando::btnEstiloPronto_Click() {
    ShowPage(0);
    BuildResult();
}

void frmComando::btnJSPronto_Click() {
    ShowPage(0);
    BuildResult();
}

// The element's page (its number is the dialog's Tag), or the page about
// this dialog itself.
void frmComando::btnAjuda_Click() {
    if (m_host.help) m_host.help(property("Tag").toString().toInt());
}
void frmComando::btnAjudaLocal_Click() {
    if (m_host.help) m_host.help(2);
}

void frmComando::cmbEstilo_Change() {
    {
        const QSignalBlocker b(cmbValor);
        cmbValor->clear();
    }
    BuildResult();
    const QString name = cmbEstilo->currentText();
    m_currentStyle = -1;
    for (int i = 0; i < m_styles.size(); ++i) {
        if (m_styles[i].name != name) continue;
        const QSignalBlocker b(cmbValor);
        cmbValor->addItems(StyleValueItems(m_styles[i].values, FontNames()));
        m_currentStyle = i;
        cmbValor->setCurrentIndex(-1);
        cmbValor->setEditText(m_styles[i].chosen);
        break;
    }
}

void frmComando::cmbValor_Change() {
    if (cmbEstilo->currentText().isEmpty()) return;
    if (m_currentStyle < 0 || m_currentStyle >= m_styles.size()) return;
    m_styles[m_currentStyle].chosen = cmbValor->currentText();
}

void frmComando::cmbJSEvento_Change() {
    BuildResult();
    const QString name = cmbJSEvento->currentText();
    m_currentEvent = -1;
    for (int i = 0; i < m_events.size(); ++i) {
        if (m_events[i].name != name) continue;
        m_currentEvent = i;
        const QSignalBlocker b(txtJSAcao);
        txtJSAcao->setText(m_events[i].action);
        break;
    }
}

void frmComando::txtJSAcao_Change() {
    if (cmbJSEvento->currentText().isEmpty()) return;
    if (m_currentEvent < 0 || m_currentEvent >= m_events.size()) return;
    m_events[m_currentEvent].action = txtJSAcao->text();
}

void frmComando::putChoice(const QString &text) {
    if (m_dynText) {
        m_dynText->setText(text);
        m_dynText->setFocus();
    } else if (m_dynSelect) {
        m_dynSelect->setEditText(text);
        m_dynSelect->setFocus();
    }
}

void frmComando::DynButton_Click(const QString &action) {
    const QString a = action.toLower();
    if (a == QLatin1String("fontselect")) {
        QFont initial;
        const QString current =
            m_dynText ? m_dynText->text() : (m_dynSelect ? m_dynSelect->currentText() : QString());
        if (!current.trimmed().isEmpty()) initial.setFamily(current.trimmed());
        QFont chosen;
        if (Dialogs().chooseFont(this, QStringLiteral("Selecionar Fonte"), initial, &chosen))
            putChoice(chosen.family());
    } else if (a == QLatin1String("colorselect")) {
        const QString colour =
            ChooseColour(QLatin1Char('*') + ReadSetting(QStringLiteral("Configuracao"),
                                                        QStringLiteral("EscolheCor")),
                         this, QStringLiteral("Selecionar Cor"));
        if (colour != QLatin1String("Cancel")) putChoice(colour);
    } else if (a == QLatin1String("linkselect") || a == QLatin1String("imagemselect")) {
        const bool image = a == QLatin1String("imagemselect");
        if (m_host.linkDialog) {
            m_host.linkDialog(*this, image);
        } else {
            frmLinkSelect link(this, image ? QStringLiteral("Img") : QString());
            link.Form_Load();
            link.exec();
        }
        if (!RetornoForm.isEmpty()) {
            putChoice(RetornoForm);
            RetornoForm.clear();
        } else if (m_dynText) {
            m_dynText->setFocus();
        } else if (m_dynSelect) {
            m_dynSelect->setFocus();
        }
    } else {
        Message(this, action, QStringLiteral("Informação"), MsgIcon::Information);
    }
}

void frmComando::btnConcluir_Click() {
    SwitchParameter(m_current, -1);
    const QString result = txtResultado->text().trimmed();
    if ((m_comando == QLatin1String("TR") || m_comando == QLatin1String("TABLE") ||
         m_comando == QLatin1String("TD")) &&
        m_host.tableWizard && m_host.tableWizard(m_comando, result)) {
        accept();
        return;
    }
    ICorvelEdit *ed = m_host.currentEditor ? m_host.currentEditor() : nullptr;
    QString linkText;
    // The link text is written only where a closing tag is.
    if (m_block && ed && m_comando == QLatin1String("A") && ed->SelTamanho() == 0)
        linkText = LinkTextOf(result);
    corvel::TagInsert tag;
    tag.openText = result;
    tag.closeText =
        m_block ? linkText + QStringLiteral("</") + m_comando + QLatin1Char('>') : QString();
    tag.caretBack = m_block ? int(m_comando.size()) + 3 : 0;
    tag.separateLines = IsYes(read(QStringLiteral("Comando"), "PulaLinha"));
    tag.innerLine = IsYes(read(QStringLiteral("Comando"), "EspacoLinha"));
    if (m_host.insertTag) {
        m_host.insertTag(tag);
        m_inserted = true;
    }
    if (!linkText.isEmpty() && ed) {
        const int len = int(linkText.size());
        ed->setSelInicio(qMax(0, ed->SelInicio() - len));
        ed->setSelTamanho(len);
    }
    accept();
}

void frmComando::selectParameter(int index) {
    m_pending = index;
    if (lstParametros->currentRow() == index) {
        m_pending = -1;
        return;
    }
    lstParametros->setCurrentRow(index);
    m_pending = -1;
}

bool frmComando::tabKey(QKeyEvent *key) {
    if ((key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) ||
        !lstParametros->isVisible())
        return false;
    const int n = lstParametros->count();
    if (n > 0) {
        const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        int next = m_current + (back ? -1 : 1);
        if (next >= n) next = 0;
        if (next < 0) next = n - 1;
        selectParameter(next);
    }
    return true;
}
