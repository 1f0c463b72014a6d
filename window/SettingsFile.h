#pragma once

// The settings file: four values the program remembers from one run to the
// next, in section "SKCNV" of "<executable>.ini", and three of our own on
// how the window was laid out.

#include <QRect>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace tf {

inline const QString kDefaultCurrentFolder = QStringLiteral("マイコンピュータ");

struct StoredSettings {
    QString CurrentFolder = kDefaultCurrentFolder; // Root of FD1
    QString OpenName;
    QString SaveName;
    QString TreeViewPath; // the item selected in ShellTreeView1, or empty
    // "WindowGeometry": the window's place and size when not maximised, as
    // "left top width height" of its client side; empty for the design's.
    QRect WindowGeometry;
    bool WindowMaximized = false; // "WindowMaximized", 1 or 0
    int TreeWidth = 0;            // "TreeWidth": the tree's width in pixels; 0 for the design's
    bool operator==(const StoredSettings&) const = default;
};

// The executable's path with the extension ".ini": beside the executable
// when its folder can be written, else in the user's configuration folder
// (an installed copy).
std::filesystem::path ChooseSettingsFile(const std::filesystem::path& exePath);

// A missing file or key gives the default. Throws AppError when the file
// exists but cannot be read.
StoredSettings ReadSettingsFile(const std::filesystem::path& path);

// Writes the keys in their order, keeping every other line of the file.
// The file is replaced whole or not at all; throws AppError(FileCreate).
void WriteSettingsFile(const std::filesystem::path& path, const StoredSettings& settings);

// Everything up to and including the last "\", "/" or ":"; empty when there
// is none.
QString FolderPart(const QString& value);

// Values are stored as Shift-JIS. A value that Shift-JIS cannot hold (a path
// with characters outside code page 932) is stored as UTF-8 behind a UTF-8
// byte-order mark, a byte sequence no Shift-JIS text begins with, so that
// it comes back unchanged instead of with '?' in place of its characters.
std::string EncodeSettingValue(const QString& value);
QString DecodeSettingValue(std::string_view bytes);

} // namespace tf
