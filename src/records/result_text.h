#pragma once

#include "model/game_result.h"
#include "model/grid_size.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace tesselo {

// The texts of a kept win as the Records window's tables and the charts
// both show them, so that a score or a date reads the same in each.

// A score for its style: moves as a number, whole or (an average) with one
// decimal; a time as the counter shows it (ClockText).
QString ScoreText(Style style, double score);
// The same, or "-" where there is none (no win yet).
QString ScoreText(Style style, std::optional<double> score);
// A kept result as its style scores it: "DNF" for a "Blind" game that did
// not finish, the net length of "Fewest Moves", else the moves or the time.
QString ResultText(const GameResult& result);
// A "Fewest Moves" length against the shortest known: "+2 over the
// shortest" where `par` is proven shortest, else against par, as "+2 over
// par" or "-1 under par" (a better plan than the solver's). Empty without a
// par.
QString OverShortestText(int length, std::optional<int> par, bool parIsOptimal);
// A moment in the player's language and time zone, with or without its
// time of day; the C locale (LANG=C, no language chosen) keeps the
// unambiguous year-month-day of the English window.
QString DateText(const QDateTime& when, bool withTime);
// A day as the tables name it: short, or year-month-day in the C locale.
QString DateText(QDate day);
// A day written out in full, as a chart's tooltip names it.
QString LongDateText(QDate day);
// A daily puzzle's result as a player shares it: the day (year-month-day,
// the same for every reader), the grid, the moves against par, the time,
// and whether the game helped; nothing of the solve itself.
QString DailyResultText(QDate day, GridSize size, int moves, std::optional<int> par, std::int64_t milliseconds,
                        bool helped);

} // namespace tesselo
