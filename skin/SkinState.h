#pragma once

// The one in-memory description of the loaded Winamp skin and of the Korvel
// images composed from it, and beside it the values the window's controls
// hold that the pipeline reads.

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/FileSource.h"
#include "platform/Geometry.h"
#include "platform/ImageCache.h"
#include "platform/ShownPaths.h"
#include "skin/GeometryTables.h"

#include <QSize>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tf {

// The Winamp main and equalizer windows, and so every main-window image.
constexpr int32_t kWindowWidth = 275;
constexpr int32_t kWindowHeight = 116;
constexpr Rect kWindowImageRect{0, 0, kWindowWidth, kWindowHeight};

// Fixed index of every Winamp source file.
enum SourceFile : int {
    kMainBmp = 0,
    kCButtonsBmp = 1,
    kShufRepBmp = 2,
    kTitleBarBmp = 3,
    kPlEditBmp = 4,
    kEqMainBmp = 5,
    kPosBarBmp = 6,
    kNumbersBmp = 7,
    kNumsExBmp = 8,
    kTextBmp = 9,
    kVisColorTxt = 10,
    kPlEditTxt = 11,
    kRegionTxt = 12,
    kSexyFontTxt = 13,
    kMaronTxt = 14,
    kVolumeBmp = 15,
    kBalanceBmp = 16,
    kMonoSterBmp = 17,
};
constexpr int kSourceFileSlots = 20;

// Slots 0 to 17 of SourceFileNames; slot 12 carries a trailing blank, which
// file lookup ignores.
constexpr std::array<std::string_view, 18> kSourceFileTable = {
    "main.bmp",    "cbuttons.bmp", "shufrep.bmp", "titlebar.bmp", "pledit.bmp",   "eqmain.bmp",
    "posbar.bmp",  "numbers.bmp",  "nums_ex.bmp", "text.bmp",     "viscolor.txt", "Pledit.txt",
    "Region.txt ", "Sexyfont.txt", "Maron.txt",   "volume.bmp",   "balance.bmp",  "Monoster.bmp",
};

struct TFontSetting {
    std::string Name = "MS UI Gothic"; // as stored: CP932 bytes
    int32_t Size = 8;                   // points
    bool Bold = false;
    bool Italic = false;
    bool Shadow = false;

    bool operator==(const TFontSetting&) const = default;
};

enum FontSlot : int {
    kScrollTextFont = 0,
    kInfoFont = 1,
    kTimeFont = 2,
    kPlaylistFont = 3,
    kSpareFont = 4,
};

// The files the last load drew the pictures from that the settings panel
// draws again: the skin's own, or the bundled sample's standing in for them.
// Empty where a picture stays an earlier skin's.
struct RedrawFiles {
    std::filesystem::path TimeDigits;     // nums_ex.bmp or numbers.bmp
    std::filesystem::path PlaylistFrame;  // pledit.bmp
    std::filesystem::path PlaylistColors; // pledit.txt (empty: the classic colours)
    std::filesystem::path VisColor;       // viscolor.txt
    bool ClassicVisColors = false;        // the classic player's colours instead
};

struct SkinState {
    std::array<std::string, kSourceFileSlots> SourceFileNames;
    // Resolved by SetSkinSource: the real file when the skin folder holds it
    // (matched without regard to case), else folder / table name.
    std::array<std::filesystem::path, kSourceFileSlots> SourceFilePaths;
    // Where SourceFilePaths are read from: the disk when empty, else an
    // archive's skin folder held in memory (SourceFilesOf).
    std::shared_ptr<const FileSource> SourceFiles;
    // How messages name SourceFilePaths: the members of an archive by the
    // archive's name, never the folder they were unpacked or held under.
    ShownPaths SourceNames;
    // Files the last load found but could not use (not a picture, cut
    // short): it went on as if they were missing.
    std::array<bool, kSourceFileSlots> SourcePassedOver{};
    RedrawFiles RedrawSources;

    PartRectTable PartRects{};
    Rect& ScrollTextRect() { return PartRects[kScrollTextSlot]; }
    const Rect& ScrollTextRect() const { return PartRects[kScrollTextSlot]; }
    Rect PlaylistTextRect;

    Color PlaylistNormalColor = kBlack;
    Color PlaylistCurrentColor = kBlack;
    Color PlaylistNormalBGColor = kBlack;
    Color PlaylistSelectedBGColor = kBlack;

    Bitmap MainNormalImage;
    Bitmap MainPressedImage;
    Bitmap MainInactiveImage;
    Bitmap EqNormalImage;
    Bitmap EqPressedImage;
    Bitmap EqInactiveImage;
    Bitmap PosBarImage1;
    Bitmap PosBarImage2;
    Bitmap VolumeImage;
    Bitmap PanImage;

    std::array<TFontSetting, 5> FontSettings{};
    TFontSetting& ScrollTextFont() { return FontSettings[kScrollTextFont]; }
    TFontSetting& InfoFont() { return FontSettings[kInfoFont]; }
    TFontSetting& TimeFont() { return FontSettings[kTimeFont]; }
    TFontSetting& PlaylistFont() { return FontSettings[kPlaylistFont]; }
    const TFontSetting& ScrollTextFont() const { return FontSettings[kScrollTextFont]; }
    const TFontSetting& InfoFont() const { return FontSettings[kInfoFont]; }
    const TFontSetting& TimeFont() const { return FontSettings[kTimeFont]; }
    const TFontSetting& PlaylistFont() const { return FontSettings[kPlaylistFont]; }

    bool ShowScrollText = true; // CheckBox9
    bool ShowTime = true;       // CheckBox12
    bool ShowInfo = true;       // CheckBox10
    bool ShowSeekBar = true;    // CheckBox13
    bool ShowAnalyzer = true;   // CheckBox11

    Color TextColor = kBlack;   // Shape8 "文字色"
    Color ShadowColor = kBlack; // Shape9 "影色"

    bool HasVolumeImage = false;
    bool HasPanImage = false;

    int32_t PlaylistWidthSteps = 0;
    int32_t PlaylistHeightSteps = 0;

    std::array<Color, 16> AnalyzerColors{}; // index 0 is the top row
    Color PeakColor = kBlack;               // Shape2
    Color OscilloColor = kBlack;            // Shape3
    int AnalyzerPreviewScale = 1;           // RadioButton1 "x1" / RadioButton2 "x2"
};

inline const FileSource& SourceFilesOf(const SkinState& state)
{
    return state.SourceFiles ? *state.SourceFiles : DiskFiles();
}

// Values of the window's controls that the pipeline reads and writes.
struct EditorSettings {
    bool ShowEqualizer = true;    // CheckBox1 "EQを表示する"
    bool EqualizerOnTop = false;  // CheckEQUp "EQを上にする"
    bool TransparentTime = false; // CheckBox4 "透過"

    // The time group box "時間".
    std::string TimeFontSizeText = "7"; // Edit2, point size of the slash
    bool TimeFontBold = false;          // CheckBox2 "太字"
    bool TimeFontItalic = false;        // CheckBox3 "斜体"
    Color TimeFontColor = kBlue;        // brush colour of Shape1
    // Face of the slash glyph (CP932 bytes); the drawing surface's default
    // font until the user picks one with Button1.
    std::string TimeGlyphFontName = "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e"; // ＭＳ Ｐゴシック
    int TimeSlashOffset = 0; // moved by UpDown1; positive is down
};

// The pictures of the preview controls. Three of them are part of the output:
// the playlist, the time glyph strip and the analyzer pattern are saved from
// here.
struct PreviewPictures {
    Bitmap MainPreview;  // Image1: copy of MainNormalImage
    Bitmap EqPreview;    // Image5: copy of EqNormalImage
    Bitmap Playlist;     // Image2
    Bitmap TimeDigits;   // Image3
    Bitmap Analyzer;     // Image4: the 5 x 16 pattern
    QSize AnalyzerPreviewSize; // size of the control Image4 (the pattern times the scale)
    // The source bitmaps the previews are re-rendered from (digits, colon,
    // playlist tiles); emptied at the start of every skin load.
    ImageCache SourceImages;
};

} // namespace tf
