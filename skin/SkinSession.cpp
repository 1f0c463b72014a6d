#include "skin/SkinSession.h"

#include "platform/FileSystem.h"

#include <system_error>

namespace fs = std::filesystem;

namespace tf {

SkinSession::SkinSession(fs::path dataFolder, Prompts& prompts)
    : DataFolder(std::move(dataFolder))
    , Messages(&prompts)
{
}

void InitializeSession(SkinSession& session)
{
    SkinState& state = session.State;
    for (size_t i = 0; i < kSourceFileTable.size(); ++i)
        state.SourceFileNames[i] = std::string(kSourceFileTable[i]);
    ReadStartupGeometry(state.PartRects, session.DataFolder, session.prompts());
    // The ten target images start empty; LoadSkin sizes them.
    for (Bitmap* image : {&state.MainNormalImage, &state.MainPressedImage, &state.MainInactiveImage,
                          &state.EqNormalImage, &state.EqPressedImage, &state.EqInactiveImage,
                          &state.PosBarImage1, &state.PosBarImage2, &state.VolumeImage,
                          &state.PanImage})
        *image = Bitmap();
}

void SetSkinSource(SkinSession& session, const fs::path& folder)
{
    const FolderIndex index(folder);
    for (int i = 0; i < kSourceFileSlots; ++i) {
        const std::string& name = session.State.SourceFileNames[size_t(i)];
        const auto found = name.empty() ? std::nullopt : index.find(name);
        session.State.SourceFilePaths[size_t(i)] = found ? *found : folder / name;
    }
}

std::optional<fs::path> FindSampleSkinFile(const SkinSession& session, std::string_view name)
{
    return FindFileNoCase(session.DataFolder / "sample", name);
}

bool SourcePresent(const SkinState& state, SourceFile file)
{
    return IsRegularFile(state.SourceFilePaths[size_t(file)]);
}

bool SourceUsed(const SkinState& state, SourceFile file)
{
    return SourcePresent(state, file) && !state.SourcePassedOver[size_t(file)];
}

} // namespace tf
