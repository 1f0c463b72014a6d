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

#include <QCoreApplication>
#include <functional>
#include <initializer_list>
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

// Runs one step, so that an error always says which file it is about,
// whatever raised it: an error that names none of the step's files gets the
// first one put before it.
void RunStep(std::initializer_list<fs::path> paths, const std::function<void()>& step)
{
    try {
        step();
    } catch (const AppError& failure) {
        for (const fs::path& path : paths)
            if (failure.message().contains(DisplayPath(path)))
                throw;
        throw AppError(failure.kind(),
                       QStringLiteral("%1: %2").arg(DisplayPath(*paths.begin()), failure.message()));
    }
}

void Warn(SkinSession& session, const QString& text)
{
    session.prompts().showMessage(MessageIcon::Warning, QCoreApplication::translate("Skin", "注意"), text);
}

// A skin without pledit.bmp keeps the playlist the window already has; on a
// fresh start there is none, and the sample skin's frame stands in (with the
// skin's own colours when it has pledit.txt), as the classic player fills a
// missing file from its base skin.
void ComposeSkinPlaylist(SkinSession& session)
{
    SkinState& state = session.State;
    const auto& paths = state.SourceFilePaths;
    fs::path frame = paths[kPlEditBmp];
    const bool standIn = !SourcePresent(state, kPlEditBmp);
    if (standIn) {
        const auto sample = FindSampleSkinFile(session, "pledit.bmp");
        if (!session.Previews.Playlist.isEmpty() || !sample)
            return;
        frame = *sample;
    }
    RunStep({frame, paths[kPlEditTxt]}, [&] {
        ComposePlaylist(state, session.Previews, frame, paths[kPlEditTxt], state.PlaylistWidthSteps,
                        state.PlaylistHeightSteps, &session.prompts());
    });
    if (standIn)
        Warn(session, QCoreApplication::translate("Skin", "pledit.bmp がないため、プレイリストは同梱のスキンの画像で作りました"));
}

// The same for viscolor.txt: without it a fresh start would have no analyzer
// pattern, and the definition would name an Analyzer.bmp never written.
void BuildSkinAnalyzerPattern(SkinSession& session)
{
    const fs::path& viscolor = session.State.SourceFilePaths[kVisColorTxt];
    if (SourcePresent(session.State, kVisColorTxt) || !session.Previews.Analyzer.isEmpty()) {
        RunStep({viscolor}, [&] { BuildAnalyzerPattern(session.State, session.Previews, viscolor); });
        return;
    }
    const auto sample = FindSampleSkinFile(session, "viscolor.txt");
    if (!sample)
        return;
    RunStep({*sample}, [&] { BuildAnalyzerPattern(session.State, session.Previews, *sample); });
    Warn(session, QCoreApplication::translate("Skin", "viscolor.txt がないため、アナライザーの色は同梱のスキンの viscolor.txt で作りました"));
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
    const FileSource& files = SourceFilesOf(state);
    const auto load = [&](SourceFile file) { return Bitmap::Load(files, paths[file]); };

    ResetSettings(state);
    // Every load decodes its files afresh; the cache then serves the time
    // digits' second look at main.bmp and the previews' re-renders.
    session.Previews.SourceImages.clear();
    for (Bitmap* image : {&state.MainNormalImage, &state.MainPressedImage, &state.MainInactiveImage,
                          &state.EqNormalImage, &state.EqPressedImage, &state.EqInactiveImage})
        image->setSize(kWindowWidth, kWindowHeight);

    // main.bmp is decoded before the outline, which then fills only what it
    // will not cover. Should the decode fail, the outline is still composed
    // before the error goes on, as it would have been in file order.
    // eqmain.bmp is decoded only after the main background: its failure must
    // leave the main images composed.
    const bool withEqualizer = session.Editor.ShowEqualizer;
    std::optional<Bitmap> mainBmp;
    std::optional<AppError> mainFailure;
    if (present(kMainBmp)) {
        try {
            RunStep({paths[kMainBmp]}, [&] { mainBmp = session.Previews.SourceImages.load(files, paths[kMainBmp]); });
        } catch (const AppError& failure) {
            mainFailure = failure;
        }
    }

    ClipGuard clips(state);
    if (present(kRegionTxt)) {
        const WindowBackgrounds backgrounds{mainBmp ? &*mainBmp : nullptr, withEqualizer, nullptr};
        RunStep({paths[kRegionTxt]},
                [&] { ComposeWindowOutline(state, ReadLines(files, paths[kRegionTxt]), backgrounds); });
    }
    if (mainFailure)
        throw *mainFailure;
    if (mainBmp)
        ComposeMainBackground(state, *mainBmp);
    mainBmp.reset();

    // Each bitmap step: decode, then compose, the error naming the file.
    const auto compose = [&](SourceFile file, const std::function<void(const Bitmap&)>& step) {
        if (present(file))
            RunStep({paths[file]}, [&] { step(load(file)); });
    };
    if (withEqualizer)
        compose(kEqMainBmp, [&](const Bitmap& bmp) { ComposeEqualizer(state, bmp, session.prompts()); });
    compose(kCButtonsBmp, [&](const Bitmap& bmp) { ComposeTransportButtons(state, bmp); });
    compose(kTitleBarBmp, [&](const Bitmap& bmp) { ComposeTitleBar(state, bmp); });
    compose(kShufRepBmp, [&](const Bitmap& bmp) { ComposeShuffleRepeat(state, bmp); });
    compose(kMonoSterBmp, [&](const Bitmap& bmp) { ComposeMonoStereo(state, bmp); });
    compose(kPosBarBmp, [&](const Bitmap& bmp) { ComposeSeekBar(state, bmp); });
    compose(kTextBmp, [&](const Bitmap& bmp) { PickTextColors(state, bmp); });

    BuildSkinAnalyzerPattern(session);
    RunStep({paths[kVolumeBmp]}, [&] { ComposeVolume(state, paths[kVolumeBmp]); });
    RunStep({paths[kBalanceBmp]}, [&] { ComposePan(state, paths[kBalanceBmp], session.DataFolder); });
    ComposeSkinPlaylist(session);
    if (present(kSexyFontTxt))
        RunStep({paths[kSexyFontTxt]}, [&] { ApplySexyFont(state, session.Editor, session.prompts(), paths[kSexyFontTxt]); });
    if (present(kMaronTxt))
        RunStep({paths[kMaronTxt]}, [&] { ApplyMaron(state, paths[kMaronTxt]); });
    RunStep({paths[kNumbersBmp], paths[kNumsExBmp]},
            [&] { RenderTimeDigits(state, session.Editor, session.Previews, paths[kNumbersBmp], paths[kNumsExBmp]); });

    UpdateScrollTextHeight(state);

    session.Previews.MainPreview = state.MainNormalImage;
    session.Previews.EqPreview = state.EqNormalImage;
}

} // namespace tf
