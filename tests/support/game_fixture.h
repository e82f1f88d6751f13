#pragma once

#include "model/game.h"
#include "model/game_setup.h"
#include "support/recording_listener.h"
#include "support/saved_games.h"
#include "support/temp_cwd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tesselo::testing {

// A game in an empty play directory (so the fish, 640 x 480), with both of
// its clocks set by the test and a listener that records what it announces.
struct GameFixture : ::testing::Test {
    using Calls = std::vector<std::string>;

    GameFixture() { Reopen(); }
    // A fresh Game in the same directory, as at the next start.
    void Reopen()
    {
        game = std::make_unique<Game>(GameClocks{[this] { return fileTime; }, [this] { return monotonic; }});
        listener.Follow(*game);
    }
    void Start(std::int32_t rows, std::int32_t columns)
    {
        game->ChangeSize({rows, columns});
        game->NewGame();
        ASSERT_EQ(game->View().puzzle.state, Playing);
    }
    // Time passes and the window's timer ticks.
    void Wait(std::int64_t ms)
    {
        monotonic += ms;
        game->Tick();
    }
    GameSetup Edit() { return GameSetup(*game); }

    TempCwd cwd;
    std::uint64_t fileTime = 133000000000000000ULL;
    std::int64_t monotonic = 5000000;
    RecordingListener listener;
    std::unique_ptr<Game> game;
};

} // namespace tesselo::testing
