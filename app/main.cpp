// Corvel: the program. Start-up lives in the splash window's module.
#include "Subsystems.h"
#include "frmAbertura.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <csignal>

int main(int argc, char *argv[]) {
    // A file-size limit makes a write fail, and be reported, instead of
    // ending the program with its documents unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Corvel"));
    QLocale::setDefault(QLocale(QStringLiteral("pt_BR")));
    // Qt's own dialogs and buttons in Brazilian Portuguese.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_pt_BR"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);
    // The arguments as bytes: QApplication has taken its own options out of
    // argv, and a file name that is not valid text survives only this way.
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    return corvel::RunCorvel(app, arguments, RegisterSubsystems);
}
