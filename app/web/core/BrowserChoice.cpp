#include "BrowserChoice.h"

#include "Settings.h"

namespace corvel {

namespace {
const QString kConfig = QStringLiteral("Configuracao");
}

BrowserChoice ChooseBrowser(const QString &browserPadrao, const QString &corvelBrowser) {
    const bool padrao = browserPadrao == QLatin1String("1");
    const bool corvel = corvelBrowser == QLatin1String("1");
    const bool padraoOff = browserPadrao == QLatin1String("0");
    const bool corvelOff = corvelBrowser == QLatin1String("0");
    if (padraoOff && corvelOff) return {PreviewBrowser::Specific, false};
    if (padrao && corvelOff) return {PreviewBrowser::Default, false};
    if (padraoOff && corvel) return {PreviewBrowser::Internal, false};
    return {PreviewBrowser::Default, true};
}

PreviewBrowser PreviewBrowserSetting() {
    const BrowserChoice c = ChooseBrowser(ReadSetting(kConfig, QStringLiteral("BrowserPadrao")),
                                          ReadSetting(kConfig, QStringLiteral("CorvelBrowser")));
    if (c.repaired) {
        WriteSetting(kConfig, QStringLiteral("CorvelBrowser"), QStringLiteral("0"));
        WriteSetting(kConfig, QStringLiteral("BrowserPadrao"), QStringLiteral("1"));
        WriteSetting(kConfig, QStringLiteral("Browser"), QString());
    }
    return c.browser;
}

void UseDefaultBrowserForGood() {
    WriteSetting(kConfig, QStringLiteral("CorvelBrowser"), QStringLiteral("0"));
    WriteSetting(kConfig, QStringLiteral("BrowserPadrao"), QStringLiteral("1"));
}

} // namespace corvel
