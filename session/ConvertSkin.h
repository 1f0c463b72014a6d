#pragma once

// One conversion from a Winamp skin (a folder or a .wsz/.zip archive) to a
// Korvel skin, as a freshly started window would load and save it.

#include "session/WorkFolder.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace tf {

struct PreparedSource;

// What the settings panel changes, with the window's initial values.
struct ConversionOptions {
    bool ShowEqualizer = true;   // "EQを表示する"
    bool EqualizerOnTop = false; // "EQを上にする"
    int32_t PlaylistWidthSteps = 0;
    int32_t PlaylistHeightSteps = 0;
    bool HideTime = false;
    bool HideAnalyzer = false;
    bool HideSongTitle = false;
    bool HideInfo = false; // bit-rate and frequency
    bool HideSeekBar = false;
};

struct ConversionJob {
    std::filesystem::path Source;  // skin folder or archive
    std::filesystem::path SsfPath; // the definition file to write
};

struct ConversionResult {
    bool Converted = false;
    QString Error;        // why it failed, when it did
    QStringList Warnings; // message boxes the pipeline raised, answered with OK
};

// Opens the source as the window opens it (OpenSkinSource), applies the
// options and saves (whole or nothing, see SaveSkin). A target inside the
// source folder, or with a name it cannot have, fails before anything is
// created. Never throws: every failure comes back in the result.
// Archives are read in memory (OpenSkinInMemory.h), so conversions can run
// in parallel and leave nothing behind. The output folder is created when
// missing, and removed again (when empty) if the skin fails.
ConversionResult ConvertSkin(const std::filesystem::path& dataFolder, const ConversionJob& job,
                             const ConversionOptions& options);
// The same from a source read beforehand (PrepareSource), as a batch does
// to know what memory the skin needs before it starts decoding.
ConversionResult ConvertSkin(const std::filesystem::path& dataFolder, const ConversionJob& job,
                             const ConversionOptions& options, const PreparedSource& prepared);

} // namespace tf
