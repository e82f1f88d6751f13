#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

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
// A moment in the clock's units.
std::uint64_t FileTimeOf(const QDateTime& moment);
// The day whose daily puzzle is played now: today in UTC, so that every
// player, wherever they are, has the same puzzle at the same moment.
QDate DailyPuzzleDay(const WallClock& clock);

// The calendar days the windows count by, read from one wall clock that a
// caller hands on (the game's, or a test's): the UTC date that names the
// daily puzzle, and the player's own date, on which the charts' strip of
// days and their streak end. Read when asked, so that a window left open
// past midnight counts the new day at its next look.
class DayClock {
public:
    // The system's wall clock, in the system's time zone.
    DayClock();
    explicit DayClock(WallClock wall, QTimeZone zone = QTimeZone::systemTimeZone());

    // The daily puzzle's day: the UTC date.
    QDate UtcDay() const { return DailyPuzzleDay(wall); }
    // The charts' day: the date in the player's time zone.
    QDate LocalDay() const { return UtcNow(wall).toTimeZone(zone).date(); }
    const QTimeZone& Zone() const { return zone; }

private:
    WallClock wall;
    QTimeZone zone;
};

} // namespace tesselo
