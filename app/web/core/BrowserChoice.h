#pragma once
// Which browser shows a preview, from the settings "BrowserPadrao" and
// "CorvelBrowser" (section "Configuracao"):
//   "0" "0"  the browser program named in "Browser"
//   "1" "0"  the desktop's default browser
//   "0" "1"  the internal browser
// Any other pair is repaired to the default browser.
#include <QString>

namespace corvel {

enum class PreviewBrowser { Specific, Default, Internal };

struct BrowserChoice {
    PreviewBrowser browser = PreviewBrowser::Default;
    bool repaired = false; // the pair was none of the three
};

BrowserChoice ChooseBrowser(const QString &browserPadrao, const QString &corvelBrowser);

// Reads the pair; a pair that was repaired is written back as the default
// browser ("CorvelBrowser" "0", "BrowserPadrao" "1") and "Browser" emptied.
PreviewBrowser PreviewBrowserSetting();

// Makes the default browser the choice for good (after the internal browser
// could not start).
void UseDefaultBrowserForGood();

} // namespace corvel
