// Start-up: the splash is shown and painted while the main window is built,
// and released when the event loop starts.

#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "window/AboutBox.h"
#include "window/Dialogs.h"
#include "window/DisplayControls.h"
#include "window/MainWindow.h"
#include "window/QtPrompts.h"
#include "window/QtTranslation.h"
#include "window/SplashWindow.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaform"));
    tf::InstallQtTranslation(application);
    tf::InstallFontSubstitutions();
    QApplication::setFont(tf::DesignFont());

    const std::filesystem::path exePath = tf::QStringToPath(QApplication::applicationFilePath());
    tf::QtPrompts prompts;
    tf::QtDialogs dialogs;

    QPointer<tf::TForm3> splash = new tf::TForm3(exePath.parent_path(), prompts);
    splash->showAndPaint();

    tf::TForm1 mainWindow(tf::WindowFiles::ForExecutable(exePath), prompts, dialogs);
    prompts.setOwner(&mainWindow);
    tf::TForm2 about(&mainWindow);
    mainWindow.setAboutBox(&about);

    splash->deleteLater(); // goes when the event loop handles the release
    splash = nullptr;
    mainWindow.show();
    return application.exec();
}
