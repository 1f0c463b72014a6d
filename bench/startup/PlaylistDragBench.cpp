// The playlist drag of the preview panel must keep up with the mouse: a
// corner drag from 0 to 40 steps on both sides and back, one mouse move per
// step, each move recomposing the playlist and repainting the panel. The
// baseline is one repaint of the panel holding the 40-step playlist; the
// slowest step is reported beside the mean.

#include "WindowBenchApplication.h"
#include "WindowFixture.h"
#include "bench/RatioReporter.h"

#include "platform/FileSystem.h"
#include "platform/Fonts.h"
#include "window/DisplayControls.h"

#include <QFrame>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

namespace {

constexpr int kSteps = 40;

struct LoadedWindow {
    tf::test::WindowFixture Fixture;
    tf::TForm1* Form = nullptr;
    LoadedWindow()
    {
        Form = &Fixture.open();
        Form->show();
        Form->OpenDropped(tf::PathToQString(Fixture.writeSkin("drag")));
        if (!QTest::qWaitForWindowExposed(Form) || !Fixture.app().SkinLoaded)
            std::fprintf(stderr, "the skin did not load: %s\n", qPrintable(tf::test::ShownMessages(Fixture.Prompts)));
    }
};

// Made in main() after the application object, gone before it.
std::unique_ptr<LoadedWindow> g_window;

LoadedWindow& Window() { return *g_window; }

void SendMove(QWidget* target, QPoint to, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, to, target->mapToGlobal(to), Qt::NoButton, buttons, {});
    QApplication::sendEvent(target, &move);
}

// Position, in Image2's coordinates, of the corner at n steps.
QPoint CornerAt(int n) { return {275 + 25 * n + 1, 116 + 29 * n + 1}; }

double g_slowestStepMs = 0;

// Drags the corner of the playlist, wherever it is, to n steps.
void SetSteps(tf::TForm1& form, int n)
{
    form.Panel1MouseDown({form.Image2->width() - 1, form.Image2->height() - 1});
    form.Panel1MouseMove(CornerAt(n));
    form.Panel1MouseUp();
}

void BM_PanelRepaintBaseline(benchmark::State& state)
{
    LoadedWindow& window = Window();
    tf::TForm1& form = *window.Form;
    SetSteps(form, kSteps);
    for (auto _ : state)
        form.Panel1->repaint();
}
BENCHMARK(BM_PanelRepaintBaseline)->Unit(benchmark::kMillisecond);

void BM_DragStep(benchmark::State& state)
{
    LoadedWindow& window = Window();
    tf::TForm1& form = *window.Form;
    QWidget* image = form.Image2;
    for (auto _ : state) {
        state.PauseTiming();
        SetSteps(form, 0);
        form.Panel1->repaint();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(274, 115), image->mapToGlobal(QPointF(274, 115)),
                          Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(image, &press);
        state.ResumeTiming();
        for (int n : [] {
                 std::vector<int> sweep;
                 for (int i = 1; i <= kSteps; ++i)
                     sweep.push_back(i);
                 for (int i = kSteps - 1; i >= 0; --i)
                     sweep.push_back(i);
                 return sweep;
             }()) {
            const auto begin = std::chrono::steady_clock::now();
            SendMove(image, CornerAt(n), Qt::LeftButton);
            form.Panel1->repaint();
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
            g_slowestStepMs = std::max(g_slowestStepMs, ms);
        }
        state.PauseTiming();
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(274, 115), image->mapToGlobal(QPointF(274, 115)),
                            Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(image, &release);
        state.ResumeTiming();
    }
    if (form.Image2->size() != QSize(275, 116))
        state.SkipWithError("the drag did not come back to 0 steps");
    state.counters["slowest_step_ms"] = g_slowestStepMs;
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    tf::bench::WindowBenchApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    g_window = std::make_unique<LoadedWindow>();
    tf::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double sweep = reporter.time("BM_DragStep");
    const double repaint = reporter.time("BM_PanelRepaintBaseline");
    if (sweep > 0 && repaint > 0) {
        const double step = sweep / (2 * kSteps);
        std::printf("playlist drag: mean step %.3f ms = %.2f panel repaints; slowest step %.3f ms = %.2f panel "
                    "repaints (a 60 Hz mouse moves every 16.7 ms)\n",
                    step, step / repaint, g_slowestStepMs, g_slowestStepMs / repaint);
    }
    g_window.reset();
    benchmark::Shutdown();
    return 0;
}
