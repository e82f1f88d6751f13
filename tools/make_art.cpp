// Draws the game's own pictures: the built-in fish, the window icon and the
// sample pictures of the play folder. Everything is drawn by code so that
// the repository holds no opaque image files.
//
//   make_art fish <out.png>
//   make_art icon <out.png> [size, 64 unless given]
//   make_art samples <folder>

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The 16 standard colours, in their usual palette order.
const QRgb kStandard16[16] = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};
enum { Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver, Gray, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White };

QColor Std(int index) { return QColor(kStandard16[index]); }

void Fill(QPainter& p, int colour) { p.setPen(Qt::NoPen); p.setBrush(Std(colour)); }

QImage DrawFish()
{
    QImage img(640, 480, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Sea in bands, darker with depth.
    const int bands[] = {Aqua, Teal, Blue, Navy};
    for (int i = 0; i < 4; ++i) {
        Fill(p, bands[i]);
        p.drawRect(0, i * 100, 640, 100);
    }
    // Sand and stones.
    Fill(p, Olive);
    p.drawRect(0, 400, 640, 80);
    Fill(p, Yellow);
    p.drawPolygon(QPolygon({QPoint(0, 420), QPoint(160, 405), QPoint(330, 425), QPoint(500, 408), QPoint(640, 418), QPoint(640, 480), QPoint(0, 480)}));
    Fill(p, Gray);
    p.drawEllipse(60, 430, 70, 30);
    Fill(p, Silver);
    p.drawEllipse(470, 440, 50, 24);
    // Seaweed.
    for (int s = 0; s < 5; ++s) {
        const int x0 = 30 + s * 140;
        Fill(p, s % 2 ? Green : Lime);
        for (int k = 0; k < 9; ++k) {
            const int y = 410 - k * 28;
            const int dx = (k % 2 ? 12 : -12);
            p.drawPolygon(QPolygon({QPoint(x0 + dx, y), QPoint(x0 + 14 + dx, y), QPoint(x0 + 10 - dx, y - 30), QPoint(x0 - 4 - dx, y - 30)}));
        }
    }
    // The fish: tail, body, stripes, fins, eye.
    Fill(p, Maroon);
    p.drawPolygon(QPolygon({QPoint(190, 230), QPoint(90, 150), QPoint(115, 240), QPoint(90, 330)}));
    Fill(p, Red);
    p.drawEllipse(170, 140, 320, 190);
    Fill(p, Yellow);
    for (int i = 0; i < 3; ++i)
        p.drawRect(250 + i * 60, 160 + (i == 1 ? -8 : 0), 22, 150 + (i == 1 ? 16 : 0));
    Fill(p, Red);
    p.drawEllipse(170, 140, 120, 190); // the rounded back end over the stripes
    Fill(p, Fuchsia);
    p.drawPolygon(QPolygon({QPoint(280, 150), QPoint(330, 80), QPoint(400, 150)}));
    p.drawPolygon(QPolygon({QPoint(300, 320), QPoint(330, 380), QPoint(380, 322)}));
    Fill(p, Purple);
    p.drawPolygon(QPolygon({QPoint(340, 250), QPoint(300, 290), QPoint(380, 270)}));
    Fill(p, White);
    p.drawEllipse(405, 190, 44, 44);
    Fill(p, Black);
    p.drawEllipse(420, 202, 22, 22);
    p.setPen(QPen(Std(Maroon), 4));
    p.drawLine(455, 275, 480, 265);
    // Bubbles.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Std(White), 3));
    p.drawEllipse(505, 170, 20, 20);
    p.drawEllipse(530, 120, 28, 28);
    p.drawEllipse(555, 60, 36, 36);
    p.end();

    // Store it as a 16-colour indexed picture, so the file itself says which
    // colours it may hold.
    QList<QRgb> table(std::begin(kStandard16), std::end(kStandard16));
    return img.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither | Qt::AvoidDither);
}

QImage DrawIcon(int size)
{
    // Four tiles of the fish picture's colours, one of them slid out of line.
    // Drawn on a 64-unit square scaled to the size asked for, so the desktop's
    // icons at every size are the window icon drawn afresh, not resampled.
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 64.0, size / 64.0);
    const int colours[4] = {Red, Yellow, Aqua, Blue};
    const QPoint at[4] = {QPoint(4, 4), QPoint(34, 4), QPoint(4, 34), QPoint(40, 34)};
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(Std(Navy), 2));
        p.setBrush(Std(colours[i]));
        p.drawRoundedRect(QRect(at[i], QSize(26, 26)), 4, 4);
    }
    p.setPen(QPen(Std(White), 3));
    p.drawLine(34, 47, 40, 47);
    return img;
}

// A scene whose every region differs: a two-way colour field under shapes
// that are placed and sized by position, so that no two cells of a 4 x 6 cut
// look alike.
QImage DrawScene(int width, int height, int theme)
{
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width, v = double(y) / height;
            const int hue = int(360 * std::fmod(u * 0.8 + theme * 0.17, 1.0));
            const int sat = 120 + int(100 * v);
            const int val = 255 - int(150 * v * (0.6 + 0.4 * std::sin(u * 9 + theme)));
            line[x] = QColor::fromHsv(hue, sat, std::clamp(val, 40, 255)).rgb();
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QRandomGenerator rng(quint32(1000 + theme));
    const int unit = std::min(width, height);
    for (int i = 0; i < 60; ++i) {
        const int cx = rng.bounded(width), cy = rng.bounded(height);
        const int r = unit / 40 + rng.bounded(unit / 10);
        QColor c = QColor::fromHsv(rng.bounded(360), 200 + rng.bounded(56), 120 + rng.bounded(136));
        p.setPen(QPen(c.darker(180), std::max(2, unit / 200)));
        p.setBrush(c);
        switch ((i + theme) % 4) {
        case 0: p.drawEllipse(QPoint(cx, cy), r, r); break;
        case 1: p.drawRect(cx - r, cy - r / 2, 2 * r, r); break;
        case 2: p.drawPolygon(QPolygon({QPoint(cx, cy - r), QPoint(cx + r, cy + r), QPoint(cx - r, cy + r)})); break;
        default: {
            QPainterPath star;
            for (int k = 0; k < 10; ++k) {
                const double a = k * M_PI / 5 - M_PI / 2;
                const double rr = k % 2 ? r * 0.45 : r;
                const QPointF pt(cx + rr * std::cos(a), cy + rr * std::sin(a));
                k ? star.lineTo(pt) : star.moveTo(pt);
            }
            star.closeSubpath();
            p.drawPath(star);
        }
        }
    }
    // A fine grid of thin rings gives every cell a texture of its own.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    for (int r = unit / 30; r < width + height; r += unit / 30)
        p.drawEllipse(QPoint(width * (theme % 3) / 2, height * ((theme + 1) % 3) / 2), r, r);
    p.end();
    return img;
}

int SaveOrFail(const QImage& img, const QString& path, const char* format, int quality = -1)
{
    if (!img.save(path, format, quality)) {
        std::fprintf(stderr, "make_art: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (argc != 3 && !(argc == 4 && mode == "icon")) {
        std::fprintf(stderr, "usage: make_art fish|icon|samples <out> (icon: [size])\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    if (mode == "fish")
        return SaveOrFail(DrawFish(), out, "PNG");
    if (mode == "icon") {
        const int size = argc == 4 ? std::atoi(argv[3]) : 64;
        if (size < 8 || size > 1024) {
            std::fprintf(stderr, "make_art: icon size %s is not 8 to 1024\n", argv[3]);
            return 2;
        }
        return SaveOrFail(DrawIcon(size), out, "PNG");
    }
    if (mode == "samples") {
        int failed = 0;
        failed |= SaveOrFail(DrawScene(1200, 800, 0), out + "/meadow.bmp", "BMP");
        failed |= SaveOrFail(DrawScene(1600, 900, 1), out + "/harbour.jpg", "JPEG", 90);
        // Qt reads GIF but does not write it; the build turns this into
        // mosaic.gif with ImageMagick.
        failed |= SaveOrFail(DrawScene(800, 600, 2), out + "/mosaic.gif.png", "PNG");
        failed |= SaveOrFail(DrawScene(1024, 768, 3), out + "/garden.png", "PNG");
        failed |= SaveOrFail(DrawScene(600, 900, 4), out + "/tower.png", "PNG");
        failed |= SaveOrFail(DrawScene(720, 1280, 5), out + "/waterfall.jpg", "JPEG", 90);
        return failed;
    }
    std::fprintf(stderr, "make_art: unknown mode %s\n", argv[1]);
    return 2;
}
