#include "positions/slide_set.h"
#include "tables/bound_tables.h"
#include "tables/distance_table.h"
#include "tables/pattern_table.h"
#include "tables/phase_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

using namespace tesselo::solver;

namespace {

CompactPosition Shuffled(int rows, int columns, std::mt19937& random)
{
    std::vector<int> homes(std::size_t(rows * columns));
    std::iota(homes.begin(), homes.end(), 0);
    std::shuffle(homes.begin(), homes.end(), random);
    return *CompactPosition::FromHomes(rows, columns, homes);
}

std::vector<std::uint64_t> CountsOf(const PatternTable& table)
{
    std::vector<std::uint64_t> counts(16, 0);
    const auto bytes = table.Bytes();
    for (std::uint64_t i = 0; i < table.Size(); ++i)
        ++counts[bytes[i / 2] >> (4 * (i % 2)) & 15];
    return counts;
}

} // namespace

TEST(DistanceTables, ReproduceTheKnownDistanceCounts)
{
    EXPECT_EQ(DistanceTable::For(2, 3).CountsByDistance(), (std::vector<std::uint64_t>{1, 7, 31, 115, 274, 253, 36, 3}));
    EXPECT_EQ(DistanceTable::For(3, 3).CountsByDistance(),
              (std::vector<std::uint64_t>{1, 12, 96, 736, 5208, 28674, 89497, 54741, 2475}));
}

TEST(DistanceTables, OptimalSlidesAreExactlyThoseOneStepCloser)
{
    std::mt19937 random(3);
    for (const auto& [rows, columns] : {std::pair{2, 3}, {3, 3}}) {
        const DistanceTable& table = DistanceTable::For(rows, columns);
        const SlideSet& slides = SlideSet::For(rows, columns);
        for (int i = 0; i < 200; ++i) {
            const CompactPosition p = Shuffled(rows, columns, random);
            const int d = table.Distance(p);
            if (!p.IsSolvable()) {
                EXPECT_EQ(d, DistanceTable::kUnreachable);
                continue;
            }
            const auto best = table.OptimalSlides(p);
            EXPECT_EQ(best.empty(), d == 0);
            for (int m = 0; m < slides.Count(); ++m) {
                CompactPosition next = p;
                next.Apply(slides.At(m));
                const int dn = table.Distance(next);
                EXPECT_LE(std::abs(dn - d), 1);
                EXPECT_EQ(std::count(best.begin(), best.end(), slides.At(m)) == 1, dn == d - 1);
            }
        }
    }
}

// The pattern table's search, asked for every piece of 2 x 3, must agree
// with the distance table's, which is written another way.
TEST(PatternTables, OfEveryPieceAgreeWithTheDistanceTable)
{
    PatternTable all({2, 3, 0, {0, 1, 2, 3, 4, 5}});
    all.Build();
    std::vector<int> homes{0, 1, 2, 3, 4, 5};
    do {
        const CompactPosition p = *CompactPosition::FromHomes(2, 3, homes);
        ASSERT_EQ(all.Distance(p), DistanceTable::For(2, 3).Distance(p));
    } while (std::next_permutation(homes.begin(), homes.end()));
}

TEST(PatternTables, BoundTheDistanceFromBelow)
{
    PatternTable some({3, 3, 0, {0, 1, 3, 4, 8}});
    some.Build();
    std::mt19937 random(5);
    for (int i = 0; i < 500; ++i) {
        const CompactPosition p = Shuffled(3, 3, random);
        if (p.IsSolvable()) {
            EXPECT_LE(some.Distance(p), DistanceTable::For(3, 3).Distance(p));
        }
    }
}

TEST(PatternTables, BuiltInStepsEqualBuiltAtOnce)
{
    // A phase with fixed cells, and one of many pieces (no composition table).
    for (const PatternTable::Pattern& pattern :
         {PatternTable::Pattern{4, 6, 0x3, {2, 6, 7, 8}}, PatternTable::Pattern{3, 4, 0x7, {3, 4, 5, 6, 7}},
          PatternTable::Pattern{3, 3, 0, {0, 1, 2, 3, 4, 5, 6}}}) {
        PatternTable whole(pattern);
        whole.Build();
        PatternTable stepped(pattern);
        int steps = 0;
        while (!stepped.BuildSome(977))
            ++steps;
        EXPECT_GT(steps, 10);
        EXPECT_TRUE(std::equal(whole.Bytes().begin(), whole.Bytes().end(), stepped.Bytes().begin(), stepped.Bytes().end()));
    }
}

TEST(PhaseTables, QuickTablesReachEveryArrangementOfEveryPhase)
{
    const auto tables = PhaseTables::Quick();
    tables->Build();
    for (int phase = 0; phase < tables->Phases(); ++phase) {
        const auto counts = CountsOf(tables->Phase(phase));
        EXPECT_EQ(counts[0], 1u);
        EXPECT_EQ(counts[PatternTable::kUnreached], 0u) << "phase " << phase;
    }
}

TEST(PhaseTables, SavedTablesLoadBackAndDamageIsRefused)
{
    const PhaseTables::Block blocks[] = {{2, 2}, {3, 3}, {3, 4}};
    PhaseTables tables(3, 4, {std::begin(blocks), std::end(blocks)});
    EXPECT_TRUE(tables.Save().empty()) << "nothing to save before the tables are built";
    tables.Build();
    const std::vector<std::uint8_t> saved = tables.Save();
    ASSERT_EQ(saved.size(), tables.SavedSize());

    PhaseTables again(3, 4, {std::begin(blocks), std::end(blocks)});
    ASSERT_TRUE(again.Load(saved));
    ASSERT_TRUE(again.Built());
    EXPECT_EQ(again.Save(), saved);

    PhaseTables other(3, 4, {{2, 3}, {3, 4}});
    EXPECT_FALSE(other.Load(saved));
    EXPECT_FALSE(other.Built());
    std::vector<std::vector<std::uint8_t>> damaged;
    for (const std::size_t at : {std::size_t(0), std::size_t(9), std::size_t(30), saved.size() / 2, saved.size() - 1}) {
        damaged.push_back(saved);
        damaged.back()[at] ^= 0x10;
    }
    damaged.emplace_back(saved.begin(), saved.end() - 1);
    damaged.push_back(saved);
    damaged.back().push_back(0);
    damaged.emplace_back();
    for (const auto& bytes : damaged) {
        PhaseTables fresh(3, 4, {std::begin(blocks), std::end(blocks)});
        EXPECT_FALSE(fresh.Load(bytes));
        EXPECT_FALSE(fresh.Built());
    }
}

// Tables written wrong and summed again pass the checksum: what must hold
// of any table refuses them all the same, and sound tables, probed afresh
// on every load, are never refused.
TEST(PhaseTables, DamageUnderARecomputedChecksumIsRefused)
{
    const auto tables = PhaseTables::Quick();
    tables->Build();
    const std::vector<std::uint8_t> saved = tables->Save();
    const std::size_t body = saved.size() - 8;
    std::size_t firstEntry = body;
    for (int phase = 0; phase < tables->Phases(); ++phase)
        firstEntry -= tables->Phase(phase).ByteSize();
    const std::size_t firstTableEnd = firstEntry + tables->Phase(0).ByteSize();
    const std::size_t lastTable = body - tables->Phase(tables->Phases() - 1).ByteSize();

    const auto resummed = [&](const std::function<void(std::vector<std::uint8_t>&)>& damage) {
        std::vector<std::uint8_t> bytes = saved;
        damage(bytes);
        const std::uint64_t sum = PhaseTables::Checksum(std::span(bytes).first(body));
        for (int i = 0; i < 8; ++i)
            bytes[body + std::size_t(i)] = std::uint8_t(sum >> (8 * i));
        return bytes;
    };
    const auto fill = [](std::size_t from, std::size_t to, std::uint8_t value) {
        return [=](std::vector<std::uint8_t>& b) { std::fill(b.begin() + long(from), b.begin() + long(to), value); };
    };
    const struct {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
    } cases[] = {
        {"every entry zero", fill(firstEntry, body, 0)},
        {"the first table zero", fill(firstEntry, firstTableEnd, 0)},
        {"the last table zero", fill(lastTable, body, 0)},
        {"the first table shifted by a byte",
         [&](std::vector<std::uint8_t>& b) { std::rotate(b.begin() + long(firstEntry), b.begin() + long(firstEntry) + 1, b.begin() + long(firstTableEnd)); }},
        {"every entry one further",
         [&](std::vector<std::uint8_t>& b) {
             for (std::size_t at = firstEntry; at < body; ++at)
                 b[at] = std::uint8_t(b[at] + 0x11);
         }},
    };
    for (const auto& c : cases) {
        const std::vector<std::uint8_t> bytes = resummed(c.damage);
        ASSERT_NE(bytes, saved) << c.name;
        const auto fresh = PhaseTables::Quick();
        EXPECT_FALSE(fresh->Load(bytes)) << c.name;
        EXPECT_FALSE(fresh->Built()) << c.name;
    }
    for (int load = 0; load < 20; ++load)
        ASSERT_TRUE(PhaseTables::Quick()->Load(resummed([](auto&) {}))) << "load " << load;
}

// The bound tables are kept as the phase tables are: they load back as
// saved, and refuse the bytes of other tables, of another kind, damaged
// ones, and damaged ones summed again.
TEST(BoundTables, SavedTablesLoadBackAndOthersAreRefused)
{
    const std::vector<std::vector<std::uint8_t>> patterns{{0, 1, 2, 7, 8}};
    BoundTables tables(2, 7, patterns);
    EXPECT_TRUE(tables.Save().empty()) << "nothing to save before the tables are built";
    tables.Build();
    const std::vector<std::uint8_t> saved = tables.Save();
    ASSERT_EQ(saved.size(), tables.SavedSize());
    BoundTables again(2, 7, patterns);
    ASSERT_TRUE(again.Load(saved));
    EXPECT_EQ(again.Save(), saved);

    // Tables of the same size that are not these: other pieces, the same
    // pieces on another grid, and phase tables.
    const std::size_t body = saved.size() - 8;
    std::vector<std::uint8_t> zeroed = saved;
    std::fill(zeroed.begin() + long(body - tables.Table(0).ByteSize()), zeroed.begin() + long(body), 0);
    const std::uint64_t sum = TableSet::Checksum(std::span(zeroed).first(body));
    for (int i = 0; i < 8; ++i)
        zeroed[body + std::size_t(i)] = std::uint8_t(sum >> (8 * i));
    std::vector<std::uint8_t> flipped = saved;
    flipped[body - 1] ^= 0x01;
    for (const auto& bytes : {zeroed, flipped}) {
        BoundTables fresh(2, 7, patterns);
        EXPECT_FALSE(fresh.Load(bytes));
        EXPECT_FALSE(fresh.Built());
    }
    BoundTables otherPieces(2, 7, {{0, 1, 2, 7, 9}});
    EXPECT_FALSE(otherPieces.Load(saved));
    BoundTables otherGrid(7, 2, patterns);
    EXPECT_FALSE(otherGrid.Load(saved));
    PhaseTables phases(3, 4, {{2, 2}, {3, 4}});
    phases.Build();
    EXPECT_FALSE(tables.Load(phases.Save()));
    EXPECT_TRUE(tables.Built()) << "a refused load leaves the tables as they were";
}
