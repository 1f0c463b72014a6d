#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <filesystem>
#include <string_view>

namespace tf {

// Reads an image by its content, not its name: BMP content (every kind found
// in real skins) by our own decoder, which follows Windows where Qt's BMP
// reader does not; PNG, JPEG and other formats through QImageReader.
// The result is QImage::Format_RGB32. Throws AppError (ErrorKind::FileOpen or
// ErrorKind::BadImage) with a message that names the file; never allocates
// what a header claims before checking it against the file and the limits.
QImage DecodeImageFile(const std::filesystem::path& path);

// The same on bytes already read; name is used only in messages.
QImage DecodeImageBytes(std::string_view bytes, const QString& name);

// An uncompressed 24-bit BMP: "BM" file header, 40-byte information header,
// rows bottom-up, each padded to 4 bytes, 3780 pixels per metre. A null
// image gives an empty array.
QByteArray EncodeBmp24(const QImage& image);

} // namespace tf
