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
    // "Fewest Moves": the solution's length as it stood when the picture was
    // whole (NetLength), never more than `moves`; the result kept.
    std::int32_t netMoves = 0;
    // "Blind": the end was declared on a picture not whole ("did not
    // finish"). Kept with its time and moves, worse than any result.
    bool dnf = false;
    // The game's stopwatch at each of `steps`, in ms, never going back; none
    // when the pace of the game is not known (a win of an earlier version,
    // or of a game resumed without it). A race paces its ghost by it.
    std::vector<std::int32_t> stepTimes;
    // A race against a kept win: its start was known, so it is kept and
    // counted but never a best.
    bool race = false;

    // The score of a DNF: worse than any result.
    static constexpr std::int64_t kDnfScore = INT64_MAX;

    // Sound enough to count for the bests, means and wins.
    bool IsValid() const;
    // For its size and style: fewer moves ("Strategy") or less time
    // ("Speed") than `other`.
    bool Beats(const GameResult& other) const;
    std::int64_t Score() const;
    // The score of a result from its figures: moves in "Strategy", the
    // time in "Speed" and "Blind"; "Fewest Moves" scores its net length,
    // which the records keep as the score itself (see TakeKeptScore).
    static std::int64_t ScoreOf(Style style, std::int64_t moves, std::int64_t milliseconds)
    {
        return style.IsSpeed() ? milliseconds : moves;
    }
    // What the records' score column adds to a kept row's figures: the net
    // length of "Fewest Moves", the DNF of "Blind". False when the kept
    // score cannot be this result's (a net length over its moves).
    bool TakeKeptScore(std::int64_t kept);
    // The size and style as the records keep them.
    QString LevelKey() const { return QString::fromStdString(size.Name()); }
    QString StyleKey() const { return QString::fromLatin1(style.Key()); }
    bool IsReplayable() const { return start.rowCount > 0; }
    // Whether it can be raced: kept with every move from the game's own
    // start (not from a game resumed without its history), and a solve.
    bool CanBeRaced() const { return IsReplayable() && movesBefore == 0 && !steps.empty() && !dnf; }

    // The game just won on `puzzle`, finished at `finished` (UTC) on the
    // picture named `picture`: "Speed" keeps the time the counter shows,
    // "Strategy", which has no counter of time, the stopwatch's own time
    // from the start or resumption.
    // A "Blind" game declared over on a picture not whole is the same
    // result, marked a DNF.
    static GameResult OfWin(const Puzzle& puzzle, const Stopwatch& watch, Style style, const QDateTime& finished,
                            const QString& picture);
};

} // namespace tesselo
