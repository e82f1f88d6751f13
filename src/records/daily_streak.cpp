#include "records/daily_streak.h"

#include <algorithm>
#include <functional>

namespace tesselo {

int CurrentDailyStreak(std::vector<QDate> won, const QDate& today)
{
    std::sort(won.begin(), won.end(), std::greater<>());
    won.erase(std::unique(won.begin(), won.end()), won.end());
    // A puzzle of a day still to come (a wall clock set back) is passed over.
    auto day = std::find_if(won.begin(), won.end(), [&](const QDate& d) { return d <= today; });
    if (day == won.end() || day->daysTo(today) > 1)
        return 0;
    int streak = 1;
    for (auto next = day + 1; next != won.end() && next->daysTo(*day) == 1; day = next++)
        ++streak;
    return streak;
}

} // namespace tesselo
