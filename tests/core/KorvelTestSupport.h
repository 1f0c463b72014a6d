#pragma once

// Korvel skins for the tests of korvel/: converted from Winamp skins as the
// converter writes them.

#include <filesystem>
#include <string>
#include <vector>

namespace tf::test {

// Converts a skin folder or archive into ssfPath (and its "_EQ.ssf" partner
// while the equalizer is shown) with the window's initial settings. Adds a
// test failure and returns false when the conversion fails.
bool ConvertToKorvel(const std::filesystem::path& source, const std::filesystem::path& ssfPath,
                     bool showEqualizer = true);

// The bundled sample skin beside the executables.
std::filesystem::path SampleSkinFolder();

// The sample and, when ../shared is there, every archive of ../shared/skins.
std::vector<std::filesystem::path> SkinsToConvert();

// Test names may hold only letters, digits and "_".
std::string TestNameOf(const std::filesystem::path& skin);

} // namespace tf::test
