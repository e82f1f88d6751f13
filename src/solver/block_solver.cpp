#include "solver/block_solver.h"

#include "positions/board.h"
#include "solver/ring_solver.h"

#include <algorithm>
#include <array>
#include <numeric>
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

// Fills the lines of the block one after the other.
class Builder {
public:
    Builder(Board& board, std::vector<Slide>& plan) : board(board), plan(plan) {}

    // Puts home the first `count` cells of `line`, the block of
    // blockRows x blockColumns home and left so. False only if some piece
    // found no way in (which the tests would have met).
    bool Extend(Axis lineAxis, int lineIndex, int lineCount, int blockRows, int blockColumns)
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
        while (placedCount < count) {
            // The piece that goes in with the fewest slides; the line turned
            // home with the last.
            std::vector<Slide> best;
            int bestIndex = -1;
            last = placedCount == count - 1;
            for (int i = 0; i < count; ++i) {
                if (placed[std::size_t(i)])
                    continue;
                std::vector<Slide> way;
                if (!Shortest(i, bestIndex < 0 ? kMaxPlacement : int(best.size()) - 1, way))
                    continue;
                best = std::move(way);
                bestIndex = i;
                if (best.size() <= 1)
                    break;
            }
            if (bestIndex < 0)
                return false;
            for (const Slide& slide : best)
                Play(slide);
            if (placedCount == 0)
                anchor = (IndexOn(board.cell[std::size_t(PieceOf(bestIndex))]) - bestIndex + length) % length;
            placed[std::size_t(bestIndex)] = true;
            ++placedCount;
            SettleFree();
        }
        if (anchor != 0)
            Play(Slide{axis, std::int8_t(line), std::int8_t(NormalisedAmount(-anchor, length))});
        return true;
    }

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
    int Bound(int cell, int at) const
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

    bool Search(int cell, int at, int depth, int limit, int previous)
    {
        const int bound = Bound(cell, at);
        if (bound == 0)
            return true;
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

    Board& board;
    std::vector<Slide>& plan;
    Axis axis = Axis::Row;
    int line = 0;
    int count = 0;
    int rows = 0;
    int columns = 0;
    int length = 0;
    std::array<bool, 16> placed{};
    int placedCount = 0;
    // The placed pieces sit `anchor` cells on from their homes along the line.
    int anchor = 0;
    int target = 0;
    bool last = false;
    std::vector<Slide> way;
};

// Grows the block to all but the last row and column. `lean` weighs the
// free columns against the free rows (2: a column while there are twice as
// many, -2: while half as many), which suits grids far from square.
bool BuildBlock(Board& board, std::vector<Slide>& plan, int lean)
{
    Builder builder(board, plan);
    if (!builder.Extend(Axis::Row, 0, 1, 0, 0))
        return false;
    int a = 1;
    int b = 1;
    while (a < board.rows - 1 || b < board.columns - 1) {
        // A column while the free columns are at least as many as the free rows.
        const int freeColumns = board.columns - b;
        const int freeRows = board.rows - a;
        const bool wide = lean >= 0 ? freeColumns >= lean * freeRows : -lean * freeColumns >= freeRows;
        const bool column = b < board.columns - 1 && (a >= board.rows - 1 || wide);
        if (column ? !builder.Extend(Axis::Column, b, a, a, b) : !builder.Extend(Axis::Row, a, b, a, b))
            return false;
        (column ? b : a) += 1;
    }
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

int BlockSolver::VariantsFor(int rows, int columns)
{
    // The block costs a small part of the rings' time: many images, of
    // which only the best few go on to the rings.
    return rows * columns <= 100 ? 128 : 64;
}

std::optional<std::vector<Slide>> BlockSolver::Solve(const Position& position, int variants, std::stop_token stop)
{
    const int rows = position.Rows();
    const int columns = position.Columns();
    if (rows < 2 || columns < 2 || rows > 16 || columns > 16 || !position.IsSolvable())
        return std::nullopt;
    struct Attempt {
        Image image;
        Board board;
        std::vector<Slide> plan;
    };
    std::vector<Attempt> attempts;
    for (const Image& image : Images(rows, columns, std::max(variants, 1))) {
        if (stop.stop_requested())
            return std::nullopt;
        Attempt attempt{image, Board::Of(image.Of(position)), {}};
        if (BuildBlock(attempt.board, attempt.plan, image.lean))
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
