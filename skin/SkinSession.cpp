#include "skin/SkinSession.h"

#include "platform/FileSystem.h"
#include "skin/GeometryData.h"

#include <map>
#include <mutex>
#include <system_error>

namespace fs = std::filesystem;

namespace tf {

SkinSession::SkinSession(fs::path dataFolder, Prompts& prompts)
    : DataFolder(std::move(dataFolder))
    , m_prompts(&prompts)
{
}

void InitializeSession(SkinSession& session)
{
    SkinState& state = session.State;
    for (size_t i = 0; i < kSourceFileTable.size(); ++i)
        state.SourceFileNames[i] = std::string(kSourceFileTable[i]);
    ApplyStartupGeometry(*SharedGeometryData(session.DataFolder), state.PartRects, session.prompts());
    // The ten target images start empty; LoadSkin sizes them.
    for (Bitmap* image : {&state.MainNormalImage, &state.MainPressedImage, &state.MainInactiveImage,
                          &state.EqNormalImage, &state.EqPressedImage, &state.EqInactiveImage,
                          &state.PosBarImage1, &state.PosBarImage2, &state.VolumeImage,
                          &state.PanImage})
        *image = Bitmap();
}

namespace {

template <typename Folder>
void ResolveSourcePaths(SkinState& state, const fs::path& folder, const Folder& index)
{
    for (int i = 0; i < kSourceFileSlots; ++i) {
        const std::string& name = state.SourceFileNames[size_t(i)];
        const auto found = name.empty() ? std::nullopt : index.find(name);
        state.SourceFilePaths[size_t(i)] = found ? *found : folder / name;
    }
}

} // namespace

void SetSkinSource(SkinSession& session, const fs::path& folder)
{
    SetSkinSource(session, folder, FolderIndex(folder));
}

void SetSkinSource(SkinSession& session, const fs::path& folder, const FolderIndex& index, const ShownPaths& names)
{
    session.State.SourceFiles.reset();
    session.State.SourceNames = names;
    ResolveSourcePaths(session.State, folder, index);
}

void SetSkinSource(SkinSession& session, std::shared_ptr<const MemoryFolder> folder, const ShownPaths& names)
{
    session.State.SourceNames = names;
    ResolveSourcePaths(session.State, folder->folder(), *folder);
    session.State.SourceFiles = std::move(folder);
}

std::optional<fs::path> FindSampleSkinFile(const SkinSession& session, std::string_view name)
{
    // Listed once per process, and again only when the folder has changed
    // (a file added, removed or renamed changes its time).
    struct Listed {
        std::optional<FileStamp> Stamp;
        std::shared_ptr<const FolderIndex> Index;
    };
    static std::mutex mutex;
    static std::map<fs::path, Listed> folders;
    const fs::path folder = session.DataFolder / "sample";
    const std::optional<FileStamp> stamp = DiskFiles().stamp(folder);
    std::shared_ptr<const FolderIndex> index;
    {
        const std::lock_guard lock(mutex);
        Listed& listed = folders[folder];
        if (!listed.Index || !stamp || listed.Stamp != stamp)
            listed = {stamp, std::make_shared<const FolderIndex>(folder)};
        index = listed.Index;
    }
    return index->find(name);
}

bool SourcePresent(const SkinState& state, SourceFile file)
{
    return SourceFilesOf(state).isRegularFile(state.SourceFilePaths[size_t(file)]);
}

bool SourceUsed(const SkinState& state, SourceFile file)
{
    return SourcePresent(state, file) && !state.SourcePassedOver[size_t(file)];
}

} // namespace tf
