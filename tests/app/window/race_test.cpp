#include "app/window/race_session.h"
#include "app/window_fixture.h"
#include "support/temp_cwd.h"
#include "pictures/board_bitmap.h"
#include "view/ghost_board.h"

#include <QDateTime>
#include <QPainter>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

const Move kFirst{MoveAxis::Column, 1, -1};
const Move kSecond{MoveAxis::Row, 0, -1};

// A "Speed" win of a 3 x 3 grid in two moves, the first made at once and
// the second an hour in: a ghost that is one move in for the whole test.
GameResult BestKept()
{
    GameResult best;
    best.size = {3, 3};
    best.style = Style::Speed;
    best.moves = 2;
    best.milliseconds = 3600000;
    best.finished = QDateTime::currentDateTimeUtc().addDays(-1);
    best.start.Resize(3, 3);
    best.start.Apply(kSecond.Inverse());
    best.start.Apply(kFirst.Inverse());
    best.steps = {HistoryStep{kFirst, {}, {}}, HistoryStep{kSecond, {}, {}}};
    best.stepTimes = {0, 3600000};
    return best;
}

void KeepWin(const GameResult& win)
{
    Records records;
    ASSERT_TRUE(records.Add(win));
}

TileGrid AfterFirstMove()
{
    TileGrid grid = BestKept().start;
    grid.Apply(kFirst);
    return grid;
}

} // namespace

// "Race Your Best": the game starts from the best's start, its ghost one
// move in (the move it made at once) with a timer set for the next; a pause
// stops the timer and the ghost; the player's win ends the race ahead of the
// ghost by its time, and is kept as a race: counted, never a best.
TEST(Race, TheBestIsRacedByItsGhostAtThePaceItWasPlayed)
{
    TempCwd cwd;
    KeepWin(BestKept());
    Window w;
    w.game.ChangeSize({3, 3});
    w.game.SetStyle(Style::Speed);
    RaceSession& race = w.dlg.Races();
    EXPECT_EQ(race.TimerId(), 0); // no race, no timer
    race.RaceBest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return race.IsRunning(); }, 10000));
    EXPECT_TRUE(w.game.View().puzzle.grid.SameCells(BestKept().start));
    EXPECT_EQ(race.GhostMoves(), 1u);
    EXPECT_TRUE(race.GhostGrid().SameCells(AfterFirstMove()));
    EXPECT_NE(race.TimerId(), 0);
    ASSERT_NE(race.View(), nullptr);
    EXPECT_TRUE(race.View()->isVisible());
    EXPECT_EQ(race.View()->Shown().total, 2u);
    EXPECT_EQ(race.View()->Shown().last, std::optional<Move>(kFirst));

    ASSERT_TRUE(w.game.SetPaused(true));
    EXPECT_EQ(race.TimerId(), 0);
    ASSERT_TRUE(w.game.SetPaused(false));
    EXPECT_NE(race.TimerId(), 0);

    ASSERT_TRUE(w.game.MakeMove(kFirst));
    ASSERT_TRUE(w.game.MakeMove(kSecond));
    ASSERT_EQ(w.game.View().puzzle.state, Solved);
    EXPECT_FALSE(race.IsRunning());
    EXPECT_EQ(race.TimerId(), 0);
    EXPECT_TRUE(race.Outcome().startsWith("Race won: ")) << race.Outcome().toStdString();
    EXPECT_TRUE(race.Outcome().endsWith(" ahead of your best")) << race.Outcome().toStdString();
    EXPECT_EQ(race.View()->Banner(), race.Outcome());

    ASSERT_TRUE(w.SettleRecords());
    EXPECT_EQ(w.dlg.windowTitle(), "Tesselo"); // faster, but no record
    Records kept;
    const Records::Summary speed = kept.Summarize({3, 3}, Style::Speed);
    EXPECT_EQ(speed.won, 2);
    ASSERT_TRUE(speed.best.has_value());
    EXPECT_EQ(speed.best->milliseconds, 3600000);
    const std::vector<Records::KeptWin> wins = kept.Latest(0, 10);
    ASSERT_EQ(wins.size(), 2u);
    EXPECT_TRUE(wins[0].result.race);
    const std::optional<GameResult> raced = kept.Win(wins[0].id);
    ASSERT_TRUE(raced.has_value());
    EXPECT_EQ(raced->stepTimes.size(), 2u);

    // A new game ends the race's show.
    w.dlg.OnBnClickedNewGame();
    EXPECT_EQ(race.View(), nullptr);
}

// From the Records window: "Race" on a kept win, in the win's own style,
// which the settings keep (the saved game's byte tells only the clock, so
// "Fewest Moves" would come back as "Strategy" and no race). A race closed
// and opened again goes on with its ghost where the game's clock stands.
TEST(Race, AKeptWinIsRacedFromTheRecordsAndARaceComesBackWithTheSavedGame)
{
    for (const Style style : {Style::Speed, Style::FewestMoves}) {
        TempCwd cwd;
        GameResult best = BestKept();
        best.style = style;
        KeepWin(best);
        {
            Window w(false);
            w.dlg.raceChosen = true;
            w.dlg.Commands().Records();
            ASSERT_TRUE(w.dlg.Races().IsRunning()) << style.Key();
            EXPECT_EQ(w.game.View().style, style);
            EXPECT_EQ(w.dlg.Settings().Current().style, style);
            ASSERT_TRUE(w.game.MakeMove(kFirst));
            ASSERT_TRUE(w.dlg.SaveNow());
        }
        Window again(false);
        ASSERT_TRUE(QTest::qWaitFor([&] { return again.dlg.Races().IsRunning(); }, 10000)) << style.Key();
        EXPECT_EQ(again.game.View().style, style);
        EXPECT_EQ(again.game.RaceOf(), again.game.View().puzzle.facts.raceWin);
        EXPECT_EQ(again.dlg.Races().GhostMoves(), 1u);
        ASSERT_TRUE(again.game.MakeMove(kSecond));
        EXPECT_TRUE(again.game.ResultOfWin(QString()).race);
        EXPECT_FALSE(again.dlg.Races().Outcome().isEmpty());
    }
}

// Nothing to race: no best of the kind, or a best kept without its moves
// from its start. The player is told, and the game in play stays.
TEST(Race, NothingToRaceIsSaidAndChangesNothing)
{
    TempCwd cwd;
    GameResult resumed = BestKept();
    resumed.movesBefore = 3;
    KeepWin(resumed);
    Window w(false);
    QString told;
    w.dlg.Races().tell = [&](const QString& text) { told = text; };
    for (const Style style : {Style::Speed, Style::Strategy}) {
        told.clear();
        w.game.ChangeSize({3, 3});
        w.game.SetStyle(style);
        w.dlg.OnBnClickedNewGame();
        const TileGrid before = w.game.View().puzzle.grid;
        w.dlg.Races().RaceBest();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty(); }, 10000)) << style.Key();
        EXPECT_FALSE(w.dlg.Races().IsRunning());
        EXPECT_TRUE(w.game.View().puzzle.grid.SameCells(before));
    }
}

// (Without a translation loaded, as here, a plural reads "move(s)".)
TEST(Race, TheEndSaysWhoWasAheadAndByHowMuch)
{
    const struct {
        RaceOutcome outcome;
        const char* text;
    } cases[] = {
        {{RaceOutcome::Lead::Player, 2500, true}, "Race won: 2.5 s ahead of your best"},
        {{RaceOutcome::Lead::Ghost, 83000, true}, "Race lost: 0:01:23.0 behind your best"},
        {{RaceOutcome::Lead::Player, 1, false}, "Race won: 1 move(s) fewer than your best"},
        {{RaceOutcome::Lead::Ghost, 4, false}, "Race lost: 4 move(s) more than your best"},
        {{RaceOutcome::Lead::Even, 0, false}, "Race even with your best"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RaceSession::OutcomeText(c.outcome), QString::fromLatin1(c.text));
}

// The ghost's small board sits in a corner of the board, a quarter of its
// width in its proportions, never larger than the board; it takes the
// first corner that leaves the player's selected cell uncovered.
TEST(Race, TheGhostsBoardSitsInACornerAwayFromTheSelection)
{
    EXPECT_EQ(GhostInsetRect(QSize(640, 480)), QRect(474, 6, 160, 120));
    EXPECT_EQ(GhostInsetRect(QSize(640, 480), 2), QRect(6, 354, 160, 120));
    EXPECT_EQ(GhostInsetRect(QSize(200, 100), 1), QRect(122, 58, 72, 36));
    EXPECT_EQ(GhostInsetRect(QSize(60, 60), 3), QRect(0, 0, 60, 60));
    EXPECT_TRUE(GhostInsetRect(QSize()).isEmpty());
    const QSize board(640, 480); // 5 x 5 cells of 128 x 96
    const struct {
        QRect selected;
        int corner;
    } cases[] = {
        {{0, 0, 128, 96}, 0},      // the top left cell: the top right is free
        {{512, 0, 128, 96}, 1},    // the top right cell
        {{384, 0, 128, 96}, 1},    // beside it, still under the small board
        {{512, 384, 128, 96}, 0},  // the bottom right cell
        {{0, 0, 640, 480}, 0},     // covered wherever it goes
    };
    for (const auto& c : cases)
        EXPECT_EQ(GhostCorner(board, c.selected), c.corner) << c.selected.x() << "," << c.selected.y();
}

namespace {

// A 2 x 4 grid's picture, each cell of 10 x 10 pixels in a colour of its
// own, and the ghost's grid drawn from it at that size.
QImage DrawnGhost(const TileGrid& grid, const std::optional<Move>& last, double glide)
{
    QImage picture(40, 20, QImage::Format_RGB32);
    QPainter paint(&picture);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c)
            paint.fillRect(c * 10, r * 10, 10, 10, QColor(40 + 50 * c, 40 + 100 * r, 200 - 40 * c));
    paint.end();
    QImage drawn(60, 40, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    GhostView ghost;
    ghost.grid = &grid;
    ghost.last = last;
    ghost.glide = glide;
    DrawGhostGrid(painter, QRect(10, 10, 40, 20), picture, QSize(10, 10), 1.0, ghost);
    return drawn;
}

} // namespace

// A ghost's move glides: at its start the line stands where it stood
// before the move, at its end where the grid has it, and half way each
// cell shows half of two neighbours, what leaves one end coming in at the
// other.
TEST(Race, TheGhostsMoveGlidesFromWhereTheLineStoodToWhereItLands)
{
    for (const Move move : {Move{MoveAxis::Row, 0, 1}, Move{MoveAxis::Row, 1, -3}, Move{MoveAxis::Column, 2, 1}}) {
        TileGrid before;
        before.Resize(2, 4);
        before.Apply(Move{MoveAxis::Column, 0, 1}); // any start but the whole picture
        TileGrid after = before;
        after.Apply(move);
        EXPECT_EQ(DrawnGhost(after, move, 0.0), DrawnGhost(before, move, 1.0)) << int(move.axis) << move.amount;
        EXPECT_EQ(DrawnGhost(after, move, 1.0), DrawnGhost(after, move, 1.5));
        EXPECT_NE(DrawnGhost(after, move, 0.5), DrawnGhost(after, move, 1.0));
        if (move.axis != MoveAxis::Row || move.amount != 1)
            continue;
        // Row 0 one cell right, half way: the first cell shows the right
        // half of the tile landing there, then the left half of the next
        // one; the tile that left the right end still shows its left half
        // there.
        const QImage half = DrawnGhost(after, move, 0.5);
        const QImage landed = DrawnGhost(after, move, 1.0);
        EXPECT_EQ(half.pixel(10 + 3, 15), landed.pixel(10 + 5, 15));
        EXPECT_EQ(half.pixel(10 + 7, 15), landed.pixel(20 + 5, 15));
        EXPECT_EQ(half.pixel(10 + 37, 15), landed.pixel(10 + 5, 15));
        EXPECT_NE(landed.pixel(10 + 5, 15), landed.pixel(20 + 5, 15));
    }
}

// One move at a time glides on an animation that stops when it lands;
// several at once, or moves not animated, show where they land at once.
TEST(Race, OnlyASingleGhostMoveGlidesAndOnlyForAGlidesTime)
{
    TileGrid grid;
    grid.Resize(3, 3);
    BoardBitmap bitmap;
    bitmap.grid = &grid;
    ASSERT_TRUE(bitmap.Rescale(90, 90));
    QWidget boardWidget;
    boardWidget.resize(90, 90);
    boardWidget.show();
    GhostBoard ghost(&boardWidget, bitmap);
    const struct {
        std::size_t from, to;
        bool animated, glides;
    } cases[] = {{0, 1, true, true}, {3, 5, true, false}, {5, 6, false, false}, {6, 7, true, true}};
    for (const auto& c : cases) {
        GhostView shown;
        shown.grid = &grid;
        shown.last = Move{MoveAxis::Row, 1, 1};
        shown.done = c.from;
        ghost.SetAnimated(c.animated);
        ghost.Update(shown);
        shown.done = c.to;
        ghost.Update(shown);
        EXPECT_EQ(ghost.IsGliding(), c.glides) << c.from << "-" << c.to;
        EXPECT_EQ(ghost.Shown().glide < 1.0, c.glides);
        ghost.FollowSelection();
        ghost.Update(shown); // the same move shown again: its glide goes on
        EXPECT_EQ(ghost.IsGliding(), c.glides);
        if (c.glides) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !ghost.IsGliding(); }, 2000));
        }
        EXPECT_EQ(ghost.Shown().glide, 1.0);
    }
}
