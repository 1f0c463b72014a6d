#include "skin/MainComposition.h"

#include "platform/SplitRule.h"
#include "skin/GrowRect.h"
#include "skin/SkinTextFiles.h"

#include <memory>

namespace tf {
namespace {

// eqmain.bmp pieces.
constexpr Rect kEqActiveTitle{0, 134, 275, 148};
constexpr Rect kEqPressedTitle{0, 149, 275, 163};
constexpr Rect kEqTitleDest{0, 0, 275, 14};
constexpr Rect kEqCloseNormal{0, 116, 9, 125};
constexpr Rect kEqClosePressed{0, 125, 9, 134};
constexpr Rect kEqCloseDest{264, 3, 273, 12};
constexpr Rect kEqGraphDest{86, 17, 199, 36};
constexpr Rect kEqCentreLineDest{86, 26, 199, 27};
constexpr Rect kKnobInset{-1, -26, -1, -26}; // the knob inside a slider's track

// titlebar.bmp rows; the destination is one column wider than the image.
constexpr Rect kTitleActive{27, 0, 303, 14};
constexpr Rect kTitleInactive{27, 15, 303, 29};
constexpr Rect kTitleDest{0, 0, 276, 14};

// posbar.bmp thumbs.
constexpr int kThumbWidth = 29;
constexpr int kThumbLeft = 248;
constexpr int kPressedThumbLeft = 278;

// Geometry slots.
constexpr int kTransportSource = 0, kTransportPressedSource = 18, kTransportDest = 36;
constexpr int kToggleSource = 6, kTogglePressedSource = 24, kToggleDest = 42;
constexpr int kTitleButtonSource = 10, kTitleButtonPressedSource = 28, kTitleButtonDest = 46;
constexpr int kMonoSterSource = 14, kMonoSterPressedSource = 32, kMonoSterDest = 50;
constexpr int kSliderTrackSource = 67, kFirstSliderDest = 82, kSliderCount = 16;
constexpr int kGraphSource = 93, kCentreLineSource = 94, kKnobSource = 96;
constexpr int kFurtherPieces[3][2] = {{98, 99}, {101, 102}, {104, 105}}; // destination, source

// Copies the pieces of one geometry group onto the three main images: the
// normal source onto the normal and inactive images, the pressed source onto
// the pressed image.
void CopyButtonGroup(SkinState& state, const Bitmap& source, int normalSlot, int pressedSlot,
                     int destSlot, int count, bool inactiveToo = true)
{
    const auto& rects = state.PartRects;
    for (int i = 0; i < count; ++i) {
        const Rect& dest = rects[size_t(destSlot + i)];
        state.MainNormalImage.copy(source, rects[size_t(normalSlot + i)], dest);
        state.MainPressedImage.copy(source, rects[size_t(pressedSlot + i)], dest);
        if (inactiveToo)
            state.MainInactiveImage.copy(source, rects[size_t(normalSlot + i)], dest);
    }
}

std::array<Bitmap*, 3> MainImages(SkinState& state)
{
    return {&state.MainNormalImage, &state.MainPressedImage, &state.MainInactiveImage};
}

std::array<Bitmap*, 3> EqImages(SkinState& state)
{
    return {&state.EqNormalImage, &state.EqPressedImage, &state.EqInactiveImage};
}

std::shared_ptr<const Region> Shared(std::optional<Region> region)
{
    return region ? std::make_shared<const Region>(std::move(*region)) : nullptr;
}

} // namespace

void ComposeWindowOutline(SkinState& state, const TStringList& regionLines,
                          const WindowBackgrounds& backgrounds)
{
    TIntegerArray counts;
    TPointArray points;
    const auto mainClip = Shared(ReadRegion(regionLines, "Normal", counts, points));
    points.clear();
    const auto eqClip = Shared(ReadRegion(regionLines, "Equalizer", counts, points));
    const auto outline = [](Bitmap& image, const std::shared_ptr<const Region>& clip,
                            const Bitmap* background) {
        image.setClip(clip);
        if (background && background->width() >= kWindowImageRect.right
            && background->height() >= kWindowImageRect.bottom) {
            image.fillOutsideClip(kMagenta);
        } else {
            image.clearClip();
            image.fill(kWindowImageRect, kMagenta);
            image.setClip(clip);
        }
    };
    for (Bitmap* image : MainImages(state))
        outline(*image, mainClip, backgrounds.Main);
    if (backgrounds.EqualizerShown)
        for (Bitmap* image : EqImages(state))
            outline(*image, eqClip, backgrounds.Equalizer);
}

void ClearWindowClips(SkinState& state)
{
    for (Bitmap* image : MainImages(state))
        image->clearClip();
    for (Bitmap* image : EqImages(state))
        image->clearClip();
}

Bitmap ComposeMainWindowPicture(const Bitmap& mainBmp, const Bitmap* titlebarBmp)
{
    Bitmap picture(kWindowWidth, kWindowHeight);
    picture.copy(mainBmp, kWindowImageRect, kWindowImageRect);
    if (titlebarBmp)
        picture.copy(*titlebarBmp, kTitleActive, kTitleDest);
    return picture;
}

void ComposeMainBackground(SkinState& state, const Bitmap& mainBmp)
{
    for (Bitmap* image : MainImages(state))
        image->copy(mainBmp, kWindowImageRect, kWindowImageRect);
}

void ComposeEqualizer(SkinState& state, const Bitmap& eqmainBmp, Prompts& prompts)
{
    const auto eqImages = EqImages(state);
    for (Bitmap* image : eqImages)
        image->copy(eqmainBmp, kWindowImageRect, kWindowImageRect);
    state.EqNormalImage.copy(eqmainBmp, kEqActiveTitle, kEqTitleDest);
    // The pressed image gets the second title row; the inactive one keeps the
    // background's top rows.
    state.EqPressedImage.copy(eqmainBmp, kEqPressedTitle, kEqTitleDest);
    state.MainNormalImage.copy(eqmainBmp, kEqCloseNormal, kEqCloseDest);
    state.MainPressedImage.copy(eqmainBmp, kEqClosePressed, kEqCloseDest);

    const auto& rects = state.PartRects;
    for (int i = 0; i < kSliderCount; ++i) {
        const Rect& slider = rects[size_t(kFirstSliderDest + i)];
        for (Bitmap* image : eqImages)
            image->copy(eqmainBmp, rects[kSliderTrackSource], slider);
        // Evaluated for each image, so a bad slider rectangle asks three times.
        for (Bitmap* image : eqImages)
            image->copy(eqmainBmp, rects[kKnobSource], GrowRect(prompts, slider, kKnobInset));
    }
    for (Bitmap* image : eqImages)
        image->copy(eqmainBmp, rects[kGraphSource], kEqGraphDest);
    for (Bitmap* image : eqImages)
        image->copy(eqmainBmp, rects[kCentreLineSource], kEqCentreLineDest);
    for (const auto& [destSlot, sourceSlot] : kFurtherPieces)
        for (Bitmap* image : eqImages)
            image->copy(eqmainBmp, rects[size_t(sourceSlot)], rects[size_t(destSlot)]);
}

void ComposeTransportButtons(SkinState& state, const Bitmap& cbuttonsBmp)
{
    CopyButtonGroup(state, cbuttonsBmp, kTransportSource, kTransportPressedSource, kTransportDest, 6);
}

void ComposeTitleBar(SkinState& state, const Bitmap& titlebarBmp)
{
    state.MainNormalImage.copy(titlebarBmp, kTitleActive, kTitleDest);
    state.MainPressedImage.copy(titlebarBmp, kTitleActive, kTitleDest);
    state.MainInactiveImage.copy(titlebarBmp, kTitleInactive, kTitleDest);
    // The inactive image gets no title-bar buttons.
    CopyButtonGroup(state, titlebarBmp, kTitleButtonSource, kTitleButtonPressedSource,
                    kTitleButtonDest, 4, false);
}

void ComposeShuffleRepeat(SkinState& state, const Bitmap& shufrepBmp)
{
    CopyButtonGroup(state, shufrepBmp, kToggleSource, kTogglePressedSource, kToggleDest, 4);
}

void ComposeMonoStereo(SkinState& state, const Bitmap& monosterBmp)
{
    CopyButtonGroup(state, monosterBmp, kMonoSterSource, kMonoSterPressedSource, kMonoSterDest, 2);
}

void ComposeSeekBar(SkinState& state, const Bitmap& posbarBmp)
{
    const int h = posbarBmp.height();
    state.PosBarImage1.setSize(kThumbWidth, h);
    state.PosBarImage2.setSize(kThumbWidth, h);
    state.PosBarImage1.copy(posbarBmp, {kThumbLeft, 0, kThumbLeft + kThumbWidth, h}, {0, 0, kThumbWidth, h});
    state.PosBarImage2.copy(posbarBmp, {kPressedThumbLeft, 0, kPressedThumbLeft + kThumbWidth, h},
                            {0, 0, kThumbWidth, h});
}

void PickTextColors(SkinState& state, const Bitmap& textBmp)
{
    const auto c = [&](int x, int y) { return textBmp.pixel(x, y); };
    int found = 0;
    for (int y = 0; y <= 4; ++y)
        if (c(0, y) != c(0, y + 1))
            found = y + 1;
    Point sample{0, 4};
    if (found == 0) {
        int column = 0;
        for (int y = 5; y >= 1; --y)
            if (c(1, y) != c(1, y - 1)) {
                found = y - 1;
                column = 1;
            }
        sample = {column, found};
    }
    state.TextColor = c(sample.x, sample.y);
    state.ShadowColor = c(0, 0);
}

} // namespace tf
