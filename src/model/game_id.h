#pragma once

#include "model/grid_size.h"

#include <QDate>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tesselo {

class Puzzle;

// The name of a scramble: its grid size and the seed it was shuffled from,
// written "Expert-2718281828" for a level and "5x7-2718281828" for any
// other size (rows first). The same ID gives the same start on every
// machine, since the shuffle's numbers come from the game's own generator.
//
// Read back, an ID is the name of a size (GridSize::FromName: a level's
// key or the counts, in any letter case, so "3x4-5" is "Expert-5"), one
// hyphen and the seed in decimal digits (1 to 10 of them, at most
// 4294967295), with white space around it ignored: what a player copies
// from a message, with its line break, still reads. Nothing else is an ID:
// no sign, no space inside, no translated level name.
struct GameId {
    GridSize size = kNovice;
    std::uint32_t seed = 0;

    QString ToString() const;
    static std::optional<GameId> Parse(const QString& text);
    // The ID of the game in play or just won; nothing when the puzzle keeps
    // no seed (a game resumed from an older save) or is at rest.
    static std::optional<GameId> Of(const Puzzle& puzzle);
    bool operator==(const GameId&) const = default;
};

// The seed of the daily puzzle of a UTC date, the same for every player
// and grid size: the date as the number YYYYMMDD (2026-03-14 is 20260314) put
// through the finaliser of MurmurHash3 (fmix32), which mixes every bit of
// it into every bit of the seed and gives two dates two seeds.
std::uint32_t DailySeed(const QDate& date);

} // namespace tesselo
