#pragma once

// What the ways of OpenSkin.h (and the converter's way into an archive held
// in memory) share once they know the skin's folder: the load with its
// errors caught, and what reading an archive met. Every notice and error
// comes back as data (AppError), worded when shown with the result's Names.

#include "session/OpenSkin.h"
#include "sources/ArchiveExtraction.h"

#include <filesystem>

namespace tf {

// "Main.bmpがありません…" about source, a folder or an archive.
AppError NoSkinError(const std::filesystem::path& source);

// Puts what reading an archive met into result: its limits, the members
// passed over and its damage (Notices); and, when no skin folder came out
// of it, why (Error: the archive's damage, the limit that refused it whole,
// or the lack of main.bmp). names becomes the result's Names. False when no
// skin folder came out.
bool ReportArchiveReading(const std::filesystem::path& archive, const ExtractionReport& report,
                          bool hasSkinFolder, const ShownPaths& names, OpenResult& result);
AppError NotARegularFile(const std::filesystem::path& path);

// Loads the skin SetSkinSource has pointed the session at, into result:
// the outcome, the error of a failed load, and the notices (skin files that
// are not regular files are passed over, a main.bmp that is not one fails).
// The result names the files as SetSkinSource was told to
// (SkinState::SourceNames).
void LoadSetSource(SkinSession& session, OpenResult& result);

} // namespace tf
