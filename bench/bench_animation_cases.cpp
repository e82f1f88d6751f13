#include "bench_cases.h"

#include "animation/replay_export.h"

#include <benchmark/benchmark.h>

#include <random>

namespace tesselo::bench {

namespace {

QString gAnimationPhoto;

// A solve of 100 moves on a 5 x 5 grid: random slides away from the whole
// picture and back, the last landing on it.
ReplayExport::Job HundredMoves()
{
    std::mt19937 random(2718);
    TileGrid grid;
    grid.Resize(5, 5);
    std::vector<Move> away;
    for (int i = 0; i < 100; ++i) {
        const std::int32_t amount = std::int32_t(random() % 4) + 1;
        away.push_back(Move{random() % 2 ? MoveAxis::Row : MoveAxis::Column, std::int32_t(random() % 5),
                            random() % 2 ? amount : -amount});
        grid.Apply(away.back());
    }
    ReplayExport::Job job;
    job.start = grid;
    for (auto m = away.rbegin(); m != away.rend(); ++m) {
        const Selection at = m->axis == MoveAxis::Row ? Selection{m->line, 0} : Selection{0, m->line};
        job.steps.push_back(HistoryStep{m->Inverse(), at, at});
    }
    job.picturePath = gAnimationPhoto;
    job.numbers = true;
    return job;
}

void Encode(benchmark::State& state, ReplayExport::Format format, bool dither = true)
{
    ReplayExport::Job job = HundredMoves();
    job.dither = dither;
    QByteArray bytes;
    for (auto _ : state) {
        QString error;
        if (ReplayExport::Encode(job, format, &bytes, {}, &error) != ReplayExport::Outcome::Written) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
    }
    state.counters["moves"] = double(job.steps.size());
    state.counters["kB"] = double(bytes.size()) / 1024.0;
}

void BM_ReplayGif5x5(benchmark::State& state)
{
    Encode(state, ReplayExport::Format::Gif);
}

// The same without dithering: what the dither costs.
void BM_ReplayGif5x5Undithered(benchmark::State& state)
{
    Encode(state, ReplayExport::Format::Gif, false);
}

void BM_ReplayWebp5x5(benchmark::State& state)
{
    Encode(state, ReplayExport::Format::Webp);
}

} // namespace

void RegisterAnimationCases(const QString& jpegPath, bool tiny)
{
    gAnimationPhoto = jpegPath;
    // Seconds an encoding: a few runs are a measurement.
    const int runs = tiny ? 1 : 3;
    benchmark::RegisterBenchmark("BM_ReplayGif5x5", BM_ReplayGif5x5)->Unit(benchmark::kMillisecond)->Iterations(runs);
    benchmark::RegisterBenchmark("BM_ReplayGif5x5Undithered", BM_ReplayGif5x5Undithered)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(runs);
    benchmark::RegisterBenchmark("BM_ReplayWebp5x5", BM_ReplayWebp5x5)->Unit(benchmark::kMillisecond)->Iterations(runs);
}

} // namespace tesselo::bench
