#include "platform/BmpHeader.h"

#include "platform/Bitmap.h"

#include <QCoreApplication>
#include <algorithm>

namespace tf {
namespace {

constexpr uint64_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12; // OS/2 BITMAPCOREHEADER
constexpr uint32_t kInfoHeaderBytes = 40; // BITMAPINFOHEADER; V2 to V5 only add to it
constexpr uint32_t kMaskFieldsEnd = 52;   // V2 and later headers hold the masks themselves
constexpr const char* kInfoHeader = QT_TRANSLATE_NOOP("Images", "情報ヘッダー");

// The fields of either header kind, widened so that no value can overflow.
struct HeaderFields {
    uint32_t HeaderBytes = 0;
    int64_t Width = 0;
    int64_t Height = 0;
    uint32_t Planes = 0;
    uint32_t BitCount = 0;
    uint32_t Compression = 0;
    uint32_t ColorsUsed = 0;
};

HeaderFields ReadHeaderFields(const BmpBytes& bytes)
{
    HeaderFields fields;
    fields.HeaderBytes = bytes.u32(kFileHeaderBytes, kInfoHeader);
    if (fields.HeaderBytes == kCoreHeaderBytes) {
        bytes.span(kFileHeaderBytes, kCoreHeaderBytes, kInfoHeader);
        fields.Width = bytes.u16(18, kInfoHeader);
        fields.Height = bytes.u16(20, kInfoHeader);
        fields.Planes = bytes.u16(22, kInfoHeader);
        fields.BitCount = bytes.u16(24, kInfoHeader);
        return fields;
    }
    // Windows takes any header of at least 40 bytes as an information header
    // and reads its first fields the same way.
    if (fields.HeaderBytes < kInfoHeaderBytes)
        FailBmp(QCoreApplication::translate("Images", "情報ヘッダーの大きさ %1 バイトには対応していません").arg(fields.HeaderBytes));
    bytes.span(kFileHeaderBytes, fields.HeaderBytes, kInfoHeader);
    fields.Width = bytes.i32(18, kInfoHeader);
    fields.Height = bytes.i32(22, kInfoHeader);
    fields.Planes = bytes.u16(26, kInfoHeader);
    fields.BitCount = bytes.u16(28, kInfoHeader);
    fields.Compression = bytes.u32(30, kInfoHeader);
    fields.ColorsUsed = bytes.u32(46, kInfoHeader);
    return fields;
}

void CheckSize(int64_t width, int64_t height)
{
    if (width <= 0)
        FailBmp(QCoreApplication::translate("Images", "幅 %1 は正しくありません").arg(width));
    if (height == 0)
        FailBmp(QCoreApplication::translate("Images", "高さが 0 です"));
    const int64_t rows = height < 0 ? -height : height;
    if (width > kMaxBitmapSide || rows > kMaxBitmapSide || width * rows > kMaxDecodedPixels)
        FailBmp(QCoreApplication::translate("Images", "%1 x %2 ピクセルは大きすぎます (一辺 %3、合わせて %4 ピクセルまで)")
                    .arg(width)
                    .arg(rows)
                    .arg(kMaxBitmapSide)
                    .arg(kMaxDecodedPixels));
}

void CheckFormat(const HeaderFields& fields)
{
    if (fields.Planes == 0)
        FailBmp(QCoreApplication::translate("Images", "プレーン数が 0 です"));
    const uint32_t bits = fields.BitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        FailBmp(QCoreApplication::translate("Images", "1 ピクセル %1 ビットのビットマップには対応していません").arg(bits));
    bool fits = false;
    switch (BmpCompression(fields.Compression)) {
    case BmpCompression::Rgb: fits = true; break;
    case BmpCompression::Rle8: fits = bits == 8; break;
    case BmpCompression::Rle4: fits = bits == 4; break;
    case BmpCompression::Bitfields: fits = bits == 16 || bits == 32; break;
    default:
        FailBmp(QCoreApplication::translate("Images", "圧縮方式 %1 には対応していません").arg(fields.Compression));
    }
    if (!fits)
        FailBmp(QCoreApplication::translate("Images", "圧縮方式 %1 は %2 ビットのビットマップには使えません")
                    .arg(fields.Compression)
                    .arg(bits));
    // Windows stores run-length data bottom-up only.
    const bool rle = fields.Compression == uint32_t(BmpCompression::Rle8)
        || fields.Compression == uint32_t(BmpCompression::Rle4);
    if (rle && fields.Height < 0)
        FailBmp(QCoreApplication::translate("Images", "圧縮されたビットマップの高さ %1 が負です").arg(fields.Height));
}

// Reads the masks and returns where the colour table starts. Masks of a
// V4 or V5 header are used only under BI_BITFIELDS: writers leave junk there
// under BI_RGB.
uint64_t ReadMasks(const BmpBytes& bytes, const HeaderFields& fields, BmpLayout& layout)
{
    const uint64_t headerEnd = kFileHeaderBytes + fields.HeaderBytes;
    if (layout.Compression != BmpCompression::Bitfields) {
        if (layout.BitCount == 16)
            layout.Masks = {0x7C00, 0x03E0, 0x001F};
        else
            layout.Masks = {0xFF0000, 0x00FF00, 0x0000FF};
        return headerEnd;
    }
    const bool inHeader = fields.HeaderBytes >= kMaskFieldsEnd;
    const uint64_t at = inHeader ? kFileHeaderBytes + kInfoHeaderBytes : headerEnd;
    for (size_t i = 0; i < 3; ++i)
        layout.Masks[i] = bytes.u32(at + 4 * i, QT_TRANSLATE_NOOP("Images", "カラーマスク"));
    return inHeader ? headerEnd : headerEnd + 12;
}

// Entries in the colour table: for palette images what the bitmap uses, at
// most 2^bits; for deeper ones the optional table that only has to be skipped.
uint64_t TableEntries(const HeaderFields& fields)
{
    const bool core = fields.HeaderBytes == kCoreHeaderBytes;
    if (fields.BitCount > 8)
        return core ? 0 : fields.ColorsUsed;
    const uint64_t full = uint64_t(1) << fields.BitCount;
    if (core || fields.ColorsUsed == 0)
        return full;
    return std::min<uint64_t>(fields.ColorsUsed, full);
}

// Reads the palette and sets the start of the pixel data. A bfOffBits that
// points inside the claimed colour table means the table is shorter than
// claimed (the missing entries read as black); one that points before the
// table, 0 included, is taken as "right after the table".
void ReadPaletteAndOffset(const BmpBytes& bytes, const HeaderFields& fields, uint64_t tableStart,
                          uint32_t pixelOffset, BmpLayout& layout)
{
    const uint64_t entrySize = fields.HeaderBytes == kCoreHeaderBytes ? 3 : 4;
    uint64_t entries = TableEntries(fields);
    if (pixelOffset >= tableStart && pixelOffset < tableStart + entries * entrySize)
        entries = (pixelOffset - tableStart) / entrySize;
    layout.Palette.fill(qRgb(0, 0, 0));
    if (layout.BitCount <= 8) {
        const std::string_view table = bytes.span(tableStart, entries * entrySize, QT_TRANSLATE_NOOP("Images", "カラーパレット"));
        for (size_t i = 0; i < entries; ++i) {
            const size_t at = size_t(i * entrySize);
            layout.Palette[i] = qRgb(BmpBytes::Byte(table, at + 2), BmpBytes::Byte(table, at + 1),
                                     BmpBytes::Byte(table, at));
        }
    }
    const uint64_t tableEnd = tableStart + entries * entrySize;
    layout.PixelOffset = pixelOffset >= tableStart ? pixelOffset : tableEnd;
    if (layout.PixelOffset > bytes.size())
        FailBmp(QCoreApplication::translate("Images", "ピクセルデータの位置 %1 がファイルの外にあります (ファイルは %2 バイトです)")
                    .arg(layout.PixelOffset)
                    .arg(bytes.size()));
}

} // namespace

BmpLayout ReadBmpLayout(const BmpBytes& bytes)
{
    if (bytes.span(0, kFileHeaderBytes, QT_TRANSLATE_NOOP("Images", "ファイルヘッダー")).substr(0, 2) != "BM")
        FailBmp(QCoreApplication::translate("Images", "先頭が BM ではありません"));
    const uint32_t pixelOffset = bytes.u32(10, QT_TRANSLATE_NOOP("Images", "ファイルヘッダー"));
    const HeaderFields fields = ReadHeaderFields(bytes);
    CheckSize(fields.Width, fields.Height);
    CheckFormat(fields);

    BmpLayout layout;
    layout.Width = int(fields.Width);
    layout.Height = int(fields.Height < 0 ? -fields.Height : fields.Height);
    layout.TopDown = fields.Height < 0;
    layout.BitCount = int(fields.BitCount);
    layout.Compression = BmpCompression(fields.Compression);
    const uint64_t tableStart = ReadMasks(bytes, fields, layout);
    ReadPaletteAndOffset(bytes, fields, tableStart, pixelOffset, layout);
    return layout;
}

} // namespace tf
