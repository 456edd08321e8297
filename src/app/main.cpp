#include "app/QtServices.h"
#include "app/UnitHaupt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Selektor"));
    // Standard buttons and dialogs speak Polish like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    selektor::QtDialogService dialogs;
    selektor::QtSoundPlayer sound;
    selektor::SystemClock clock;
    selektor::DesktopHelpViewer help;
    selektor::Services services{dialogs, sound, clock, help};

    selektor::TFormHaupt mainWindow(services);
    dialogs.setParentWidget(&mainWindow);
    QObject::connect(&mainWindow, &selektor::TFormHaupt::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    mainWindow.show();
    return app.exec();
}
