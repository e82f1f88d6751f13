#include "app/sound_play_dir.h"
#include "app/window/c_tesselo_dlg.h"
#include "app/window_fixture.h"
#include "files/byte_io.h"
#include "model/game.h"
#include "model/game_setup.h"
#include "support/temp_cwd.h"
#include "view/c_puzzle_image.h"

#include <QApplication>
#include <QClipboard>
#include <functional>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

void SaveFixture(std::int32_t rows, std::int32_t columns, std::int32_t width, std::int32_t height)
{
    ShownGame g;
    g.game.ChangeSize({rows, columns});
    g.picture.SetBoardSize(width, height, 1.0);
    ASSERT_TRUE(g.Save());
}

// The process's peak resident size so far, in KiB.
long PeakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

TEST(MainDialog, BarGeometryFollowsTheClientWidth)
{
    TempCwd cwd;
    Window w(false);
    for (const auto& [cx, slot, bar] : {std::tuple{640, 128, 42}, {641, 128, 42}, {645, 129, 43}}) {
        w.dlg.OnSize(cx, 500);
        EXPECT_EQ(w.dlg.ButtonWidth(), slot);
        EXPECT_EQ(w.dlg.BarHeight(), bar);
        EXPECT_EQ(w.dlg.Bar().newGame->geometry(), QRect(0, 0, slot, bar));
        EXPECT_EQ(w.dlg.Bar().options->geometry(), QRect(slot, 0, slot, bar));
        EXPECT_EQ(w.dlg.Bar().counterLabel->geometry(), QRect(2 * slot, 0, 2 * slot, bar));
        EXPECT_EQ(w.dlg.Bar().counterValue->geometry(), QRect(3 * slot, 2, slot - 2, bar - 4));
        EXPECT_EQ(w.dlg.Bar().help->geometry(), QRect(4 * slot, 0, slot, bar));
        EXPECT_EQ(w.dlg.Board().geometry(), QRect(0, bar, cx, 500 - bar));
        EXPECT_EQ(w.dlg.Picture().Folder().width, cx);
        EXPECT_EQ(w.dlg.Picture().Folder().height, 500 - bar);
    }
}

TEST(MainDialog, BarFontIsTheLargestThatFitsFourFifthsOfASlot)
{
    TempCwd cwd;
    Window w(false);
    const auto textWidth = [&](int pixels) {
        QFont f(QStringLiteral("Times New Roman"));
        f.setWeight(QFont::Bold);
        f.setPixelSize(pixels);
        return QFontMetrics(f, w.dlg.Bar().newGame).horizontalAdvance(QStringLiteral("New Game"));
    };
    w.dlg.OnSize(640, 500);
    ASSERT_TRUE(w.dlg.Bar().font);
    const int h = w.dlg.Bar().font->pixelSize();
    EXPECT_LE(textWidth(h), 102);
    EXPECT_GT(textWidth(h + 1), 102);
    EXPECT_EQ(w.dlg.Bar().newGame->font().pixelSize(), h);
    EXPECT_EQ(w.dlg.Bar().counterValue->font().pixelSize(), h);
    EXPECT_TRUE(w.dlg.Bar().font->bold());

    w.dlg.OnSize(25, 500); // limit 4: even height 6 is too wide
    EXPECT_EQ(w.dlg.Bar().font->pixelSize(), 5);
    w.dlg.OnSize(20000, 500); // fits even at 99
    EXPECT_EQ(w.dlg.Bar().font->pixelSize(), 99);
    w.dlg.OnSize(640, 500); // from the widths measured before
    EXPECT_EQ(w.dlg.Bar().font->pixelSize(), h);
    // In English "Reset Game" fits wherever "New Game" takes four fifths:
    // the design's rule alone decides, at any width.
    for (const int cx : {320, 400, 1024, 1920, 2400}) {
        w.dlg.OnSize(cx, 500);
        const int size = w.dlg.Bar().font->pixelSize(), limit = 4 * (cx / 5) / 5;
        EXPECT_LE(textWidth(size), limit) << cx;
        EXPECT_GT(textWidth(size + 1), limit) << cx;
    }
}

// "New Game" takes at most four fifths of a slot, and the longer caption
// of the first button no more than the room its frame leaves.
TEST(MainDialog, BarFontFitsBothRules)
{
    const struct {
        int buttonWidth, captionRoom, newGamePerPixel, longestPerPixel, size;
    } cases[] = {
        {100, 96, 5, 6, 16},  // "Reset Game" a little longer: four fifths decide
        {100, 96, 5, 5, 16},  // one caption as long as the other
        {100, 96, 5, 8, 12},  // a long word for "Reset Game": the room decides
        {100, 70, 5, 6, 11},  // a style with a wide frame
        {5, 1, 5, 8, 5},      // nothing fits: the smallest size
        {4000, 3990, 5, 8, 99}, // everything fits: the largest
    };
    for (const auto& c : cases) {
        window_layout::BarFontFit fit;
        const int size = fit.PixelSize(c.buttonWidth, c.captionRoom, {96, 1.0}, [&](int h) {
            return window_layout::CaptionWidths{c.newGamePerPixel * h, c.longestPerPixel * h};
        });
        EXPECT_EQ(size, c.size) << c.buttonWidth << " " << c.captionRoom << " " << c.longestPerPixel;
    }

    // Widths are measured once per size and screen.
    window_layout::BarFontFit fit;
    int measured = 0;
    const auto measure = [&](int h) {
        ++measured;
        return window_layout::CaptionWidths{5 * h, 8 * h};
    };
    EXPECT_EQ(fit.PixelSize(100, 96, {96, 1.0}, measure), 12);
    const int once = measured;
    EXPECT_EQ(fit.PixelSize(100, 96, {96, 1.0}, measure), 12);
    EXPECT_EQ(fit.PixelSize(100, 60, {96, 1.0}, measure), 7);
    EXPECT_EQ(measured, once);
    EXPECT_EQ(fit.PixelSize(100, 96, {96, 2.0}, measure), 12);
    EXPECT_EQ(measured, 2 * once);
}

TEST(MainDialog, OpensAroundTheSavedBoardInWholeCells)
{
    for (const auto& [rows, columns, width, height, cx, cy] :
         {std::tuple{2, 3, 675, 400, 675, 45 + 400}, {3, 4, 675, 400, 672, 44 + 399}}) {
        TempCwd cwd;
        cwd.Picture("Pictures/p.png", Qt::darkCyan, 300, 200);
        SaveFixture(rows, columns, width, height);
        Window w(false);
        EXPECT_EQ(w.dlg.size(), QSize(cx, cy)) << columns;
        EXPECT_EQ(w.dlg.Picture().Board().picture.size(), QSize(cx, cy - cx / 15));
        EXPECT_EQ(w.dlg.Board().geometry().topLeft(), QPoint(0, cx / 15));
        EXPECT_TRUE(w.dlg.Board().isVisibleTo(&w.dlg));
    }
}

// A board saved on a screen larger than this one: the picture is prepared
// once, at the size the window can have here, never at the saved size
// (16384 x 16384 would take a gigabyte before the window shrank it).
TEST(MainDialog, AHugeSavedBoardIsPreparedOnceWithinTheScreen)
{
    TempCwd cwd;
    cwd.Picture("Pictures/p.jpg", Qt::darkCyan, 3000, 2000);
    SaveFixture(2, 3, PictureFolder::kMaxBoardSide, PictureFolder::kMaxBoardSide);
    const long before = PeakKiB();
    Game game;
    TestDlg dlg(game);
    dlg.OnSize(dlg.width(), dlg.height());
    dlg.OnInitDialog();
    const QSize room = dlg.screen()->availableGeometry().size();
    EXPECT_LE(dlg.width(), room.width());
    EXPECT_LE(dlg.height(), room.height());
    EXPECT_EQ(dlg.Picture().Board().Size(), QSize(dlg.width(), dlg.height() - dlg.width() / 15));
    EXPECT_EQ(dlg.Picture().Board().decodes, 1);
    EXPECT_EQ(dlg.Picture().Board().stretches, 1) << "the first board made is the one shown";
    if (before < 0)
        GTEST_SKIP() << "no peak memory figure here";
    EXPECT_LT(PeakKiB() - before, 64 * 1024);
}

// Run on two screens, one of twice the density (see two_screens.json); on
// a single screen there is nowhere to move.
TEST(MainDialog, AWindowMovedToADenserScreenGetsASharperBoard)
{
    QScreen* dense = nullptr;
    for (QScreen* s : QGuiApplication::screens())
        if (s->devicePixelRatio() == 2.0)
            dense = s;
    if (!dense || QGuiApplication::screens().size() < 2)
        GTEST_SKIP() << "needs a second screen of twice the density";
    TempCwd cwd;
    cwd.Picture("Pictures/p.jpg", Qt::darkCyan, 3000, 2000);
    SaveFixture(2, 3, 600, 400);
    Window w;
    w.dlg.move(w.dlg.screen() == dense ? QPoint(10, 10) : dense->geometry().topLeft() + QPoint(10, 10));
    for (int i = 0; i < 50 && w.dlg.screen() != dense; ++i)
        QTest::qWait(20);
    const qreal ratio = dense->devicePixelRatio();
    ASSERT_EQ(w.dlg.devicePixelRatioF(), ratio) << "the window did not reach the dense screen";
    EXPECT_EQ(w.dlg.Picture().Board().picture.devicePixelRatio(), ratio);
    EXPECT_EQ(w.dlg.Picture().Board().Size(), QSize(600, 400));
    EXPECT_EQ(w.dlg.Picture().Board().picture.size(), QSize(600, 400) * ratio);
}

TEST(MainDialog, PlaysAGameWithMouseAndKeys)
{
    TempCwd cwd;
    cwd.Picture("Pictures/p.png", Qt::darkCyan, 300, 200);
    SaveFixture(3, 4, 640, 480); // "Expert", cells of 160
    Window w;
    ASSERT_EQ(w.dlg.size(), QSize(640, 42 + 480));
    const int bar = w.dlg.BarHeight();

    // The keys go to the window through the board, which holds the focus:
    // no button of the bar takes it, not even once clicked, so none takes
    // the arrows.
    for (QPushButton* b : {w.dlg.Bar().newGame, w.dlg.Bar().options, w.dlg.Bar().help})
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    w.dlg.Bar().help->click();
    EXPECT_EQ(w.dlg.focusWidget(), &w.dlg.Board());
    // Arrows outside a game change nothing but are still swallowed.
    const auto home = w.Homes();
    w.Key(Qt::Key_Right);
    w.Key(Qt::Key_Down);
    EXPECT_EQ(w.Homes(), home);

    // Space presses the first button; Enter, Escape and Tab do nothing.
    w.Key(Qt::Key_Space);
    ASSERT_EQ(w.game.View().puzzle.state, Playing);
    for (const Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab})
        w.Key(k);
    EXPECT_EQ(w.game.View().puzzle.state, Playing);
    EXPECT_TRUE(w.dlg.isVisible());
    EXPECT_EQ(w.dlg.focusWidget(), &w.dlg.Board());
    EXPECT_EQ(w.dlg.Bar().newGame->text(), "Reset Game");
    EXPECT_EQ(w.dlg.Bar().counterValue->text(), "0");

    // Drag row 1 by 80 pixels: one cell to the right.
    std::vector<int> row(4);
    for (int c = 0; c < 4; ++c)
        row[std::size_t(c)] =
            w.game.View().puzzle.grid.At(1, c).homeColumn * 10 + w.game.View().puzzle.grid.At(1, c).homeRow;
    w.Drag(QPoint(30, bar + 200), QPoint(110, bar + 203));
    EXPECT_EQ(w.game.View().puzzle.moves, 1);
    EXPECT_FALSE(w.game.View().gesture.dragging);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(w.game.View().puzzle.grid.At(1, (c + 1) % 4).homeColumn * 10 +
                      w.game.View().puzzle.grid.At(1, (c + 1) % 4).homeRow,
                  row[std::size_t(c)]);
    EXPECT_EQ(w.dlg.Bar().counterValue->text(), "1");

    // A drag far outside the window ends at the board's right edge: from
    // column 1, (470 + 80) / 160 = 3 cells, wrapping to column 0.
    w.Drag(QPoint(170, bar + 10), QPoint(5000, bar + 12));
    EXPECT_EQ(w.game.View().puzzle.grid.selectedColumn, 0);
    // A press on the bar does nothing.
    w.Mouse(QEvent::MouseButtonPress, QPoint(300, 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(w.game.View().gesture.dragging);
    w.Mouse(QEvent::MouseButtonRelease, QPoint(300, 5), Qt::LeftButton, Qt::NoButton);
    // A plain click closes its gesture, so the arrows work straight after.
    w.Mouse(QEvent::MouseButtonPress, QPoint(10, bar + 10), Qt::LeftButton, Qt::LeftButton);
    w.Mouse(QEvent::MouseButtonRelease, QPoint(11, bar + 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(w.game.View().gesture.dragging);
    const int moves = w.game.View().puzzle.moves;
    w.Key(Qt::Key_Left);
    EXPECT_EQ(w.game.View().puzzle.moves, moves + 1);

    // Shift with the arrows moves the selection instead.
    GameSetup(w.game).grid.selectedColumn = 0;
    w.Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(w.game.View().puzzle.grid.selectedColumn, 3);
    EXPECT_EQ(w.game.View().puzzle.moves, moves + 1);
    // Shift let go, the arrows slide again.
    w.Key(Qt::Key_Left);
    EXPECT_EQ(w.game.View().puzzle.moves, moves + 2);
}

TEST(MainDialog, ShiftLeftFromColumnZeroOnGenius)
{
    TempCwd cwd;
    SaveFixture(4, 6, 600, 480);
    Window w;
    w.dlg.OnBnClickedNewGame();
    GameSetup(w.game).grid.selectedColumn = 0;
    // Shift held down: the arrows move the selection until it is released.
    w.Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(w.game.View().puzzle.grid.selectedColumn, 5);
    w.Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(w.game.View().puzzle.grid.selectedColumn, 4);
    EXPECT_EQ(w.game.View().puzzle.moves, 0);
    // A Shift let go in another window is never stuck down here: the keys
    // say which modifiers they come with.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    w.dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.dlg));
    w.Key(Qt::Key_Left);
    EXPECT_EQ(w.game.View().puzzle.moves, 1);
    EXPECT_EQ(w.game.View().puzzle.grid.selectedColumn, 3);
}

// The bar follows the game's changes as they come, with no timer between;
// the clock's timer runs exactly while a "Speed" clock runs.
TEST(MainDialog, CaptionsFollowStateAndStyleAtOnceAndTheTimerOnlyARunningClock)
{
    TempCwd cwd;
    Window w;
    EXPECT_EQ(w.dlg.Bar().counterLabel->text(), "Moves:");
    EXPECT_EQ(w.dlg.Bar().newGame->text(), "New Game");
    w.dlg.OnBnClickedNewGame();
    EXPECT_EQ(w.dlg.Counter().TimerId(), 0) << "a Strategy game in play";
    w.game.ShiftRowRight();
    EXPECT_EQ(w.dlg.Bar().counterValue->text(), "1");
    w.dlg.OnBnClickedNewGame(); // a reset
    w.game.SetStrategyStyle(false);
    EXPECT_EQ(w.dlg.Counter().TimerId(), 0) << "a Speed game not in play";
    w.dlg.OnBnClickedNewGame();
    EXPECT_NE(w.dlg.Counter().TimerId(), 0) << "a Speed game in play";
    EXPECT_EQ(w.dlg.Bar().counterLabel->text(), "Time:");
    EXPECT_EQ(w.dlg.Bar().newGame->text(), "Reset Game");
    EXPECT_EQ(w.dlg.Bar().counterValue->text().count(':'), 2);
    ASSERT_TRUE(w.game.SetPaused(true));
    EXPECT_EQ(w.dlg.Counter().TimerId(), 0) << "paused";
    ASSERT_TRUE(w.game.SetPaused(false));
    EXPECT_NE(w.dlg.Counter().TimerId(), 0) << "resumed";
    w.dlg.OnBnClickedNewGame(); // now a reset
    EXPECT_EQ(w.game.View().puzzle.state, Idle);
    EXPECT_EQ(w.dlg.Counter().TimerId(), 0) << "reset";
    EXPECT_EQ(w.dlg.Bar().newGame->text(), "New Game");
    EXPECT_EQ(w.dlg.Bar().counterValue->text(), "0:00:00.0");
}

// Everyone who follows the game hears the position it opens with, yet the
// opening is no change of the player's: a saved win put at rest sounds no
// reset, while the player's own new game sounds as ever.
TEST(MainDialog, OpeningTheSavedGameSoundsNothing)
{
    SoundPlayDir dir;
    {
        Game g;
        GameSetup(g).puzzle.state = Solved;
        ASSERT_TRUE(SaveGame(g));
    }
    Window w(false);
    ASSERT_TRUE(w.dlg.Sound().IsOpen());
    EXPECT_EQ(w.game.View().puzzle.state, Idle);
    EXPECT_EQ(ChannelsPlaying(w.dlg.Sound().samples[SoundEffects::Reset]), 0);
    w.dlg.OnBnClickedNewGame();
    EXPECT_EQ(ChannelsPlaying(w.dlg.Sound().samples[SoundEffects::NewGame]), 1);
}

TEST(MainDialog, ResumesASpeedGameWhereItStopped)
{
    TempCwd cwd;
    {
        Game g;
        g.SetStrategyStyle(false);
        g.NewGame();
        GameSetup(g).stopwatch.ContinueAt(5000);
        ASSERT_TRUE(SaveGame(g));
    }
    QElapsedTimer opening;
    opening.start();
    Window w(false);
    EXPECT_EQ(w.game.View().puzzle.state, Playing);
    EXPECT_FALSE(w.game.View().stopwatch.resumePending) << "the time runs on from the window's opening";
    // From the saved time on, and no further than the opening took (the
    // window reads the clock again as it shows the counter).
    const std::int64_t shown = w.game.View().stopwatch.clockNow - w.game.View().stopwatch.clockStart;
    EXPECT_GE(shown, 5000);
    EXPECT_LE(shown, 5000 + opening.elapsed());
    EXPECT_EQ(w.dlg.Bar().counterValue->text(), "0:00:05.0");

    // A saved win comes back as the whole picture, ready for a new game.
    {
        Game g;
        GameSetup(g).puzzle.state = Solved;
        GameSetup(g).puzzle.moves = 40;
        ASSERT_TRUE(SaveGame(g));
    }
    Window v(false);
    EXPECT_EQ(v.game.View().puzzle.state, Idle);
    EXPECT_EQ(v.game.View().puzzle.moves, 0);
    EXPECT_EQ(v.dlg.Bar().newGame->text(), "New Game");
}

TEST(MainDialog, ClosingSavesInTheCurrentDirectory)
{
    TempCwd cwd;
    Window w;
    w.dlg.OnBnClickedNewGame();
    EXPECT_TRUE(w.dlg.close());
    EXPECT_FALSE(w.dlg.isVisible());
    EXPECT_EQ(QFileInfo(cwd.Path("tesselo.dat")).size(), 1217);
    EXPECT_FALSE(w.dlg.IsOpen());
}

// A session that ends saves the game in play at once; before the window has
// opened there is nothing to save, and after its close nothing more.
TEST(MainDialog, SavesNowOnlyWhileOpen)
{
    TempCwd cwd;
    Game game;
    TestDlg dlg(game);
    EXPECT_TRUE(dlg.SaveNow());
    EXPECT_FALSE(QFileInfo::exists(cwd.Path("tesselo.dat")));
    dlg.OnInitDialog();
    dlg.OnBnClickedNewGame();
    game.ShiftRowRight();
    QString why;
    ASSERT_TRUE(dlg.SaveNow(&why)) << why.toStdString();
    Game saved;
    LoadSavedGame(saved);
    EXPECT_EQ(saved.View().puzzle.state, Playing);
    EXPECT_EQ(saved.View().puzzle.moves, 1);
    ASSERT_TRUE(dlg.close());
    ASSERT_TRUE(QFile::remove(cwd.Path("tesselo.dat")));
    EXPECT_TRUE(dlg.SaveNow());
    EXPECT_FALSE(QFileInfo::exists(cwd.Path("tesselo.dat")));
}

TEST(MainDialog, AFailedSaveKeepsTheWindowOpenUntilThePlayerLetsGo)
{
    TempCwd cwd;
    Window w;
    ASSERT_TRUE(QDir().mkdir(cwd.Path("tesselo.dat")));
    EXPECT_FALSE(w.dlg.close());
    EXPECT_TRUE(w.dlg.isVisible());
    EXPECT_EQ(w.dlg.offers, 1);
    EXPECT_FALSE(w.dlg.lastReason.isEmpty());
    EXPECT_TRUE(w.dlg.IsOpen());
    EXPECT_FALSE(w.dlg.close()); // each close tries again
    EXPECT_EQ(w.dlg.offers, 2);
    w.dlg.closeWithoutSaving = true;
    EXPECT_TRUE(w.dlg.close());
    EXPECT_FALSE(w.dlg.isVisible());
    EXPECT_TRUE(QFileInfo(cwd.Path("tesselo.dat")).isDir());

    // A link to a file that is no saved game is refused the same way.
    const QString letter = cwd.Text("letter.txt", "Dear Tesselo");
    Window linked;
    ASSERT_TRUE(QDir().rmdir(cwd.Path("tesselo.dat")));
    ASSERT_TRUE(QFile::link(letter, cwd.Path("tesselo.dat")));
    EXPECT_FALSE(linked.dlg.close());
    EXPECT_TRUE(linked.dlg.isVisible());
    EXPECT_TRUE(linked.dlg.lastReason.contains("letter.txt")) << linked.dlg.lastReason.toStdString();
    QFile f(letter);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "Dear Tesselo");
}

TEST(MainDialog, ATinyOrEmptyBoardBreaksNothing)
{
    TempCwd cwd;
    cwd.Picture("Pictures/p.png", Qt::darkCyan, 300, 200);
    Window w;
    w.dlg.OnBnClickedNewGame();
    const auto before = w.Homes();
    for (const QSize s : {QSize(0, 0), QSize(3, 2), QSize(600, 10)}) {
        w.dlg.OnSize(s.width(), s.height());
        EXPECT_GE(w.dlg.Picture().Folder().height, 0);
        w.Drag(QPoint(1, w.dlg.BarHeight() + 1), QPoint(200, w.dlg.BarHeight() + 1));
        w.Key(Qt::Key_Left);
        w.dlg.repaint();
    }
    EXPECT_NE(w.Homes(), before); // the keys still moved rows
    EXPECT_GE(w.dlg.minimumWidth(), 6);
}

TEST(MainDialog, UndoRedoKeysAndTheBoardMenu)
{
    TempCwd cwd;
    SaveFixture(3, 4, 640, 480);
    Window w;
    const auto menuStates = [&] {
        std::unique_ptr<QMenu> menu = w.dlg.MakeBoardMenu();
        std::vector<std::pair<QString, bool>> out;
        for (const QAction* a : menu->actions().mid(0, 2))
            out.emplace_back(a->text() + " " + a->shortcut().toString(), a->isEnabled());
        return out;
    };
    using States = std::vector<std::pair<QString, bool>>;
    EXPECT_EQ(menuStates(), (States{{"Undo Ctrl+Z", false}, {"Redo Ctrl+Y", false}}));

    w.Key(Qt::Key_Space);
    const auto start = w.Homes();
    w.Key(Qt::Key_Right);
    w.Key(Qt::Key_Down);
    const auto played = w.Homes();
    EXPECT_EQ(menuStates(), (States{{"Undo Ctrl+Z", true}, {"Redo Ctrl+Y", false}}));
    w.Key(Qt::Key_Z, Qt::ControlModifier);
    w.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.Homes(), start);
    EXPECT_EQ(w.game.View().puzzle.moves, 0);
    EXPECT_EQ(menuStates(), (States{{"Undo Ctrl+Z", false}, {"Redo Ctrl+Y", true}}));
    w.Key(Qt::Key_Y, Qt::ControlModifier);
    w.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.Homes(), played);
    EXPECT_EQ(w.game.View().puzzle.moves, 2);

    // Space on the focused button resets the game; Ctrl+Z brings it back.
    w.Key(Qt::Key_Space);
    ASSERT_EQ(w.game.View().puzzle.state, Idle);
    EXPECT_EQ(menuStates(), (States{{"Undo Ctrl+Z", true}, {"Redo Ctrl+Y", false}}));
    w.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.game.View().puzzle.state, Playing);
    EXPECT_EQ(w.Homes(), played);
    EXPECT_EQ(w.dlg.Bar().counterValue->text(), "2");
    EXPECT_EQ(w.dlg.Bar().newGame->text(), "Reset Game");
}

// Whatever takes the player elsewhere in the middle of a drag ends the drag
// first: the row springs back, the mouse is let go, and the release that
// follows moves nothing. The keys work at once, and a game reset meanwhile,
// or after, comes back with one undo.
TEST(MainDialog, EveryWayOutOfADragEndsItAndLeavesInputWorking)
{
    const std::pair<const char*, std::function<void(Window&)>> waysOut[] = {
        {"Space on Reset Game", [](Window& w) { w.Key(Qt::Key_Space); }},
        {"Reset, then New Game",
         [](Window& w) {
             w.Key(Qt::Key_Space);
             w.Key(Qt::Key_Space);
         }},
        {"Options", [](Window& w) { w.dlg.Bar().options->click(); }},
        {"Help", [](Window& w) { w.dlg.Bar().help->click(); }},
        {"the Records window", [](Window& w) { w.Key(Qt::Key_R, Qt::ControlModifier); }},
        {"Replay Solve", [](Window& w) { w.Key(Qt::Key_P, Qt::ControlModifier); }},
        {"Undo", [](Window& w) { w.Key(Qt::Key_Z, Qt::ControlModifier); }},
        {"Pause", [](Window& w) { w.Key(Qt::Key_P); }},
        {"Copy Game ID", [](Window& w) { w.Key(Qt::Key_C, Qt::ControlModifier); }},
        {"Paste Game ID",
         [](Window& w) {
             QGuiApplication::clipboard()->setText(QStringLiteral("Pro-5"));
             w.Key(Qt::Key_V, Qt::ControlModifier);
         }},
        {"Daily Puzzle", [](Window& w) { w.Key(Qt::Key_D, Qt::ControlModifier); }},
        {"a right click",
         [](Window& w) {
             const QPoint at(50, w.dlg.BarHeight() + 50);
             QContextMenuEvent click(QContextMenuEvent::Mouse, at, w.dlg.mapToGlobal(at));
             QApplication::sendEvent(&w.dlg, &click);
             EXPECT_EQ(w.dlg.menusShown, 1) << "the menu opens once the drag is over";
         }},
        {"another window",
         [](Window&) {
             QWidget elsewhere;
             elsewhere.show();
             elsewhere.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
         }},
    };
    for (const auto& [name, wayOut] : waysOut) {
        SCOPED_TRACE(name);
        TempCwd cwd;
        SaveFixture(3, 4, 640, 480);
        Window w;
        w.dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w.dlg));
        w.dlg.OnBnClickedNewGame();
        w.Key(Qt::Key_Right);
        const int bar = w.dlg.BarHeight();
        w.Mouse(QEvent::MouseButtonPress, QPoint(30, bar + 30), Qt::LeftButton, Qt::LeftButton);
        w.Mouse(QEvent::MouseMove, QPoint(100, bar + 32), Qt::NoButton, Qt::LeftButton);
        ASSERT_EQ(w.game.View().gesture.dragAxis, Horizontal);

        wayOut(w);
        EXPECT_FALSE(w.game.View().gesture.dragging);
        EXPECT_EQ(w.game.View().gesture.dragAxis, None);
        EXPECT_EQ(w.game.View().gesture.dragDeltaX, 0);
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
        const auto after = w.Homes();
        const int moves = w.game.View().puzzle.moves;
        w.Mouse(QEvent::MouseButtonRelease, QPoint(190, bar + 32), Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(w.Homes(), after);
        EXPECT_EQ(w.game.View().puzzle.moves, moves);

        // A game reset by the way out comes back as it stood.
        if (w.game.View().puzzle.state == Idle) {
            w.Key(Qt::Key_Z, Qt::ControlModifier);
            ASSERT_EQ(w.game.View().puzzle.state, Playing);
            EXPECT_EQ(w.game.View().puzzle.moves, 1);
        }
        ASSERT_EQ(w.game.View().puzzle.state, Playing);
        const int before = w.game.View().puzzle.moves;
        w.Key(Qt::Key_Left);
        EXPECT_EQ(w.game.View().puzzle.moves, before + 1) << "the arrows work without a click on the board";
        const auto played = w.Homes();
        w.Key(Qt::Key_Space);
        w.Key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(w.Homes(), played);
        EXPECT_EQ(w.game.View().puzzle.moves, before + 1);
    }
}

// N shows the numbers and hides them again, the board's menu says which
// with a check mark, and the next start keeps the choice. It changes the
// picture only: a drag under way goes on.
TEST(MainDialog, NShowsEachTilesNumberAndTheChoiceIsKept)
{
    TempCwd cwd;
    const auto entry = [](Window& w) {
        const std::unique_ptr<QMenu> menu = w.dlg.MakeBoardMenu();
        for (const QAction* a : menu->actions())
            if (a->text() == "Numbers on Tiles")
                return std::tuple{a->shortcut().toString(), a->isCheckable(), a->isChecked()};
        ADD_FAILURE() << "no menu entry";
        return std::tuple{QString(), false, false};
    };
    {
        Window w;
        EXPECT_FALSE(w.dlg.Board().Numbers());
        EXPECT_EQ(entry(w), std::tuple(QString("N"), true, false));
        w.dlg.OnBnClickedNewGame();
        const int bar = w.dlg.BarHeight();
        w.Mouse(QEvent::MouseButtonPress, QPoint(30, bar + 30), Qt::LeftButton, Qt::LeftButton);
        w.Mouse(QEvent::MouseMove, QPoint(100, bar + 32), Qt::NoButton, Qt::LeftButton);
        w.Key(Qt::Key_N);
        EXPECT_TRUE(w.dlg.Board().Numbers());
        EXPECT_EQ(w.game.View().gesture.dragAxis, Horizontal) << "N ended the drag";
        w.Mouse(QEvent::MouseButtonRelease, QPoint(100, bar + 32), Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(std::get<2>(entry(w)), true);
    }
    Window next;
    EXPECT_TRUE(next.dlg.Board().Numbers());
    next.Key(Qt::Key_N);
    EXPECT_FALSE(next.dlg.Board().Numbers());
    EXPECT_FALSE(next.dlg.Settings().Current().numbersOnTiles);
}

// However many cells a grid has, each keeps 24 pixels each way: the
// window's least size grows with the counts (and its height with the bar,
// which grows with the width), and a window smaller than that grows.
TEST(MainDialog, EveryCellKeepsItsLeastSize)
{
    for (const auto& [rows, columns, least] : {std::tuple{2, 3, QSize(320, 240)}, {5, 7, QSize(320, 240)},
                                               {10, 14, QSize(336, 22 + 240)}, {16, 16, QSize(384, 25 + 384)},
                                               {16, 2, QSize(320, 21 + 384)}, {2, 16, QSize(384, 240)}}) {
        EXPECT_EQ(window_layout::MinimumClient(rows, columns), least) << rows << " x " << columns;
        const int wide = 1500;
        EXPECT_EQ(window_layout::MinimumClient(rows, columns, wide).height(),
                  std::max(240, wide / 15 + rows * window_layout::kMinCell))
            << rows << " x " << columns;
        // A saved board of tiny cells opens with cells of the least size.
        const QSize board = window_layout::BoardAround(QSize(10 * columns, 10 * rows), rows, columns, QSize(1280, 1000));
        EXPECT_GE(board.width() / columns, window_layout::kMinCell) << rows << " x " << columns;
        EXPECT_GE(board.height() / rows, window_layout::kMinCell) << rows << " x " << columns;
    }
    // The window at the smallest size a Novice game allows grows with a
    // larger grid, wherever that grid comes from.
    TempCwd cwd;
    Window w;
    w.dlg.resize(320, 240);
    QTest::qWait(20);
    w.game.ChangeSize({16, 16});
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.dlg.Board().height() >= 16 * window_layout::kMinCell; }, 2000));
    EXPECT_GE(w.dlg.Picture().Board().CellWidth(), window_layout::kMinCell);
    EXPECT_GE(w.dlg.Picture().Board().CellHeight(), window_layout::kMinCell);
    EXPECT_EQ(w.dlg.minimumSize(), window_layout::MinimumClient(16, 16, w.dlg.width()));
}
