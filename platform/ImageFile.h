#pragma once

#include "platform/Errors.h"
#include "platform/FileSource.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <filesystem>
#include <optional>
#include <string_view>

namespace tf {

// Reads an image by its content, not its name: BMP content (every kind found
// in real skins) by our own decoder, which follows Windows where Qt's BMP
// reader does not; PNG, JPEG and other formats through QImageReader.
// The result is QImage::Format_RGB32. Throws AppError (ErrorKind::FileOpen or
// ErrorKind::BadImage) with a message that names the file; never allocates
// what a header claims before checking it against the file and the limits.
QImage DecodeImageFile(const std::filesystem::path& path);
// The same from a source of files.
QImage DecodeImageFile(const FileSource& source, const std::filesystem::path& path);

// The same on bytes already read; name is used only in messages (a file is
// shown as the edge that shows the error shows paths).
QImage DecodeImageBytes(std::string_view bytes, const ErrorSubject& name);

// The pixels an image file's header claims, for planning memory before
// decoding: a BMP's by its headers (the first 26 bytes will do), another
// format's as Qt reads its header. At most the decode limit; nothing when
// no header can be read.
std::optional<long long> ClaimedPixelCount(std::string_view bytes);

// An uncompressed 24-bit BMP: "BM" file header, 40-byte information header,
// rows bottom-up, each padded to 4 bytes, 3780 pixels per metre. A null
// image gives an empty array.
QByteArray EncodeBmp24(const QImage& image);

// The file of the two images one above the other, written from their rows
// as they are: EncodeBmp24 of the joined image. Both must be as wide and
// not null.
QByteArray EncodeBmp24Stacked(const QImage& top, const QImage& bottom);

} // namespace tf
