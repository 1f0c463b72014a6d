#include "skin/LoadSkin.h"

#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "platform/TextFile.h"
#include "skin/AnalyzerPattern.h"
#include "skin/MainComposition.h"
#include "skin/Playlist.h"
#include "skin/SkinTextFiles.h"
#include "skin/SliderStrips.h"
#include "skin/TimeDigits.h"

#include <functional>
#include <optional>

namespace fs = std::filesystem;

namespace tf {
namespace {

constexpr Rect kResetScrollTextRect{112, 25, 263, 35};

void ResetSettings(SkinState& state)
{
    state.ScrollTextRect() = kResetScrollTextRect;
    for (TFontSetting& font : state.FontSettings)
        font = TFontSetting{};
    state.ShowTime = state.ShowInfo = state.ShowScrollText = state.ShowSeekBar = state.ShowAnalyzer = true;
}

// Runs one step on one source file, so that an error always says which file
// it is about, whatever raised it.
void RunStep(const fs::path& path, const std::function<void()>& step)
{
    try {
        step();
    } catch (const AppError& failure) {
        const QString shown = DisplayPath(path);
        if (failure.message().contains(shown))
            throw;
        throw AppError(failure.kind(), QStringLiteral("%1: %2").arg(shown, failure.message()));
    }
}

// Drops the outline clips when the load ends, also by an error.
class ClipGuard {
public:
    explicit ClipGuard(SkinState& state) : m_state(state) {}
    ~ClipGuard() { ClearWindowClips(m_state); }
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;

private:
    SkinState& m_state;
};

// The field is as high as a line of text in the scroll text font (the
// height of "あpqPlg"), plus a fifth of its height before.
void UpdateScrollTextHeight(SkinState& state)
{
    const TFontSetting& font = state.ScrollTextFont();
    Rect& rect = state.ScrollTextRect();
    const int height = MeasureTextHeight(font.Name, font.Size);
    const int32_t oldHeight = Rect::WrapSub(rect.bottom, rect.top);
    rect.bottom = Rect::WrapAdd(Rect::WrapAdd(height, rect.top), oldHeight / 5);
}

} // namespace

void LoadSkin(SkinSession& session)
{
    SkinState& state = session.State;
    const auto& paths = state.SourceFilePaths;
    const auto present = [&](SourceFile file) { return SourcePresent(state, file); };
    const auto load = [&](SourceFile file) { return Bitmap::Load(paths[file]); };

    ResetSettings(state);
    // Every load decodes its files afresh; the cache then serves the time
    // digits' second look at main.bmp and the previews' re-renders.
    session.Previews.SourceImages.clear();
    for (Bitmap* image : {&state.MainNormalImage, &state.MainPressedImage, &state.MainInactiveImage,
                          &state.EqNormalImage, &state.EqPressedImage, &state.EqInactiveImage})
        image->setSize(kWindowWidth, kWindowHeight);

    // The backgrounds are decoded before the outline, which then fills only
    // what they will not cover.
    const bool withEqualizer = session.Editor.ShowEqualizer;
    const std::optional<Bitmap> mainBmp
        = present(kMainBmp) ? std::optional(session.Previews.SourceImages.load(paths[kMainBmp])) : std::nullopt;
    std::optional<Bitmap> eqmainBmp
        = present(kEqMainBmp) && withEqualizer ? std::optional(load(kEqMainBmp)) : std::nullopt;

    ClipGuard clips(state);
    if (present(kRegionTxt)) {
        const WindowBackgrounds backgrounds{mainBmp ? &*mainBmp : nullptr, withEqualizer,
                                            eqmainBmp ? &*eqmainBmp : nullptr};
        RunStep(paths[kRegionTxt],
                [&] { ComposeWindowOutline(state, ReadLines(paths[kRegionTxt]), backgrounds); });
    }
    if (mainBmp)
        ComposeMainBackground(state, *mainBmp);
    if (eqmainBmp)
        ComposeEqualizer(state, *eqmainBmp, session.prompts());
    eqmainBmp.reset(); // its memory serves the decodes that follow
    if (present(kCButtonsBmp))
        ComposeTransportButtons(state, load(kCButtonsBmp));
    if (present(kTitleBarBmp))
        ComposeTitleBar(state, load(kTitleBarBmp));
    if (present(kShufRepBmp))
        ComposeShuffleRepeat(state, load(kShufRepBmp));
    if (present(kMonoSterBmp))
        ComposeMonoStereo(state, load(kMonoSterBmp));
    if (present(kPosBarBmp))
        ComposeSeekBar(state, load(kPosBarBmp));
    if (present(kTextBmp))
        PickTextColors(state, load(kTextBmp));

    RunStep(paths[kVisColorTxt], [&] { BuildAnalyzerPattern(state, session.Previews, paths[kVisColorTxt]); });
    RunStep(paths[kVolumeBmp], [&] { ComposeVolume(state, paths[kVolumeBmp]); });
    RunStep(paths[kBalanceBmp], [&] { ComposePan(state, paths[kBalanceBmp], session.DataFolder); });
    if (present(kPlEditBmp) && present(kPlEditTxt))
        ComposePlaylist(state, session.Previews, paths[kPlEditBmp], paths[kPlEditTxt],
                        state.PlaylistWidthSteps, state.PlaylistHeightSteps);
    if (present(kSexyFontTxt))
        RunStep(paths[kSexyFontTxt], [&] { ApplySexyFont(state, session.Editor, session.prompts(), paths[kSexyFontTxt]); });
    if (present(kMaronTxt))
        RunStep(paths[kMaronTxt], [&] { ApplyMaron(state, paths[kMaronTxt]); });
    RenderTimeDigits(state, session.Editor, session.Previews, paths[kNumbersBmp], paths[kNumsExBmp]);

    UpdateScrollTextHeight(state);

    session.Previews.MainPreview = state.MainNormalImage;
    session.Previews.EqPreview = state.EqNormalImage;
}

} // namespace tf
