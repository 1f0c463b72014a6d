#include "platform/Region.h"
#include "support/ImageChecks.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tf {
namespace {

const Rect kWide{-20, -20, 400, 400};

std::optional<Region> Build(std::vector<std::vector<Point>> polygons)
{
    std::vector<Point> points;
    std::vector<int32_t> counts;
    for (const auto& polygon : polygons) {
        points.insert(points.end(), polygon.begin(), polygon.end());
        counts.push_back(int32_t(polygon.size()));
    }
    return Region::FromPolygons(points, counts, kWide);
}

std::set<std::pair<int, int>> PixelsOf(const Region& region)
{
    std::set<std::pair<int, int>> pixels;
    for (int y = kWide.top; y < kWide.bottom; ++y)
        for (const Region::Span& span : region.row(y))
            for (int x = span.Begin; x < span.End; ++x)
                pixels.insert({x, y});
    return pixels;
}

std::set<std::pair<int, int>> Box(int left, int top, int right, int bottom)
{
    std::set<std::pair<int, int>> pixels;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            pixels.insert({x, y});
    return pixels;
}

TEST(Region, RectanglePolygonCoversExactlyItsPixels)
{
    const auto region = Build({{{0, 0}, {275, 0}, {275, 116}, {0, 116}}});
    ASSERT_TRUE(region);
    EXPECT_EQ(test::PixelCount(*region), 31900);
    EXPECT_EQ(PixelsOf(*region), Box(0, 0, 275, 116));
    EXPECT_TRUE(region->contains(274, 115));
    EXPECT_FALSE(region->contains(275, 0));
    EXPECT_FALSE(region->contains(0, 116));
}

TEST(Region, TriangleInEitherOrientation)
{
    for (const auto& polygon : std::vector<std::vector<Point>>{{{0, 0}, {10, 0}, {0, 10}},
                                                               {{0, 0}, {0, 10}, {10, 0}}}) {
        const auto region = Build({polygon});
        ASSERT_TRUE(region);
        EXPECT_EQ(test::PixelCount(*region), 55);
        for (int y = 0; y < 10; ++y) {
            ASSERT_EQ(region->row(y).size(), 1u) << "row " << y;
            EXPECT_EQ(region->row(y)[0], (Region::Span{0, 10 - y})) << "row " << y;
        }
    }
}

TEST(Region, NarrowStemAndZeroWidthSpike)
{
    const auto stem = Build({{{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 20}, {5, 20}, {5, 10}, {0, 10}}});
    ASSERT_TRUE(stem);
    auto expected = Box(0, 0, 10, 10);
    for (int y = 10; y < 20; ++y)
        expected.insert({5, y});
    EXPECT_EQ(PixelsOf(*stem), expected);

    const auto spike = Build({{{0, 0}, {10, 0}, {10, 10}, {5, 10}, {5, 20}, {5, 10}, {0, 10}}});
    ASSERT_TRUE(spike);
    EXPECT_EQ(PixelsOf(*spike), Box(0, 0, 10, 10));
}

TEST(Region, ThinSliverSamplesTopLeftCorners)
{
    const auto region = Build({{{0, 0}, {20, 1}, {0, 2}}});
    ASSERT_TRUE(region);
    EXPECT_EQ(test::PixelCount(*region), 20);
    EXPECT_TRUE(region->row(0).empty());
    EXPECT_EQ(region->row(1)[0], (Region::Span{0, 20}));
}

TEST(Region, BowTie)
{
    const auto region = Build({{{0, 0}, {10, 10}, {10, 0}, {0, 10}}});
    ASSERT_TRUE(region);
    std::set<std::pair<int, int>> expected;
    for (int y = 1; y <= 4; ++y)
        for (int x = 0; x < 10; ++x)
            if (x <= y - 1 || x >= 10 - y)
                expected.insert({x, y});
    for (int x = 0; x < 10; ++x)
        expected.insert({x, 5});
    for (int y = 6; y <= 9; ++y)
        for (int x = 0; x < 10; ++x)
            if (x <= 9 - y || x >= y)
                expected.insert({x, y});
    EXPECT_EQ(PixelsOf(*region), expected);
    EXPECT_EQ(test::PixelCount(*region), 50);
}

TEST(Region, WindingIsSummedOverAllPolygons)
{
    const std::vector<Point> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    // Same orientation: the overlap has winding 2 and stays inside.
    EXPECT_EQ(test::PixelCount(*Build({square, {{5, 5}, {15, 5}, {15, 15}, {5, 15}}})), 175);
    // Opposite orientation: the overlap cancels out.
    const auto cancelled = Build({square, {{5, 5}, {5, 15}, {15, 15}, {15, 5}}});
    EXPECT_EQ(test::PixelCount(*cancelled), 150);
    EXPECT_FALSE(cancelled->contains(7, 7));
    // A reversed inner square cuts a hole.
    const auto holed = Build({square, {{3, 3}, {3, 7}, {7, 7}, {7, 3}}});
    EXPECT_EQ(test::PixelCount(*holed), 84);
    EXPECT_FALSE(holed->contains(3, 3));
    EXPECT_FALSE(holed->contains(6, 6));
    EXPECT_TRUE(holed->contains(7, 7));
    // A two-point polygon adds nothing.
    EXPECT_EQ(test::PixelCount(*Build({square, {{2, 2}, {8, 8}}})), 100);
}

TEST(Region, PentagramCentreHasWindingTwo)
{
    const auto region = Build({{{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}}});
    ASSERT_TRUE(region);
    EXPECT_EQ(test::PixelCount(*region), 2828);
    EXPECT_TRUE(region->contains(50, 50));
}

TEST(Region, LineAloneIsEmptyButExists)
{
    const auto region = Build({{{0, 0}, {10, 10}}});
    ASSERT_TRUE(region);
    EXPECT_EQ(test::PixelCount(*region), 0);
}

TEST(Region, NoRegionForBadCounts)
{
    const std::vector<Point> points{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<int32_t> empty;
    EXPECT_FALSE(Region::FromPolygons(points, empty, kWide));
    EXPECT_FALSE(Region::FromPolygons(points, std::vector<int32_t>{1, 3}, kWide));
    EXPECT_FALSE(Region::FromPolygons(points, std::vector<int32_t>{0, 3}, kWide));
    EXPECT_FALSE(Region::FromPolygons(points, std::vector<int32_t>{-4}, kWide));
    // More points asked for than given: never built from points that are not there.
    EXPECT_FALSE(Region::FromPolygons(points, std::vector<int32_t>{5}, kWide));
    EXPECT_FALSE(Region::FromPolygons(points, std::vector<int32_t>{4, 3}, kWide));
    EXPECT_TRUE(Region::FromPolygons(points, std::vector<int32_t>{4}, kWide));
}

TEST(Region, KeepsOnlyPixelsInsideBounds)
{
    const std::vector<Point> points{{-1000000000, -1000000000}, {2000000000, -1000000000},
                                    {2000000000, 2000000000},   {-1000000000, 2000000000}};
    const auto region = Region::FromPolygons(points, std::vector<int32_t>{4}, Rect{0, 0, 275, 116});
    ASSERT_TRUE(region);
    EXPECT_EQ(test::PixelCount(*region), 275 * 116);
    EXPECT_TRUE(region->row(116).empty());
    EXPECT_TRUE(region->row(-1).empty());
}

} // namespace
} // namespace tf
