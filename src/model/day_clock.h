#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

#include <functional>

namespace tesselo {

// The calendar days the game counts by, read from one wall clock that a
// caller hands on (and a test replaces): the UTC date that names the daily
// puzzle, and the player's own date, on which the charts' strip of days
// and their streak end. Read when asked, so that a window left open past
// midnight counts the new day at its next look.
class DayClock {
public:
    using Now = std::function<QDateTime()>;
    // The system's wall clock, in the system's time zone.
    DayClock();
    DayClock(Now now, QTimeZone zone);

    // The daily puzzle's day: the UTC date.
    QDate UtcDay() const;
    // The charts' day: the date in the player's time zone.
    QDate LocalDay() const;
    const QTimeZone& Zone() const { return zone; }

private:
    Now now;
    QTimeZone zone;
};

} // namespace tesselo
