// Start-up: the splash is shown and painted while the main window is built,
// and released when the event loop starts. A skin named on the command line
// (the file manager's "open with") is opened once the window shows.

#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "session/Language.h"
#include "window/AboutBox.h"
#include "window/Dialogs.h"
#include "window/DisplayControls.h"
#include "window/MainWindow.h"
#include "window/QtPrompts.h"
#include "window/SplashWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaform"));
    QApplication::setDesktopFileName(QStringLiteral("tessaform"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tessaform")));
    QStringList arguments = QApplication::arguments();
    const auto languageName = tf::TakeLanguageArgument(arguments);
    const auto language = languageName ? tf::ParseUiLanguage(*languageName) : std::nullopt;
    tf::InstallTranslations(application, language.value_or(tf::SystemUiLanguage()));
    if (languageName && !language) {
        // The window program has no console on Windows, so the box says it.
        QMessageBox::critical(nullptr, tf::kProductName,
                              QCoreApplication::translate("Startup", "--lang は ja か en です。\"%1\" は使えません")
                                  .arg(*languageName));
        return 2;
    }
    tf::InstallFontSubstitutions();
    QApplication::setFont(tf::DesignFont());

    const std::filesystem::path exePath = tf::QStringToPath(QApplication::applicationFilePath());
    tf::QtPrompts prompts;
    tf::QtDialogs dialogs;

    QPointer<tf::TForm3> splash = new tf::TForm3(tf::FindDataFolder(exePath.parent_path()), prompts);
    splash->showAndPaint();

    tf::TForm1 mainWindow(tf::WindowFiles::ForExecutable(exePath), prompts, dialogs);
    prompts.setOwner(&mainWindow);
    tf::TForm2 about(&mainWindow);
    mainWindow.setAboutBox(&about);

    splash->deleteLater(); // goes when the event loop handles the release
    splash = nullptr;
    mainWindow.show();

    if (arguments.size() > 1) {
        const QString skin = QFileInfo(arguments.at(1)).absoluteFilePath();
        QTimer::singleShot(0, &mainWindow, [&mainWindow, skin] { mainWindow.OpenDropped(skin); });
    }
    return application.exec();
}
