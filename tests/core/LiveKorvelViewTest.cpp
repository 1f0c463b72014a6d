#include "session/LiveKorvelView.h"

#include "output/DefinitionWriter.h"
#include "output/SkinImages.h"
#include "session/OpenSkin.h"
#include "skin/Playlist.h"
#include "support/ScriptedPrompts.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace tf {
namespace {

// The view drawn from nothing: the definition and every image composed
// afresh, drawn by a renderer that has drawn nothing before.
QImage FreshView(const SkinSession& session, ViewState state)
{
    const DefinitionFiles files = BuildDefinitionFiles(session, "skin.ssf");
    std::map<std::string, Bitmap> images;
    for (SkinImage& image : BuildSkinImages(session))
        images.emplace(image.Name, std::move(image.Image));
    return RenderKorvelView(KorvelDefinition::Parse(session.Editor.ShowEqualizer ? files.Eq : files.Plain),
                            ImagesInMemory(std::move(images)), {state, 1})
        .Image;
}

struct Change {
    const char* Name;
    std::function<void(SkinSession&)> Apply;
    ViewState State = ViewState::Normal;
};

// The live view draws again only where a change reaches; after every change,
// of one field, of an image, of the layout or of the state, it must be the
// picture a drawing from nothing gives, and pictures handed out before must
// stay as they were.
TEST(LiveKorvelView, AfterEveryChangeIsTheViewDrawnFromNothing)
{
    ScriptedPrompts prompts;
    SkinSession session(test::BinFolder(), prompts);
    InitializeSession(session);
    OpenSkinFolder(session, test::BinFolder() / "sample");
    const auto composePlaylist = [](SkinSession& s, int widthSteps) {
        const auto& paths = s.State.SourceFilePaths;
        ComposePlaylist(s.State, s.Previews, paths[kPlEditBmp], paths[kPlEditTxt], widthSteps, 0);
    };
    const std::vector<Change> changes = {
        {"first view", [](SkinSession&) {}},
        {"title bold", [](SkinSession& s) { s.State.ScrollTextFont().Bold = true; }},
        {"title shadow", [](SkinSession& s) { s.State.ScrollTextFont().Shadow = true; }},
        {"shadow colour", [](SkinSession& s) { s.State.ShadowColor = MakeColor(200, 10, 10); }},
        {"title larger", [](SkinSession& s) { s.State.ScrollTextFont().Size += 3; }},
        {"info shadow", [](SkinSession& s) { s.State.InfoFont().Shadow = true; }},
        {"text colour", [](SkinSession& s) { s.State.TextColor = MakeColor(0, 250, 0); }},
        {"playlist font", [](SkinSession& s) { s.State.PlaylistFont().Size += 4; }},
        {"selection colour", [](SkinSession& s) { s.State.PlaylistSelectedBGColor = MakeColor(1, 2, 3); }},
        {"no analyzer", [](SkinSession& s) { s.State.ShowAnalyzer = false; }},
        {"no time, no seek bar", [](SkinSession& s) { s.State.ShowTime = s.State.ShowSeekBar = false; }},
        {"all back", [](SkinSession& s) { s.State.ShowAnalyzer = s.State.ShowTime = s.State.ShowSeekBar = true; }},
        {"transparent time", [](SkinSession& s) { s.Editor.TransparentTime = true; }},
        {"pressed", [](SkinSession&) {}, ViewState::Pressed},
        {"title italic, pressed", [](SkinSession& s) { s.State.ScrollTextFont().Italic = true; }, ViewState::Pressed},
        {"inactive", [](SkinSession&) {}, ViewState::Inactive},
        {"main image drawn on", [](SkinSession& s) { s.State.MainNormalImage.fill({30, 40, 60, 50}, kWhite); }},
        {"equalizer on top", [](SkinSession& s) { s.Editor.EqualizerOnTop = true; }},
        {"no equalizer", [](SkinSession& s) { s.Editor.ShowEqualizer = false; }},
        {"wider playlist", [composePlaylist](SkinSession& s) { composePlaylist(s, 2); }},
        {"playlist composed again alike", [composePlaylist](SkinSession& s) { composePlaylist(s, 2); }},
        {"no title", [](SkinSession& s) { s.State.ShowScrollText = false; }},
    };
    struct Kept {
        const char* Name;
        QImage Shown;
        QImage Fresh;
    };
    std::vector<Kept> kept; // as a window keeps what it shows; the others are dropped at once
    LiveKorvelView live;
    for (size_t i = 0; i < changes.size(); ++i) {
        changes[i].Apply(session);
        const KorvelView view = live.render(session, {changes[i].State, 1});
        const QImage fresh = FreshView(session, changes[i].State);
        EXPECT_TRUE(view.Image == fresh) << changes[i].Name;
        if (i % 3 != 2)
            kept.push_back({changes[i].Name, view.Image, fresh});
    }
    for (const Kept& view : kept)
        EXPECT_TRUE(view.Shown == view.Fresh) << view.Name << " changed after it was handed out";
}

} // namespace
} // namespace tf
