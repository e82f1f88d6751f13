#include "bench_cases.h"

#include "app/window/c_tesselo_dlg.h"
#include "app/window/window_layout.h"
#include "model/game.h"
#include "model/game_setup.h"
#include "pictures/game_picture.h"
#include "pictures/picture_setup.h"
#include "saved/saved_game_store.h"
#include "view/board_cache.h"
#include "view/board_painter.h"
#include "view/c_puzzle_image.h"
#include "view/number_plates.h"
#include "view/painter_target.h"

#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

namespace tesselo::bench {

namespace {

QString gPhoto;
QSize gSize;

// A scrambled game of `size` on a board of `board` pixels, painted at
// `ratio` device pixels per board pixel, its selection inside the grid.
struct SizedBoard {
    SizedBoard(GridSize size, QSize board, qreal ratio)
    {
        game.ChangeSize(size);
        PictureSetup(picture).board.LoadScaled(gPhoto, board.width(), board.height(), ratio);
        game.NewGame();
        GameSetup(game).grid.Select({1, 2});
        canvas = QImage(board * ratio, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(ratio);
    }
    Game game;
    GamePicture picture{game};
    QImage canvas;
};

// A scrambled "Genius" game on a board of the benchmark's size.
struct GeniusBoard : SizedBoard {
    explicit GeniusBoard(qreal ratio) : SizedBoard(kGenius, gSize, ratio) {}
};

template <typename Paint>
void PaintLoop(benchmark::State& state, Paint paint, qreal ratio = 1.0)
{
    GeniusBoard b(ratio);
    if (b.picture.Board().picture.isNull()) {
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
    PaintLoop(state, [](PaintTarget& t, GeniusBoard& b) { DrawBoard(t, b.picture.Board()); });
}

void BM_PaintRowDrag(benchmark::State& state)
{
    PaintLoop(state, [](PaintTarget& t, GeniusBoard& b) {
        DrawRowDrag(t, b.picture.Board(), b.picture.Board().CellWidth() / 3 + 1);
    });
}

void BM_PaintColumnDrag(benchmark::State& state)
{
    PaintLoop(state, [](PaintTarget& t, GeniusBoard& b) {
        DrawColumnDrag(t, b.picture.Board(), b.picture.Board().CellHeight() / 3 + 1);
    });
}

void BM_PaintBoard2x(benchmark::State& state)
{
    PaintLoop(
        state, [](PaintTarget& t, GeniusBoard& b) { DrawBoard(t, b.picture.Board()); }, 2.0);
}

void BM_PaintRowDrag2x(benchmark::State& state)
{
    PaintLoop(
        state,
        [](PaintTarget& t, GeniusBoard& b) {
            DrawRowDrag(t, b.picture.Board(), b.picture.Board().CellWidth() / 3 + 1);
        },
        2.0);
}

void BM_PaintColumnDrag2x(benchmark::State& state)
{
    PaintLoop(
        state,
        [](PaintTarget& t, GeniusBoard& b) {
            DrawColumnDrag(t, b.picture.Board(), b.picture.Board().CellHeight() / 3 + 1);
        },
        2.0);
}

// A frame as the board on screen paints it: the control rendered through
// the region that frame repaints (the moving row's band) into an image as
// large as the board, as into the window's backing store. In a drag the
// row follows the pointer; in a glide it is on its way after a key, caught
// half way by a clock that stands still.
template <typename Prepare>
void ControlFrameLoop(benchmark::State& state, qreal ratio, Prepare prepare)
{
    GeniusBoard b(ratio);
    if (b.picture.Board().picture.isNull()) {
        state.SkipWithError("the picture did not load");
        return;
    }
    CPuzzleImage control;
    control.resize(gSize);
    control.Show(&b.game, &b.picture);
    prepare(b, control);
    const int ch = b.picture.Board().CellHeight();
    const QRegion band(0, b.game.View().puzzle.grid.selectedRow * ch, gSize.width(), ch + 1);
    for (auto _ : state) {
        control.render(&b.canvas, QPoint(), band);
        benchmark::DoNotOptimize(b.canvas.constBits());
    }
}

void DragFrame(SizedBoard& b, CPuzzleImage&)
{
    GameSetup setup(b.game);
    setup.gesture.dragging = true;
    setup.gesture.dragAxis = Horizontal;
    setup.gesture.dragDeltaX = b.picture.Board().CellWidth() / 3 + 1;
}

void GlideFrame(SizedBoard& b, CPuzzleImage& control)
{
    control.Motion().SetClock([] { return std::int64_t(0); });
    b.game.ShiftRowRight();
    control.Motion().SetClock([] { return BoardMotion::kGlideMs / 2 - BoardMotion::kFrameMs; });
}

void BM_PaintRowDragFrame(benchmark::State& state)
{
    ControlFrameLoop(state, 1.0, DragFrame);
}

void BM_PaintRowGlideFrame(benchmark::State& state)
{
    ControlFrameLoop(state, 1.0, GlideFrame);
}

void BM_PaintRowDragFrame2x(benchmark::State& state)
{
    ControlFrameLoop(state, 2.0, DragFrame);
}

void BM_PaintRowGlideFrame2x(benchmark::State& state)
{
    ControlFrameLoop(state, 2.0, GlideFrame);
}

// One size message of the main window with the large picture on hand, as
// a drag of the window's edge sends them: the bar's layout and font fit,
// then the board made again at the new size. The window alternates between
// two sizes a few pixels apart, as a message of the size the window already
// has changes nothing.
void BM_OnSize(benchmark::State& state)
{
    const QString cwd = QDir::currentPath();
    {
        QTemporaryDir play;
        QDir::setCurrent(play.path());
        QDir().mkpath(QStringLiteral("Pictures"));
        QFile::copy(gPhoto, QStringLiteral("Pictures/photo.jpg"));
        Game game;
        CTesseloDlg dlg(game);
        // The window's picture waits for the saved game, of which there is none.
        SavedGameStore().Load(game, dlg.Picture());
        const BoardBitmap& board = dlg.Picture().Board();
        const std::array<QSize, 2> boards{gSize, gSize - QSize(16, 9)};
        std::array<QSize, 2> windows;
        for (std::size_t i = 0; i < 2; ++i)
            windows[i] = boards[i] + QSize(0, window_layout::BarHeight(window_layout::ButtonWidth(boards[i].width())));
        dlg.OnSize(windows[1].width(), windows[1].height());
        const int stretches = board.stretches;
        const int decodes = board.decodes;
        std::size_t next = 0;
        for (auto _ : state) {
            dlg.OnSize(windows[next].width(), windows[next].height());
            if (board.picture.size() != boards[next]) {
                state.SkipWithError("the board was not made at the window's size");
                break;
            }
            next = 1 - next;
        }
        // Every message made the board again, from the picture on hand.
        if (!state.error_occurred() && (board.stretches - stretches != state.iterations() || board.decodes != decodes))
            state.SkipWithError("a size message did not stretch the picture on hand");
    }
    // The later cases run where the run began, not in a folder now gone.
    QDir::setCurrent(cwd);
}

// The smallest grid and the largest, with numbers on their tiles, painted
// on the same board: the largest may cost no more than half as much again.
// A tiny run's board is made large enough for the largest grid's cells to
// hold their numbers.
QSize SizedBoardSize()
{
    return gSize.expandedTo(QSize(GridSize::kMax, GridSize::kMax) * 24);
}

// Paints the board of `size` with its numbers, the plates and the board at
// rest kept from paint to paint as the board control keeps them.
struct Kept {
    NumberPlates plates;
    BoardCache rest;
};

template <typename Paint>
void NumbersLoop(benchmark::State& state, GridSize size, Paint paint)
{
    SizedBoard b(size, SizedBoardSize(), 1.0);
    Kept kept;
    NumberPlates& plates = kept.plates;
    if (b.picture.Board().picture.isNull()) {
        state.SkipWithError("the picture did not load");
        return;
    }
    if (!plates.Prepare(size.rows, size.columns, QSize(b.picture.Board().CellWidth(), b.picture.Board().CellHeight()),
                        1.0)) {
        state.SkipWithError("the numbers do not fit the cells");
        return;
    }
    for (auto _ : state) {
        QPainter painter(&b.canvas);
        PainterTarget target(painter);
        paint(target, b, kept);
        painter.end();
        benchmark::DoNotOptimize(b.canvas.constBits());
    }
}

void PaintBoardNumbers(benchmark::State& state, GridSize size)
{
    NumbersLoop(state, size,
                [](PaintTarget& t, SizedBoard& b, Kept& k) { DrawBoard(t, b.picture.Board(), &k.plates, &k.rest); });
}

void PaintRowDragNumbers(benchmark::State& state, GridSize size)
{
    NumbersLoop(state, size, [](PaintTarget& t, SizedBoard& b, Kept& k) {
        DrawRowDrag(t, b.picture.Board(), b.picture.Board().CellWidth() / 3 + 1, &k.plates, &k.rest);
    });
}

void PaintColumnDragNumbers(benchmark::State& state, GridSize size)
{
    NumbersLoop(state, size, [](PaintTarget& t, SizedBoard& b, Kept& k) {
        DrawColumnDrag(t, b.picture.Board(), b.picture.Board().CellHeight() / 3 + 1, &k.plates, &k.rest);
    });
}

// A glide's frame as the board control paints it, numbers on: the band of
// the moving row, half way after a key.
void PaintGlideFrameNumbers(benchmark::State& state, GridSize size)
{
    const QSize board = SizedBoardSize();
    SizedBoard b(size, board, 1.0);
    if (b.picture.Board().picture.isNull()) {
        state.SkipWithError("the picture did not load");
        return;
    }
    CPuzzleImage control;
    control.resize(board);
    control.Show(&b.game, &b.picture);
    control.SetNumbers(true);
    GlideFrame(b, control);
    const int ch = b.picture.Board().CellHeight();
    const QRegion band(0, b.game.View().puzzle.grid.selectedRow * ch, board.width(), ch + 1);
    for (auto _ : state) {
        control.render(&b.canvas, QPoint(), band);
        benchmark::DoNotOptimize(b.canvas.constBits());
    }
}

// A size message of the main window and the whole board painted again at
// the new size with its numbers, as a drag of the window's edge shows it.
void ResizeNumbers(benchmark::State& state, GridSize size)
{
    const QString cwd = QDir::currentPath();
    {
        QTemporaryDir play;
        QDir::setCurrent(play.path());
        QDir().mkpath(QStringLiteral("Pictures"));
        QFile::copy(gPhoto, QStringLiteral("Pictures/photo.jpg"));
        Game game;
        game.ChangeSize(size);
        game.NewGame();
        CTesseloDlg dlg(game);
        SavedGameStore().Load(game, dlg.Picture());
        const QSize largest = SizedBoardSize();
        const std::array<QSize, 2> boards{largest, largest - QSize(16, 9)};
        std::array<QSize, 2> windows;
        for (std::size_t i = 0; i < 2; ++i)
            windows[i] = boards[i] + QSize(0, window_layout::BarHeight(window_layout::ButtonWidth(boards[i].width())));
        QImage canvas(largest, QImage::Format_RGB32);
        NumberPlates plates;
        BoardCache rest;
        dlg.OnSize(windows[1].width(), windows[1].height());
        std::size_t next = 0;
        for (auto _ : state) {
            dlg.OnSize(windows[next].width(), windows[next].height());
            QPainter painter(&canvas);
            PainterTarget target(painter);
            if (!DrawBoard(target, dlg.Picture().Board(), &plates, &rest)) {
                state.SkipWithError("the board was not painted");
                break;
            }
            painter.end();
            benchmark::DoNotOptimize(canvas.constBits());
            next = 1 - next;
        }
        if (!state.error_occurred() && plates.Picture().isNull())
            state.SkipWithError("the numbers did not fit the cells");
    }
    QDir::setCurrent(cwd);
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
    benchmark::RegisterBenchmark("BM_PaintRowDragFrame", BM_PaintRowDragFrame)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintRowGlideFrame", BM_PaintRowGlideFrame)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintRowDragFrame2x", BM_PaintRowDragFrame2x)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_PaintRowGlideFrame2x", BM_PaintRowGlideFrame2x)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_OnSize", BM_OnSize)->Unit(benchmark::kMillisecond);
    using Case = void (*)(benchmark::State&, GridSize);
    for (const auto& [name, run] : {std::pair<const char*, Case>{"BM_PaintBoardNumbers", PaintBoardNumbers},
                                    {"BM_PaintRowDragNumbers", PaintRowDragNumbers},
                                    {"BM_PaintColumnDragNumbers", PaintColumnDragNumbers},
                                    {"BM_PaintGlideFrameNumbers", PaintGlideFrameNumbers},
                                    {"BM_ResizeNumbers", ResizeNumbers}})
        for (const GridSize size : {kNovice, GridSize{GridSize::kMax, GridSize::kMax}})
            benchmark::RegisterBenchmark((std::string(name) + "_" + size.Name()).c_str(), run, size)
                ->Unit(benchmark::kMillisecond);
}

} // namespace tesselo::bench
