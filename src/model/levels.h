#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tesselo {

// The four difficulties and the two styles, named by the keys that the
// saved history, the records and the game IDs keep. A key never depends on
// the player's language; the window turns it into a shown name.
struct Level {
    const char* key;
    std::int32_t rows;
    std::int32_t columns;
};

inline constexpr Level kLevels[4] = {{"Novice", 2, 3}, {"Pro", 3, 3}, {"Expert", 3, 4}, {"Genius", 4, 6}};
inline constexpr const char* kStyles[2] = {"Strategy", "Speed"};

// The level of exactly this grid size, or nothing.
std::optional<std::size_t> LevelOfSize(std::int32_t rows, std::int32_t columns);
// The level a key names (letter case as written), or nothing.
std::optional<std::size_t> LevelOfKey(std::string_view key);
// The difficulty the options show for any grid: 2 rows Novice, 3 x 3 Pro,
// any other 3-row grid Expert, 4 rows Genius, anything else Novice.
std::size_t DifficultyOf(std::int32_t rows, std::int32_t columns);
bool IsStyleKey(std::string_view key);
inline const char* StyleKey(bool strategy) { return strategy ? kStyles[0] : kStyles[1]; }

} // namespace tesselo
