// tessaform-cli: converts Winamp skins into Korvel skins without a window.
#include "cli/CommandLine.h"
#include "platform/ControlEscape.h"
#include "platform/DataFolder.h"
#include "platform/FileSystem.h"
#include "platform/FolderLock.h"
#include "platform/Fonts.h"
#include "platform/HeadlessGui.h"
#include "platform/Interruption.h"
#include "platform/MemoryReturn.h"
#include "platform/Product.h"
#include "platform/Terminal.h"
#include "session/Language.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

namespace {

// The converter reports its own errors; Qt's notes about the platform (no
// runtime folder, no display) only confuse a batch log.
void DropQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    // A batch's memory is what its skins hold now, on any number of jobs.
    tf::ReturnLargeBlocksAtOnce();
    qInstallMessageHandler(DropQtNotes);
    // Fonts and text drawing need a Gui application, but never a display.
    tf::ChooseHeadlessGuiPlatform();
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("tessaform-cli"));
    QGuiApplication::setApplicationVersion(tf::kVersionText);
    tf::InstallFontSubstitutions();

    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QGuiApplication::arguments();
    // A --lang that names no language is reported by the parser below, in
    // the desktop's language.
    QStringList scanned = arguments;
    const auto languageName = tf::TakeLanguageArgument(scanned);
    const auto language = languageName ? tf::ParseUiLanguage(*languageName) : std::nullopt;
    tf::InstallTranslations(application, language.value_or(tf::SystemUiLanguage()));
    arguments.removeFirst();

    const tf::ParsedCommandLine parsed = tf::ParseCommandLine(arguments);
    if (!parsed.Command) {
        err << QCoreApplication::translate("Cli", "tessaform-cli: %1 (see tessaform-cli --help)").arg(parsed.Reason) << "\n";
        return tf::kExitUsage;
    }
    const tf::CommandLine& command = *parsed.Command;
    if (command.Help) {
        out << tf::UsageText();
        return tf::kExitConverted;
    }
    if (command.Version) {
        out << "tessaform-cli " << QGuiApplication::applicationVersion() << "\n";
        return tf::kExitConverted;
    }
    // A signal stops the batch between skins, so nothing is left half done.
    tf::CatchInterruptions();
    // A save that waits for another process says so, or the run would look hung.
    tf::SetLockWaitNotice([](const QString& notice) {
        QTextStream wait(stderr);
        wait << QStringLiteral("tessaform-cli: ") << tf::EscapeControls(notice) << "\n";
    });
    const auto dataFolder = tf::FindDataFolder(tf::QStringToPath(QGuiApplication::applicationDirPath()));
    return tf::RunCommand(command, dataFolder, out, err, tf::ErrorStreamIsTerminal());
}
