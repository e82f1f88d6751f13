#pragma once

#include <bit>
#include <cstdint>

// Compact numbering of arrangements, so that tables hold one entry per
// arrangement and nothing in between.
namespace tesselo::solver::ranking {

constexpr std::uint64_t Factorial(int n)
{
    std::uint64_t f = 1;
    for (int i = 2; i <= n; ++i)
        f *= std::uint64_t(i);
    return f;
}

namespace detail {

constexpr int kMaxBinomialN = 36;

struct BinomialTable {
    std::uint64_t c[kMaxBinomialN + 1][kMaxBinomialN + 1] = {};
    constexpr BinomialTable()
    {
        for (int n = 0; n <= kMaxBinomialN; ++n) {
            c[n][0] = 1;
            for (int k = 1; k <= n; ++k)
                c[n][k] = c[n - 1][k - 1] + (k < n ? c[n - 1][k] : 0);
        }
    }
};

inline constexpr BinomialTable kBinomials;

} // namespace detail

// C(n, k) for n up to 36; 0 outside 0 <= k <= n.
constexpr std::uint64_t Binomial(int n, int k)
{
    if (k < 0 || n < 0 || k > n || n > detail::kMaxBinomialN)
        return 0;
    return detail::kBinomials.c[n][k];
}

// Lehmer rank of a permutation of 0..n-1 (n up to 12), in 0..n!-1. Digit
// i counts the later entries smaller than entry i; by comparisons, as the
// baseline processor has no instruction to count bits.
inline std::uint32_t RankPermutation(const std::uint8_t* p, int n)
{
    std::uint32_t rank = 0;
    for (int i = 0; i < n; ++i) {
        std::uint32_t digit = 0;
        for (int j = i + 1; j < n; ++j)
            digit += p[j] < p[i];
        rank = rank * std::uint32_t(n - i) + digit;
    }
    return rank;
}

void UnrankPermutation(std::uint32_t rank, int n, std::uint8_t* p);

// Rank of a set of cells among all sets of the same size, in the
// combinatorial number system: the sum of C(b, j + 1) over the set's
// members b in increasing order, j counting them.
inline std::uint64_t RankCombination(std::uint64_t members)
{
    std::uint64_t rank = 0;
    for (int j = 1; members != 0; ++j, members &= members - 1)
        rank += Binomial(std::countr_zero(members), j);
    return rank;
}

std::uint64_t UnrankCombination(std::uint64_t rank, int n, int k);

} // namespace tesselo::solver::ranking
