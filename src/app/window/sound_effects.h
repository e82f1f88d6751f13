#pragma once

#include "model/game_change.h"

#include <QtGlobal>

#include <array>

struct Mix_Chunk;

namespace tesselo {

// The game's sound: six samples and the looping clock, through SDL_mixer.
// When the audio device cannot be opened every request is silently a no-op;
// nothing in the game depends on sound.
class SoundEffects {
public:
    // In load order: "win.wav", "reset.wav", "move.wav", "nomove.wav",
    // "newgame.wav", "clock.wav".
    enum Sample { Win = 0, Reset, Move, NoMove, NewGame, Clock, kSampleCount };

    SoundEffects() = default;
    ~SoundEffects();
    SoundEffects(const SoundEffects&) = delete;
    SoundEffects& operator=(const SoundEffects&) = delete;

    // Opens the mixer at 44100 Hz with 32 channels and loads the samples
    // from the current directory. False when there is no sound to be had;
    // every handle then stays null and every later request is silent.
    bool InitSound();
    // Sets the volume, in percent, of every sound started from now on; a
    // sound already playing, the looping clock included, keeps its own.
    void ApplyVolume(int percent);
    // Loops the clock sample on a free channel, kept in clockChannel (-1
    // when it could not start). A clock still looping is stopped first, so
    // there is never more than one.
    void StartClock();
    // Stops the clock if it runs and forgets its channel.
    void StopClock();
    // Plays one sample once on a free channel; returns the channel, or -1
    // when nothing plays (no mixer, no sample, no free channel).
    int Play(int sample);
    // The cues the game asks for, and its clock started or stopped.
    void PlayCue(Cue cue);
    // Follows a stream of changes (the game's, or a replay's board's): the
    // cue the one rule gives a change in the style played (when `cues`),
    // the clock started or stopped, and the game's `volume` once it changed.
    void Hear(const GameChange& change, bool strategyStyle, int volume, bool cues);
    void SetClock(bool ticking) { ticking ? StartClock() : StopClock(); }
    // Ends all sound and closes the mixer; safe to call again.
    void Close();

    // The volume scale the game was designed around runs 0..255.
    static int LibraryVolume(int percent) { return percent * 255 / Volume::kFull; }
    // The same, on the mixer's own 0..128 scale.
    static int MixerVolume(int percent);

    bool IsOpen() const { return open; }

    // Cues are short. A file larger than this, or whose sound would take
    // more than kMaxMixedBytes once converted to the mixer's format, is
    // treated as a damaged one: that cue stays silent.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;
    static constexpr qint64 kMaxMixedBytes = 16 * 1024 * 1024;

    std::array<Mix_Chunk*, kSampleCount> samples{};
    int clockChannel = -1;

private:
    int PlayOnFreeChannel(Mix_Chunk* chunk, int loops);
    // Loads one cue within the limits above, or returns null.
    static Mix_Chunk* LoadSample(const char* file);

    bool open = false;
    int mixerVolume = 128;
};

} // namespace tesselo
