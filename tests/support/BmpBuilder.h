#pragma once

// Builds BMP files in memory, of every variant the decoder meets in real
// skins and of the broken ones it must refuse, so that a test can say which
// pixel must come out of which bytes.

#include <QRgb>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tf::test {

class BmpBuilder {
public:
    // Pixels start as raw value 0. bitCount is 1, 4, 8, 16, 24 or 32; palette
    // images get the palette of DefaultPaletteColor until palette() is called.
    BmpBuilder(int width, int height, int bitCount);

    // The raw value of pixel (x, y), y = 0 being the top row: a palette
    // index, a 16-bit word, 0xRRGGBB for 24 bits, a 32-bit word.
    BmpBuilder& pixel(int x, int y, uint32_t value);
    BmpBuilder& fill(uint32_t value);

    // The colour table as written (its length is biClrUsed unless set).
    BmpBuilder& palette(std::vector<QRgb> colors);
    BmpBuilder& colorsUsed(uint32_t count);

    // 12 (OS/2), 40, 52, 56, 108 or 124 bytes.
    BmpBuilder& headerSize(uint32_t bytes);
    BmpBuilder& topDown();
    // BI_BITFIELDS with these masks: after a 40-byte header, inside larger ones.
    BmpBuilder& bitfields(uint32_t red, uint32_t green, uint32_t blue);
    // Mask fields of a 52-byte or larger header filled without BI_BITFIELDS.
    BmpBuilder& junkMaskFields(uint32_t red, uint32_t green, uint32_t blue);
    // BI_RLE8 or BI_RLE4 with this data in place of the pixels.
    BmpBuilder& rle8(std::vector<uint8_t> data);
    BmpBuilder& rle4(std::vector<uint8_t> data);

    // Header fields written as given instead of as computed.
    BmpBuilder& fileSizeField(uint32_t value);
    BmpBuilder& sizeImageField(uint32_t value);
    BmpBuilder& pixelOffsetField(uint32_t value);
    BmpBuilder& widthField(int32_t value);
    BmpBuilder& heightField(int32_t value);
    BmpBuilder& planesField(uint16_t value);
    BmpBuilder& bitCountField(uint16_t value);
    BmpBuilder& compressionField(uint32_t value);

    BmpBuilder& trailingBytes(size_t count);
    BmpBuilder& omitLastRowPadding();
    // Drops this many bytes from the end of the finished file.
    BmpBuilder& truncateBy(size_t count);

    std::string build() const;

    // Palette entry i of the default palette: distinct for every index.
    static QRgb DefaultPaletteColor(int index);

private:
    std::string pixelBytes() const;
    std::string paletteBytes() const;
    std::string infoHeader(uint32_t sizeImage) const;

    int m_width;
    int m_height;
    int m_bitCount;
    std::vector<uint32_t> m_pixels;
    std::vector<QRgb> m_palette;
    std::optional<uint32_t> m_colorsUsed;
    uint32_t m_headerSize = 40;
    bool m_topDown = false;
    uint32_t m_compression = 0;
    std::vector<uint32_t> m_masks; // written when non-empty
    std::vector<uint8_t> m_rle;
    std::optional<uint32_t> m_fileSize, m_sizeImage, m_pixelOffset, m_compressionField;
    std::optional<int32_t> m_widthField, m_heightField;
    std::optional<uint16_t> m_planes, m_bitCountField;
    size_t m_trailing = 0;
    bool m_omitLastPadding = false;
    size_t m_truncateBy = 0;
};

} // namespace tf::test
