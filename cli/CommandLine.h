#pragma once

// The command line of tessaform-cli and the run of one command.

#include "cli/KorvelCommands.h"
#include "session/ConvertSkin.h"

#include <QStringList>
#include <QTextStream>
#include <filesystem>
#include <optional>
#include <vector>

namespace tf {

enum class CommandName { Convert, Preview, Check };

struct CommandLine {
    CommandName Name = CommandName::Convert;
    PreviewCommand Preview;                           // preview
    std::vector<std::filesystem::path> Definitions;   // check
    std::vector<std::filesystem::path> Sources;
    std::filesystem::path Output;
    bool OutputIsFile = false; // one source and an output ending in .ssf
    int Jobs = 1;
    ConversionOptions Options;
    bool Help = false;
    bool Version = false;
};

// Exit codes.
constexpr int kExitConverted = 0;
constexpr int kExitSomeFailed = 1;
constexpr int kExitUsage = 2;

// A parsed command line, or why it is wrong.
struct ParsedCommandLine {
    std::optional<CommandLine> Command; // nothing on a usage error
    QString Reason;                     // then one line, its control characters escaped
};

// Parses arguments (without the program name).
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

QString UsageText();

// Runs a parsed command; progress lines go to err when showProgress.
int RunCommand(const CommandLine& command, const std::filesystem::path& exeFolder, QTextStream& out,
               QTextStream& err, bool showProgress);

} // namespace tf
