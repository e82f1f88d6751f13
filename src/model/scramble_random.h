#pragma once

#include <array>
#include <cstdint>

namespace tesselo {

// The random numbers the shuffle draws. Every scramble the game ever made
// came from glibc's srand() and rand(), and a game ID names a scramble by
// its seed alone, so this gives exactly that sequence for a seed, on every
// machine and C library: glibc's additive feedback generator (degree 31,
// separation 3, seeded by 16807 modulo 2^31 - 1, the first 310 outputs
// dropped).
class ScrambleRandom {
public:
    explicit ScrambleRandom(std::uint32_t seed);
    // 0 to 2^31 - 1, as rand() returns.
    std::int32_t Next();

private:
    std::array<std::uint32_t, 34> ring{};
    std::size_t at = 0; // the oldest of the last 34 values
};

} // namespace tesselo
