#pragma once

#include "model/game_id.h"
#include "model/grid_size.h"
#include "model/history.h"
#include "model/tile_grid.h"

#include <QString>

#include <optional>
#include <vector>

namespace tesselo {

// A solve as one line of plain text, to be shared and played again:
//
//   tesselo-replay 1 Speed Expert-2718281828 R1+1 C3-1 R2+2
//   tesselo-replay 1 Strategy 5x7:12,3,35,... R1+1 C3-1
//
// the format's name and version, the style, the start (the game ID that
// gives exactly this start, or the grid's name and the number of the tile
// in each cell, counted along the rows from 1 as the tiles show them), then
// the moves as `tesselo --solve` writes them, rows and columns from 1.
// Each part is separated by one space.
struct ReplayCode {
    Style style = Style::Strategy;
    TileGrid start;
    std::vector<HistoryStep> steps;

    // The code of a solve. `id`, when given, stands for the start only if
    // its scramble gives exactly this start; otherwise the start is
    // written out.
    static QString Write(Style style, const TileGrid& start, const std::vector<HistoryStep>& steps,
                         std::optional<GameId> id = std::nullopt);
    // A code read as hostile text: anything but a whole, sound code (a
    // size the game does not play, a start that is no arrangement of its
    // pieces or that no slides can solve, a move off the grid, more moves
    // than a history keeps, more text than such a code needs) is nothing,
    // with the reason for the player in `why`. Each move's selection is
    // the one the game gives a move made for the player: the cell where
    // the selected row and column crossed the moved line, carried along.
    static std::optional<ReplayCode> Read(const QString& text, QString* why = nullptr);
    // Whether the text is meant as a code (it begins with the format's
    // name), sound or not.
    static bool LooksLikeOne(const QString& text);

    static constexpr const char* kName = "tesselo-replay";
    static constexpr int kVersion = 1;
    // No code of a kept solve is longer: the largest grid's start and the
    // most moves a history keeps, with room to spare.
    static constexpr qsizetype kMaxLength = 4 * 1024 * 1024;
};

} // namespace tesselo
