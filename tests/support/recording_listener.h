#pragma once

#include "model/game.h"
#include "model/game_change.h"

#include <QObject>

#include <string>
#include <vector>

namespace tesselo::testing {

// Records what a game announces, in order: each change by a short name,
// followed by the cue it sounds, if any, in the game's style at the time.
class RecordingListener {
public:
    void Follow(Game& game)
    {
        Stop();
        connection = QObject::connect(&game, &Game::Changed, [this, &game](const GameChange& change) {
            // What a listener sees is the game after the change.
            gridsSeen.push_back(game.View().puzzle.grid);
            changes.push_back(change);
            calls.push_back(Name(change));
            if (const std::optional<Cue> cue = CueOf(change, game.View().style.IsStrategy()))
                calls.push_back(Name(*cue));
            if (const auto* state = std::get_if<StateChanged>(&change); state && state->to == PlayState::Won)
                ++wins;
        });
    }
    void Stop() { QObject::disconnect(connection); }

    std::vector<std::string> Take()
    {
        auto out = std::move(calls);
        calls.clear();
        changes.clear();
        gridsSeen.clear();
        return out;
    }

    static std::string Name(const GameChange& change)
    {
        struct Namer {
            std::string operator()(const MoveMade&) const { return "moved"; }
            std::string operator()(const MoveTakenBack&) const { return "undone"; }
            std::string operator()(const NewPosition& p) const
            {
                static const char* const names[] = {"new game", "reset", "named", "loaded", "restored", "resized"};
                return names[int(p.cause)];
            }
            std::string operator()(const StateChanged& s) const
            {
                static const char* const names[] = {"won", "paused", "resumed", "dnf"};
                return names[int(s.to)];
            }
            std::string operator()(const SelectionMoved&) const { return "selected"; }
            std::string operator()(const GestureChanged& g) const
            {
                static const char* const names[] = {"followed", "released", "cancelled"};
                return names[int(g.step)];
            }
            std::string operator()(const ClockChanged& c) const { return c.ticking ? "startclock" : "stopclock"; }
            std::string operator()(const StyleChanged&) const { return "style"; }
            std::string operator()(const HintChanged& h) const { return h.move ? "hint" : "no hint"; }
            std::string operator()(const FactChanged& f) const
            {
                static const char* const names[] = {"volume", "par", "help"};
                return names[int(f.fact)];
            }
        };
        return std::visit(Namer{}, change);
    }
    static std::string Name(Cue cue)
    {
        static const char* const names[] = {"win", "move", "nomove", "newgame sound", "reset sound"};
        return names[int(cue)];
    }

    std::vector<std::string> calls;
    std::vector<GameChange> changes;
    // The grid as each listener saw it when it heard the change.
    std::vector<TileGrid> gridsSeen;
    // Counted apart: the sequences the tests compare stay the game's.
    int wins = 0;

private:
    QMetaObject::Connection connection;
};

} // namespace tesselo::testing
