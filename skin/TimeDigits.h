#pragma once

#include "skin/SkinState.h"

#include <filesystem>

namespace tf {

// The strip's cells, side by side: digits 0-9, colon, slash, space.
constexpr int kTimeDigitCells = 13;
constexpr int kTimeDigitCellWidth = 9;

// Rebuilds the time glyph strip (Image3): digits 0 to 9 and the blank cell
// from nums_ex.bmp or numbers.bmp, the colon from main.bmp, the slash drawn
// with the time font. Does nothing when neither digit file exists.
void RenderTimeDigits(const SkinState& state, const EditorSettings& editor,
                      PreviewPictures& previews, const std::filesystem::path& numbersPath,
                      const std::filesystem::path& numsExPath);

} // namespace tf
