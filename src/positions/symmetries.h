#pragma once

#include "positions/position.h"
#include "positions/slide_set.h"

#include <vector>

namespace tesselo::solver {

// The relabellings of the cells that map the set of slides onto itself:
// every translation of the board (slides wrap round, so no cell is an
// edge) combined with the mirror images left to right and top to bottom,
// and on a square grid each of those with rows and columns exchanged as
// well. Seen through one of them (cells and homes relabelled alike) a
// position is exactly as far from solved, and its solutions are the
// relabelled solutions. The first is the identity, and the first
// rows x columns are the translations alone.
class Symmetries {
public:
    using CellMap = SlideSet::CellMap;

    explicit Symmetries(const SlideSet& slides);

    int Count() const { return int(maps.size()); }
    // Where the symmetry takes `cell`, and where it takes it back from.
    const CellMap& Forward(int symmetry) const { return maps[std::size_t(symmetry)].forward; }
    const CellMap& Backward(int symmetry) const { return maps[std::size_t(symmetry)].backward; }
    // The slide of the original board that a slide of the relabelled board
    // stands for.
    int SlideBack(int symmetry, int slide) const
    {
        return maps[std::size_t(symmetry)].slideBack[std::size_t(slide)];
    }
    CompactPosition Relabel(const CompactPosition& position, int symmetry) const;

private:
    struct Map {
        CellMap forward{};
        CellMap backward{};
        std::vector<int> slideBack;
    };
    std::vector<Map> maps;
};

} // namespace tesselo::solver
