#include "skin/TimeDigits.h"

#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <system_error>

namespace tf {
namespace {

constexpr int kStripWidth = kTimeDigitCells * kTimeDigitCellWidth;
constexpr int kMaxStripHeight = 13;
constexpr int32_t kDigitsRight = 90;
constexpr int32_t kBlankLeft = 90;
constexpr int32_t kColonLeft = 90;
constexpr int32_t kSlashLeft = 99;
constexpr int32_t kSpaceLeft = 108;
constexpr int32_t kCellWidth = kTimeDigitCellWidth;
// Where the colon is painted in main.bmp.
constexpr int32_t kMainColonLeft = 70;
constexpr int32_t kMainColonTop = 26;

Rect Cell(int32_t left, int32_t height) { return {left, 0, left + kCellWidth, height}; }

// Cells 10 to 12 stay black; the digits keep everything but their
// background, the colour of the digit image's top-left pixel.
void DrawTransparentDigits(Bitmap& strip, const Bitmap& digits, int32_t height)
{
    strip.fill({0, 0, kStripWidth, height}, kBlack);
    const Rect digitArea{0, 0, kDigitsRight, height};
    strip.copyKeyed(digits, digitArea, digitArea, digits.pixel(0, 0));
}

void DrawSlash(Bitmap& strip, const EditorSettings& editor, int32_t height)
{
    // Raises the conversion error for a size text that is not an integer.
    const int32_t points = StrToInt(editor.TimeFontSizeText);
    const QFont font
        = MakeFont(editor.TimeGlyphFontName, points, editor.TimeFontBold, editor.TimeFontItalic);
    const Rect cell{kSlashLeft, editor.TimeSlashOffset, kSlashLeft + kCellWidth,
                    Rect::WrapAdd(editor.TimeSlashOffset, height)};
    DrawTextCentered(strip, cell, QStringLiteral("/"), font, editor.TimeFontColor);
}

} // namespace

void RenderTimeDigits(const SkinState& state, const EditorSettings& editor,
                      PreviewPictures& previews, const std::filesystem::path& numbersPath,
                      const std::filesystem::path& numsExPath)
{
    const FileSource& files = SourceFilesOf(state);
    const bool hasNumsEx = files.isRegularFile(numsExPath);
    if (!hasNumsEx && !files.isRegularFile(numbersPath))
        return;
    // One decode serves both the strip and the keyed copy: it is the same file.
    const Bitmap digits = previews.SourceImages.load(files, hasNumsEx ? numsExPath : numbersPath);
    Bitmap& strip = previews.TimeDigits;
    strip = digits;
    strip.setWidth(kStripWidth);
    const int32_t height = std::min(strip.height(), kMaxStripHeight);

    if (editor.TransparentTime) {
        DrawTransparentDigits(strip, digits, height);
    } else {
        strip.copy(strip, Cell(kBlankLeft, height), Cell(kSlashLeft, height));
        strip.copy(strip, Cell(kBlankLeft, height), Cell(kSpaceLeft, height));
    }

    const Bitmap main = previews.SourceImages.load(files, state.SourceFilePaths[kMainBmp]);
    strip.copy(main, {kMainColonLeft, kMainColonTop, kMainColonLeft + kCellWidth, kMainColonTop + height},
               Cell(kColonLeft, height));

    // A failure here leaves the strip without its slash and at full height;
    // the next render with a valid size repairs it.
    DrawSlash(strip, editor, height);
    strip.setHeight(height);
}

} // namespace tf
