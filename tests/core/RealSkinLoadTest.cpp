#include "platform/ImageFile.h"
#include "skin/LoadSkin.h"
#include "sources/ArchiveExtraction.h"
#include "sources/SkinFinder.h"
#include "support/SessionFixture.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tf {
namespace {

fs::path Unpack(const std::string& archive, const test::TempFolder& into)
{
    const auto path = test::SharedSkin(archive);
    EXPECT_TRUE(path) << archive;
    ExtractArchive(*path, into.path());
    return FindSkinFolder(into.path());
}

TEST(RealSkinLoad, EverySharedSkinLoadsWithoutAMessage)
{
    TF_REQUIRE_SHARED_SKINS();
    for (const char* archive : {"base-2.91.wsz", "TopazAmp1-2.wsz", "Paper-Amp.wsz", "XMMS-Turquoise.wsz", "60.wsz"}) {
        SCOPED_TRACE(archive);
        test::TempFolder unpacked;
        const fs::path folder = Unpack(archive, unpacked);
        ASSERT_FALSE(folder.empty());
        test::SessionFixture fixture;
        EXPECT_NO_THROW(fixture.load(folder));
        EXPECT_TRUE(fixture.Prompts.shown().empty());
        const SkinState& state = fixture.state();
        EXPECT_EQ(state.MainNormalImage.width(), 275);
        EXPECT_FALSE(state.PosBarImage1.isEmpty());
        EXPECT_FALSE(fixture.Session.Previews.Playlist.isEmpty());
        EXPECT_EQ(fixture.Session.Previews.TimeDigits.width(), 117);
    }
}

TEST(RealSkinLoad, DefaultSkinPressedButtonsAreItsPressedSprites)
{
    TF_REQUIRE_SHARED_SKINS();
    test::TempFolder unpacked;
    const fs::path folder = Unpack("base-2.91.wsz", unpacked);
    test::SessionFixture fixture;
    fixture.load(folder);
    const Bitmap buttons = Bitmap::Load(folder / "CBUTTONS.BMP");
    const Bitmap& pressed = fixture.state().MainPressedImage;
    const Bitmap& normal = fixture.state().MainNormalImage;
    // previous, play, pause, stop, next (22 wide), eject (16 high).
    const Rect sources[] = {{0, 18, 23, 36}, {23, 18, 46, 36}, {46, 18, 69, 36},
                            {69, 18, 92, 36}, {92, 18, 114, 36}, {114, 16, 136, 32}};
    const Rect dests[] = {{16, 88, 39, 106}, {39, 88, 62, 106}, {62, 88, 85, 106},
                          {85, 88, 108, 106}, {108, 88, 130, 106}, {136, 89, 158, 105}};
    for (int b = 0; b < 6; ++b)
        for (int y = 0; y < sources[b].height(); ++y)
            for (int x = 0; x < sources[b].width(); ++x) {
                ASSERT_EQ(pressed.pixel(dests[b].left + x, dests[b].top + y),
                          buttons.pixel(sources[b].left + x, sources[b].top + y))
                    << "button " << b << " at " << x << ", " << y;
                ASSERT_EQ(normal.pixel(dests[b].left + x, dests[b].top + y),
                          buttons.pixel(sources[b].left + x, sources[b].top + y - (b == 5 ? 16 : 18)));
            }
    // Its text colour is the green of its font sheet, and its shadow black.
    EXPECT_EQ(fixture.state().TextColor, MakeColor(0, 226, 0));
    EXPECT_EQ(fixture.state().ShadowColor, kBlack);
}

TEST(RealSkinLoad, OutlineOfASkinWithARegionFile)
{
    TF_REQUIRE_SHARED_SKINS();
    test::TempFolder unpacked;
    const fs::path folder = Unpack("60.wsz", unpacked);
    test::SessionFixture fixture;
    fixture.load(folder);
    // Its rounded corners come out magenta, the middle does not.
    EXPECT_EQ(fixture.state().MainNormalImage.pixel(0, 0), kMagenta);
    EXPECT_EQ(fixture.state().MainNormalImage.pixel(274, 0), kMagenta);
    EXPECT_NE(fixture.state().MainNormalImage.pixel(137, 58), kMagenta);
}

} // namespace
} // namespace tf
