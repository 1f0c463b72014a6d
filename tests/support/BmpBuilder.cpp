#include "support/BmpBuilder.h"

#include <algorithm>
#include <stdexcept>

namespace tf::test {
namespace {

void Put16(std::string& out, uint32_t value)
{
    out.push_back(char(value & 0xFF));
    out.push_back(char((value >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

BmpBuilder::BmpBuilder(int width, int height, int bitCount)
    : m_width(width)
    , m_height(height)
    , m_bitCount(bitCount)
    , m_pixels(size_t(width) * size_t(height), 0)
{
    if (bitCount <= 8)
        for (int i = 0; i < (1 << bitCount); ++i)
            m_palette.push_back(DefaultPaletteColor(i));
}

QRgb BmpBuilder::DefaultPaletteColor(int index)
{
    return qRgb(index, 255 - index, (index * 37) & 0xFF);
}

BmpBuilder& BmpBuilder::pixel(int x, int y, uint32_t value)
{
    m_pixels.at(size_t(y) * size_t(m_width) + size_t(x)) = value;
    return *this;
}

BmpBuilder& BmpBuilder::fill(uint32_t value)
{
    std::fill(m_pixels.begin(), m_pixels.end(), value);
    return *this;
}

BmpBuilder& BmpBuilder::palette(std::vector<QRgb> colors)
{
    m_palette = std::move(colors);
    return *this;
}

BmpBuilder& BmpBuilder::colorsUsed(uint32_t count) { m_colorsUsed = count; return *this; }
BmpBuilder& BmpBuilder::headerSize(uint32_t bytes) { m_headerSize = bytes; return *this; }
BmpBuilder& BmpBuilder::topDown() { m_topDown = true; return *this; }

BmpBuilder& BmpBuilder::bitfields(uint32_t red, uint32_t green, uint32_t blue)
{
    m_compression = 3;
    m_masks = {red, green, blue};
    return *this;
}

BmpBuilder& BmpBuilder::junkMaskFields(uint32_t red, uint32_t green, uint32_t blue)
{
    m_masks = {red, green, blue};
    return *this;
}

BmpBuilder& BmpBuilder::rle8(std::vector<uint8_t> data)
{
    m_compression = 1;
    m_rle = std::move(data);
    return *this;
}

BmpBuilder& BmpBuilder::rle4(std::vector<uint8_t> data)
{
    m_compression = 2;
    m_rle = std::move(data);
    return *this;
}

BmpBuilder& BmpBuilder::fileSizeField(uint32_t value) { m_fileSize = value; return *this; }
BmpBuilder& BmpBuilder::sizeImageField(uint32_t value) { m_sizeImage = value; return *this; }
BmpBuilder& BmpBuilder::pixelOffsetField(uint32_t value) { m_pixelOffset = value; return *this; }
BmpBuilder& BmpBuilder::widthField(int32_t value) { m_widthField = value; return *this; }
BmpBuilder& BmpBuilder::heightField(int32_t value) { m_heightField = value; return *this; }
BmpBuilder& BmpBuilder::planesField(uint16_t value) { m_planes = value; return *this; }
BmpBuilder& BmpBuilder::bitCountField(uint16_t value) { m_bitCountField = value; return *this; }
BmpBuilder& BmpBuilder::compressionField(uint32_t value) { m_compressionField = value; return *this; }
BmpBuilder& BmpBuilder::trailingBytes(size_t count) { m_trailing = count; return *this; }
BmpBuilder& BmpBuilder::omitLastRowPadding() { m_omitLastPadding = true; return *this; }
BmpBuilder& BmpBuilder::truncateBy(size_t count) { m_truncateBy = count; return *this; }

std::string BmpBuilder::pixelBytes() const
{
    if (m_compression == 1 || m_compression == 2)
        return std::string(m_rle.begin(), m_rle.end());
    const size_t rowBytes = (size_t(m_width) * size_t(m_bitCount) + 7) / 8;
    const size_t stride = (size_t(m_width) * size_t(m_bitCount) + 31) / 32 * 4;
    std::string out;
    for (int fileRow = 0; fileRow < m_height; ++fileRow) {
        const int y = m_topDown ? fileRow : m_height - 1 - fileRow;
        std::string row(stride, '\0');
        for (int x = 0; x < m_width; ++x) {
            const uint32_t value = m_pixels[size_t(y) * size_t(m_width) + size_t(x)];
            if (m_bitCount < 8) {
                const size_t bit = size_t(x) * size_t(m_bitCount);
                const int shift = 8 - m_bitCount - int(bit % 8);
                row[bit / 8] = char(uint8_t(row[bit / 8]) | uint8_t(value << shift));
            } else {
                for (int b = 0; b < m_bitCount / 8; ++b)
                    row[size_t(x) * size_t(m_bitCount / 8) + size_t(b)] = char((value >> (8 * b)) & 0xFF);
            }
        }
        const bool last = fileRow == m_height - 1;
        out += row.substr(0, last && m_omitLastPadding ? rowBytes : stride);
    }
    return out;
}

std::string BmpBuilder::paletteBytes() const
{
    std::string out;
    for (QRgb color : m_palette) {
        out.push_back(char(qBlue(color)));
        out.push_back(char(qGreen(color)));
        out.push_back(char(qRed(color)));
        if (m_headerSize != 12)
            out.push_back('\0');
    }
    return out;
}

std::string BmpBuilder::infoHeader(uint32_t sizeImage) const
{
    std::string out;
    Put32(out, m_headerSize);
    const int32_t height = m_heightField.value_or(m_topDown ? -m_height : m_height);
    const int32_t width = m_widthField.value_or(m_width);
    if (m_headerSize == 12) {
        Put16(out, uint32_t(width));
        Put16(out, uint32_t(height));
        Put16(out, m_planes.value_or(1));
        Put16(out, m_bitCountField.value_or(uint16_t(m_bitCount)));
        return out;
    }
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, m_planes.value_or(1));
    Put16(out, m_bitCountField.value_or(uint16_t(m_bitCount)));
    Put32(out, m_compressionField.value_or(m_compression));
    Put32(out, sizeImage);
    Put32(out, 3780);
    Put32(out, 3780);
    Put32(out, m_colorsUsed.value_or(m_bitCount <= 8 ? uint32_t(m_palette.size()) : 0));
    Put32(out, 0);
    if (m_headerSize >= 52) {
        for (size_t i = 0; i < 3; ++i)
            Put32(out, m_masks.empty() ? 0 : m_masks[i]);
    } else if (!m_masks.empty() && m_compression != 3) {
        throw std::logic_error("junk mask fields need a header of 52 bytes or more");
    }
    out.resize(m_headerSize, '\0');
    return out;
}

std::string BmpBuilder::build() const
{
    const std::string pixels = pixelBytes();
    std::string afterHeader;
    if (m_compression == 3 && m_headerSize == 40)
        for (uint32_t mask : m_masks)
            Put32(afterHeader, mask);
    if (m_bitCount <= 8)
        afterHeader += paletteBytes();

    const uint32_t offset = 14 + m_headerSize + uint32_t(afterHeader.size());
    std::string out = "BM";
    Put32(out, m_fileSize.value_or(offset + uint32_t(pixels.size()) + uint32_t(m_trailing)));
    Put32(out, 0);
    Put32(out, m_pixelOffset.value_or(offset));
    out += infoHeader(m_sizeImage.value_or(uint32_t(pixels.size())));
    out += afterHeader;
    out += pixels;
    out += std::string(m_trailing, '\x5A');
    out.resize(out.size() - std::min(m_truncateBy, out.size()));
    return out;
}

} // namespace tf::test
