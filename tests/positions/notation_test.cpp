#include "positions/notation.h"
#include "positions/position.h"
#include "positions/slide_set.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tesselo::solver;

TEST(SolverNotation, AmountsTakeOneFormPositiveOnATie)
{
    const struct {
        long long amount;
        int length;
        int expected;
    } cases[] = {
        {1, 2, 1},  {-1, 2, 1},  {2, 2, 0},  {1, 3, 1},   {2, 3, -1},  {-2, 3, 1},     {3, 3, 0},
        {2, 4, 2},  {-2, 4, 2},  {3, 4, -1}, {3, 6, 3},   {-3, 6, 3},  {4, 6, -2},     {-4, 6, 2},
        {13, 6, 1}, {-13, 6, -1}, {0, 6, 0}, {INT_MIN, 6, -2}, {INT_MAX, 4, -1}, {LLONG_MIN, 4, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalisedAmount(c.amount, c.length), c.expected) << c.amount << " on " << c.length;
}

TEST(SolverNotation, EverySlideOfEveryGridRoundTrips)
{
    for (const auto& [rows, columns] : {std::pair{2, 2}, {2, 3}, {3, 3}, {3, 4}, {4, 6}, {2, 16}, {16, 3}, {16, 16}}) {
        const Position solved = Position::Solved(rows, columns);
        // Every line, every amount in its one form.
        std::vector<Slide> slides;
        for (const Axis axis : {Axis::Row, Axis::Column}) {
            const int length = solved.LineLength(axis);
            for (int line = 0; line < (axis == Axis::Row ? rows : columns); ++line)
                for (int amount = -(length - 1) / 2; amount <= length / 2; ++amount)
                    if (amount != 0)
                        slides.push_back(Slide{axis, std::int8_t(line), std::int8_t(amount)});
        }
        if (rows * columns <= CompactPosition::kMaxCells) {
            EXPECT_EQ(SlideSet::For(rows, columns).Count(), int(slides.size()));
        }
        EXPECT_EQ(int(slides.size()), rows * (columns - 1) + columns * (rows - 1));
        std::vector<Slide> all;
        for (const Slide& slide : slides) {
            all.push_back(slide);
            EXPECT_TRUE(solved.Allows(slide));
            EXPECT_EQ(ParseSlide(ToNotation(slide)), slide) << ToNotation(slide);
            const Slide inverse = InverseSlide(slide, solved.LineLength(slide.axis));
            Position there = solved;
            there.Apply(slide);
            there.Apply(inverse);
            EXPECT_TRUE(there.IsSolved()) << ToNotation(slide) << " then " << ToNotation(inverse);
        }
        EXPECT_EQ(ParseSlides(ToNotation(all)), all);
    }
}

TEST(SolverNotation, WritesTheGameNumbering)
{
    EXPECT_EQ(ToNotation(Slide{Axis::Row, 1, 1}), "R2+1");
    EXPECT_EQ(ToNotation(Slide{Axis::Row, 1, -3}), "R2-3");
    EXPECT_EQ(ToNotation(Slide{Axis::Column, 3, 2}), "C4+2");
    EXPECT_EQ(ToNotation(std::vector<Slide>{{Axis::Column, 3, -1}, {Axis::Row, 0, 1}}), "C4-1 R1+1");
    EXPECT_EQ(ToNotation(std::vector<Slide>{}), "");
}

TEST(SolverNotation, RefusesAnythingElse)
{
    for (const char* text : {"", "R", "R1", "R1+", "R0+1", "R1+0", "R01+1", "R1+01", "r1+1", "X1+1", "R1*1",
                             "R1+-1", "R200+1", "R1+1000", "R1+1 ", " R1+1", "R1+1x", "R+1", "C-1+1"})
        EXPECT_FALSE(ParseSlide(text)) << '"' << text << '"';
    for (const char* text : {" ", "R1+1 ", "R1+1  C2-1", " R1+1", "R1+1,C2-1", "R1+1 Q"})
        EXPECT_FALSE(ParseSlides(text)) << '"' << text << '"';
    EXPECT_EQ(ParseSlides(""), std::vector<Slide>{});
}

TEST(SolverPosition, SlidesMoveAsTheBoardDoes)
{
    // Row 1 of 2 x 3 one cell right: the last piece comes round to the front.
    Position p = Position::Solved(2, 3);
    p.Apply(Slide{Axis::Row, 0, 1});
    const int afterRow[] = {2, 0, 1, 3, 4, 5};
    EXPECT_EQ(p, Position::FromHomes(2, 3, afterRow));
    // Column 2 one cell down, on 3 x 3.
    Position q = Position::Solved(3, 3);
    q.Apply(Slide{Axis::Column, 1, 1});
    const int afterColumn[] = {0, 7, 2, 3, 1, 5, 6, 4, 8};
    EXPECT_EQ(q, Position::FromHomes(3, 3, afterColumn));
    // A slide the grid does not have changes nothing.
    for (const Slide& wrong : {Slide{Axis::Row, 2, 1}, Slide{Axis::Row, 0, 2}, Slide{Axis::Column, 0, 0}}) {
        Position r = Position::Solved(2, 3);
        EXPECT_FALSE(r.Allows(wrong));
        r.Apply(wrong);
        EXPECT_TRUE(r.IsSolved());
    }
}

TEST(SolverPosition, RefusesWhatIsNoArrangement)
{
    const int duplicate[] = {0, 1, 1, 3, 4, 5};
    const int outside[] = {0, 1, 2, 3, 4, 6};
    const int negative[] = {0, 1, 2, 3, 4, -1};
    const int fine[] = {5, 4, 3, 2, 1, 0};
    EXPECT_FALSE(Position::FromHomes(2, 3, duplicate));
    EXPECT_FALSE(Position::FromHomes(2, 3, outside));
    EXPECT_FALSE(Position::FromHomes(2, 3, negative));
    EXPECT_FALSE(Position::FromHomes(3, 2, std::span(fine).first(5)));
    EXPECT_FALSE(Position::FromHomes(5, 5, std::vector<int>(25, 0)));
    ASSERT_TRUE(Position::FromHomes(2, 3, fine));
    const Position p = *Position::FromHomes(2, 3, fine);
    EXPECT_EQ(p.Inverse().Inverse(), p);
    // Three swaps: odd, yet solvable, as every row of 2 x 3 is even.
    EXPECT_FALSE(p.IsEven());
    EXPECT_TRUE(p.IsSolvable());
    const int swapped[] = {1, 0, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(Position::FromHomes(3, 3, swapped)->IsSolvable());
}
