#include "model/game_id.h"
#include "records/daily_streak.h"
#include "support/game_fixture.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <optional>

using namespace tesselo;
using tesselo::testing::GameFixture;

namespace {

std::uint64_t FileTimeAt(const char* utc)
{
    const QDateTime at = QDateTime::fromString(QString::fromLatin1(utc), Qt::ISODate);
    EXPECT_TRUE(at.isValid()) << utc;
    return 116444736000000000ULL + std::uint64_t(at.toMSecsSinceEpoch()) * 10000;
}

std::vector<std::pair<int, int>> Homes(const TileGrid& grid)
{
    std::vector<std::pair<int, int>> out;
    for (const auto& t : grid.cells)
        out.emplace_back(t.homeRow, t.homeColumn);
    return out;
}

} // namespace

TEST(GameId, ReadsASizeNameAHyphenAndAThirtyTwoBitSeed)
{
    const std::pair<const char*, std::optional<GameId>> cases[] = {
        {"5x7-2718281828", GameId{{5, 7}, 2718281828u}},
        {" 16X2-9\n", GameId{{16, 2}, 9}},
        {"3x4-12", GameId{kExpert, 12}}, // a level's counts name the level
        {"4x3-12", GameId{{4, 3}, 12}},
        {"2x2-0", GameId{{2, 2}, 0}},
        {"1x5-3", std::nullopt},
        {"21x2-3", std::nullopt},
        {"20x20-3", GameId{{20, 20}, 3}},
        {"5x7 -3", std::nullopt},
        {"5 x7-3", std::nullopt},
        {"5x7x2-3", std::nullopt},
        {"Expert-2718281828", GameId{kExpert, 2718281828u}},
        {"  novice-0\r\n", GameId{kNovice, 0}},
        {"GENIUS-4294967295", GameId{kGenius, 4294967295u}},
        {"Pro-007", GameId{kPro, 7}},
        {"Pro-4294967296", std::nullopt},
        {"Pro-00000000001", std::nullopt},
        {"Pro-", std::nullopt},
        {"-5", std::nullopt},
        {"Pro5", std::nullopt},
        {"Pro--5", std::nullopt},
        {"Pro-+5", std::nullopt},
        {"Pro -5", std::nullopt},
        {"Pro-5 6", std::nullopt},
        {"Experte-5", std::nullopt},
        {"Pro-\u0665", std::nullopt}, // an Arabic-Indic five
        {"", std::nullopt},
    };
    for (const auto& [text, id] : cases)
        EXPECT_EQ(GameId::Parse(QString::fromUtf8(text)), id) << text;
    for (const GridSize size : {kNovice, kPro, kExpert, kGenius, GridSize{2, 2}, GridSize{5, 7}, GridSize{16, 16}})
        for (const std::uint32_t seed : {0u, 1u, 32766u, 4294967295u})
            EXPECT_EQ(GameId::Parse(GameId{size, seed}.ToString()), (GameId{size, seed}));
    EXPECT_EQ(GameId({kExpert, 2718281828u}).ToString(), "Expert-2718281828");
    EXPECT_EQ(GameId({{5, 7}, 2718281828u}).ToString(), "5x7-2718281828");
}

TEST_F(GameFixture, OneDateGivesOneDailyPuzzleAndTwoDatesTwo)
{
    game->ChangeSize({3, 4});
    const auto daily = [&](const char* utc) {
        fileTime = FileTimeAt(utc);
        game->StartDaily();
        EXPECT_EQ(game->View().puzzle.state, Playing);
        return std::pair{Homes(game->View().puzzle.grid), game->View().puzzle.facts.seed};
    };
    const auto morning = daily("2026-03-14T00:00:01Z");
    EXPECT_EQ(game->View().puzzle.facts.daily, QDate(2026, 3, 14));
    EXPECT_EQ(game->ResultOfWin({}).daily, QDate(2026, 3, 14)) << "a win keeps the puzzle's date";
    EXPECT_EQ(morning.second, DailySeed(QDate(2026, 3, 14)));
    EXPECT_EQ(daily("2026-03-14T23:59:59Z"), morning);
    // Ten to midnight in New York is already the next day's puzzle.
    const auto next = daily("2026-03-15T04:50:00Z");
    EXPECT_EQ(game->View().puzzle.facts.daily, QDate(2026, 3, 15));
    EXPECT_NE(next.first, morning.first);
    EXPECT_NE(next.second, morning.second);
    // The daily puzzle is the game its ID names.
    game->ResetGame();
    game->StartNamed(GameId{kExpert, *morning.second});
    EXPECT_EQ(Homes(game->View().puzzle.grid), morning.first);
    EXPECT_FALSE(game->View().puzzle.facts.daily.isValid());
    EXPECT_FALSE(game->ResultOfWin({}).daily);
    // Every size has its daily puzzle, from the same seed of the day.
    game->ResetGame();
    game->ChangeSize({5, 7});
    fileTime = FileTimeAt("2026-03-14T12:00:00Z");
    game->StartDaily();
    EXPECT_EQ(game->View().puzzle.grid.Size(), (GridSize{5, 7}));
    EXPECT_EQ(game->View().puzzle.facts.daily, QDate(2026, 3, 14));
    EXPECT_EQ(GameId::Of(game->View().puzzle), (GameId{{5, 7}, *morning.second}));
    EXPECT_EQ(game->ResultOfWin({}).size, (GridSize{5, 7}));
}

// Starting a game by its ID over one in play abandons that one as a reset
// does: while the new game has no move to take back, an undo brings the
// old one back at its own level. So does a change of level in the
// options, with its clock where it stood.
TEST_F(GameFixture, AGameStartedByIdOverOneInPlayComesBackWithOneUndo)
{
    Start(3, 4);
    game->ShiftRowLeft();
    const auto played = Homes(game->View().puzzle.grid);
    const auto seed = game->View().puzzle.facts.seed;

    game->StartNamed(GameId{kNovice, 78});
    EXPECT_EQ(game->View().puzzle.grid.rowCount, 2);
    EXPECT_EQ(game->View().puzzle.grid.columnCount, 3);
    EXPECT_EQ(game->View().puzzle.moves, 0);
    EXPECT_EQ(GameId::Of(game->View().puzzle), (GameId{kNovice, 78}));
    game->ShiftRowLeft();
    ASSERT_TRUE(game->Undo()); // the move first
    EXPECT_EQ(GameId::Of(game->View().puzzle), (GameId{kNovice, 78}));
    ASSERT_TRUE(game->Undo()); // then the abandoned game
    EXPECT_EQ(game->View().puzzle.grid.rowCount, 3);
    EXPECT_EQ(Homes(game->View().puzzle.grid), played);
    EXPECT_EQ(game->View().puzzle.moves, 1);
    EXPECT_EQ(game->View().puzzle.facts.seed, seed);
    ASSERT_TRUE(game->Undo());
    EXPECT_EQ(game->View().puzzle.moves, 0);
    EXPECT_FALSE(game->CanUndo());

    game->StartNamed(GameId{kPro, 5});
    game->ShiftColumnUp();
    const auto pro = Homes(game->View().puzzle.grid);
    Edit().stopwatch.elapsed = 4000;
    game->ChangeSize({4, 6});
    EXPECT_EQ(game->View().puzzle.state, Idle);
    EXPECT_EQ(game->View().stopwatch.elapsed, 0);
    ASSERT_EQ(game->View().puzzle.grid.rowCount, 4);
    ASSERT_TRUE(game->Undo());
    EXPECT_EQ(game->View().puzzle.state, Playing);
    EXPECT_EQ(GameId::Of(game->View().puzzle), (GameId{kPro, 5}));
    EXPECT_EQ(Homes(game->View().puzzle.grid), pro);
    EXPECT_EQ(game->View().puzzle.moves, 1);
    EXPECT_EQ(game->View().stopwatch.elapsed, 4000);
}

// A seed whose shuffle comes out solved (or nearly) is passed over for the
// next: the ID the game then shows names the start played.
TEST_F(GameFixture, AnIdWhoseShuffleIsSolvedShowsTheSeedPlayed)
{
    TileGrid probe;
    std::uint32_t solved = 0;
    for (;; ++solved) {
        ASSERT_LT(solved, 0x7FFFu) << "no seed shuffles the small grid back home";
        probe.Resize(2, 3);
        probe.Shuffle(solved);
        if (probe.IsSolved())
            break;
    }
    game->StartNamed(GameId{kNovice, solved});
    const std::optional<GameId> shown = GameId::Of(game->View().puzzle);
    ASSERT_TRUE(shown);
    EXPECT_GT(shown->seed, solved);
    const auto start = Homes(game->View().puzzle.grid);
    game->StartNamed(*shown);
    EXPECT_EQ(Homes(game->View().puzzle.grid), start);
    EXPECT_EQ(GameId::Of(game->View().puzzle), shown);
}

TEST(DailyStreak, CountsConsecutivePuzzleDaysEndingTodayOrYesterday)
{
    const QDate today(2026, 3, 14);
    const auto before = [&](int days) { return today.addDays(-days); };
    const std::pair<std::vector<QDate>, int> cases[] = {
        {{}, 0},
        {{today}, 1},
        {{before(1)}, 1},                                       // today's still to play
        {{before(2)}, 0},                                       // a day missed
        {{today, before(1), before(2), before(4)}, 3},
        {{before(2), today, before(1), today, before(1)}, 3},   // any order, days twice
        {{today.addDays(1), today, before(1)}, 2},              // a day to come passed over
        {{QDate(2026, 1, 1), QDate(2025, 12, 31)}, 0},
    };
    for (const auto& [won, streak] : cases)
        EXPECT_EQ(CurrentDailyStreak(won, today), streak) << won.size();
    // Across the turn of a year.
    EXPECT_EQ(CurrentDailyStreak({QDate(2026, 1, 1), QDate(2025, 12, 31), QDate(2025, 12, 30)}, QDate(2026, 1, 1)),
              3);
}
