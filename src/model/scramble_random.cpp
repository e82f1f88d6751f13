#include "model/scramble_random.h"

namespace tesselo {

ScrambleRandom::ScrambleRandom(std::uint32_t seed)
{
    // glibc keeps the seed in a signed 32-bit word (so seeds from 2^31 are
    // negative) and takes 0 as 1.
    std::int32_t word = seed == 0 ? 1 : static_cast<std::int32_t>(seed);
    std::array<std::uint32_t, 31> r{};
    r[0] = static_cast<std::uint32_t>(word);
    for (std::size_t i = 1; i < r.size(); ++i) {
        // 16807 * word mod (2^31 - 1) without overflow (Schrage's method),
        // dividing as C does, towards zero.
        const std::int64_t hi = word / 127773;
        const std::int64_t lo = word % 127773;
        std::int64_t next = 16807 * lo - 2836 * hi;
        if (next < 0)
            next += 2147483647;
        word = static_cast<std::int32_t>(next);
        r[i] = static_cast<std::uint32_t>(word);
    }
    // The sequence r[i] = r[i - 31] + r[i - 3], of which the last 34 values
    // are all the next one needs.
    std::array<std::uint32_t, 344> all{};
    for (std::size_t i = 0; i < 31; ++i)
        all[i] = r[i];
    for (std::size_t i = 31; i < 34; ++i)
        all[i] = all[i - 31];
    for (std::size_t i = 34; i < all.size(); ++i)
        all[i] = all[i - 31] + all[i - 3];
    for (std::size_t i = 0; i < ring.size(); ++i)
        ring[i] = all[all.size() - ring.size() + i];
}

std::int32_t ScrambleRandom::Next()
{
    // The ring holds values i - 34 .. i - 1 with i - 34 at `at`.
    const std::uint32_t value = ring[(at + 3) % ring.size()] + ring[(at + 31) % ring.size()];
    ring[at] = value;
    at = (at + 1) % ring.size();
    return static_cast<std::int32_t>(value >> 1);
}

} // namespace tesselo
