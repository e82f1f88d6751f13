#pragma once

#include <QJsonValue>

#include <cmath>
#include <cstdint>
#include <limits>

namespace tesselo {

// A JSON number that is exactly a whole number within [low, high];
// anything else (a fraction, a string, a value out of range, a whole number
// too large for a double to hold exactly) is damage.
template <typename T>
bool WholeNumber(const QJsonValue& value, T* out, T low = std::numeric_limits<T>::min(),
                 T high = std::numeric_limits<T>::max())
{
    // Whole numbers beyond 2^53 are not exact in a JSON double.
    constexpr double kLargestExact = 9007199254740992.0;
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    if (!(d >= double(low) && d <= double(high) && d >= -kLargestExact && d <= kLargestExact) ||
        std::trunc(d) != d)
        return false;
    *out = static_cast<T>(d);
    return true;
}

} // namespace tesselo
