#include "model/game.h"
#include "saved/history_file.h"
#include "support/game_fixture.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

using namespace tesselo;
using tesselo::testing::LoadSavedGame;
using tesselo::testing::SaveGame;
using Calls = tesselo::testing::GameFixture::Calls;

namespace {

struct UndoFixture : tesselo::testing::GameFixture {
    void Start(std::int32_t rows, std::int32_t columns)
    {
        GameFixture::Start(rows, columns);
        listener.Take();
    }
};

const QString kHistory = QString::fromLatin1(HistoryFile::kFileName);

} // namespace

TEST(TileGridMove, ApplyAndInverseAreExactOpposites)
{
    TileGrid g;
    g.Resize(3, 4);
    g.Shuffle(11);
    const TileGrid before = g;
    for (const Move m : {Move{MoveAxis::Row, 2, 1}, Move{MoveAxis::Column, 3, -4}, Move{MoveAxis::Row, 0, 7}}) {
        ASSERT_TRUE(g.Apply(m));
        EXPECT_FALSE(g.SameCells(before));
        EXPECT_EQ(g.Selected(), before.Selected()); // a move never moves the frame
        ASSERT_TRUE(g.Apply(m.Inverse()));
        EXPECT_TRUE(g.SameCells(before));
    }
    // A whole turn, or a line off the grid, is no move at all.
    EXPECT_FALSE(g.Apply(Move{MoveAxis::Row, 0, 4}));
    EXPECT_FALSE(g.Apply(Move{MoveAxis::Column, 4, 1}));
    EXPECT_FALSE(g.Apply(Move{MoveAxis::Row, -1, 1}));
    EXPECT_TRUE(g.SameCells(before));
}

TEST_F(UndoFixture, UndoAndRedoRestoreGridSelectionAndCount)
{
    Start(3, 4);
    const TileGrid start = game->View().puzzle.grid;
    game->ShiftRowRight();
    const TileGrid afterFirst = game->View().puzzle.grid;
    game->SelectDown(); // a selection move is not a move
    game->ShiftColumnUp();
    const TileGrid afterSecond = game->View().puzzle.grid;
    ASSERT_EQ(game->View().puzzle.moves, 2);
    ASSERT_EQ(game->View().puzzle.history.steps.size(), 2u);
    listener.Take();

    ASSERT_TRUE(game->Undo());
    EXPECT_EQ(game->View().puzzle.moves, 1);
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(afterFirst));
    // The frame goes back to where it was before the undone move, which
    // is where the selection move had put it.
    EXPECT_EQ(game->View().puzzle.grid.Selected(), game->View().puzzle.history.steps[1].before);
    EXPECT_EQ(listener.Take(), (Calls{"undone", "move"}));

    ASSERT_TRUE(game->Undo());
    EXPECT_EQ(game->View().puzzle.moves, 0);
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(start));
    EXPECT_EQ(game->View().puzzle.grid.Selected(), start.Selected());
    EXPECT_FALSE(game->Undo()); // nothing before the start

    ASSERT_TRUE(game->Redo());
    ASSERT_TRUE(game->Redo());
    EXPECT_EQ(game->View().puzzle.moves, 2);
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(afterSecond));
    EXPECT_EQ(game->View().puzzle.grid.Selected(), afterSecond.Selected());
    EXPECT_FALSE(game->Redo()); // nothing after the end

    // A new move after an undo drops what could have been redone.
    game->Undo();
    game->ShiftRowLeft();
    EXPECT_EQ(game->View().puzzle.moves, 2);
    EXPECT_FALSE(game->CanRedo());
    EXPECT_EQ(game->View().puzzle.history.MoveCount(), game->View().puzzle.moves);
}

TEST_F(UndoFixture, DragMovesAreRecordedAndUndoIsRefusedDuringADragOrAtRest)
{
    Start(3, 4); // cells of 160 x 160
    game->BeginDrag(10, 10);
    game->TrackDrag(180, 12);
    EXPECT_FALSE(game->CanUndo());
    game->EndDrag(180, 12);
    ASSERT_EQ(game->View().puzzle.moves, 1);
    EXPECT_EQ(game->View().puzzle.history.steps.back().move, (Move{MoveAxis::Row, 0, 1}));

    // An open gesture keeps undo and redo out, as it does the arrow keys.
    game->BeginDrag(10, 10);
    EXPECT_FALSE(game->Undo());
    EXPECT_EQ(game->View().puzzle.moves, 1);
    game->EndDrag(10, 10);
    // A drag that moved nothing recorded nothing.
    EXPECT_EQ(game->View().puzzle.history.steps.size(), 1u);

    // In "Speed" an undo is silent (the clock keeps ticking).
    game->SetStrategyStyle(false);
    listener.Take();
    ASSERT_TRUE(game->Undo());
    EXPECT_EQ(listener.Take(), (Calls{"undone"}));
}

TEST_F(UndoFixture, ARedoThatCompletesThePictureWins)
{
    Start(2, 3);
    // Solve by undoing back to a grid one move away from home: play a move
    // that the start can be solved by, undo, and redo it.
    History& h = Edit().puzzle.history;
    TileGrid& grid = Edit().grid;
    grid = TileGrid();
    grid.Resize(2, 3);
    grid.Apply(Move{MoveAxis::Row, 1, 1});
    h.Begin(grid, 0);
    grid.Select({1, 1});
    game->ShiftRowLeft();
    ASSERT_EQ(game->View().puzzle.state, Solved);
    // A won game refuses undo: it is over.
    EXPECT_FALSE(game->Undo());

    Edit().puzzle.state = Playing;
    grid = h.start;
    h.position = 0;
    Edit().puzzle.moves = 0;
    listener.Take();
    ASSERT_TRUE(game->Redo());
    EXPECT_EQ(game->View().puzzle.state, Solved);
    EXPECT_EQ(game->View().puzzle.moves, 1);
    EXPECT_EQ(listener.Take(), (Calls{"moved", "won", "win"}));
}

TEST_F(UndoFixture, UndoAfterAResetBringsTheWholeGameBack)
{
    game->SetStrategyStyle(false);
    Wait(1000);
    Start(4, 6);
    game->ShiftRowRight();
    game->ShiftColumnDown();
    Wait(7000);
    game->CounterText();
    const TileGrid played = game->View().puzzle.grid;
    game->ResetGame();
    ASSERT_EQ(game->View().puzzle.state, Idle);
    EXPECT_TRUE(game->CanUndo());
    EXPECT_FALSE(game->CanRedo());

    Wait(42000); // the player thinks it over for 42 s
    listener.Take();
    ASSERT_TRUE(game->Undo());
    EXPECT_EQ(game->View().puzzle.state, Playing);
    EXPECT_EQ(game->View().puzzle.moves, 2);
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(played));
    EXPECT_EQ(game->View().puzzle.grid.Selected(), played.Selected());
    EXPECT_EQ(game->CounterText(), "0:00:07.0"); // the stopwatch goes on from 7 s
    EXPECT_EQ(listener.Take(), (Calls{"restored", "startclock"}));
    // Its history came back too.
    ASSERT_TRUE(game->Undo());
    EXPECT_EQ(game->View().puzzle.moves, 1);

    // Only once, and never after a new game or a change of difficulty.
    game->ResetGame();
    game->NewGame();
    game->ResetGame();
    game->EndHistory();
    EXPECT_FALSE(game->Undo());
    EXPECT_EQ(game->View().puzzle.state, Idle);
}

TEST_F(UndoFixture, TheHistoryOutlivesARestartOnlyWithItsOwnGame)
{
    Start(3, 3);
    game->ShiftRowRight();
    game->ShiftColumnUp();
    game->ShiftRowLeft();
    game->Undo(); // one move to redo, kept too
    const TileGrid played = game->View().puzzle.grid;
    ASSERT_TRUE(SaveGame(*game));
    ASSERT_TRUE(QFile::exists(kHistory));

    Reopen();
    LoadSavedGame(*game);
    ASSERT_EQ(game->View().puzzle.state, Playing);
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(played));
    ASSERT_EQ(game->View().puzzle.moves, 2);
    EXPECT_TRUE(game->Redo());
    EXPECT_TRUE(game->Undo());
    EXPECT_TRUE(game->Undo());
    EXPECT_TRUE(game->Undo());
    EXPECT_EQ(game->View().puzzle.moves, 0); // back past the restart to the scramble
    EXPECT_FALSE(game->Undo());

    // Another game's history, or a damaged one, is passed over: the saved
    // game resumes as always, undo stops at the resumed position.
    ASSERT_TRUE(game->Redo());
    ASSERT_TRUE(SaveGame(*game));
    for (const QByteArray& bad : {QByteArray("{\"version\": 1, \"moves\": [[0, 9, 1, 0, 0, 0, 0]]}"),
                                  QByteArray("\x00\xff garbage", 10), QByteArray()}) {
        QFile f(kHistory);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bad);
        f.close();
        Reopen();
        LoadSavedGame(*game);
        EXPECT_EQ(game->View().puzzle.moves, 1);
        EXPECT_FALSE(game->CanUndo());
    }
    History other;
    TileGrid elsewhere;
    elsewhere.Resize(3, 3);
    other.Begin(elsewhere, 0);
    ASSERT_TRUE(elsewhere.Apply(Move{MoveAxis::Row, 0, 1}));
    other.Record(HistoryStep{Move{MoveAxis::Row, 0, 1}, {0, 0}, {0, 1}});
    ASSERT_TRUE(HistoryFile::Write(kHistory, other, {}));
    Reopen();
    LoadSavedGame(*game);
    EXPECT_FALSE(game->CanUndo());

    // A game no longer in play leaves no history on disk.
    game->ResetGame();
    ASSERT_TRUE(SaveGame(*game));
    EXPECT_FALSE(QFile::exists(kHistory));
}

// A grid no level has keeps across a restart what a level's game keeps:
// its moves, its seed (so its ID), its help and its par, at both ends of
// the sizes.
TEST_F(UndoFixture, ACustomGameKeepsItsMovesIdHelpAndParAcrossARestart)
{
    for (const GridSize size : {GridSize{5, 7}, GridSize{2, 2}, GridSize{16, 16}}) {
        SCOPED_TRACE(size.Name());
        Start(size.rows, size.columns);
        game->ShiftRowRight();
        game->ShiftColumnUp();
        game->CountAssisted(2);
        game->SetPar(5, false);
        const std::optional<GameId> id = GameId::Of(game->View().puzzle);
        ASSERT_TRUE(id);
        ASSERT_TRUE(SaveGame(*game));

        Reopen();
        LoadSavedGame(*game);
        ASSERT_EQ(game->View().puzzle.state, Playing);
        EXPECT_EQ(game->View().puzzle.grid.Size(), size);
        EXPECT_EQ(GameId::Of(game->View().puzzle), id);
        EXPECT_EQ(game->View().puzzle.facts.assisted, 2);
        EXPECT_EQ(game->View().puzzle.facts.par, 5);
        EXPECT_TRUE(game->Undo());
        EXPECT_TRUE(game->Undo());
        EXPECT_EQ(game->View().puzzle.moves, 0);
        // The win keeps the help, the size and a replay from the start.
        EXPECT_TRUE(game->Redo());
        const GameResult won = game->ResultOfWin({});
        EXPECT_EQ(won.size, size);
        EXPECT_EQ(won.assisted, 2);
        EXPECT_EQ(won.start.Size(), size);
        game->ResetGame();
    }
}

TEST(HistoryFile, RoundTripsAndRefusesWhatDoesNotFit)
{
    TileGrid g;
    g.Resize(4, 6);
    g.Shuffle(5);
    History h;
    h.Begin(g, 17);
    h.Record(HistoryStep{Move{MoveAxis::Column, 5, 3}, {1, 5}, {0, 5}});
    h.Record(HistoryStep{Move{MoveAxis::Row, 3, -2}, {3, 4}, {3, 2}});
    h.StepBack();
    GameFacts facts;
    facts.seed = 4000000000u;
    facts.paused = true;
    facts.assisted = 3;
    facts.par = 21;
    facts.daily = QDate(2026, 12, 9);
    facts.others = QJsonObject{{"fromLater", QJsonArray{1, "x"}}};
    const auto back = HistoryFile::Decode(HistoryFile::Encode(h, facts));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->history.start.SameCells(h.start));
    EXPECT_EQ(back->history.start.Selected(), h.start.Selected());
    EXPECT_EQ(back->history.steps, h.steps);
    EXPECT_EQ(back->history.position, 1u);
    EXPECT_EQ(back->history.MoveCount(), 18);
    EXPECT_EQ(back->facts, facts);

    const auto edited = [&](auto change) {
        QJsonObject o = QJsonDocument::fromJson(HistoryFile::Encode(h, facts)).object();
        change(o);
        return HistoryFile::Decode(QJsonDocument(o).toJson());
    };
    // A history from before the facts were kept is read, knowing none.
    const auto first = edited([](QJsonObject& o) {
        o["version"] = 1;
        o.remove("facts");
    });
    ASSERT_TRUE(first);
    EXPECT_EQ(first->facts, GameFacts());
    EXPECT_FALSE(edited([](QJsonObject& o) { o["version"] = 3; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o.remove("facts"); }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["facts"] = QJsonObject{{"seed", -1}}; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["facts"] = QJsonObject{{"seed", 4294967296.0}}; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["facts"] = QJsonObject{{"paused", 1}}; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["facts"] = QJsonObject{{"daily", "2026-13-01"}}; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["position"] = 3; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["movesBefore"] = -1; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["movesBefore"] = 2.5; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["moves"] = QJsonArray{QJsonArray{0, 4, 1, 0, 0, 0, 0}}; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["moves"] = QJsonArray{QJsonArray{1, 5, 4, 0, 0, 0, 0}}; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["moves"] = QJsonArray{QJsonArray{1, 5, INT32_MIN, 0, 0, 0, 0}}; }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o["moves"] = QJsonArray{QJsonArray{0, 1, 1, 0, 0, 9, 0}}; }));
    EXPECT_FALSE(edited([](QJsonObject& o) {
        QJsonObject start = o["start"].toObject();
        QJsonArray cells = start["cells"].toArray();
        cells[1] = cells[0]; // a tile twice
        start["cells"] = cells;
        o["start"] = start;
    }));
    EXPECT_FALSE(edited([](QJsonObject& o) { o.remove("start"); }));
}

TEST(History, KeepsAtMostItsLimitWithoutChangingTheCount)
{
    TileGrid g;
    g.Resize(2, 3);
    History h;
    h.Begin(g, 0);
    const HistoryStep step{Move{MoveAxis::Row, 0, 1}, {0, 0}, {0, 1}};
    for (std::size_t i = 0; i < History::kMaxSteps + 5; ++i) {
        g.Apply(step.move);
        h.Record(step);
    }
    EXPECT_EQ(h.steps.size(), History::kMaxSteps);
    EXPECT_EQ(h.MoveCount(), std::int32_t(History::kMaxSteps + 5));
    EXPECT_TRUE(h.Leads(g, h.MoveCount()));
    EXPECT_TRUE(h.IsConsistent());
}
