#pragma once

#include <QDate>
#include <QJsonObject>

#include <cstdint>
#include <optional>

namespace tesselo {

// What is known of a game in play beyond what "tesselo.dat" has room for.
// It lives in the history file beside the saved game, with the moves, so
// that the two survive a restart together; a game resumed without that
// file knows none of it.
struct GameFacts {
    // The seed its scramble was made from: with the level, the game's ID.
    std::optional<std::uint32_t> seed;
    // A "Speed" game put aside with its stopwatch standing.
    bool paused = false;
    // A "Blind" game whose first move was made: the board stays hidden
    // until the player says it is done.
    bool blindfolded = false;
    // Moves the player was shown (hints) or had made (solve).
    std::int32_t assisted = 0;
    // The shortest solve known for the start, and whether it is proven.
    std::optional<std::int32_t> par;
    bool parIsOptimal = false;
    // The UTC date whose daily puzzle this is; null for any other game.
    QDate daily;
    // The kept win this game races (its records id): the start was known,
    // so its win is never a best. Kept here, so that a race closed and
    // resumed is still one; earlier versions keep it among `others`.
    std::optional<std::int64_t> raceWin;
    // Facts a later version wrote, kept as they were read.
    QJsonObject others;

    QJsonObject ToJson() const;
    // Nothing when a known fact has the wrong type or an impossible value.
    static std::optional<GameFacts> FromJson(const QJsonObject& object);
    bool operator==(const GameFacts&) const = default;
};

} // namespace tesselo
