#include "bench_cases.h"

#include "pictures/board_bitmap.h"

#include <QImage>
#include <QImageReader>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace tesselo::bench {

namespace {

QString gJpeg;
QSize gPicture;
QSize gBoard;

void Memcpy(benchmark::State& state, std::size_t bytes)
{
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}

void BM_MemcpyBoard(benchmark::State& state)
{
    Memcpy(state, std::size_t(gBoard.width()) * std::size_t(gBoard.height()) * 4);
}

// The board of a high-density screen: twice as many device pixels each way.
void BM_MemcpyBoard2x(benchmark::State& state)
{
    Memcpy(state, std::size_t(gBoard.width()) * std::size_t(gBoard.height()) * 16);
}

// The photo on hand, as the board keeps it for gBoard.
bool OnHand(BoardBitmap& board, benchmark::State& state)
{
    if (board.LoadScaled(gJpeg, gBoard.width(), gBoard.height()))
        return true;
    state.SkipWithError("the picture did not load");
    return false;
}

// The stretch of the picture on hand into the board it already has, as a
// size message makes it. Touching the board's pixels marks it as changed,
// so each load makes it again instead of finding it made.
void BM_Rescale(benchmark::State& state)
{
    BoardBitmap board;
    if (!OnHand(board, state))
        return;
    for (auto _ : state) {
        benchmark::DoNotOptimize(board.picture.bits());
        board.LoadScaled(gJpeg, gBoard.width(), gBoard.height());
        benchmark::DoNotOptimize(board.picture.constBits());
    }
}

// What no nearest-neighbour stretch can beat: one read of each 64-byte
// line of the source rows the stretch takes, once per row.
void BM_TouchSourceLines(benchmark::State& state)
{
    BoardBitmap board;
    if (!OnHand(board, state))
        return;
    const QImage& source = board.source;
    const QRect cut = BoardBitmap::ScaledCut(board.sourceFullSize, board.sourceScale, gBoard);
    std::vector<int> rows;
    for (int y = 0; y < gBoard.height(); ++y) {
        const int sy = cut.y() + int((std::int64_t(2 * y + 1) * cut.height()) / (std::int64_t(2) * gBoard.height()));
        if (rows.empty() || rows.back() != sy)
            rows.push_back(sy);
    }
    const std::size_t from = std::size_t(cut.x()) * 4;
    const std::size_t to = std::size_t(cut.x() + cut.width()) * 4;
    for (auto _ : state) {
        unsigned sum = 0;
        for (const int sy : rows) {
            const uchar* line = source.constScanLine(sy);
            for (std::size_t at = from; at < to; at += 64)
                sum += line[at];
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_QtScaledFast(benchmark::State& state)
{
    BoardBitmap board;
    if (!OnHand(board, state))
        return;
    const QImage source = board.source;
    const QRect cut = BoardBitmap::ScaledCut(board.sourceFullSize, board.sourceScale, gBoard);
    for (auto _ : state) {
        QImage scaled = source.copy(cut).scaled(gBoard, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    }
}

// A new photo onto the board, as after a win: a fresh board bitmap, the
// decode and the stretch.
void BM_LoadBoardJpeg(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto board = std::make_unique<BoardBitmap>();
        state.ResumeTiming();
        if (!board->LoadScaled(gJpeg, gBoard.width(), gBoard.height()))
            state.SkipWithError("the picture did not load");
        benchmark::DoNotOptimize(board->picture.constBits());
        state.PauseTiming();
        board.reset();
        state.ResumeTiming();
    }
}

// The whole photo decoded, the reference the scaled load is measured
// against. Each read fills the same image, made and touched before the
// loop, as the scaled load's smaller images come from memory the heap
// already holds. A fresh image of 96 MB would be mapped from the system on
// every read and fault in each of its pages (a third of the time here), or
// not, when an earlier case (the records made for 100,000 wins) left the
// heap with a free block that large: the figure then followed the order
// the cases ran in.
void BM_QImageReaderJpeg(benchmark::State& state)
{
    QImage image;
    if (!QImageReader(gJpeg).read(&image) || image.size() != gPicture) {
        state.SkipWithError("the whole picture was not read");
        return;
    }
    for (auto _ : state) {
        const uchar* const filled = image.constBits();
        QImageReader reader(gJpeg);
        if (!reader.read(&image) || image.size() != gPicture || image.constBits() != filled) {
            state.SkipWithError("the whole picture was not read into the image made for it");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

void RegisterCases(const QString& jpegPath, QSize picture, QSize board)
{
    gJpeg = jpegPath;
    gPicture = picture;
    gBoard = board;
    benchmark::RegisterBenchmark("BM_MemcpyBoard", BM_MemcpyBoard)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_MemcpyBoard2x", BM_MemcpyBoard2x)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Rescale", BM_Rescale)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_TouchSourceLines", BM_TouchSourceLines)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_QtScaledFast", BM_QtScaledFast)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_LoadBoardJpeg", BM_LoadBoardJpeg)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_QImageReaderJpeg", BM_QImageReaderJpeg)->Unit(benchmark::kMillisecond);
    RegisterViewCases(jpegPath, board);
}

} // namespace tesselo::bench
