#pragma once

// Everything the main window owns for one run, without the window: the skin
// state, the control values, the preview pictures and the application
// values. The window shows it; the command-line converter and the tests drive
// it directly. One session per converted skin keeps conversions independent.

#include "platform/FileSource.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "skin/SkinState.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace tf {

struct SkinSession {
    SkinSession(std::filesystem::path dataFolder, Prompts& prompts);

    // ExeFolder: where the geometry data files (and pan.dat) are read from.
    std::filesystem::path DataFolder;
    SkinState State;
    EditorSettings Editor;
    PreviewPictures Previews;

    // Where the session's messages go: the window's boxes, the converter's
    // lines, a test's script.
    Prompts& prompts() const { return *m_prompts; }

private:
    Prompts* m_prompts; // never null; a pointer, so that a session can be assigned
};

// Start-up work of the main window's creation that the core does: the table
// of source file names, the four geometry files (missing or malformed ones
// reported through the prompts; read once per process, SharedGeometryData),
// the ten empty target images.
void InitializeSession(SkinSession& session);

// Makes folder the current skin source: resolves the 20 source paths (names
// matched without regard to case), from index when the caller has listed the
// folder already. names: how messages name the files (SkinState::SourceNames).
void SetSkinSource(SkinSession& session, const std::filesystem::path& folder);
void SetSkinSource(SkinSession& session, const std::filesystem::path& folder, const FolderIndex& index,
                   const ShownPaths& names = {});
// The same for a skin folder held in memory, which the load then reads.
void SetSkinSource(SkinSession& session, std::shared_ptr<const MemoryFolder> folder, const ShownPaths& names = {});

// A file of the skin shipped beside the executables (the data folder's
// "sample"), which stands in for files a skin lacks; nothing when absent.
std::optional<std::filesystem::path> FindSampleSkinFile(const SkinSession& session,
                                                        std::string_view name);

// True when the resolved source file exists.
bool SourcePresent(const SkinState& state, SourceFile file);

// True when it exists and the last load could use it.
bool SourceUsed(const SkinState& state, SourceFile file);

} // namespace tf
