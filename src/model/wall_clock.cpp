#include "model/wall_clock.h"

#include <chrono>
#include <utility>

namespace tesselo {

namespace {

// Between the Windows epoch (1601-01-01) and the Unix epoch, in 100 ns.
constexpr std::uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;

} // namespace

std::uint64_t SystemFileTime()
{
    using namespace std::chrono;
    const auto since1970 = duration_cast<nanoseconds>(system_clock::now().time_since_epoch());
    return kUnixEpochAsFileTime + static_cast<std::uint64_t>(since1970.count() / 100);
}

QDateTime UtcNow(const WallClock& clock)
{
    const auto unixMs = static_cast<qint64>((clock() - kUnixEpochAsFileTime) / 10000);
    return QDateTime::fromMSecsSinceEpoch(unixMs, Qt::UTC);
}

std::uint64_t FileTimeOf(const QDateTime& moment)
{
    return kUnixEpochAsFileTime + std::uint64_t(moment.toMSecsSinceEpoch()) * 10000;
}

QDate DailyPuzzleDay(const WallClock& clock)
{
    return UtcNow(clock).date();
}

DayClock::DayClock() : DayClock(&SystemFileTime) {}

DayClock::DayClock(WallClock w, QTimeZone z) : wall(std::move(w)), zone(std::move(z)) {}

} // namespace tesselo
