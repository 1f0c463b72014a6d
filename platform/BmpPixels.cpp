#include "platform/BmpPixels.h"

#include <QCoreApplication>
#include <algorithm>
#include <bit>

namespace tf {
namespace {

constexpr const char* kPixelData = QT_TRANSLATE_NOOP("Images", "ピクセルデータ");
constexpr const char* kRleData = QT_TRANSLATE_NOOP("Images", "ランレングス圧縮のデータ");

QImage AllocateImage(const BmpLayout& layout)
{
    QImage image(layout.Width, layout.Height, QImage::Format_RGB32);
    if (image.isNull())
        FailBmp(QCoreApplication::translate("Images", "%1 x %2 ピクセルの画像を作るメモリがありません").arg(layout.Width).arg(layout.Height));
    return image;
}

// One colour channel of a 16- or 32-bit pixel, widened to 8 bits the way
// Windows does it: by repeating the channel's high bits (5-bit 0x1F gives
// 0xFF, not 0xF8). Channels wider than 8 bits keep their top 8.
class Channel {
public:
    explicit Channel(uint32_t mask)
        : m_mask(mask)
    {
        if (mask == 0)
            return;
        m_shift = std::countr_zero(mask);
        m_width = std::bit_width(mask >> m_shift);
        if (m_width <= 8)
            for (uint32_t value = 0; value < (1u << m_width); ++value)
                m_expand[value] = uint8_t(Replicate(value, m_width));
    }

    uint32_t operator()(uint32_t pixel) const
    {
        const uint32_t value = (pixel & m_mask) >> m_shift;
        return m_width <= 8 ? m_expand[value] : value >> (m_width - 8);
    }

private:
    static uint32_t Replicate(uint32_t value, int width)
    {
        uint32_t result = 0;
        for (int position = 8 - width;; position -= width) {
            if (position < 0)
                return result | (value >> -position);
            result |= value << position;
            if (position == 0)
                return result;
        }
    }

    uint32_t m_mask;
    int m_shift = 0;
    int m_width = 0;
    std::array<uint8_t, 256> m_expand{};
};

struct Channels {
    explicit Channels(const std::array<uint32_t, 3>& masks)
        : Red(masks[0]), Green(masks[1]), Blue(masks[2])
    {
    }
    QRgb operator()(uint32_t pixel) const { return qRgb(int(Red(pixel)), int(Green(pixel)), int(Blue(pixel))); }
    Channel Red, Green, Blue;
};

void DecodeIndexedRow(const uint8_t* source, QRgb* line, const BmpLayout& layout)
{
    const int bits = layout.BitCount;
    const int perByte = 8 / bits;
    const unsigned valueMask = (1u << bits) - 1;
    for (int x = 0; x < layout.Width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1); // leftmost pixel in the high bits
        line[x] = layout.Palette[(source[x / perByte] >> shift) & valueMask];
    }
}

void Decode8BitRow(const uint8_t* source, QRgb* line, const BmpLayout& layout)
{
    for (int x = 0; x < layout.Width; ++x)
        line[x] = layout.Palette[source[x]];
}

void Decode24BitRow(const uint8_t* source, QRgb* line, int width)
{
    for (int x = 0; x < width; ++x, source += 3)
        line[x] = qRgb(source[2], source[1], source[0]);
}

uint32_t ReadLittle32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

void DecodeMaskedRow(const uint8_t* source, QRgb* line, int width, int bytesPerPixel, const Channels& channels)
{
    for (int x = 0; x < width; ++x, source += bytesPerPixel) {
        const uint32_t pixel = bytesPerPixel == 2 ? uint32_t(source[0] | (source[1] << 8)) : ReadLittle32(source);
        line[x] = channels(pixel);
    }
}

QImage DecodeUncompressed(const BmpLayout& layout, const BmpBytes& bytes)
{
    const uint64_t rowBits = uint64_t(layout.Width) * uint64_t(layout.BitCount);
    const uint64_t stride = (rowBits + 31) / 32 * 4;
    // A last row without its padding is still a whole row.
    const uint64_t needed = stride * uint64_t(layout.Height - 1) + (rowBits + 7) / 8;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.span(layout.PixelOffset, needed, kPixelData).data());

    QImage image = AllocateImage(layout);
    const bool plain32 = layout.BitCount == 32 && layout.Masks == std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    const Channels channels(layout.Masks);
    for (int row = 0; row < layout.Height; ++row) {
        const uint8_t* source = data + stride * uint64_t(row);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(layout.TopDown ? row : layout.Height - 1 - row));
        switch (layout.BitCount) {
        case 8: Decode8BitRow(source, line, layout); break;
        case 24: Decode24BitRow(source, line, layout.Width); break;
        case 16: DecodeMaskedRow(source, line, layout.Width, 2, channels); break;
        case 32:
            if (plain32) // the fourth byte is not alpha: Windows ignores it
                for (int x = 0; x < layout.Width; ++x)
                    line[x] = 0xFF000000u | (ReadLittle32(source + 4 * x) & 0xFFFFFFu);
            else
                DecodeMaskedRow(source, line, layout.Width, 4, channels);
            break;
        default: DecodeIndexedRow(source, line, layout); break;
        }
    }
    return image;
}

// Writes run-length pixels. Pixels past the end of a row are dropped, and so
// is everything above the last row; pixels never written keep palette
// entry 0, as on Windows.
class RleCanvas {
public:
    RleCanvas(const BmpLayout& layout, QImage& image)
        : m_layout(layout), m_image(image)
    {
        m_image.fill(layout.Palette[0]);
    }

    bool full() const { return m_row >= m_layout.Height; }

    // count pixels; pixel i takes index(i).
    template <typename IndexOf>
    void put(int count, IndexOf index)
    {
        const int visible = std::clamp<int64_t>(m_layout.Width - m_x, 0, count);
        if (visible > 0 && !full()) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(m_layout.Height - 1 - int(m_row)));
            for (int i = 0; i < visible; ++i)
                line[m_x + i] = m_layout.Palette[index(i)];
        }
        m_x = std::min<int64_t>(m_x + count, m_layout.Width);
    }
    void endLine()
    {
        m_x = 0;
        ++m_row;
    }
    void move(int dx, int dy)
    {
        m_x = std::min<int64_t>(m_x + dx, m_layout.Width);
        m_row += dy;
    }

private:
    const BmpLayout& m_layout;
    QImage& m_image;
    int64_t m_x = 0;
    int64_t m_row = 0; // counted from the bottom
};

// A run of count pixels of one byte: RLE8 repeats it, RLE4 alternates its
// two halves, high half first.
void PutEncodedRun(RleCanvas& canvas, bool rle4, int count, uint8_t value)
{
    if (rle4)
        canvas.put(count, [value](int i) { return i % 2 == 0 ? value >> 4 : value & 0x0F; });
    else
        canvas.put(count, [value](int) { return value; });
}

void PutAbsoluteRun(RleCanvas& canvas, bool rle4, int count, std::string_view data)
{
    if (rle4)
        canvas.put(count, [data](int i) {
            const uint8_t byte = BmpBytes::Byte(data, size_t(i / 2));
            return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
        });
    else
        canvas.put(count, [data](int i) { return BmpBytes::Byte(data, size_t(i)); });
}

QImage DecodeRunLength(const BmpLayout& layout, const BmpBytes& bytes)
{
    QImage image = AllocateImage(layout);
    RleCanvas canvas(layout, image);
    const bool rle4 = layout.Compression == BmpCompression::Rle4;
    uint64_t at = layout.PixelOffset;
    while (!canvas.full()) {
        const std::string_view op = bytes.span(at, 2, kRleData);
        at += 2;
        const uint8_t count = BmpBytes::Byte(op, 0);
        const uint8_t value = BmpBytes::Byte(op, 1);
        if (count > 0) {
            PutEncodedRun(canvas, rle4, count, value);
            continue;
        }
        switch (value) {
        case 0: canvas.endLine(); break;
        case 1: return image; // end of bitmap
        case 2: {
            const std::string_view delta = bytes.span(at, 2, kRleData);
            at += 2;
            canvas.move(BmpBytes::Byte(delta, 0), BmpBytes::Byte(delta, 1));
            break;
        }
        default: {
            const uint64_t dataBytes = rle4 ? (value + 1u) / 2 : value;
            const std::string_view data = bytes.span(at, dataBytes, kRleData);
            at += dataBytes + (dataBytes & 1); // absolute runs are padded to 16 bits
            PutAbsoluteRun(canvas, rle4, value, data);
            break;
        }
        }
    }
    return image;
}

} // namespace

QImage DecodeBmpPixels(const BmpLayout& layout, const BmpBytes& bytes)
{
    if (layout.Compression == BmpCompression::Rle8 || layout.Compression == BmpCompression::Rle4)
        return DecodeRunLength(layout, bytes);
    return DecodeUncompressed(layout, bytes);
}

} // namespace tf
