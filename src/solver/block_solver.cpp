#include "solver/block_solver.h"

#include "positions/board.h"
#include "solver/lines_solver.h"
#include "solver/plan_windows.h"
#include "solver/ring_solver.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <iterator>
#include <numeric>
#include <optional>
#include <random>

namespace tesselo::solver {

namespace {

// A piece is put in place within this many slides; the worst case (a
// piece already on the line, out of order and beside the block) takes four.
constexpr int kMaxPlacement = 8;
// Of the images solved up to the rings (or the last two rows and columns),
// this many of the shortest go on to them: the end takes longer than the
// block and varies less.
constexpr int kEndsTried = 4;

Axis Other(Axis axis)
{
    return axis == Axis::Row ? Axis::Column : Axis::Row;
}

// One way of putting one more piece of a line in place.
struct Placement {
    int index = 0;
    std::vector<Slide> slides;
};

// Fills the lines of the block one after the other. A value: a beam of
// them carries several partial solutions.
class Builder {
public:
    explicit Builder(const Board& start) : board(start) {}

    // Begins to put home the cells of `line` that cross the block (before
    // there is a block, its first cell), the block home and left so.
    void Begin(Axis lineAxis, int lineIndex)
    {
        axis = lineAxis;
        line = lineIndex;
        length = board.Length(axis);
        const std::uint32_t crossing = axis == Axis::Row ? columnsIn : rowsIn;
        slotAt.fill(-1);
        count = 0;
        for (int k = 0; k < length; ++k)
            if ((crossing >> k & 1u) != 0 || (crossing == 0 && k == 0)) {
                slotAt[std::size_t(k)] = std::int8_t(count);
                slotPos[std::size_t(count++)] = std::int8_t(k);
            }
        placed.fill(false);
        placedCount = 0;
        anchor = 0;
        SettleFree();
        Estimate();
    }
    // Begins the `which`-th free line of the axis (counted from the first
    // row or column); false if there is none.
    bool StartLine(Axis lineAxis, int which)
    {
        const std::uint32_t in = lineAxis == Axis::Row ? rowsIn : columnsIn;
        const int lines = board.Length(Other(lineAxis));
        for (int k = 0; k < lines; ++k)
            if ((in >> k & 1u) == 0 && which-- == 0) {
                Begin(lineAxis, k);
                return true;
            }
        return false;
    }
    bool Done() const { return placedCount == count; }
    // The slides so far and what each piece of the line still out of place
    // needs at least, alone (Bound): what a beam ranks partial solutions
    // by, which prefers those whose next pieces are a slide away.
    int Score() const { return int(plan.size()) + estimate; }
    // The arrangement, to tell partial solutions that reached the same
    // one apart (FNV-1a).
    std::uint64_t Hash() const
    {
        std::uint64_t h = 0xcbf29ce484222325ull;
        for (int c = 0; c < board.rows * board.columns; ++c)
            h = (h ^ board.piece[std::size_t(c)]) * 0x100000001b3ull;
        return h;
    }

    // The piece that goes in with the fewest slides, the line turned home
    // with the last; nothing only if no piece found a way in (which the
    // tests would have met).
    std::optional<Placement> Cheapest()
    {
        std::optional<Placement> best;
        last = placedCount == count - 1;
        for (int i = 0; i < count; ++i) {
            if (placed[std::size_t(i)])
                continue;
            std::vector<Slide> found;
            if (!Shortest(i, best ? int(best->slides.size()) - 1 : kMaxPlacement, found))
                continue;
            best = Placement{i, std::move(found)};
            if (best->slides.size() <= 1)
                break;
        }
        return best;
    }
    // Every piece's shortest ways, at most `ways` of each, for a beam.
    std::vector<Placement> Choices(int ways)
    {
        std::vector<Placement> choices;
        last = placedCount == count - 1;
        for (int i = 0; i < count; ++i) {
            if (placed[std::size_t(i)])
                continue;
            std::vector<std::vector<Slide>> found;
            All(i, ways, found);
            for (auto& slides : found)
                choices.push_back(Placement{i, std::move(slides)});
        }
        return choices;
    }
    void Place(const Placement& placement)
    {
        for (const Slide& slide : placement.slides)
            Play(slide);
        if (placedCount == 0)
            anchor = (IndexOn(board.cell[std::size_t(PieceOf(placement.index))]) - slotPos[std::size_t(placement.index)] +
                      2 * length) % length;
        placed[std::size_t(placement.index)] = true;
        ++placedCount;
        SettleFree();
        Estimate();
    }
    // The line, full, turned home.
    void Finish()
    {
        if (anchor != 0)
            Play(Slide{axis, std::int8_t(line), std::int8_t(NormalisedAmount(-anchor, length))});
        if (axis == Axis::Column) {
            columnsIn |= 1u << line;
            ++columns;
        } else {
            rowsIn |= 1u << line;
            ++rows;
        }
    }

    Board board;
    std::vector<Slide> plan;
    // The block: the cells where its rows and columns (one bit each) cross.
    std::uint32_t rowsIn = 0;
    std::uint32_t columnsIn = 0;
    int rows = 0;
    int columns = 0;

private:
    int PieceOf(int index) const { return board.At(axis, line, slotPos[std::size_t(index)]); }
    bool OnLine(int cell) const { return axis == Axis::Row ? cell / board.columns == line : cell % board.columns == line; }
    // How far along the line the cell is, or where its crossing line meets it.
    int IndexOn(int cell) const { return axis == Axis::Row ? cell % board.columns : cell / board.columns; }
    bool Free(Axis lineAxis, int index) const
    {
        return ((lineAxis == Axis::Row ? rowsIn : columnsIn) >> index & 1u) == 0;
    }
    // A crossing line may not carry a piece placed on the line away.
    bool Blocked(int crossing, int at) const
    {
        if (placedCount == 0)
            return false;
        const int rel = slotAt[std::size_t((crossing - at + length) % length)];
        return rel >= 0 && placed[std::size_t(rel)];
    }

    void Play(const Slide& slide)
    {
        board.Apply(slide);
        AppendMerged(plan, slide, board.rows, board.columns);
        if (slide.axis == axis && slide.line == line)
            anchor = ((anchor + slide.amount) % length + length) % length;
    }

    // What the pieces still out of place need, about: one slide for a
    // piece on a free crossing line, which comes in once the line is
    // turned so that its place meets that crossing line; two for one
    // elsewhere off the line (the slide that takes it to a crossing line
    // can choose one the line will meet anyway); three for one on the line
    // out of order. Then the line's turns: one for each turn some piece
    // waits for, pieces waiting for the same turn sharing it, and one to
    // turn the line home unless the last of those leaves it there.
    // Counting a turn for each piece alone ranked partial solutions whose
    // pieces wait for the same turns no better than any other.
    void Estimate()
    {
        estimate = 0;
        std::uint32_t turns = 0;
        for (int i = 0; i < count; ++i) {
            if (placed[std::size_t(i)])
                continue;
            const int cell = board.cell[std::size_t(PieceOf(i))];
            const int index = IndexOn(cell);
            if (OnLine(cell)) {
                estimate += 3;
            } else if (Free(Other(axis), index)) {
                estimate += 1;
                turns |= 1u << ((index - slotPos[std::size_t(i)] + length) % length);
            } else {
                estimate += 2;
            }
        }
        // Before its first piece the line may stand at any turn.
        const std::uint32_t waited = placedCount > 0 ? turns & ~(1u << anchor) : turns;
        const int taken = std::popcount(waited) - (placedCount == 0 && waited != 0 ? 1 : 0);
        const bool home = waited == 0 ? placedCount == 0 || anchor == 0 : (waited & 1u) != 0;
        estimate += taken + (home ? 0 : 1);
    }

    // Pieces that happen to lie in place on the line, in order with those
    // placed, cost nothing.
    void SettleFree()
    {
        for (int i = 0; i < count; ++i) {
            if (placed[std::size_t(i)])
                continue;
            const int cell = board.cell[std::size_t(PieceOf(i))];
            if (!OnLine(cell))
                continue;
            if (placedCount == 0)
                anchor = (IndexOn(cell) - slotPos[std::size_t(i)] + length) % length;
            if (IndexOn(cell) == (anchor + slotPos[std::size_t(i)]) % length) {
                placed[std::size_t(i)] = true;
                ++placedCount;
            }
        }
    }

    // A lower bound on the slides that put the piece now in `cell` in
    // place, with the line turned by `at`: three if it is on the line out
    // of order (it must leave and come back), one if its crossing line is
    // free and meets the line at its place, two otherwise; and one more for
    // the last piece if the line must still be turned home.
    int Bound(int cell, int at) const { return BoundFor(cell, at, target); }
    int BoundFor(int cell, int at, int target) const
    {
        const int home = slotPos[std::size_t(target)];
        const int slot = (at + home) % length;
        const int index = IndexOn(cell);
        const auto turned = [&](int settled) { return last && settled != 0 ? 1 : 0; };
        if (OnLine(cell)) {
            if (placedCount > 0 && index != slot)
                return 3;
            return turned(placedCount > 0 ? at : (index - home + length) % length);
        }
        if (Free(Other(axis), index) && (placedCount == 0 || index == slot))
            return 1 + turned(placedCount > 0 ? at : (index - home + length) % length);
        return 2;
    }

    // Whether a way of at most `limit` slides exists from here; when
    // `collected` is given, every such way goes there until it holds
    // `wanted`.
    bool Search(int cell, int at, int depth, int limit, int previous)
    {
        const int bound = Bound(cell, at);
        if (bound == 0) {
            if (!collected)
                return true;
            collected->push_back(way);
            return int(collected->size()) >= wanted;
        }
        if (depth + bound > limit)
            return false;
        // Only slides of the line and of the lines through the piece change
        // what the search looks at.
        const std::pair<Axis, int> lines[3] = {
            {axis, line}, {Axis::Row, cell / board.columns}, {Axis::Column, cell % board.columns}};
        for (int k = 0; k < 3; ++k) {
            const auto [lineAxis, index] = lines[k];
            const bool isLine = lineAxis == axis && index == line;
            if (k > 0 && isLine)
                continue;
            const int key = int(lineAxis) * 256 + index;
            if (key == previous)
                continue;
            if (!isLine && (!Free(lineAxis, index) || (lineAxis != axis && Blocked(index, at))))
                continue;
            const int lineLength = board.Length(lineAxis);
            for (int amount = -(lineLength - 1) / 2; amount <= lineLength / 2; ++amount) {
                if (amount == 0)
                    continue;
                int moved = cell;
                const int r = cell / board.columns;
                const int c = cell % board.columns;
                if (lineAxis == Axis::Row && r == index)
                    moved = r * board.columns + (c + amount + lineLength) % lineLength;
                else if (lineAxis == Axis::Column && c == index)
                    moved = (r + amount + lineLength) % lineLength * board.columns + c;
                const int next = isLine ? (at + amount + length) % length : at;
                way.push_back(Slide{lineAxis, std::int8_t(index), std::int8_t(amount)});
                if (Search(moved, next, depth + 1, limit, key))
                    return true;
                way.pop_back();
            }
        }
        return false;
    }

    // The shortest ways that put piece `index` of the line in place, at
    // most `ways` of them.
    void All(int index, int ways, std::vector<std::vector<Slide>>& out)
    {
        target = index;
        const int cell = board.cell[std::size_t(PieceOf(index))];
        collected = &out;
        wanted = ways;
        for (int bound = Bound(cell, anchor); bound <= kMaxPlacement && out.empty(); ++bound) {
            way.clear();
            Search(cell, anchor, 0, bound, -1);
        }
        collected = nullptr;
    }

    // The shortest way of at most `limit` slides that puts piece `index`
    // of the line in place.
    bool Shortest(int index, int limit, std::vector<Slide>& out)
    {
        target = index;
        const int cell = board.cell[std::size_t(PieceOf(index))];
        for (int bound = Bound(cell, anchor); bound <= limit; ++bound) {
            way.clear();
            if (Search(cell, anchor, 0, bound, -1)) {
                out = way;
                return true;
            }
        }
        return false;
    }

    Axis axis = Axis::Row;
    int line = 0;
    int count = 0;
    // Where along the line the block's width begins: the home of its piece 0.
    // Where along the line each of its pieces is at home, and which piece
    // is at home at each place along it (-1: a cell of no piece of the line).
    std::array<std::int8_t, kMaxSide> slotPos{};
    std::array<std::int8_t, kMaxSide> slotAt{};
    int length = 0;
    std::array<bool, kMaxSide> placed{};
    int placedCount = 0;
    // The placed pieces sit `anchor` cells on from their homes along the line.
    int anchor = 0;
    int target = 0;
    // What the pieces still out of place need at least, each alone.
    int estimate = 0;
    bool last = false;
    std::vector<Slide> way;
    std::vector<std::vector<Slide>>* collected = nullptr;
    int wanted = 0;
};

// The axis of the next line of a block of `rows` x `columns` on a grid of
// `gridRows` x `gridColumns`: a column while the free columns are at least
// as many as the free rows (`lean` weighs them, 2: a column while there
// are twice as many, -2: while half as many, which suits grids far from
// square). `other`: the other axis where the two are even, nullopt where
// they are not.
std::optional<bool> NextIsColumn(int rows, int columns, int gridRows, int gridColumns, int lean, bool other)
{
    if (rows == 0)
        return other ? std::nullopt : std::optional<bool>(false);
    const int freeColumns = gridColumns - columns;
    const int freeRows = gridRows - rows;
    const bool wide = lean >= 0 ? freeColumns >= lean * freeRows : -lean * freeColumns >= freeRows;
    const bool column = columns < gridColumns - 1 && (rows >= gridRows - 1 || wide);
    if (!other)
        return column;
    const bool even = lean >= 0 ? freeColumns == lean * freeRows : -lean * freeColumns == freeRows;
    if (!even || rows >= gridRows - 1 || columns >= gridColumns - 1)
        return std::nullopt;
    return !column;
}

// Puts home one line of every partial solution of `beam`, keeping the
// `width` best after each piece (each position once). The line is the
// `which`-th free line of the axis each one's block grows in next
// (NextIsColumn); partial solutions with no such line are dropped.
bool Extend(std::vector<Builder>& beam, const BlockSolver::Effort& effort, int lean, bool otherAxis, int which)
{
    std::vector<Builder> started;
    for (Builder& builder : beam) {
        const auto column = NextIsColumn(builder.rows, builder.columns, builder.board.rows, builder.board.columns,
                                         lean, otherAxis);
        if (!column)
            continue;
        if (builder.StartLine(*column ? Axis::Column : Axis::Row, which))
            started.push_back(std::move(builder));
    }
    beam = std::move(started);
    if (beam.empty())
        return false;
    // Each choice is weighed on a scratch copy, and only the partial
    // solutions kept are made again: copying every choice's board and plan
    // cost more than the searches for them.
    struct Candidate {
        int score = 0;
        std::uint64_t hash = 0;
        int parent = 0;
        std::optional<Placement> placement;
    };
    std::vector<Candidate> candidates;
    Builder scratch = beam.front();
    while (!std::all_of(beam.begin(), beam.end(), [](const Builder& builder) { return builder.Done(); })) {
        candidates.clear();
        for (int parent = 0; parent < int(beam.size()); ++parent) {
            Builder& builder = beam[std::size_t(parent)];
            if (builder.Done()) {
                candidates.push_back(Candidate{builder.Score(), builder.Hash(), parent, std::nullopt});
                continue;
            }
            if (effort.width == 1) {
                const auto cheapest = builder.Cheapest();
                if (!cheapest)
                    return false;
                builder.Place(*cheapest);
                candidates.push_back(Candidate{builder.Score(), builder.Hash(), parent, std::nullopt});
                continue;
            }
            for (Placement& placement : builder.Choices(effort.ways)) {
                scratch = builder;
                scratch.Place(placement);
                candidates.push_back(Candidate{scratch.Score(), scratch.Hash(), parent, std::move(placement)});
            }
        }
        if (candidates.empty())
            return false;
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.score < b.score; });
        std::vector<const Candidate*> kept;
        for (const Candidate& candidate : candidates) {
            if (int(kept.size()) == std::max(effort.width, 1))
                break;
            const bool seen = effort.width > 1 && std::any_of(kept.begin(), kept.end(), [&](const Candidate* other) {
                return other->hash == candidate.hash;
            });
            if (!seen)
                kept.push_back(&candidate);
        }
        std::vector<Builder> next;
        next.reserve(kept.size());
        for (const Candidate* candidate : kept) {
            next.push_back(beam[std::size_t(candidate->parent)]);
            if (candidate->placement)
                next.back().Place(*candidate->placement);
        }
        beam = std::move(next);
    }
    for (Builder& builder : beam)
        builder.Finish();
    std::stable_sort(beam.begin(), beam.end(),
                     [](const Builder& a, const Builder& b) { return a.plan.size() < b.plan.size(); });
    return true;
}

// What the pieces of the cheapest-looking next line of a partial solution
// need at least, each alone (nothing once only the rings are left).
int NextEstimate(const Builder& builder, int lean)
{
    const Board& board = builder.board;
    const auto column = NextIsColumn(builder.rows, builder.columns, board.rows, board.columns, lean, false);
    if (!column || builder.rows + builder.columns >= board.rows + board.columns - 2)
        return 0;
    int cheapest = INT_MAX;
    Builder probe = builder;
    for (int which = 0; probe.StartLine(*column ? Axis::Column : Axis::Row, which); ++which)
        cheapest = std::min(cheapest, probe.Score() - int(builder.plan.size()));
    return cheapest == INT_MAX ? 0 : cheapest;
}

// The next line put home as whichever of the free lines costs least: the
// `choices` whose pieces look cheapest to put in from the best partial
// solution (by the slides each piece needs at least, alone), and where
// the free rows and columns are even, of either axis. The partial
// solutions of each, the best `width` of them kept.
bool ExtendAnyWay(std::vector<Builder>& beam, const BlockSolver::Effort& effort, int lean)
{
    if (effort.choices <= 1 && !effort.eitherAxis)
        return Extend(beam, effort, lean, false, 0);
    std::vector<Builder> all;
    const Builder& front = beam.front();
    for (const bool otherAxis : {false, true}) {
        if (otherAxis && !effort.eitherAxis)
            continue;
        const auto column = NextIsColumn(front.rows, front.columns, front.board.rows, front.board.columns, lean, otherAxis);
        if (!column)
            continue;
        std::vector<std::pair<int, int>> options{{0, 0}};
        if (effort.choices > 1) {
            options.clear();
            Builder probe = front;
            for (int which = 0; probe.StartLine(*column ? Axis::Column : Axis::Row, which); ++which)
                options.emplace_back(probe.Score(), which);
            std::stable_sort(options.begin(), options.end());
            options.resize(std::min(options.size(), std::size_t(effort.choices)));
        }
        for (const auto& [estimate, which] : options) {
            std::vector<Builder> some = beam;
            if (Extend(some, effort, lean, otherAxis, which))
                std::move(some.begin(), some.end(), std::back_inserter(all));
        }
    }
    if (all.empty())
        return false;
    if (effort.lookAhead) {
        // Of partial solutions as long, those whose next line looks
        // cheapest first.
        std::vector<std::pair<std::pair<std::size_t, int>, std::size_t>> order;
        for (std::size_t i = 0; i < all.size(); ++i)
            order.push_back({{all[i].plan.size(), NextEstimate(all[i], lean)}, i});
        std::stable_sort(order.begin(), order.end());
        std::vector<Builder> sorted;
        sorted.reserve(all.size());
        for (const auto& [key, i] : order)
            sorted.push_back(std::move(all[i]));
        all = std::move(sorted);
    } else {
        std::stable_sort(all.begin(), all.end(),
                         [](const Builder& a, const Builder& b) { return a.plan.size() < b.plan.size(); });
    }
    beam.clear();
    for (Builder& builder : all) {
        if (int(beam.size()) == std::max(effort.width, 1))
            break;
        const bool seen = std::any_of(beam.begin(), beam.end(),
                                      [&](const Builder& kept) { return kept.board.piece == builder.board.piece; });
        if (!seen)
            beam.push_back(std::move(builder));
    }
    return true;
}

// Moves the board round the torus so that the cell (top, left) comes to
// the top left corner, pieces relabelled with their homes.
Board Moved(const Board& board, int top, int left)
{
    const auto shift = [&](int cell) {
        const int r = (cell / board.columns - top + board.rows) % board.rows;
        const int c = (cell % board.columns - left + board.columns) % board.columns;
        return r * board.columns + c;
    };
    Board moved = board;
    for (int cell = 0; cell < board.rows * board.columns; ++cell) {
        const int c = shift(cell);
        const int p = shift(board.piece[std::size_t(cell)]);
        moved.piece[std::size_t(c)] = Board::Cell(p);
        moved.cell[std::size_t(p)] = Board::Cell(c);
    }
    return moved;
}

// What is left of an image once its block is grown: the board and the
// plan so far, and the rows and columns outside the block (one bit each).
struct Grown {
    Board board;
    std::vector<Slide> plan;
    std::uint32_t freeRows = 0;
    std::uint32_t freeColumns = 0;
};

// Grows the block to all but one row and one column, or with `endLines`
// all but two of each. `lean` weighs the free columns against the free
// rows (2: a column while there are twice as many, -2: while half as
// many), which suits grids far from square. Where the block cannot leave
// two rows and two columns (a grid far from square, or too small), it
// grows to the rings.
bool BuildBlock(Grown& grown, int lean, const BlockSolver::Effort& effort, bool endLines)
{
    const int gridRows = grown.board.rows;
    const int gridColumns = grown.board.columns;
    std::vector<Builder> beam{Builder(grown.board)};
    if (!Extend(beam, effort, lean, false, 0))
        return false;
    for (Builder& builder : beam) {
        builder.columns = 1;
        builder.columnsIn = 1;
    }
    const int rings = gridRows + gridColumns - 2;
    for (int lines = 2; lines < rings; ++lines) {
        const Builder& front = beam.front();
        if (endLines && front.rows == gridRows - 2 && front.columns == gridColumns - 2)
            break;
        if (!ExtendAnyWay(beam, effort, lean))
            return false;
    }
    const Builder& best = beam.front();
    grown.board = best.board;
    grown.plan = best.plan;
    grown.freeRows = ~best.rowsIn & ((1u << gridRows) - 1);
    grown.freeColumns = ~best.columnsIn & ((1u << gridColumns) - 1);
    return true;
}

// The rings of a grown block: solved on the board moved round so that the
// free row and column are the last, their slides moved back.
bool SolveRings(Grown& grown, const std::stop_token& stop)
{
    const int top = (std::countr_zero(grown.freeRows) + 1) % grown.board.rows;
    const int left = (std::countr_zero(grown.freeColumns) + 1) % grown.board.columns;
    Board moved = Moved(grown.board, top, left);
    std::vector<Slide> rings;
    if (!RingSolver::Solve(moved, rings, stop))
        return false;
    for (Slide slide : rings) {
        const bool row = slide.axis == Axis::Row;
        const int lines = row ? grown.board.rows : grown.board.columns;
        slide.line = std::int8_t((slide.line + (row ? top : left)) % lines);
        grown.board.Apply(slide);
        AppendMerged(grown.plan, slide, grown.board.rows, grown.board.columns);
    }
    return grown.board.IsSolved();
}

// The last rows and columns of a grown block, by the rings or, with two
// of each, together.
bool SolveEnd(Grown& grown, const BlockSolver::Effort& effort, const std::stop_token& stop)
{
    if (std::popcount(grown.freeRows) == 1 && std::popcount(grown.freeColumns) == 1)
        return SolveRings(grown, stop);
    return LinesSolver::Solve(grown.board, grown.freeRows, grown.freeColumns, grown.plan, stop, effort.endWidth,
                              effort.endAnchors);
}

// One image of the position: the pieces relabelled by a symmetry of the
// board (flipped, moved round, rows and columns exchanged), possibly of
// its inverse. Its plans, mapped back, are plans of the position.
struct Image {
    bool inverse = false;
    bool flipRows = false;
    bool flipColumns = false;
    int down = 0;
    int right = 0;
    bool transpose = false;
    // How the block grows (see BuildBlock).
    int lean = 1;

    int Cell(int cell, int rows, int columns) const
    {
        int r = cell / columns;
        int c = cell % columns;
        if (flipRows)
            r = rows - 1 - r;
        if (flipColumns)
            c = columns - 1 - c;
        r = (r + down) % rows;
        c = (c + right) % columns;
        return transpose ? c * rows + r : r * columns + c;
    }

    Position Of(const Position& original) const
    {
        const Position p = inverse ? original.Inverse() : original;
        const int rows = p.Rows();
        const int columns = p.Columns();
        std::vector<int> homes(std::size_t(p.CellCount()));
        for (int cell = 0; cell < p.CellCount(); ++cell)
            homes[std::size_t(Cell(cell, rows, columns))] = Cell(p.Home(cell), rows, columns);
        return transpose ? *Position::FromHomes(columns, rows, homes) : *Position::FromHomes(rows, columns, homes);
    }

    // The plan of the image as a plan of the original (of `rows` x `columns`).
    std::vector<Slide> Back(const std::vector<Slide>& slides, int rows, int columns) const
    {
        std::vector<Slide> out;
        for (Slide s : slides) {
            if (transpose)
                s = Transposed(s);
            if (s.axis == Axis::Row) {
                s.line = std::int8_t((s.line - down + rows) % rows);
                if (flipRows)
                    s.line = std::int8_t(rows - 1 - s.line);
                if (flipColumns)
                    s.amount = std::int8_t(NormalisedAmount(-s.amount, columns));
            } else {
                s.line = std::int8_t((s.line - right + columns) % columns);
                if (flipColumns)
                    s.line = std::int8_t(columns - 1 - s.line);
                if (flipRows)
                    s.amount = std::int8_t(NormalisedAmount(-s.amount, rows));
            }
            out.push_back(s);
        }
        if (inverse) {
            std::reverse(out.begin(), out.end());
            for (Slide& s : out)
                s = InverseSlide(s, s.axis == Axis::Row ? columns : rows);
        }
        return out;
    }
};

// The images in a fixed order: the position itself first, then a fixed
// shuffle of all the others.
std::vector<Image> Images(int rows, int columns, int count)
{
    const int total = 2 * 2 * 4 * rows * columns;
    std::vector<int> order(std::size_t(total - 1));
    std::iota(order.begin(), order.end(), 1);
    std::mt19937 random(20250101u + unsigned(rows * 17 + columns));
    std::shuffle(order.begin(), order.end(), random);
    order.insert(order.begin(), 0);
    std::vector<Image> images;
    for (int i = 0; i < std::min(count, total); ++i) {
        int k = order[std::size_t(i)];
        Image image;
        image.inverse = k % 2 != 0;
        k /= 2;
        image.transpose = k % 2 != 0;
        k /= 2;
        image.flipRows = k % 2 != 0;
        k /= 2;
        image.flipColumns = k % 2 != 0;
        k /= 2;
        image.down = k % rows;
        image.right = k / rows;
        // On a grid far from square, a third of the images grow the block
        // leaning each way.
        if (std::max(rows, columns) >= 2 * std::min(rows, columns))
            image.lean = (i % 3 == 0 ? 1 : i % 3 == 1 ? 2 : -2);
        images.push_back(image);
    }
    return images;
}

} // namespace

BlockSolver::Effort BlockSolver::EffortFor(int rows, int columns)
{
    // Measured on the benchmark's sets: a beam of a few partial solutions
    // shortens plans more than more images at the same time (8 x 8: 95.6
    // slides in 140 ms with 64 images and eight partial solutions, 97.0 in
    // 118 ms with 128 images and four, 100.2 in 15 ms with 128 images and
    // none). Letting each line go on either side of the block, and where
    // even be a row or a column, shortened them more again (8 x 8 to 87.5,
    // 10 x 10 to 151.7, 16 x 16 to 423.5 at these times); letting it be any
    // free line, more again, and most where all are tried: on 16 x 16, two
    // images trying every free line did better than six trying two. The
    // last two rows and columns solved together cost some 1.2 slides a
    // piece where the block's last lines cost 1.7 and the rings 1.1, and
    // the wider their beam the shorter (16 x 16, one try: 84.8 slides with
    // 300 partial solutions, 73.0 with 1,000), which the windows of the
    // plan no longer repay. Ranking partial solutions by the turns their
    // line's pieces wait for, shared, rather than a turn for each piece
    // alone, shortened plans again (8 x 8 by a slide, 10 x 10 by two,
    // 16 x 16 by four, 20 x 20 by eleven), and with it ranking the beam's
    // ties by the next line pays on every grid.
    const int cells = rows * columns;
    if (cells <= 36)
        return Effort{VariantsFor(rows, columns), 4, 4};
    if (cells <= 64)
        return Effort{6, 24, 2, 3, true, 0, 300, 1, true};
    if (cells <= 100)
        return Effort{3, 16, 4, 3, true, 0, 600, 1, true};
    if (cells <= 256)
        return Effort{2, 24, 2, 16, true, 0, 1000, 2, true};
    // Beyond 16 x 16, a narrower beam, to stay well within three seconds.
    return Effort{2, 12, 2, 20, true, 0, 800, 1, true};
}

int BlockSolver::VariantsFor(int rows, int columns)
{
    // The block costs a small part of the rings' time: many images, of
    // which only the best few go on to the rings.
    return rows * columns <= 100 ? 128 : 64;
}

std::optional<std::vector<Slide>> BlockSolver::Solve(const Position& position, const Effort& effort, std::stop_token stop)
{
    const int rows = position.Rows();
    const int columns = position.Columns();
    if (rows < 2 || columns < 2 || rows > kMaxSide || columns > kMaxSide || !position.IsSolvable())
        return std::nullopt;
    struct Attempt {
        Image image;
        Grown grown;
    };
    std::vector<Attempt> attempts;
    for (const Image& image : Images(rows, columns, std::max(effort.variants, 1))) {
        if (stop.stop_requested())
            return std::nullopt;
        Attempt attempt{image, Grown{Board::Of(image.Of(position)), {}}};
        if (BuildBlock(attempt.grown, image.lean, effort, effort.endWidth > 0))
            attempts.push_back(std::move(attempt));
    }
    std::stable_sort(attempts.begin(), attempts.end(), [](const Attempt& a, const Attempt& b) {
        return a.grown.plan.size() < b.grown.plan.size();
    });
    std::optional<std::vector<Slide>> best;
    for (std::size_t i = 0; i < attempts.size() && i < std::size_t(kEndsTried); ++i) {
        Grown& grown = attempts[i].grown;
        if (best && grown.plan.size() >= best->size())
            break;
        if (!SolveEnd(grown, effort, stop)) {
            if (stop.stop_requested())
                return std::nullopt;
            continue;
        }
        if (best && grown.plan.size() >= best->size())
            continue;
        std::vector<Slide> back = attempts[i].image.Back(grown.plan, rows, columns);
        std::vector<Slide> merged;
        for (const Slide& slide : back)
            AppendMerged(merged, slide, rows, columns);
        best = std::move(merged);
    }
    // Should the beam over the last two rows and columns find nothing on
    // every image, the rings, which always finish, take over.
    if (!best && effort.endWidth > 0 && !stop.stop_requested()) {
        Effort rings = effort;
        rings.endWidth = 0;
        return Solve(position, rings, std::move(stop));
    }
    if (best && effort.window >= 3)
        best = ShortenWindows(Board::Of(position), std::move(*best), effort.window, stop);
    return best;
}

} // namespace tesselo::solver
