#pragma once

// What the gallery shows for one skin source: the picture of its main
// window, or why there is none.

#include <QImage>
#include <QString>
#include <filesystem>

namespace tf {

enum class PictureKind {
    Picture,    // Image holds the main window, 275 x 116
    NoSkin,     // no main.bmp in it
    Unreadable, // damaged: the archive, or a bitmap that cannot be decoded
};

struct SkinPicture {
    PictureKind Kind = PictureKind::NoSkin;
    QImage Image; // QImage::Format_RGB32, for a Picture
    QString Reason; // why not, for the others
};

// Reads main.bmp and titlebar.bmp of a skin folder or archive and composes
// the main window as the player shows it at rest. A title bar that cannot be
// decoded is left out; main.bmp that cannot be is Unreadable. Never throws;
// safe on any thread.
SkinPicture MakeSkinPicture(const std::filesystem::path& source);

} // namespace tf
