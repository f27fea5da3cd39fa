// Tessim: the companion notepad.
#include "Startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessim"));
    QLocale::setDefault(QLocale(QStringLiteral("pt_BR")));
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_pt_BR"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);
    return tessim::RunTessim(app);
}
