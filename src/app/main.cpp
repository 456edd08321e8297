#include "app/ModelText.h"
#include "app/Program.h"
#include "app/QtServices.h"
#include "presentation/ShellRules.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string_view>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Selektor"));
    // Standard buttons and dialogs speak Polish like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    selektor::QtDialogService dialogs;
    // The launcher could not give the player a folder to work in: the program only says why.
    if (argc == 4 && std::string_view(argv[1]) == selektor::kLauncherFailureArgument) {
        if (const auto text = selektor::launcherFailureText(argv[2], argv[3])) {
            dialogs.error(selektor::fromModel(*text));
            return 1;
        }
    }
    selektor::QtSoundPlayer sound;
    selektor::SystemClock clock;
    selektor::QtHelpViewer help;
    selektor::QtPrinterService printer;
    selektor::Services services{dialogs, sound, clock, help, printer};

    // The program reads and writes its own files where it was started, whatever the file dialogs do later.
    selektor::Program program(services, QDir::currentPath());
    dialogs.setParentWidget(&program.mainWindow());
    printer.setParentWidget(&program.mainWindow());
    QObject::connect(&program.mainWindow(), &selektor::TFormHaupt::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    program.mainWindow().show();
    return app.exec();
}
