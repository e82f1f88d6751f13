#include "painter_scene.h"

#include "model/game.h"
#include "model/game_setup.h"
#include "pictures/game_picture.h"
#include "pictures/picture_setup.h"
#include "view/c_puzzle_image.h"
#include "view/hint_overlay.h"

#include <QPaintEvent>
#include <QTest>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

using namespace tesselo;
using namespace tesselo::test;

namespace {

std::vector<QString>* capturedWarnings = nullptr;

void CaptureWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (capturedWarnings && type != QtDebugMsg && type != QtInfoMsg)
        capturedWarnings->push_back(message);
}

// A game whose board is the coordinate picture, scrambled.
struct Fixture {
    Fixture()
    {
        pictureSetup.board.picture = Coordinates(640, 480);
        setup.grid.Shuffle(5);
        setup.grid.Select({1, 1});
        control.Show(&game, &picture);
        control.resize(640, 480);
        background = control.palette().window().color().rgb();
    }

    // What the control paints of itself, with nothing of its parent.
    QImage Grab()
    {
        QImage img(control.size(), QImage::Format_RGB32);
        img.fill(kUntouched);
        control.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        return img;
    }

    // The strip beyond the last whole cell shows the window's background,
    // the rest whatever the given painting draws.
    template <typename Draw>
    QImage Expected(Draw draw)
    {
        QImage img(control.size(), QImage::Format_RGB32);
        img.fill(background);
        QPainter painter(&img);
        PainterTarget target(painter);
        draw(target);
        return img;
    }

    Game game;
    GameSetup setup{game};
    GamePicture picture{game};
    PictureSetup pictureSetup{picture};
    CPuzzleImage control;
    QRgb background = 0;
};

} // namespace

TEST(CPuzzleImage, IsOpaqueAndLetsThePointerThrough)
{
    CPuzzleImage control;
    EXPECT_EQ(control.Shown(), nullptr);
    EXPECT_TRUE(control.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(control.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(CPuzzleImage, PaintsThroughThePainterOfTheOpenGesture)
{
    Fixture f;
    ASSERT_FALSE(f.game.View().puzzle.grid.IsSolved());
    const BoardBitmap& board = f.picture.Board();
    // Without numbers and with them: the plates go along in every gesture.
    for (const bool numbers : {false, true}) {
        SCOPED_TRACE(numbers ? "numbers on" : "numbers off");
        f.control.SetNumbers(numbers);
        NumberPlates ownPlates;
        NumberPlates* plates = numbers ? &ownPlates : nullptr;

        f.control.Follow(GestureChanged{GestureChanged::Step::Cancelled, None, 0});
        const QImage rest = f.Grab();
        EXPECT_EQ(Differences(rest, f.Expected([&](PaintTarget& t) { DrawBoard(t, board, plates); })), 0);
        EXPECT_EQ(Differences(rest, f.Expected([&](PaintTarget& t) { DrawBoard(t, board); })) > 0, numbers);

        // The drag is painted as its changes tell it, each axis at the
        // offset told; another offset would paint differently.
        f.control.Follow(GestureChanged{GestureChanged::Step::Followed, Horizontal, 50});
        const QImage row = f.Grab();
        EXPECT_EQ(Differences(row, f.Expected([&](PaintTarget& t) { DrawRowDrag(t, board, 50, plates); })), 0);
        EXPECT_GT(Differences(row, f.Expected([&](PaintTarget& t) { DrawRowDrag(t, board, 70, plates); })), 0);

        f.control.Follow(GestureChanged{GestureChanged::Step::Followed, Vertical, 70});
        const QImage column = f.Grab();
        EXPECT_EQ(Differences(column, f.Expected([&](PaintTarget& t) { DrawColumnDrag(t, board, 70, plates); })), 0);
        EXPECT_GT(Differences(column, f.Expected([&](PaintTarget& t) { DrawColumnDrag(t, board, 50, plates); })), 0);
    }
}

TEST(CPuzzleImage, InOrderBoardShowsTheWholePictureWhateverThePlay)
{
    Fixture f;
    f.setup.grid.Resize(2, 3);
    ASSERT_TRUE(f.game.View().puzzle.grid.IsSolved());
    for (const GameState state : {Idle, Playing, Solved}) {
        f.setup.puzzle.state = state;
        EXPECT_EQ(Differences(f.Grab(), f.picture.Board().picture), 0) << state;
    }
    // A control larger than the picture shows the background beyond it.
    f.control.resize(650, 490);
    const QImage img = f.Grab();
    EXPECT_EQ(Differences(img.copy(0, 0, 640, 480), f.picture.Board().picture), 0);
    EXPECT_EQ(img.pixel(645, 100), f.background);
    EXPECT_EQ(img.pixel(100, 485), f.background);
}

TEST(CPuzzleImage, APaintThatFailsEndsCleanly)
{
    Fixture f;
    std::vector<QString> warnings;
    capturedWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(CaptureWarnings);

    QImage blank(f.control.size(), QImage::Format_RGB32);
    blank.fill(f.background);
    // No picture: the painter gives up before drawing; the control still
    // covers itself with its background.
    f.pictureSetup.board.picture = QImage();
    for (const DragAxis axis : {None, Horizontal, Vertical}) {
        f.control.Follow(
            GestureChanged{axis == None ? GestureChanged::Step::Cancelled : GestureChanged::Step::Followed, axis, 50});
        QImage img(f.control.size(), QImage::Format_RGB32);
        img.fill(kUntouched);
        f.control.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        EXPECT_EQ(Differences(img, blank), 0) << axis;
        // The control's painter has let go of the device.
        QPainter after(&img);
        EXPECT_TRUE(after.isActive()) << axis;
    }
    // No game at all is painted as background too.
    f.control.Show(nullptr, nullptr);
    EXPECT_EQ(Differences(f.Grab(), blank), 0);

    // And the next paint with a picture is whole again.
    f.control.Show(&f.game, &f.picture);
    f.pictureSetup.board.picture = Coordinates(640, 480);
    EXPECT_EQ(Differences(f.Grab(), f.Expected([&](PaintTarget& t) { DrawBoard(t, f.picture.Board()); })), 0);

    qInstallMessageHandler(previous);
    capturedWarnings = nullptr;
    EXPECT_TRUE(warnings.empty()) << (warnings.empty() ? QString() : warnings.front()).toStdString();
}

// A widget is painted into its window's image at its place there, through
// the region that needs it: the board lands at that place, and nothing
// outside the region changes.
TEST(CPuzzleImage, APartialPaintChangesOnlyItsRegion)
{
    Fixture f;
    const QImage whole = f.Grab();
    QImage window(700, 520, QImage::Format_RGB32);
    window.fill(kUntouched);
    const QPoint place(13, 7);
    const QRegion region = QRegion(10, 20, 100, 50) + QRegion(300, 200, 90, 250);
    f.control.render(&window, place, region, QWidget::DrawChildren);
    // The region's corner goes to that place.
    const QPoint shift = place - region.boundingRect().topLeft();
    const QRegion changed = region.translated(shift);
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x)
            ASSERT_EQ(window.pixel(x, y), changed.contains(QPoint(x, y)) ? whole.pixel(QPoint(x, y) - shift) : kUntouched)
                << x << "," << y;
}

// On a screen of any density the control shows the board picture's device
// pixels one to one; run at ratio 1 and, as its own test, at ratio 2.
TEST(CPuzzleImage, ShowsTheBoardAtTheScreensDevicePixels)
{
    Fixture f;
    const qreal ratio = f.control.devicePixelRatioF();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        ASSERT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    f.setup.grid.Resize(2, 3);
    f.pictureSetup.board.picture = Coordinates(qRound(640 * ratio), qRound(480 * ratio));
    f.pictureSetup.board.picture.setDevicePixelRatio(ratio);
    const QImage shown = f.control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(640, 480) * ratio);
    QImage expected = f.picture.Board().picture;
    EXPECT_EQ(Differences(shown, expected), 0) << "at ratio " << ratio;

    // Scrambled, a piece still shows its own device pixels.
    f.setup.grid.Shuffle(5);
    const QImage played = f.control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const Tile& t = f.game.View().puzzle.grid.At(1, 1);
    const auto device = [ratio](int v) { return int(std::floor(v * ratio + 0.5)); };
    for (int y = 8; y < device(200); y += 7)
        for (int x = 8; x < device(200); x += 5)
            ASSERT_EQ(played.pixel(device(213) + x, device(240) + y),
                      expected.pixel(device(t.homeColumn * 213) + x, device(t.homeRow * 240) + y))
                << x << "," << y;
}

// A paused game's board is covered whole: not one pixel of the picture, of
// the grid lines or of the selection shows, in a window of any shape. The
// panel's colours all have a blue part below 0x80, every pixel of the
// coordinate picture one above.
TEST(CPuzzleImage, APausedBoardShowsNoPixelOfThePicture)
{
    Fixture f;
    std::set<QRgb> picture;
    for (int y = 0; y < f.picture.Board().picture.height(); ++y)
        for (int x = 0; x < f.picture.Board().picture.width(); ++x)
            picture.insert(f.picture.Board().picture.pixel(x, y));
    f.setup.style = Style::Speed;
    f.setup.puzzle.state = Playing;
    f.control.Follow(GestureChanged{GestureChanged::Step::Followed, Horizontal, 50});
    ASSERT_TRUE(f.game.SetPaused(true));
    for (const QSize size : {QSize(640, 480), QSize(650, 490), QSize(90, 400), QSize(3, 2)}) {
        f.control.resize(size);
        const QImage img = f.Grab();
        int shown = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                shown += picture.count(img.pixel(x, y)) + (img.pixel(x, y) == kSelectionColour) +
                         (img.pixel(x, y) == kGridColour) + (img.pixel(x, y) == kUntouched);
        EXPECT_EQ(shown, 0) << size.width() << " x " << size.height();
    }
    ASSERT_TRUE(f.game.SetPaused(false));
    f.control.resize(640, 480);
    EXPECT_EQ(Differences(f.Grab(), f.Expected([&](PaintTarget& t) { DrawBoard(t, f.picture.Board()); })), 0);
}

// A hint is drawn over the board as the overlay draws it on its own, at the
// board's place and size whatever the ratio (run at 1 and 2, as above), and
// never over a gesture.
TEST(CPuzzleImage, DrawsTheHintOverTheBoardAtAnyRatio)
{
    Fixture f;
    const qreal ratio = f.control.devicePixelRatioF();
    const QImage board = f.control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const Move hint{MoveAxis::Column, 2, -1};
    f.control.SetHint(hint);
    const QImage shown = f.control.grab().toImage().convertToFormat(QImage::Format_RGB32);

    QImage expected = board;
    expected.setDevicePixelRatio(ratio);
    {
        QPainter painter(&expected);
        DrawHint(painter, QSize(f.picture.Board().CellWidth(), f.picture.Board().CellHeight()), 2, 3, hint);
    }
    EXPECT_GT(Differences(shown, board), 0);
    EXPECT_EQ(Differences(shown, expected), 0) << "at ratio " << ratio;

    f.control.Follow(GestureChanged{GestureChanged::Step::Followed, Horizontal, 50});
    const QImage dragging = f.control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    f.control.SetHint(std::nullopt);
    EXPECT_EQ(Differences(dragging, f.control.grab().toImage().convertToFormat(QImage::Format_RGB32)), 0);
}

namespace {

// The regions the control is painted in, as they come; and what was
// painted as a glide showed it and has not been painted at rest since.
struct PaintSpy : QObject {
    explicit PaintSpy(CPuzzleImage& c) : control(c) { control.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        const QRegion region = static_cast<QPaintEvent*>(event)->region();
        regions.push_back(region);
        inMotion = control.Motion().IsRunning();
        staleAtRest = inMotion ? staleAtRest + region : staleAtRest - region;
        return false;
    }
    CPuzzleImage& control;
    std::vector<QRegion> regions;
    QRegion staleAtRest;
    bool inMotion = false; // the last paint
};

// A "Strategy" game of 3 x 4 in play on a 640 x 480 board on screen, its
// paints watched.
struct OnScreen {
    OnScreen()
    {
        game.ChangeSize({3, 4});
        game.StartSeeded(5);
        control.Show(&game, &picture);
        control.resize(640, 480);
        control.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&control));
    }
    Game game;
    GamePicture picture{game};
    CPuzzleImage control;
    PaintSpy spy{control};
};

} // namespace

// A move repaints its own line (the frame's cells lie on it), no more, and
// glides a paint a frame until it rests, never faster; with "Animate
// moves" off it shows at once, in one paint.
TEST(CPuzzleImage, AGlideRepaintsOnlyItsLineAPaintAFrame)
{
    OnScreen screen;
    Game& game = screen.game;
    CPuzzleImage& control = screen.control;
    PaintSpy& spy = screen.spy;
    QTest::qWait(200);
    for (const bool animated : {true, false}) {
        SCOPED_TRACE(animated ? "animated" : "jumping");
        control.SetAnimated(animated);
        spy.regions.clear();
        game.ShiftRowRight();
        EXPECT_EQ(control.Motion().IsRunning(), animated);
        QTest::qWait(250);
        EXPECT_FALSE(control.Motion().IsRunning());
        const QRegion line(0, game.View().puzzle.grid.selectedRow * 160, 640, 161);
        for (const QRegion& region : spy.regions)
            for (const QRect& r : region.subtracted(line))
                ADD_FAILURE() << "painted outside the line: " << r.x() << "," << r.y() << " " << r.width() << "x"
                              << r.height();
        if (animated) {
            EXPECT_GE(spy.regions.size(), 3u) << "no glide seen";
            EXPECT_LE(spy.regions.size(), std::size_t(BoardMotion::kGlideMs / BoardMotion::kFrameMs + 3));
        } else {
            EXPECT_EQ(spy.regions.size(), 1u);
        }
    }
}

// Whatever a glide painted is painted again once it rests: the move that
// completes the picture glides with the grid's lines and leaves none; so
// does a replay's last move, the frame shown before on another line; and a
// whole board shown in the middle of a glide (the window uncovered).
TEST(CPuzzleImage, WhatAGlidePaintedIsPaintedAgainAtRest)
{
    OnScreen screen;
    Game& game = screen.game;
    CPuzzleImage& control = screen.control;
    PaintSpy& spy = screen.spy;
    // One move from whole: the bottom row one place right, its frame on it.
    TileGrid nearlyWhole;
    nearlyWhole.Resize(3, 4);
    nearlyWhole.Apply(Move{MoveAxis::Row, 2, 1});
    nearlyWhole.Select({2, 1});
    BoardBitmap replayBoard;
    TileGrid replayGrid;
    replayBoard.grid = &replayGrid;

    const struct {
        const char* name;
        std::function<void()> move;
    } cases[] = {
        {"the winning move",
         [&] {
             GameSetup(game).grid = nearlyWhole;
             game.ShiftRowLeft();
             ASSERT_EQ(game.View().puzzle.state, Solved);
         }},
        {"a replay's last move",
         [&] {
             replayBoard.picture = screen.picture.Board().picture;
             replayGrid.Resize(3, 4);
             replayGrid.Apply(Move{MoveAxis::Column, 3, 1});
             control.ShowReplay(&replayBoard);
             QTest::qWait(50);
             const HistoryStep last{Move{MoveAxis::Column, 3, -1}, {1, 3}, {0, 3}};
             last.RedoOn(replayGrid);
             control.FollowReplay(MoveMade{last, MoveSource::Replay});
         }},
        {"the board uncovered in a glide",
         [&] {
             control.ShowReplay(nullptr);
             game.NewGame();
             QTest::qWait(50);
             game.ShiftColumnUp();
             control.update();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        spy.regions.clear();
        c.move();
        EXPECT_TRUE(control.Motion().IsRunning()) << "no glide";
        QTest::qWait(250);
        EXPECT_FALSE(control.Motion().IsRunning());
        EXPECT_FALSE(spy.inMotion);
        EXPECT_GE(spy.regions.size(), 3u) << "no glide seen";
        EXPECT_TRUE(spy.staleAtRest.isEmpty()) << "left as the glide showed it: "
                                               << spy.staleAtRest.boundingRect().x() << ","
                                               << spy.staleAtRest.boundingRect().y();
    }
}
