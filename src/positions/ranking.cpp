#include "positions/ranking.h"

#include <array>

namespace tesselo::solver::ranking {

void UnrankPermutation(std::uint32_t rank, int n, std::uint8_t* p)
{
    // Digits of the rank in the factorial base, most significant first.
    std::array<std::uint8_t, 16> digits{};
    for (int i = n - 1; i >= 0; --i) {
        const auto base = std::uint32_t(n - i);
        digits[std::size_t(i)] = std::uint8_t(rank % base);
        rank /= base;
    }
    std::uint32_t free = (1u << n) - 1u;
    for (int i = 0; i < n; ++i) {
        std::uint32_t rest = free;
        for (int skip = digits[std::size_t(i)]; skip > 0; --skip)
            rest &= rest - 1;
        p[i] = std::uint8_t(std::countr_zero(rest));
        free &= ~(1u << p[i]);
    }
}

std::uint64_t UnrankCombination(std::uint64_t rank, int n, int k)
{
    std::uint64_t members = 0;
    for (int j = k, b = n - 1; j >= 1; --j) {
        while (Binomial(b, j) > rank)
            --b;
        members |= std::uint64_t(1) << b;
        rank -= Binomial(b, j);
        --b;
    }
    return members;
}

} // namespace tesselo::solver::ranking
