#include "app/window_fixture.h"
#include "model/grid_position.h"
#include "support/temp_cwd.h"
#include "view/c_puzzle_image.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>

#include <cstdlib>
#include <functional>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

// Waits, with the window's timer and the solver's answers running.
bool WaitFor(const std::function<bool()>& done, int ms = 20000)
{
    return QTest::qWaitFor(done, ms);
}

void Key(Window& w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    w.Key(key, modifiers);
}

// A new game at this size, once its par is known.
void NewGameWithPar(Window& w, int rows, int columns)
{
    w.game.ChangeSize({rows, columns});
    w.dlg.OnBnClickedNewGame();
    ASSERT_EQ(w.game.View().puzzle.state, Playing);
    ASSERT_TRUE(WaitFor([&] { return w.game.View().puzzle.facts.par.has_value(); }));
}

// Plays `move` as a player does at the keyboard: Shift and the arrows
// bring the selection onto its line, then an arrow a cell at a time.
void PlayByKeys(Window& w, const Move& move)
{
    const bool row = move.axis == MoveAxis::Row;
    while ((row ? w.game.View().puzzle.grid.selectedRow : w.game.View().puzzle.grid.selectedColumn) != move.line)
        Key(w, row ? Qt::Key_Down : Qt::Key_Right, Qt::ShiftModifier);
    const Qt::Key forward = row ? Qt::Key_Right : Qt::Key_Down;
    const Qt::Key back = row ? Qt::Key_Left : Qt::Key_Up;
    for (int i = 0; i < std::abs(move.amount); ++i)
        Key(w, move.amount > 0 ? forward : back);
}

const std::optional<Move>& Shown(const Window& w)
{
    return w.dlg.Board().Hint();
}

} // namespace

// H shows the plan's next move and changes nothing; each hint followed
// (an arrow key a cell at a time) takes the plan down by exactly one; a
// move off the plan makes a new plan; each move revealed counts once, and
// the game won with hints is kept but no new best.
TEST(Assistant, EachFollowedHintTakesThePlanDownByOne)
{
    TempCwd cwd;
    Window w;
    NewGameWithPar(w, 3, 4);
    const std::int32_t par = *w.game.View().puzzle.facts.par;
    EXPECT_TRUE(w.game.View().puzzle.facts.parIsOptimal);
    const PlanKeeper& help = w.dlg.Hints().Plans();
    const TileGrid start = w.game.View().puzzle.grid;

    Key(w, Qt::Key_H);
    ASSERT_TRUE(WaitFor([&] { return Shown(w).has_value(); }));
    EXPECT_TRUE(w.game.View().puzzle.grid.SameCells(start));
    EXPECT_EQ(w.game.View().puzzle.moves, 0);
    EXPECT_EQ(help.Plan().Remaining().Length(), par);
    EXPECT_EQ(w.game.View().puzzle.facts.assisted, 1);
    // A move across the hinted one leaves the plan.
    const Move hinted = *Shown(w);
    PlayByKeys(w, hinted.axis == MoveAxis::Row ? Move{MoveAxis::Column, 0, 1} : Move{MoveAxis::Row, 0, 1});
    w.Tick();
    EXPECT_FALSE(help.Plan().Active());

    for (int hints = 0;; ++hints) {
        ASSERT_LT(hints, 20);
        Key(w, Qt::Key_H);
        ASSERT_TRUE(WaitFor([&] { return Shown(w).has_value(); }));
        ASSERT_EQ(help.Plan().Current(), PositionOf(w.game.View().puzzle.grid));
        const int left = help.Plan().Remaining().Length();
        const Move hint = *Shown(w);
        // Asked again: the same move, counted once.
        Key(w, Qt::Key_H);
        EXPECT_EQ(Shown(w), hint);
        EXPECT_EQ(w.game.View().puzzle.facts.assisted, 2 + hints);
        PlayByKeys(w, hint);
        EXPECT_FALSE(Shown(w).has_value());
        w.Tick();
        if (w.game.View().puzzle.state == Solved) {
            EXPECT_EQ(left, 1);
            break;
        }
        EXPECT_EQ(help.Plan().Remaining().Length(), left - 1) << "after hint " << hints;
    }
    EXPECT_EQ(w.dlg.windowTitle(), "Tesselo");
    const GameResult won = w.game.ResultOfWin({});
    EXPECT_EQ(won.par, par);
    EXPECT_TRUE(won.parIsOptimal);
    EXPECT_GE(won.assisted, 2);
}

// Shift+H plays the plan's moves as real moves, one every 300 ms: in the
// history, counted as help, taken back by undo; a key or a click stops it.
TEST(Assistant, ASolvePlaysRealMovesUntilAnyInput)
{
    for (const bool click : {false, true}) {
        TempCwd cwd;
        Window w;
        NewGameWithPar(w, 3, 3);
        const TileGrid start = w.game.View().puzzle.grid;
        const PlanKeeper& help = w.dlg.Hints().Plans();
        Key(w, Qt::Key_H, Qt::ShiftModifier);
        EXPECT_TRUE(help.IsSolving());
        EXPECT_EQ(w.game.View().puzzle.moves, 1) << "the first move comes at once";
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(WaitFor([&] { return w.game.View().puzzle.moves == 2; }, 2000));
        EXPECT_GE(clock.elapsed(), 200);
        if (click) {
            const QPoint on(10, w.dlg.BarHeight() + 10);
            w.Mouse(QEvent::MouseButtonPress, on, Qt::LeftButton, Qt::LeftButton);
            w.Mouse(QEvent::MouseButtonRelease, on, Qt::LeftButton, Qt::NoButton);
        } else {
            Key(w, Qt::Key_A);
        }
        EXPECT_FALSE(help.IsSolving());
        EXPECT_FALSE(w.game.View().gesture.dragging);
        QTest::qWait(700);
        ASSERT_EQ(w.game.View().puzzle.moves, 2) << (click ? "click" : "key");
        EXPECT_EQ(w.game.View().puzzle.history.position, 2u);
        EXPECT_EQ(w.game.View().puzzle.facts.assisted, 2);
        Key(w, Qt::Key_Z, Qt::ControlModifier);
        Key(w, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(w.game.View().puzzle.grid.SameCells(start));
    }
}

// A game the solve wins counts among the wins, its moves all help, and it
// is neither announced as a new best nor counted as one.
TEST(Assistant, AGameTheSolveWinsIsNoNewBest)
{
    TempCwd cwd;
    Window w;
    NewGameWithPar(w, 2, 3);
    Key(w, Qt::Key_H, Qt::ShiftModifier);
    ASSERT_TRUE(WaitFor([&] { return w.game.View().puzzle.state == Solved; }, 5000));
    ASSERT_TRUE(w.SettleRecords());
    EXPECT_EQ(w.dlg.windowTitle(), "Tesselo");
    const GameResult won = w.game.ResultOfWin({});
    EXPECT_EQ(won.moves, *w.game.View().puzzle.facts.par);
    EXPECT_EQ(won.assisted, won.moves);
    Records kept;
    ASSERT_TRUE(kept.Open());
    const Records::Summary novice = kept.Summarize(kNovice, Style::Strategy);
    EXPECT_EQ(novice.won, 1);
    EXPECT_FALSE(novice.best.has_value());
}

// A plan asked for one board and answered after the board changed is never
// followed or shown: only the plan for the board as it is arrives, and the
// hint it shows goes after about two seconds.
TEST(Assistant, APlanForABoardThatChangedMeanwhileIsDropped)
{
    TempCwd cwd;
    Window w;
    NewGameWithPar(w, 3, 4);
    const PlanKeeper& help = w.dlg.Hints().Plans();
    // A move and its undo: the plan is left.
    w.game.ShiftRowRight();
    w.Tick();
    w.game.Undo();
    w.Tick();
    ASSERT_FALSE(help.Plan().Active());

    QSignalSpy answers(&w.dlg.Hints().Plans().Service(), &SolverService::PlanReady);
    Key(w, Qt::Key_H);
    EXPECT_TRUE(help.IsWaiting());
    // The board changes before the answer can come, without input.
    w.game.ShiftColumnDown();
    w.Tick();
    ASSERT_TRUE(WaitFor([&] { return Shown(w).has_value(); }));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(answers.size(), 1);
    ASSERT_EQ(help.Plan().Current(), PositionOf(w.game.View().puzzle.grid));
    solver::Position after = help.Plan().Current();
    for (const solver::Slide& slide : help.Plan().Remaining().slides)
        after.Apply(slide);
    EXPECT_TRUE(after.IsSolved());
    EXPECT_EQ(Shown(w), MoveOf(help.Plan().Remaining().slides.front()));

    ASSERT_TRUE(WaitFor([&] { return !Shown(w).has_value(); }, 5000));
    EXPECT_GE(clock.elapsed(), HintPresenter::kHintMs - 500);
    EXPECT_EQ(answers.size(), 1);
}
