#include "skin/LoadSkin.h"
#include "support/ScriptedPrompts.h"

#include "platform/Errors.h"
#include "platform/ImageFile.h"
#include "skin/MainComposition.h"
#include "skin/TimeDigits.h"
#include "skin/GrowRect.h"
#include "skin/Playlist.h"
#include "session/PreviewPlacement.h"
#include "support/ImageChecks.h"
#include "support/SessionFixture.h"
#include "support/SkinFixture.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace tf {
namespace {

using test::FixturePixel;
using test::SessionFixture;
using test::SkinFixture;

// Every pixel of dest inside image equals the 1:1 source pixel of the fixture file.
::testing::AssertionResult HasPiece(const Bitmap& image, SourceFile file, Rect source, Rect dest)
{
    for (int y = 0; y < dest.height(); ++y)
        for (int x = 0; x < dest.width(); ++x) {
            const Color got = image.pixel(dest.left + x, dest.top + y);
            const Color want = FixturePixel(file, source.left + x, source.top + y);
            if (got != want)
                return ::testing::AssertionFailure()
                    << "pixel (" << dest.left + x << ", " << dest.top + y << ") is "
                    << test::ColorToString(got) << ", expected " << test::ColorToString(want);
        }
    return ::testing::AssertionSuccess();
}

bool AllPixels(const Bitmap& image, Color color)
{
    Bitmap filled(image.width(), image.height());
    filled.fillAll(color);
    return test::SamePixels(image, filled);
}

class LoadSkinTest : public ::testing::Test {
protected:
    test::TempFolder skinFolder;
    SkinFixture skin{skinFolder.path() / "skin"};
    SessionFixture fixture;
    SkinState& state = fixture.state();
};

TEST_F(LoadSkinTest, MainImagesAreMainBmpWithPiecesDrawnOver)
{
    skin.writeStandard().remove("region.txt");
    fixture.load(skin.folder());
    EXPECT_TRUE(fixture.Prompts.shown().empty());
    // Background outside every piece.
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kMainBmp, {20, 30, 60, 40}, {20, 30, 60, 40}));
    // Transport: released sprites in the normal and inactive images, pressed ones in the pressed image.
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kCButtonsBmp, {0, 0, 23, 18}, {16, 88, 39, 106}));
    EXPECT_TRUE(HasPiece(state.MainPressedImage, kCButtonsBmp, {0, 18, 23, 36}, {16, 88, 39, 106}));
    EXPECT_TRUE(HasPiece(state.MainInactiveImage, kCButtonsBmp, {114, 0, 136, 16}, {136, 89, 158, 105}));
    // Title bar: active row, 276 columns with the last dropped; inactive row without buttons.
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kTitleBarBmp, {27, 0, 36, 3}, {0, 0, 9, 3}));
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kTitleBarBmp, {9, 0, 18, 9}, {244, 3, 253, 12}));
    EXPECT_TRUE(HasPiece(state.MainPressedImage, kTitleBarBmp, {9, 9, 18, 18}, {244, 3, 253, 12}));
    EXPECT_TRUE(HasPiece(state.MainInactiveImage, kTitleBarBmp, {27, 15, 302, 29}, {0, 0, 275, 14}));
    // Shuffle/repeat and mono/stereo.
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kShufRepBmp, {28, 0, 75, 15}, {164, 89, 210, 104}));
    EXPECT_TRUE(HasPiece(state.MainPressedImage, kShufRepBmp, {0, 15, 28, 30}, {210, 89, 238, 104}));
    EXPECT_TRUE(HasPiece(state.MainPressedImage, kMonoSterBmp, {29, 0, 56, 12}, {212, 41, 239, 53}));
    EXPECT_TRUE(HasPiece(state.MainInactiveImage, kMonoSterBmp, {29, 12, 56, 24}, {212, 41, 239, 53}));
    // Seek bar thumbs.
    ASSERT_EQ(state.PosBarImage1.width(), 29);
    ASSERT_EQ(state.PosBarImage1.height(), 10);
    EXPECT_TRUE(HasPiece(state.PosBarImage1, kPosBarBmp, {248, 0, 277, 10}, {0, 0, 29, 10}));
    EXPECT_TRUE(HasPiece(state.PosBarImage2, kPosBarBmp, {278, 0, 307, 10}, {0, 0, 29, 10}));
    // Previews copy the normal images.
    EXPECT_TRUE(test::SamePixels(fixture.Session.Previews.MainPreview, state.MainNormalImage));
    EXPECT_TRUE(test::SamePixels(fixture.Session.Previews.EqPreview, state.EqNormalImage));
}

TEST_F(LoadSkinTest, EqualizerImagesAndTheirTitleRows)
{
    skin.writeStandard().remove("region.txt").remove("titlebar.bmp");
    fixture.load(skin.folder());
    EXPECT_TRUE(HasPiece(state.EqNormalImage, kEqMainBmp, {0, 134, 275, 148}, {0, 0, 275, 14}));
    EXPECT_TRUE(HasPiece(state.EqPressedImage, kEqMainBmp, {0, 149, 275, 163}, {0, 0, 275, 14}));
    EXPECT_TRUE(HasPiece(state.EqInactiveImage, kEqMainBmp, {0, 0, 275, 14}, {0, 0, 275, 14}));
    // Sliders: 13-wide 0 dB track, the 11 x 11 knob 1 in and 26 down.
    EXPECT_TRUE(HasPiece(state.EqNormalImage, kEqMainBmp, {13, 229, 26, 255}, {21, 38, 34, 64}));
    EXPECT_TRUE(HasPiece(state.EqNormalImage, kEqMainBmp, {0, 164, 11, 175}, {22, 64, 33, 75}));
    EXPECT_TRUE(HasPiece(state.EqInactiveImage, kEqMainBmp, {0, 164, 11, 175}, {241, 64, 252, 75}));
    // Graph, centre line, ON / AUTO / PRESETS.
    EXPECT_TRUE(HasPiece(state.EqNormalImage, kEqMainBmp, {0, 294, 113, 313}, {86, 17, 199, 26}));
    EXPECT_TRUE(HasPiece(state.EqNormalImage, kEqMainBmp, {0, 314, 113, 315}, {86, 26, 199, 27}));
    EXPECT_TRUE(HasPiece(state.EqPressedImage, kEqMainBmp, {224, 164, 268, 176}, {217, 18, 261, 30}));
    // Without titlebar.bmp the equalizer's close buttons stay in the main images.
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kEqMainBmp, {0, 116, 9, 125}, {264, 3, 273, 12}));
    EXPECT_TRUE(HasPiece(state.MainPressedImage, kEqMainBmp, {0, 125, 9, 134}, {264, 3, 273, 12}));
    EXPECT_TRUE(HasPiece(state.MainInactiveImage, kMainBmp, {264, 3, 273, 12}, {264, 3, 273, 12}));
}

TEST_F(LoadSkinTest, OutlineMakesEverythingOutsideItMagenta)
{
    skin.writeStandard();
    fixture.load(skin.folder());
    for (const Bitmap* image : {&state.MainNormalImage, &state.MainPressedImage, &state.MainInactiveImage}) {
        EXPECT_EQ(image->pixel(0, 0), kMagenta);
        EXPECT_EQ(image->pixel(274, 115), kMagenta);
        EXPECT_EQ(image->pixel(0, 115), kMagenta);
        EXPECT_NE(image->pixel(1, 0), kMagenta);
        EXPECT_NE(image->pixel(0, 1), kMagenta);
        EXPECT_EQ(image->clip(), nullptr) << "clips are dropped when the load ends";
    }
    EXPECT_EQ(state.EqNormalImage.pixel(0, 0), FixturePixel(kEqMainBmp, 0, 134));
}

TEST_F(LoadSkinTest, OutlineSectionWithoutKeysTakesThemFromTheNextSection)
{
    skin.writeStandard().writeText("region.txt",
                                   "[Normal]\r\n[Equalizer]\r\nNumPoints=3\r\nPointList=0,0,275,0,0,116\r\n");
    fixture.load(skin.folder());
    // The main images take the equalizer's triangle: the lower right half is magenta.
    EXPECT_EQ(state.MainNormalImage.pixel(274, 115), kMagenta);
    EXPECT_EQ(state.MainNormalImage.pixel(10, 20), FixturePixel(kMainBmp, 10, 20));
    EXPECT_EQ(state.EqNormalImage.pixel(274, 115), kMagenta);
}

TEST_F(LoadSkinTest, OutlineAskingForMissingPointsLeavesImagesUnclipped)
{
    // Only a Normal section: the equalizer reuses its counts with no points.
    skin.writeStandard().writeText("region.txt", "[Normal]\r\nNumPoints=4,4\r\nPointList=0,0,10,0,10,10,0,10\r\n");
    fixture.load(skin.folder());
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kMainBmp, {20, 30, 60, 40}, {20, 30, 60, 40}));
    EXPECT_TRUE(HasPiece(state.EqInactiveImage, kEqMainBmp, {0, 0, 275, 14}, {0, 0, 275, 14}));
}

TEST_F(LoadSkinTest, WithoutRegionNothingIsFilled)
{
    skin.writeBitmap(kMainBmp, 275, 116);
    fixture.load(skin.folder());
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kMainBmp, {0, 0, 275, 116}, {0, 0, 275, 116}));
    EXPECT_TRUE(HasPiece(state.MainInactiveImage, kMainBmp, {0, 0, 275, 116}, {0, 0, 275, 116}));
}

TEST_F(LoadSkinTest, OnlyMainBmpKeepsWhatThePreviousSkinLeft)
{
    skin.writeStandard();
    fixture.load(skin.folder());
    const Bitmap eqBefore = state.EqNormalImage;
    const Bitmap posBarBefore = state.PosBarImage1;
    const Color textBefore = state.TextColor;
    ASSERT_FALSE(eqBefore.isEmpty());

    SkinFixture other(skinFolder.path() / "other");
    other.writeBitmap("main.bmp", test::FixtureImage(kNumbersBmp, 275, 116));
    fixture.load(other.folder());
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kNumbersBmp, {0, 0, 275, 116}, {0, 0, 275, 116}));
    EXPECT_TRUE(test::SamePixels(state.EqNormalImage, eqBefore));
    EXPECT_TRUE(test::SamePixels(state.PosBarImage1, posBarBefore));
    EXPECT_EQ(state.TextColor, textBefore);
    EXPECT_TRUE(state.VolumeImage.isEmpty());
    EXPECT_FALSE(state.HasVolumeImage);
    EXPECT_TRUE(state.PanImage.isEmpty());
    EXPECT_FALSE(state.HasPanImage);
    EXPECT_EQ(state.ScrollTextFont(), TFontSetting{});
    EXPECT_TRUE(state.ShowTime && state.ShowInfo && state.ShowScrollText && state.ShowSeekBar && state.ShowAnalyzer);
    // The default "MS UI Gothic" at 8 points is 11 pixels high: 25 + 11 + 2.
    EXPECT_EQ(state.ScrollTextRect(), (Rect{112, 25, 263, 38}));
}

TEST_F(LoadSkinTest, EqualizerSwitchedOffLeavesEqualizerImagesAlone)
{
    skin.writeStandard().remove("region.txt").remove("titlebar.bmp");
    fixture.Session.Editor.ShowEqualizer = false;
    fixture.load(skin.folder());
    EXPECT_TRUE(test::SamePixels(state.EqNormalImage, Bitmap(275, 116)));
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kMainBmp, {264, 3, 273, 12}, {264, 3, 273, 12}));
    // Switching it on later shows what the last load with it on composed: nothing yet.
    fixture.Session.Editor.ShowEqualizer = true;
    EXPECT_TRUE(AllPixels(state.EqNormalImage, kBlack));
}

TEST_F(LoadSkinTest, OutlineLeavesASwitchedOffEqualizerAlone)
{
    skin.writeStandard();
    fixture.load(skin.folder());
    const Bitmap before = state.EqNormalImage;
    SkinFixture other(skinFolder.path() / "other");
    other.writeStandard().writeText("region.txt", "[Equalizer]\r\nNumPoints=3\r\nPointList=0,0,275,0,0,116\r\n");
    fixture.Session.Editor.ShowEqualizer = false;
    fixture.load(other.folder());
    EXPECT_TRUE(test::SamePixels(state.EqNormalImage, before));
}

TEST_F(LoadSkinTest, OutlineStaysMagentaWhereASmallBackgroundDoesNotReach)
{
    skin.writeStandard().writeBitmap(kMainBmp, 200, 100);
    fixture.load(skin.folder());
    EXPECT_EQ(state.MainNormalImage.pixel(0, 0), kMagenta);     // outside the outline
    EXPECT_EQ(state.MainNormalImage.pixel(250, 20), kMagenta);  // inside, beyond main.bmp
    EXPECT_EQ(state.MainNormalImage.pixel(150, 50), FixturePixel(kMainBmp, 150, 50));
}

TEST_F(LoadSkinTest, LoadingTwiceGivesIdenticalImages)
{
    skin.writeStandard();
    fixture.load(skin.folder());
    const SkinState first = state;
    fixture.load(skin.folder());
    for (auto member : {&SkinState::MainNormalImage, &SkinState::MainPressedImage,
                        &SkinState::MainInactiveImage, &SkinState::EqNormalImage,
                        &SkinState::EqPressedImage, &SkinState::EqInactiveImage,
                        &SkinState::PosBarImage1, &SkinState::PosBarImage2,
                        &SkinState::VolumeImage, &SkinState::PanImage})
        EXPECT_TRUE(test::SamePixels((state.*member), first.*member));
    EXPECT_EQ(state.ScrollTextRect(), first.ScrollTextRect());
}

TEST_F(LoadSkinTest, ZeroEqualizerSlotsAskFortyEightTimes)
{
    skin.writeStandard();
    fixture.state().PartRects.fill(Rect{});
    fixture.load(skin.folder());
    ASSERT_EQ(fixture.Prompts.shown().size(), 48u);
    EXPECT_EQ(fixture.Prompts.shown()[0].Caption, QStringLiteral("情報"));
    EXPECT_EQ(fixture.Prompts.shown()[0].Text,
              QStringLiteral("Rectの値が0より小さくなりました。デフォルトの値を使用します。"));
}

TEST(GrowRect, GrowsOutwardAndAsksWhenASideGoesNegative)
{
    ScriptedPrompts prompts;
    EXPECT_EQ(GrowRect(prompts, {112, 25, 263, 35}, {2, 0, 0, 0}), (Rect{110, 25, 263, 35}));
    EXPECT_EQ(GrowRect(prompts, {10, 60, 23, 123}, {-1, -26, -1, -26}), (Rect{11, 86, 22, 97}));
    EXPECT_TRUE(prompts.shown().empty());
    // Confirmed with OK: the base stays.
    EXPECT_EQ(GrowRect(prompts, {112, 25, 263, 35}, {0, 30, 0, 0}), (Rect{112, 25, 263, 35}));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].Icon, MessageIcon::Information);
    // Closed any other way: the computed rectangle.
    prompts.queueAnswer(MessageAnswer::Closed);
    EXPECT_EQ(GrowRect(prompts, {112, 25, 263, 35}, {0, 30, 0, 0}), (Rect{112, -5, 263, 35}));
}

TEST(ApplyEqPlacement, PlacesThePreviews)
{
    EditorSettings editor;
    EXPECT_EQ(ApplyEqPlacement(editor), (PreviewLayout{1, 117, true, 233}));
    editor.EqualizerOnTop = true;
    EXPECT_EQ(ApplyEqPlacement(editor), (PreviewLayout{117, 1, true, 233}));
    editor.ShowEqualizer = false;
    EXPECT_EQ(ApplyEqPlacement(editor), (PreviewLayout{1, 117, false, 233}));
}

TEST_F(LoadSkinTest, FilesAreFoundInAnyLetterCase)
{
    skin.writeStandard().renameAll([](char c) { return char(std::toupper(static_cast<unsigned char>(c))); });
    ASSERT_TRUE(fs::exists(skin.path("REGION.TXT")));
    fixture.load(skin.folder());
    EXPECT_EQ(state.MainNormalImage.pixel(0, 0), kMagenta);
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kCButtonsBmp, {0, 0, 23, 18}, {16, 88, 39, 106}));
    EXPECT_TRUE(fixture.Session.Previews.Playlist.width() == 275 || fixture.Session.Previews.Playlist.isEmpty());
}

TEST_F(LoadSkinTest, BrokenBitmapIsPassedOverAndTheLoadGoesOn)
{
    skin.writeStandard().writeText("titlebar.bmp", "BM this is not a bitmap");
    fixture.load(skin.folder());
    ASSERT_EQ(fixture.Prompts.shown().size(), 1u);
    const QString& warning = fixture.Prompts.shown()[0].Text;
    EXPECT_TRUE(warning.startsWith(QStringLiteral("titlebar.bmp を使えないため、このファイルなしで読み込みました: ")))
        << warning.toStdString();
    EXPECT_TRUE(warning.contains(DisplayPath(skin.path("titlebar.bmp")))) << warning.toStdString();
    EXPECT_TRUE(state.SourcePassedOver[kTitleBarBmp]);
    // The title bar keeps main.bmp's pixels; the steps after it ran.
    EXPECT_TRUE(HasPiece(state.MainNormalImage, kMainBmp, {27, 0, 36, 3}, {27, 0, 36, 3}));
    EXPECT_TRUE(HasPiece(state.PosBarImage1, kPosBarBmp, {248, 0, 277, 10}, {0, 0, 29, 10}));
    EXPECT_EQ(fixture.Session.Previews.TimeDigits.width(), 117);
    EXPECT_EQ(state.MainNormalImage.clip(), nullptr);
}

TEST_F(LoadSkinTest, PleditBmpWithoutPleditTxtTakesTheClassicColours)
{
    skin.writeStandard().remove("pledit.txt");
    fixture.load(skin.folder());
    EXPECT_TRUE(fixture.Prompts.shown().empty());
    EXPECT_EQ((std::array{state.PlaylistNormalColor, state.PlaylistCurrentColor, state.PlaylistNormalBGColor,
                          state.PlaylistSelectedBGColor}),
              (std::array{MakeColor(0, 255, 0), kWhite, kBlack, kBlue}));
    const Rect& text = state.PlaylistTextRect;
    ASSERT_EQ(text, (Rect{12, 20, 255, 79}));
    for (int y = text.top; y < text.bottom; ++y)
        for (int x = text.left; x < text.right; ++x)
            ASSERT_EQ(fixture.Session.Previews.Playlist.pixel(x, y), kBlack) << x << "," << y;
}

// What a skin lacks of the pictures the definition names comes from the
// sample skin on a fresh start (the analyzer from the classic player's own
// colours), with one warning each; later loads keep what is there.
TEST_F(LoadSkinTest, FreshStartFillsWhatTheDefinitionNames)
{
    skin.writeStandard().remove("pledit.bmp").remove("viscolor.txt").remove("posbar.bmp");
    skin.remove("numbers.bmp").remove("nums_ex.bmp");
    fixture.load(skin.folder());

    SkinState expectedState;
    expectedState.SourceFilePaths[kMainBmp] = skin.path("main.bmp");
    PreviewPictures expected;
    const fs::path sample = test::BinFolder() / "sample";
    ASSERT_TRUE(ComposePlaylist(expectedState, expected, sample / "pledit.bmp", skin.path("pledit.txt"), 0, 0));
    ComposeSeekBar(expectedState, Bitmap::Load(sample / "posbar.bmp"));
    RenderTimeDigits(expectedState, fixture.Session.Editor, expected, sample / "numbers.bmp", {});
    const PreviewPictures& previews = fixture.Session.Previews;
    EXPECT_TRUE(test::SamePixels(previews.Playlist, expected.Playlist));
    EXPECT_EQ(state.PlaylistNormalBGColor, MakeColor(0, 0, 0x10)) << "the skin's own pledit.txt";
    EXPECT_TRUE(test::SamePixels(state.PosBarImage1, expectedState.PosBarImage1));
    EXPECT_TRUE(test::SamePixels(state.PosBarImage2, expectedState.PosBarImage2));
    EXPECT_TRUE(test::SamePixels(previews.TimeDigits, expected.TimeDigits));
    EXPECT_EQ(state.AnalyzerColors[0], MakeColor(239, 49, 16));
    EXPECT_EQ(state.AnalyzerColors[15], MakeColor(24, 132, 8));
    EXPECT_EQ(state.PeakColor, MakeColor(150, 150, 150));
    QStringList texts;
    for (const auto& shown : fixture.Prompts.shown())
        texts.append(shown.Text);
    EXPECT_EQ(texts, (QStringList{
                         QStringLiteral("posbar.bmp がないため、シークバーは同梱のスキンの画像で作りました"),
                         QStringLiteral("viscolor.txt がないため、アナライザーの色は Winamp の標準の色にしました"),
                         QStringLiteral("pledit.bmp がないため、プレイリストは同梱のスキンの画像で作りました"),
                         QStringLiteral("numbers.bmp と nums_ex.bmp がないため、時間の数字は同梱のスキンの画像で作りました")}));

    SkinFixture full(skinFolder.path() / "full");
    full.writeStandard();
    fixture.load(full.folder());
    const Bitmap playlist = previews.Playlist;
    const Bitmap analyzer = previews.Analyzer;
    const Bitmap posBar = state.PosBarImage1;
    const Bitmap digits = previews.TimeDigits;
    fixture.Prompts.clear();
    fixture.load(skin.folder());
    EXPECT_TRUE(fixture.Prompts.shown().empty());
    EXPECT_TRUE(test::SamePixels(previews.Playlist, playlist));
    EXPECT_TRUE(test::SamePixels(previews.Analyzer, analyzer));
    EXPECT_TRUE(test::SamePixels(state.PosBarImage1, posBar));
    EXPECT_TRUE(test::SamePixels(previews.TimeDigits, digits));
}

// A broken main.bmp stops the load naming it; the outline composed before it
// stays.
TEST_F(LoadSkinTest, BrokenMainBmpStopsTheLoadAfterTheOutline)
{
    skin.writeStandard().writeText("main.bmp", "BM this is not a bitmap");
    try {
        fixture.load(skin.folder());
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.message().contains(DisplayPath(skin.path("main.bmp")))) << error.what();
    }
    const Bitmap& main = state.MainNormalImage;
    EXPECT_EQ(main.pixel(0, 0), kMagenta);
    EXPECT_FALSE(HasPiece(main, kMainBmp, {20, 30, 60, 40}, {20, 30, 60, 40}));
    EXPECT_EQ(main.clip(), nullptr);
}

// Any other file that cannot be used is passed over as if it were missing,
// with a warning that names it: on a fresh start the sample stands in where
// the definition names a picture, after an earlier skin its picture stays.
TEST_F(LoadSkinTest, BrokenOptionalFileIsPassedOverWithAWarning)
{
    const struct {
        const char* Broken;
        const char* FreshStart;
    } cases[] = {
        {"eqmain.bmp", "このファイルなしで読み込みました"},
        {"pledit.bmp", "プレイリストは同梱のスキンの画像で作りました"},
        {"posbar.bmp", "シークバーは同梱のスキンの画像で作りました"},
        {"nums_ex.bmp", "このファイルなしで読み込みました"}, // numbers.bmp takes over
        {"viscolor.txt", "アナライザーの色は Winamp の標準の色にしました"},
    };
    SkinFixture full(skinFolder.path() / "full");
    full.writeStandard();
    for (const auto& c : cases) {
        skin.writeStandard().writeText(c.Broken, "");
        for (const bool afterAnother : {false, true}) {
            SessionFixture session;
            if (afterAnother)
                session.load(full.folder());
            session.Prompts.clear();
            session.load(skin.folder());
            const QString expected = QStringLiteral("%1 を使えないため、%2: %3")
                                         .arg(QString::fromLatin1(c.Broken),
                                              QString::fromUtf8(afterAnother ? "このファイルなしで読み込みました" : c.FreshStart),
                                              DisplayPath(skin.path(c.Broken)));
            ASSERT_EQ(session.Prompts.shown().size(), 1u) << c.Broken << afterAnother;
            EXPECT_TRUE(session.Prompts.shown()[0].Text.startsWith(expected)) << session.Prompts.shown()[0].Text.toStdString();
            EXPECT_TRUE(HasPiece(session.state().MainNormalImage, kCButtonsBmp, {0, 0, 23, 18}, {16, 88, 39, 106}));
        }
    }
}

// The settings panel draws again from what the load drew from: the sample's
// stand-ins, and the digit file that took over from a broken one.
TEST_F(LoadSkinTest, RedrawsUseTheFilesTheLoadDrewFrom)
{
    skin.writeStandard().remove("pledit.bmp").remove("viscolor.txt").writeText("nums_ex.bmp", "");
    fixture.load(skin.folder());
    PreviewPictures& previews = fixture.Session.Previews;
    fixture.Session.Editor.TimeFontColor = kMagenta;
    EXPECT_NO_THROW(RedrawTimeDigits(fixture.Session));
    bool slashDrawn = false; // in the new colour, in its cell
    for (int y = 0; y < previews.TimeDigits.height(); ++y)
        for (int x = 99; x < 108; ++x)
            slashDrawn = slashDrawn || previews.TimeDigits.pixel(x, y) == kMagenta;
    EXPECT_TRUE(slashDrawn);
    RedrawPlaylist(fixture.Session, 2, 1);
    EXPECT_EQ(previews.Playlist.width(), 325);
    state.AnalyzerPreviewScale = 2;
    RedrawAnalyzerPattern(fixture.Session);
    EXPECT_EQ(previews.AnalyzerPreviewSize, QSize(10, 32));
    EXPECT_EQ(state.PeakColor, MakeColor(150, 150, 150));
}

} // namespace
} // namespace tf
