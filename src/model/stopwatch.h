#pragma once

#include <cstdint>
#include <functional>

namespace tesselo {

// The game's stopwatch. It reads a monotonic clock, never the wall clock,
// so a clock the player or the network sets back or forward during a game
// changes nothing it shows or records. The clock is injected: tests set
// the time.
class Stopwatch {
public:
    // Milliseconds from any fixed moment; never goes back.
    using Clock = std::function<std::int64_t()>;
    static std::int64_t Steady();

    // 99:59:59.9: far below 2^31 ms, and the most the counter can show. A
    // saved time beyond it, or below zero, is no time a game can show.
    static constexpr std::int32_t kMaxElapsed = 359999900;

    // What makes it stand while a game is in play.
    enum Hold : unsigned { Replay = 1, Pause = 2 };

    explicit Stopwatch(Clock clock = Steady);

    // Reads the clock, as the window does when it opens and while a
    // "Speed" clock runs. While held, the start moves with the clock, so
    // the time stands. A pending resume takes its start from this first
    // reading.
    void Tick();
    // Reads the clock as a tick does, but leaves a pending resume for the
    // first tick: what the game does whenever it needs the time.
    void Read();
    // Runs from zero at the last reading.
    void Start();
    // Runs on from `ms` at the next reading: a saved game resumed.
    void ResumeAt(std::int32_t ms);
    // Runs on from `ms` now: a game brought back by undoing its reset.
    void ContinueAt(std::int32_t ms);
    // Time since the start, within 0 .. kMaxElapsed: the stopwatch stops
    // at its largest reading rather than wrap.
    std::int32_t Running() const;
    void SetHold(Hold hold, bool on);
    bool IsHeld() const { return holds != 0; }
    bool IsHeld(Hold hold) const { return (holds & hold) != 0; }

    std::int64_t clockNow = 0;
    std::int64_t clockStart = 0;
    // The time the counter shows for "Speed", and the saved game keeps.
    std::int32_t elapsed = 0;
    bool resumePending = false;

private:
    Clock clock;
    std::int64_t lastReading = 0;
    unsigned holds = 0;
};

} // namespace tesselo
