// Feeds arbitrary bytes to TileGrid::LoadFrom. Property: it refuses (returns
// 0) with the grid exactly as it was, or it consumes one whole record and
// the grid is sound and writes back the same bytes. The bytes after an
// accepted record then drive row and column shifts, in range or not, which
// must keep the tiles a permutation.

#include "fuzz_support.h"

#include "model/tile_grid.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

using namespace tesselo;
using tesselo::fuzz::Require;

namespace {

struct Snapshot {
    explicit Snapshot(const TileGrid& g)
        : rows(g.rowCount), columns(g.columnCount), selectedRow(g.selectedRow),
          selectedColumn(g.selectedColumn)
    {
        for (const Tile& tile : g.cells)
            homes.push_back(tile.homeRow * 100 + tile.homeColumn);
    }
    bool operator==(const Snapshot&) const = default;

    std::int32_t rows, columns, selectedRow, selectedColumn;
    std::vector<std::int32_t> homes;
};

TileGrid grid;
std::vector<std::uint8_t> baseline;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A shuffled 4 x 6 grid with the selection away from the corner, so
    // that any change a refused record made would show.
    grid.Resize(4, 6);
    grid.Shuffle(77);
    grid.selectedRow = 2;
    grid.selectedColumn = 3;
    baseline.resize(grid.RecordSize());
    Require(grid.StoreTo(baseline.data(), baseline.size()) == baseline.size(), "a baseline record");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Snapshot before(grid);
    const std::size_t checked = TileGrid::CheckRecord(data, size);
    const std::size_t used = grid.LoadFrom(data, size);
    Require(used == checked, "LoadFrom and CheckRecord agree");
    if (used == 0) {
        Require(Snapshot(grid) == before, "a refused record changes nothing");
        return 0;
    }
    Require(used <= size && used == grid.RecordSize(), "one whole record consumed");
    tesselo::fuzz::RequirePlayableGrid(grid);
    std::vector<std::uint8_t> again(used + 8, 0xA5);
    Require(grid.StoreTo(again.data(), used - 1) == 0, "no record into too small a buffer");
    Require(grid.StoreTo(again.data(), again.size()) == used, "the same length written back");
    Require(std::equal(data, data + used, again.data()), "the same bytes written back");
    Require(std::all_of(again.begin() + std::ptrdiff_t(used), again.end(), [](std::uint8_t b) { return b == 0xA5; }),
            "nothing written past the record");

    // The rest of the input: shifts to any target, the selection moved
    // only to cells inside the grid, as the game moves it.
    for (std::size_t at = used; at + 1 < size; at += 2) {
        const auto target = std::int32_t(std::int8_t(data[at + 1]));
        switch (data[at] & 3) {
        case 0: {
            const std::int32_t from = grid.selectedColumn;
            const bool moved = grid.ShiftRow(target);
            Require(moved == (target != from && target >= 0 && target < grid.columnCount),
                    "a row moves exactly for a target inside it");
            Require(grid.selectedColumn == (moved ? target : from), "the selection follows the row");
            break;
        }
        case 1: {
            const std::int32_t from = grid.selectedRow;
            const bool moved = grid.ShiftColumn(target);
            Require(moved == (target != from && target >= 0 && target < grid.rowCount),
                    "a column moves exactly for a target inside it");
            Require(grid.selectedRow == (moved ? target : from), "the selection follows the column");
            break;
        }
        case 2:
            grid.selectedRow = std::int32_t(std::uint8_t(target)) % grid.rowCount;
            break;
        default:
            grid.selectedColumn = std::int32_t(std::uint8_t(target)) % grid.columnCount;
            break;
        }
        tesselo::fuzz::RequirePlayableGrid(grid);
    }

    Require(grid.LoadFrom(baseline.data(), baseline.size()) == baseline.size(), "the baseline reads back");
    return 0;
}
