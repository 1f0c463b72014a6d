#pragma once

// Writes synthetic Winamp skins for tests. Every pixel of every bitmap has a
// colour that says which file and which pixel it is (FixturePixel), so a test
// can tell exactly which source pixel landed where.

#include "platform/Color.h"
#include "skin/SkinState.h"

#include <QImage>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tf::test {

struct FixtureBitmap {
    SourceFile File;
    std::string_view Name; // as the files are usually named
    int Width;
    int Height;
};

// The bitmaps of a standard skin at their usual sizes.
const std::vector<FixtureBitmap>& StandardBitmaps();

// Colour of pixel (x, y) of a fixture bitmap: file index in the top 6 bits,
// then y and x in 9 bits each. Distinct for every pixel of every file.
constexpr Color FixturePixel(SourceFile file, int x, int y)
{
    const uint32_t value = (uint32_t(file) << 18) | (uint32_t(y & 511) << 9) | uint32_t(x & 511);
    return MakeColor(int(value >> 16), int((value >> 8) & 0xFF), int(value & 0xFF));
}

// A bitmap of the given size filled with FixturePixel values of that file.
QImage FixtureImage(SourceFile file, int width, int height);

class SkinFixture {
public:
    explicit SkinFixture(std::filesystem::path folder);

    // All 18 files: the bitmaps at their standard sizes, a region.txt with
    // an outline for both windows, a 24-line viscolor.txt, a pledit.txt, and
    // Sexyfont.txt and Maron.txt whose sections keep every default.
    SkinFixture& writeStandard();
    SkinFixture& writeBitmap(SourceFile file, int width, int height);
    SkinFixture& writeBitmap(std::string_view name, const QImage& image);
    SkinFixture& writeText(std::string_view name, std::string_view bytes);
    SkinFixture& remove(std::string_view name);
    // Renames every file with a case transformation (e.g. upper case).
    SkinFixture& renameAll(char (*transform)(char));

    const std::filesystem::path& folder() const { return m_folder; }
    std::filesystem::path path(std::string_view name) const { return m_folder / std::string(name); }

    // The standard texts, for tests that change one line.
    static std::string StandardRegionText();
    static std::string StandardViscolorText();
    static std::string StandardPleditText();

private:
    std::filesystem::path m_folder;
};

std::string_view StandardName(SourceFile file);

} // namespace tf::test
