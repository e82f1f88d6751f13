#include "positions/symmetries.h"

namespace tesselo::solver {

Symmetries::Symmetries(const SlideSet& slides)
{
    const int rows = slides.Rows();
    const int columns = slides.Columns();
    const int cells = rows * columns;
    // Exchanging rows and columns maps the slides onto themselves only
    // where the two are equally long.
    const int transposes = rows == columns ? 2 : 1;
    for (int variant = 0; variant < transposes * 4 * cells; ++variant) {
        const int dc = variant % columns;
        const int dr = variant / columns % rows;
        const int mirror = variant / cells % 4;
        const bool transpose = variant / cells / 4 != 0;
        Map map;
        for (int cell = 0; cell < cells; ++cell) {
            int r = cell / columns;
            int c = cell % columns;
            if (mirror & 1)
                c = columns - 1 - c;
            if (mirror & 2)
                r = rows - 1 - r;
            r = (r + dr) % rows;
            c = (c + dc) % columns;
            const int to = transpose ? c * columns + r : r * columns + c;
            map.forward[std::size_t(cell)] = std::uint8_t(to);
            map.backward[std::size_t(to)] = std::uint8_t(cell);
        }
        // g^-1 . m . g, found among the slides by where it takes every cell.
        for (int m = 0; m < slides.Count(); ++m) {
            SlideSet::CellMap conjugate{};
            for (int cell = 0; cell < cells; ++cell) {
                const int through = slides.Destination(m)[map.forward[std::size_t(cell)]];
                conjugate[std::size_t(cell)] = map.backward[std::size_t(through)];
            }
            int found = -1;
            for (int n = 0; n < slides.Count() && found < 0; ++n)
                if (slides.Destination(n) == conjugate)
                    found = n;
            map.slideBack.push_back(found);
        }
        maps.push_back(std::move(map));
    }
}

CompactPosition Symmetries::Relabel(const CompactPosition& position, int symmetry) const
{
    const Map& map = maps[std::size_t(symmetry)];
    std::vector<int> homes(std::size_t(position.CellCount()));
    for (int cell = 0; cell < position.CellCount(); ++cell)
        homes[map.forward[std::size_t(cell)]] = map.forward[std::size_t(position.Home(cell))];
    return *CompactPosition::FromHomes(position.Rows(), position.Columns(), homes);
}

} // namespace tesselo::solver
