#include "platform/Bitmap.h"
#include "platform/Region.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tf {
namespace {

// A one-row source whose pixel i has red value i + 1, so a destination pixel
// tells which source column it came from (0 means untouched).
Bitmap IndexRow(int width)
{
    Bitmap row(width, 1);
    for (int x = 0; x < width; ++x)
        row.setPixel(x, 0, MakeColor(x + 1, 0, 0));
    return row;
}

std::vector<int> SourceIndices(const Bitmap& dest)
{
    std::vector<int> indices;
    for (int x = 0; x < dest.width(); ++x)
        indices.push_back(RedOf(dest.pixel(x, 0)) - 1);
    return indices;
}

std::vector<int> Stretch(int sourceWidth, int destWidth)
{
    const Bitmap source = IndexRow(sourceWidth);
    Bitmap dest(destWidth, 1);
    dest.copy(source, {0, 0, sourceWidth, 1}, {0, 0, destWidth, 1});
    return SourceIndices(dest);
}

TEST(BitmapCopy, StretchMapsByNearestPixelAsGdiDoes)
{
    EXPECT_EQ(Stretch(1, 2), (std::vector<int>{0, 0}));
    EXPECT_EQ(Stretch(2, 5), (std::vector<int>{0, 0, 0, 1, 1}));
    EXPECT_EQ(Stretch(3, 7), (std::vector<int>{0, 0, 1, 1, 1, 2, 2}));
    EXPECT_EQ(Stretch(4, 6), (std::vector<int>{0, 0, 1, 2, 2, 3}));
    EXPECT_EQ(Stretch(5, 5), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(BitmapCopy, ReductionTakesFirstPixelOfEachGroup)
{
    EXPECT_EQ(Stretch(4, 2), (std::vector<int>{0, 2}));
    EXPECT_EQ(Stretch(5, 2), (std::vector<int>{0, 3}));
    EXPECT_EQ(Stretch(5, 3), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(Stretch(10, 4), (std::vector<int>{0, 3, 5, 8}));
}

TEST(BitmapCopy, SourcePixelsOutsideTheSourceAreNotDrawn)
{
    const Bitmap source = IndexRow(4);
    Bitmap dest(8, 1);
    dest.copy(source, {2, 0, 6, 1}, {0, 0, 8, 1});
    EXPECT_EQ(SourceIndices(dest), (std::vector<int>{2, 2, 3, 3, -1, -1, -1, -1}));

    // A knob copy from below a short bitmap leaves the destination alone.
    Bitmap strip(20, 13);
    strip.fillAll(MakeColor(9, 9, 9));
    const Bitmap shortVolume(68, 419);
    strip.copy(shortVolume, {15, 422, 29, 433}, {0, 1, 14, 12});
    EXPECT_EQ(strip.pixel(3, 3), MakeColor(9, 9, 9));
}

TEST(BitmapCopy, DestinationPixelsOutsideTheImageAreDropped)
{
    const Bitmap source = IndexRow(4);
    Bitmap dest(3, 1);
    dest.copy(source, {0, 0, 4, 1}, {-1, 0, 3, 1});
    EXPECT_EQ(SourceIndices(dest), (std::vector<int>{1, 2, 3}));
    // A 276-wide title copy onto a 275-wide image loses only its last column.
    Bitmap wide(276, 1);
    wide.setPixel(274, 0, kWhite);
    wide.setPixel(275, 0, kMagenta);
    Bitmap title(275, 1);
    title.copy(wide, {0, 0, 276, 1}, {0, 0, 276, 1});
    EXPECT_EQ(title.pixel(274, 0), kWhite);
}

// Source rows "B G" over "R A".
Bitmap Quad()
{
    Bitmap quad(2, 2);
    quad.setPixel(0, 0, MakeColor(0, 0, 255));
    quad.setPixel(1, 0, MakeColor(0, 255, 0));
    quad.setPixel(0, 1, MakeColor(255, 0, 0));
    quad.setPixel(1, 1, MakeColor(255, 255, 255));
    return quad;
}

std::string Letters(const Bitmap& bitmap)
{
    std::string text;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            const Color c = bitmap.pixel(x, y);
            text += c == MakeColor(0, 0, 255)     ? 'B'
                : c == MakeColor(0, 255, 0)       ? 'G'
                : c == MakeColor(255, 0, 0)       ? 'R'
                : c == MakeColor(255, 255, 255)   ? 'A'
                                                  : '.';
        }
        if (y == 0)
            text += '/';
    }
    return text;
}

std::string CopyQuad(Rect dest, Rect source)
{
    Bitmap out(2, 2);
    out.copy(Quad(), source, dest);
    return Letters(out);
}

Rect XYWH(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

TEST(BitmapCopy, InvertedRectanglesMirror)
{
    EXPECT_EQ(CopyQuad(XYWH(0, 0, 2, 2), XYWH(1, 0, -2, 2)), "GB/AR");
    EXPECT_EQ(CopyQuad(XYWH(1, 0, -2, 2), XYWH(0, 0, 2, 2)), "GB/AR");
    EXPECT_EQ(CopyQuad(XYWH(0, 0, 2, 2), XYWH(0, 1, 2, -2)), "RA/BG");
    EXPECT_EQ(CopyQuad(XYWH(0, 0, 2, 2), XYWH(1, 1, -2, -2)), "AR/GB");
    EXPECT_EQ(CopyQuad(XYWH(1, 1, -2, -2), XYWH(0, 0, 2, 2)), "AR/GB");
    // No axis mirrors: both rectangles are normalised first.
    EXPECT_EQ(CopyQuad(XYWH(0, 2, 2, -2), XYWH(0, 2, 2, -2)), "BG/RA");
}

TEST(BitmapCopy, ClipRegionLimitsWhatChanges)
{
    Bitmap dest(4, 4);
    const std::vector<Point> triangle{{0, 0}, {4, 0}, {0, 4}};
    dest.setClip(std::make_shared<Region>(
        *Region::FromPolygons(triangle, std::vector<int32_t>{3}, Rect{0, 0, 4, 4})));
    Bitmap white(4, 4);
    white.fillAll(kWhite);
    dest.copy(white, {0, 0, 4, 4}, {0, 0, 4, 4});
    EXPECT_EQ(dest.pixel(0, 0), kWhite);
    EXPECT_EQ(dest.pixel(3, 0), kWhite);
    EXPECT_EQ(dest.pixel(3, 1), kBlack);
    EXPECT_EQ(dest.pixel(0, 3), kWhite);
    dest.fill({0, 0, 4, 4}, kMagenta);
    EXPECT_EQ(dest.pixel(0, 0), kMagenta);
    EXPECT_EQ(dest.pixel(3, 3), kBlack);
    dest.clearClip();
    dest.fill({0, 0, 4, 4}, kMagenta);
    EXPECT_EQ(dest.pixel(3, 3), kMagenta);
}

TEST(BitmapCopy, KeyedCopySkipsExactlyTheKeyColour)
{
    Bitmap source(4, 1);
    source.setPixel(0, 0, MakeColor(0xFF, 0x00, 0xFF));
    source.setPixel(1, 0, MakeColor(0x01, 0x02, 0x03));
    source.setPixel(2, 0, MakeColor(0xFF, 0x00, 0xFE));
    source.setPixel(3, 0, MakeColor(0xFF, 0x00, 0xFF));
    Bitmap dest(4, 1);
    dest.fillAll(MakeColor(0xAA, 0xAA, 0xAA));
    dest.copyKeyed(source, {0, 0, 4, 1}, {0, 0, 4, 1}, MakeColor(0xFF, 0x00, 0xFF));
    EXPECT_EQ(dest.pixel(0, 0), MakeColor(0xAA, 0xAA, 0xAA));
    EXPECT_EQ(dest.pixel(1, 0), MakeColor(0x01, 0x02, 0x03));
    EXPECT_EQ(dest.pixel(2, 0), MakeColor(0xFF, 0x00, 0xFE));
    EXPECT_EQ(dest.pixel(3, 0), MakeColor(0xAA, 0xAA, 0xAA));
    // Inverted rectangles draw nothing.
    Bitmap untouched(4, 1);
    untouched.copyKeyed(source, {4, 0, 0, 1}, {0, 0, 4, 1}, kWhite);
    EXPECT_EQ(untouched.pixel(1, 0), kBlack);
}

TEST(Bitmap, ResizeKeepsInsidePixelsAndBlackensNewOnes)
{
    Bitmap bitmap(2, 2);
    bitmap.fillAll(kWhite);
    bitmap.setSize(3, 1);
    EXPECT_EQ(bitmap.width(), 3);
    EXPECT_EQ(bitmap.height(), 1);
    EXPECT_EQ(bitmap.pixel(1, 0), kWhite);
    EXPECT_EQ(bitmap.pixel(2, 0), kBlack);
    EXPECT_EQ(bitmap.pixel(0, 1), kInvalidColor);
    bitmap.setSize(0, 0);
    EXPECT_TRUE(bitmap.isEmpty());
}

TEST(Bitmap, LinesExcludeTheirEndPoint)
{
    Bitmap bitmap(6, 6);
    bitmap.drawLine({1, 2}, {4, 2}, kWhite);
    EXPECT_EQ(bitmap.pixel(1, 2), kWhite);
    EXPECT_EQ(bitmap.pixel(3, 2), kWhite);
    EXPECT_EQ(bitmap.pixel(4, 2), kBlack);
    bitmap.drawLine({5, 5}, {5, -100}, kMagenta);
    EXPECT_EQ(bitmap.pixel(5, 0), kMagenta);
    EXPECT_EQ(bitmap.pixel(5, 5), kMagenta);
}

TEST(Bitmap, RefusesAbsurdSizes)
{
    EXPECT_THROW(Bitmap(20000, 1), std::exception);
    EXPECT_THROW(Bitmap(16384, 16384), std::exception);
    EXPECT_THROW(Bitmap(-1, 5), std::exception);
}

} // namespace
} // namespace tf
