// How quickly the window answers, against the core work inside each answer,
// measured in the same run: a tree click on a skin folder until the preview
// is painted (core: the load), on a .wsz (core: extraction and load), and
// the analyzer scale switch until the preview is painted (core: the
// analyzer pattern). The window's own share is the answer minus its core
// work; it should stay under 30 % of the answer for the loads, and under
// 16 ms (one frame at 60 Hz) for a folder skin and for the switch.

#include "WindowBenchApplication.h"
#include "WindowFixture.h"
#include "bench/RatioReporter.h"
#include "support/ScriptedPrompts.h"

#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "session/OpenSkin.h"
#include "skin/AnalyzerPattern.h"
#include "window/DisplayControls.h"
#include "window/SkinTreeView.h"

#include <QFrame>
#include <QGroupBox>
#include <QRadioButton>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct Bench {
    tf::test::WindowFixture Fixture;
    tf::TForm1* Form = nullptr;
    fs::path Folder;
    fs::path Archive;
    // The core's own session, as the CLI would hold one.
    tf::ScriptedPrompts CorePrompts;
    std::unique_ptr<tf::SkinSession> Core;

    Bench()
    {
        Folder = Fixture.writeSkin("Folder Skin");
        Archive = Fixture.writeSkinArchive("Packed Skin.wsz", "Packed Skin");
        Form = &Fixture.open();
        Form->show();
        if (!QTest::qWaitForWindowExposed(Form))
            std::fprintf(stderr, "the window was not shown\n");
        Core = std::make_unique<tf::SkinSession>(Fixture.Files.ExePath.parent_path(), CorePrompts);
        tf::InitializeSession(*Core);
    }

    // The tree item of path, listed and on screen; its centre.
    QPoint Show(const fs::path& path)
    {
        tf::SkinTreeView& tree = *Form->ShellTreeView1;
        tree.setPath(tf::PathToQString(path));
        QPersistentModelIndex item = tree.selectedItem();
        const bool shown = QTest::qWaitFor([&] {
            tree.scrollTo(item);
            const QRect rect = tree.visualRect(item);
            return tree.viewport()->rect().contains(QRect(rect.topLeft(), QSize(24, rect.height())));
        });
        if (!shown)
            std::fprintf(stderr, "not on screen in the tree: %s\n", path.string().c_str());
        return tree.visualRect(item).topLeft() + QPoint(12, 4);
    }

    void Click(QPoint at)
    {
        QTest::mouseClick(Form->ShellTreeView1->viewport(), Qt::LeftButton, {}, at);
        Form->Panel1->repaint();
    }
};

std::unique_ptr<Bench> g_bench;

void BM_CoreLoadFolder(benchmark::State& state)
{
    for (auto _ : state)
        if (!tf::OpenSkinFolder(*g_bench->Core, g_bench->Folder).loaded())
            state.SkipWithError("the folder skin did not load");
}
BENCHMARK(BM_CoreLoadFolder)->Unit(benchmark::kMillisecond);

void BM_TreeClickFolder(benchmark::State& state)
{
    const QPoint at = g_bench->Show(g_bench->Folder);
    for (auto _ : state)
        g_bench->Click(at);
    if (!g_bench->Form->windowTitle().endsWith(QStringLiteral("-Folder Skin-")))
        state.SkipWithError("the click did not load the folder skin");
}
BENCHMARK(BM_TreeClickFolder)->Unit(benchmark::kMillisecond);

void BM_CoreLoadArchive(benchmark::State& state)
{
    const fs::path work = g_bench->Fixture.root() / "core-work";
    for (auto _ : state)
        if (!tf::OpenSkinArchive(*g_bench->Core, g_bench->Archive, work).loaded())
            state.SkipWithError("the archive did not load");
}
BENCHMARK(BM_CoreLoadArchive)->Unit(benchmark::kMillisecond);

void BM_TreeClickArchive(benchmark::State& state)
{
    const QPoint at = g_bench->Show(g_bench->Archive);
    for (auto _ : state)
        g_bench->Click(at);
    if (!g_bench->Form->windowTitle().endsWith(QStringLiteral("-Packed Skin.wsz-")))
        state.SkipWithError("the click did not load the archive");
}
BENCHMARK(BM_TreeClickArchive)->Unit(benchmark::kMillisecond);

void BM_CoreAnalyzer(benchmark::State& state)
{
    tf::SkinSession& core = *g_bench->Core;
    tf::OpenSkinFolder(core, g_bench->Folder);
    int scale = 1;
    for (auto _ : state) {
        core.State.AnalyzerPreviewScale = scale = 3 - scale;
        tf::BuildAnalyzerPattern(core.State, core.Previews, core.State.SourceFilePaths[tf::kVisColorTxt]);
    }
}
BENCHMARK(BM_CoreAnalyzer)->Unit(benchmark::kMillisecond);

void BM_AnalyzerScaleSwitch(benchmark::State& state)
{
    tf::TForm1& form = *g_bench->Form;
    bool second = false;
    for (auto _ : state) {
        second = !second;
        (second ? form.RadioButton2 : form.RadioButton1)->click();
        form.Panel1->repaint();
        form.GroupBox3->repaint();
    }
}
BENCHMARK(BM_AnalyzerScaleSwitch)->Unit(benchmark::kMillisecond);

// shareAim: the window's own share of the answer should stay under 30 %;
// frameAim (ms, 0 for none): and the window's own time under a frame. A
// switch whose core work is a few microseconds is held to the frame only.
void Report(const tf::bench::RatioReporter& reporter, const char* label, const char* answer, const char* core,
            bool shareAim, double frameAim)
{
    const double total = reporter.time(answer), inner = reporter.time(core);
    if (total <= 0 || inner <= 0)
        return;
    const double own = std::max(0.0, total - inner);
    const bool within = (!shareAim || own / total < 0.30) && (frameAim <= 0 || own < frameAim);
    std::printf("%s: answer %.2f ms, core work %.2f ms, window's own %.2f ms = %.0f %% of the answer%s\n", label,
                total, inner, own, 100 * own / total, within ? "  [within aim]" : "  [over aim]");
}

} // namespace

int main(int argc, char** argv)
{
    tf::bench::WindowBenchApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_bench = std::make_unique<Bench>();
    tf::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    Report(reporter, "tree click on a folder skin", "BM_TreeClickFolder", "BM_CoreLoadFolder", true, 16.0);
    Report(reporter, "tree click on a .wsz", "BM_TreeClickArchive", "BM_CoreLoadArchive", true, 0);
    Report(reporter, "analyzer scale switch", "BM_AnalyzerScaleSwitch", "BM_CoreAnalyzer", false, 16.0);
    g_bench.reset();
    benchmark::Shutdown();
    return 0;
}
