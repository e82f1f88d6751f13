#include "solver/sequence_filter.h"

#include "positions/per_grid.h"
#include "positions/position.h"

#include <algorithm>
#include <array>
#include <deque>
#include <numeric>
#include <unordered_set>

namespace tesselo::solver {

namespace {

// A sequence of slides packed six bits a slide, the first slide highest, so
// that sequences of one length sort as their slides do. Grids of up to 36
// cells have at most 60 slides, and no identity worth the search is longer
// than ten.
constexpr int kSlideBits = 6;
constexpr int kMostSlides = 10;

// Where the sequences of up to five slides end, a few megabytes of them
// at most for any grid: enough for the identities that cost a search most.
constexpr int kGameLongest = 5;
constexpr std::size_t kGameBudget = 2'000'000;

using Homes = std::array<std::uint8_t, CompactPosition::kMaxCells>;

// An arrangement of up to 25 cells, five bits a cell.
constexpr int kPackedCells = 25;
struct Key {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    std::size_t operator()(const Key& key) const
    {
        std::uint64_t h = (key.low ^ (key.high * 0x9E3779B97F4A7C15ull)) * 0xC2B2AE3D27D4EB4Full;
        return std::size_t(h ^ (h >> 29));
    }
};

Key Pack(const Homes& homes, int cells)
{
    Key key;
    // A larger grid is never filtered (the constructor looks no further),
    // and its cells would not fit the key's 128 bits.
    for (int cell = 0; cell < std::min(cells, kPackedCells); ++cell) {
        const int bit = 5 * cell;
        const std::uint64_t home = homes[std::size_t(cell)];
        if (bit >= 64) {
            key.high |= home << (bit - 64);
            continue;
        }
        key.low |= home << bit;
        if (bit + 5 > 64)
            key.high |= home >> (64 - bit);
    }
    return key;
}

} // namespace

SequenceFilter::SequenceFilter(const SlideSet& slides, int longestWanted, std::size_t budget) : moves(slides.Count())
{
    const int cells = slides.Rows() * slides.Columns();
    longestWanted = std::min(longestWanted, kMostSlides);
    if (cells > kPackedCells || moves >= (1 << kSlideBits))
        longestWanted = 0;

    // Every sequence kept so far ends somewhere no earlier one does; a
    // longer one is looked at only if its last slides, one fewer, were
    // kept too (else it holds a redundant stretch, refused already).
    struct Sequence {
        std::uint64_t slides = 0;
        Homes homes{};
    };
    Sequence empty;
    std::iota(empty.homes.begin(), empty.homes.begin() + cells, std::uint8_t(0));
    std::unordered_set<Key, KeyHash> seen{Pack(empty.homes, cells)};
    std::vector<Sequence> level{empty};
    std::vector<std::uint64_t> kept{0};
    std::vector<std::pair<std::uint64_t, int>> redundant;
    for (int length = 1; length <= longestWanted && level.size() * std::size_t(moves) <= budget; ++length) {
        const std::uint64_t lastSlides = (std::uint64_t(1) << (kSlideBits * (length - 1))) - 1;
        std::vector<Sequence> following;
        for (const Sequence& sequence : level)
            for (int m = 0; m < moves; ++m) {
                const std::uint64_t longer = sequence.slides << kSlideBits | std::uint64_t(m);
                if (length > 1 && !std::binary_search(kept.begin(), kept.end(), longer & lastSlides))
                    continue;
                Sequence next{longer, sequence.homes};
                const SlideSet::CellMap& to = slides.Destination(m);
                for (std::uint64_t line = slides.LineCells(m); line != 0; line &= line - 1) {
                    const int from = std::countr_zero(line);
                    next.homes[to[std::size_t(from)]] = sequence.homes[std::size_t(from)];
                }
                if (seen.insert(Pack(next.homes, cells)).second)
                    following.push_back(next);
                else
                    redundant.emplace_back(longer, length);
            }
        // Made in order from a level in order: sorted already.
        level = std::move(following);
        kept.clear();
        for (const Sequence& sequence : level)
            kept.push_back(sequence.slides);
        longest = length;
    }
    if (longestWanted == 0) {
        for (int a = 0; a < moves; ++a)
            for (int b = 0; b < moves; ++b)
                if (!slides.MayFollow(a, b))
                    redundant.emplace_back(std::uint64_t(a) << kSlideBits | std::uint64_t(b), 2);
        longest = 2;
    }

    // The automaton: a trie of the redundant sequences, each state standing
    // for the longest end of the slides so far that begins one of them.
    std::vector<std::int32_t> child(std::size_t(moves), -1);
    std::vector<char> refused(1, 0);
    for (const auto& [sequence, length] : redundant) {
        std::size_t state = 0;
        for (int i = length - 1; i >= 0; --i) {
            const auto m = std::size_t(sequence >> (kSlideBits * i) & ((1u << kSlideBits) - 1));
            if (child[state * std::size_t(moves) + m] < 0) {
                child[state * std::size_t(moves) + m] = std::int32_t(refused.size());
                refused.push_back(0);
                child.resize(child.size() + std::size_t(moves), -1);
            }
            state = std::size_t(child[state * std::size_t(moves) + m]);
        }
        refused[state] = 1;
    }
    // Breadth first, so that each state's fallback (the longest proper
    // end of it that is a state too) is complete before its children's.
    next.assign(child.size(), 0);
    std::vector<std::int32_t> fallback(refused.size(), 0);
    std::deque<std::int32_t> queue;
    for (int m = 0; m < moves; ++m) {
        const std::int32_t c = child[std::size_t(m)];
        next[std::size_t(m)] = c >= 0 ? c : 0;
        if (c >= 0)
            queue.push_back(c);
    }
    while (!queue.empty()) {
        const auto state = std::size_t(queue.front());
        queue.pop_front();
        const auto back = std::size_t(fallback[state]);
        refused[state] = char(refused[state] || refused[back]);
        for (int m = 0; m < moves; ++m) {
            const std::size_t at = state * std::size_t(moves) + std::size_t(m);
            const std::int32_t c = child[at];
            const std::int32_t through = next[back * std::size_t(moves) + std::size_t(m)];
            if (c >= 0) {
                fallback[std::size_t(c)] = through;
                queue.push_back(c);
                next[at] = c;
            } else {
                next[at] = through;
            }
        }
    }
    for (std::int32_t& to : next)
        if (refused[std::size_t(to)])
            to = -1;
}

SequenceFilter::SequenceFilter(int rows, int columns)
    : SequenceFilter(SlideSet::For(rows, columns), kGameLongest, kGameBudget)
{
}

const SequenceFilter& SequenceFilter::For(int rows, int columns)
{
    return PerGrid<SequenceFilter>(rows, columns);
}

std::vector<std::uint64_t> SequenceFilter::Sequences(int length) const
{
    // Counted state by state: how many sequences end in each.
    std::vector<std::uint64_t> counts{1};
    std::vector<std::uint64_t> ending(std::size_t(States()), 0);
    ending[kStart] = 1;
    for (int l = 1; l <= length; ++l) {
        std::vector<std::uint64_t> after(ending.size(), 0);
        std::uint64_t total = 0;
        for (std::size_t state = 0; state < ending.size(); ++state) {
            if (ending[state] == 0)
                continue;
            for (int m = 0; m < moves; ++m) {
                const std::int32_t to = Next(int(state), m);
                if (to < 0)
                    continue;
                after[std::size_t(to)] += ending[state];
                total += ending[state];
            }
        }
        ending = std::move(after);
        counts.push_back(total);
    }
    return counts;
}

} // namespace tesselo::solver
