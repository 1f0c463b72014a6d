#include "platform/ImageFile.h"

#include "platform/Bitmap.h"
#include "platform/BmpDecoder.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <algorithm>
#include <bit>
#include <cstring>
#include <cstdlib>

namespace tf {
namespace {

// The largest uncompressed bitmap inside the limits, with room for headers
// and trailing bytes; anything bigger is not a skin image.
constexpr std::uintmax_t kMaxImageFileBytes = std::uintmax_t(kMaxDecodedPixels) * 4 + 16ull * 1024 * 1024;

// 96 dots per inch, what Windows writes.
constexpr uint32_t kDotsPerMeter = 3780;

// File header and information header of the BMP files written.
constexpr qsizetype kBmpHeaderBytes = 14 + 40;

void CheckDecodedSize(const QSize& size, const ErrorSubject& name)
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
QImage DecodeOtherImage(std::string_view bytes, const ErrorSubject& name)
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

// One row of 32-bit pixels (0xffRRGGBB) as blue, green and red bytes;
// returns the end of what was written. Four pixels go as three words where
// the machine stores words low byte first.
uchar* WriteBgrRow(const QRgb* pixel, int width, uchar* out)
{
    int x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; x + 4 <= width; x += 4, pixel += 4, out += 12) {
            const uint32_t p0 = pixel[0] & 0xffffff, p1 = pixel[1] & 0xffffff;
            const uint32_t p2 = pixel[2] & 0xffffff, p3 = pixel[3] & 0xffffff;
            const uint32_t words[3] = {p0 | p1 << 24, p1 >> 8 | p2 << 16, p2 >> 16 | p3 << 8};
            std::memcpy(out, words, sizeof words);
        }
    }
    for (; x < width; ++x, ++pixel) {
        *out++ = uchar(qBlue(*pixel));
        *out++ = uchar(qGreen(*pixel));
        *out++ = uchar(qRed(*pixel));
    }
    return out;
}

} // namespace

QImage DecodeImageFile(const std::filesystem::path& path)
{
    return DecodeImageFile(DiskFiles(), path);
}

QImage DecodeImageBytes(std::string_view bytes, const ErrorSubject& name)
{
    if (bytes.empty())
        ThrowBadImageError(name, QCoreApplication::translate("Images", "ファイルが空です"));
    if (IsBmpContent(bytes))
        return DecodeBmp(bytes, name);
    return DecodeOtherImage(bytes, name);
}

QImage DecodeImageFile(const FileSource& source, const std::filesystem::path& path)
{
    const FileBytes bytes = source.read(path, kMaxImageFileBytes);
    return DecodeImageBytes(bytes.view(), path);
}

std::optional<long long> ClaimedPixelCount(std::string_view bytes)
{
    long long width = 0;
    long long height = 0;
    const auto u16 = [&](size_t at) { return (unsigned char)bytes[at] | (unsigned char)bytes[at + 1] << 8; };
    const auto i32 = [&](size_t at) { return int32_t(uint32_t(u16(at)) | uint32_t(u16(at + 2)) << 16); };
    if (IsBmpContent(bytes)) {
        constexpr size_t kCoreHeaderEnd = 14 + 12;
        if (bytes.size() < kCoreHeaderEnd)
            return std::nullopt;
        const bool core = i32(14) == 12; // OS/2: 16-bit sides
        if (!core && bytes.size() < 14 + 12 + 4)
            return std::nullopt;
        width = core ? u16(18) : i32(18);
        height = core ? u16(20) : i32(22);
    } else {
        QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        const QSize size = QImageReader(&buffer).size();
        if (!size.isValid())
            return std::nullopt;
        width = size.width();
        height = size.height();
    }
    return std::min(std::llabs(width) * std::llabs(height), kMaxDecodedPixels);
}

namespace {

// The file of a width x height image whose rows (top first) row gives, each
// of width 32-bit pixels.
template <typename Row>
QByteArray EncodeRows(int width, int height, const Row& row)
{
    // Written here rather than through QImageWriter, into one buffer of the
    // file's size: the writer's growing buffer cost a quarter of a
    // conversion. The bytes are those Qt writes for a 32-bit RGB image.
    const qsizetype rowBytes = (qsizetype(width) * 3 + 3) / 4 * 4;
    const qsizetype pixelBytes = rowBytes * height;
    QByteArray file(kBmpHeaderBytes + pixelBytes, Qt::Uninitialized);
    uchar* out = reinterpret_cast<uchar*>(file.data());
    const auto put16 = [&](qsizetype at, uint32_t value) {
        out[at] = uchar(value);
        out[at + 1] = uchar(value >> 8);
    };
    const auto put32 = [&](qsizetype at, uint32_t value) {
        put16(at, value);
        put16(at + 2, value >> 16);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(6, 0);
    put32(10, kBmpHeaderBytes);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    put16(26, 1);  // planes
    put16(28, 24); // bits per pixel
    put32(30, 0);  // BI_RGB
    put32(34, uint32_t(pixelBytes));
    put32(38, kDotsPerMeter);
    put32(42, kDotsPerMeter);
    put32(46, 0); // colours used
    put32(50, 0); // colours important
    for (int y = 0; y < height; ++y) {
        uchar* bytes = out + kBmpHeaderBytes + rowBytes * y;
        std::fill(WriteBgrRow(row(height - 1 - y), width, bytes), bytes + rowBytes, uchar(0));
    }
    return file;
}

QImage AsRgb32(const QImage& image)
{
    return image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

QByteArray EncodeBmp24(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage rgb = AsRgb32(image);
    return EncodeRows(rgb.width(), rgb.height(),
                      [&](int y) { return reinterpret_cast<const QRgb*>(rgb.constScanLine(y)); });
}

QByteArray EncodeBmp24Stacked(const QImage& top, const QImage& bottom)
{
    const QImage upper = AsRgb32(top);
    const QImage lower = AsRgb32(bottom);
    return EncodeRows(upper.width(), upper.height() + lower.height(), [&](int y) {
        const bool inUpper = y < upper.height();
        return reinterpret_cast<const QRgb*>(inUpper ? upper.constScanLine(y) : lower.constScanLine(y - upper.height()));
    });
}

} // namespace tf
