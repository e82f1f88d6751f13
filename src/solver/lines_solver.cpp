#include "solver/lines_solver.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tesselo::solver {

namespace {

constexpr int kMaxLines = 4;
// Two rows and two columns of the largest grid, crossings counted once.
constexpr int kMaxRegion = 4 * kMaxSide - 4;

// The free lines' cells, numbered among themselves; a piece is numbered as
// the cell it belongs in.
struct Region {
    int count = 0;
    int lines = 0;
    std::array<Axis, kMaxLines> axis{};
    std::array<int, kMaxLines> index{};
    std::array<int, kMaxLines> length{};
    // The cell at each place along each line, and the same twice over, so
    // that a place turned on by less than the line's length needs no
    // remainder.
    std::array<std::array<std::uint8_t, 2 * kMaxSide>, kMaxLines> at{};
    // For each two lines that cross, where along the first they meet, and
    // where along the second; -1 for parallel lines.
    std::array<std::array<std::int8_t, kMaxLines>, kMaxLines> crossAt{};
    std::array<std::array<std::int8_t, kMaxLines>, kMaxLines> crossOn{};
    // The place of each cell along each line; -1 off it.
    std::array<std::array<std::int8_t, kMaxRegion>, kMaxLines> place{};
    // Whether a cell lies on one free line only.
    std::array<bool, kMaxRegion> lone{};
    std::array<int, kMaxRegion> boardCell{};
};

using Cells = std::array<std::uint8_t, kMaxRegion>;

// A partial solution, with its score kept line by line so that a turn
// scores by what it changes.
struct Node {
    Cells at{};
    // The cell of each piece.
    Cells where{};
    std::array<std::uint8_t, kMaxLines> turned{};
    std::array<std::int16_t, kMaxLines> share{};
    // The line of the turn that made it; -1 at the start.
    std::int8_t line = -1;
};

// Whether `piece` lies on line `l` where no other free line crosses it.
bool OnLone(const Region& g, const Node& node, int l, int piece)
{
    const int cell = node.where[std::size_t(piece)];
    return g.lone[std::size_t(cell)] && g.place[std::size_t(l)][std::size_t(cell)] >= 0;
}

// What one place of line `l` costs: nothing if its piece is the one the
// final turns ask for there; more if the piece asked for is on the line
// where no other line crosses it, which means it must leave and come back.
int PlaceCost(const Region& g, const Node& node, int l, int piece, int want)
{
    return piece == want ? 0 : 4 + 2 * int(OnLone(g, node, l, want));
}

// The place along line `l` whose piece should be at place `i` once the
// line has turned by `anchor` in all, having turned `turned` so far.
int Shift(const Region& g, int l, int anchor, int turned)
{
    const int shift = anchor - turned;
    return shift < 0 ? shift + g.length[std::size_t(l)] : shift;
}

// Line `l`'s share of the score.
void Share(const Region& g, Node& node, int l, const int* anchor)
{
    const std::size_t line = std::size_t(l);
    const std::uint8_t* wanted = g.at[line].data() + Shift(g, l, anchor[l], node.turned[line]);
    int share = 0;
    for (int i = 0; i < g.length[line]; ++i)
        share += PlaceCost(g, node, l, node.at[g.at[line][std::size_t(i)]], wanted[i]);
    node.share[line] = std::int16_t(share);
}

// The scores of `parent` with line `l` turned by each amount, into
// `scores` (by amount). A turn keeps each piece of the line right or
// wrong (its place and what is asked of it move together); it only changes
// which pieces sit where the line is crossed, and so which wanted pieces
// must leave the line and come back, and what the crossing lines find where
// they meet it.
void ScoresOfTurns(const Region& g, const Node& parent, int l, const int* anchor, int* scores)
{
    const std::size_t line = std::size_t(l);
    const int length = g.length[line];
    const std::uint8_t* wanted = g.at[line].data() + Shift(g, l, anchor[l], parent.turned[line]);
    // Whether the piece at each place is wanted by a wrong place of the line.
    std::array<bool, kMaxSide> wantedHere{};
    int base = 0;
    for (int j = 0; j < length; ++j) {
        const int want = wanted[j];
        if (parent.at[g.at[line][std::size_t(j)]] == want)
            continue;
        base += 4;
        const int place = g.place[line][parent.where[std::size_t(want)]];
        if (place >= 0) {
            base += 2;
            wantedHere[std::size_t(place)] = true;
        }
    }
    int others = 0;
    for (int m = 0; m < g.lines; ++m)
        if (m != l)
            others += parent.share[std::size_t(m)];
    for (int amount = 1; amount < length; ++amount) {
        int score = base + others;
        for (int m = 0; m < g.lines; ++m) {
            const std::size_t other = std::size_t(m);
            const int k = g.crossAt[line][other];
            if (k < 0)
                continue;
            // The piece that comes to the crossing at place k.
            const int from = k - amount < 0 ? k - amount + length : k - amount;
            if (wantedHere[std::size_t(from)])
                score -= 2;
            const int j = g.crossOn[line][other];
            const int want = g.at[other][std::size_t(j + Shift(g, m, anchor[m], parent.turned[other]))];
            const int cell = g.at[line][std::size_t(k)];
            score += PlaceCost(g, parent, m, parent.at[g.at[line][std::size_t(from)]], want) -
                     PlaceCost(g, parent, m, parent.at[std::size_t(cell)], want);
        }
        scores[amount] = score;
    }
}

void Apply(const Region& g, Node& node, int l, int amount)
{
    const std::size_t line = std::size_t(l);
    const int length = g.length[line];
    std::array<std::uint8_t, kMaxSide> held;
    for (int i = 0; i < length; ++i)
        held[std::size_t(i)] = node.at[g.at[line][std::size_t(i)]];
    for (int i = 0; i < length; ++i) {
        const std::uint8_t cell = g.at[line][std::size_t(i + amount)];
        node.at[cell] = held[std::size_t(i)];
        node.where[held[std::size_t(i)]] = cell;
    }
}

Node Start(const Region& g, const Cells& start)
{
    Node node;
    node.at = start;
    for (int i = 0; i < g.count; ++i)
        node.where[start[std::size_t(i)]] = std::uint8_t(i);
    return node;
}

Node Child(const Region& g, const Node& parent, int l, int amount, const int* anchor)
{
    Node child = parent;
    const std::size_t line = std::size_t(l);
    Apply(g, child, l, amount);
    child.turned[line] = std::uint8_t((child.turned[line] + amount) % g.length[line]);
    for (int m = 0; m < g.lines; ++m)
        if (m == l || g.crossAt[line][std::size_t(m)] >= 0)
            Share(g, child, m, anchor);
    child.line = std::int8_t(l);
    return child;
}

bool IsSolved(const Region& g, const Cells& cells)
{
    for (int i = 0; i < g.count; ++i)
        if (cells[std::size_t(i)] != i)
            return false;
    return true;
}

std::uint64_t Hash(const Region& g, const Node& node)
{
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (int l = 0; l < g.lines; ++l)
        h = (h ^ node.turned[std::size_t(l)]) * 0x100000001b3ull;
    for (int i = 0; i < g.count; ++i)
        h = (h ^ node.at[std::size_t(i)]) * 0x100000001b3ull;
    return h;
}

using Turns = std::vector<std::pair<int, int>>;

// A short way within `limit` turns, judged against the final turns
// `anchor`: a beam of `width` partial solutions, each arrangement once.
std::optional<Turns> Beam(const Region& g, const Cells& start, const int* anchor, int limit, int width,
                          const std::stop_token& stop)
{
    Node root = Start(g, start);
    for (int l = 0; l < g.lines; ++l)
        Share(g, root, l, anchor);
    // The partial solutions of this depth in full; of every depth, the
    // turn that made each and where it came from.
    struct Step {
        std::int32_t parent;
        std::int8_t line;
        std::int8_t amount;
    };
    std::vector<Step> trail{Step{-1, -1, 0}};
    std::vector<Node> level{root};
    std::vector<Node> next;
    std::vector<std::int32_t> levelSteps{0};
    std::vector<std::int32_t> nextSteps;
    struct Candidate {
        int score;
        std::int32_t parent;
        std::int8_t line;
        std::int8_t amount;
    };
    std::vector<Candidate> candidates;
    // The arrangements kept at this depth, in open addressing (0: empty).
    std::vector<std::uint64_t> seen(std::size_t(std::max(width, 1)) * 4);
    const auto path = [&](std::int32_t at) {
        Turns turns;
        for (; trail[std::size_t(at)].parent >= 0; at = trail[std::size_t(at)].parent)
            turns.emplace_back(trail[std::size_t(at)].line, trail[std::size_t(at)].amount);
        std::reverse(turns.begin(), turns.end());
        return turns;
    };
    for (int depth = 0; depth < limit && !level.empty(); ++depth) {
        if (stop.stop_requested())
            return std::nullopt;
        candidates.clear();
        for (std::int32_t index = 0; index < std::int32_t(level.size()); ++index) {
            const Node& parent = level[std::size_t(index)];
            for (int l = 0; l < g.lines; ++l) {
                // Two turns of one line running are one turn, and turns of
                // parallel lines, which commute, come in the order of the
                // lines.
                if (parent.line == l || (parent.line > l && g.axis[std::size_t(parent.line)] == g.axis[std::size_t(l)]))
                    continue;
                int scores[kMaxSide];
                ScoresOfTurns(g, parent, l, anchor, scores);
                for (int amount = 1; amount < g.length[std::size_t(l)]; ++amount)
                    candidates.push_back(Candidate{scores[amount], index, std::int8_t(l), std::int8_t(amount)});
            }
        }
        const std::size_t keep = std::min(candidates.size(), std::size_t(width) * 2);
        std::partial_sort(candidates.begin(), candidates.begin() + std::ptrdiff_t(keep), candidates.end(),
                          [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
        next.clear();
        nextSteps.clear();
        std::fill(seen.begin(), seen.end(), 0);
        for (std::size_t i = 0; i < keep && next.size() < std::size_t(width); ++i) {
            const Candidate& c = candidates[i];
            Node child = Child(g, level[std::size_t(c.parent)], c.line, c.amount, anchor);
            trail.push_back(Step{levelSteps[std::size_t(c.parent)], c.line, c.amount});
            if (IsSolved(g, child.at))
                return path(std::int32_t(trail.size() - 1));
            const std::uint64_t hash = Hash(g, child) | 1u;
            std::size_t slot = std::size_t(hash >> 20) % seen.size();
            while (seen[slot] != 0 && seen[slot] != hash)
                slot = (slot + 1) % seen.size();
            if (seen[slot] == hash)
                continue;
            seen[slot] = hash;
            nextSteps.push_back(std::int32_t(trail.size() - 1));
            next.push_back(child);
        }
        std::swap(level, next);
        std::swap(levelSteps, nextSteps);
    }
    return std::nullopt;
}

bool IsEven(const Region& g, const Cells& at)
{
    std::array<bool, kMaxRegion> seen{};
    int transpositions = 0;
    for (int i = 0; i < g.count; ++i)
        for (int j = i; !seen[std::size_t(j)]; j = at[std::size_t(j)]) {
            seen[std::size_t(j)] = true;
            transpositions += j != i;
        }
    return transpositions % 2 == 0;
}

} // namespace

bool LinesSolver::Solve(Board& board, std::uint32_t rows, std::uint32_t columns, std::vector<Slide>& plan,
                        std::stop_token stop, int width, int anchorsTried)
{
    const auto isFree = [&](int r, int c) { return (rows >> r & 1u) != 0 || (columns >> c & 1u) != 0; };
    Region g;
    std::array<int, Position::kMaxCells> local;
    local.fill(-1);
    for (int r = 0; r < board.rows; ++r)
        for (int c = 0; c < board.columns; ++c) {
            const int cell = r * board.columns + c;
            if (!isFree(r, c)) {
                if (board.piece[std::size_t(cell)] != cell)
                    return false;
                continue;
            }
            if (g.count == kMaxRegion)
                return false;
            local[std::size_t(cell)] = g.count;
            g.boardCell[std::size_t(g.count)] = cell;
            g.lone[std::size_t(g.count)] = !((rows >> r & 1u) != 0 && (columns >> c & 1u) != 0);
            ++g.count;
        }
    for (const Axis axis : {Axis::Row, Axis::Column}) {
        const std::uint32_t mask = axis == Axis::Row ? rows : columns;
        for (int k = 0; k < board.Length(axis == Axis::Row ? Axis::Column : Axis::Row); ++k) {
            if ((mask >> k & 1u) == 0)
                continue;
            if (g.lines == kMaxLines)
                return false;
            const std::size_t l = std::size_t(g.lines++);
            g.axis[l] = axis;
            g.index[l] = k;
            g.length[l] = board.Length(axis);
            g.place[l].fill(-1);
            for (int i = 0; i < g.length[l]; ++i) {
                const int cell = local[std::size_t(board.At(axis, k, i))];
                g.at[l][std::size_t(i)] = g.at[l][std::size_t(i + g.length[l])] = std::uint8_t(cell);
                g.place[l][std::size_t(cell)] = std::int8_t(i);
            }
        }
    }
    for (int l = 0; l < g.lines; ++l)
        for (int m = 0; m < g.lines; ++m) {
            g.crossAt[std::size_t(l)][std::size_t(m)] = g.crossOn[std::size_t(l)][std::size_t(m)] = -1;
            if (g.axis[std::size_t(l)] == g.axis[std::size_t(m)])
                continue;
            for (int i = 0; i < g.length[std::size_t(l)]; ++i)
                for (int j = 0; j < g.length[std::size_t(m)]; ++j)
                    if (g.at[std::size_t(l)][std::size_t(i)] == g.at[std::size_t(m)][std::size_t(j)]) {
                        g.crossAt[std::size_t(l)][std::size_t(m)] = std::int8_t(i);
                        g.crossOn[std::size_t(l)][std::size_t(m)] = std::int8_t(j);
                    }
        }
    Cells start{};
    for (int i = 0; i < g.count; ++i) {
        const int p = local[board.piece[std::size_t(g.boardCell[std::size_t(i)])]];
        if (p < 0)
            return false;
        start[std::size_t(i)] = std::uint8_t(p);
    }
    std::optional<Turns> best;
    if (!IsSolved(g, start)) {
        // The final turns of the lines that put most pieces right to begin
        // with, among those with the parity to undo (a turn of a line of
        // even length by an odd amount is an odd arrangement). At the start
        // each line's share depends on its own final turn alone.
        const bool odd = !IsEven(g, start);
        std::array<std::array<int, kMaxSide>, kMaxLines> share{};
        for (int l = 0; l < g.lines; ++l)
            for (int a = 0; a < g.length[std::size_t(l)]; ++a) {
                int anchor[kMaxLines] = {};
                anchor[l] = a;
                Node alone = Start(g, start);
                Share(g, alone, l, anchor);
                share[std::size_t(l)][std::size_t(a)] = alone.share[std::size_t(l)];
            }
        int total = 1;
        for (int l = 0; l < g.lines; ++l)
            total *= g.length[std::size_t(l)];
        std::vector<std::pair<int, int>> anchors;
        for (int code = 0; code < total; ++code) {
            int score = 0;
            bool oddTurns = false;
            for (int l = 0, k = code; l < g.lines; ++l) {
                const int a = k % g.length[std::size_t(l)];
                k /= g.length[std::size_t(l)];
                oddTurns ^= g.length[std::size_t(l)] % 2 == 0 && a % 2 != 0;
                score += share[std::size_t(l)][std::size_t(a)];
            }
            if (oddTurns == odd)
                anchors.emplace_back(score, code);
        }
        const std::size_t tried = std::min(anchors.size(), std::size_t(std::max(anchorsTried, 1)));
        std::partial_sort(anchors.begin(), anchors.begin() + std::ptrdiff_t(tried), anchors.end());
        for (std::size_t t = 0; t < tried; ++t) {
            int anchor[kMaxLines] = {};
            for (int l = 0, k = anchors[t].second; l < g.lines; ++l) {
                anchor[l] = k % g.length[std::size_t(l)];
                k /= g.length[std::size_t(l)];
            }
            const int limit = best ? int(best->size()) - 1 : 3 * g.count;
            auto found = Beam(g, start, anchor, limit, width, stop);
            if (stop.stop_requested())
                return false;
            if (found && (!best || found->size() < best->size()))
                best = std::move(found);
        }
        if (!best)
            return false;
    }
    for (const auto& [l, amount] : best ? *best : Turns{}) {
        const std::size_t line = std::size_t(l);
        const Slide slide{g.axis[line], std::int8_t(g.index[line]), std::int8_t(NormalisedAmount(amount, g.length[line]))};
        board.Apply(slide);
        AppendMerged(plan, slide, board.rows, board.columns);
    }
    return board.IsSolved();
}

} // namespace tesselo::solver
