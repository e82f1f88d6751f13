#pragma once

#include "model/grid_size.h"
#include "model/history.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tesselo {

class Puzzle;
class Stopwatch;

// One won game as the records keep it.
struct GameResult {
    // The grid played, kept as its name: a level's key ("Expert") or the
    // counts of any other size ("5x7"), so that a version that knows only
    // the four levels passes such a win over rather than refuse the file.
    GridSize size;
    Style style = Style::Strategy;
    std::int32_t moves = 0;   // the move counter at the win
    std::int64_t milliseconds = 0;
    QDateTime finished;       // UTC
    QString picture;          // the picture's file name; empty for the built-in one
    // The game as its history held it, so that it can be played again.
    TileGrid start;
    std::int32_t movesBefore = 0;
    std::vector<HistoryStep> steps;
    // The fewest moves known to solve the start; none when no solver said.
    std::optional<std::int32_t> par;
    // `par` is the fewest moves possible, not only the fewest found.
    bool parIsOptimal = false;
    // Moves the game made for the player (hints, a solve). Such a win counts
    // among the wins but never for a best or an average.
    std::int32_t assisted = 0;
    // The day (UTC) of the daily puzzle this game was; none for any other.
    std::optional<QDate> daily;

    // Sound enough to count for the bests, means and wins.
    bool IsValid() const;
    // For its size and style: fewer moves ("Strategy") or less time
    // ("Speed") than `other`.
    bool Beats(const GameResult& other) const;
    std::int64_t Score() const { return ScoreOf(style, moves, milliseconds); }
    static std::int64_t ScoreOf(Style style, std::int64_t moves, std::int64_t milliseconds)
    {
        return style.IsSpeed() ? milliseconds : moves;
    }
    // The size and style as the records keep them.
    QString LevelKey() const { return QString::fromStdString(size.Name()); }
    QString StyleKey() const { return QString::fromLatin1(style.Key()); }
    bool IsReplayable() const { return start.rowCount > 0; }

    // The game just won on `puzzle`, finished at `finished` (UTC) on the
    // picture named `picture`: "Speed" keeps the time the counter shows,
    // "Strategy", which has no counter of time, the stopwatch's own time
    // from the start or resumption.
    static GameResult OfWin(const Puzzle& puzzle, const Stopwatch& watch, bool strategy, const QDateTime& finished,
                            const QString& picture);
};

} // namespace tesselo
