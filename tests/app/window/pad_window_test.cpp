#include "app/input/pad_mapping.h"
#include "app/input/virtual_pad.h"
#include "app/window/c_tesselo_dlg.h"
#include "app/window_fixture.h"
#include "model/game.h"
#include "support/temp_cwd.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>

using namespace tesselo;
using namespace tesselo::pad_mapping;
using namespace tesselo::testing;

namespace {

// The game window as the player meets it with a controller: active, a
// seeded game in play, the controllers' folder one of the test's own, in
// which a controller plugged in makes its node as the system's would.
struct PadWindow {
    explicit PadWindow(bool speed)
    {
        w.dlg.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w.dlg));
        controller().WatchFolder(input());
        w.game.SetStrategyStyle(!speed);
        w.game.StartSeeded(41);
    }
    GameController& controller() { return w.dlg.Controller(); }
    QString input() const { return devices.path() + QStringLiteral("/input"); }
    // Plugged in while the game runs: SDL has it, the folder gains its node
    // (the folder itself comes with the first one). Only the folder's
    // change tells the window to look.
    bool Plug()
    {
        pad = std::make_unique<VirtualPad>();
        if (!pad->stick)
            return false;
        QDir().mkpath(input());
        QFile node(input() + QStringLiteral("/event%1").arg(++nodes));
        return node.open(QIODevice::WriteOnly);
    }
    void Press(SDL_GameControllerButton button)
    {
        pad->Button(button, true);
        QTest::qWait(3 * GameController::kPollMs);
        pad->Button(button, false);
        QTest::qWait(3 * GameController::kPollMs);
    }
    int Moves() const { return w.game.View().puzzle.moves; }

    TempCwd cwd;
    QTemporaryDir devices;
    Window w;
    std::unique_ptr<VirtualPad> pad;
    int nodes = 0;
};

// Plugged in mid-game, the controller plays at once: the d-pad slides, B
// takes the last slide back (B again the one before), the right shoulder
// makes it again.
TEST(PadWindow, AControllerPluggedInMidGamePlaysAtOnceAndBUndoes)
{
    PadWindow p(false);
    const auto start = p.w.Homes();
    ASSERT_EQ(p.controller().Attached(), 0);
    EXPECT_FALSE(p.controller().Polling()) << "SDL is asked while no controller is attached";
    ASSERT_TRUE(p.Plug()) << SDL_GetError();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.controller().Attached() == 1; }, 500))
        << "the controller plugged in was not taken at once";

    p.Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    ASSERT_EQ(p.Moves(), 1);
    const auto afterRight = p.w.Homes();
    EXPECT_NE(afterRight, start);
    p.Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    ASSERT_EQ(p.Moves(), 2);
    const auto afterDown = p.w.Homes();

    p.Press(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(p.w.Homes(), afterRight);
    EXPECT_TRUE(p.w.game.CanRedo());
    p.Press(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(p.w.Homes(), start);
    p.Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    EXPECT_EQ(p.w.Homes(), afterRight);
    p.Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    EXPECT_EQ(p.w.Homes(), afterDown);
    EXPECT_FALSE(p.w.game.CanRedo());
}

// Start puts a "Speed" game aside and brings it back, its clock standing
// meanwhile and its board taking no slide; a game that counts moves has
// nothing to pause, and the d-pad goes on sliding.
TEST(PadWindow, StartPausesAndResumesASpeedGameOnly)
{
    for (const bool speed : {true, false}) {
        SCOPED_TRACE(speed ? "Speed" : "Strategy");
        PadWindow p(speed);
        ASSERT_TRUE(p.Plug()) << SDL_GetError();
        ASSERT_TRUE(QTest::qWaitFor([&] { return p.controller().Attached() == 1; }, 500));
        p.Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        ASSERT_EQ(p.Moves(), 1);

        p.Press(SDL_CONTROLLER_BUTTON_START);
        EXPECT_EQ(p.w.game.IsPaused(), speed);
        const auto held = p.w.Homes();
        p.Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        EXPECT_EQ(p.Moves(), speed ? 1 : 2) << "a paused board took a slide, or a playing one none";
        EXPECT_EQ(p.w.Homes() == held, speed);

        p.Press(SDL_CONTROLLER_BUTTON_START);
        EXPECT_FALSE(p.w.game.IsPaused());
        const int before = p.Moves();
        p.Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        EXPECT_EQ(p.Moves(), before + 1) << "the resumed game takes no slide";
    }
}

// A direction held slides at once, then again and again as a held key
// does; the controller pulled out mid-hold stops it there, and nothing
// repeats afterwards.
TEST(PadWindow, AHeldDirectionRepeatsUntilTheControllerIsPulledOut)
{
    PadWindow p(false);
    ASSERT_TRUE(p.Plug()) << SDL_GetError();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.controller().Attached() == 1; }, 500));

    p.pad->Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.Moves() == 1; }, 200)) << "no slide at once";
    QTest::qWait(kRepeatDelayMs + 3 * kRepeatMs);
    EXPECT_GE(p.Moves(), 3);
    EXPECT_LE(p.Moves(), 5);
    EXPECT_TRUE(p.controller().Repeating());

    p.pad->Detach();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.controller().Attached() == 0; }, 500));
    EXPECT_FALSE(p.controller().Repeating());
    const int pulled = p.Moves();
    QTest::qWait(kRepeatDelayMs + 3 * kRepeatMs);
    EXPECT_EQ(p.Moves(), pulled) << "the direction went on repeating without its controller";
    EXPECT_EQ(p.w.game.View().puzzle.state, Playing);
}

} // namespace
