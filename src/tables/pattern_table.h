#pragma once

#include "positions/position.h"
#include "positions/search_state.h"
#include "tables/table_memory.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tesselo::solver {

// Exact distances for putting a few pieces home, every other piece taken
// as indistinguishable: a pattern database. With `fixedCells` empty it
// bounds the distance of any position from below; with some cells fixed
// it is one phase of a block-by-block solve, where slides may not touch
// the block already built and the table gives the exact distance within
// that restriction.
//
// An entry is numbered by which free cells the pieces occupy (a rank among
// the sets of that size) and in what order (a rank among the
// permutations), so every arrangement has one entry and the numbering is
// dense. Entries are four bits each.
class PatternTable {
public:
    struct Pattern {
        int rows = 0;
        int columns = 0;
        std::uint64_t fixedCells = 0;
        std::vector<std::uint8_t> pieces; // the homes of the pieces placed
        bool operator==(const Pattern&) const = default;
    };
    static constexpr int kUnreached = 15;

    explicit PatternTable(Pattern pattern);

    const Pattern& Definition() const { return pattern; }
    std::uint64_t Size() const { return size; }
    std::size_t ByteSize() const { return std::size_t((size + 1) / 2); }
    // The slides that leave the fixed cells alone, as numbers of the grid's
    // SlideSet.
    const std::vector<int>& Slides() const { return slides; }

    bool Built() const { return built; }
    // Goes on with the breadth-first search from the solved pattern for
    // about `budget` units of work (one unit is one entry looked at), so
    // that the caller can answer other requests between the steps.
    // Returns Built().
    bool BuildSome(std::uint64_t budget);
    void Build();

    // The distance with the pieces at `cells` (the cell of each piece, in
    // the order the pattern lists them), all of them free; kUnreached when no
    // sequence of the allowed slides puts them home.
    int Distance(const std::uint8_t* cells) const { return Get(Index(cells)); }
    int Distance(const CompactPosition& position) const;
    int Distance(const SearchState& state) const
    {
        std::uint8_t cells[CompactPosition::kMaxCells];
        for (int i = 0; i < pieceCount; ++i) {
            cells[i] = state.cellOf[pattern.pieces[std::size_t(i)]];
            if (freeIndex[cells[i]] == 0xFF)
                return kUnreached;
        }
        return Distance(cells);
    }

    // The same in two steps, so that a search can ask for many entries
    // before it waits for the first: the number of the entry, which then
    // may be fetched ahead, and its distance.
    std::uint64_t Index(const std::uint8_t* cells) const;
    void Fetch(std::uint64_t index) const { __builtin_prefetch(nibbles.data() + index / 2); }
    int DistanceAt(std::uint64_t index) const { return Get(index); }

    // The entries, four bits each, for keeping the table between runs.
    std::span<const std::uint8_t> Bytes() const { return nibbles; }
    // Takes kept entries of exactly ByteSize() bytes; false, with nothing
    // changed, for any other length or a table that does not put the solved
    // pattern at distance 0.
    bool Adopt(std::span<const std::uint8_t> bytes);

private:
    int Get(std::uint64_t index) const { return nibbles[index >> 1] >> ((index & 1) * 4) & 15; }
    void Set(std::uint64_t index, int value)
    {
        std::uint8_t& byte = nibbles[index >> 1];
        const int shift = int(index & 1) * 4;
        byte = std::uint8_t((byte & ~(15 << shift)) | (value << shift));
    }
    void StartBuilding();
    // One set of occupied cells through one step of the search.
    std::uint64_t Expand(std::uint64_t members, std::uint64_t base);
    // Where a slide takes a set of occupied cells: the first entry of the
    // new set, and the new slot of each old one (as a row of the
    // composition table too, when there is one).
    struct Step {
        std::uint64_t base = 0;
        std::array<std::uint8_t, CompactPosition::kMaxCells> order{};
        const std::uint16_t* composed = nullptr;
    };
    Step StepOf(std::uint64_t members, int slide) const;

    Pattern pattern;
    int freeCount = 0;
    int pieceCount = 0;
    std::uint32_t arrangements = 0; // pieceCount!
    std::uint64_t size = 0;
    std::vector<int> slides;
    std::vector<std::uint8_t> freeIndex;                    // cell -> free cell
    std::vector<std::array<std::uint8_t, CompactPosition::kMaxCells>> freeTo; // per allowed slide
    std::vector<std::uint64_t> freeLine;                    // per allowed slide
    std::vector<std::uint8_t, TableAllocator<std::uint8_t>> nibbles;
    bool built = false;

    // The search in progress.
    struct Progress {
        bool started = false;
        int depth = 0;
        bool backward = false;
        std::uint64_t members = 0; // the next set of occupied cells
        std::uint32_t combination = 0;
        std::uint64_t reached = 0;
        std::uint64_t frontier = 0;
        std::uint64_t found = 0;
        std::vector<std::uint16_t> compose; // order x arrangement, for up to six pieces
        std::vector<std::uint32_t> scratch;
        std::vector<Step> steps;
    } progress;
};

} // namespace tesselo::solver
