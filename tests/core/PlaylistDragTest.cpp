// The hit test and the step rule of the playlist drag, without widgets.

#include "skin/PlaylistDrag.h"

#include <gtest/gtest.h>

namespace tf {

void PrintTo(const PlaylistSteps& steps, std::ostream* out)
{
    *out << steps.Width << " x " << steps.Height << " steps";
}

namespace {

TEST(PlaylistDrag, HitTestOfA275x116Picture)
{
    const struct {
        const char* Name;
        Point Position;
        PlaylistDragMode Mode;
    } cases[] = {
        {"inside the corner reach", {272, 113}, PlaylistDragMode::Corner},
        {"corner reach ends 4 pixels out", {279, 120}, PlaylistDragMode::Corner},
        {"5 pixels out is nothing", {280, 110}, PlaylistDragMode::None},
        {"right edge above the corner", {273, 50}, PlaylistDragMode::RightEdge},
        {"bottom edge left of the corner", {100, 118}, PlaylistDragMode::BottomEdge},
        {"middle", {100, 50}, PlaylistDragMode::None},
        {"right of the picture, below it", {276, 130}, PlaylistDragMode::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HitTestPlaylist(c.Position, 275, 116), c.Mode) << c.Name;
        EXPECT_EQ(StartPlaylistDrag(c.Position, 275, 116).Active, c.Mode != PlaylistDragMode::None) << c.Name;
    }
}

TEST(PlaylistDrag, CornerDragToBothSteps)
{
    const PlaylistDrag drag = StartPlaylistDrag({274, 115}, 275, 116);
    EXPECT_EQ(PlaylistDragStep(drag, {330, 180}, {0, 0}), PlaylistSteps(2, 2));
}

TEST(PlaylistDrag, TruncationTowardZeroKeepsOneStepShortAtZero)
{
    const PlaylistDrag drag{true, PlaylistDragMode::Corner};
    for (int x = 251; x <= 299; ++x)
        EXPECT_EQ(PlaylistDragStep(drag, {x, 200}, {3, 2})->Width, 0) << x;
    EXPECT_EQ(PlaylistDragStep(drag, {250, 300}, {3, 2}), PlaylistSteps(3, 6));
    for (int y = 88; y <= 144; ++y)
        EXPECT_EQ(PlaylistDragStep(drag, {400, y}, {3, 2})->Height, 0) << y;
    EXPECT_EQ(PlaylistDragStep(drag, {400, 87}, {3, 2}), PlaylistSteps(5, 2));
}

TEST(PlaylistDrag, EdgeDragsKeepTheOtherSide)
{
    const PlaylistDrag right{true, PlaylistDragMode::RightEdge};
    const PlaylistDrag bottom{true, PlaylistDragMode::BottomEdge};
    EXPECT_EQ(PlaylistDragStep(right, {400, 400}, {1, 1}), PlaylistSteps(5, 1));
    EXPECT_EQ(PlaylistDragStep(bottom, {400, 400}, {1, 1}), PlaylistSteps(1, 9));
    // A vertical move on the right edge still recomposes, at the same size.
    EXPECT_EQ(PlaylistDragStep(right, {300, 400}, {1, 1}), PlaylistSteps(1, 1));
}

TEST(PlaylistDrag, NothingWithoutChangeOrWithoutDrag)
{
    EXPECT_FALSE(PlaylistDragStep({true, PlaylistDragMode::Corner}, {310, 150}, {1, 1}));
    EXPECT_FALSE(PlaylistDragStep({false, PlaylistDragMode::Corner}, {400, 400}, {0, 0}));
    EXPECT_FALSE(PlaylistDragStep({true, PlaylistDragMode::None}, {400, 400}, {0, 0}));
}

} // namespace
} // namespace tf
