#include "skin/LoadSkin.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/RectText.h"
#include "platform/Fonts.h"
#include "platform/TextFile.h"
#include "skin/AnalyzerPattern.h"
#include "skin/MainComposition.h"
#include "skin/Playlist.h"
#include "skin/SkinTextFiles.h"
#include "skin/SliderStrips.h"
#include "skin/TimeDigits.h"

#include <QCoreApplication>
#include <algorithm>
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
// whatever raised it: an error about none of the step's files is set in the
// first one's context.
void RunStep(std::initializer_list<fs::path> paths, const std::function<void()>& step)
{
    try {
        step();
    } catch (const AppError& failure) {
        for (const fs::path& path : paths)
            if (failure.names(path))
                throw;
        throw failure.inFile(*paths.begin());
    }
}

void Warn(SkinSession& session, const QString& text)
{
    session.prompts().showMessage(MessageIcon::Warning, QCoreApplication::translate("Skin", "注意"), text);
}

QString FileName(const fs::path& path) { return PathToQString(path.filename()); }

// Runs a step over files of the skin. A file that is there but cannot be
// used (not a picture, empty, cut short, a colour line that is no colour) is
// passed over as if it were missing: one broken optional file must not cost
// the user the whole skin. Which file and why come back, for the warning. Any
// other error, about the program's own data or a setting, still stops the
// load, naming the step's first file.
struct PassedOver {
    SourceFile File;
    QString Reason;
};
std::optional<PassedOver> RunFileStep(SkinSession& session, std::initializer_list<SourceFile> files,
                                      const std::function<void()>& step)
{
    SkinState& state = session.State;
    try {
        step();
        return std::nullopt;
    } catch (const AppError& failure) {
        for (SourceFile file : files) {
            if (failure.names(state.SourceFilePaths[file])) {
                state.SourcePassedOver[file] = true;
                return PassedOver{file, failure.message(state.SourceNames)};
            }
        }
        throw failure.inFile(state.SourceFilePaths[*files.begin()]);
    }
}

// "X がないため、<what happened>" or, for a file passed over, "X を使えない
// ため、<what happened>: <why>".
QString Instead(const QString& name, const std::optional<PassedOver>& passedOver, const QString& consequence)
{
    if (passedOver)
        return QCoreApplication::translate("Skin", "%1 を使えないため、%2: %3").arg(name, consequence, passedOver->Reason);
    return QCoreApplication::translate("Skin", "%1 がないため、%2").arg(name, consequence);
}

QString WithoutIt() { return QCoreApplication::translate("Skin", "このファイルなしで読み込みました"); }

void WarnPassedOver(SkinSession& session, const PassedOver& passedOver)
{
    Warn(session, Instead(FileName(session.State.SourceFilePaths[passedOver.File]), passedOver, WithoutIt()));
}

// What the skin gives none of (the file is missing or passed over) keeps an
// earlier skin's picture. On a fresh start there is none, and the bundled
// sample's file stands in, as the classic player fills a missing file from its
// base skin; the warning names the file and says so. The sample's own file
// is never passed over: an error there stops the load.
void StandIn(SkinSession& session, SourceFile file, const std::optional<PassedOver>& passedOver,
             bool nothingYet, const QString& consequence, const std::function<void(const fs::path&)>& use,
             const QString& missingName = {})
{
    const QString name = missingName.isEmpty() || passedOver ? FileName(session.State.SourceFilePaths[file]) : missingName;
    if (!nothingYet) {
        if (passedOver)
            WarnPassedOver(session, *passedOver);
        return;
    }
    const auto sample = FindSampleSkinFile(session, kSourceFileTable[size_t(file)]);
    if (!sample) {
        // An installation without the sample: the skin goes without it.
        Warn(session, Instead(name, passedOver, WithoutIt()));
        return;
    }
    RunStep({*sample}, [&] { use(*sample); });
    Warn(session, Instead(name, passedOver, consequence));
}

// A skin without pledit.bmp keeps the playlist the window already has; on a
// fresh start the sample skin's frame stands in, with the skin's own colours
// when it has pledit.txt. A pledit.txt that cannot be read gives the classic
// colours, as none does.
void ComposeSkinPlaylist(SkinSession& session)
{
    SkinState& state = session.State;
    const auto& paths = state.SourceFilePaths;
    fs::path colors = paths[kPlEditTxt];
    const auto compose = [&](const fs::path& frame) {
        for (;;) {
            bool composed = false;
            const auto passedOver = RunFileStep(session, {kPlEditBmp, kPlEditTxt}, [&] {
                composed = ComposePlaylist(state, session.Previews, frame, colors, state.PlaylistWidthSteps,
                                           state.PlaylistHeightSteps, &session.prompts());
            });
            if (composed) {
                state.RedrawSources.PlaylistFrame = frame;
                state.RedrawSources.PlaylistColors = colors;
            }
            if (!passedOver || passedOver->File != kPlEditTxt)
                return passedOver;
            WarnPassedOver(session, *passedOver);
            colors.clear();
        }
    };
    const auto passedOver = compose(paths[kPlEditBmp]);
    if (SourceUsed(state, kPlEditBmp))
        return;
    StandIn(session, kPlEditBmp, passedOver, session.Previews.Playlist.isEmpty(),
            QCoreApplication::translate("Skin", "プレイリストは同梱のスキンの画像で作りました"),
            [&](const fs::path& sample) { compose(sample); });
}

// Without viscolor.txt a fresh start gets the classic player's own analyzer
// colours; later loads keep what is there.
void BuildSkinAnalyzerPattern(SkinSession& session)
{
    SkinState& state = session.State;
    const fs::path& viscolor = state.SourceFilePaths[kVisColorTxt];
    const auto passedOver
        = RunFileStep(session, {kVisColorTxt}, [&] { BuildAnalyzerPattern(state, session.Previews, viscolor); });
    if (SourceUsed(state, kVisColorTxt)) {
        state.RedrawSources.VisColor = viscolor;
        return;
    }
    if (!session.Previews.Analyzer.isEmpty()) {
        if (passedOver)
            WarnPassedOver(session, *passedOver);
        return;
    }
    BuildClassicAnalyzerPattern(state, session.Previews);
    state.RedrawSources.ClassicVisColors = true;
    Warn(session, Instead(FileName(viscolor), passedOver,
                          QCoreApplication::translate("Skin", "アナライザーの色は Winamp の標準の色にしました")));
}

// The digits come from nums_ex.bmp, else numbers.bmp; one that cannot be used
// gives way to the other. Without either, a fresh start takes the sample's
// numbers.bmp.
void RenderSkinTimeDigits(SkinSession& session)
{
    SkinState& state = session.State;
    const auto& paths = state.SourceFilePaths;
    // Either file is only a picture of the digits.
    const auto render = [&](const fs::path& digits) {
        RenderTimeDigits(state, session.Editor, session.Previews, digits, fs::path());
        state.RedrawSources.TimeDigits = digits;
    };
    std::optional<PassedOver> passedOver;
    for (SourceFile file : {kNumsExBmp, kNumbersBmp}) {
        if (!SourcePresent(state, file))
            continue;
        if (passedOver)
            WarnPassedOver(session, *passedOver);
        passedOver = RunFileStep(session, {file}, [&] { render(paths[file]); });
        if (!passedOver)
            return;
    }
    StandIn(session, passedOver ? passedOver->File : kNumbersBmp, passedOver,
            session.Previews.TimeDigits.isEmpty(),
            QCoreApplication::translate("Skin", "時間の数字は同梱のスキンの画像で作りました"),
            render,
            QCoreApplication::translate("Skin", "%1 と %2").arg(FileName(paths[kNumbersBmp]), FileName(paths[kNumsExBmp])));
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

// The player draws the song title only inside the window. A field that the
// offsets or the font size of Sexyfont.txt push out of it is cut to the
// window; one they turn inside out takes the reset position.
void KeepScrollTextInWindow(SkinSession& session)
{
    SkinState& state = session.State;
    Rect& rect = state.ScrollTextRect();
    const Rect inside{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, kWindowWidth),
                      std::min(rect.bottom, kWindowHeight)};
    if (inside == rect && !rect.isEmpty())
        return;
    const QString file = FileName(state.SourceFilePaths[kSexyFontTxt]);
    const QString was = QString::fromStdString(RectToText(rect));
    if (!inside.isEmpty()) {
        rect = inside;
        Warn(session, QCoreApplication::translate("Skin", "%1 の値では曲名の欄 (%2) がウィンドウからはみ出すため、ウィンドウの中に収めました")
                          .arg(file, was));
        return;
    }
    rect = kResetScrollTextRect;
    UpdateScrollTextHeight(state);
    rect.bottom = std::min(rect.bottom, kWindowHeight);
    Warn(session, QCoreApplication::translate("Skin", "%1 の値では曲名の欄 (%2) が空になるため、元の位置にしました").arg(file, was));
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
    state.SourcePassedOver.fill(false);
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
        if (const auto passedOver = RunFileStep(session, {kRegionTxt}, [&] {
                ComposeWindowOutline(state, ReadLines(files, paths[kRegionTxt]), backgrounds);
            }))
            WarnPassedOver(session, *passedOver);
    }
    if (mainFailure)
        throw *mainFailure;
    // From here on the pictures are this skin's, or kept.
    state.RedrawSources = {};
    if (mainBmp)
        ComposeMainBackground(state, *mainBmp);
    mainBmp.reset();

    // Each bitmap step: decode, then compose. A file that cannot be decoded
    // is passed over, and comes back.
    const auto compose = [&](SourceFile file, const std::function<void(const Bitmap&)>& step) {
        std::optional<Bitmap> bmp;
        std::optional<PassedOver> passedOver;
        if (present(file))
            passedOver = RunFileStep(session, {file}, [&] { bmp = load(file); });
        if (bmp)
            RunStep({paths[file]}, [&] { step(*bmp); });
        return passedOver;
    };
    const auto warn = [&](const std::optional<PassedOver>& passedOver) {
        if (passedOver)
            WarnPassedOver(session, *passedOver);
    };
    // A plug-in file that cannot be read is passed over too.
    const auto apply = [&](SourceFile file, const std::function<void()>& step) {
        if (present(file))
            warn(RunFileStep(session, {file}, step));
    };
    if (withEqualizer)
        warn(compose(kEqMainBmp, [&](const Bitmap& bmp) { ComposeEqualizer(state, bmp, session.prompts()); }));
    warn(compose(kCButtonsBmp, [&](const Bitmap& bmp) { ComposeTransportButtons(state, bmp); }));
    warn(compose(kTitleBarBmp, [&](const Bitmap& bmp) { ComposeTitleBar(state, bmp); }));
    warn(compose(kShufRepBmp, [&](const Bitmap& bmp) { ComposeShuffleRepeat(state, bmp); }));
    warn(compose(kMonoSterBmp, [&](const Bitmap& bmp) { ComposeMonoStereo(state, bmp); }));
    // The definition names the seek bar's pictures whenever it is shown.
    const auto seekBar = compose(kPosBarBmp, [&](const Bitmap& bmp) { ComposeSeekBar(state, bmp); });
    if (!SourceUsed(state, kPosBarBmp))
        StandIn(session, kPosBarBmp, seekBar, state.PosBarImage1.isEmpty(),
                QCoreApplication::translate("Skin", "シークバーは同梱のスキンの画像で作りました"),
                [&](const fs::path& sample) { ComposeSeekBar(state, Bitmap::Load(sample)); });
    warn(compose(kTextBmp, [&](const Bitmap& bmp) { PickTextColors(state, bmp); }));

    BuildSkinAnalyzerPattern(session);
    // The strips are emptied first, also when their files are missing.
    warn(RunFileStep(session, {kVolumeBmp}, [&] { ComposeVolume(state, paths[kVolumeBmp]); }));
    warn(RunFileStep(session, {kBalanceBmp}, [&] { ComposePan(state, paths[kBalanceBmp], session.DataFolder); }));
    ComposeSkinPlaylist(session);
    apply(kSexyFontTxt, [&] { ApplySexyFont(state, session.Editor, session.prompts(), paths[kSexyFontTxt]); });
    apply(kMaronTxt, [&] { ApplyMaron(state, paths[kMaronTxt]); });
    RenderSkinTimeDigits(session);

    UpdateScrollTextHeight(state);
    KeepScrollTextInWindow(session);

    session.Previews.MainPreview = state.MainNormalImage;
    session.Previews.EqPreview = state.EqNormalImage;
}

void RedrawTimeDigits(SkinSession& session)
{
    const fs::path& digits = session.State.RedrawSources.TimeDigits;
    if (!digits.empty())
        RenderTimeDigits(session.State, session.Editor, session.Previews, digits, fs::path());
}

void RedrawPlaylist(SkinSession& session, int32_t widthSteps, int32_t heightSteps)
{
    SkinState& state = session.State;
    const RedrawFiles& files = state.RedrawSources;
    if (!files.PlaylistFrame.empty())
        ComposePlaylist(state, session.Previews, files.PlaylistFrame, files.PlaylistColors, widthSteps, heightSteps);
}

void RedrawAnalyzerPattern(SkinSession& session)
{
    SkinState& state = session.State;
    if (state.RedrawSources.ClassicVisColors)
        BuildClassicAnalyzerPattern(state, session.Previews);
    else if (!state.RedrawSources.VisColor.empty())
        BuildAnalyzerPattern(state, session.Previews, state.RedrawSources.VisColor);
}

} // namespace tf
