#pragma once

#include "positions/position.h"
#include "positions/slide.h"

#include <cstdint>
#include <vector>

namespace tesselo::solver {

// The exact distance of every arrangement of a small grid (up to ten
// cells), from one breadth-first search over all of them: one byte per
// arrangement, numbered by its rank among the permutations.
class DistanceTable {
public:
    static constexpr int kMaxCells = 10;
    static constexpr int kUnreachable = -1;

    DistanceTable(int rows, int columns);
    // The table of one grid size, built on first use and kept; safe to call
    // from any thread.
    static const DistanceTable& For(int rows, int columns);

    int Rows() const { return rows; }
    int Columns() const { return columns; }
    // The distance from solved, or kUnreachable for a position of another
    // size or one no slides can solve.
    int Distance(const CompactPosition& position) const;
    int Distance(const Position& position) const;
    // Every slide that starts a shortest solution; none when solved.
    std::vector<Slide> OptimalSlides(const CompactPosition& position) const;
    // How many arrangements lie at each distance, from 0 to the largest.
    const std::vector<std::uint64_t>& CountsByDistance() const { return counts; }

private:
    std::uint32_t Rank(const CompactPosition& position) const;

    int rows;
    int columns;
    std::vector<std::uint8_t> distances;
    std::vector<std::uint64_t> counts;
};

} // namespace tesselo::solver
