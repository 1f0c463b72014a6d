#pragma once

// What the ways of OpenSkin.h (and the converter's way into an archive held
// in memory) share once they know the skin's folder: the load with its
// errors caught, and messages that name an archive's members rather than
// the folder they were unpacked into (ShownPaths).

#include "session/OpenSkin.h"
#include "sources/ArchiveExtraction.h"

#include <QString>
#include <filesystem>

namespace tf {

QString NoSkinMessage();

// Puts what reading an archive met into result: its error (ArchiveError),
// its limits and the members passed over (Notices); and, when no skin folder
// came out of it, why (Error: the archive's error, the limit that refused it
// whole, or the lack of main.bmp). False when no skin folder came out.
bool ReportArchiveReading(const std::filesystem::path& archive, const ExtractionReport& report,
                          bool hasSkinFolder, const ShownPaths& names, OpenResult& result);
QString NotARegularFile(const std::filesystem::path& path, const ShownPaths& names = {});

// Loads the skin SetSkinSource has pointed the session at, into result:
// the outcome, the error of a failed load, and the notices (skin files that
// are not regular files are passed over, a main.bmp that is not one fails).
// The messages name the files as SetSkinSource was told to
// (SkinState::SourceNames).
void LoadSetSource(SkinSession& session, OpenResult& result);

} // namespace tf
