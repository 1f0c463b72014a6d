// The bitmaps of the real skins in ../shared/skins: all of them decode, and
// pixels are pinned by hand or against Qt's reader where Qt reads Windows'
// way (uncompressed files).

#include "platform/ImageFile.h"
#include "support/TestPaths.h"
#include "support/ZipMembers.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tf {
namespace {

using test::ZipMember;

const char* const kSkins[] = {"base-2.91.wsz", "TopazAmp1-2.wsz", "Paper-Amp.wsz", "XMMS-Turquoise.wsz", "60.wsz"};

uint32_t Field32(const std::string& bytes, size_t at)
{
    return uint32_t(uint8_t(bytes[at])) | (uint32_t(uint8_t(bytes[at + 1])) << 8)
        | (uint32_t(uint8_t(bytes[at + 2])) << 16) | (uint32_t(uint8_t(bytes[at + 3])) << 24);
}

QImage DecodeMember(const ZipMember& member)
{
    return DecodeImageBytes(member.Bytes, QString::fromStdString(member.Name));
}

ZipMember FindMember(const std::vector<ZipMember>& members, const std::string& name)
{
    for (const ZipMember& member : members)
        if (member.Name == name)
            return member;
    throw std::runtime_error("no member " + name);
}

std::vector<ZipMember> BitmapsOf(const char* skin)
{
    const auto path = test::SharedSkin(skin);
    if (!path)
        throw std::runtime_error(std::string(skin) + " is missing from the shared skins");
    return test::ReadBmpMembers(*path);
}

TEST(RealSkinBitmaps, EveryBitmapDecodesAtItsHeaderSize)
{
    TF_REQUIRE_SHARED_SKINS();
    int decoded = 0;
    for (const char* skin : kSkins) {
        for (const ZipMember& member : BitmapsOf(skin)) {
            SCOPED_TRACE(std::string(skin) + " " + member.Name);
            const QImage image = DecodeMember(member);
            const int32_t height = int32_t(Field32(member.Bytes, 22));
            EXPECT_EQ(image.width(), int32_t(Field32(member.Bytes, 18)));
            EXPECT_EQ(image.height(), height < 0 ? -height : height);
            EXPECT_EQ(image.format(), QImage::Format_RGB32);
            ++decoded;
        }
    }
    EXPECT_EQ(decoded, 83);
}

TEST(RealSkinBitmaps, UncompressedBitmapsMatchQt)
{
    TF_REQUIRE_SHARED_SKINS();
    int compared = 0;
    for (const char* skin : kSkins) {
        for (const ZipMember& member : BitmapsOf(skin)) {
            if (Field32(member.Bytes, 30) != 0) // run-length data: Qt leaves skipped pixels undefined
                continue;
            SCOPED_TRACE(std::string(skin) + " " + member.Name);
            const QImage qt = QImage::fromData(QByteArray::fromRawData(member.Bytes.data(), qsizetype(member.Bytes.size())))
                                  .convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(qt.isNull());
            EXPECT_EQ(DecodeMember(member), qt);
            ++compared;
        }
    }
    EXPECT_EQ(compared, 57);
}

TEST(RealSkinBitmaps, RunLengthTextBitmapOfTheDefaultSkin)
{
    TF_REQUIRE_SHARED_SKINS();
    const QImage text = DecodeMember(FindMember(BitmapsOf("base-2.91.wsz"), "TEXT.BMP"));
    EXPECT_EQ(text.pixel(0, 1), qRgb(0, 226, 0));
}

TEST(RealSkinBitmaps, ThirtyTwoBitBitmapWithZeroAlphaStaysVisible)
{
    TF_REQUIRE_SHARED_SKINS();
    const ZipMember member = FindMember(BitmapsOf("60.wsz"), "monoster.bmp");
    const QImage image = DecodeMember(member);
    const size_t offset = Field32(member.Bytes, 10);
    int visible = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const size_t at = offset + size_t(image.height() - 1 - y) * size_t(image.width()) * 4 + size_t(x) * 4;
            const auto byte = [&](size_t i) { return uint8_t(member.Bytes[at + i]); };
            ASSERT_EQ(byte(3), 0) << "the file's fourth bytes are all 0";
            ASSERT_EQ(image.pixel(x, y), qRgb(byte(2), byte(1), byte(0))) << x << "," << y;
            visible += (image.pixel(x, y) & 0xFFFFFF) != 0;
        }
    }
    EXPECT_GT(visible, image.width() * image.height() / 4);
}

TEST(RealSkinBitmaps, V4HeaderBitmapsReadTheirPixelsNotTheirMaskFields)
{
    TF_REQUIRE_SHARED_SKINS();
    for (const ZipMember& member : BitmapsOf("XMMS-Turquoise.wsz")) {
        SCOPED_TRACE(member.Name);
        ASSERT_EQ(Field32(member.Bytes, 14), 108u);
        const QImage image = DecodeMember(member);
        const size_t offset = Field32(member.Bytes, 10);
        // The first stored pixel is the bottom-left one.
        EXPECT_EQ(image.pixel(0, image.height() - 1),
                  qRgb(uint8_t(member.Bytes[offset + 2]), uint8_t(member.Bytes[offset + 1]), uint8_t(member.Bytes[offset])));
    }
}

} // namespace
} // namespace tf
