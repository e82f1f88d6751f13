#pragma once

#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>

// The saved game is little-endian on every host, and its records follow each
// other without alignment, so every field goes through these helpers rather
// than through memcpy of a struct.
namespace tesselo {

inline void PutInt32(std::uint8_t* at, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    at[0] = static_cast<std::uint8_t>(u);
    at[1] = static_cast<std::uint8_t>(u >> 8);
    at[2] = static_cast<std::uint8_t>(u >> 16);
    at[3] = static_cast<std::uint8_t>(u >> 24);
}

inline std::int32_t GetInt32(const std::uint8_t* at)
{
    const std::uint32_t u = std::uint32_t(at[0]) | (std::uint32_t(at[1]) << 8) |
                            (std::uint32_t(at[2]) << 16) | (std::uint32_t(at[3]) << 24);
    return static_cast<std::int32_t>(u);
}

inline void PutUInt16(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline std::uint16_t GetUInt16(const std::uint8_t* at)
{
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

// Text kept as UTF-16LE code units in an area of `units` units, ended by a
// zero unit when it is shorter (the form of the Windows records the saved
// game keeps).

// Reads up to `units` units, stopping at the first zero.
inline QString GetUtf16(const std::uint8_t* at, std::size_t units)
{
    QString text;
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint16_t u = GetUInt16(at + 2 * i);
        if (u == 0)
            break;
        text.append(QChar(u));
    }
    return text;
}

// Writes at most `units` units of text; the caller has zeroed the area.
inline void PutUtf16(std::uint8_t* at, std::size_t units, const QString& text)
{
    const std::size_t n = std::min<std::size_t>(units, std::size_t(text.size()));
    for (std::size_t i = 0; i < n; ++i)
        PutUInt16(at + 2 * i, text.at(qsizetype(i)).unicode());
}

// Whether the area holds its terminating zero.
inline bool HasUtf16Terminator(const std::uint8_t* at, std::size_t units)
{
    for (std::size_t i = 0; i < units; ++i)
        if (GetUInt16(at + 2 * i) == 0)
            return true;
    return false;
}

} // namespace tesselo
