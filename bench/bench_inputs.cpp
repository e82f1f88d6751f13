#include "bench_inputs.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <cmath>

namespace tesselo::bench {

bool WriteInputs(const QString& dir, int width, int height)
{
    QDir().mkpath(dir);
    // Smooth light and shade with fine grain on top: JPEG cannot compress it
    // to nothing, as it could a flat test card.
    QImage img(width, height, QImage::Format_RGB32);
    QRandomGenerator rng(6000);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double fy = double(y) / height;
        for (int x = 0; x < width; ++x) {
            const double fx = double(x) / width;
            const int grain = int(rng.bounded(24)) - 12;
            const int r = int(128 + 100 * std::sin(6.0 * fx + 2.0 * fy)) + grain;
            const int g = int(128 + 90 * std::cos(4.0 * fy - 3.0 * fx)) + grain;
            const int b = int(128 + 80 * std::sin(9.0 * fx * fy)) + grain;
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 400; ++i) {
        p.setPen(QPen(QColor::fromRgb(rng.generate()), 1 + rng.bounded(8)));
        p.setBrush(QColor::fromRgb(rng.generate()));
        const int s = 10 + int(rng.bounded(std::max(width / 20, 11)));
        p.drawEllipse(int(rng.bounded(width)), int(rng.bounded(height)), s, s);
    }
    p.end();
    return img.save(dir + QStringLiteral("/photo.jpg"), "JPEG", 90) &&
           img.save(dir + QStringLiteral("/photo.png"), "PNG");
}

} // namespace tesselo::bench
