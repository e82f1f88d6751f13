#include "app/window/sound_effects.h"

#include "files/safe_file.h"

#include <QByteArray>

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
    // SDL's own handlers of SIGINT and SIGTERM only queue an event that no
    // one here reads; the program's handlers must stay in charge.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kChannels);
    open = true;
    for (int i = 0; i < kSampleCount; ++i)
        samples[std::size_t(i)] = LoadSample(kFiles[i]);
    return true;
}

Mix_Chunk* SoundEffects::LoadSample(const char* file)
{
    // Read once, from the one handle that was checked (a named pipe put in
    // its place, or a pseudo file that reports size 0 and blocks its reader,
    // would stop the start for ever), so that both passes below see the
    // same bytes.
    const std::optional<QByteArray> read = ReadWholeFile(QString::fromLatin1(file), 1, kMaxFileBytes);
    if (!read)
        return nullptr;
    const QByteArray& bytes = *read;

    // The mixer converts a sample to its own rate and format as it loads it:
    // 8-bit mono at 1000 Hz grows 176-fold. SDL reads the header and data
    // first (no bigger than the file), and the converter says how far the
    // data would grow, before the mixer is let near it.
    SDL_AudioSpec stored;
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.constData(), int(bytes.size())), 1, &stored, &data, &length))
        return nullptr;
    int rate = 0;
    int channels = 0;
    Uint16 format = 0;
    SDL_AudioCVT cvt;
    const bool known = Mix_QuerySpec(&rate, &format, &channels) != 0 &&
                       SDL_BuildAudioCVT(&cvt, stored.format, stored.channels, stored.freq, format, Uint8(channels), rate) >= 0;
    SDL_FreeWAV(data);
    if (!known || (cvt.needed ? double(length) * cvt.len_ratio : double(length)) > double(kMaxMixedBytes))
        return nullptr;
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.constData(), int(bytes.size())), 1);
}

void SoundEffects::ApplyVolume(int percent)
{
    mixerVolume = MixerVolume(std::clamp(percent, Volume::kSilent, Volume::kFull));
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

void SoundEffects::PlayCue(Cue cue)
{
    switch (cue) {
    case Cue::Win: Play(Win); break;
    case Cue::Move: Play(Move); break;
    case Cue::NoMove: Play(NoMove); break;
    case Cue::NewGame: Play(NewGame); break;
    case Cue::Reset: Play(Reset); break;
    }
}

void SoundEffects::Hear(const GameChange& change, bool strategyStyle, int volume, bool cues)
{
    if (const std::optional<Cue> cue = CueOf(change, strategyStyle); cue && cues)
        PlayCue(*cue);
    if (const auto* clock = std::get_if<ClockChanged>(&change))
        SetClock(clock->ticking);
    if (const auto* fact = std::get_if<FactChanged>(&change); fact && fact->fact == FactChanged::Fact::Volume)
        ApplyVolume(volume);
}

} // namespace tesselo
