#pragma once

// The two files a skin's picture is made from (main.bmp and titlebar.bmp),
// read from a skin folder or straight out of a .wsz/.zip archive without
// unpacking it. The archive is searched as an unpacked copy would be: the
// same member-name rules, letter case folded, the same skin folder found
// (FindSkinFolder), the same limits. Safe on any thread.

#include <QString>
#include <filesystem>
#include <optional>
#include <string>

namespace tf {

struct PictureFiles {
    enum class Outcome {
        Found,      // Main holds main.bmp
        NoSkin,     // a readable source without a skin in it
        Unreadable, // a damaged or unreadable archive or file
    };
    Outcome Result = Outcome::NoSkin;
    std::string Main;
    std::optional<std::string> TitleBar; // when the skin has one that came out whole
    QString Reason;                      // why NoSkin or Unreadable, in a sentence
};

// A folder that holds main.bmp, or a .wsz/.zip archive; anything else is
// NoSkin.
PictureFiles ReadPictureFiles(const std::filesystem::path& source);

} // namespace tf
