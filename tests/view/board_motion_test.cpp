#include "painter_scene.h"

#include "model/game.h"
#include "model/game_setup.h"
#include "pictures/game_picture.h"
#include "pictures/picture_setup.h"
#include "view/board_motion.h"

#include <QObject>

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>
#include <vector>

using namespace tesselo;
using namespace tesselo::test;

namespace {

// A "Strategy" game of 3 x 4 in play on a 640 x 480 board (cells of 160 x
// 160), whose changes the motion follows on a clock the test sets.
struct Gliding {
    Gliding()
    {
        game.ChangeSize({3, 4});
        game.StartSeeded(99);
        motion.SetClock([this] { return now; });
        QObject::connect(&game, &Game::Changed, [this](const GameChange& change) {
            ++changes;
            motion.Follow(change, game.View().puzzle.grid, kCell);
        });
    }
    // The board a frame shows once its line has come to rest where the
    // offset puts it: the slid line made a whole move.
    static TileGrid Landed(const MotionFrame& frame, QSize cell)
    {
        TileGrid grid = frame.grid;
        if (frame.axis == None)
            return grid;
        const bool row = frame.axis == Horizontal;
        const int size = row ? cell.width() : cell.height();
        const int line = row ? grid.selectedRow : grid.selectedColumn;
        grid.Apply(Move{row ? MoveAxis::Row : MoveAxis::Column, line, int(std::lround(double(frame.offset) / size))});
        return grid;
    }

    static constexpr QSize kCell{160, 160};
    std::int64_t now = 1000;
    int changes = 0;
    Game game{[] { return std::uint64_t(133000000000000000ULL); }};
    GamePicture picture{game};
    BoardMotion motion;
};

} // namespace

// A move glides from the board before it to the board after it in about
// 120 ms, easing out; then the board is at rest and is the game's own.
TEST(BoardMotion, AMoveGlidesFromTheBoardBeforeToTheBoardAfter)
{
    Gliding g;
    const TileGrid before = g.game.View().puzzle.grid;
    GameSetup(g.game).grid.Select({1, 1});
    g.game.ShiftRowRight();
    // The first frame is already a frame on: the input shows at once.
    std::optional<MotionFrame> frame = g.motion.Frame(Gliding::kCell);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->axis, Horizontal);
    EXPECT_TRUE(frame->grid.SameCells(before));
    EXPECT_EQ(frame->grid.selectedRow, 1);
    EXPECT_GT(frame->offset, 160 / 4);
    int last = frame->offset;
    int step = last;
    for (g.now += 10; g.now < 1000 + BoardMotion::kGlideMs - BoardMotion::kFrameMs; g.now += 10) {
        frame = g.motion.Frame(Gliding::kCell);
        ASSERT_TRUE(frame) << g.now;
        // Easing out: on the whole way, each step no longer than the one
        // before (give or take the rounding to whole pixels).
        EXPECT_GE(frame->offset, last);
        EXPECT_LE(frame->offset - last, step + 1);
        step = frame->offset - last;
        last = frame->offset;
    }
    EXPECT_GE(last, 158);
    EXPECT_TRUE(Gliding::Landed(*frame, Gliding::kCell).SameCells(g.game.View().puzzle.grid));
    g.now = 1000 + BoardMotion::kGlideMs - BoardMotion::kFrameMs;
    EXPECT_FALSE(g.motion.IsRunning());
    EXPECT_FALSE(g.motion.Frame(Gliding::kCell));
}

// Each kind of move glides its own way: an undo backwards, a drag from
// where it was let go (the short way round), a drag let go on its own cell
// back to it, Shift and an arrow the frame only, wrapping round the edge.
TEST(BoardMotion, EachMoveGlidesFromWhereItStartsToWhereItEnds)
{
    const struct {
        const char* name;
        std::function<void(Game&)> change;
        DragAxis axis;
        double fromCells, toCells; // along the line, or the frame's way
    } cases[] = {
        {"right", [](Game& g) { g.ShiftRowRight(); }, Horizontal, 0, 1},
        {"up, wrapping from the top row", [](Game& g) { g.ShiftColumnUp(); }, Vertical, 0, -1},
        {"undone",
         [](Game& g) {
             g.ShiftColumnDown();
             g.Undo();
         },
         Vertical, 0, -1},
        {"a drag let go 1.6 cells to the left, landing 2 cells on",
         [](Game& g) {
             g.BeginDrag(10, 10);
             g.TrackDrag(-100, 10);
             g.EndDrag(-246, 10);
         },
         Horizontal, -1.6, -2},
        {"a drag let go a third of a cell down",
         [](Game& g) {
             g.BeginDrag(10, 10);
             g.TrackDrag(10, 40);
             g.EndDrag(10, 63);
         },
         Vertical, 0.33, 0},
        {"Shift and left from the first column", [](Game& g) { g.SelectLeft(); }, None, 1, 0},
        {"Shift and down", [](Game& g) { g.SelectDown(); }, None, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Gliding g;
        GameSetup(g.game).grid.Select({0, 0});
        c.change(g.game);
        g.now -= BoardMotion::kFrameMs; // the very start of the glide
        const std::optional<MotionFrame> start = g.motion.Frame(Gliding::kCell);
        g.now += BoardMotion::kGlideMs - 1;
        const std::optional<MotionFrame> end = g.motion.Frame(Gliding::kCell);
        ASSERT_TRUE(start && end);
        EXPECT_EQ(start->axis, c.axis);
        const auto along = [&](const MotionFrame& f) {
            return c.axis == None ? double(f.frameOffset.x() + f.frameOffset.y()) / 160 : double(f.offset) / 160;
        };
        EXPECT_NEAR(along(*start), c.fromCells, 0.01);
        EXPECT_NEAR(along(*end), c.toCells, 0.01);
        EXPECT_TRUE(Gliding::Landed(*end, Gliding::kCell).SameCells(g.game.View().puzzle.grid));
    }
}

// A new input ends the glide under way at once and starts the next from
// there; whatever the moves and however fast they come (key repeat at 30 a
// second included), every glide starts on the board the last one was going
// to, and the board at rest is the game's.
TEST(BoardMotion, ASecondInputEndsTheFirstAndTheEndIsTheGamesBoard)
{
    Gliding g;
    std::mt19937 rng(7);
    for (int i = 0; i < 400; ++i) {
        const TileGrid before = g.game.View().puzzle.grid;
        const int changes = g.changes;
        switch (rng() % 8) {
        case 0: g.game.ShiftRowLeft(); break;
        case 1: g.game.ShiftRowRight(); break;
        case 2: g.game.ShiftColumnUp(); break;
        case 3: g.game.ShiftColumnDown(); break;
        case 4: g.game.Undo(); break;
        case 5: g.game.Redo(); break;
        case 6: g.game.SelectRight(); break;
        default: {
            const int x = int(rng() % 640), y = int(rng() % 480);
            g.game.BeginDrag(x, y);
            g.game.TrackDrag(x + int(rng() % 300) - 150, y + 2);
            g.game.EndDrag(x + int(rng() % 600) - 300, y + 2);
        }
        }
        if (g.game.View().puzzle.state != Playing) {
            g.game.NewGame();
            continue;
        }
        const std::optional<MotionFrame> f = g.motion.Frame(Gliding::kCell);
        if (f && f->axis != None && g.changes != changes) {
            // Where the glide starts is where the last one was going.
            EXPECT_TRUE(f->grid.SameCells(before)) << i;
            const std::int64_t end = BoardMotion::kGlideMs - BoardMotion::kFrameMs - 1;
            g.now += end;
            EXPECT_TRUE(
                Gliding::Landed(*g.motion.Frame(Gliding::kCell), Gliding::kCell).SameCells(g.game.View().puzzle.grid))
                << i;
            g.now -= end;
        }
        g.now += std::int64_t(rng() % 3 == 0 ? 33 : rng() % 200);
    }
    g.now += BoardMotion::kGlideMs;
    EXPECT_FALSE(g.motion.Frame(Gliding::kCell));
}

// Painted, a glide's last frame shows every piece at rest; on its way a
// line wraps round the edge and the frame straddles it.
TEST(BoardMotion, PaintedTheGlideEndsOnTheBoardAtRestAndWrapsOnTheWay)
{
    Gliding g;
    PictureSetup(g.picture).board.picture = Coordinates(640, 480);
    GameSetup(g.game).grid.Select({2, 0});
    g.game.ShiftRowLeft();
    const auto paint = [&](const std::function<void(PaintTarget&)>& draw) {
        QImage img(640, 480, QImage::Format_RGB32);
        img.fill(kUntouched);
        QPainter painter(&img);
        PainterTarget target(painter);
        draw(target);
        return img;
    };
    const QImage rest = paint([&](PaintTarget& t) { DrawBoard(t, g.picture.Board()); });
    g.now += 30;
    const MotionFrame midway = *g.motion.Frame(Gliding::kCell);
    ASSERT_LT(midway.offset, -20);
    ASSERT_GT(midway.offset, -140);
    const QImage moving = paint([&](PaintTarget& t) { DrawMotion(t, g.picture.Board(), midway); });
    // The first piece of the bottom row is partly out at the left and back
    // in at the right, and its frame with it; the rows above stand.
    EXPECT_EQ(Differences(moving.copy(0, 0, 640, 320), rest.copy(0, 0, 640, 320)), 0);
    EXPECT_GT(Differences(moving.copy(0, 321, 640, 159), rest.copy(0, 321, 640, 159)), 0);
    int yellowLeft = 0, yellowRight = 0;
    for (int x = 0; x < 160; ++x) {
        yellowLeft += moving.pixel(x, 2 * 160) == kSelectionColour;
        yellowRight += moving.pixel(639 - x, 2 * 160) == kSelectionColour;
    }
    EXPECT_GT(yellowLeft, 0);
    EXPECT_GT(yellowRight, 0);
    g.now += BoardMotion::kGlideMs - 30 - BoardMotion::kFrameMs - 1;
    // The last frame has every piece where it rests; only the lines that
    // ride the moving row as a ring (as in a drag) lie one place round.
    const QImage end =
        paint([&](PaintTarget& t) { DrawMotion(t, g.picture.Board(), *g.motion.Frame(Gliding::kCell)); });
    int moved = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const auto line = [](QRgb p) { return p == kGridColour || p == kSelectionColour; };
            moved += end.pixel(x, y) != rest.pixel(x, y) && !line(end.pixel(x, y)) && !line(rest.pixel(x, y));
        }
    EXPECT_EQ(moved, 0);
}

// What leaves the board as it stands lets a glide under way go on: the par
// the solver finds a moment after a move, a help count, the volume, a
// hint, the clock and the style. A change of the board ends it.
TEST(BoardMotion, OnlyAChangeOfTheBoardEndsAGlide)
{
    const std::vector<std::pair<const char*, std::function<void(Game&)>>> leave = {
        {"par", [](Game& g) { g.SetPar(20, false); }},
        {"help", [](Game& g) { g.CountAssisted(1); }},
        {"volume", [](Game& g) { g.SetVolume(30); }},
        {"hint", [](Game& g) { g.ShowHint(Move{MoveAxis::Column, 0, 1}); }},
        {"style", [](Game& g) { g.SetStyle(Style::FewestMoves); }},
    };
    for (const auto& [name, change] : leave) {
        SCOPED_TRACE(name);
        Gliding g;
        g.game.ShiftRowRight();
        ASSERT_TRUE(g.motion.IsRunning());
        const int before = g.changes;
        change(g.game);
        ASSERT_GT(g.changes, before) << "nothing was announced";
        EXPECT_TRUE(g.motion.IsRunning());
    }
    Gliding g;
    g.game.ShiftRowRight();
    g.game.ResetGame();
    EXPECT_FALSE(g.motion.IsRunning()) << "a reset shows at once";
}
