#pragma once

// The geometry table: where the pieces of the Winamp bitmaps go. Filled at
// start-up from four data files beside the executable.

#include "platform/Geometry.h"
#include "platform/Prompts.h"
#include "platform/SplitRule.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace tf {

constexpr int kPartRectCount = 108;
constexpr int kScrollTextSlot = 107; // set by the skin load, never from a file
using PartRectTable = std::array<Rect, kPartRectCount>;

struct GeometryFile {
    std::string_view Name;
    char Separator;
    int FirstSlot;
    int SlotCount;
};

// In reading order.
constexpr std::array<GeometryFile, 4> kStartupGeometryFiles = {{
    {"loadbtns1.dat", ' ', 0, 18},
    {"loadbtns2.dat", ' ', 18, 18},
    {"btnspos.dat", ' ', 36, 18},
    {"eqpos.dat", ',', 54, 53},
}};

// Reads one data file into its slots: line 1 is a heading, every further
// line one rectangle (left top right bottom), while the range has room.
// items is the item list shared by all four files: an empty line leaves it
// as the previous line left it. A missing file shows ShowMissingDataFile and
// leaves the slots alone. A malformed row raises the conversion or list
// index error, naming the file and line.
void ReadGeometryFile(PartRectTable& rects, const std::filesystem::path& exeFolder,
                      const GeometryFile& file, TStringList& items, Prompts& prompts);

// The warning for a missing data file: caption "注意", the quoted bare name,
// then "がありませんので正しく処理ができません".
void ShowMissingDataFile(Prompts& prompts, std::string_view fileName);

// All four files in order. A malformed row is shown in the standard error
// box and reading goes on with the next file, so the program still starts.
void ReadStartupGeometry(PartRectTable& rects, const std::filesystem::path& exeFolder,
                         Prompts& prompts);

} // namespace tf
