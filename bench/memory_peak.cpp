// Loads a large JPEG into a board bitmap and reports how far the process's
// peak resident size rose above its baseline, against the bytes the bitmap
// must hold (the decoded source and the board picture). A ratio near 1 means
// no transient full-size copy of the source was made.
//
//   memory_peak <photo.jpg> [board width] [board height]

#include "pictures/board_bitmap.h"

#include <QGuiApplication>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

long StatusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: memory_peak <photo.jpg> [width] [height]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int width = argc > 2 ? std::atoi(argv[2]) : 1920;
    const int height = argc > 3 ? std::atoi(argv[3]) : 1080;

    tesselo::BoardBitmap board;
    // Warm the decoder up on something tiny so its one-time set-up is part
    // of the baseline, not of the measurement.
    board.LoadScaled(QStringLiteral(":/tesselo/fish.png"), 8, 8);
    const long baseline = StatusKiB("VmRSS");
    if (!board.LoadScaled(QString::fromLocal8Bit(argv[1]), width, height)) {
        std::fprintf(stderr, "memory_peak: %s did not load\n", argv[1]);
        return 1;
    }
    const long peak = StatusKiB("VmHWM");
    const double held = double(board.source.sizeInBytes() + board.picture.sizeInBytes()) / 1024.0;
    const double rise = double(peak - baseline);
    std::printf("memory: baseline %ld KiB, peak %ld KiB, rise %.0f KiB, held %.0f KiB, rise/held %.3f (target <= 1.25)\n",
                baseline, peak, rise, held, rise / held);
    return 0;
}
