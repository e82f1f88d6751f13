#include "model/game_result.h"

#include "model/puzzle.h"
#include "model/stopwatch.h"

#include <algorithm>

namespace tesselo {

GameResult GameResult::OfWin(const Puzzle& puzzle, const Stopwatch& watch, bool strategy, const QDateTime& finished,
                             const QString& picture)
{
    GameResult r;
    r.size = puzzle.grid.Size();
    r.style = Style::FromStrategy(strategy);
    r.moves = puzzle.moves;
    r.milliseconds = strategy ? watch.Running() : std::max(watch.elapsed, 0);
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
    return r;
}

bool GameResult::IsValid() const
{
    // Dates as ISO 8601 writes them without a sign, years 1 to 9999.
    return size.IsValid() && moves >= 0 && milliseconds >= 0 &&
           finished.isValid() && finished.toUTC().date().year() >= 1 && finished.toUTC().date().year() <= 9999;
}

bool GameResult::Beats(const GameResult& other) const
{
    return Score() < other.Score();
}

} // namespace tesselo
