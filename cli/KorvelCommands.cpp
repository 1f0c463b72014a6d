#include "cli/KorvelCommands.h"

#include "korvel/ImageLookup.h"
#include "korvel/KorvelDefinition.h"
#include "korvel/KorvelView.h"
#include "korvel/SkinCheck.h"
#include "output/SaveSkin.h"
#include "platform/ControlEscape.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QImageWriter>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr int kFailed = 1;

ViewState ToViewState(PreviewState state)
{
    switch (state) {
    case PreviewState::Pressed:
        return ViewState::Pressed;
    case PreviewState::Inactive:
        return ViewState::Inactive;
    case PreviewState::Normal:
        break;
    }
    return ViewState::Normal;
}

} // namespace

int RunPreview(const PreviewCommand& command, QTextStream& out, QTextStream& err)
{
    try {
        fs::path definitionPath = command.Definition;
        if (command.Equalizer) {
            const auto eq = FindEqDefinition(definitionPath);
            if (!eq)
                throw AppError(ErrorKind::FileOpen, QCoreApplication::translate("Cli", "%1 has no _EQ definition beside it")
                                                        .arg(DisplayPath(definitionPath)));
            definitionPath = *eq;
        }
        const KorvelDefinition definition = KorvelDefinition::Load(definitionPath);
        const KorvelView view = RenderKorvelView(definition, ImagesBesideFile(definitionPath),
                                                 {ToViewState(command.State), command.Scale});
        for (const QString& warning : view.Warnings)
            err << QCoreApplication::translate("Cli", "tessaform-cli: warning: %1\n").arg(EscapeControls(warning));
        QImageWriter writer(PathToQString(command.Image), "png");
        if (!writer.write(view.Image))
            throw AppError(ErrorKind::FileCreate, QStringLiteral("%1: %2")
                                                      .arg(DisplayPath(command.Image), writer.errorString()));
        out << QCoreApplication::translate("Cli", "preview    %1 -> %2 (%3 x %4)\n")
                   .arg(EscapeControls(DisplayPath(definitionPath)), EscapeControls(DisplayPath(command.Image)))
                   .arg(view.Image.width())
                   .arg(view.Image.height());
        return 0;
    } catch (const AppError& failure) {
        err << "tessaform-cli: " << EscapeControls(failure.message()) << "\n";
        return kFailed;
    }
}

int RunCheck(const std::vector<fs::path>& definitions, QTextStream& out, QTextStream& err)
{
    bool problems = false;
    for (const fs::path& definition : definitions) {
        try {
            // A save stopped between its renames is finished before the skin
            // is judged: what it left is not what the player will read.
            const fs::path folder = definition.has_parent_path() ? definition.parent_path() : fs::path(".");
            try {
                if (CompleteInterruptedSave(folder))
                    out << QCoreApplication::translate("Cli", "%1: note: completed a save into this folder that was stopped midway\n")
                               .arg(EscapeControls(DisplayPath(definition)));
            } catch (const AppError& failure) {
                out << QCoreApplication::translate("Cli", "%1: a save into this folder was stopped midway and cannot be completed: %2\n")
                           .arg(EscapeControls(DisplayPath(definition)), EscapeControls(failure.message()));
                problems = true;
            }
            const std::vector<CheckFinding> findings = CheckKorvelSkin(definition);
            for (const CheckFinding& finding : findings)
                out << EscapeControls(finding.toString()) << "\n";
            problems = problems || HasProblems(findings);
        } catch (const AppError& failure) {
            err << "tessaform-cli: " << EscapeControls(failure.message()) << "\n";
            problems = true;
        }
    }
    out.flush();
    return problems ? kFailed : 0;
}

} // namespace tf
