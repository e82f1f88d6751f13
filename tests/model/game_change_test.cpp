#include "model/game.h"
#include "model/game_setup.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace tesselo;
using tesselo::testing::GameFixture;
using Changes = std::vector<GameChange>;

namespace {

// A "Strategy" game of 3 x 4 in play (cells of 160 x 160), its frame on
// row 1, column 1, nothing announced yet.
struct StreamFixture : GameFixture {
    StreamFixture()
    {
        Start(3, 4);
        Edit().grid.Select({1, 1});
        listener.Take();
    }
    HistoryStep Step(MoveAxis axis, int line, int amount, Selection before, Selection after) const
    {
        return HistoryStep{Move{axis, line, amount}, before, after};
    }
};

} // namespace

// Each operation announces exactly the change it made, once, and every
// listener sees the board as it stands after it.
TEST_F(StreamFixture, EachOperationAnnouncesExactlyItsChangeOnce)
{
    const struct {
        const char* name;
        std::function<void(Game&)> operation;
        Changes expected;
    } cases[] = {
        {"right arrow",
         [](Game& g) { g.ShiftRowRight(); },
         {MoveMade{Step(MoveAxis::Row, 1, 1, {1, 1}, {1, 2}), MoveSource::Key}}},
        {"up arrow",
         [](Game& g) { g.ShiftColumnUp(); },
         {MoveMade{Step(MoveAxis::Column, 1, -1, {1, 1}, {0, 1}), MoveSource::Key}}},
        {"Shift and left", [](Game& g) { g.SelectLeft(); }, {SelectionMoved{{1, 1}, {1, 0}, true}}},
        // Two cells left on a row of four is two right: the move as the
        // snap names it, the release where the pointer was.
        {"a drag of a cell and a half to the left, let go",
         [](Game& g) {
             g.BeginDrag(170, 170);
             g.TrackDrag(100, 171);
             g.TrackDrag(100, 172); // no change along the row: nothing told
             g.EndDrag(-70, 175);
         },
         {GestureChanged{GestureChanged::Step::Followed, Horizontal, -70},
          MoveMade{Step(MoveAxis::Row, 1, 2, {1, 1}, {1, 3}), MoveSource::Drag, -240}}},
        {"a drag let go where it began",
         [](Game& g) {
             g.BeginDrag(330, 170);
             g.TrackDrag(330, 200);
             g.EndDrag(330, 230);
         },
         {SelectionMoved{{1, 1}, {1, 2}, false}, GestureChanged{GestureChanged::Step::Followed, Vertical, 30},
          GestureChanged{GestureChanged::Step::Released, Vertical, 60}}},
        {"a drag cancelled",
         [](Game& g) {
             g.BeginDrag(170, 170);
             g.TrackDrag(200, 170);
             g.CancelDrag();
             g.CancelDrag(); // nothing open: nothing to tell
         },
         {GestureChanged{GestureChanged::Step::Followed, Horizontal, 30},
          GestureChanged{GestureChanged::Step::Cancelled, Horizontal, 30}}},
        {"a solve's move",
         [](Game& g) {
             g.MakeMove(Move{MoveAxis::Column, 3, 1});
         },
         {MoveMade{Step(MoveAxis::Column, 3, 1, {1, 1}, {2, 3}), MoveSource::Solve}}},
        {"a reset", [](Game& g) { g.ResetGame(); }, {NewPosition{PositionCause::Reset}}},
        {"a reset taken back",
         [](Game& g) {
             g.ResetGame();
             g.Undo();
         },
         {NewPosition{PositionCause::Reset}, NewPosition{PositionCause::Restored}}},
        {"a new game, asked in play and after a reset",
         [](Game& g) {
             g.NewGame();
             g.ResetGame();
             g.NewGame();
         },
         {NewPosition{PositionCause::Reset}, NewPosition{PositionCause::NewGame}}},
        {"the game an ID names",
         [](Game& g) {
             g.StartNamed(GameId{kNovice, 77});
         },
         {NewPosition{PositionCause::Named}}},
        {"today's puzzle", [](Game& g) { g.StartDaily(); }, {NewPosition{PositionCause::Named}}},
        {"another size",
         [](Game& g) {
             g.ChangeSize({2, 3});
         },
         {NewPosition{PositionCause::Resized}}},
        {"Speed", [](Game& g) { g.SetStrategyStyle(false); }, {StyleChanged{Style::Speed}, ClockChanged{true}}},
        {"Strategy again, unchanged", [](Game& g) { g.SetStrategyStyle(true); }, {}},
        // Facts no move makes are told when they change, and only then.
        {"the volume, again, then beyond full",
         [](Game& g) {
             g.SetVolume(40);
             g.SetVolume(40);
             g.SetVolume(500);
         },
         {FactChanged{FactChanged::Fact::Volume}, FactChanged{FactChanged::Fact::Volume}}},
        {"a par found twice, then help",
         [](Game& g) {
             g.SetPar(3, true);
             g.SetPar(3, true);
             g.CountAssisted(0);
             g.CountAssisted(2);
         },
         {FactChanged{FactChanged::Fact::Par}, FactChanged{FactChanged::Fact::Help}}},
        {"a hint shown twice, then taken off",
         [](Game& g) {
             g.ShowHint(Move{MoveAxis::Row, 1, 1});
             g.ShowHint(Move{MoveAxis::Row, 1, 1});
             g.ShowHint(std::nullopt);
         },
         {HintChanged{Move{MoveAxis::Row, 1, 1}}, HintChanged{std::nullopt}}},
        {"nothing to undo or redo",
         [](Game& g) {
             g.Undo();
             g.Redo();
         },
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reopen();
        StreamFixture::Start(3, 4);
        Edit().grid.Select({1, 1});
        listener.Take();
        c.operation(*game);
        EXPECT_EQ(listener.changes, c.expected);
        if (!listener.gridsSeen.empty()) {
            EXPECT_TRUE(listener.gridsSeen.back().SameCells(game->View().puzzle.grid))
                << "a listener saw the board before";
            EXPECT_EQ(listener.gridsSeen.back().Selected(), game->View().puzzle.grid.Selected());
        }
    }
}

// Undo tells the step it took back, which the board no longer shows; redo
// tells the same step made again; a redo or a move that wins says so,
// then the win follows, once.
TEST_F(StreamFixture, UndoAnnouncesTheMoveItTookBackAndRedoMakesItAgain)
{
    const TileGrid before = game->View().puzzle.grid;
    game->ShiftRowRight();
    game->SelectDown();
    const TileGrid moved = game->View().puzzle.grid;
    const HistoryStep made = std::get<MoveMade>(listener.changes.front()).step;
    listener.Take();

    ASSERT_TRUE(game->Undo());
    ASSERT_EQ(listener.changes, (Changes{MoveTakenBack{made}}));
    // The board the listener sees is the one before the move: the step's
    // inverse applied, the frame back where the move began.
    TileGrid undone = moved;
    undone.Apply(made.move.Inverse());
    EXPECT_TRUE(listener.gridsSeen.front().SameCells(undone));
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(before));
    EXPECT_EQ(game->View().puzzle.grid.Selected(), made.before);
    listener.Take();

    ASSERT_TRUE(game->Redo());
    EXPECT_EQ(listener.changes, (Changes{MoveMade{made, MoveSource::Redo}}));
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(moved));

    // A game one move from whole: the winning move, the clock, the win.
    game->SetStrategyStyle(false);
    game->ResetGame();
    game->NewGame();
    TileGrid& grid = Edit().grid;
    grid.Resize(3, 4);
    grid.Apply(Move{MoveAxis::Row, 2, 1});
    grid.Select({2, 1});
    listener.Take();
    game->ShiftRowLeft();
    EXPECT_EQ(listener.changes,
              (Changes{MoveMade{Step(MoveAxis::Row, 2, -1, {2, 1}, {2, 0}), MoveSource::Key, 0, true},
                       ClockChanged{false}, StateChanged{PlayState::Won}}));
    EXPECT_EQ(listener.wins, 1);
}

// The pause is told when it begins and ends, however it ends.
TEST_F(StreamFixture, ThePauseIsToldAsItBeginsAndEnds)
{
    game->SetStrategyStyle(false);
    listener.Take();
    ASSERT_TRUE(game->SetPaused(true));
    EXPECT_EQ(listener.changes, (Changes{StateChanged{PlayState::Paused}, ClockChanged{false}}));
    listener.Take();
    game->SetStrategyStyle(true); // "Strategy" never pauses
    EXPECT_EQ(listener.changes, (Changes{StyleChanged{Style::Strategy}, StateChanged{PlayState::Resumed}}));
}

// A listener that changes the game while it hears of a change: every
// listener still hears every change once, in the order they were made.
TEST_F(StreamFixture, AChangeMadeWhileAnotherIsToldComesAfterIt)
{
    bool once = false;
    QObject::connect(game.get(), &Game::Changed, [&](const GameChange& change) {
        if (std::holds_alternative<MoveMade>(change) && !std::exchange(once, true))
            game->ShiftRowRight();
    });
    tesselo::testing::RecordingListener late;
    late.Follow(*game);
    game->ShiftRowRight();
    const auto moveOf = [](const GameChange& c) { return std::get<MoveMade>(c).step.move; };
    for (const auto* heard : {&listener.changes, &late.changes}) {
        ASSERT_EQ(heard->size(), 2u);
        EXPECT_EQ(moveOf((*heard)[0]), (Move{MoveAxis::Row, 1, 1}));
        EXPECT_EQ(std::get<MoveMade>((*heard)[1]).step.before, (Selection{1, 2}));
    }
    EXPECT_EQ(game->View().puzzle.moves, 2);
}

// Which cue each change sounds, in each style.
TEST(GameChange, CuesFollowTheChangeAndTheStyle)
{
    const auto none = std::optional<Cue>();
    const struct {
        GameChange change;
        std::optional<Cue> strategy, speed;
    } cases[] = {
        {MoveMade{}, Cue::Move, none},
        {MoveMade{{}, MoveSource::Key, 0, true}, none, none},
        {MoveTakenBack{}, Cue::Move, none},
        {NewPosition{PositionCause::NewGame}, Cue::NewGame, none},
        {NewPosition{PositionCause::Named}, Cue::NewGame, none},
        {NewPosition{PositionCause::Reset}, Cue::Reset, Cue::Reset},
        {NewPosition{PositionCause::Restored}, Cue::Move, none},
        {NewPosition{PositionCause::Loaded}, none, none},
        {NewPosition{PositionCause::Resized}, none, none},
        {StateChanged{PlayState::Won}, Cue::Win, Cue::Win},
        {StateChanged{PlayState::Paused}, none, none},
        {GestureChanged{GestureChanged::Step::Released}, Cue::NoMove, none},
        {GestureChanged{GestureChanged::Step::Cancelled}, none, none},
        {GestureChanged{GestureChanged::Step::Followed}, none, none},
        {SelectionMoved{}, none, none},
        {ClockChanged{true}, none, none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(tesselo::testing::RecordingListener::Name(c.change));
        EXPECT_EQ(CueOf(c.change, true), c.strategy);
        EXPECT_EQ(CueOf(c.change, false), c.speed);
    }
}
