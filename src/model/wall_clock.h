#pragma once

#include <QDate>
#include <QDateTime>

#include <cstdint>
#include <functional>

namespace tesselo {

// The wall clock, in 100-nanosecond intervals since 1601-01-01 UTC: the
// seeds of new games and the dates of wins and daily puzzles come from it.
// It is injected wherever it is read, so that tests set the day and time.
using WallClock = std::function<std::uint64_t()>;

// The system's wall clock.
std::uint64_t SystemFileTime();
QDateTime UtcNow(const WallClock& clock);
// The day whose daily puzzle is played now: today in UTC, so that every
// player, wherever they are, has the same puzzle at the same moment.
QDate DailyPuzzleDay(const WallClock& clock);

} // namespace tesselo
