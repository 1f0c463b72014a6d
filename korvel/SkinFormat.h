#pragma once

// The Korvel skin format in one place: the keys of the definition files and
// the form of their values, the image files and which display writes each,
// the strips and their frame counts, how the equalizer is joined to the main
// window, and the file names of one skin. The writer, the images, the save,
// the reader, the view and the check all use these names, so that none of
// them can drift from the others.

#include "platform/Geometry.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tf::ssf {

// ---- keys ----

inline constexpr std::string_view kSkinName = "SkinName";
inline constexpr std::string_view kAbout = "About";
inline constexpr std::string_view kSetTargetSsf = "SetTargetSSF";

inline constexpr std::string_view kMainBitmap = "MainBitmap";
inline constexpr std::string_view kMainBitmapPressed = "MainBitmapPressed";
inline constexpr std::string_view kMainBitmapInactive = "MainBitmapInactive";

inline constexpr std::string_view kMinimizeButton = "MinimizeButton";
inline constexpr std::string_view kChangeSkinButton = "ChangeSkinButton";
inline constexpr std::string_view kCloseButton = "CloseButton";
inline constexpr std::string_view kPreviousSongButton = "PreviousSongButton";
inline constexpr std::string_view kPlayButton = "PlayButton";
inline constexpr std::string_view kPauseButton = "PauseButton";
inline constexpr std::string_view kStopButton = "StopButton";
inline constexpr std::string_view kNextSongButton = "NextSongButton";
inline constexpr std::string_view kOpenButton = "OpenButton";
inline constexpr std::string_view kPlayListButton = "PlayListButton";
inline constexpr std::string_view kRandomButton = "RandomButton";
inline constexpr std::string_view kLoopButton = "LoopButton";
inline constexpr std::string_view kAboutButton = "AboutButton";
inline constexpr std::string_view kConfigButton = "ConfigButton";
inline constexpr std::string_view kSongModeMonoField = "SongModeMonoWindowField";
inline constexpr std::string_view kSongModeStereoField = "SongModeStereoWindowField";

inline constexpr std::string_view kTimeField = "TimeField";
inline constexpr std::string_view kTimeFontType = "TimeFontType";
inline constexpr std::string_view kTimeFontBitmap = "TimeFontBitmap";
inline constexpr std::string_view kTimeFontBitmapSize = "TimeFontBitmapSize";
inline constexpr std::string_view kTimeFontTransparent = "TimeFontTransparent";

inline constexpr std::string_view kSpectrumPattern = "SpectrumPattern";
inline constexpr std::string_view kSpectrumPatternType = "SpectrumPatternType";
inline constexpr std::string_view kSpectrumField = "SpectrumField";
inline constexpr std::string_view kSpectrumPeakColor = "SpectrumPeakColor";

inline constexpr std::string_view kSeekBarField = "SeekBarField";
inline constexpr std::string_view kSeekType = "SeekType";
inline constexpr std::string_view kSeekBitmap = "SeekBitmap";
inline constexpr std::string_view kSeekBitmapPressed = "SeekBitmapPressed";
inline constexpr std::string_view kSeekBarDirection = "SeekBarDirection";

inline constexpr std::string_view kPanType = "PanType";
inline constexpr std::string_view kPanBarField = "PanBarField";
inline constexpr std::string_view kPanBitmap = "PanBitmap";
inline constexpr std::string_view kPanPositionImage = "PanPositionImage";
inline constexpr std::string_view kPanImageSize = "PanImageSize";
inline constexpr std::string_view kPanBarDirection = "PanBarDirection";

inline constexpr std::string_view kVolumeControlType = "VolumeControlType";
inline constexpr std::string_view kVolumeField = "VolumeField";
inline constexpr std::string_view kVolumeBitmap = "VolumeBitmap";
inline constexpr std::string_view kVolumePositionImage = "VolumeControlPositionImage";
inline constexpr std::string_view kVolumeImageSize = "VolumeImageSize";
inline constexpr std::string_view kVolumeControlDirection = "VolumeControlDirection";

inline constexpr std::string_view kPlayListMainBitmap = "PlayListMainBitmap";
inline constexpr std::string_view kPlayListMainBitmapPressed = "PlayListMainBitmapPressed";
inline constexpr std::string_view kPlayListLinkXY = "PlayListLinkXY";
inline constexpr std::string_view kPlayListRectColor = "PlayListRectColor";
inline constexpr std::string_view kPlayListRectAlpha = "PlayListRectAlpha";
inline constexpr std::string_view kPlayListRectFontColor = "PlayListRectFontColor";
inline constexpr std::string_view kPlayListCurrentTrackColor = "PlayListCurrentTrackColor";

// A text field and its font: the font's keys are the prefix followed by one
// of the font suffixes ("SongKbps" + "FontSize").
struct TextFieldKeys {
    std::string_view Field;
    std::string_view FontPrefix;
};
inline constexpr TextFieldKeys kSongInformation{"SongInfoField", "SongInformation"};
inline constexpr TextFieldKeys kSongKbps{"SongKbpsField", "SongKbps"};
inline constexpr TextFieldKeys kSongKhz{"SongKhzField", "SongKhz"};
inline constexpr TextFieldKeys kPlayListText{"PlayListTextField", "PlayList"};
inline constexpr TextFieldKeys kPlayListTotalPlayTime{"PlayListTotalPlayTimeField", "PlayListTotalPlayTime"};
inline constexpr TextFieldKeys kPlayListTime{"PlayListTimeField", "PlayListTime"};
inline constexpr std::array<const TextFieldKeys*, 6> kTextFields = {
    &kSongInformation, &kSongKbps, &kSongKhz, &kPlayListText, &kPlayListTotalPlayTime, &kPlayListTime};

inline constexpr std::string_view kFontType = "FontType";
inline constexpr std::string_view kFontName = "FontName";
inline constexpr std::string_view kFontSize = "FontSize";
inline constexpr std::string_view kFontColor = "FontColor";
inline constexpr std::string_view kFontBold = "FontBold";
inline constexpr std::string_view kFontItalic = "FontItalic";
inline constexpr std::string_view kFontShadow = "FontShadow";
inline constexpr std::string_view kFontShadowColor = "FontShadowColor";
inline constexpr std::array<std::string_view, 8> kFontSuffixes = {
    kFontType, kFontName, kFontSize, kFontColor, kFontBold, kFontItalic, kFontShadow, kFontShadowColor};

// prefix + suffix: the key of one value of a field's font.
std::string FontKey(const TextFieldKeys& field, std::string_view suffix);

// ---- the form of values ----

enum class ValueForm {
    Text, // names and words: nothing to check
    Rect,
    Color,
    Flag,
    Integer,
    Pair,
};

// The form of a key's values, by how the key ends (the first match counts),
// without regard to letter case; nothing for a key whose values are text.
// Holds for keys this program does not write too.
std::optional<ValueForm> FormOf(std::string_view key);

struct KeyForm {
    std::string Key;
    ValueForm Form;
};
// Every key the writer may write, with the form of its value.
const std::vector<KeyForm>& KnownKeys();

// ---- image files ----

// What decides that an image is written (and its key written with it).
enum class ImageShown {
    Always,
    Equalizer, // the joined images: only while the equalizer is shown
    Time,
    Analyzer,
    SeekBar,
    Pan,    // the skin has a balance strip
    Volume, // the skin has a volume strip
};

struct ImageFile {
    std::string_view Name; // the file name, as the definition names it
    std::string_view Key;  // the key whose value it is
    ImageShown ShownBy;
    std::string_view EqTwin = {}; // its joined counterpart in the _EQ definition
};

inline constexpr ImageFile kMainNormalEqImage{"MainNormal_EQ.bmp", kMainBitmap, ImageShown::Equalizer};
inline constexpr ImageFile kMainPressedEqImage{"MainPressed_EQ.bmp", kMainBitmapPressed, ImageShown::Equalizer};
inline constexpr ImageFile kMainInactiveEqImage{"MainInactive_EQ.bmp", kMainBitmapInactive, ImageShown::Equalizer};
inline constexpr ImageFile kMainNormalImage{"MainNormal.bmp", kMainBitmap, ImageShown::Always, kMainNormalEqImage.Name};
inline constexpr ImageFile kMainPressedImage{"MainPressed.bmp", kMainBitmapPressed, ImageShown::Always,
                                             kMainPressedEqImage.Name};
inline constexpr ImageFile kMainInactiveImage{"MainInactive.bmp", kMainBitmapInactive, ImageShown::Always,
                                              kMainInactiveEqImage.Name};
inline constexpr ImageFile kPlayListImage{"PlayListNormal.bmp", kPlayListMainBitmap, ImageShown::Always};
inline constexpr ImageFile kPlayListPressedImage{"PlayListPressed.bmp", kPlayListMainBitmapPressed, ImageShown::Always};
inline constexpr ImageFile kTimeDigitsImage{"Numbers.bmp", kTimeFontBitmap, ImageShown::Time};
inline constexpr ImageFile kAnalyzerImage{"Analyzer.bmp", kSpectrumPattern, ImageShown::Analyzer};
inline constexpr ImageFile kSeekBarImage{"PosBar1.bmp", kSeekBitmap, ImageShown::SeekBar};
inline constexpr ImageFile kSeekBarPressedImage{"PosBar2.bmp", kSeekBitmapPressed, ImageShown::SeekBar};
inline constexpr ImageFile kPanImage{"Pan.Bmp", kPanBitmap, ImageShown::Pan};
inline constexpr ImageFile kVolumeImage{"Vol.Bmp", kVolumeBitmap, ImageShown::Volume};
inline constexpr ImageFile kPanMaskEqImage{"PanMask_EQ.bmp", kPanPositionImage, ImageShown::Equalizer};
inline constexpr ImageFile kVolumeMaskEqImage{"VolMask_EQ.bmp", kVolumePositionImage, ImageShown::Equalizer};
inline constexpr ImageFile kPanMaskImage{"PanMask.bmp", kPanPositionImage, ImageShown::Pan, kPanMaskEqImage.Name};
inline constexpr ImageFile kVolumeMaskImage{"VolMask.bmp", kVolumePositionImage, ImageShown::Volume,
                                            kVolumeMaskEqImage.Name};

// Every image file of a skin, in the order a save writes them.
inline constexpr std::array<const ImageFile*, 18> kImageFiles = {
    &kMainNormalImage,   &kMainPressedImage,     &kMainInactiveImage, &kMainNormalEqImage, &kMainPressedEqImage,
    &kMainInactiveEqImage, &kPlayListImage,      &kPlayListPressedImage, &kTimeDigitsImage, &kAnalyzerImage,
    &kSeekBarImage,      &kSeekBarPressedImage,  &kPanImage,          &kVolumeImage,       &kPanMaskImage,
    &kVolumeMaskImage,   &kPanMaskEqImage,       &kVolumeMaskEqImage};

// The keys that name a bitmap, each once, in the order of kImageFiles.
std::vector<std::string_view> BitmapKeys();

// Bitmaps that must have the size of their window's main bitmap.
struct SameSizeRule {
    std::string_view BitmapKey;
    std::string_view MainKey;
};
inline constexpr std::array<SameSizeRule, 5> kSameSizeRules = {{
    {kMainBitmapPressed, kMainBitmap},
    {kMainBitmapInactive, kMainBitmap},
    {kPanPositionImage, kMainBitmap},
    {kVolumePositionImage, kMainBitmap},
    {kPlayListMainBitmapPressed, kPlayListMainBitmap},
}};

// ---- strips ----

// Frames side by side: the bitmap is the frame size given by another key
// times the number of frames.
struct Strip {
    std::string_view BitmapKey;
    std::string_view SizeKey;
    int Frames;
};
inline constexpr Strip kTimeStrip{kTimeFontBitmap, kTimeFontBitmapSize, 13}; // 0-9, colon, slash, space
inline constexpr Strip kVolumeStrip{kVolumeBitmap, kVolumeImageSize, 28};
inline constexpr Strip kPanStrip{kPanBitmap, kPanImageSize, 24};
inline constexpr std::array<const Strip*, 3> kStrips = {&kTimeStrip, &kVolumeStrip, &kPanStrip};

// ---- the main window, alone and joined with the equalizer ----

inline constexpr int32_t kWindowWidth = 275;
inline constexpr int32_t kWindowHeight = 116;
// The equalizer has the main window's size; joined, one stands on the other.
inline constexpr int32_t kJoinedHeight = 2 * kWindowHeight;

struct JoinedLayout {
    int32_t MainTop;
    int32_t EqTop;
};
// Where the main and equalizer parts stand in a joined image.
constexpr JoinedLayout JoinedLayoutOf(bool equalizerOnTop)
{
    return equalizerOnTop ? JoinedLayout{kWindowHeight, 0} : JoinedLayout{0, kWindowHeight};
}

// ---- files of one skin ----

// The player's small-mode skin: every definition switches to it, but it
// belongs to the player's installation, not to a skin.
inline constexpr std::string_view kSmallModeDefinition = "Small.ssf";
inline constexpr std::string_view kDefinitionExtension = ".ssf";
// What an equalizer definition's name ends with.
inline constexpr std::string_view kEqDefinitionEnding = "_EQ.ssf";

} // namespace tf::ssf

namespace tf {

// The file name of the path without its extension (from its last ".").
std::string DefinitionBaseName(const std::filesystem::path& ssfPath);
// The path with its extension replaced by "_EQ.ssf" (appended when none).
std::filesystem::path EqDefinitionPath(const std::filesystem::path& ssfPath);
// The names any save to ssfPath may write, whatever its settings: every
// image, the definition and its _EQ partner. (The folder's lock and the
// save's journal are named by the platform's safe writing.)
std::vector<std::string> SkinFileNames(const std::filesystem::path& ssfPath);

} // namespace tf
