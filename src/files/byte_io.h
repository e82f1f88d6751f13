#pragma once

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

} // namespace tesselo
