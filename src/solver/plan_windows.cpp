#include "solver/plan_windows.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>

namespace tesselo::solver {

namespace {

// A window that moves more lines than this is cut short: the states to
// search grow with the lines' slides to the power of the depth, and the
// windows that were shortened on the benchmark's sets moved no more.
constexpr int kMostLines = 4;

// The lines a window moves and their cells: a state is the pieces on those
// cells, in the order of `cells`.
class Window {
public:
    Window(const Board& board, const std::vector<Slide>& slides)
    {
        for (const Slide& slide : slides) {
            const int key = Key(slide.axis, slide.line);
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                keys.push_back(key);
        }
        std::sort(keys.begin(), keys.end());
        std::vector<int> index(std::size_t(board.rows * board.columns), -1);
        for (const int key : keys) {
            const Axis axis = Axis(key / 256);
            const int line = key % 256;
            std::vector<int> at;
            for (int i = 0; i < board.Length(axis); ++i) {
                const int cell = board.At(axis, line, i);
                if (index[std::size_t(cell)] < 0) {
                    index[std::size_t(cell)] = int(cells.size());
                    cells.push_back(cell);
                }
                at.push_back(index[std::size_t(cell)]);
            }
            lineCells.push_back(std::move(at));
        }
    }

    int Size() const { return int(cells.size()); }
    int Lines() const { return int(keys.size()); }
    Slide Move(int line, int amount) const
    {
        return Slide{Axis(keys[std::size_t(line)] / 256), std::int8_t(keys[std::size_t(line)] % 256),
                     std::int8_t(amount)};
    }
    int Length(int line) const { return int(lineCells[std::size_t(line)].size()); }
    // Parallel lines commute: the same axis.
    bool Parallel(int a, int b) const { return keys[std::size_t(a)] / 256 == keys[std::size_t(b)] / 256; }

    void Read(const Board& from, std::uint16_t* state) const
    {
        for (std::size_t i = 0; i < cells.size(); ++i)
            state[i] = from.piece[std::size_t(cells[i])];
    }
    void Apply(const std::uint16_t* from, std::uint16_t* to, int line, int amount) const
    {
        std::copy(from, from + cells.size(), to);
        const std::vector<int>& at = lineCells[std::size_t(line)];
        const int n = int(at.size());
        for (int i = 0; i < n; ++i)
            to[at[std::size_t((i + amount % n + n) % n)]] = from[at[std::size_t(i)]];
    }
    std::uint64_t Hash(const std::uint16_t* state) const
    {
        std::uint64_t h = 0xcbf29ce484222325ull;
        for (std::size_t i = 0; i < cells.size(); ++i)
            h = (h ^ state[i]) * 0x100000001b3ull;
        return h;
    }

private:
    static int Key(Axis axis, int line) { return int(axis) * 256 + line; }
    std::vector<int> keys;
    std::vector<int> cells;
    std::vector<std::vector<int>> lineCells;
};

// The states reached from one end, breadth first, each once.
struct Tree {
    struct Node {
        int parent = -1;
        int line = -1;
        int amount = 0;
        int depth = 0;
    };
    std::vector<Node> nodes;
    std::vector<std::uint16_t> states;
    std::unordered_map<std::uint64_t, int> seen;

    const std::uint16_t* State(int node, int size) const { return states.data() + std::size_t(node) * std::size_t(size); }

    void Grow(const Window& w, const std::uint16_t* root, int depth)
    {
        const int size = w.Size();
        nodes.assign(1, Node{});
        states.assign(root, root + size);
        seen.clear();
        seen.emplace(w.Hash(root), 0);
        std::vector<std::uint16_t> next(static_cast<std::size_t>(size));
        for (int begin = 0, end = 1, d = 1; d <= depth; ++d) {
            for (int n = begin; n < end; ++n) {
                const Node node = nodes[std::size_t(n)];
                for (int line = 0; line < w.Lines(); ++line) {
                    // Two slides of one line running are one; of two
                    // parallel lines, only in one order.
                    if (node.line >= 0 && (line == node.line || (w.Parallel(line, node.line) && line < node.line)))
                        continue;
                    const int length = w.Length(line);
                    for (int amount = -(length - 1) / 2; amount <= length / 2; ++amount) {
                        if (amount == 0)
                            continue;
                        w.Apply(State(n, size), next.data(), line, amount);
                        if (!seen.emplace(w.Hash(next.data()), int(nodes.size())).second)
                            continue;
                        nodes.push_back(Node{n, line, amount, d});
                        states.insert(states.end(), next.begin(), next.end());
                    }
                }
            }
            begin = end;
            end = int(nodes.size());
        }
    }

    // The slides from the root to `node`.
    std::vector<std::pair<int, int>> Path(int node) const
    {
        std::vector<std::pair<int, int>> path;
        for (; nodes[std::size_t(node)].parent >= 0; node = nodes[std::size_t(node)].parent)
            path.emplace_back(nodes[std::size_t(node)].line, nodes[std::size_t(node)].amount);
        std::reverse(path.begin(), path.end());
        return path;
    }
};

// A way of fewer than `slides.size()` slides from `before` over the lines
// `slides` moves, or nothing.
std::optional<std::vector<Slide>> Shorter(const Board& before, const std::vector<Slide>& slides, Tree& forward,
                                          Tree& backward)
{
    const Window w(before, slides);
    const int size = w.Size();
    std::vector<std::uint16_t> from(static_cast<std::size_t>(size));
    std::vector<std::uint16_t> to(static_cast<std::size_t>(size));
    w.Read(before, from.data());
    Board after = before;
    for (const Slide& slide : slides)
        after.Apply(slide);
    w.Read(after, to.data());
    const int most = int(slides.size()) - 1;
    forward.Grow(w, from.data(), (most + 1) / 2);
    backward.Grow(w, to.data(), most / 2);
    std::optional<std::vector<Slide>> best;
    std::vector<std::uint16_t> check(static_cast<std::size_t>(size));
    std::vector<std::uint16_t> scratch(static_cast<std::size_t>(size));
    for (int b = 0; b < int(backward.nodes.size()); ++b) {
        const auto it = forward.seen.find(w.Hash(backward.State(b, size)));
        if (it == forward.seen.end())
            continue;
        const int length = forward.nodes[std::size_t(it->second)].depth + backward.nodes[std::size_t(b)].depth;
        if (length > most || (best && int(best->size()) <= length))
            continue;
        // Forward to the meeting state, then the backward path undone.
        std::vector<Slide> way;
        for (const auto& [line, amount] : forward.Path(it->second))
            way.push_back(w.Move(line, amount));
        const auto back = backward.Path(b);
        for (auto step = back.rbegin(); step != back.rend(); ++step)
            way.push_back(w.Move(step->first, NormalisedAmount(-step->second, w.Length(step->first))));
        // The hashes met: the states must too.
        check = from;
        for (const Slide& slide : way) {
            int line = 0;
            while (!(w.Move(line, 0).axis == slide.axis && w.Move(line, 0).line == slide.line))
                ++line;
            w.Apply(check.data(), scratch.data(), line, slide.amount);
            check.swap(scratch);
        }
        if (check == to)
            best = std::move(way);
    }
    return best;
}

int Lines(const std::vector<Slide>& plan, std::size_t begin, std::size_t end)
{
    std::vector<int> keys;
    for (std::size_t i = begin; i < end; ++i) {
        const int key = int(plan[i].axis) * 256 + plan[i].line;
        if (std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    }
    return int(keys.size());
}

std::vector<Slide> Merged(const std::vector<Slide>& plan, int rows, int columns)
{
    std::vector<Slide> merged;
    for (const Slide& slide : plan)
        AppendMerged(merged, slide, rows, columns);
    return merged;
}

} // namespace

std::vector<Slide> ShortenWindows(const Board& start, std::vector<Slide> plan, int longest, std::stop_token stop)
{
    longest = std::clamp(longest, 3, 6);
    plan = Merged(plan, start.rows, start.columns);
    Tree forward;
    Tree backward;
    Board before = start;
    for (std::size_t i = 0; i + 2 < plan.size();) {
        if (stop.stop_requested())
            break;
        std::size_t end = std::min(plan.size(), i + std::size_t(longest));
        while (end - i > 3 && Lines(plan, i, end) > kMostLines)
            --end;
        const std::vector<Slide> slides(plan.begin() + std::ptrdiff_t(i), plan.begin() + std::ptrdiff_t(end));
        if (auto shorter = Shorter(before, slides, forward, backward)) {
            std::vector<Slide> next(plan.begin(), plan.begin() + std::ptrdiff_t(i));
            next.insert(next.end(), shorter->begin(), shorter->end());
            next.insert(next.end(), plan.begin() + std::ptrdiff_t(end), plan.end());
            plan = Merged(next, start.rows, start.columns);
            // Merging may reach back; the windows before this one are
            // looked at again.
            i = i > std::size_t(longest) ? i - std::size_t(longest) : 0;
            before = start;
            for (std::size_t k = 0; k < i; ++k)
                before.Apply(plan[k]);
            continue;
        }
        before.Apply(plan[i]);
        ++i;
    }
    return plan;
}

} // namespace tesselo::solver
