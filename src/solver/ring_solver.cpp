#include "solver/ring_solver.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace tesselo::solver {

namespace {

// How hard the beam works: partial solutions kept a slide, and the turns of
// the two rings it is tried against (the best first by how many pieces
// they put right at the start).
constexpr int kWidth = 100;
constexpr int kAnchorsTried = 2;

// The rings in cells of their own: the last row's cells 0..columns-1 (the
// corner last), then the last column's cells above the corner. A piece is
// numbered as the cell it belongs in.
struct Rings {
    int rows = 0;
    int columns = 0;
    int Count() const { return rows + columns - 1; }
    int Length(int ring) const { return ring == 0 ? columns : rows; }
    // The cell at `i` along ring 0 (the row) or ring 1 (the column).
    int At(int ring, int i) const
    {
        if (ring == 0)
            return i;
        return i == rows - 1 ? columns - 1 : columns + i;
    }
    int BoardCell(int local) const
    {
        return local < columns ? (rows - 1) * columns + local : (local - columns) * columns + columns - 1;
    }
};

// A ring holds at most a row and a column of the largest grid.
constexpr int kRingCells = 2 * kMaxSide;
using Cells = std::array<std::uint8_t, kRingCells>;
// A turn of one ring: (ring, amount), the amount in 1..length-1.
using Turn = std::pair<int, int>;

void Apply(const Rings& g, Cells& at, int ring, int amount)
{
    const Cells was = at;
    const int length = g.Length(ring);
    for (int i = 0; i < length; ++i)
        at[std::size_t(g.At(ring, (i + amount) % length))] = was[std::size_t(g.At(ring, i))];
}

bool IsSolved(const Rings& g, const Cells& at)
{
    for (int i = 0; i < g.Count(); ++i)
        if (at[std::size_t(i)] != i)
            return false;
    return true;
}

struct Node {
    Cells at{};
    // How far each ring has turned since the start, which the fixed turns
    // the rings are judged against follow.
    std::uint8_t turned[2] = {0, 0};
    std::int32_t parent = -1;
    Turn turn{2, 0};
};

// Lower is better: the cells whose piece differs from the one the fixed
// turns ask for, and again those whose piece is in the same ring, which
// must go round the other ring to get there.
int Score(const Rings& g, const Node& node, const int anchor[2])
{
    bool in[2][kRingCells] = {};
    for (int ring = 0; ring < 2; ++ring)
        for (int i = 0; i + 1 < g.Length(ring); ++i)
            in[ring][node.at[std::size_t(g.At(ring, i))]] = true;
    int wrong = 0;
    int away = 0;
    for (int ring = 0; ring < 2; ++ring) {
        const int length = g.Length(ring);
        for (int i = 0; i < length; ++i) {
            const int want = g.At(ring, (i + anchor[ring] - node.turned[ring] + length) % length);
            if (node.at[std::size_t(g.At(ring, i))] != want) {
                ++wrong;
                away += in[ring][want];
            }
        }
    }
    return 4 * wrong + 2 * away;
}

std::uint64_t Hash(const Rings& g, const Node& node)
{
    std::uint64_t h = 0xcbf29ce484222325ull ^ (std::uint64_t(node.turned[0]) << 8 | node.turned[1]);
    for (int i = 0; i < g.Count(); ++i)
        h = (h ^ node.at[std::size_t(i)]) * 0x100000001b3ull;
    return h;
}

// A shortest-looking way within `limit` turns, judged against `anchor`.
std::optional<std::vector<Turn>> Beam(const Rings& g, const Cells& start, const int anchor[2], int limit,
                                      const std::stop_token& stop)
{
    std::vector<Node> kept{Node{start}};
    std::vector<std::int32_t> level{0};
    struct Candidate {
        int score;
        std::uint64_t hash;
        Node node;
    };
    std::vector<Candidate> candidates;
    const auto path = [&](std::int32_t at, Turn last) {
        std::vector<Turn> turns{last};
        for (; kept[std::size_t(at)].parent >= 0; at = kept[std::size_t(at)].parent)
            turns.push_back(kept[std::size_t(at)].turn);
        std::reverse(turns.begin(), turns.end());
        return turns;
    };
    for (int depth = 0; depth < limit && !level.empty(); ++depth) {
        if (stop.stop_requested())
            return std::nullopt;
        candidates.clear();
        for (const std::int32_t index : level) {
            for (int ring = 0; ring < 2; ++ring) {
                // Two turns of one ring running are one turn.
                if (kept[std::size_t(index)].turn.first == ring)
                    continue;
                for (int amount = 1; amount < g.Length(ring); ++amount) {
                    Node child = kept[std::size_t(index)];
                    Apply(g, child.at, ring, amount);
                    if (IsSolved(g, child.at))
                        return path(index, Turn{ring, amount});
                    child.turned[ring] = std::uint8_t((child.turned[ring] + amount) % g.Length(ring));
                    child.parent = index;
                    child.turn = Turn{ring, amount};
                    candidates.push_back(Candidate{Score(g, child, anchor), Hash(g, child), child});
                }
            }
        }
        // The best of them, each arrangement once (the same arrangement
        // scores the same, so equal ones sort together).
        const auto better = [](const Candidate& a, const Candidate& b) {
            return a.score != b.score ? a.score < b.score : a.hash < b.hash;
        };
        const std::size_t keep = std::min(candidates.size(), std::size_t(kWidth) * 2);
        std::partial_sort(candidates.begin(), candidates.begin() + std::ptrdiff_t(keep), candidates.end(), better);
        level.clear();
        for (std::size_t i = 0; i < keep && level.size() < std::size_t(kWidth); ++i) {
            if (i > 0 && candidates[i].hash == candidates[i - 1].hash)
                continue;
            level.push_back(std::int32_t(kept.size()));
            kept.push_back(candidates[i].node);
        }
    }
    return std::nullopt;
}

// The certain way: three-cycles, each a commutator of the two rings
// (which moves the corner, one cell of the row and one of the column)
// seen through up to three turns that bring the cells wanted there.
class ThreeCycles {
public:
    explicit ThreeCycles(const Rings& g) : g(g)
    {
        for (int order = 0; order < 2; ++order)
            for (int x = 1; x < g.columns; ++x)
                for (int y = 1; y < g.rows; ++y) {
                    const std::vector<Turn> k = order == 0
                                                    ? std::vector<Turn>{{0, x}, {1, y}, {0, g.columns - x}, {1, g.rows - y}}
                                                    : std::vector<Turn>{{1, y}, {0, x}, {1, g.rows - y}, {0, g.columns - x}};
                    Cells at = Identity();
                    for (const auto& [ring, amount] : k)
                        Apply(g, at, ring, amount);
                    // The piece from `from` is now at `to`: from -> to.
                    int moved[3];
                    int count = 0;
                    for (int c = 0; c < g.Count() && count < 3; ++c)
                        if (at[std::size_t(c)] != c)
                            moved[count++] = c;
                    if (count != 3)
                        continue;
                    // As a cycle a -> b -> c: the piece at a goes to b.
                    const int a = moved[0];
                    int b = 0;
                    for (int c = 0; c < g.Count(); ++c)
                        if (at[std::size_t(c)] == a)
                            b = c;
                    const int c = moved[1] == b ? moved[2] : moved[1];
                    for (const auto& key : {Key(a, b, c), Key(b, c, a), Key(c, a, b)})
                        basic.emplace(key, k);
                }
    }

    // Turns that send the piece at `u` to `h`, the one at `h` to `w` and
    // the one at `w` to `u`, leaving every other piece alone.
    std::vector<Turn> Cycle(int u, int h, int w) const
    {
        for (int length = 0; length <= 3; ++length) {
            std::vector<Turn> setup;
            if (auto found = Search(setup, length, u, h, w))
                return *found;
        }
        return {};
    }

private:
    static int Key(int a, int b, int c) { return (a * kRingCells + b) * kRingCells + c; }
    Cells Identity() const
    {
        Cells at{};
        for (int i = 0; i < g.Count(); ++i)
            at[std::size_t(i)] = std::uint8_t(i);
        return at;
    }
    // Where the turns take the piece in `cell`.
    int Where(const std::vector<Turn>& turns, int cell) const
    {
        for (const auto& [ring, amount] : turns)
            for (int i = 0; i < g.Length(ring); ++i)
                if (g.At(ring, i) == cell) {
                    cell = g.At(ring, (i + amount) % g.Length(ring));
                    break;
                }
        return cell;
    }
    std::optional<std::vector<Turn>> Search(std::vector<Turn>& setup, int length, int u, int h, int w) const
    {
        if (int(setup.size()) == length) {
            const auto it = basic.find(Key(Where(setup, u), Where(setup, h), Where(setup, w)));
            if (it == basic.end())
                return std::nullopt;
            std::vector<Turn> all = setup;
            all.insert(all.end(), it->second.begin(), it->second.end());
            for (auto back = setup.rbegin(); back != setup.rend(); ++back)
                all.push_back(Turn{back->first, g.Length(back->first) - back->second});
            return all;
        }
        for (int ring = 0; ring < 2; ++ring) {
            if (!setup.empty() && setup.back().first == ring)
                continue;
            for (int amount = 1; amount < g.Length(ring); ++amount) {
                setup.push_back(Turn{ring, amount});
                auto found = Search(setup, length, u, h, w);
                setup.pop_back();
                if (found)
                    return found;
            }
        }
        return std::nullopt;
    }

    const Rings& g;
    std::map<int, std::vector<Turn>> basic;
};

bool IsEven(const Rings& g, const Cells& at)
{
    bool seen[kRingCells] = {};
    int transpositions = 0;
    for (int i = 0; i < g.Count(); ++i)
        for (int j = i; !seen[j]; j = at[std::size_t(j)]) {
            seen[j] = true;
            transpositions += j != i;
        }
    return transpositions % 2 == 0;
}

std::vector<Turn> ByThreeCycles(const Rings& g, Cells at)
{
    std::vector<Turn> turns;
    const auto play = [&](const std::vector<Turn>& some) {
        for (const auto& [ring, amount] : some) {
            Apply(g, at, ring, amount);
            turns.emplace_back(ring, amount);
        }
    };
    // Three-cycles are even: an odd arrangement takes one turn of a ring of
    // even length first (one of the rings has even length, or no odd
    // arrangement would be solvable).
    if (!IsEven(g, at)) {
        if (g.columns % 2 == 0)
            play({{0, 1}});
        else if (g.rows % 2 == 0)
            play({{1, 1}});
    }
    const ThreeCycles cycles(g);
    for (int guard = 0; guard < 4 * g.Count() && !IsSolved(g, at); ++guard) {
        int u = 0;
        while (at[std::size_t(u)] == u)
            ++u;
        const int h = at[std::size_t(u)];
        int w = 0;
        while (w < g.Count() && (w == u || w == h || at[std::size_t(w)] == w))
            ++w;
        if (w == g.Count())
            break;
        const std::vector<Turn> cycle = cycles.Cycle(u, h, w);
        if (cycle.empty())
            break;
        play(cycle);
    }
    return turns;
}

} // namespace

bool RingSolver::Solve(Board& board, std::vector<Slide>& plan, std::stop_token stop, Method method)
{
    const Rings g{board.rows, board.columns};
    Cells start{};
    std::array<int, Position::kMaxCells> local{};
    for (int i = 0; i < g.Count(); ++i)
        local[std::size_t(g.BoardCell(i))] = i;
    for (int i = 0; i < g.Count(); ++i)
        start[std::size_t(i)] = std::uint8_t(local[board.piece[std::size_t(g.BoardCell(i))]]);

    std::optional<std::vector<Turn>> best;
    if (method == Method::ThreeCycles)
        best = ByThreeCycles(g, start);
    else if (!IsSolved(g, start)) {
        // The fixed turns that put most pieces right to begin with, among
        // those the rings can end on: when solved, each ring has turned in
        // all by its fixed turn, and a turn of a ring of even length by an
        // odd amount is an odd arrangement, so the fixed turns must match
        // the parity of the arrangement to undo.
        const bool odd = !IsEven(g, start);
        std::vector<std::pair<int, int>> anchors;
        Node root{start};
        for (int a = 0; a < g.columns; ++a)
            for (int b = 0; b < g.rows; ++b) {
                const bool oddTurns = (g.columns % 2 == 0 && a % 2 != 0) != (g.rows % 2 == 0 && b % 2 != 0);
                if (oddTurns != odd)
                    continue;
                const int anchor[2] = {a, b};
                anchors.emplace_back(Score(g, root, anchor), a * kRingCells + b);
            }
        std::sort(anchors.begin(), anchors.end());
        for (int k = 0; k < kAnchorsTried && k < int(anchors.size()); ++k) {
            const int anchor[2] = {anchors[std::size_t(k)].second / kRingCells, anchors[std::size_t(k)].second % kRingCells};
            const int limit = best ? int(best->size()) - 1 : 4 * g.Count();
            auto found = Beam(g, start, anchor, limit, stop);
            if (stop.stop_requested())
                return false;
            if (found && (!best || found->size() < best->size()))
                best = std::move(found);
        }
        if (!best)
            best = ByThreeCycles(g, start);
    }
    for (const auto& [ring, amount] : best ? *best : std::vector<Turn>{}) {
        const Slide slide = ring == 0 ? Slide{Axis::Row, std::int8_t(g.rows - 1), std::int8_t(amount)}
                                      : Slide{Axis::Column, std::int8_t(g.columns - 1), std::int8_t(amount)};
        board.Apply(slide);
        AppendMerged(plan, slide, g.rows, g.columns);
    }
    return board.IsSolved();
}

} // namespace tesselo::solver
