#include "model/grid_size.h"

#include <cctype>

namespace tesselo {

std::optional<std::size_t> GridSize::Level() const
{
    for (std::size_t i = 0; i < std::size(kLevels); ++i)
        if (kLevels[i].size == *this)
            return i;
    return std::nullopt;
}

std::string GridSize::Name() const
{
    if (const auto level = Level())
        return kLevels[*level].key;
    return std::to_string(rows) + "x" + std::to_string(columns);
}

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Digits only: from_chars alone would take a sign or stop early.
std::optional<std::int32_t> Count(std::string_view digits)
{
    if (digits.empty() || digits.size() > 2)
        return std::nullopt;
    std::int32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<GridSize> GridSize::FromName(std::string_view name)
{
    name = Trimmed(name);
    for (const tesselo::Level& level : kLevels)
        if (SameLetters(name, level.key))
            return level.size;
    const auto x = name.find_first_of("xX");
    if (x == std::string_view::npos)
        return std::nullopt;
    const auto rows = Count(name.substr(0, x));
    const auto columns = Count(name.substr(x + 1));
    if (!rows || !columns)
        return std::nullopt;
    const GridSize size{*rows, *columns};
    if (!size.IsValid())
        return std::nullopt;
    return size;
}

std::optional<GridSize> GridSize::FromKey(std::string_view key)
{
    const std::optional<GridSize> size = FromName(key);
    if (!size || size->Name() != key)
        return std::nullopt;
    return size;
}

std::int32_t GridSize::ScrambleSteps(std::uint32_t seed) const
{
    return IsLevel() ? (rows + columns) * 3 : 2 * rows * columns + std::int32_t(seed & 1);
}

const char* Style::Key() const
{
    return kStyleKeys[Index()];
}

std::optional<Style> Style::FromIndex(int index)
{
    if (index < 0 || index >= kCount)
        return std::nullopt;
    return Style(Kind(index));
}

std::optional<Style> Style::FromKey(std::string_view key)
{
    for (int i = 0; i < kCount; ++i)
        if (key == kStyleKeys[i])
            return FromIndex(i);
    return std::nullopt;
}

} // namespace tesselo
