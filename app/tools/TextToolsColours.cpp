#include "ChooseColour.h"
#include "Colours.h"
#include "Dialogs.h"
#include "Settings.h"
#include "TextTools.h"
#include "frmMain.h"

#include <QFont>

namespace corvel::texttools {

namespace {

// Applies format to the selection, or to the whole text (caret kept) when
// nothing is selected. The display changes; the document's text does not.
void ApplyToSelectionOrAll(ICorvelEdit *ed, const std::function<void()> &format) {
    if (ed->SelTamanho() > 0) {
        format();
        return;
    }
    const int caret = ed->SelInicio();
    ed->setSelInicio(0);
    ed->setSelTamanho(int(ed->Texto().size()));
    format();
    ed->setSelInicio(caret);
    ed->setSelTamanho(0);
}

void WriteColour(frmMain &m) {
    if (!m.CurrentEditor()) return;
    const QString colour =
        ChooseColour(QLatin1Char('*') +
                         ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("EscolheCor")),
                     &m);
    if (colour != QLatin1String("Cancel")) InsertAtCaret(m, colour);
    m.ShowStatusMessage(QStringLiteral("Escreve Cor"));
}

void TextColour(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    int chosen = 0;
    if (!Dialogs().chooseColour(&m, QStringLiteral("Cor da Fonte"), ed->SelCorTexto(), &chosen))
        return;
    ApplyToSelectionOrAll(ed, [ed, chosen] { ed->setSelCorTexto(chosen); });
}

void WhichColour(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    const int c = ed->SelCorTexto();
    const QString text = QStringLiteral("A cor do texto corrente é (RGB):\n\n") +
                         QStringLiteral("Red: \t") + QString::number(c % 256) +
                         QStringLiteral("\nGreen: \t") + QString::number(c % 65536 / 256) +
                         QStringLiteral("\nBlue: \t") + QString::number(c / 65536) +
                         QStringLiteral("\n\nCor de código HTML: #") + ColourToHtml(c);
    Message(&m, text, QStringLiteral("Qual a Cor"), MsgIcon::Information);
}

void TextFont(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    const QString section = QStringLiteral("Editor");
    QFont initial(ReadSetting(section, QStringLiteral("Fonte")));
    const int size = int(SettingNumber(ReadSetting(section, QStringLiteral("Tamanho"))));
    if (size > 0) initial.setPointSize(size);
    initial.setItalic(ReadSetting(section, QStringLiteral("Italico")) == QLatin1String("True"));
    initial.setBold(ReadSetting(section, QStringLiteral("Negrito")) == QLatin1String("True"));
    QFont chosen;
    if (!Dialogs().chooseFont(&m, QStringLiteral("Fonte do Texto"), initial, &chosen)) return;
    ApplyToSelectionOrAll(ed, [ed, chosen] {
        ed->setSelFonteNome(chosen.family());
        if (chosen.pointSize() > 0) ed->setSelFonteTamanho(chosen.pointSize());
        ed->setSelItalico(chosen.italic());
        ed->setSelNegrito(chosen.bold());
    });
}

} // namespace

void RegisterColourCommands(frmMain &m) {
    m.SetHandler(corvel::cmd::FerramentasEscrCor, [&m] { WriteColour(m); });
    m.SetHandler(corvel::cmd::CorFonteCor, [&m] { TextColour(m); });
    m.SetHandler(corvel::cmd::CorFonteQual, [&m] { WhichColour(m); });
    m.SetHandler(corvel::cmd::CorFonteFonte, [&m] { TextFont(m); });
}

} // namespace corvel::texttools
