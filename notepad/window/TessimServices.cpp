#include "TessimServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QUrl>

namespace tessim {

namespace {

class DesktopServices : public ITessimServices {
public:
    void beep() override { QApplication::beep(); }
    bool openUrl(const QUrl &url) override { return QDesktopServices::openUrl(url); }
    bool startProgram(const QString &program, const QStringList &arguments) override {
        return QProcess::startDetached(program, arguments);
    }
    QString print(const QStringList &lines, const QFont &font) override {
        if (QPrinterInfo::defaultPrinter().isNull())
            return QStringLiteral("Nenhuma impressora padrão está configurada.");
        QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Tessim"));
        QPainter painter;
        if (!painter.begin(&printer))
            return QStringLiteral("A impressora não aceitou o documento.");
        painter.setFont(QFont(font, &printer));
        const QFontMetrics metrics = painter.fontMetrics();
        const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
        int y = metrics.ascent();
        for (const QString &line : lines) {
            if (y + metrics.descent() > pageHeight) {
                if (!printer.newPage()) {
                    painter.end();
                    return QStringLiteral("A impressora recusou uma nova página.");
                }
                y = metrics.ascent();
            }
            painter.drawText(0, y, line);
            y += metrics.lineSpacing();
        }
        if (!painter.end()) return QStringLiteral("A impressão não pôde ser concluída.");
        return QString();
    }
};

ITessimServices *&Installed() {
    static ITessimServices *s = nullptr;
    return s;
}

} // namespace

ITessimServices &Services() {
    static DesktopServices desktop;
    return Installed() ? *Installed() : desktop;
}

void SetServices(ITessimServices *s) {
    Installed() = s;
}

} // namespace tessim
