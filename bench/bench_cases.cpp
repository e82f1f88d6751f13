#include "bench_cases.h"

#include "pictures/board_bitmap.h"

#include <QImage>
#include <QImageReader>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace tesselo::bench {

namespace {

QString gJpeg;
QSize gBoard;

void BM_MemcpyBoard(benchmark::State& state)
{
    const std::size_t bytes = std::size_t(gBoard.width()) * std::size_t(gBoard.height()) * 4;
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}

void BM_Rescale(benchmark::State& state)
{
    BoardBitmap board;
    if (!board.LoadScaled(gJpeg, gBoard.width(), gBoard.height())) {
        state.SkipWithError("the picture did not load");
        return;
    }
    for (auto _ : state) {
        board.LoadScaled(gJpeg, gBoard.width(), gBoard.height());
        benchmark::DoNotOptimize(board.picture.constBits());
    }
}

void BM_QtScaledFast(benchmark::State& state)
{
    BoardBitmap board;
    board.LoadScaled(gJpeg, gBoard.width(), gBoard.height());
    const QImage source = board.source;
    const QRect cut = BoardBitmap::SourceRect(source.width(), source.height(), gBoard.width(), gBoard.height());
    for (auto _ : state) {
        QImage scaled = source.copy(cut).scaled(gBoard, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    }
}

void BM_DecodeJpeg(benchmark::State& state)
{
    BoardBitmap board;
    for (auto _ : state) {
        board.sourcePath.clear(); // a new path each time: decode, then stretch
        if (!board.LoadScaled(gJpeg, gBoard.width(), gBoard.height()))
            state.SkipWithError("the picture did not load");
        benchmark::DoNotOptimize(board.picture.constBits());
    }
}

void BM_QImageReaderJpeg(benchmark::State& state)
{
    for (auto _ : state) {
        QImageReader reader(gJpeg);
        QImage image = reader.read();
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

void RegisterCases(const QString& jpegPath, QSize board)
{
    gJpeg = jpegPath;
    gBoard = board;
    benchmark::RegisterBenchmark("BM_MemcpyBoard", BM_MemcpyBoard)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Rescale", BM_Rescale)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_QtScaledFast", BM_QtScaledFast)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_DecodeJpeg", BM_DecodeJpeg)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_QImageReaderJpeg", BM_QImageReaderJpeg)->Unit(benchmark::kMillisecond);
    RegisterViewCases(jpegPath, board);
}

} // namespace tesselo::bench
