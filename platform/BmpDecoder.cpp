#include "platform/BmpDecoder.h"

#include "platform/BmpBytes.h"
#include "platform/BmpHeader.h"
#include "platform/BmpPixels.h"
#include "platform/Errors.h"

#include <QCoreApplication>

namespace tf {

bool IsBmpContent(std::string_view bytes)
{
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

QImage DecodeBmp(std::string_view bytes, const ErrorSubject& name)
{
    try {
        const BmpBytes file(bytes);
        return DecodeBmpPixels(ReadBmpLayout(file), file);
    } catch (const BmpFault& fault) {
        ThrowBadImageError(name, fault.Reason);
    }
}

void ThrowBadImageError(const ErrorSubject& name, const QString& reason)
{
    AppError::Sentence sentence = [name, reason](const ShownPaths& paths) {
        return QCoreApplication::translate("Images", "%1 は読み込めないビットマップです (%2)").arg(name.shown(paths), reason);
    };
    if (name.File.empty())
        throw AppError(ErrorKind::BadImage, sentence(ShownPaths()), reason);
    throw AppError(ErrorKind::BadImage, name.File, std::move(sentence), reason);
}

} // namespace tf
