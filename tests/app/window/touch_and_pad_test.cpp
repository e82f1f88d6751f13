#include "app/window/c_tesselo_dlg.h"
#include "app/window_fixture.h"
#include "model/game.h"
#include "model/game_setup.h"
#include "support/temp_cwd.h"
#include "view/c_puzzle_image.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QPushButton>
#include <QTest>
#include <QTouchEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

// Counts the mouse events that reach the window: a touch taken must make
// none of Qt's besides.
struct MouseCount : QObject {
    explicit MouseCount(QWidget& w) { w.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseMove ||
            e->type() == QEvent::MouseButtonRelease)
            ++count;
        return false;
    }
    int count = 0;
};

struct TouchBoard {
    TouchBoard()
    {
        cwd.Picture("Pictures/p.png", Qt::darkCyan, 300, 200);
        {
            ShownGame g;
            g.game.ChangeSize({3, 4}); // "Expert"
            g.picture.SetBoardSize(640, 480, 1.0); // cells of 160
            EXPECT_TRUE(g.Save());
        }
        w = std::make_unique<Window>();
        w->dlg.OnBnClickedNewGame();
        bar = w->dlg.BarHeight();
    }
    // The test device is registered with the window system until deleted.
    ~TouchBoard()
    {
        w.reset();
        delete finger;
    }
    TouchBoard(const TouchBoard&) = delete;
    TouchBoard& operator=(const TouchBoard&) = delete;
    void Press(QPoint at) { QTest::touchEvent(&w->dlg, finger).press(0, at + QPoint(0, bar)); }
    void Move(QPoint to) { QTest::touchEvent(&w->dlg, finger).move(0, to + QPoint(0, bar)); }
    void Release(QPoint at) { QTest::touchEvent(&w->dlg, finger).release(0, at + QPoint(0, bar)); }
    // A slide of the finger in board pixels, in steps as a hand makes it.
    void Drag(QPoint from, QPoint to)
    {
        Press(from);
        for (int i = 1; i <= 4; ++i)
            Move(from + (to - from) * i / 4);
        Release(to);
    }
    const Game& game() const { return w->game; }

    TempCwd cwd;
    std::unique_ptr<Window> w;
    int bar = 0;
    QPointingDevice* finger = QTest::createTouchDevice();
};

TEST(BoardTouch, AFingerDragsARowAsTheMouseDoesAndMakesNoMouseEvents)
{
    TouchBoard t;
    ASSERT_EQ(t.game().View().puzzle.state, Playing);
    MouseCount mouse(t.w->dlg);
    std::vector<int> row(4);
    for (int c = 0; c < 4; ++c)
        row[std::size_t(c)] = t.game().View().puzzle.grid.At(1, c).homeRow * 10 + t.game().View().puzzle.grid.At(1, c).homeColumn;

    // Across row 1 by 170 pixels: one cell to the right, one move.
    t.Drag(QPoint(30, 200), QPoint(200, 204));
    EXPECT_EQ(t.game().View().puzzle.moves, 1);
    EXPECT_FALSE(t.game().View().gesture.dragging);
    for (int c = 0; c < 4; ++c) {
        const auto& now = t.game().View().puzzle.grid.At(1, (c + 1) % 4);
        EXPECT_EQ(now.homeRow * 10 + now.homeColumn, row[std::size_t(c)]) << c;
    }
    EXPECT_EQ(mouse.count, 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // A tap selects its cell and moves nothing.
    t.Press(QPoint(500, 350));
    t.Release(QPoint(501, 350));
    EXPECT_EQ(t.game().View().puzzle.grid.selectedRow, 2);
    EXPECT_EQ(t.game().View().puzzle.grid.selectedColumn, 3);
    EXPECT_EQ(t.game().View().puzzle.moves, 1);
    EXPECT_FALSE(t.game().View().gesture.dragging);
    EXPECT_EQ(mouse.count, 0);

    // A second finger during a drag changes nothing of it.
    t.Press(QPoint(30, 30));
    QTest::touchEvent(&t.w->dlg, t.finger).move(0, QPoint(30, 30 + t.bar)).press(1, QPoint(600, 400 + t.bar));
    QTest::touchEvent(&t.w->dlg, t.finger).move(0, QPoint(30, 200 + t.bar)).move(1, QPoint(100, 100 + t.bar));
    QTest::touchEvent(&t.w->dlg, t.finger).move(0, QPoint(30, 200 + t.bar)).release(1, QPoint(100, 100 + t.bar));
    t.Release(QPoint(30, 200));
    EXPECT_EQ(t.game().View().puzzle.moves, 2);
    EXPECT_EQ(t.game().View().puzzle.grid.selectedColumn, 0);
    EXPECT_EQ(mouse.count, 0);
}

TEST(BoardTouch, ACancelledTouchSpringsBackAndTheNextDragWorks)
{
    TouchBoard t;
    const auto before = t.w->Homes();
    t.Press(QPoint(30, 200));
    t.Move(QPoint(120, 200));
    ASSERT_TRUE(t.game().View().gesture.dragging);
    EXPECT_NE(t.game().View().gesture.Offset(), 0);
    // As the system cancels it (a gesture of its own took the finger).
    QTouchEvent cancel(QEvent::TouchCancel, t.finger);
    QApplication::sendEvent(&t.w->dlg, &cancel);
    EXPECT_FALSE(t.game().View().gesture.dragging);
    EXPECT_EQ(t.game().View().puzzle.moves, 0);
    EXPECT_EQ(t.w->Homes(), before);
    // What came of the cancelled finger after it moves nothing.
    t.Release(QPoint(300, 200));
    EXPECT_EQ(t.game().View().puzzle.moves, 0);
    t.Drag(QPoint(30, 30), QPoint(30, 200));
    EXPECT_EQ(t.game().View().puzzle.moves, 1);
}

TEST(BoardTouch, ATapOnTheBarClicksItsButton)
{
    TouchBoard t;
    QPushButton* help = t.w->dlg.Bar().help;
    const QPoint on = help->geometry().center();
    QTest::touchEvent(&t.w->dlg, t.finger).press(0, on);
    QTest::touchEvent(&t.w->dlg, t.finger).release(0, on);
    EXPECT_EQ(t.w->dlg.helpShown, 1);
    EXPECT_FALSE(t.game().View().gesture.dragging);
}

// Each command of a controller does on the board what its key does.
TEST(PadCommands, EachDoesWhatItsKeyDoes)
{
    struct Case {
        PadCommand command;
        std::function<void(Window&)> key; // the same by the keyboard
    };
    const Case cases[] = {
        {PadCommand::SelectUp, [](Window& w) { w.Key(Qt::Key_Up, Qt::ShiftModifier); }},
        {PadCommand::SelectDown, [](Window& w) { w.Key(Qt::Key_Down, Qt::ShiftModifier); }},
        {PadCommand::SelectLeft, [](Window& w) { w.Key(Qt::Key_Left, Qt::ShiftModifier); }},
        {PadCommand::SelectRight, [](Window& w) { w.Key(Qt::Key_Right, Qt::ShiftModifier); }},
        {PadCommand::SlideUp, [](Window& w) { w.Key(Qt::Key_Up); }},
        {PadCommand::SlideDown, [](Window& w) { w.Key(Qt::Key_Down); }},
        {PadCommand::SlideLeft, [](Window& w) { w.Key(Qt::Key_Left); }},
        {PadCommand::SlideRight, [](Window& w) { w.Key(Qt::Key_Right); }},
        {PadCommand::Undo, [](Window& w) { w.Key(Qt::Key_Z, Qt::ControlModifier); }},
        {PadCommand::Redo, [](Window& w) { w.Key(Qt::Key_Y, Qt::ControlModifier); }},
        {PadCommand::Pause, [](Window& w) { w.Key(Qt::Key_P); }},
        {PadCommand::NewGame, [](Window& w) { w.Key(Qt::Key_Space); }},
    };
    // Two windows on the same game played alike, one by keys and one by
    // the controller: each command leaves them the same.
    const auto state = [](const Window& w) {
        const auto& v = w.game.View();
        return std::make_tuple(w.Homes(), v.puzzle.grid.selectedRow, v.puzzle.grid.selectedColumn, v.puzzle.moves,
                               w.game.IsPaused(), w.game.CanRedo());
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.command));
        TempCwd cwd;
        Window keys;
        Window pad;
        for (Window* w : {&keys, &pad}) {
            w->game.SetStrategyStyle(false); // "Speed", so that P pauses
            w->game.NewGame();
        }
        GameSetup(pad.game).grid = keys.game.View().puzzle.grid;
        // A move to undo and one to redo.
        for (Window* w : {&keys, &pad}) {
            w->Key(Qt::Key_Left);
            w->Key(Qt::Key_Down);
            w->Key(Qt::Key_Z, Qt::ControlModifier);
        }
        const auto start = state(keys);
        ASSERT_EQ(state(pad), start);
        c.key(keys);
        pad.dlg.OnPadCommand(c.command);
        EXPECT_NE(state(keys), start); // the case tests something
        EXPECT_EQ(state(pad), state(keys));
    }
}

// A hint by Y, as by H: the next slide takes it away and is made.
TEST(PadCommands, HintShowsUntilTheNextSlide)
{
    TempCwd cwd;
    Window w;
    w.dlg.OnBnClickedNewGame();
    w.dlg.OnPadCommand(PadCommand::Hint);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.dlg.Board().Hint().has_value(); }, 10000));
    w.dlg.OnPadCommand(PadCommand::SlideLeft);
    EXPECT_FALSE(w.dlg.Board().Hint());
    EXPECT_EQ(w.game.View().puzzle.moves, 1);
}

} // namespace
