// The move history file is read at every start from the player's folder,
// where anything may have been put under its name. Whatever the bytes, the
// reader must either refuse them or give a history the game can replay
// safely: every step fits the grid, replaying it keeps the grid playable,
// and it writes back to the same history.

#include "fuzz_support.h"

#include "saved/history_file.h"

#include <QByteArray>

using namespace tesselo;
using tesselo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    std::optional<HistoryFile::Contents> contents = HistoryFile::Decode(bytes);
    if (!contents)
        return 0;
    History* history = &contents->history;
    Require(history->IsActive() && history->IsConsistent(), "an accepted history fits its grid");
    tesselo::fuzz::RequirePlayableGrid(history->start);
    TileGrid grid = history->start;
    for (const HistoryStep& step : history->steps) {
        Require(grid.Apply(step.move), "every step moves something");
        grid.Select(step.after);
        tesselo::fuzz::RequirePlayableGrid(grid);
    }
    Require(history->Leads(history->GridAt(history->position), history->MoveCount()),
            "a history leads to its own position");

    // Undo everything and redo it: the grid comes back exactly.
    const TileGrid atPosition = history->GridAt(history->position);
    grid = atPosition;
    while (const HistoryStep* step = history->StepBack()) {
        Require(grid.Apply(step->move.Inverse()), "every undo moves something");
        grid.Select(step->before);
    }
    Require(grid.SameCells(history->start), "undoing everything gives the start");
    while (const HistoryStep* step = history->StepForward()) {
        grid.Apply(step->move);
        grid.Select(step->after);
    }
    Require(grid.SameCells(history->GridAt(history->steps.size())), "redoing everything gives the end");

    const std::optional<HistoryFile::Contents> again =
        HistoryFile::Decode(HistoryFile::Encode(*history, contents->facts));
    Require(again && again->history.steps == history->steps && again->history.start.SameCells(history->start) &&
                again->history.movesBefore == history->movesBefore &&
                again->history.position == history->position && again->facts == contents->facts,
            "a history and its facts write back to themselves");
    return 0;
}
