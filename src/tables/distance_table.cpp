#include "tables/distance_table.h"

#include "positions/per_grid.h"
#include "positions/ranking.h"
#include "positions/slide_set.h"
#include "positions/symmetries.h"

#include <array>

namespace tesselo::solver {

namespace {

constexpr std::uint8_t kUnseen = 0xFF;

using Homes = std::array<std::uint8_t, DistanceTable::kMaxCells>;

// Lehmer rank by comparisons: digit i counts the later cells holding a
// smaller home.
std::uint32_t RankHomes(const Homes& h, int n)
{
    std::uint32_t rank = 0;
    for (int i = 0; i < n; ++i) {
        std::uint32_t digit = 0;
        for (int j = i + 1; j < n; ++j)
            digit += h[std::size_t(j)] < h[std::size_t(i)];
        rank = rank * std::uint32_t(n - i) + digit;
    }
    return rank;
}

} // namespace

DistanceTable::DistanceTable(int rows, int columns) : rows(rows), columns(columns)
{
    const int n = rows * columns;
    if (rows < 1 || columns < 1 || n > kMaxCells)
        return;
    const SlideSet& slides = SlideSet::For(rows, columns);
    distances.assign(std::size_t(ranking::Factorial(n)), kUnseen);

    // Every arrangement a symmetry of the board makes of another is exactly
    // as far from solved, so the search goes through one arrangement of each
    // such family and fills in the whole family as it is reached: a twelfth
    // of the slides to try, and one rank for most arrangements.
    const Symmetries symmetries(slides);
    const auto relabelled = [&](const Homes& h, int s) {
        const SlideSet::CellMap& g = symmetries.Forward(s);
        Homes to{};
        for (int cell = 0; cell < n; ++cell)
            to[g[std::size_t(cell)]] = g[h[std::size_t(cell)]];
        return to;
    };
    std::vector<Homes> queue;
    Homes solved{};
    for (int i = 0; i < n; ++i)
        solved[std::size_t(i)] = std::uint8_t(i);
    queue.push_back(solved);
    distances[RankHomes(solved, n)] = 0;
    counts.push_back(1);
    for (std::size_t at = 0; at < queue.size();) {
        const std::size_t layerEnd = queue.size();
        const auto next = std::uint8_t(counts.size());
        std::uint64_t found = 0;
        for (; at < layerEnd; ++at) {
            const Homes from = queue[at];
            for (int m = 0; m < slides.Count(); ++m) {
                Homes to = from;
                for (int cell = 0; cell < n; ++cell)
                    to[slides.Destination(m)[std::size_t(cell)]] = from[std::size_t(cell)];
                if (distances[RankHomes(to, n)] != kUnseen)
                    continue;
                queue.push_back(to);
                for (int s = 0; s < symmetries.Count(); ++s) {
                    std::uint8_t& d = distances[RankHomes(relabelled(to, s), n)];
                    if (d == kUnseen) {
                        d = next;
                        ++found;
                    }
                }
            }
        }
        if (found > 0)
            counts.push_back(found);
    }
}

const DistanceTable& DistanceTable::For(int rows, int columns)
{
    return PerGrid<DistanceTable>(rows, columns);
}

std::uint32_t DistanceTable::Rank(const CompactPosition& position) const
{
    Homes h{};
    for (int i = 0; i < position.CellCount(); ++i)
        h[std::size_t(i)] = std::uint8_t(position.Home(i));
    return RankHomes(h, position.CellCount());
}

int DistanceTable::Distance(const CompactPosition& position) const
{
    if (position.Rows() != rows || position.Columns() != columns || distances.empty())
        return kUnreachable;
    const std::uint8_t d = distances[Rank(position)];
    return d == kUnseen ? kUnreachable : d;
}

int DistanceTable::Distance(const Position& position) const
{
    const auto compact = CompactPosition::From(position);
    return compact ? Distance(*compact) : kUnreachable;
}

std::vector<Slide> DistanceTable::OptimalSlides(const CompactPosition& position) const
{
    std::vector<Slide> best;
    const int d = Distance(position);
    if (d <= 0)
        return best;
    const SlideSet& slides = SlideSet::For(rows, columns);
    for (int m = 0; m < slides.Count(); ++m) {
        CompactPosition next = position;
        next.Apply(slides.At(m));
        if (Distance(next) == d - 1)
            best.push_back(slides.At(m));
    }
    return best;
}

} // namespace tesselo::solver
