#include "platform/Errors.h"
#include "platform/ImageFile.h"
#include "support/BmpBuilder.h"
#include "support/TestPaths.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

#include <climits>
#include <fstream>

namespace tf {
namespace {

using test::BmpBuilder;

const QString kName = QStringLiteral("test.bmp");
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGrey = 0xFF808080;

QImage Decode(const std::string& bytes)
{
    const QImage image = DecodeImageBytes(bytes, kName);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    return image;
}
QImage Decode(const BmpBuilder& builder) { return Decode(builder.build()); }

std::vector<QRgb> Row(const QImage& image, int y)
{
    std::vector<QRgb> row;
    for (int x = 0; x < image.width(); ++x)
        row.push_back(image.pixel(x, y));
    return row;
}

QRgb Entry(int index) { return BmpBuilder::DefaultPaletteColor(index); }

// The file is refused with a BadImage error that names it and gives a reason
// containing reasonPart.
void ExpectRejected(const std::string& bytes, const QString& reasonPart)
{
    try {
        DecodeImageBytes(bytes, kName);
        ADD_FAILURE() << "decoded, expected: " << reasonPart.toStdString();
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::BadImage);
        EXPECT_TRUE(error.message().startsWith(kName + QStringLiteral(" は読み込めないビットマップです (")))
            << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(reasonPart)) << error.message().toStdString();
    }
}
void ExpectRejected(const BmpBuilder& builder, const QString& reasonPart) { ExpectRejected(builder.build(), reasonPart); }

// ---- palette images ----

TEST(BmpPalette, OneAndFourBitPixelsReadHighBitsFirst)
{
    BmpBuilder oneBit(10, 1, 1);
    oneBit.palette({kRed, kBlue});
    for (int x : {0, 3, 9})
        oneBit.pixel(x, 0, 1);
    EXPECT_EQ(Row(Decode(oneBit), 0),
              (std::vector<QRgb>{kBlue, kRed, kRed, kBlue, kRed, kRed, kRed, kRed, kRed, kBlue}));

    BmpBuilder fourBit(3, 1, 4);
    fourBit.pixel(0, 0, 15).pixel(1, 0, 2).pixel(2, 0, 9);
    EXPECT_EQ(Row(Decode(fourBit), 0), (std::vector<QRgb>{Entry(15), Entry(2), Entry(9)}));
}

TEST(BmpPalette, IndicesPastTheTableReadOpaqueBlack)
{
    BmpBuilder builder(3, 1, 8);
    builder.palette({kRed, kGreen}).pixel(0, 0, 1).pixel(1, 0, 2).pixel(2, 0, 255);
    EXPECT_EQ(Row(Decode(builder), 0), (std::vector<QRgb>{kGreen, kBlack, kBlack}));
}

TEST(BmpPalette, ColorsUsedBeyondTheDepthReadsOnlyTheDepthsEntries)
{
    BmpBuilder builder(2, 1, 1);
    builder.palette({kRed, kBlue}).colorsUsed(300).pixel(1, 0, 1);
    EXPECT_EQ(Row(Decode(builder), 0), (std::vector<QRgb>{kRed, kBlue}));
}

TEST(BmpPalette, PixelOffsetDecidesWhereATableCutShortEnds)
{
    // Four entries written, 256 claimed (biClrUsed 0): the pixels start at
    // bfOffBits, and the entries past it read as black.
    BmpBuilder shortTable(3, 1, 8);
    shortTable.palette({kRed, kGreen, kBlue, kGrey}).colorsUsed(0).pixel(0, 0, 3).pixel(1, 0, 4).pixel(2, 0, 1);
    EXPECT_EQ(Row(Decode(shortTable), 0), (std::vector<QRgb>{kGrey, kBlack, kGreen}));

    // bfOffBits 0: the pixels follow the table.
    BmpBuilder noOffset(2, 1, 8);
    noOffset.palette({kRed, kGreen}).pixelOffsetField(0).pixel(1, 0, 1);
    EXPECT_EQ(Row(Decode(noOffset), 0), (std::vector<QRgb>{kRed, kGreen}));
}

TEST(BmpPalette, Os2HeaderHasThreeByteEntries)
{
    BmpBuilder builder(3, 2, 8);
    builder.headerSize(12).palette({kRed, kGreen, kBlue}).pixel(0, 0, 2).pixel(1, 0, 1).pixel(2, 1, 2);
    const QImage image = Decode(builder);
    EXPECT_EQ(Row(image, 0), (std::vector<QRgb>{kBlue, kGreen, kRed}));
    EXPECT_EQ(Row(image, 1), (std::vector<QRgb>{kRed, kRed, kBlue}));

    BmpBuilder direct(1, 1, 24);
    direct.headerSize(12).pixel(0, 0, 0x123456);
    EXPECT_EQ(Decode(direct).pixel(0, 0), qRgb(0x12, 0x34, 0x56));
}

// ---- row order ----

TEST(BmpRows, BottomUpUnlessTheHeightIsNegative)
{
    for (bool topDown : {false, true}) {
        BmpBuilder builder(2, 3, 24);
        builder.pixel(0, 0, 0xFF0000).pixel(1, 1, 0x00FF00).pixel(0, 2, 0x0000FF);
        if (topDown)
            builder.topDown();
        const QImage image = Decode(builder);
        EXPECT_EQ(image.pixel(0, 0), kRed) << topDown;
        EXPECT_EQ(image.pixel(1, 1), kGreen) << topDown;
        EXPECT_EQ(image.pixel(0, 2), kBlue) << topDown;
        EXPECT_EQ(image.pixel(1, 0), kBlack) << topDown;
    }
}

// ---- run-length data ----

TEST(BmpRunLength, Rle8RunsAbsoluteRunsAndLineEnds)
{
    BmpBuilder builder(6, 2, 8);
    builder.rle8({3, 7, 0, 3, 1, 2, 3, 0, // bottom row: run of 3, absolute run of 3 padded to 16 bits
                  0, 0,                   // end of line
                  2, 9, 0, 1});           // top row: run of 2, end of bitmap
    const QImage image = Decode(builder);
    EXPECT_EQ(Row(image, 1), (std::vector<QRgb>{Entry(7), Entry(7), Entry(7), Entry(1), Entry(2), Entry(3)}));
    EXPECT_EQ(Row(image, 0), (std::vector<QRgb>{Entry(9), Entry(9), Entry(0), Entry(0), Entry(0), Entry(0)}));
}

TEST(BmpRunLength, PixelsSkippedByDeltaTakePaletteEntryZero)
{
    BmpBuilder builder(5, 3, 8);
    builder.rle8({0, 2, 3, 1, // 3 right, 1 up
                  1, 5, 0, 1});
    const QImage image = Decode(builder);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(image.pixel(x, y), x == 3 && y == 1 ? Entry(5) : Entry(0)) << x << "," << y;
}

TEST(BmpRunLength, OutputStaysInsideTheImage)
{
    // A run longer than the row is cut at its end, not wrapped; rows above
    // the top are dropped; data after the last row needs no end mark.
    BmpBuilder builder(4, 2, 8);
    builder.rle8({6, 3, 0, 0, 1, 4, 0, 2, 200, 200, 9, 9, 0, 0, 255, 1});
    const QImage image = Decode(builder);
    EXPECT_EQ(Row(image, 1), (std::vector<QRgb>{Entry(3), Entry(3), Entry(3), Entry(3)}));
    EXPECT_EQ(Row(image, 0), (std::vector<QRgb>{Entry(4), Entry(0), Entry(0), Entry(0)}));
}

TEST(BmpRunLength, Rle4AlternatesTheTwoHalvesOfEachByte)
{
    BmpBuilder builder(5, 3, 4);
    builder.rle4({5, 0x12, 0, 0,                // run of 5 alternating 1 and 2
                  0, 3, 0x34, 0x50, 0, 0,       // absolute run of 3 in 2 bytes
                  0, 5, 0x67, 0x89, 0xA0, 0,    // absolute run of 5 in 3 bytes, padded
                  0, 1});
    const QImage image = Decode(builder);
    EXPECT_EQ(Row(image, 2), (std::vector<QRgb>{Entry(1), Entry(2), Entry(1), Entry(2), Entry(1)}));
    EXPECT_EQ(Row(image, 1), (std::vector<QRgb>{Entry(3), Entry(4), Entry(5), Entry(0), Entry(0)}));
    EXPECT_EQ(Row(image, 0), (std::vector<QRgb>{Entry(6), Entry(7), Entry(8), Entry(9), Entry(10)}));
}

TEST(BmpRunLength, DataEndingInsideTheImageIsRefused)
{
    ExpectRejected(BmpBuilder(4, 2, 8).rle8({4, 1, 0, 0, 2}), QStringLiteral("ランレングス圧縮のデータが途中で切れています"));
    ExpectRejected(BmpBuilder(4, 2, 8).rle8({4, 1, 0, 3, 1, 2}), QStringLiteral("ランレングス圧縮のデータが途中で切れています"));
    ExpectRejected(BmpBuilder(4, 2, 8).rle8({4, 1, 0, 2, 1}), QStringLiteral("ランレングス圧縮のデータが途中で切れています"));
}

TEST(BmpRunLength, TopDownRunLengthDataIsRefused)
{
    ExpectRejected(BmpBuilder(4, 2, 8).rle8({0, 1}).heightField(-2), QStringLiteral("高さ -2 が負です"));
}

// ---- 16- and 32-bit pixels ----

TEST(BmpDirect, SixteenBitChannelsRepeatTheirHighBits)
{
    BmpBuilder rgb555(4, 1, 16);
    rgb555.pixel(0, 0, 0x7FFF).pixel(1, 0, 0x7C00).pixel(2, 0, 0x0010).pixel(3, 0, 0x0001);
    EXPECT_EQ(Row(Decode(rgb555), 0), (std::vector<QRgb>{qRgb(255, 255, 255), kRed, qRgb(0, 0, 0x84), qRgb(0, 0, 0x08)}));

    BmpBuilder rgb565(4, 1, 16);
    rgb565.bitfields(0xF800, 0x07E0, 0x001F).pixel(0, 0, 0xF800).pixel(1, 0, 0x07E0).pixel(2, 0, 0x0020).pixel(3, 0, 0x001F);
    EXPECT_EQ(Row(Decode(rgb565), 0), (std::vector<QRgb>{kRed, kGreen, qRgb(0, 4, 0), kBlue}));
}

TEST(BmpDirect, ThirtyTwoBitRgbIgnoresTheFourthByte)
{
    BmpBuilder builder(2, 1, 32);
    builder.pixel(0, 0, 0x00112233).pixel(1, 0, 0x7F445566);
    EXPECT_EQ(Row(Decode(builder), 0), (std::vector<QRgb>{qRgb(0x11, 0x22, 0x33), qRgb(0x44, 0x55, 0x66)}));
}

TEST(BmpDirect, ThirtyTwoBitBitfieldsUseTheirMasks)
{
    BmpBuilder swapped(1, 1, 32);
    swapped.bitfields(0x000000FF, 0x0000FF00, 0x00FF0000).pixel(0, 0, 0x00332211);
    EXPECT_EQ(Decode(swapped).pixel(0, 0), qRgb(0x11, 0x22, 0x33));

    BmpBuilder tenBit(2, 1, 32);
    tenBit.bitfields(0x3FF00000, 0x000FFC00, 0x000003FF).pixel(0, 0, 0x3FF00000).pixel(1, 0, 0x00080200);
    EXPECT_EQ(Row(Decode(tenBit), 0), (std::vector<QRgb>{kRed, qRgb(0, 0x80, 0x80)}));
}

TEST(BmpDirect, LargerHeadersHoldTheirOwnMasks)
{
    for (uint32_t header : {52u, 56u, 108u, 124u}) {
        BmpBuilder builder(1, 1, 16);
        builder.headerSize(header).bitfields(0xF800, 0x07E0, 0x001F).pixel(0, 0, 0x07E0);
        EXPECT_EQ(Decode(builder).pixel(0, 0), kGreen) << header;
    }
}

TEST(BmpDirect, MaskFieldsAreIgnoredWithoutBitfields)
{
    // As an image program writes them: junk in the V4 mask fields, BI_RGB.
    BmpBuilder builder(1, 1, 32);
    builder.headerSize(108).junkMaskFields(0x73524742, 0, 0).pixel(0, 0, 0x00123456);
    EXPECT_EQ(Decode(builder).pixel(0, 0), qRgb(0x12, 0x34, 0x56));
}

// ---- fields that do not matter ----

TEST(BmpTolerance, WrongSizeFieldsAndTrailingBytesAreIgnored)
{
    const auto check = [](BmpBuilder builder) {
        builder.pixel(0, 0, 0x0000FF).pixel(2, 1, 0xFF0000);
        const QImage image = Decode(builder);
        EXPECT_EQ(image.pixel(0, 0), kBlue);
        EXPECT_EQ(image.pixel(2, 1), kRed);
    };
    check(BmpBuilder(3, 2, 24).fileSizeField(7));
    check(BmpBuilder(3, 2, 24).fileSizeField(0xFFFFFFFF));
    check(BmpBuilder(3, 2, 24).sizeImageField(0));
    check(BmpBuilder(3, 2, 24).sizeImageField(5));
    check(BmpBuilder(3, 2, 24).trailingBytes(100));
    check(BmpBuilder(3, 2, 24).omitLastRowPadding());
}

// ---- refused files: one case per check on the bytes ----

TEST(BmpRejection, MessageNamesTheFileAndTheFault)
{
    try {
        DecodeImageBytes(BmpBuilder(1, 1, 24).heightField(0).build(), kName);
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("test.bmp は読み込めないビットマップです (高さが 0 です)"));
    }
}

TEST(BmpRejection, FileTooShortForItsHeaders)
{
    ExpectRejected(std::string(""), QStringLiteral("ファイルが空です"));
    ExpectRejected(std::string("BM\x10\x00", 4), QStringLiteral("ファイルヘッダーが途中で切れています"));
    ExpectRejected(BmpBuilder(1, 1, 24).build().substr(0, 30), QStringLiteral("情報ヘッダーが途中で切れています"));
    ExpectRejected(BmpBuilder(1, 1, 8).truncateBy(4 + 1000), QStringLiteral("カラーパレットが途中で切れています"));
    ExpectRejected(BmpBuilder(1, 1, 16).bitfields(0xF800, 0x07E0, 0x001F).truncateBy(8),
                   QStringLiteral("カラーマスクが途中で切れています"));
}

TEST(BmpRejection, HeaderOfUnknownSize)
{
    ExpectRejected(BmpBuilder(1, 1, 24).headerSize(20), QStringLiteral("情報ヘッダーの大きさ 20 バイト"));
}

TEST(BmpRejection, SizesOutsideTheLimits)
{
    ExpectRejected(BmpBuilder(1, 1, 24).widthField(0), QStringLiteral("幅 0 は正しくありません"));
    ExpectRejected(BmpBuilder(1, 1, 24).widthField(-5), QStringLiteral("幅 -5 は正しくありません"));
    ExpectRejected(BmpBuilder(1, 1, 24).heightField(0), QStringLiteral("高さが 0 です"));
    ExpectRejected(BmpBuilder(1, 1, 24).heightField(INT_MIN), QStringLiteral("2147483648 ピクセルは大きすぎます"));
    ExpectRejected(BmpBuilder(1, 1, 24).widthField(16385), QStringLiteral("16385 x 1 ピクセルは大きすぎます"));
    ExpectRejected(BmpBuilder(1, 1, 24).widthField(16384).heightField(4097),
                   QStringLiteral("16384 x 4097 ピクセルは大きすぎます"));
    ExpectRejected(BmpBuilder(1, 1, 8).widthField(4097).heightField(4096),
                   QStringLiteral("4097 x 4096 ピクセルは大きすぎます"));
}

TEST(BmpRejection, PlanesDepthsAndCompressionsWindowsRefuses)
{
    ExpectRejected(BmpBuilder(1, 1, 24).planesField(0), QStringLiteral("プレーン数が 0 です"));
    ExpectRejected(BmpBuilder(1, 1, 24).bitCountField(2), QStringLiteral("1 ピクセル 2 ビット"));
    ExpectRejected(BmpBuilder(1, 1, 24).bitCountField(0), QStringLiteral("1 ピクセル 0 ビット"));
    ExpectRejected(BmpBuilder(1, 1, 24).compressionField(4), QStringLiteral("圧縮方式 4 には対応していません"));
    ExpectRejected(BmpBuilder(2, 1, 4).compressionField(1), QStringLiteral("圧縮方式 1 は 4 ビット"));
    ExpectRejected(BmpBuilder(1, 1, 24).compressionField(3), QStringLiteral("圧縮方式 3 は 24 ビット"));
}

TEST(BmpRejection, PixelDataOutsideOrShorterThanTheFile)
{
    ExpectRejected(BmpBuilder(1, 1, 24).pixelOffsetField(1000), QStringLiteral("ピクセルデータの位置 1000"));
    ExpectRejected(BmpBuilder(4, 4, 24).truncateBy(1), QStringLiteral("ピクセルデータが途中で切れています"));
    ExpectRejected(BmpBuilder(3, 2, 24).omitLastRowPadding().truncateBy(1),
                   QStringLiteral("ピクセルデータが途中で切れています"));
    // A header that claims the largest allowed image over a few bytes.
    ExpectRejected(BmpBuilder(1, 1, 32).widthField(4096).heightField(4096),
                   QStringLiteral("ピクセルデータが途中で切れています"));
}

// ---- content, not name, decides the decoder ----

void WriteFile(const std::filesystem::path& path, const QByteArray& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
}

QByteArray Saved(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

TEST(ImageFileContent, PngAndJpegUnderABmpNameDecode)
{
    test::TempFolder folder;
    QImage source(4, 3, QImage::Format_ARGB32);
    source.fill(qRgb(200, 40, 10));
    source.setPixel(1, 2, qRgb(0, 0, 255));
    WriteFile(folder / "main.bmp", Saved(source, "PNG"));
    const QImage png = DecodeImageFile(folder / "main.bmp");
    EXPECT_EQ(png.format(), QImage::Format_RGB32);
    EXPECT_EQ(png.pixel(1, 2), kBlue);
    EXPECT_EQ(png.pixel(0, 0), qRgb(200, 40, 10));

    WriteFile(folder / "text.bmp", Saved(source, "JPEG"));
    const QImage jpeg = DecodeImageFile(folder / "text.bmp");
    EXPECT_EQ(jpeg.size(), QSize(4, 3));
    EXPECT_EQ(jpeg.format(), QImage::Format_RGB32);
}

TEST(ImageFileContent, BmpContentUnderAnotherNameUsesOurDecoder)
{
    test::TempFolder folder;
    const std::string bytes = BmpBuilder(1, 1, 16).pixel(0, 0, 0x001F).build();
    WriteFile(folder / "picture.png", QByteArray(bytes.data(), qsizetype(bytes.size())));
    EXPECT_EQ(DecodeImageFile(folder / "picture.png").pixel(0, 0), kBlue); // Qt would give 0xF8
}

TEST(ImageFileContent, UnreadableFilesNameThePath)
{
    test::TempFolder folder;
    WriteFile(folder / "main.bmp", "just some text");
    const QString shown = DisplayPath(folder / "main.bmp");
    try {
        DecodeImageFile(folder / "main.bmp");
        ADD_FAILURE();
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::BadImage);
        EXPECT_EQ(error.message(), shown + QStringLiteral(" は読み込めないビットマップです (画像の形式を認識できません)"));
    }
    try {
        DecodeImageFile(folder / "missing.bmp");
        ADD_FAILURE();
    } catch (const AppError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::FileOpen);
        EXPECT_TRUE(error.message().contains(DisplayPath(folder / "missing.bmp")));
    }
}

// ---- writing ----

TEST(BmpWriter, ThreeByTwoImageIsTheWindowsFile)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.setDotsPerMeterX(5000); // not what is written
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, qRgb(10 * x + 1, 100 + y, 200 + x + y));
    const QByteArray bytes = EncodeBmp24(image);
    const QByteArray header = QByteArray::fromHex("42 4d 4e 00 00 00 00 00 00 00 36 00 00 00 28 00 00 00 03 00 00 00 02 00"
                                                  "00 00 01 00 18 00 00 00 00 00 18 00 00 00 c4 0e 00 00 c4 0e 00 00"
                                                  "00 00 00 00 00 00 00 00");
    ASSERT_EQ(bytes.size(), 78);
    EXPECT_EQ(bytes.left(54).toHex().toStdString(), header.toHex().toStdString());
    // Bottom row first, blue-green-red, each row padded with three zeros.
    EXPECT_EQ(bytes.mid(54).toHex().toStdString(), "c96501ca650bcb6515000000"
                                                   "c86401c9640bca6415000000");
}

// The encoder fills one buffer itself; the files must stay those Qt's writer
// made, row padding of every width included.
TEST(BmpWriter, WritesWhatQtsWriterWrites)
{
    for (const QSize size : {QSize(1, 1), QSize(2, 3), QSize(3, 1), QSize(4, 2), QSize(5, 5), QSize(275, 232)}) {
        QImage image(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                image.setPixel(x, y, qRgb((x * 37 + y) & 255, (y * 91 + x * 3) & 255, (x ^ y) & 255));
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        QByteArray qt;
        QBuffer buffer(&qt);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&buffer, "bmp").write(image));
        EXPECT_EQ(EncodeBmp24(image), qt) << size.width() << " x " << size.height();
        // Two halves written straight from their rows are the joined image.
        const int half = size.height() / 2;
        if (half > 0) {
            EXPECT_EQ(EncodeBmp24Stacked(image.copy(0, 0, size.width(), half),
                                         image.copy(0, half, size.width(), size.height() - half)),
                      qt);
        }
    }
}

TEST(BmpWriter, EveryImageIsWrittenAt24BitsAndReadsBack)
{
    QImage indexed(5, 3, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(250, 0, 128), qRgb(7, 77, 177)});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            indexed.setPixel(x, y, uint((x + y) % 3));
    QImage alpha(5, 3, QImage::Format_ARGB32);
    alpha.fill(qRgba(10, 20, 30, 0));
    for (const QImage& image : {indexed, alpha, QImage(indexed.convertToFormat(QImage::Format_Mono))}) {
        const QByteArray bytes = EncodeBmp24(image);
        EXPECT_EQ(uint8_t(bytes[28]), 24);
        const QImage back = DecodeImageBytes(std::string_view(bytes.constData(), size_t(bytes.size())), kName);
        EXPECT_EQ(back, image.convertToFormat(QImage::Format_RGB32));
    }
}

} // namespace
} // namespace tf
