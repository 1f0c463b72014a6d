#include "skin/AnalyzerPattern.h"

#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/SplitRule.h"
#include "platform/TextFile.h"

#include <array>
#include <optional>
#include <string>
#include <system_error>

namespace tf {
namespace {

constexpr int kPatternWidth = 5;
constexpr int kPatternRows = 16;
constexpr size_t kFirstRowLine = 2;
constexpr size_t kOscilloLine = 18;
constexpr size_t kPeakLine = 23;

// Three decimal numbers at the start of a line, separated by commas or
// blanks; anything after them is a comment. Nothing when the line holds
// fewer than three items; the conversion error for an item that is not a
// number. Only the low 8 bits of each number count.
std::optional<Color> ReadColorLine(const std::string& line)
{
    TStringList items;
    if (SplitToList(NumericPrefix(line), ',', items) < 3)
        return std::nullopt;
    return MakeColor(StrToInt(items[0]), StrToInt(items[1]), StrToInt(items[2]));
}

// The colour of one line, naming the file and line when it cannot be read.
// Lines up to the oscilloscope's are read without a count check: a short
// file raises the list index error.
std::optional<Color> ReadLineColor(const TStringList& lines, size_t index,
                                   const std::filesystem::path& path)
{
    try {
        if (index >= lines.size())
            ThrowListIndexError((long long)index);
        return ReadColorLine(lines[index]);
    } catch (const AppError& failure) {
        ThrowAtLine(failure, path, index + 1);
    }
}

void DrawPattern(Bitmap& pattern, const std::array<Color, 16>& colors)
{
    pattern.setSize(kPatternWidth, kPatternRows);
    for (int row = 0; row < kPatternRows; ++row)
        pattern.drawLine({0, row}, {kPatternWidth, row}, colors[size_t(row)]);
}

// The build over lines read; path names them in errors.
void BuildFromLines(SkinState& state, PreviewPictures& previews, const TStringList& lines,
                    const std::filesystem::path& path)
{
    // A line without a colour repeats the one above; white above the first.
    Color carried = kWhite;
    for (size_t row = 0; row < size_t(kPatternRows); ++row) {
        if (const auto color = ReadLineColor(lines, kFirstRowLine + row, path))
            carried = *color;
        state.AnalyzerColors[row] = carried;
    }
    state.OscilloColor = ReadLineColor(lines, kOscilloLine, path).value_or(kWhite);
    if (lines.size() > kPeakLine) // ViscolorGivesPeakColor
        state.PeakColor = ReadLineColor(lines, kPeakLine, path).value_or(kWhite);

    DrawPattern(previews.Analyzer, state.AnalyzerColors);
    const int scale = state.AnalyzerPreviewScale;
    previews.AnalyzerPreviewSize = QSize(kPatternWidth * scale, kPatternRows * scale);
}

// Index 0 and 1 are the background and the dots, 2 to 17 the bars from the
// top, 18 to 22 the oscilloscope, 23 the peaks.
constexpr std::array<std::array<int, 3>, 24> kClassicColors = {{
    {0, 0, 0},       {24, 33, 41},    {239, 49, 16},   {206, 41, 16},   {214, 90, 0},    {214, 102, 0},
    {214, 115, 0},   {198, 123, 8},   {222, 165, 24},  {214, 181, 33},  {189, 222, 41},  {148, 222, 33},
    {41, 206, 16},   {50, 190, 16},   {57, 181, 16},   {49, 156, 8},    {41, 148, 0},    {24, 132, 8},
    {255, 255, 255}, {214, 214, 222}, {181, 189, 189}, {160, 170, 175}, {148, 156, 165}, {150, 150, 150},
}};

} // namespace

bool BuildAnalyzerPattern(SkinState& state, PreviewPictures& previews,
                          const std::filesystem::path& viscolorPath)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(viscolorPath, error))
        return false;
    BuildFromLines(state, previews, ReadLines(viscolorPath), viscolorPath);
    return true;
}

std::vector<std::string> ClassicVisColorLines()
{
    std::vector<std::string> lines;
    for (const auto& [red, green, blue] : kClassicColors)
        lines.push_back(std::to_string(red) + "," + std::to_string(green) + "," + std::to_string(blue));
    return lines;
}

void BuildClassicAnalyzerPattern(SkinState& state, PreviewPictures& previews)
{
    BuildFromLines(state, previews, ClassicVisColorLines(), "viscolor.txt");
}

bool ViscolorGivesPeakColor(const std::filesystem::path& viscolorPath)
{
    std::error_code error;
    return std::filesystem::is_regular_file(viscolorPath, error) && ReadLines(viscolorPath).size() > kPeakLine;
}

} // namespace tf
