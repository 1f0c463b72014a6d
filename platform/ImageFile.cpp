// Temporary stand-in until the BMP decoder lands.
#include "platform/ImageFile.h"

#include "platform/Errors.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace tf {

QImage DecodeImageFile(const std::filesystem::path& path)
{
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        ThrowFileOpenError(path, file.errorString());
    const QByteArray bytes = file.readAll();
    return DecodeImageBytes(std::string_view(bytes.constData(), size_t(bytes.size())),
                            DisplayPath(path));
}

QImage DecodeImageBytes(std::string_view bytes, const QString& name)
{
    QByteArray data(bytes.data(), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull())
        throw AppError(ErrorKind::BadImage, QStringLiteral("%1 は画像ではありません").arg(name));
    return image.convertToFormat(QImage::Format_RGB32);
}

QByteArray EncodeBmp24(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return out;
}

} // namespace tf
