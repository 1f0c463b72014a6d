#include "cli/CommandLine.h"

#include "cli/Batch.h"
#include "cli/Report.h"
#include "platform/ControlEscape.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/FolderCreation.h"
#include "platform/Interruption.h"
#include "session/Language.h"
#include "skin/Playlist.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <optional>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace tf {
namespace {

struct Options {
    QCommandLineOption Output{{"o", "output"},
        QCoreApplication::translate("Cli", "Where to write: OUT.ssf for one skin, or a folder that gets OUT/<name>/<name>.ssf for each skin."), "OUT"};
    QCommandLineOption Jobs{{"j", "jobs"},
        QCoreApplication::translate("Cli", "Skins converted in parallel (default: the number of cores)."), "N"};
    QCommandLineOption NoEqualizer{"no-equalizer",
        QCoreApplication::translate("Cli", "Leave the equalizer out (no _EQ images, no _EQ.ssf).")};
    QCommandLineOption EqualizerOnTop{"equalizer-on-top",
        QCoreApplication::translate("Cli", "Join the equalizer above the main window instead of below it.")};
    QCommandLineOption PlaylistSteps{"playlist-steps",
        QCoreApplication::translate("Cli", "Playlist size in steps of 25 x 29 pixels over 275 x 116 (default 0,0)."), "W,H"};
    QCommandLineOption HideTime{"hide-time", QCoreApplication::translate("Cli", "Leave the time display out.")};
    QCommandLineOption HideAnalyzer{"hide-analyzer",
        QCoreApplication::translate("Cli", "Leave the spectrum analyzer out.")};
    QCommandLineOption HideSongTitle{"hide-song-title",
        QCoreApplication::translate("Cli", "Leave the scrolling song title out.")};
    QCommandLineOption HideInfo{"hide-info",
        QCoreApplication::translate("Cli", "Leave the bit-rate and frequency texts out.")};
    QCommandLineOption HideSeekBar{"hide-seek-bar", QCoreApplication::translate("Cli", "Leave the seek bar out.")};
    QCommandLineOption State{"state",
        QCoreApplication::translate("Cli", "preview: the state drawn, normal, pressed or inactive (default normal)."), "STATE"};
    QCommandLineOption Equalizer{"eq",
        QCoreApplication::translate("Cli", "preview: draw the _EQ definition with the equalizer joined.")};
    QCommandLineOption Scale{"scale",
        QCoreApplication::translate("Cli", "preview: whole-pixel magnification, 1 to 8 (default 1)."), "N"};
    QCommandLineOption Language{"lang",
        QCoreApplication::translate("Cli", "The language of the messages, ja or en (default: the desktop's)."), "LANG"};
    QCommandLineOption Help{{"h", "help"}, QCoreApplication::translate("Cli", "Show this help.")};
    QCommandLineOption Version{"version", QCoreApplication::translate("Cli", "Show the version.")};

    std::vector<const QCommandLineOption*> all() const
    {
        return {&Output, &Jobs, &NoEqualizer, &EqualizerOnTop, &PlaylistSteps, &HideTime, &HideAnalyzer,
                &HideSongTitle, &HideInfo, &HideSeekBar, &State, &Equalizer, &Scale, &Language, &Help, &Version};
    }
    void addTo(QCommandLineParser& parser) const
    {
        for (const QCommandLineOption* option : all())
            parser.addOption(*option);
    }
};

// A skin whose file name starts with "-" ("-_Solar_Flare_-.wsz") would be
// read as options. Such an argument is a file after "--" (then everything
// but this program's own options and their values is a file, so that
// "convert -- -x.wsz -o OUT" works), and also without "--" when it names an
// existing file or folder and is none of our options. The parser gets it as
// "./NAME", which it takes as positional, and it is given back as typed.
class FileArguments {
public:
    FileArguments(const QStringList& arguments, const Options& options)
    {
        bool afterDoubleDash = false;
        bool valueNext = false;
        for (const QString& argument : arguments) {
            if (valueNext) {
                valueNext = false;
                m_forParser << argument;
                continue;
            }
            if (argument == QStringLiteral("--") && !afterDoubleDash) {
                afterDoubleDash = true;
                continue;
            }
            if (const auto takesValue = OptionSpelling(argument, options)) {
                valueNext = *takesValue;
                m_forParser << argument;
                continue;
            }
            const bool isFile = afterDoubleDash
                || (argument.startsWith(QLatin1Char('-')) && argument.size() > 1 && QFileInfo::exists(argument));
            if (!isFile || !argument.startsWith(QLatin1Char('-'))) {
                m_forParser << argument;
                continue;
            }
            const QString shielded = QStringLiteral("./") + argument;
            m_typed.insert(shielded, argument);
            m_forParser << shielded;
        }
    }

    const QStringList& forParser() const { return m_forParser; }
    // The positional arguments as typed.
    QStringList typed(const QStringList& positional) const
    {
        QStringList files;
        for (const QString& argument : positional)
            files << m_typed.value(argument, argument);
        return files;
    }

private:
    // Whether the argument is one of our options, and then whether it takes
    // the next argument as its value.
    static std::optional<bool> OptionSpelling(const QString& argument, const Options& options)
    {
        QString name;
        bool joinedValue = false;
        if (argument.startsWith(QStringLiteral("--")) && argument.size() > 2) {
            name = argument.mid(2).section(QLatin1Char('='), 0, 0);
            joinedValue = argument.contains(QLatin1Char('='));
            if (name.size() < 2)
                return std::nullopt;
        } else if (argument.size() == 2 && argument[0] == QLatin1Char('-') && argument[1] != QLatin1Char('-')) {
            name = argument.mid(1);
        } else {
            return std::nullopt;
        }
        for (const QCommandLineOption* option : options.all())
            if (option->names().contains(name))
                return !option->valueName().isEmpty() && !joinedValue;
        return std::nullopt;
    }

    QStringList m_forParser;
    QHash<QString, QString> m_typed;
};

void SetUp(QCommandLineParser& parser, const Options& options)
{
    parser.setApplicationDescription(QCoreApplication::translate(
        "Cli", "Converts Winamp 2 classic skins (folders, .wsz or .zip) into Korvel skins."));
    parser.addPositionalArgument("COMMAND", QCoreApplication::translate("Cli", "convert, preview or check."));
    parser.addPositionalArgument(
        "FILES",
        QCoreApplication::translate("Cli", "convert: skin folders or .wsz/.zip archives; preview: one .ssf; check: .ssf files."),
        "FILES...");
    options.addTo(parser);
}

// Why a command line is wrong; nothing when it is right.
using UsageFault = std::optional<QString>;

bool ParseSteps(const QString& text, int32_t& width, int32_t& height)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return false;
    bool okWidth = false, okHeight = false;
    width = parts[0].trimmed().toInt(&okWidth);
    height = parts[1].trimmed().toInt(&okHeight);
    return okWidth && okHeight && width >= 0 && height >= 0 && width <= kMaxPlaylistSteps
        && height <= kMaxPlaylistSteps;
}

// An option's whole number from low to high into value; true also when the
// option is not given (value keeps its default).
bool ReadWholeNumber(const QCommandLineParser& parser, const QCommandLineOption& option, int low, int high,
                     int& value)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    value = parser.value(option).toInt(&ok);
    return ok && value >= low && value <= high;
}

UsageFault ParsePreview(const QCommandLineParser& parser, const Options& options, const QStringList& files,
                        CommandLine& command)
{
    command.Name = CommandName::Preview;
    if (files.size() != 1 || !parser.isSet(options.Output))
        return QCoreApplication::translate("Cli", "preview needs one .ssf and -o VIEW.png.");
    PreviewCommand& preview = command.Preview;
    preview.Definition = QStringToPath(files.front());
    preview.Image = QStringToPath(parser.value(options.Output));
    preview.Equalizer = parser.isSet(options.Equalizer);
    const QString state = parser.value(options.State);
    if (state == QStringLiteral("pressed"))
        preview.State = PreviewState::Pressed;
    else if (state == QStringLiteral("inactive"))
        preview.State = PreviewState::Inactive;
    else if (!state.isEmpty() && state != QStringLiteral("normal"))
        return QCoreApplication::translate("Cli", "--state is normal, pressed or inactive.");
    if (!ReadWholeNumber(parser, options.Scale, 1, 8, preview.Scale))
        return QCoreApplication::translate("Cli", "--scale needs a whole number from 1 to 8.");
    return std::nullopt;
}

UsageFault ParseCheck(const QStringList& files, CommandLine& command)
{
    command.Name = CommandName::Check;
    if (files.isEmpty())
        return QCoreApplication::translate("Cli", "check needs at least one .ssf.");
    for (const QString& file : files)
        command.Definitions.push_back(QStringToPath(file));
    return std::nullopt;
}

// The skins and where they go.
UsageFault ParseConvertFiles(const QCommandLineParser& parser, const Options& options, const QStringList& sources,
                             CommandLine& command)
{
    if (sources.isEmpty())
        return QCoreApplication::translate("Cli", "No skin given to convert.");
    if (!parser.isSet(options.Output))
        return QCoreApplication::translate("Cli", "No output given; use -o OUT.ssf or -o FOLDER.");
    for (const QString& source : sources)
        command.Sources.push_back(QStringToPath(source));
    const QString output = parser.value(options.Output);
    if (output.isEmpty())
        return QCoreApplication::translate("Cli", "The output name after -o is empty.");
    command.Output = QStringToPath(output);
    const bool namesDefinition = output.endsWith(QStringLiteral(".ssf"), Qt::CaseInsensitive);
    command.OutputIsFile = command.Sources.size() == 1 && namesDefinition;
    if (command.Sources.size() > 1 && namesDefinition)
        return QCoreApplication::translate("Cli", "Several skins need an output folder, not a .ssf file.");
    return std::nullopt;
}

// What the settings panel would change.
UsageFault ParseConversionOptions(const QCommandLineParser& parser, const Options& options,
                                  ConversionOptions& conversion)
{
    conversion.ShowEqualizer = !parser.isSet(options.NoEqualizer);
    conversion.EqualizerOnTop = parser.isSet(options.EqualizerOnTop);
    if (parser.isSet(options.PlaylistSteps)
        && !ParseSteps(parser.value(options.PlaylistSteps), conversion.PlaylistWidthSteps,
                       conversion.PlaylistHeightSteps))
        return QCoreApplication::translate("Cli", "--playlist-steps needs W,H with whole numbers from 0 to %1.").arg(kMaxPlaylistSteps);
    conversion.HideTime = parser.isSet(options.HideTime);
    conversion.HideAnalyzer = parser.isSet(options.HideAnalyzer);
    conversion.HideSongTitle = parser.isSet(options.HideSongTitle);
    conversion.HideInfo = parser.isSet(options.HideInfo);
    conversion.HideSeekBar = parser.isSet(options.HideSeekBar);
    return std::nullopt;
}

UsageFault ParseConvert(const QCommandLineParser& parser, const Options& options, const QStringList& sources,
                        CommandLine& command)
{
    if (UsageFault fault = ParseConvertFiles(parser, options, sources, command))
        return fault;
    command.Jobs = int(std::max(1u, std::thread::hardware_concurrency()));
    if (!ReadWholeNumber(parser, options.Jobs, 1, 256, command.Jobs))
        return QCoreApplication::translate("Cli", "-j needs a number of jobs from 1 to 256.");
    return ParseConversionOptions(parser, options, command.Options);
}

// The command named first, with what follows it.
UsageFault ParseCommand(const QCommandLineParser& parser, const Options& options, QStringList positional,
                        CommandLine& command)
{
    const QString name = positional.isEmpty() ? QString() : positional.takeFirst();
    if (name == QStringLiteral("preview"))
        return ParsePreview(parser, options, positional, command);
    if (name == QStringLiteral("check"))
        return ParseCheck(positional, command);
    if (name == QStringLiteral("convert"))
        return ParseConvert(parser, options, positional, command);
    return name.isEmpty()
        ? QCoreApplication::translate("Cli", "No command given; the commands are convert, preview and check.")
        : QCoreApplication::translate("Cli", "Unknown command \"%1\"; the commands are convert, preview and check.")
              .arg(name);
}

UsageFault ParseArguments(const QStringList& arguments, CommandLine& command)
{
    QCommandLineParser parser;
    Options options;
    SetUp(parser, options);
    const FileArguments files(arguments, options);
    if (!parser.parse(QStringList{QStringLiteral("tessaform-cli")} + files.forParser()))
        return parser.errorText();
    if (parser.isSet(options.Language) && !ParseUiLanguage(parser.value(options.Language)))
        return QCoreApplication::translate("Cli", "--lang is ja or en.");
    command.Help = parser.isSet(options.Help);
    command.Version = parser.isSet(options.Version);
    if (command.Help || command.Version)
        return std::nullopt;
    return ParseCommand(parser, options, files.typed(parser.positionalArguments()), command);
}

} // namespace

QString UsageText()
{
    QCommandLineParser parser;
    Options options;
    SetUp(parser, options);
    return QCoreApplication::translate("Cli", "Usage: tessaform-cli convert SOURCE... -o OUT [options]\n"
                                              "       tessaform-cli preview SKIN.ssf -o VIEW.png [--state STATE] [--eq] [--scale N]\n"
                                              "       tessaform-cli check SKIN.ssf...\n")
        + parser.helpText().section(QLatin1Char('\n'), 1)
        + QCoreApplication::translate("Cli", "\nA skin whose file name starts with \"-\" goes after \"--\": every argument after\n"
                                             "it is a file, except the options above and their values\n"
                                             "(tessaform-cli convert -- -x.wsz -o OUT). Without \"--\", an argument that\n"
                                             "names an existing file or folder is a file unless it is one of the options.\n")
        + QCoreApplication::translate("Cli", "\nExit status: 0 when every skin converted (preview: written; check: nothing would break),\n"
                         "1 when any failed (check: something would break), 2 for wrong usage,\n"
                         "130, 143 or 129 when SIGINT, SIGTERM or SIGHUP stopped the batch.\n");
}

ParsedCommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine command;
    if (const UsageFault fault = ParseArguments(arguments, command))
        // The reason may quote what was typed: an unknown option, a file name.
        return {std::nullopt, EscapeControls(*fault)};
    return {std::move(command), {}};
}

int RunCommand(const CommandLine& command, const fs::path& exeFolder, QTextStream& out, QTextStream& err,
               bool showProgress)
{
    if (command.Name == CommandName::Preview)
        return RunPreview(command.Preview, out, err);
    if (command.Name == CommandName::Check)
        return RunCheck(command.Definitions, out, err);
    std::vector<BatchEntry> entries;
    if (command.OutputIsFile)
        entries.push_back({command.Sources.front(), command.Output, SkinName(command.Sources.front())});
    else
        entries = PlanBatch(command.Sources, command.Output);

    RemoveAbandonedWorkFolders();
    // Made once here rather than by each skin: a skin that fails removes the
    // folders it made, which must not be one that other skins write into.
    std::error_code ignored; // a folder that cannot be made fails each skin with the reason
    const std::vector<fs::path> madeRoot
        = command.OutputIsFile ? std::vector<fs::path>() : CreateMissingFolders(command.Output, ignored);
    BatchReport report(out, err, entries.size(), showProgress);
    RunBatch(
        exeFolder, entries, command.Options, command.Jobs,
        [&](size_t done, const BatchEntry& entry, const ConversionResult& result) {
            report.finished(done, entry, result);
        },
        [] { return InterruptionSignal() != 0; });
    RemoveFoldersIfEmpty(madeRoot);
    return report.summarise(InterruptionSignal());
}

} // namespace tf
