#pragma once

#include "model/game_owner.h"

#include <string>
#include <vector>

namespace tesselo::testing {

// Records what the model asked of its window, in order.
class RecordingOwner : public GameOwner {
public:
    void RepaintBoard() override { calls.push_back("repaint"); }
    void PlayCue(Cue cue) override
    {
        calls.push_back(cue == Cue::Win ? "win" : cue == Cue::Move ? "move" : "nomove");
    }
    void ClockSound(bool ticking) override { calls.push_back(ticking ? "startclock" : "stopclock"); }
    // Counted apart: the cue sequences the tests compare stay the game's.
    void GameWon() override { ++wins; }

    std::vector<std::string> Take()
    {
        auto out = std::move(calls);
        calls.clear();
        return out;
    }

    std::vector<std::string> calls;
    int wins = 0;
};

} // namespace tesselo::testing
