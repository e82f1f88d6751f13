#include "app/sound_play_dir.h"
#include "app/window/sound_effects.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <SDL.h>
#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include <sys/stat.h>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::uint32_t Le32(const QByteArray& b, int at)
{
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

std::uint16_t Le16(const QByteArray& b, int at)
{
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

std::vector<std::int16_t> Pcm16(const QByteArray& bytes, int from = 0, int to = -1)
{
    if (to < 0)
        to = int(bytes.size());
    std::vector<std::int16_t> out(std::size_t(to - from) / 2);
    std::memcpy(out.data(), bytes.constData() + from, out.size() * 2);
    return out;
}

int Peak(const std::vector<std::int16_t>& s)
{
    int peak = 0;
    for (std::int16_t v : s)
        peak = std::max(peak, std::abs(int(v)));
    return peak;
}

// A plain PCM WAV file's bytes: its header and `dataBytes` of a ramp.
QByteArray Wav(int rate, int channels, int bits, int dataBytes)
{
    QByteArray b;
    const auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.append(char(v >> (8 * i)));
    };
    const auto u16 = [&](std::uint16_t v) { b.append(char(v)).append(char(v >> 8)); };
    b.append("RIFF");
    u32(std::uint32_t(36 + dataBytes));
    b.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(std::uint16_t(channels));
    u32(std::uint32_t(rate));
    u32(std::uint32_t(rate * channels * bits / 8));
    u16(std::uint16_t(channels * bits / 8));
    u16(std::uint16_t(bits));
    b.append("data");
    u32(std::uint32_t(dataBytes));
    for (int i = 0; i < dataBytes; ++i)
        b.append(char(i % 64));
    return b;
}

long StatusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').front().toLong();
    return -1;
}

} // namespace

TEST(SoundVolume, PercentMapsOntoBothScalesTruncated)
{
    for (const auto& [percent, library, mixer] :
         {std::tuple{0, 0, 0}, {1, 2, 1}, {50, 127, 63}, {99, 252, 126}, {100, 255, 128}}) {
        EXPECT_EQ(SoundEffects::LibraryVolume(percent), library) << percent;
        EXPECT_EQ(SoundEffects::MixerVolume(percent), mixer) << percent;
    }
}

TEST(Sound, OpensUnderTheDummyDriverAndLoadsTheSixSamplesInOrder)
{
    SoundPlayDir dir;
    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound()) << SDL_GetError();
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&rate, &format, &channels), 1);
    EXPECT_EQ(rate, 44100);
    EXPECT_EQ(Mix_AllocateChannels(-1), 32);
    for (int i = 0; i < SoundEffects::kSampleCount; ++i) {
        ASSERT_NE(sound.samples[std::size_t(i)], nullptr) << kSoundFiles[i];
        // The six files differ in length, so a sample in the wrong slot
        // shows in its size: mono 16-bit data becomes the device's frames.
        QFile f(dir.Path(QString::fromLatin1(kSoundFiles[i])));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const std::uint32_t frames = (std::uint32_t(f.size()) - 44) / 2;
        EXPECT_EQ(sound.samples[std::size_t(i)]->alen, frames * channels * (SDL_AUDIO_BITSIZE(format) / 8))
            << kSoundFiles[i];
    }
    sound.Close();
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    for (Mix_Chunk* chunk : sound.samples)
        EXPECT_EQ(chunk, nullptr);
    sound.Close(); // a second close, and the destructor's, do nothing
}

TEST(Sound, CuesTakeAnyFreeChannelBesideTheClock)
{
    SoundPlayDir dir;
    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound());
    sound.StartClock();
    ASSERT_GE(sound.clockChannel, 0);
    // win.wav lasts a second, far longer than these calls take.
    std::set<int> channels{sound.clockChannel};
    for (int i = 1; i < 32; ++i) {
        const int channel = sound.Play(SoundEffects::Win);
        ASSERT_GE(channel, 0) << i;
        EXPECT_TRUE(channels.insert(channel).second) << "channel " << channel << " given twice";
    }
    EXPECT_EQ(sound.Play(SoundEffects::Move), -1) << "33 sounds on 32 channels";
    EXPECT_TRUE(ClockTicking(sound)) << "the cues cut off the clock";
    EXPECT_EQ(sound.Play(-1), -1);
    EXPECT_EQ(sound.Play(SoundEffects::kSampleCount), -1);
}

TEST(Sound, ClockLoopsUntilStoppedAndItsChannelIsForgotten)
{
    SoundPlayDir dir;
    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound());
    EXPECT_EQ(sound.clockChannel, -1);
    sound.StartClock();
    const int clock = sound.clockChannel;
    ASSERT_GE(clock, 0);
    Sleep(1300); // longer than the one-second sample: only a loop is still playing
    EXPECT_EQ(ChannelsPlaying(sound.samples[SoundEffects::Clock]), 1);

    sound.StopClock();
    EXPECT_EQ(sound.clockChannel, -1);
    EXPECT_FALSE(ClockTicking(sound));

    // The freed channel is the first free one, so the next cue lands on it;
    // a stop through the old number would cut that cue off.
    ASSERT_EQ(sound.Play(SoundEffects::Win), clock);
    sound.StopClock();
    EXPECT_TRUE(Mix_Playing(clock)) << "a stop reached a cue on the clock's old channel";

    // Starting twice leaves one clock, not one looping out of reach.
    sound.StartClock();
    sound.StartClock();
    EXPECT_EQ(ChannelsPlaying(sound.samples[SoundEffects::Clock]), 1);
    sound.StopClock();
    EXPECT_FALSE(ClockTicking(sound));
}

TEST(Sound, VolumeGovernsSoundsStartedLaterOnly)
{
    SoundPlayDir dir;
    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound());
    sound.ApplyVolume(100);
    sound.StartClock();
    ASSERT_GE(sound.clockChannel, 0);
    EXPECT_EQ(Mix_Volume(sound.clockChannel, -1), 128);

    sound.ApplyVolume(50);
    for (int sample : {SoundEffects::Win, SoundEffects::Reset, SoundEffects::Move, SoundEffects::NoMove,
                       SoundEffects::NewGame}) {
        const int channel = sound.Play(sample);
        ASSERT_GE(channel, 0) << sample;
        EXPECT_EQ(Mix_Volume(channel, -1), 63) << sample;
    }
    EXPECT_EQ(Mix_Volume(sound.clockChannel, -1), 128) << "the looping clock changed volume";
    sound.StopClock();
    sound.StartClock();
    EXPECT_EQ(Mix_Volume(sound.clockChannel, -1), 63);

    // "Off" still starts sounds, silently.
    sound.ApplyVolume(0);
    const int channel = sound.Play(SoundEffects::Move);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(Mix_Volume(channel, -1), 0);
}

TEST(Sound, WithoutASoundDeviceEveryRequestIsSilent)
{
    SoundPlayDir dir;
    ScopedAudioDriver driver("no-such-driver");
    SoundEffects sound;
    EXPECT_FALSE(sound.InitSound());
    EXPECT_FALSE(sound.IsOpen());
    for (Mix_Chunk* chunk : sound.samples)
        EXPECT_EQ(chunk, nullptr);
    sound.ApplyVolume(50);
    for (int i = 0; i < SoundEffects::kSampleCount; ++i)
        EXPECT_EQ(sound.Play(i), -1) << i;
    sound.StartClock();
    EXPECT_EQ(sound.clockChannel, -1);
    sound.StopClock();
    sound.Close();
    sound.Close();
    EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO)) << "the failed start left the audio subsystem up";
}

TEST(Sound, AMissingFileSilencesOnlyItsCue)
{
    SoundPlayDir dir({SoundEffects::Move});
    // Not a regular file: must be passed over, not opened.
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("win.wav")));
    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound());
    EXPECT_NE(sound.samples[SoundEffects::Move], nullptr);
    for (int i : {SoundEffects::Win, SoundEffects::Reset, SoundEffects::NoMove, SoundEffects::NewGame,
                  SoundEffects::Clock}) {
        EXPECT_EQ(sound.samples[std::size_t(i)], nullptr) << i;
        EXPECT_EQ(sound.Play(i), -1) << i;
    }
    EXPECT_GE(sound.Play(SoundEffects::Move), 0);
    sound.StartClock();
    EXPECT_EQ(sound.clockChannel, -1);
}

// Damaged files: garbage, a header that promises more than the file holds,
// and a file cut off inside its header. Whatever the mixer makes of them,
// the game starts, plays the rest, and a cue whose file is unreadable is
// silent.
TEST(Sound, DamagedFilesNeverStopTheOthers)
{
    SoundPlayDir dir;
    const auto rewrite = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.Path(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    QFile clock(dir.Path("clock.wav"));
    ASSERT_TRUE(clock.open(QIODevice::ReadOnly));
    const QByteArray whole = clock.readAll();
    ASSERT_GT(whole.size(), 1000);
    rewrite("reset.wav", QByteArray(4096, '\x5a'));
    rewrite("nomove.wav", whole.left(20));
    rewrite("win.wav", whole.left(whole.size() / 3)); // the data chunk claims the whole length

    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound());
    EXPECT_EQ(sound.samples[SoundEffects::Reset], nullptr);
    EXPECT_EQ(sound.Play(SoundEffects::Reset), -1);
    EXPECT_EQ(sound.samples[SoundEffects::NoMove], nullptr);
    EXPECT_EQ(sound.Play(SoundEffects::NoMove), -1);
    // A truncated file may load as its first part; playing it is harmless.
    if (sound.samples[SoundEffects::Win]) {
        EXPECT_GE(sound.Play(SoundEffects::Win), 0);
    }
    for (int i : {SoundEffects::Move, SoundEffects::NewGame})
        EXPECT_GE(sound.Play(i), 0) << i;
    sound.StartClock();
    EXPECT_GE(sound.clockChannel, 0);
    sound.StopClock();
    sound.Close();
}

// Files no cue needs: one that would grow 176-fold once converted for
// mixing, one far too large (sparse, 1 GB), one that is empty, and a link to
// a pipe that would block its reader. Each stays silent without the memory
// it would have cost; a long but sane file still plays.
TEST(Sound, OversizedFilesStaySilentAndCostNothing)
{
    SoundPlayDir dir;
    const auto rewrite = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.Path(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    rewrite("win.wav", Wav(1000, 1, 8, 1000 * 1000));
    rewrite("reset.wav", Wav(44100, 1, 16, 1000));
    ASSERT_TRUE(QFile::resize(dir.Path("reset.wav"), qint64(1) << 30));
    rewrite("newgame.wav", QByteArray());
    ASSERT_EQ(mkfifo(dir.Path("pipe").toLocal8Bit().constData(), 0600), 0);
    QFile::remove(dir.Path("move.wav"));
    ASSERT_TRUE(QFile::link(dir.Path("pipe"), dir.Path("move.wav")));
    rewrite("nomove.wav", Wav(44100, 1, 16, 3 * 1000 * 1000)); // 34 s, 6 MB mixed

    // Resets the peak resident size, so the peak below is this load's.
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1)
        GTEST_SKIP() << "the peak resident size cannot be reset here";
    clearRefs.close();
    const long before = StatusKiB("VmRSS");
    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound());
    const long rise = StatusKiB("VmHWM") - before;
    RecordProperty("peak_rise_kib", int(rise));
    EXPECT_LT(rise, 40 * 1024) << "KiB above the start";

    for (int i : {SoundEffects::Win, SoundEffects::Reset, SoundEffects::NewGame, SoundEffects::Move}) {
        EXPECT_EQ(sound.samples[std::size_t(i)], nullptr) << kSoundFiles[i];
        EXPECT_EQ(sound.Play(i), -1) << kSoundFiles[i];
    }
    EXPECT_GE(sound.Play(SoundEffects::NoMove), 0);
    sound.StartClock();
    EXPECT_GE(sound.clockChannel, 0);
}

// The disk driver writes what the mixer makes to a file at the pace of a
// real device, so what was heard can be read back.
TEST(Sound, ClockIsHeardWhileItRunsAndSilenceFollowsItsStop)
{
    SoundPlayDir dir;
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString raw = out.filePath(QStringLiteral("out.raw"));
    ScopedAudioDriver driver("disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(raw));

    SoundEffects sound;
    ASSERT_TRUE(sound.InitSound()) << SDL_GetError();
    int channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(nullptr, &format, &channels), 1);
    ASSERT_EQ(format, AUDIO_S16SYS);
    sound.StartClock();
    ASSERT_GE(sound.clockChannel, 0);
    Sleep(1200);
    sound.StopClock();
    Sleep(250); // what the device had already taken drains out
    const qint64 stoppedAt = QFileInfo(raw).size() & ~qint64(3);
    Sleep(500);
    QFile f(raw);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    sound.Close();

    ASSERT_GT(stoppedAt, 44100 * 4) << "less than a second was written while the clock ran";
    EXPECT_GT(Peak(Pcm16(bytes, 0, int(stoppedAt))), 3000) << "the clock was not heard";
    ASSERT_GT(bytes.size(), stoppedAt + 44100) << "the device stopped writing";
    EXPECT_EQ(Peak(Pcm16(bytes, int(stoppedAt))), 0) << "sound after the clock was stopped";
}

TEST(SoundAssets, EachCueIsPlainShortPcmThatStartsAndEndsAtRest)
{
    std::set<qint64> lengths;
    for (const char* name : kSoundFiles) {
        SCOPED_TRACE(name);
        QFile f(QStringLiteral(TESSELO_ASSETS_DIR "/") + QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        ASSERT_GE(b.size(), 44);
        EXPECT_EQ(b.mid(0, 4), "RIFF");
        EXPECT_EQ(Le32(b, 4), std::uint32_t(b.size() - 8));
        EXPECT_EQ(b.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le32(b, 16), 16u);
        EXPECT_EQ(Le16(b, 20), 1u) << "not plain PCM";
        EXPECT_EQ(Le16(b, 22), 1u) << "not mono";
        EXPECT_EQ(Le32(b, 24), 44100u);
        EXPECT_EQ(Le32(b, 28), 88200u);
        EXPECT_EQ(Le16(b, 32), 2u);
        EXPECT_EQ(Le16(b, 34), 16u);
        EXPECT_EQ(b.mid(36, 4), "data");
        ASSERT_EQ(Le32(b, 40), std::uint32_t(b.size() - 44));

        const std::vector<std::int16_t> s = Pcm16(b, 44);
        const double seconds = double(s.size()) / 44100;
        EXPECT_GE(seconds, 0.05);
        EXPECT_LE(seconds, 1.5);
        EXPECT_TRUE(lengths.insert(qint64(s.size())).second) << "two cues of the same length";
        const int peak = Peak(s);
        EXPECT_GT(peak, 4000) << "too quiet to hear";
        EXPECT_LT(peak, 32767) << "clipped";
        // A jump from or to silence at either end is heard as a click.
        EXPECT_LE(std::abs(int(s.front())), 64);
        EXPECT_LE(std::abs(int(s.back())), 64);
    }
}

TEST(SoundAssets, ClockLoopsWithoutAClickAtTheSeam)
{
    QFile f(QStringLiteral(TESSELO_ASSETS_DIR "/clock.wav"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const std::vector<std::int16_t> s = Pcm16(f.readAll(), 44);
    ASSERT_GT(s.size(), 4410u);
    // Played end to start, the last samples run into the first: they must
    // meet at rest, with the quiet stretch before the seam truly quiet.
    EXPECT_EQ(s.front(), 0);
    const std::vector<std::int16_t> tail(s.end() - 441, s.end());
    EXPECT_LE(Peak(tail), 64) << "the last 10 ms are not at rest";
    EXPECT_LE(std::abs(int(s.back()) - int(s.front())), 64);
    // A tick and a tock: two separate bursts in the loop.
    int bursts = 0;
    bool inBurst = false;
    for (std::size_t i = 0; i < s.size(); i += 441) {
        const std::vector<std::int16_t> block(s.begin() + long(i), s.begin() + long(std::min(i + 441, s.size())));
        const bool loud = Peak(block) > 2000;
        if (loud && !inBurst)
            ++bursts;
        inBurst = loud;
    }
    EXPECT_EQ(bursts, 2);
}
