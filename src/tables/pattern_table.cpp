#include "tables/pattern_table.h"

#include "positions/ranking.h"
#include "positions/slide_set.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace tesselo::solver {

using ranking::RankCombination;
using ranking::RankPermutation;
using ranking::UnrankPermutation;

namespace {

// Orders up to this many pieces are composed through a table of k! x k!
// entries (a megabyte for six); more pieces are recomputed each time.
constexpr int kComposedPieces = 6;

// A step goes backward (each entry not yet reached looks for a neighbour
// on the frontier, and stops at the first) once the entries not yet
// reached are fewer than this many times the frontier: most of them then
// find one among their first few neighbours, where going forward would try
// every slide of every frontier entry.
constexpr std::uint64_t kBackwardRatio = 4;

// The next larger set of the same size, in the order RankCombination counts.
std::uint64_t NextCombination(std::uint64_t members)
{
    const std::uint64_t lowest = members & (~members + 1u);
    const std::uint64_t ripple = members + lowest;
    return ripple | (((ripple ^ members) / lowest) >> 2);
}

} // namespace

PatternTable::PatternTable(Pattern s) : pattern(std::move(s))
{
    const int cells = pattern.rows * pattern.columns;
    freeIndex.assign(std::size_t(CompactPosition::kMaxCells), 0xFF);
    for (int cell = 0; cell < cells; ++cell)
        if (!(pattern.fixedCells >> cell & 1u))
            freeIndex[std::size_t(cell)] = std::uint8_t(freeCount++);
    pieceCount = int(pattern.pieces.size());
    arrangements = std::uint32_t(ranking::Factorial(pieceCount));
    size = std::uint64_t(ranking::Binomial(freeCount, pieceCount)) * arrangements;

    const SlideSet& all = SlideSet::For(pattern.rows, pattern.columns);
    for (int m = 0; m < all.Count(); ++m) {
        if (all.LineCells(m) & pattern.fixedCells)
            continue;
        slides.push_back(m);
        std::array<std::uint8_t, CompactPosition::kMaxCells> to{};
        std::uint64_t line = 0;
        for (int cell = 0; cell < cells; ++cell) {
            const std::uint8_t f = freeIndex[std::size_t(cell)];
            if (f == 0xFF)
                continue;
            to[f] = freeIndex[all.Destination(m)[std::size_t(cell)]];
            if (all.LineCells(m) >> cell & 1u)
                line |= std::uint64_t(1) << f;
        }
        freeTo.push_back(to);
        freeLine.push_back(line);
    }
}

namespace {

// By comparisons alone (no bit counting, which the baseline processor lacks
// as an instruction): a piece's slot among the occupied cells is the number
// of pieces on lower cells, and its Lehmer digit the number of later pieces
// on lower cells. Written for a fixed count too, so that the loops unroll
// for the tables a search reads most.
template <int Count>
inline void RankCells(const int* free, int count, std::uint64_t* combination, std::uint32_t* arrangement)
{
    const int n = Count > 0 ? Count : count;
    std::uint64_t c = 0;
    std::uint32_t a = 0;
    for (int i = 0; i < n; ++i) {
        int before = 0;
        int later = 0;
        for (int j = 0; j < i; ++j)
            before += free[j] < free[i];
        for (int j = i + 1; j < n; ++j)
            later += free[j] < free[i];
        c += ranking::detail::kBinomials.c[free[i]][before + later + 1];
        a = a * std::uint32_t(n - i) + std::uint32_t(later);
    }
    *combination = c;
    *arrangement = a;
}

} // namespace

std::uint64_t PatternTable::Index(const std::uint8_t* cells) const
{
    int free[CompactPosition::kMaxCells];
    for (int i = 0; i < pieceCount; ++i)
        free[i] = freeIndex[cells[i]];
    std::uint64_t combination = 0;
    std::uint32_t arrangement = 0;
    if (pieceCount == 6)
        RankCells<6>(free, pieceCount, &combination, &arrangement);
    else if (pieceCount == 7)
        RankCells<7>(free, pieceCount, &combination, &arrangement);
    else
        RankCells<0>(free, pieceCount, &combination, &arrangement);
    return std::uint64_t(combination) * arrangements + arrangement;
}

int PatternTable::Distance(const CompactPosition& position) const
{
    return Distance(SearchState::Of(position));
}

bool PatternTable::Adopt(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != ByteSize())
        return false;
    std::vector<std::uint8_t, TableAllocator<std::uint8_t>> kept(bytes.begin(), bytes.end());
    std::swap(nibbles, kept);
    if (Get(Index(pattern.pieces.data())) != 0) {
        std::swap(nibbles, kept);
        return false;
    }
    built = true;
    progress = Progress();
    return true;
}

void PatternTable::Build()
{
    while (!BuildSome(std::uint64_t(1) << 40)) {
    }
}

void PatternTable::StartBuilding()
{
    nibbles.assign(ByteSize(), 0xFF);
    Set(Index(pattern.pieces.data()), 0);
    progress = Progress();
    progress.started = true;
    progress.members = (std::uint64_t(1) << pieceCount) - 1u;
    progress.reached = 1;
    progress.frontier = 1;
    if (pieceCount <= kComposedPieces) {
        progress.compose.resize(std::size_t(arrangements) * arrangements);
        std::uint8_t order[kComposedPieces], slots[kComposedPieces], moved[kComposedPieces];
        for (std::uint32_t o = 0; o < arrangements; ++o) {
            UnrankPermutation(o, pieceCount, order);
            for (std::uint32_t a = 0; a < arrangements; ++a) {
                UnrankPermutation(a, pieceCount, slots);
                for (int i = 0; i < pieceCount; ++i)
                    moved[i] = order[slots[i]];
                progress.compose[std::size_t(o) * arrangements + a] = std::uint16_t(RankPermutation(moved, pieceCount));
            }
        }
    }
}

PatternTable::Step PatternTable::StepOf(std::uint64_t members, int slide) const
{
    const auto& to = freeTo[std::size_t(slide)];
    std::uint8_t moved[CompactPosition::kMaxCells];
    std::uint64_t result = 0;
    int j = 0;
    for (std::uint64_t rest = members; rest != 0; rest &= rest - 1, ++j) {
        moved[j] = to[std::size_t(std::countr_zero(rest))];
        result |= std::uint64_t(1) << moved[j];
    }
    Step step;
    for (int i = 0; i < pieceCount; ++i)
        step.order[i] = std::uint8_t(std::popcount(result & ((std::uint64_t(1) << moved[i]) - 1u)));
    step.base = std::uint64_t(RankCombination(result)) * arrangements;
    if (!progress.compose.empty())
        step.composed = progress.compose.data() + std::size_t(RankPermutation(step.order.data(), pieceCount)) * arrangements;
    return step;
}

std::uint64_t PatternTable::Expand(std::uint64_t members, std::uint64_t base)
{
    const int depth = progress.depth;
    const int looked = progress.backward ? kUnreached : depth;
    std::vector<std::uint32_t>& list = progress.scratch;
    list.clear();
    if (arrangements % 16 == 0) {
        // Sixteen entries a word, skipping words that hold none looked for
        // (most, in the first and last distances).
        const std::uint64_t ones = 0x1111111111111111ull;
        const std::uint8_t* bytes = nibbles.data() + base / 2;
        for (std::uint32_t a = 0; a < arrangements; a += 16) {
            std::uint64_t word;
            std::memcpy(&word, bytes + a / 2, sizeof word);
            const std::uint64_t x = word ^ (ones * std::uint64_t(looked));
            if (((x - ones) & ~x & (ones << 3)) == 0)
                continue;
            for (std::uint32_t i = 0; i < 16; ++i)
                if ((word >> (4 * i) & 15) == std::uint64_t(looked))
                    list.push_back(a + i);
        }
    } else {
        for (std::uint32_t a = 0; a < arrangements; ++a)
            if (Get(base + a) == looked)
                list.push_back(a);
    }
    std::uint64_t work = arrangements;
    if (list.empty())
        return work;

    // Where each slide that moves a piece takes this set of cells.
    std::vector<Step>& steps = progress.steps;
    steps.clear();
    for (std::size_t i = 0; i < slides.size(); ++i)
        if (members & freeLine[i])
            steps.push_back(StepOf(members, int(i)));
    if (steps.empty())
        return work;

    std::uint8_t slots[CompactPosition::kMaxCells];
    std::uint8_t moved[CompactPosition::kMaxCells];
    for (const std::uint32_t a : list) {
        // The arrangement after a step: each piece's slot renumbered.
        if (steps.front().composed == nullptr)
            UnrankPermutation(a, pieceCount, slots);
        const auto target = [&](const Step& step) {
            if (step.composed)
                return step.base + step.composed[a];
            for (int i = 0; i < pieceCount; ++i)
                moved[i] = step.order[slots[i]];
            return step.base + RankPermutation(moved, pieceCount);
        };
        work += steps.size();
        if (!progress.backward) {
            for (const Step& step : steps) {
                const std::uint64_t t = target(step);
                if (Get(t) == kUnreached) {
                    Set(t, depth + 1);
                    ++progress.found;
                }
            }
            continue;
        }
        // Backward: an entry not yet reached is one step further than any
        // neighbour on the frontier (every slide's inverse is a slide).
        for (const Step& step : steps)
            if (Get(target(step)) == depth) {
                Set(base + a, depth + 1);
                ++progress.found;
                break;
            }
    }
    return work;
}

bool PatternTable::BuildSome(std::uint64_t budget)
{
    if (built)
        return true;
    if (!progress.started)
        StartBuilding();
    const std::uint64_t combinations = ranking::Binomial(freeCount, pieceCount);
    while (budget > 0) {
        if (progress.combination == combinations) {
            // The end of one distance: the next, unless nothing new was
            // reached or the next would not fit in four bits.
            if (progress.found == 0 || progress.depth + 1 >= kUnreached - 1) {
                built = true;
                progress = Progress();
                return true;
            }
            progress.reached += progress.found;
            progress.frontier = progress.found;
            progress.found = 0;
            ++progress.depth;
            progress.backward = size - progress.reached < progress.frontier * kBackwardRatio;
            progress.combination = 0;
            progress.members = (std::uint64_t(1) << pieceCount) - 1u;
        }
        const std::uint64_t work =
            Expand(progress.members, std::uint64_t(progress.combination) * arrangements);
        budget -= std::min(work, budget);
        ++progress.combination;
        if (progress.combination < combinations)
            progress.members = NextCombination(progress.members);
    }
    return built;
}

} // namespace tesselo::solver
