#include "model/day_clock.h"

#include <utility>

namespace tesselo {

DayClock::DayClock() : DayClock(&QDateTime::currentDateTimeUtc, QTimeZone::systemTimeZone()) {}

DayClock::DayClock(Now n, QTimeZone z) : now(std::move(n)), zone(std::move(z)) {}

QDate DayClock::UtcDay() const
{
    return now().toUTC().date();
}

QDate DayClock::LocalDay() const
{
    return now().toTimeZone(zone).date();
}

} // namespace tesselo
