#pragma once

// The fixed content the Korvel view shows: one song playing, a playlist of
// six tracks. Texts are UTF-8.

#include <array>
#include <string_view>

namespace tf::view_sample {

inline constexpr std::string_view kSongTitle = "Tessaform サンプル - 星のかけら (3:45)";
inline constexpr std::string_view kKbps = "128";
inline constexpr std::string_view kKhz = "44";
inline constexpr std::string_view kElapsed = "12:34";

inline constexpr int kSeekPercent = 40;
inline constexpr int kVolumePercent = 75;
// The balance sits at the centre: no percentage of its own.

struct Track {
    std::string_view Title;
    std::string_view Length;
};
inline constexpr std::array<Track, 6> kTracks = {{
    {"Tessaform - オープニング", "2:58"},
    {"Tessaform - 夜明けの街", "4:12"},
    {"Tessaform サンプル - 星のかけら", "3:45"},
    {"Tessaform - 風のうた", "5:01"},
    {"Tessaform - 青い鳥", "3:20"},
    {"Tessaform - エンディング", "6:07"},
}};
inline constexpr size_t kCurrentTrack = 2;  // the third
inline constexpr size_t kSelectedTrack = 4; // the fifth
inline constexpr std::string_view kTotalTime = "25:23"; // the six lengths added up

// Analyzer: bar heights and peak heights as sixteenths of the field's height,
// low frequencies on the left; bars past the table repeat it.
inline constexpr std::array<int, 13> kBarLevels = {11, 14, 15, 12, 10, 12, 9, 7, 8, 6, 5, 3, 2};
inline constexpr std::array<int, 13> kPeakLevels = {13, 15, 16, 14, 11, 13, 11, 9, 9, 8, 6, 5, 3};

} // namespace tf::view_sample
