// Synthesises the game's six sound cues as 16-bit mono PCM WAV files at
// 44100 Hz, so the repository holds their recipe rather than recordings.
//
//   make_sounds <out dir>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;

void Put16(std::ofstream& out, std::uint16_t v)
{
    out.put(char(v & 0xff));
    out.put(char(v >> 8));
}

void Put32(std::ofstream& out, std::uint32_t v)
{
    Put16(out, std::uint16_t(v & 0xffff));
    Put16(out, std::uint16_t(v >> 16));
}

bool WriteWav(const std::string& path, const Samples& s)
{
    std::ofstream out(path, std::ios::binary);
    const std::uint32_t dataBytes = std::uint32_t(s.size() * 2);
    out.write("RIFF", 4);
    Put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1); // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    out.write("data", 4);
    Put32(out, dataBytes);
    for (double v : s) {
        const double clipped = std::fmax(-1.0, std::fmin(1.0, v));
        Put16(out, std::uint16_t(std::int16_t(std::lround(clipped * 32000))));
    }
    return bool(out);
}

// A struck tone: a quick attack, then an exponential fade; two partials
// make it sound like a small bell rather than a test tone.
void Bell(Samples& s, double start, double freq, double length, double gain)
{
    const std::size_t from = std::size_t(start * kRate);
    const std::size_t n = std::size_t(length * kRate);
    if (s.size() < from + n)
        s.resize(from + n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        const double attack = std::fmin(1.0, t / 0.004);
        const double fade = std::exp(-t * 6.0 / length);
        const double tail = 1.0 - double(i) / double(n); // reaches zero exactly: no click at the end
        const double v = std::sin(2 * kPi * freq * t) + 0.3 * std::sin(2 * kPi * freq * 2.01 * t);
        s[from + i] += gain * attack * fade * tail * v / 1.3;
    }
}

Samples Win()
{
    Samples s;
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    for (int i = 0; i < 4; ++i)
        Bell(s, 0.11 * i, notes[i], i == 3 ? 0.7 : 0.35, 0.5);
    return s;
}

Samples Reset()
{
    // A falling sweep: the picture put back.
    const std::size_t n = std::size_t(0.3 * kRate);
    Samples s(n);
    double phase = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double k = double(i) / double(n);
        phase += 2 * kPi * (700.0 - 500.0 * k) / kRate;
        s[i] = 0.45 * std::sin(phase) * std::sin(kPi * k);
    }
    return s;
}

Samples Move()
{
    Samples s;
    Bell(s, 0, 880, 0.09, 0.55);
    return s;
}

Samples NoMove()
{
    // A soft low buzz: nothing moved.
    const std::size_t n = std::size_t(0.16 * kRate);
    Samples s(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double t = double(i) / kRate;
        const double k = double(i) / double(n);
        const double square = std::sin(2 * kPi * 140 * t) > 0 ? 1.0 : -1.0;
        s[i] = 0.18 * square * std::sin(kPi * k);
    }
    return s;
}

Samples NewGame()
{
    Samples s;
    Bell(s, 0, 392.0, 0.3, 0.5);
    Bell(s, 0.12, 587.33, 0.35, 0.5);
    return s;
}

Samples Clock()
{
    // One second that loops: a tick, and a lower tock half a second later.
    // Both die away long before the end, so the seam meets silence with
    // silence and the loop never clicks.
    Samples s(kRate, 0.0);
    const auto knock = [&](double start, double freq) {
        const std::size_t from = std::size_t(start * kRate);
        const std::size_t n = std::size_t(0.03 * kRate);
        for (std::size_t i = 0; i < n; ++i) {
            const double t = double(i) / kRate;
            const double tail = 1.0 - double(i) / double(n);
            s[from + i] += 0.5 * std::sin(2 * kPi * freq * t) * std::exp(-t * 180.0) * tail;
        }
    };
    knock(0.0, 2200);
    knock(0.5, 1500);
    s[0] = 0.0;
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds <out dir>\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = WriteWav(dir + "/win.wav", Win()) && WriteWav(dir + "/reset.wav", Reset()) &&
                    WriteWav(dir + "/move.wav", Move()) && WriteWav(dir + "/nomove.wav", NoMove()) &&
                    WriteWav(dir + "/newgame.wav", NewGame()) && WriteWav(dir + "/clock.wav", Clock());
    if (!ok) {
        std::fprintf(stderr, "make_sounds: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
