#include "model/levels.h"

namespace tesselo {

std::optional<std::size_t> LevelOfSize(std::int32_t rows, std::int32_t columns)
{
    for (std::size_t i = 0; i < std::size(kLevels); ++i)
        if (kLevels[i].rows == rows && kLevels[i].columns == columns)
            return i;
    return std::nullopt;
}

std::optional<std::size_t> LevelOfKey(std::string_view key)
{
    for (std::size_t i = 0; i < std::size(kLevels); ++i)
        if (key == kLevels[i].key)
            return i;
    return std::nullopt;
}

std::size_t DifficultyOf(std::int32_t rows, std::int32_t columns)
{
    switch (rows) {
    case 2: return 0;
    case 3: return columns == 3 ? 1 : 2;
    case 4: return 3;
    default: return 0;
    }
}

bool IsStyleKey(std::string_view key)
{
    return key == kStyles[0] || key == kStyles[1];
}

} // namespace tesselo
