#pragma once

#include <QString>

#include <cstdint>

namespace tesselo {

// A stopwatch reading as every counter, table and chart shows it:
// "1:02:03.5", hours unbounded, to the nearest tenth of a second.
QString ClockText(std::int64_t milliseconds);

} // namespace tesselo
