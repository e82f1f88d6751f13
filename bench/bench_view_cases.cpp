#include "bench_cases.h"

#include "app/c_tesselo_dlg.h"
#include "model/game.h"
#include "model/game_setup.h"
#include "view/board_painter.h"
#include "view/painter_target.h"

#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace tesselo::bench {

namespace {

QString gPhoto;
QSize gSize;

// A scrambled "Genius" game on a board of the benchmark's size, painted at
// `ratio` device pixels per board pixel.
struct GeniusBoard {
    explicit GeniusBoard(qreal ratio)
    {
        game.ChangeLevel(4, 6);
        GameSetup(game).board.LoadScaled(gPhoto, gSize.width(), gSize.height(), ratio);
        game.NewGame();
        GameSetup(game).grid.Select({1, 2});
        canvas = QImage(gSize * ratio, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(ratio);
    }
    Game game;
    QImage canvas;
};

template <typename Paint>
void PaintLoop(benchmark::State& state, Paint paint, qreal ratio = 1.0)
{
    GeniusBoard b(ratio);
    if (b.game.board.picture.isNull()) {
        state.SkipWithError("the picture did not load");
        return;
    }
    for (auto _ : state) {
        QPainter painter(&b.canvas);
        PainterTarget target(painter);
        paint(target, b);
        painter.end();
        benchmark::DoNotOptimize(b.canvas.constBits());
    }
}

void BM_PaintBoard(benchmark::State& state)
{
    PaintLoop(state, [](PaintTarget& t, GeniusBoard& b) { DrawBoard(t, b.game.board); });
}

void BM_PaintRowDrag(benchmark::State& state)
{
    PaintLoop(state, [](PaintTarget& t, GeniusBoard& b) {
        DrawRowDrag(t, b.game.board, b.game.board.CellWidth() / 3 + 1);
    });
}

void BM_PaintColumnDrag(benchmark::State& state)
{
    PaintLoop(state, [](PaintTarget& t, GeniusBoard& b) {
        DrawColumnDrag(t, b.game.board, b.game.board.CellHeight() / 3 + 1);
    });
}

void BM_PaintBoard2x(benchmark::State& state)
{
    PaintLoop(state, [](PaintTarget& t, GeniusBoard& b) { DrawBoard(t, b.game.board); }, 2.0);
}

void BM_PaintRowDrag2x(benchmark::State& state)
{
    PaintLoop(
        state,
        [](PaintTarget& t, GeniusBoard& b) { DrawRowDrag(t, b.game.board, b.game.board.CellWidth() / 3 + 1); },
        2.0);
}

void BM_PaintColumnDrag2x(benchmark::State& state)
{
    PaintLoop(
        state,
        [](PaintTarget& t, GeniusBoard& b) { DrawColumnDrag(t, b.game.board, b.game.board.CellHeight() / 3 + 1); },
        2.0);
}

// One size message of the main window with the large picture on hand: the
// bar's layout and font fit, then the rescale (the board's pixels touched
// first, so that the board is made again rather than found made).
void BM_OnSize(benchmark::State& state)
{
    QTemporaryDir play;
    QDir::setCurrent(play.path());
    QDir().mkpath(QStringLiteral("Pictures"));
    QFile::copy(gPhoto, QStringLiteral("Pictures/photo.jpg"));
    Game game;
    CTesseloDlg dlg(game);
    const int barHeight = gSize.width() / 15;
    const int cy = gSize.height() + barHeight;
    dlg.OnSize(gSize.width(), cy);
    for (auto _ : state) {
        benchmark::DoNotOptimize(game.board.picture.bits());
        dlg.OnSize(gSize.width(), cy);
        benchmark::DoNotOptimize(game.board.picture.constBits());
    }
    if (game.board.picture.size() != gSize)
        state.SkipWithError("the board was not prepared at the expected size");
}

} // namespace

void RegisterViewCases(const QString& jpegPath, QSize board)
{
    gPhoto = jpegPath;
    gSize = board;
    benchmark::RegisterBenchmark("BM_PaintBoard", BM_PaintBoard)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintRowDrag", BM_PaintRowDrag)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintColumnDrag", BM_PaintColumnDrag)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintBoard2x", BM_PaintBoard2x)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintRowDrag2x", BM_PaintRowDrag2x)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintColumnDrag2x", BM_PaintColumnDrag2x)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_OnSize", BM_OnSize)->Unit(benchmark::kMillisecond);
}

} // namespace tesselo::bench
