#pragma once

#include "app/window/sound_effects.h"
#include "support/temp_cwd.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>

namespace tesselo::testing {

inline const char* const kSoundFiles[] = {"win.wav",    "reset.wav",   "move.wav",
                                          "nomove.wav", "newgame.wav", "clock.wav"};

// An empty play directory holding the generated sounds, as the run command
// prepares it. The default is all six; a test may ask for fewer.
class SoundPlayDir : public TempCwd {
public:
    explicit SoundPlayDir(std::initializer_list<int> which = {0, 1, 2, 3, 4, 5})
    {
        for (int i : which) {
            const QString name = QString::fromLatin1(kSoundFiles[i]);
            EXPECT_TRUE(QFile::copy(QStringLiteral(TESSELO_ASSETS_DIR "/") + name, Path(name)))
                << name.toStdString();
        }
    }
};

// SDL reads its audio driver when the audio subsystem starts; a test that
// needs another one sets it for its own duration.
class ScopedAudioDriver {
public:
    explicit ScopedAudioDriver(const char* driver) : previous(qgetenv("SDL_AUDIODRIVER"))
    {
        qputenv("SDL_AUDIODRIVER", driver);
    }
    ~ScopedAudioDriver() { qputenv("SDL_AUDIODRIVER", previous); }

private:
    QByteArray previous;
};

// How many mixer channels are playing this chunk right now.
inline int ChannelsPlaying(const Mix_Chunk* chunk)
{
    int n = 0;
    for (int channel = 0; channel < 32; ++channel)
        if (chunk && Mix_Playing(channel) && Mix_GetChunk(channel) == chunk)
            ++n;
    return n;
}

inline bool ClockTicking(const SoundEffects& sound)
{
    return ChannelsPlaying(sound.samples[SoundEffects::Clock]) > 0;
}

} // namespace tesselo::testing
