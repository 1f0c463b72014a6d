#pragma once

// What the ways of OpenSkin.h (and the converter's way into an archive held
// in memory) share once they know the skin's folder: the load with its
// errors caught, and messages that name an archive's members rather than
// the folder they were unpacked into.

#include "session/OpenSkin.h"
#include "sources/ArchiveExtraction.h"

#include <QString>
#include <filesystem>

namespace tf {

// Messages about files of an extracted archive name the archive and the
// member ("base.wsz の main.bmp"), never the private folder, which is gone
// by the time the user reads them.
class MemberNames {
public:
    MemberNames() = default;
    // Files below extractedRoot are members of archive.
    MemberNames(const std::filesystem::path& extractedRoot, const std::filesystem::path& archive);
    QString operator()(QString text) const;

private:
    QString m_root;
    QString m_archive;
};

QString NoSkinMessage();

// Puts what reading an archive met into result: its error (ArchiveError),
// its limits and the members passed over (Notices); and, when no skin folder
// came out of it, why (Error: the archive's error, the limit that refused it
// whole, or the lack of main.bmp). False when no skin folder came out.
bool ReportArchiveReading(const std::filesystem::path& archive, const ExtractionReport& report,
                          bool hasSkinFolder, const MemberNames& names, OpenResult& result);
QString NotARegularFile(const std::filesystem::path& path);

// Loads the skin SetSkinSource has pointed the session at, into result:
// the outcome, the error of a failed load, and the notices (skin files that
// are not regular files are passed over, a main.bmp that is not one fails).
// The messages' file names go through names.
void LoadSetSource(SkinSession& session, OpenResult& result, const MemberNames& names);

} // namespace tf
