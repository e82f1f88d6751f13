#include "model/puzzle.h"
#include "records/replay_code.h"

#include <QString>

#include <gtest/gtest.h>

#include <random>

using namespace tesselo;

namespace {

// A game scrambled from `seed` at `size`, then played at random for
// `moves` moves as the game records them.
Puzzle Played(GridSize size, std::uint32_t seed, int moves)
{
    Puzzle p;
    p.Resize(size.rows, size.columns);
    p.StartScrambled(seed);
    std::mt19937 random(seed);
    for (int i = 0; i < moves; ++i) {
        const bool row = random() % 2 == 0;
        const std::int32_t line = std::int32_t(random() % std::uint32_t(row ? size.rows : size.columns));
        const std::int32_t amount = 1 + std::int32_t(random() % 3);
        const Selection at = p.grid.Selected();
        const Selection after = row ? Selection{line, at.column} : Selection{at.row, line};
        p.Make(PlannedMove{Move{row ? MoveAxis::Row : MoveAxis::Column, line, amount}, after});
    }
    return p;
}

// The grid the code's moves lead to from its start.
TileGrid End(const ReplayCode& code)
{
    TileGrid grid = code.start;
    for (const HistoryStep& step : code.steps)
        grid.Apply(step.move);
    return grid;
}

} // namespace

// A solve goes out as a code and comes back to the same start, the same
// moves and the same end: by its ID where the ID gives the start, written
// out otherwise; a 455-move 16 x 16 solve in a few kilobytes.
TEST(ReplayCode, RoundTrips)
{
    int played = 0;
    for (const auto& [size, moves, withId] :
         {std::tuple{GridSize{2, 2}, 5, true}, {kNovice, 6, true}, {kPro, 9, false}, {kExpert, 12, true},
          {kGenius, 25, false}, {GridSize{5, 7}, 40, false}, {GridSize{16, 16}, 455, true},
          {GridSize{20, 2}, 30, false}, {GridSize{20, 20}, 700, true}}) {
        SCOPED_TRACE(size.Name());
        const Puzzle p = Played(size, 77, moves);
        const std::optional<GameId> id = withId ? GameId::Of(p) : std::nullopt;
        // Every style in turn, "Fewest Moves" with the space its key holds.
        const Style style = Style::FromIndex(played++ % Style::kCount).value();
        const QString text = ReplayCode::Write(style, p.history.start, p.history.Played(), id);
        ASSERT_EQ(id.has_value(), withId);
        EXPECT_EQ(withId, text.contains(QLatin1Char(' ') + (id ? id->ToString() : QString()) + QLatin1Char(' ')))
            << text.left(80).toStdString();
        EXPECT_LT(text.size(), size.Cells() > 256 ? 9000 : 6000);
        QString why;
        const std::optional<ReplayCode> back = ReplayCode::Read(text, &why);
        ASSERT_TRUE(back) << why.toStdString();
        EXPECT_EQ(back->style, style);
        EXPECT_TRUE(back->start.SameCells(p.history.start));
        ASSERT_EQ(back->steps.size(), p.history.Played().size());
        EXPECT_TRUE(End(*back).SameCells(p.grid));
        // Each move's frame on the moved line, carried on from the last.
        for (std::size_t i = 0; i < back->steps.size(); ++i) {
            const HistoryStep& s = back->steps[i];
            EXPECT_EQ(s.move.axis == MoveAxis::Row ? s.after.row : s.after.column, s.move.line);
            if (i > 0) {
                EXPECT_EQ(s.before, back->steps[i - 1].after);
            }
        }
    }
    // An ID that does not give the start is not written for it.
    const Puzzle p = Played(kPro, 5, 3);
    const QString text = ReplayCode::Write(Style::Strategy, p.history.start, p.history.Played(), GameId{kPro, 6});
    EXPECT_FALSE(text.contains(QStringLiteral("Pro-6")));
    EXPECT_TRUE(text.startsWith(QStringLiteral("tesselo-replay 1 Strategy Pro:")));
}

// Hostile text: a clear reason, nothing read, and no hang on the largest.
TEST(ReplayCode, RefusesWhatIsNoSoundCode)
{
    const QString many = QStringLiteral("tesselo-replay 1 Speed Expert-1") + QStringLiteral(" R1+1").repeated(100001);
    const struct {
        const char* what;
        QString text;
    } cases[] = {
        {"not a code", QStringLiteral("Expert-2718281828")},
        {"another version", QStringLiteral("tesselo-replay 2 Speed Expert-1 R1+1")},
        {"no style", QStringLiteral("tesselo-replay 1 Sped Expert-1 R1+1")},
        {"a size not played", QStringLiteral("tesselo-replay 1 Speed 21x2-5 R1+1")},
        {"an arrangement with a tile twice", QStringLiteral("tesselo-replay 1 Speed 2x2:1,1,3,4")},
        {"an arrangement short of tiles", QStringLiteral("tesselo-replay 1 Speed 2x2:1,2,3")},
        {"a tile out of the grid", QStringLiteral("tesselo-replay 1 Speed 2x2:1,2,3,5")},
        {"a signed tile", QStringLiteral("tesselo-replay 1 Speed 2x2:+1,2,3,4")},
        {"an arrangement no slides solve", QStringLiteral("tesselo-replay 1 Speed Pro:2,1,3,4,5,6,7,8,9")},
        {"a row off the grid", QStringLiteral("tesselo-replay 1 Speed Expert-1 R4+1")},
        {"an amount not as written", QStringLiteral("tesselo-replay 1 Speed Expert-1 R1+3")},
        {"a move that is no move", QStringLiteral("tesselo-replay 1 Speed Expert-1 X1+1")},
        {"more moves than a game keeps", many},
        {"far too long", QString(ReplayCode::kMaxLength + 1, QLatin1Char(' '))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString why;
        EXPECT_FALSE(ReplayCode::Read(c.text, &why));
        EXPECT_FALSE(why.isEmpty());
    }
    // Spaces and line breaks between the parts are forgiven.
    const std::optional<ReplayCode> wrapped =
        ReplayCode::Read(QStringLiteral("  tesselo-replay 1 Strategy\n2x2:4,3,2,1  R1+1\r\nC2+1 "));
    ASSERT_TRUE(wrapped);
    EXPECT_EQ(wrapped->steps.size(), 2u);
    EXPECT_TRUE(ReplayCode::LooksLikeOne(QStringLiteral(" tesselo-replay 9")));
    EXPECT_FALSE(ReplayCode::LooksLikeOne(QStringLiteral("Expert-1")));
}
