#pragma once

// What in a Korvel skin would break in the player: bitmaps that are missing
// or of the wrong size, fields outside their bitmap, switch targets that are
// not there, values the player cannot read.

#include "korvel/ImageLookup.h"
#include "korvel/KorvelDefinition.h"

#include <QString>
#include <filesystem>
#include <vector>

namespace tf {

enum class FindingKind {
    MissingBitmap,    // a bitmap named but not there
    UnreadableBitmap, // there but not an image
    BitmapSize,       // its size disagrees with the definition
    FieldOutside,     // a field not inside its window's bitmap
    MissingTarget,    // a switch target file missing, or a button's target number without a line
    BadValue,         // a value of the wrong form, or a required line missing
};

enum class Severity {
    Problem,
    Note, // worth knowing, but nothing the converter could or should have written
};

struct CheckFinding {
    std::filesystem::path File;
    int Line = 0; // from 1; 0 for the file as a whole
    FindingKind Kind = FindingKind::BadValue;
    tf::Severity Severity = tf::Severity::Problem;
    QString Message;

    // "<file>:<line>: <message>", the line left out when it is 0; a note
    // says so after the position.
    QString toString() const;
};

// Reads the file and checks it with the bitmaps beside it. Throws
// AppError(FileOpen) when the definition itself cannot be read.
std::vector<CheckFinding> CheckKorvelSkin(const std::filesystem::path& ssfPath);

// The same on a definition and bitmaps from anywhere; switch targets are
// checked only for a definition read from a file.
std::vector<CheckFinding> CheckKorvelDefinition(const KorvelDefinition& definition,
                                                const ImageLookup& images);

// True when any finding is a problem rather than a note.
bool HasProblems(const std::vector<CheckFinding>& findings);

} // namespace tf
