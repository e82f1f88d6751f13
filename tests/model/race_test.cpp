#include "model/game_result.h"
#include "model/replay.h"
#include "support/game_fixture.h"

#include <gtest/gtest.h>

using namespace tesselo;
using tesselo::testing::GameFixture;

namespace {

std::vector<HistoryStep> Steps(std::size_t n)
{
    return std::vector<HistoryStep>(n, HistoryStep{Move{MoveAxis::Row, 0, 1}, {}, {}});
}

// Two grids apart by one slide of the first row, the second solved.
TileGrid OneMoveFromSolved()
{
    TileGrid grid;
    grid.Resize(3, 3);
    grid.Apply(Move{MoveAxis::Row, 0, 1});
    return grid;
}

} // namespace

// The ghost's moves fall due by the game's clock: at their kept times where
// there is one for each move, else spread evenly with the last at the win's
// time; a kept time that goes back is taken as the one before.
TEST(GhostPace, MovesFallDueAtTheirTimesOrEvenly)
{
    const struct {
        const char* name;
        std::size_t moves;
        std::vector<std::int32_t> times;
        std::int64_t total;
        bool paced;
        std::vector<std::pair<std::int64_t, std::size_t>> dueAt; // ms, moves made by then
        std::int64_t finish;
    } cases[] = {
        {"kept", 3, {500, 1200, 4000}, 9000, true, {{0, 0}, {499, 0}, {500, 1}, {3999, 2}, {4000, 3}, {99999, 3}}, 4000},
        {"evenly", 4, {}, 4000, false, {{999, 0}, {1000, 1}, {2500, 2}, {4000, 4}}, 4000},
        {"times of other moves", 2, {100, 200, 300}, 1000, false, {{499, 0}, {500, 1}, {1000, 2}}, 1000},
        {"goes back", 3, {300, 100, 400}, 1000, true, {{299, 0}, {300, 2}, {400, 3}}, 400},
        {"no time at all", 2, {}, 0, false, {{0, 2}}, 0},
        {"no moves", 0, {}, 5000, false, {{0, 0}, {9000, 0}}, 0},
    };
    for (const auto& c : cases) {
        const GhostPace pace(Steps(c.moves), c.times, c.total);
        EXPECT_EQ(pace.IsPacedByMoves(), c.paced) << c.name;
        EXPECT_EQ(pace.FinishTime(), c.finish) << c.name;
        for (const auto& [ms, made] : c.dueAt)
            EXPECT_EQ(pace.MovesDueAt(ms), made) << c.name << " at " << ms;
        EXPECT_FALSE(pace.DueTime(c.moves).has_value()) << c.name;
    }
}

TEST(GhostPace, TheRaceIsJudgedInTimeOrMovesByTheStyle)
{
    const struct {
        Style style;
        std::int64_t player, ghost;
        RaceOutcome::Lead lead;
        std::int64_t margin;
        bool inTime;
    } cases[] = {
        {Style::Speed, 41000, 43500, RaceOutcome::Lead::Player, 2500, true},
        {Style::Blind, 50000, 43500, RaceOutcome::Lead::Ghost, 6500, true},
        {Style::Strategy, 31, 35, RaceOutcome::Lead::Player, 4, false},
        {Style::FewestMoves, 20, 18, RaceOutcome::Lead::Ghost, 2, false},
        {Style::Strategy, 31, 31, RaceOutcome::Lead::Even, 0, false},
    };
    for (const auto& c : cases) {
        const RaceOutcome o = JudgeRace(c.style, c.player, c.ghost);
        EXPECT_EQ(o.lead, c.lead) << c.style.Key();
        EXPECT_EQ(o.margin, c.margin) << c.style.Key();
        EXPECT_EQ(o.inTime, c.inTime) << c.style.Key();
    }
}

// Each move keeps the stopwatch's time it was made at: an undone move's
// time goes with it, a redone one takes the time of the redo, and a win
// keeps them all. A history that did not keep them (read from a file) keeps
// none, and neither does a game that goes on from it.
TEST_F(GameFixture, TheTimeOfEveryMoveIsKeptWithTheWin)
{
    Start(3, 3);
    Wait(400);
    game->ShiftRowRight();
    Wait(600);
    game->ShiftRowRight();
    Wait(100);
    ASSERT_TRUE(game->Undo());
    Wait(900);
    ASSERT_TRUE(game->Redo());
    Wait(50);
    game->ShiftColumnDown();
    EXPECT_EQ(game->View().puzzle.history.PlayedTimes(), (std::vector<std::int32_t>{400, 2000, 2050}));

    History fromFile = game->View().puzzle.history;
    History read;
    read.start = fromFile.start;
    read.steps = fromFile.steps;
    read.position = fromFile.position;
    EXPECT_TRUE(read.PlayedTimes().empty());
    read.Stamp(3000); // a move made on a history without its times
    EXPECT_TRUE(read.PlayedTimes().empty());
}

TEST_F(GameFixture, ARaceStartsFromTheWinsStartAndItsWinIsMarked)
{
    Start(3, 3);
    game->ShiftRowRight();
    const TileGrid start = OneMoveFromSolved();
    ASSERT_TRUE(game->StartRace(start, 42));
    EXPECT_TRUE(game->View().puzzle.grid.SameCells(start));
    EXPECT_EQ(game->View().puzzle.moves, 0);
    EXPECT_EQ(game->RaceOf(), std::optional<std::int64_t>(42));
    EXPECT_TRUE(game->CanUndo()); // the game it abandoned comes back as after a reset
    Wait(1500);
    EXPECT_EQ(game->TimeInPlay(), 1500);
    ASSERT_TRUE(game->MakeMove(Move{MoveAxis::Row, 0, -1}));
    ASSERT_EQ(game->View().puzzle.state, Solved);
    EXPECT_FALSE(game->RaceOf().has_value()); // no race once the game is over
    const GameResult won = game->ResultOfWin(QString());
    EXPECT_TRUE(won.race);
    EXPECT_TRUE(won.CanBeRaced());
    EXPECT_EQ(won.stepTimes, std::vector<std::int32_t>{1500});

    // A solved start, or no grid at all, is no race.
    TileGrid solved;
    solved.Resize(3, 3);
    EXPECT_FALSE(game->StartRace(solved, 1));
    EXPECT_FALSE(game->StartRace(TileGrid(), 1));
    EXPECT_EQ(game->View().puzzle.state, Solved);
}

// The race is a fact of the game in play, kept beside the saved game with
// its history: a race closed and resumed is still one. A value no game
// writes makes the facts unreadable, as any other wrong fact does.
TEST(GameFacts, TheRaceIsKeptAmongTheFacts)
{
    GameFacts facts;
    facts.raceWin = 7;
    EXPECT_EQ(GameFacts::FromJson(facts.ToJson()), facts);
    for (const QJsonValue& bad : {QJsonValue(0), QJsonValue(-3), QJsonValue(1.5), QJsonValue("7"), QJsonValue(true)})
        EXPECT_FALSE(GameFacts::FromJson(QJsonObject{{"raceWin", bad}}).has_value())
            << bad.toVariant().toString().toStdString();
}

TEST(GameResult, OnlyAWinKeptWithEveryMoveFromItsStartCanBeRaced)
{
    GameResult r;
    r.start = OneMoveFromSolved();
    r.steps = {HistoryStep{Move{MoveAxis::Row, 0, -1}, {}, {}}};
    EXPECT_TRUE(r.CanBeRaced());
    GameResult resumed = r;
    resumed.movesBefore = 4;
    GameResult noMoves = r;
    noMoves.steps.clear();
    GameResult dnf = r;
    dnf.dnf = true;
    GameResult noStart = r;
    noStart.start = TileGrid();
    for (const GameResult& no : {resumed, noMoves, dnf, noStart})
        EXPECT_FALSE(no.CanBeRaced());
}
