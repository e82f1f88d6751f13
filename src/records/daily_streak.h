#pragma once

#include <QDate>

#include <vector>

namespace tesselo {

// The current streak of daily puzzles: how many consecutive days, ending
// today or yesterday, have their puzzle won, the days being the UTC dates
// that name the puzzles (not the days the wins happened). Only wins
// without help count: the records give those days (DailyDaysBack). Today's puzzle
// not won yet breaks nothing until the day is over. `won` may be in any
// order and hold a day more than once (several levels, styles or wins).
int CurrentDailyStreak(std::vector<QDate> won, const QDate& today);

} // namespace tesselo
