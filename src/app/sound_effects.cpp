#include "app/sound_effects.h"

#include <QFileInfo>

#include <algorithm>

#include <SDL.h>
#include <SDL_mixer.h>

namespace tesselo {

namespace {

constexpr const char* kFiles[SoundEffects::kSampleCount] = {
    "win.wav", "reset.wav", "move.wav", "nomove.wav", "newgame.wav", "clock.wav",
};
constexpr int kChannels = 32;

} // namespace

SoundEffects::~SoundEffects() { Close(); }

int SoundEffects::MixerVolume(int percent)
{
    return LibraryVolume(percent) * MIX_MAX_VOLUME / 255;
}

bool SoundEffects::InitSound()
{
    if (open)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kChannels);
    open = true;
    for (int i = 0; i < kSampleCount; ++i) {
        // Only regular files: a named pipe would block the start for ever.
        samples[std::size_t(i)] = QFileInfo(QString::fromLatin1(kFiles[i])).isFile() ? Mix_LoadWAV(kFiles[i]) : nullptr;
    }
    return true;
}

void SoundEffects::ApplyVolume(int percent)
{
    mixerVolume = MixerVolume(std::clamp(percent, 0, 100));
}

int SoundEffects::PlayOnFreeChannel(Mix_Chunk* chunk, int loops)
{
    if (!open || !chunk)
        return -1;
    // The channel is chosen here so that its volume is set before it starts:
    // a sound keeps the volume it started with, whatever changes later.
    for (int channel = 0; channel < kChannels; ++channel) {
        if (Mix_Playing(channel))
            continue;
        Mix_Volume(channel, mixerVolume);
        return Mix_PlayChannel(channel, chunk, loops);
    }
    return -1;
}

void SoundEffects::StartClock()
{
    StopClock();
    clockChannel = PlayOnFreeChannel(samples[Clock], -1);
}

void SoundEffects::StopClock()
{
    // Channels are reused: forget the number once stopped, or a later stop
    // would cut off whatever cue plays there by then.
    if (clockChannel >= 0 && open)
        Mix_HaltChannel(clockChannel);
    clockChannel = -1;
}

int SoundEffects::Play(int sample)
{
    if (sample < 0 || sample >= kSampleCount)
        return -1;
    return PlayOnFreeChannel(samples[std::size_t(sample)], 0);
}

void SoundEffects::Close()
{
    if (!open)
        return;
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& chunk : samples) {
        if (chunk)
            Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open = false;
    clockChannel = -1;
}

} // namespace tesselo
