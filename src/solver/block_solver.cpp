#include "solver/block_solver.h"

#include "positions/board.h"
#include "solver/ring_solver.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <random>

namespace tesselo::solver {

namespace {

// A piece is put in place within this many slides; the worst case (a
// piece already on the line, out of order and beside the block) takes four.
constexpr int kMaxPlacement = 8;
// Of the images solved up to the rings, this many of the shortest go on
// to them: the rings take longer than the block and vary less.
constexpr int kRingsTried = 4;

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

    // Begins to put home the first `count` cells of `line`, the block of
    // blockRows x blockColumns home and left so.
    void Begin(Axis lineAxis, int lineIndex, int lineCount, int blockRows, int blockColumns)
    {
        axis = lineAxis;
        line = lineIndex;
        count = lineCount;
        rows = blockRows;
        columns = blockColumns;
        length = board.Length(axis);
        placed.fill(false);
        placedCount = 0;
        anchor = 0;
        SettleFree();
        Estimate();
    }
    bool Done() const { return placedCount == count; }
    // The slides so far and what each piece of the line still out of place
    // needs at least, alone (Bound): what a beam ranks partial solutions
    // by, which prefers those whose next pieces are a slide away.
    int Score() const { return int(plan.size()) + estimate; }

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
            anchor = (IndexOn(board.cell[std::size_t(PieceOf(placement.index))]) - placement.index + length) % length;
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
    }

    Board board;
    std::vector<Slide> plan;

private:
    int PieceOf(int index) const { return board.At(axis, line, index); }
    bool OnLine(int cell) const { return axis == Axis::Row ? cell / board.columns == line : cell % board.columns == line; }
    // How far along the line the cell is, or where its crossing line meets it.
    int IndexOn(int cell) const { return axis == Axis::Row ? cell % board.columns : cell / board.columns; }
    bool Free(Axis lineAxis, int index) const { return lineAxis == Axis::Row ? index >= rows : index >= columns; }
    // A crossing line may not carry a piece placed on the line away.
    bool Blocked(int crossing, int at) const
    {
        if (placedCount == 0)
            return false;
        const int rel = (crossing - at + length) % length;
        return rel < count && placed[std::size_t(rel)];
    }

    void Play(const Slide& slide)
    {
        board.Apply(slide);
        AppendMerged(plan, slide, board.rows, board.columns);
        if (slide.axis == axis && slide.line == line)
            anchor = ((anchor + slide.amount) % length + length) % length;
    }

    // The sum of what each piece still out of place needs alone, at least
    // one slide.
    void Estimate()
    {
        estimate = 0;
        last = false;
        for (int i = 0; i < count; ++i)
            if (!placed[std::size_t(i)])
                estimate += std::max(1, BoundFor(board.cell[std::size_t(PieceOf(i))], anchor, i));
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
                anchor = (IndexOn(cell) - i + length) % length;
            if (IndexOn(cell) == (anchor + i) % length) {
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
        const int slot = (at + target) % length;
        const int index = IndexOn(cell);
        const auto turned = [&](int settled) { return last && settled != 0 ? 1 : 0; };
        if (OnLine(cell)) {
            if (placedCount > 0 && index != slot)
                return 3;
            return turned(placedCount > 0 ? at : (index - target + length) % length);
        }
        if (Free(Other(axis), index) && (placedCount == 0 || index == slot))
            return 1 + turned(placedCount > 0 ? at : (index - target + length) % length);
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
    int rows = 0;
    int columns = 0;
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

// Puts home one line of every partial solution of `beam`, keeping the
// `width` best after each piece (each position once).
bool Extend(std::vector<Builder>& beam, const BlockSolver::Effort& effort, Axis axis, int line, int count, int rows,
            int columns)
{
    for (Builder& builder : beam)
        builder.Begin(axis, line, count, rows, columns);
    while (!std::all_of(beam.begin(), beam.end(), [](const Builder& builder) { return builder.Done(); })) {
        std::vector<Builder> next;
        for (Builder& builder : beam) {
            if (builder.Done()) {
                next.push_back(std::move(builder));
                continue;
            }
            if (effort.width == 1) {
                const auto cheapest = builder.Cheapest();
                if (!cheapest)
                    return false;
                builder.Place(*cheapest);
                next.push_back(std::move(builder));
                continue;
            }
            for (const Placement& placement : builder.Choices(effort.ways)) {
                next.push_back(builder);
                next.back().Place(placement);
            }
        }
        if (next.empty())
            return false;
        std::stable_sort(next.begin(), next.end(), [](const Builder& a, const Builder& b) { return a.Score() < b.Score(); });
        beam.clear();
        for (Builder& builder : next) {
            if (int(beam.size()) == effort.width)
                break;
            const bool seen = std::any_of(beam.begin(), beam.end(),
                                          [&](const Builder& kept) { return kept.board.piece == builder.board.piece; });
            if (!seen)
                beam.push_back(std::move(builder));
        }
    }
    for (Builder& builder : beam)
        builder.Finish();
    std::stable_sort(beam.begin(), beam.end(),
                     [](const Builder& a, const Builder& b) { return a.plan.size() < b.plan.size(); });
    return true;
}

// Grows the block to all but the last row and column. `lean` weighs the
// free columns against the free rows (2: a column while there are twice as
// many, -2: while half as many), which suits grids far from square.
bool BuildBlock(Board& board, std::vector<Slide>& plan, int lean, const BlockSolver::Effort& effort)
{
    std::vector<Builder> beam{Builder(board)};
    if (!Extend(beam, effort, Axis::Row, 0, 1, 0, 0))
        return false;
    int a = 1;
    int b = 1;
    while (a < board.rows - 1 || b < board.columns - 1) {
        // A column while the free columns are at least as many as the free rows.
        const int freeColumns = board.columns - b;
        const int freeRows = board.rows - a;
        const bool wide = lean >= 0 ? freeColumns >= lean * freeRows : -lean * freeColumns >= freeRows;
        const bool column = b < board.columns - 1 && (a >= board.rows - 1 || wide);
        if (column ? !Extend(beam, effort, Axis::Column, b, a, a, b) : !Extend(beam, effort, Axis::Row, a, b, a, b))
            return false;
        (column ? b : a) += 1;
    }
    board = beam.front().board;
    plan = std::move(beam.front().plan);
    return true;
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
    // none).
    const int cells = rows * columns;
    if (cells <= 36)
        return Effort{VariantsFor(rows, columns), 4, 4};
    if (cells <= 64)
        return Effort{64, 8, 8};
    if (cells <= 256)
        return Effort{32, 8, 4};
    // Beyond 16 x 16 a plan of 32 images takes close to three seconds on
    // 20 x 20: half of them, for a few slides more.
    return Effort{16, 8, 4};
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
        Board board;
        std::vector<Slide> plan;
    };
    std::vector<Attempt> attempts;
    for (const Image& image : Images(rows, columns, std::max(effort.variants, 1))) {
        if (stop.stop_requested())
            return std::nullopt;
        Attempt attempt{image, Board::Of(image.Of(position)), {}};
        if (BuildBlock(attempt.board, attempt.plan, image.lean, effort))
            attempts.push_back(std::move(attempt));
    }
    std::stable_sort(attempts.begin(), attempts.end(),
                     [](const Attempt& a, const Attempt& b) { return a.plan.size() < b.plan.size(); });
    std::optional<std::vector<Slide>> best;
    for (std::size_t i = 0; i < attempts.size() && i < std::size_t(kRingsTried); ++i) {
        Attempt& attempt = attempts[i];
        if (best && attempt.plan.size() >= best->size())
            break;
        if (!RingSolver::Solve(attempt.board, attempt.plan, stop)) {
            if (stop.stop_requested())
                return std::nullopt;
            continue;
        }
        if (best && attempt.plan.size() >= best->size())
            continue;
        std::vector<Slide> back = attempt.image.Back(attempt.plan, rows, columns);
        std::vector<Slide> merged;
        for (const Slide& slide : back)
            AppendMerged(merged, slide, rows, columns);
        best = std::move(merged);
    }
    return best;
}

} // namespace tesselo::solver
