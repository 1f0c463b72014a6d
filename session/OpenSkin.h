#pragma once

// The one way from a chosen skin source (a folder or a .wsz/.zip archive)
// to a loaded skin. The window's open handlers and the command-line
// converter both come through here; neither repeats its rules.

#include "platform/Errors.h"
#include "skin/SkinSession.h"
#include "sources/ArchiveExtraction.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace tf {

enum class OpenOutcome {
    Loaded,        // LoadSkin ran to its end
    LoadFailed,    // LoadSkin stopped at an error; what it composed before stays
    NoSkinFolder,  // no folder holding main.bmp
    NotASkinSource // neither a folder nor a .wsz/.zip file
};

struct OpenResult {
    OpenOutcome Outcome = OpenOutcome::NotASkinSource;
    std::filesystem::path SkinFolder; // the folder the skin was loaded from
    // How the files the notices and the error are about are named: an
    // archive's members by the archive and the member, never by the private
    // folder they were unpacked into. The edge that shows them words them
    // through it (AppError::message).
    ShownPaths Names;
    // What the user is told in information boxes, in order, whatever the
    // outcome: the limits an extraction ran into, the members it passed
    // over, a damaged archive from which a skin still came out
    // (DamagedArchive), and skin files that are not regular files.
    std::vector<AppError> Notices;
    // Why nothing (or not all) was loaded, for every outcome but Loaded. The
    // window shows a failed load in the error box and an archive without a
    // skin in an information box; a folder without one it passes over.
    std::optional<AppError> Error;

    bool loaded() const { return Outcome == OpenOutcome::Loaded; }
    // The archive was damaged or unreadable (truncated, not a ZIP, a bad
    // CRC, encrypted, empty): "アーカイブを展開できません: NAME (REASON)".
    // The window still loads what came out, showing this among the Notices;
    // when no skin came out it is the Error instead. A conversion fails on it
    // either way: a skin from a damaged archive may lack what the archive
    // held. Null for a sound archive.
    const AppError* archiveError() const;
};

// Loads the skin of a folder that holds main.bmp itself. A folder without
// it loads nothing (NoSkinFolder), and the skin state stays as it was.
OpenResult OpenSkinFolder(SkinSession& session, const std::filesystem::path& folder);

// Empties workFolder, and for a .wsz or .zip archive copies it there as
// "tmp.zip", unpacks it into workFolder/Skin, finds the folder that holds
// main.bmp and loads it. Another name only empties workFolder.
OpenResult OpenSkinArchive(SkinSession& session, const std::filesystem::path& archive,
                           const std::filesystem::path& workFolder);

// OpenSkinArchive in its two halves, so that the window can unpack a large
// archive on another thread and go on painting: the unpacking touches no
// session and may run on any thread; the load runs where the session lives.
struct UnpackedArchive {
    bool IsArchive = false;             // a .wsz or .zip name: anything else is not unpacked
    std::filesystem::path SkinRoot;     // workFolder/Skin
    std::filesystem::path WorkingCopy;  // workFolder/tmp.zip
    std::filesystem::path SkinFolder;   // the folder below SkinRoot that holds main.bmp, or empty
    ExtractionReport Report;            // ArchiveError also says why a copy failed
};
UnpackedArchive UnpackSkinArchive(const std::filesystem::path& archive, const std::filesystem::path& workFolder);
OpenResult LoadUnpackedArchive(SkinSession& session, const std::filesystem::path& archive,
                               const UnpackedArchive& unpacked);

// A folder as OpenSkinFolder, a regular file named .wsz/.zip as
// OpenSkinArchive, anything else NotASkinSource.
OpenResult OpenSkinSource(SkinSession& session, const std::filesystem::path& source,
                          const std::filesystem::path& workFolder);
// The same with archives opened by openArchive (the converter reads them in
// memory, OpenSkinInMemory.h).
OpenResult OpenSkinSource(SkinSession& session, const std::filesystem::path& source,
                          const std::function<OpenResult(const std::filesystem::path&)>& openArchive);

} // namespace tf
