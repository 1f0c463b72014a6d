// Decoding every bitmap of the default skin with our image layer against
// Qt's own QImage::loadFromData on the same bytes, in the same run. The
// archive members are read into memory before any timing; the last line
// gives the ratio of the two CPU times (ours / Qt), which other work on a
// shared machine disturbs less than wall-clock time.

#include "bench/RatioReporter.h"
#include "platform/ImageFile.h"
#include "support/TestPaths.h"
#include "support/ZipMembers.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

std::vector<tf::test::ZipMember> g_bitmaps;

void DecodeOurs(benchmark::State& state)
{
    for (auto _ : state)
        for (const auto& member : g_bitmaps)
            benchmark::DoNotOptimize(tf::DecodeImageBytes(member.Bytes, QString()));
    state.counters["files"] = double(g_bitmaps.size());
}

void DecodeQt(benchmark::State& state)
{
    for (auto _ : state) {
        for (const auto& member : g_bitmaps) {
            QImage image;
            image.loadFromData(QByteArray::fromRawData(member.Bytes.data(), qsizetype(member.Bytes.size())));
            benchmark::DoNotOptimize(image);
        }
    }
    state.counters["files"] = double(g_bitmaps.size());
}

BENCHMARK(DecodeOurs)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecodeQt)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    const auto prepare = [] {
        const auto skin = tf::bench::SkinToMeasure("base-2.91.wsz");
        if (skin)
            g_bitmaps = tf::test::ReadBmpMembers(*skin);
        return skin.has_value();
    };
    return tf::bench::RunBenchmarks(
        argc, argv,
        [](const tf::bench::RatioReporter& reporter) {
            const double ours = reporter.time("DecodeOurs", tf::bench::RatioReporter::Clock::Cpu);
            const double qt = reporter.time("DecodeQt", tf::bench::RatioReporter::Clock::Cpu);
            if (ours > 0 && qt > 0)
                std::printf("decode ratio ours / Qt: %.3f (%zu bitmaps, CPU %.1f us against %.1f us)\n",
                            ours / qt, g_bitmaps.size(), ours, qt);
        },
        prepare);
}
