#pragma once

// Our own BMP reader: every kind of BMP found in real skins, read the way
// Windows reads it where Qt's reader differs (see ImageFile.h).

#include <QImage>
#include "platform/Errors.h"

#include <QString>
#include <string_view>

namespace tf {

// The content is a BMP file: it starts with "BM".
bool IsBmpContent(std::string_view bytes);

// A QImage::Format_RGB32 image. Throws AppError(ErrorKind::BadImage) with a
// message that names the file (name) and says what is wrong with it.
QImage DecodeBmp(std::string_view bytes, const ErrorSubject& name);

// AppError(BadImage): "<name> は読み込めないビットマップです (<reason>)".
[[noreturn]] void ThrowBadImageError(const ErrorSubject& name, const QString& reason);

} // namespace tf
