// The parts the exact searches are made of: the symmetries the bounds are
// read through, and the filter that keeps a search from trying sequences
// of slides that do what a shorter or earlier one does.

#include "positions/slide_set.h"
#include "positions/symmetries.h"
#include "solver/sequence_filter.h"
#include "tables/distance_table.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <unordered_map>

using namespace tesselo::solver;

namespace {

// A position of up to 16 cells, four bits a cell.
using Key = std::uint64_t;

Key Solved(int cells)
{
    Key key = 0;
    for (int cell = 0; cell < cells; ++cell)
        key |= Key(cell) << (4 * cell);
    return key;
}

Key After(Key key, const SlideSet& slides, int slide)
{
    Key moved = key;
    for (int cell = 0; cell < slides.Rows() * slides.Columns(); ++cell) {
        if (!(slides.LineCells(slide) >> cell & 1u))
            continue;
        const int to = slides.Destination(slide)[std::size_t(cell)];
        moved &= ~(Key(15) << (4 * to));
        moved |= (key >> (4 * cell) & 15) << (4 * to);
    }
    return moved;
}

// Every position within `radius` of solved and its distance, breadth first
// over every slide.
std::unordered_map<Key, int> Ball(const SlideSet& slides, int radius)
{
    std::unordered_map<Key, int> ball{{Solved(slides.Rows() * slides.Columns()), 0}};
    std::vector<Key> frontier{ball.begin()->first};
    for (int d = 1; d <= radius; ++d) {
        std::vector<Key> next;
        for (const Key key : frontier)
            for (int m = 0; m < slides.Count(); ++m) {
                const Key moved = After(key, slides, m);
                if (ball.emplace(moved, d).second)
                    next.push_back(moved);
            }
        frontier = std::move(next);
    }
    return ball;
}

// Where the sequences the filter lets through reach, each position with
// the fewest slides that reach it. Every sequence is followed: two that
// meet may go on differently.
void Reach(const SlideSet& slides, const SequenceFilter& filter, Key key, int state, int depth, int radius,
           std::unordered_map<Key, int>& reached)
{
    const auto [at, fresh] = reached.emplace(key, depth);
    if (!fresh)
        at->second = std::min(at->second, depth);
    if (depth == radius)
        return;
    for (int m = 0; m < slides.Count(); ++m)
        if (const int next = filter.Next(state, m); next >= 0)
            Reach(slides, filter, After(key, slides, m), next, depth + 1, radius, reached);
}

std::vector<std::uint64_t> SequencesMayFollowAllows(const SlideSet& slides, int length)
{
    // By the last slide: how many sequences end with it.
    std::vector<std::uint64_t> ending(std::size_t(slides.Count()), 1);
    std::vector<std::uint64_t> counts{1, std::uint64_t(slides.Count())};
    for (int l = 2; l <= length; ++l) {
        std::vector<std::uint64_t> after(ending.size(), 0);
        for (int a = 0; a < slides.Count(); ++a)
            for (int b = 0; b < slides.Count(); ++b)
                if (slides.MayFollow(a, b))
                    after[std::size_t(b)] += ending[std::size_t(a)];
        ending = std::move(after);
        counts.push_back(std::accumulate(ending.begin(), ending.end(), std::uint64_t(0)));
    }
    return counts;
}

} // namespace

// Every symmetry maps each slide to a slide and keeps every distance; a
// square grid has twice as many, rows and columns exchanged.
TEST(Symmetries, EachKeepsEveryDistance)
{
    std::mt19937 random(11);
    for (const auto& [rows, columns] : {std::pair{2, 2}, {2, 3}, {3, 3}, {2, 5}}) {
        SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(columns));
        const SlideSet& slides = SlideSet::For(rows, columns);
        const Symmetries symmetries(slides);
        ASSERT_EQ(symmetries.Count(), (rows == columns ? 8 : 4) * rows * columns);
        const DistanceTable& table = DistanceTable::For(rows, columns);
        std::vector<int> homes(std::size_t(rows * columns));
        for (int s = 0; s < symmetries.Count(); ++s) {
            for (int m = 0; m < slides.Count(); ++m)
                ASSERT_GE(symmetries.SlideBack(s, m), 0) << "symmetry " << s << " slide " << m;
            for (int i = 0; i < 20; ++i) {
                std::iota(homes.begin(), homes.end(), 0);
                std::shuffle(homes.begin(), homes.end(), random);
                const CompactPosition p = *CompactPosition::FromHomes(rows, columns, homes);
                ASSERT_EQ(table.Distance(symmetries.Relabel(p, s)), table.Distance(p)) << "symmetry " << s;
            }
        }
    }
}

// The filter refuses only what can be done otherwise: every position
// within a few slides is reached by a sequence it lets through, of
// exactly the position's distance.
TEST(SequenceFilter, ReachesEveryPositionAtItsDistance)
{
    for (const auto& [rows, columns, radius] : {std::tuple{3, 3, 8}, {2, 6, 6}, {3, 4, 5}, {2, 8, 5}, {4, 4, 4}}) {
        SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(columns));
        const SlideSet& slides = SlideSet::For(rows, columns);
        const SequenceFilter& filter = SequenceFilter::For(rows, columns);
        EXPECT_GE(filter.Longest(), 4);
        std::unordered_map<Key, int> reached;
        Reach(slides, filter, Solved(rows * columns), SequenceFilter::kStart, 0, radius, reached);
        EXPECT_EQ(reached, Ball(slides, radius));
    }
}

// On two-row grids most sequences are redundant beyond the commuting of
// parallel lines: the filter lets through far fewer, and still at least as
// many of each length as there are positions at that distance.
TEST(SequenceFilter, RefusesWhatMayFollowLetsThrough)
{
    for (const auto& [rows, columns, share] : {std::tuple{2, 8, 0.5}, {2, 7, 0.5}, {4, 4, 0.97}}) {
        SCOPED_TRACE(std::to_string(rows) + " x " + std::to_string(columns));
        const SlideSet& slides = SlideSet::For(rows, columns);
        const auto filtered = SequenceFilter::For(rows, columns).Sequences(6);
        const auto ordered = SequencesMayFollowAllows(slides, 6);
        EXPECT_LT(double(filtered[6]), share * double(ordered[6]));
        std::vector<std::uint64_t> atDistance(5, 0);
        for (const auto& [key, d] : Ball(slides, 4))
            ++atDistance[std::size_t(d)];
        for (int d = 0; d <= 4; ++d)
            EXPECT_GE(filtered[std::size_t(d)], atDistance[std::size_t(d)]) << "length " << d;
    }
    // Too large to look for identities: the commuting of parallel lines
    // alone, as MayFollow.
    EXPECT_EQ(SequenceFilter::For(6, 6).Sequences(4), SequencesMayFollowAllows(SlideSet::For(6, 6), 4));
    EXPECT_EQ(SequenceFilter::For(6, 6).Longest(), 2);
}
