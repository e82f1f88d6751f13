#include "model/stopwatch.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace tesselo {

std::int64_t Stopwatch::Steady()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Stopwatch::Stopwatch(Clock source) : clock(std::move(source))
{
    // A game started before the first tick starts from a real reading.
    lastReading = clock();
    clockNow = lastReading;
    clockStart = clockNow;
}

void Stopwatch::Tick()
{
    Read();
    if (resumePending) {
        clockStart = clockNow - elapsed;
        resumePending = false;
    }
}

void Stopwatch::Read()
{
    // A clock that is not monotonic after all is never followed backwards;
    // time goes on from its new reading.
    const std::int64_t now = clock();
    const std::int64_t step = std::max<std::int64_t>(now - lastReading, 0);
    lastReading = now;
    if (holds != 0)
        clockStart += step;
    clockNow += step;
}

void Stopwatch::Start()
{
    clockStart = clockNow;
    resumePending = false;
}

void Stopwatch::ResumeAt(std::int32_t ms)
{
    elapsed = ms;
    resumePending = true;
}

void Stopwatch::ContinueAt(std::int32_t ms)
{
    elapsed = ms;
    clockStart = clockNow - ms;
    resumePending = false;
}

std::int32_t Stopwatch::Running() const
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(clockNow - clockStart, 0, kMaxElapsed));
}

void Stopwatch::SetHold(Hold hold, bool on)
{
    holds = on ? (holds | hold) : (holds & ~unsigned(hold));
}

} // namespace tesselo
