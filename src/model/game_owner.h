#pragma once

namespace tesselo {

// The sound cues the model asks for; each names one of the sample files.
enum class Cue {
    Win,    // "win.wav"
    Move,   // "move.wav"
    NoMove, // "nomove.wav"
};

// What the model needs from the window that owns it. The main dialog
// implements it; tests use a recording fake.
class GameOwner {
public:
    virtual ~GameOwner() = default;
    // Repaint the whole client area (no erase).
    virtual void RepaintBoard() = 0;
    // Play a cue on any free channel.
    virtual void PlayCue(Cue cue) = 0;
    // Start or stop the looping clock sound. The game decides when
    // (Game::ClockTicks) and says so at every change.
    virtual void ClockSound(bool ticking) = 0;
    // The game was just won: keep it in the records.
    virtual void GameWon() = 0;
};

} // namespace tesselo
