#include "frmProcurar.h"

#include "BoundedRegex.h"
#include "Dialogs.h"
#include "FindOptions.h"
#include "SearchHistory.h"
#include "WindowKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace corvel {

namespace {} // namespace

void ReplaceAllOccurrences(ICorvelEdit *ed, const QString &text, const QString &replacement,
                           bool matchCase, bool wholeWord, bool wrap) {
    if (!ed || text.isEmpty()) return;
    // With wrap, one pass from the start of the text covers the occurrences
    // after the caret and those before it. A pass from the caret followed by
    // another from the start would search the first pass's insertions again
    // and replace them a second time whenever the replacement contains the
    // search text ("a" by "ab" would give "abb").
    if (wrap) {
        ed->setSelInicio(0);
        ed->setSelTamanho(0);
    }
    ed->IniciarEdicao();
    ed->SubstituirTodos(text, replacement, matchCase, wholeWord);
    ed->TerminarEdicao();
}

} // namespace corvel

using namespace corvel;

namespace {
const QString kSens = QStringLiteral("ProcSens");
const QString kInteiras = QStringLiteral("ProcInteiras");
const QString kInicio = QStringLiteral("ProcInicio");
const QString kMover = QStringLiteral("ProcMover");

QComboBox *NewCombo(QWidget *parent, const char *name) {
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // What is typed is what is searched: no completion from the list.
    c->setCompleter(nullptr);
    c->setMaxVisibleItems(15);
    c->setMinimumContentsLength(30);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return c;
}

QPushButton *NewButton(QWidget *parent, const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QCheckBox *NewCheck(QWidget *parent, const char *name, const QString &caption, const QString &key) {
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    QObject::connect(c, &QCheckBox::clicked, c, [key](bool on) { WriteFindOption(key, on); });
    return c;
}
} // namespace

frmProcurar::frmProcurar(ICorvelEdit *editor, QWidget *parent, std::function<void()> beep)
    : QDialog(parent), m_editor(editor), m_editorWidget(editor ? editor->widget() : nullptr),
      m_beep(std::move(beep)) {
    setObjectName(QStringLiteral("frmProcurar"));
    setWindowTitle(QStringLiteral("Procurar e Substituir"));
    setModal(true);

    cmbProcurar = NewCombo(this, "cmbProcurar");
    cmbSubstituir = NewCombo(this, "cmbSubstituir");
    auto *lblProcurar = new QLabel(QStringLiteral("Procurar por"), this);
    lblProcurar->setObjectName(QStringLiteral("lblProcurar"));
    auto *lblSubstituir = new QLabel(QStringLiteral("Substituir por"), this);
    lblSubstituir->setObjectName(QStringLiteral("lblSubstituir"));

    btnProcurar = NewButton(this, "btnProcurar", QStringLiteral("&Procurar"));
    btnRegExp = NewButton(this, "btnRegExp", QStringLiteral("Procura &RegExp"));
    btnSubstituir = NewButton(this, "btnSubstituir", QStringLiteral("&Substituir"));
    btnSubsTodos = NewButton(this, "btnSubsTodos", QStringLiteral("Substituir &Todos"));
    // Enter in the search box finds.
    btnProcurar->setDefault(true);

    chkCasoSensitivo = NewCheck(this, "chkCasoSensitivo", QStringLiteral("&Caso sensitivo"), kSens);
    chkInteiras = NewCheck(this, "chkInteiras", QStringLiteral("Palavras &inteiras"), kInteiras);
    chkInicio = NewCheck(this, "chkInicio", QStringLiteral("Procurar desde o início do &documento"),
                         kInicio);
    chkMover = NewCheck(this, "chkMover", QStringLiteral("Mover esta &janela para o topo da tela"),
                        kMover);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblProcurar, 0, 0);
    grid->addWidget(cmbProcurar, 1, 0);
    grid->addWidget(lblSubstituir, 2, 0);
    grid->addWidget(cmbSubstituir, 3, 0);
    grid->addWidget(chkCasoSensitivo, 4, 0);
    grid->addWidget(chkInteiras, 5, 0);
    grid->addWidget(chkInicio, 6, 0);
    grid->addWidget(chkMover, 7, 0);
    grid->addWidget(btnProcurar, 1, 1);
    grid->addWidget(btnRegExp, 2, 1);
    grid->addWidget(btnSubstituir, 3, 1);
    grid->addWidget(btnSubsTodos, 4, 1);
    grid->setRowStretch(8, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnProcurar, &QPushButton::clicked, this, &frmProcurar::btnProcurar_Click);
    connect(btnRegExp, &QPushButton::clicked, this, &frmProcurar::btnRegExp_Click);
    connect(btnSubstituir, &QPushButton::clicked, this, &frmProcurar::btnSubstituir_Click);
    connect(btnSubsTodos, &QPushButton::clicked, this, &frmProcurar::btnSubsTodos_Click);
    // Any change of the search text, typed or set, empties the replacement;
    // choosing an item from the list then brings its stored one back.
    connect(cmbProcurar, &QComboBox::editTextChanged, this, [this] { cmbProcurar_Change(); });
    connect(cmbProcurar, qOverload<int>(&QComboBox::activated), this,
            [this] { cmbProcurar_Click(); });

    // Escape is acted on when released, wherever the focus is in the dialog.
    AttachDialogKeys(this, {{Qt::Key_Escape, [this] { reject(); }}});
}

frmProcurar::~frmProcurar() = default;

ICorvelEdit *frmProcurar::Editor() const {
    return m_editorWidget ? m_editor : nullptr;
}

QString frmProcurar::S() const {
    return cmbProcurar->currentText();
}

QString frmProcurar::R() const {
    return cmbSubstituir->currentText();
}

void frmProcurar::SetR(const QString &text) {
    cmbSubstituir->setEditText(text);
}

bool frmProcurar::Form_Load() {
    ICorvelEdit *ed = Editor();
    if (!ed) {
        close();
        return false;
    }
    chkCasoSensitivo->setChecked(ReadFindOption(kSens));
    chkInteiras->setChecked(ReadFindOption(kInteiras));
    chkInicio->setChecked(ReadFindOption(kInicio));
    chkMover->setChecked(ReadFindOption(kMover));
    ed->setSelTamanho(0);
    LoadSearchHistory();
    cmbProcurar->setEditText(LastSearchText());
    cmbProcurar_Change(); // the text may not have changed; the box empties anyway
    cmbProcurar_Click();
    return true;
}

void frmProcurar::LoadSearchHistory() {
    const QString s = S(), r = R();
    const SearchHistoryLists lists = SearchHistoryItems(ReadSearchHistory());
    cmbProcurar->clear();
    cmbSubstituir->clear();
    cmbProcurar->addItems(lists.searches);
    cmbSubstituir->addItems(lists.replacements);
    cmbProcurar->setCurrentIndex(-1);
    cmbSubstituir->setCurrentIndex(-1);
    cmbProcurar->setEditText(s);
    cmbSubstituir->setEditText(r);
}

void frmProcurar::AddSearchHistory() {
    corvel::AddSearchHistory(S(), R());
    LoadSearchHistory();
}

void frmProcurar::cmbProcurar_Change() {
    SetR(QString());
}

void frmProcurar::cmbProcurar_Click() {
    QString r;
    if (StoredReplacementFor(ReadSearchHistory(), S(), &r)) SetR(r);
}

void frmProcurar::PlaceDialog() {
    if (!chkMover->isChecked()) return;
    QScreen *scr = screen();
    if (!scr) return;
    const QRect g = scr->geometry();
    const QPoint target(g.x() + g.width() - frameGeometry().width(), g.y());
    if (pos() == target) return;
    move(target);
    QCoreApplication::processEvents();
}

void frmProcurar::CaretToStart(ICorvelEdit *ed) const {
    ed->setSelInicio(0);
    ed->setSelTamanho(0);
}

bool frmProcurar::SameTexts() {
    if (S() != R()) return false;
    Message(this, QStringLiteral("Os textos para substituição são idênticos."),
            QStringLiteral("Iguais"), MsgIcon::Critical, MsgButtons::Ok);
    return true;
}

void frmProcurar::btnProcurar_Click() {
    ICorvelEdit *ed = Editor();
    const QString s = S();
    if (!ed || s.isEmpty()) return;
    AddSearchHistory();
    SetLastSearchText(s);
    m_regexMatch = RegexMatch();
    const bool sens = chkCasoSensitivo->isChecked(), words = chkInteiras->isChecked();
    if (!ed->Procurar(s, sens, words)) {
        if (chkInicio->isChecked()) {
            CaretToStart(ed);
            if (!ed->Procurar(s, sens, words)) Beep();
        } else {
            Beep();
        }
    }
    PlaceDialog();
}

void frmProcurar::btnRegExp_Click() {
    ICorvelEdit *ed = Editor();
    const QString s = S();
    if (!ed || s.isEmpty()) return;
    AddSearchHistory();
    // Only a match this search selects counts for Replace: a failed search
    // leaves the earlier selection, which is no match of the expression.
    m_regexMatch = RegexMatch();
    const bool ignoreCase = !chkCasoSensitivo->isChecked();
    bool found = ed->ProcurarRegExp(s, ignoreCase);
    if (!found) {
        // An invalid pattern is no "not found": say what is wrong and where,
        // and do not retry from the start.
        if (RegExpFailed(ed)) return;
        if (chkInicio->isChecked()) {
            const int selStart = ed->SelInicio(), selLength = ed->SelTamanho();
            CaretToStart(ed);
            found = ed->ProcurarRegExp(s, ignoreCase);
            if (!found && !ed->UltimoErro().isEmpty()) {
                // Stopped at the work limit: the selection stays where it was.
                ed->setSelInicio(selStart);
                ed->setSelTamanho(selLength);
                RegExpFailed(ed);
                return;
            }
            if (!found) Beep();
        } else {
            Beep();
        }
    }
    if (found && ed->SelTamanho() > 0) m_regexMatch = RegexMatch{ed->SelInicio(), ed->SelTexto()};
    PlaceDialog();
}

bool frmProcurar::RegExpFailed(ICorvelEdit *ed) {
    const QString error = ed->UltimoErro();
    if (error.isEmpty()) return false;
    Beep();
    if (error == RegexTooComplexText())
        Message(this, error, QStringLiteral("Expressão Complexa"), MsgIcon::Warning,
                MsgButtons::Ok);
    else
        Message(this,
                QStringLiteral("A expressão procurada não é uma expressão regular válida.") +
                    QStringLiteral("\r\n\r\n") + error,
                QStringLiteral("Expressão Inválida"), MsgIcon::Warning, MsgButtons::Ok);
    return true;
}

bool frmProcurar::SelectionIsRegexMatch(ICorvelEdit *ed) const {
    return m_regexMatch.start >= 0 && ed->SelInicio() == m_regexMatch.start &&
           ed->SelTexto() == m_regexMatch.text;
}

void frmProcurar::btnSubstituir_Click() {
    ICorvelEdit *ed = Editor();
    const QString s = S(), r = R();
    if (!ed || s.isEmpty()) return;
    if (SameTexts()) return;
    AddSearchHistory();
    PlaceDialog();
    const bool sens = chkCasoSensitivo->isChecked(), words = chkInteiras->isChecked();
    // Only an occurrence of the search text, or the match the last regular-
    // expression search selected, is replaced: a selection left by an earlier
    // search for another text is searched past, not overwritten.
    if (ed->SelTamanho() > 0 &&
        ed->SelTexto().compare(s, sens ? Qt::CaseSensitive : Qt::CaseInsensitive) != 0 &&
        !SelectionIsRegexMatch(ed))
        ed->setSelTamanho(0);
    m_regexMatch = RegexMatch();
    if (!ed->Substituir(s, r, sens, words)) {
        if (chkInicio->isChecked()) {
            CaretToStart(ed);
            if (!ed->Substituir(s, r, sens, words)) Beep();
        } else {
            Beep();
        }
    }
}

void frmProcurar::btnSubsTodos_Click() {
    ICorvelEdit *ed = Editor();
    const QString s = S(), r = R();
    if (!ed || s.isEmpty()) return;
    if (SameTexts()) return;
    AddSearchHistory();
    const MsgAnswer a = Message(
        this,
        QStringLiteral("Múltiplas alterações no documento não podem ser desfeitas com a opção "
                       "Editar/Desfazer (Ctrl+Z). Confirma a substituição global?"),
        QStringLiteral("Sem Desfazer"), MsgIcon::Warning, MsgButtons::YesNo, MsgAnswer::No);
    if (a != MsgAnswer::Yes) return;
    ReplaceAllOccurrences(ed, s, r, chkCasoSensitivo->isChecked(), chkInteiras->isChecked(),
                          chkInicio->isChecked());
}

void frmProcurar::Beep() const {
    if (m_beep)
        m_beep();
    else
        QApplication::beep();
}
