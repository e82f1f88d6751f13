#include "model/game_result.h"

#include "model/puzzle.h"
#include "model/stopwatch.h"

#include <algorithm>

namespace tesselo {

GameResult GameResult::OfWin(const Puzzle& puzzle, const Stopwatch& watch, Style style, const QDateTime& finished,
                             const QString& picture)
{
    GameResult r;
    r.size = puzzle.grid.Size();
    r.style = style;
    r.moves = puzzle.moves;
    r.milliseconds = style.IsStrategy() ? watch.Running() : std::max(watch.elapsed, 0);
    r.finished = finished;
    r.picture = picture;
    r.start = puzzle.history.start;
    r.movesBefore = puzzle.history.movesBefore;
    r.steps = puzzle.history.Played();
    r.par = puzzle.facts.par;
    r.parIsOptimal = puzzle.facts.parIsOptimal;
    r.assisted = puzzle.facts.assisted;
    if (puzzle.facts.daily.isValid())
        r.daily = puzzle.facts.daily;
    // Moves made before the history began (a game resumed without it) are
    // counted as they were played: nothing is known of how they merge.
    if (style.IsFewestMoves())
        r.netMoves = std::min(r.moves, puzzle.history.movesBefore +
                                           NetLength(r.steps, puzzle.grid.rowCount, puzzle.grid.columnCount));
    r.dnf = style.IsBlind() && !puzzle.grid.IsSolved();
    r.stepTimes = puzzle.history.PlayedTimes();
    r.race = puzzle.facts.raceWin.has_value();
    return r;
}

std::int64_t GameResult::Score() const
{
    if (dnf)
        return kDnfScore;
    return style.IsFewestMoves() ? netMoves : ScoreOf(style, moves, milliseconds);
}

bool GameResult::TakeKeptScore(std::int64_t kept)
{
    if (style.IsFewestMoves()) {
        if (kept < 0 || kept > moves)
            return false;
        netMoves = static_cast<std::int32_t>(kept);
        return true;
    }
    // The other styles' scores are their own figures, whatever the column
    // of a file changed by hand says.
    dnf = style.IsBlind() && kept == kDnfScore;
    return true;
}

bool GameResult::IsValid() const
{
    // Dates as ISO 8601 writes them without a sign, years 1 to 9999.
    return size.IsValid() && moves >= 0 && milliseconds >= 0 && netMoves >= 0 && netMoves <= moves &&
           (!dnf || style.IsBlind()) &&
           finished.isValid() && finished.toUTC().date().year() >= 1 && finished.toUTC().date().year() <= 9999;
}

bool GameResult::Beats(const GameResult& other) const
{
    return Score() < other.Score();
}

} // namespace tesselo
