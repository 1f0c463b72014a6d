#include "skin/AnalyzerPattern.h"

#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/SplitRule.h"
#include "platform/TextFile.h"

#include <optional>
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

} // namespace

bool BuildAnalyzerPattern(SkinState& state, PreviewPictures& previews,
                          const std::filesystem::path& viscolorPath)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(viscolorPath, error))
        return false;
    const TStringList lines = ReadLines(viscolorPath);

    // A line without a colour repeats the one above; white above the first.
    Color carried = kWhite;
    for (size_t row = 0; row < size_t(kPatternRows); ++row) {
        if (const auto color = ReadLineColor(lines, kFirstRowLine + row, viscolorPath))
            carried = *color;
        state.AnalyzerColors[row] = carried;
    }
    state.OscilloColor = ReadLineColor(lines, kOscilloLine, viscolorPath).value_or(kWhite);
    if (lines.size() > kPeakLine) // ViscolorGivesPeakColor
        state.PeakColor = ReadLineColor(lines, kPeakLine, viscolorPath).value_or(kWhite);

    DrawPattern(previews.Analyzer, state.AnalyzerColors);
    const int scale = state.AnalyzerPreviewScale;
    previews.AnalyzerPreviewSize = QSize(kPatternWidth * scale, kPatternRows * scale);
    return true;
}

bool ViscolorGivesPeakColor(const std::filesystem::path& viscolorPath)
{
    std::error_code error;
    return std::filesystem::is_regular_file(viscolorPath, error) && ReadLines(viscolorPath).size() > kPeakLine;
}

} // namespace tf
