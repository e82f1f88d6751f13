// The time from an input to the first changed pixel of the board, measured
// from outside the game, through the X server, as a player's eye would:
// XTest presses a key or moves the pointer as a hand does, and XDamage
// tells when the game's drawing reaches the board's pixels on the server.
//
//   input_latency --prepare DIR WIDTH HEIGHT [race]
//       writes a saved game into DIR: a "Genius" game in play whose board
//       is WIDTH x HEIGHT board pixels, so the window opens around it.
//       With "race", the game races a kept win whose ghost moves every
//       400 ms for as long as any measure takes, so that every input meets
//       the ghost gliding or about to.
//   input_latency --measure WINDOW RATIO BAR WIDTH HEIGHT COUNT
//       measures COUNT key slides and COUNT pointer moves of a drag on the
//       game window WINDOW (an X window id), whose board of WIDTH x HEIGHT
//       board pixels lies BAR board pixels down, at RATIO device pixels a
//       board pixel; prints the median, the 95th percentile and the
//       largest of each, in milliseconds.
//
// Each input waits until the board has been still for a while, so that
// what is timed is the answer to that input alone, not the tail of a glide.
// The damage reported is what the game drew; that a key or a pointer move
// does change the board is checked on its pixels once, apart from the
// timing. Damage that lies wholly in a corner where a race's ghost sits is
// the ghost's own, counted apart and never taken for the board's answer.

#include "model/game.h"
#include "model/game_setup.h"
#include "pictures/game_picture.h"
#include "pictures/picture_setup.h"
#include "records/records.h"
#include "saved/saved_game_store.h"
#include "view/ghost_board.h"

#include <QDateTime>
#include <QDir>
#include <QRect>
#include <QSize>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The win a race runs against: from `start`, a long walk and the way back,
// then the start's own scramble undone; a move every 400 ms.
tesselo::GameResult LongWin(const tesselo::TileGrid& start, const std::vector<tesselo::Move>& scramble)
{
    std::mt19937 random(31);
    std::vector<tesselo::Move> walk;
    for (int i = 0; i < 1000; ++i) {
        const bool row = random() % 2;
        walk.push_back(tesselo::Move{row ? tesselo::MoveAxis::Row : tesselo::MoveAxis::Column,
                                     std::int32_t(random() % (row ? 4 : 6)), row ? 1 : -1});
    }
    tesselo::GameResult win;
    win.size = start.Size();
    win.style = tesselo::Style::Strategy;
    win.start = start;
    win.finished = QDateTime::currentDateTimeUtc().addDays(-1);
    const auto add = [&win](const tesselo::Move& move) {
        win.steps.push_back(tesselo::HistoryStep{move, {}, {}});
        win.stepTimes.push_back(400 * std::int32_t(win.steps.size()));
    };
    for (const tesselo::Move& move : walk)
        add(move);
    for (auto move = walk.rbegin(); move != walk.rend(); ++move)
        add(move->Inverse());
    for (auto move = scramble.rbegin(); move != scramble.rend(); ++move)
        add(move->Inverse());
    win.moves = std::int32_t(win.steps.size());
    win.milliseconds = win.stepTimes.back();
    return win;
}

int Prepare(const char* dir, int width, int height, bool race)
{
    if (!QDir::setCurrent(QString::fromLocal8Bit(dir))) {
        std::fprintf(stderr, "input_latency: no folder %s\n", dir);
        return 1;
    }
    tesselo::Game game;
    tesselo::GamePicture picture(game, tesselo::GamePicture::FirstPicture::WhenLoaded);
    tesselo::GameSetup setup(game);
    setup.grid.Resize(4, 6);
    game.StartSeeded(2718);
    if (race) {
        tesselo::TileGrid start;
        start.Resize(4, 6);
        const std::vector<tesselo::Move> scramble = {
            {tesselo::MoveAxis::Row, 1, 2}, {tesselo::MoveAxis::Column, 3, 1}, {tesselo::MoveAxis::Row, 2, -1},
            {tesselo::MoveAxis::Column, 0, 2}, {tesselo::MoveAxis::Row, 0, 1}};
        for (const tesselo::Move& move : scramble)
            start.Apply(move);
        tesselo::Records records;
        if (!records.Add(LongWin(start, scramble))) {
            std::fprintf(stderr, "input_latency: the win to race was not kept\n");
            return 1;
        }
        const std::vector<tesselo::Records::KeptWin> kept = records.Latest(0, 1);
        if (kept.empty() || !game.StartRace(start, kept.front().id)) {
            std::fprintf(stderr, "input_latency: no race\n");
            return 1;
        }
    }
    tesselo::PictureSetup(picture).folder.width = width;
    tesselo::PictureSetup(picture).folder.height = height;
    QString error;
    if (!tesselo::SavedGameStore().Save(game, picture, &error)) {
        std::fprintf(stderr, "input_latency: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

struct Session {
    Display* display = nullptr;
    Window window = 0;
    int damageEvent = 0;
    XRectangle board{}; // in the window's device pixels
    qreal ratio = 1;
    int rootX = 0, rootY = 0;
    int ghostFrames = 0; // damage of the ghost's corner alone

    bool Open(Window w)
    {
        display = XOpenDisplay(nullptr);
        if (!display)
            return false;
        window = w;
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display, &event, &error, &major, &minor) ||
            !XDamageQueryExtension(display, &damageEvent, &error)) {
            std::fprintf(stderr, "input_latency: the X server lacks XTest or XDamage\n");
            return false;
        }
        XDamageCreate(display, window, XDamageReportRawRectangles);
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &rootX, &rootY, &child);
        XSync(display, False);
        return true;
    }

    bool OnBoard(const XRectangle& r) const
    {
        return r.x < board.x + board.width && r.x + r.width > board.x && r.y < board.y + board.height &&
               r.y + r.height > board.y;
    }

    // Wholly within a corner a race's ghost may take (its frame's margin
    // included).
    bool OnGhost(const XRectangle& r) const
    {
        const QSize whole(int(board.width / ratio + 0.5), int(board.height / ratio + 0.5));
        const QRect damaged(r.x, r.y, r.width, r.height);
        for (int corner = 0; corner < 4; ++corner) {
            const QRect ghost = tesselo::GhostInsetRect(whole, corner).adjusted(-3, -3, 3, 3);
            const QRect device(int(ghost.x() * ratio), board.y + int(ghost.y() * ratio),
                               int(ghost.width() * ratio + 1), int(ghost.height() * ratio + 1));
            if (device.adjusted(-2, -2, 2, 2).contains(damaged))
                return true;
        }
        return false;
    }

    // Waits for the first damage of the board, up to `limit`; true when it
    // came. Other damage (the bar's counter) is read and passed over.
    bool WaitForBoard(std::chrono::milliseconds limit)
    {
        const Clock::time_point end = Clock::now() + limit;
        for (;;) {
            while (XPending(display)) {
                XEvent e;
                XNextEvent(display, &e);
                if (e.type != damageEvent + XDamageNotify)
                    continue;
                const XRectangle& area = reinterpret_cast<XDamageNotifyEvent*>(&e)->area;
                if (OnGhost(area))
                    ++ghostFrames;
                else if (OnBoard(area))
                    return true;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, int(left));
        }
    }

    // Lets the board come to rest: no damage of it for `still`.
    void Settle(std::chrono::milliseconds still = std::chrono::milliseconds(80))
    {
        while (WaitForBoard(still)) {
        }
    }

    void Key(KeySym key, bool down)
    {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), down ? True : False, CurrentTime);
        XFlush(display);
    }
    void Pointer(int x, int y)
    {
        XTestFakeMotionEvent(display, -1, rootX + x, rootY + y, CurrentTime);
        XFlush(display);
    }
    void Button(bool down)
    {
        XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
        XFlush(display);
    }
    // The board's pixels as the server holds them, but for the ghost's corners.
    std::vector<unsigned long> Board()
    {
        XImage* image = XGetImage(display, window, board.x, board.y, board.width, board.height, AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        if (!image)
            return pixels;
        // Not where a ghost may be: it moves on its own.
        for (int y = 0; y < board.height; y += 3)
            for (int x = 0; x < board.width; x += 3)
                if (!OnGhost(XRectangle{short(board.x + x), short(board.y + y), 1, 1}))
                    pixels.push_back(XGetPixel(image, x, y));
        XDestroyImage(image);
        return pixels;
    }
};

struct Figures {
    double median = 0, p95 = 0, worst = 0;
    int missed = 0;
};

Figures Summarise(std::vector<double> ms, int missed)
{
    Figures f;
    f.missed = missed;
    if (ms.empty())
        return f;
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, std::size_t(q * double(ms.size() - 1) + 0.5))]; };
    f.median = at(0.5);
    f.p95 = at(0.95);
    f.worst = ms.back();
    return f;
}

int Measure(Window window, double ratio, int bar, int width, int height, int count)
{
    Session s;
    if (!s.Open(window))
        return 1;
    s.board = XRectangle{0, short(bar * ratio + 0.5), (unsigned short)(width * ratio + 0.5),
                         (unsigned short)(height * ratio + 0.5)};
    s.ratio = ratio;
    const int cellW = width / 6, cellH = height / 4;
    const int y = int((bar + cellH * 1.5) * ratio); // the middle of the second row
    // The pointer rests on the board, so a key's change is not mixed with
    // the pointer's.
    s.Pointer(int(cellW * 2.5 * ratio), y);
    s.Settle();

    // Key slides: the arrows, right and left in turn.
    const std::vector<unsigned long> before = s.Board();
    std::vector<double> keys;
    int keysMissed = 0;
    for (int i = 0; i < count; ++i) {
        s.Settle();
        const KeySym key = i % 2 ? XK_Left : XK_Right;
        const Clock::time_point t0 = Clock::now();
        s.Key(key, true);
        if (s.WaitForBoard(std::chrono::milliseconds(1000)))
            keys.push_back(Ms(Clock::now() - t0));
        else
            ++keysMissed;
        s.Key(key, false);
        if (i == 0) {
            s.Settle();
            if (s.Board() == before) {
                std::fprintf(stderr, "input_latency: a key slide changed no pixel of the board\n");
                return 1;
            }
        }
    }

    // A drag: pressed in the middle of a cell, moved past the axis
    // threshold, then a small move at a time, back and forth.
    const int x0 = int(cellW * 2.5 * ratio);
    s.Button(true);
    s.Pointer(x0 + int(20 * ratio), y);
    s.Settle();
    const std::vector<unsigned long> held = s.Board();
    std::vector<double> drags;
    int dragsMissed = 0;
    for (int i = 0; i < count; ++i) {
        s.Settle();
        const int x = x0 + int((20 + (i % 2 ? 0 : 12 + i % 7)) * ratio);
        const Clock::time_point t0 = Clock::now();
        s.Pointer(x, y);
        if (s.WaitForBoard(std::chrono::milliseconds(1000)))
            drags.push_back(Ms(Clock::now() - t0));
        else
            ++dragsMissed;
        if (i == 0) {
            s.Settle();
            if (s.Board() == held) {
                std::fprintf(stderr, "input_latency: a pointer move changed no pixel of the board\n");
                return 1;
            }
        }
    }
    // Moves faster than frames: the board must end where the pointer ended,
    // however Qt gathered the moves on the way.
    s.Settle();
    for (int i = 1; i <= 10; ++i) {
        s.Pointer(x0 + int((20 + 3 * i) * ratio), y);
        XSync(s.display, False);
    }
    s.Settle(std::chrono::milliseconds(200));
    const std::vector<unsigned long> burst = s.Board();
    s.Pointer(x0 + int(70 * ratio), y);
    s.Settle();
    s.Pointer(x0 + int(50 * ratio), y);
    s.Settle(std::chrono::milliseconds(200));
    const bool followed = s.Board() == burst;
    s.Pointer(x0 + int(20 * ratio), y);
    s.Settle();
    s.Button(false);
    s.Settle();

    const Figures k = Summarise(keys, keysMissed), d = Summarise(drags, dragsMissed);
    std::printf("  %-44s median %6.2f ms  p95 %6.2f ms  max %6.2f ms  (%zu inputs%s)\n",
                "key press to first changed board pixel", k.median, k.p95, k.worst, keys.size(),
                k.missed ? ", some unanswered" : "");
    std::printf("  %-44s median %6.2f ms  p95 %6.2f ms  max %6.2f ms  (%zu inputs%s)\n",
                "drag pointer move to first changed pixel", d.median, d.p95, d.worst, drags.size(),
                d.missed ? ", some unanswered" : "");
    std::printf("  %-44s %s\n", "a burst of moves ends at the last position", followed ? "yes" : "NO");
    if (s.ghostFrames > 0)
        std::printf("  %-44s %d\n", "repaints of a race's ghost meanwhile", s.ghostFrames);
    const auto met = [](const Figures& f) { return f.p95 <= 16.0 && f.median < 8.0 && f.missed == 0; };
    std::printf("  targets (p95 <= 16 ms, median < 8 ms): %s\n", met(k) && met(d) && followed ? "met" : "NOT MET");
    XCloseDisplay(s.display);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if ((argc == 5 || (argc == 6 && std::strcmp(argv[5], "race") == 0)) && std::strcmp(argv[1], "--prepare") == 0)
        return Prepare(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argc == 6);
    if (argc == 8 && std::strcmp(argv[1], "--measure") == 0)
        return Measure(Window(std::strtoul(argv[2], nullptr, 0)), std::atof(argv[3]), std::atoi(argv[4]),
                       std::atoi(argv[5]), std::atoi(argv[6]), std::atoi(argv[7]));
    std::fprintf(stderr, "usage: input_latency --prepare DIR WIDTH HEIGHT [race]\n"
                         "       input_latency --measure WINDOW RATIO BAR WIDTH HEIGHT COUNT\n");
    return 2;
}
