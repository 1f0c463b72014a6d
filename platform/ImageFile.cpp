#include "platform/ImageFile.h"

#include "platform/Bitmap.h"
#include "platform/BmpDecoder.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QImageWriter>

namespace tf {
namespace {

// The largest uncompressed bitmap inside the limits, with room for headers
// and trailing bytes; anything bigger is not a skin image.
constexpr std::uintmax_t kMaxImageFileBytes = std::uintmax_t(kMaxDecodedPixels) * 4 + 16ull * 1024 * 1024;

// 96 dots per inch, what Windows writes.
constexpr int kDotsPerMeter = 3780;

void CheckDecodedSize(const QSize& size, const QString& name)
{
    const long long width = size.width();
    const long long height = size.height();
    if (width > kMaxBitmapSide || height > kMaxBitmapSide || width * height > kMaxDecodedPixels)
        ThrowBadImageError(name, QCoreApplication::translate("Images", "%1 x %2 ピクセルは大きすぎます (一辺 %3、合わせて %4 ピクセルまで)")
                                     .arg(width)
                                     .arg(height)
                                     .arg(kMaxBitmapSide)
                                     .arg(kMaxDecodedPixels));
}

// PNG, JPEG and the rest, recognised by content: a device without a file
// name gives Qt no suffix to go by.
QImage DecodeOtherImage(std::string_view bytes, const QString& name)
{
    QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(int(kMaxDecodedPixels * 4 / (1024 * 1024)));
    if (!reader.canRead())
        ThrowBadImageError(name, QCoreApplication::translate("Images", "画像の形式を認識できません"));
    const QByteArray format = reader.format().toUpper();
    const QSize claimed = reader.size();
    if (claimed.isValid())
        CheckDecodedSize(claimed, name);
    const QImage image = reader.read();
    if (image.isNull())
        ThrowBadImageError(name, QCoreApplication::translate("Images", "%1 画像として読めません").arg(QString::fromLatin1(format)));
    CheckDecodedSize(image.size(), name);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage DecodeImageFile(const std::filesystem::path& path)
{
    const std::string bytes = ReadFileBytes(path, kMaxImageFileBytes);
    return DecodeImageBytes(bytes, DisplayPath(path));
}

QImage DecodeImageBytes(std::string_view bytes, const QString& name)
{
    if (bytes.empty())
        ThrowBadImageError(name, QCoreApplication::translate("Images", "ファイルが空です"));
    if (IsBmpContent(bytes))
        return DecodeBmp(bytes, name);
    return DecodeOtherImage(bytes, name);
}

QByteArray EncodeBmp24(const QImage& image)
{
    if (image.isNull())
        return {};
    // Qt writes a 32-bit RGB image as exactly the file Windows writes: 24-bit
    // BI_RGB, 40-byte header, bottom-up rows with zeroed padding. Indexed
    // images it writes at other depths, hence the conversion; the resolution
    // it takes from the image, hence the fixed value.
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.dotsPerMeterX() != kDotsPerMeter || rgb.dotsPerMeterY() != kDotsPerMeter) {
        rgb.setDotsPerMeterX(kDotsPerMeter);
        rgb.setDotsPerMeterY(kDotsPerMeter);
    }
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(rgb))
        throw AppError(ErrorKind::Other, QCoreApplication::translate("Images", "BMP ファイルを作れません (%1)").arg(writer.errorString()));
    return out;
}

} // namespace tf
