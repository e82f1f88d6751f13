#include "app/input/game_controller.h"
#include "app/input/pad_mapping.h"
#include "app/input/virtual_pad.h"
#include "app/window_fixture.h"
#include "model/game_setup.h"
#include "support/temp_cwd.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

using namespace tesselo;
using namespace tesselo::pad_mapping;
using namespace tesselo::testing;

namespace {

TEST(PadMapping, EachButtonNamesTheKeyboardsCommand)
{
    struct Case {
        PadButton button;
        PadCommand free;    // as pressed alone
        PadCommand grabbed; // with a grabbing button held
    };
    const Case cases[] = {
        {PadButton::DpadUp, PadCommand::SlideUp, PadCommand::SelectUp},
        {PadButton::DpadDown, PadCommand::SlideDown, PadCommand::SelectDown},
        {PadButton::DpadLeft, PadCommand::SlideLeft, PadCommand::SelectLeft},
        {PadButton::DpadRight, PadCommand::SlideRight, PadCommand::SelectRight},
        {PadButton::South, PadCommand::NewGame, PadCommand::NewGame},
        {PadButton::East, PadCommand::Undo, PadCommand::Undo},
        {PadButton::RightShoulder, PadCommand::Redo, PadCommand::Redo},
        {PadButton::West, PadCommand::Hint, PadCommand::Hint},
        {PadButton::North, PadCommand::Numbers, PadCommand::Numbers},
        {PadButton::Start, PadCommand::Pause, PadCommand::Pause},
        {PadButton::Back, PadCommand::None, PadCommand::None},
        {PadButton::LeftShoulder, PadCommand::None, PadCommand::None},
        {PadButton::Other, PadCommand::None, PadCommand::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandFor(c.button, false), c.free) << int(c.button);
        EXPECT_EQ(CommandFor(c.button, true), c.grabbed) << int(c.button);
        // Only the directions repeat, and only the left shoulder turns them.
        EXPECT_EQ(IsDirection(c.button), c.free != c.grabbed) << int(c.button);
        EXPECT_EQ(Grabs(c.button), c.button == PadButton::LeftShoulder) << int(c.button);
    }
}

TEST(PadMapping, TheRightStickMovesTheFrameWithOrWithoutTheShoulder)
{
    const std::pair<PadButton, PadCommand> cases[] = {
        {PadButton::RightStickUp, PadCommand::SelectUp},
        {PadButton::RightStickDown, PadCommand::SelectDown},
        {PadButton::RightStickLeft, PadCommand::SelectLeft},
        {PadButton::RightStickRight, PadCommand::SelectRight},
    };
    for (const auto& [button, command] : cases) {
        EXPECT_EQ(CommandFor(button, false), command) << int(button);
        EXPECT_EQ(CommandFor(button, true), command) << int(button);
        EXPECT_TRUE(IsDirection(button)) << int(button); // it repeats while held
        EXPECT_FALSE(Grabs(button)) << int(button);
    }
}

TEST(PadMapping, SdlsButtonsByTheirPlace)
{
    const std::pair<int, PadButton> cases[] = {
        {SDL_CONTROLLER_BUTTON_A, PadButton::South},
        {SDL_CONTROLLER_BUTTON_B, PadButton::East},
        {SDL_CONTROLLER_BUTTON_X, PadButton::West},
        {SDL_CONTROLLER_BUTTON_Y, PadButton::North},
        {SDL_CONTROLLER_BUTTON_BACK, PadButton::Back},
        {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadButton::LeftShoulder},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadButton::RightShoulder},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::DpadUp},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::DpadDown},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::DpadLeft},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::DpadRight},
        {SDL_CONTROLLER_BUTTON_GUIDE, PadButton::Other},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, PadButton::Other},
        {SDL_CONTROLLER_BUTTON_INVALID, PadButton::Other},
    };
    for (const auto& [sdl, button] : cases)
        EXPECT_EQ(GameController::ButtonOf(sdl), button) << sdl;
}

TEST(PadMapping, TheStickTakesADirectionPastItsDeadZoneAndKeepsItUntilWellBack)
{
    using D = std::optional<PadButton>;
    const D none;
    struct Case {
        std::int32_t x, y;
        D held, expected;
    };
    const Case cases[] = {
        {0, 0, none, none},
        {kStickPress - 1, 0, none, none},             // inside the dead zone
        {kStickPress, 0, none, PadButton::DpadRight}, // past it
        {-32768, 0, none, PadButton::DpadLeft},
        {0, -32768, none, PadButton::DpadUp}, // SDL's y grows downwards
        {0, 32767, none, PadButton::DpadDown},
        {20000, 25000, none, PadButton::DpadDown}, // the farther axis wins
        {-25000, 20000, none, PadButton::DpadLeft},
        // Coming back: held until inside the release, then let go.
        {kStickRelease + 1, 0, PadButton::DpadRight, PadButton::DpadRight},
        {kStickRelease, 0, PadButton::DpadRight, none},
        // Between the two, nothing new starts.
        {kStickRelease + 1, 0, none, none},
        // Turned past the edge to another direction, it follows.
        {0, kStickPress, PadButton::DpadRight, PadButton::DpadDown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StickDirection(c.x, c.y, c.held), c.expected) << c.x << "," << c.y;
    // The right stick alike, in its own directions.
    const Case right[] = {
        {0, 0, none, none},
        {kStickPress - 1, 0, none, none},
        {kStickPress, 0, none, PadButton::RightStickRight},
        {-32768, 0, none, PadButton::RightStickLeft},
        {0, -32768, none, PadButton::RightStickUp},
        {20000, 25000, none, PadButton::RightStickDown},
        {kStickRelease + 1, 0, PadButton::RightStickRight, PadButton::RightStickRight},
        {kStickRelease, 0, PadButton::RightStickRight, none},
        {0, kStickPress, PadButton::RightStickRight, PadButton::RightStickDown},
    };
    for (const Case& c : right)
        EXPECT_EQ(StickDirection(c.x, c.y, c.held, Stick::Right), c.expected) << c.x << "," << c.y;
}

struct Commands {
    explicit Commands(GameController& c)
    {
        QObject::connect(&c, &GameController::Command, [this](PadCommand command) { got.push_back(command); });
    }
    // The commands that came within `ms`.
    std::vector<PadCommand> Within(int ms)
    {
        QTest::qWait(ms);
        return std::exchange(got, {});
    }
    std::vector<PadCommand> got;
};

TEST(GameController, AsksSdlOnlyWhileAControllerIsAttachedAndReadsItsButtons)
{
    GameController controller;
    ASSERT_TRUE(controller.Start());
    // Nothing attached: nothing polls.
    EXPECT_EQ(controller.Attached(), 0);
    EXPECT_FALSE(controller.Polling());
    QSignalSpy attached(&controller, &GameController::AttachedChanged);
    Commands commands(controller);

    VirtualPad pad;
    ASSERT_NE(pad.stick, nullptr) << SDL_GetError();
    // As the device folder would say.
    controller.Recheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller.Attached() == 1; }, 2000));
    EXPECT_EQ(attached.count(), 1);
    EXPECT_TRUE(controller.Polling());

    // The d-pad alone slides, once for a short press.
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_EQ(commands.Within(100), std::vector<PadCommand>{PadCommand::SlideRight});
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    EXPECT_TRUE(commands.Within(kRepeatDelayMs + 100).empty());
    // The left shoulder held turns it into moving the frame, and B undoes
    // either way.
    pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_EQ(commands.Within(100), std::vector<PadCommand>{PadCommand::SelectUp});
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    pad.Button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_EQ(commands.Within(100), std::vector<PadCommand>{PadCommand::Undo});
    pad.Button(SDL_CONTROLLER_BUTTON_B, false);
    pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, false);
    EXPECT_TRUE(commands.Within(100).empty());

    // The stick past its dead zone, held: a move at once, then repeats.
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 30000);
    const std::vector<PadCommand> held = commands.Within(kRepeatDelayMs + 3 * kRepeatMs);
    ASSERT_GE(held.size(), 3u);
    EXPECT_LE(held.size(), 5u);
    for (const PadCommand c : held)
        EXPECT_EQ(c, PadCommand::SlideDown);
    // The left shoulder meanwhile turns the repeats into moving the frame;
    // back to rest, no more.
    pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    const std::vector<PadCommand> grabbed = commands.Within(3 * kRepeatMs);
    ASSERT_FALSE(grabbed.empty());
    EXPECT_EQ(grabbed.back(), PadCommand::SelectDown);
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    commands.Within(50);
    EXPECT_TRUE(commands.Within(2 * kRepeatMs).empty());

    // Unplugged while the shoulder is held: let go, and SDL is no longer asked once
    // the devices have settled.
    pad.Detach();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller.Attached() == 0; }, 2000));
    EXPECT_EQ(attached.count(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !controller.Polling(); }, GameController::kSettleMs + 2000));
    controller.Stop();
    EXPECT_FALSE(controller.Polling());
}

// The right stick moves the frame, and repeats as a held key does. While
// the window is away nothing is read and nothing repeats; back, the
// controllers that came or went meanwhile are known at once, the presses
// made meanwhile are dropped, and a shoulder held through still grabs.
TEST(GameController, TheRightStickMovesTheFrameAndNothingIsReadWhileAway)
{
    GameController controller;
    ASSERT_TRUE(controller.Start());
    Commands commands(controller);
    auto pad = std::make_unique<VirtualPad>();
    ASSERT_NE(pad->stick, nullptr) << SDL_GetError();
    controller.Recheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller.Attached() == 1; }, 2000));

    pad->Axis(SDL_CONTROLLER_AXIS_RIGHTX, 30000);
    EXPECT_EQ(commands.Within(100), std::vector<PadCommand>{PadCommand::SelectRight});
    pad->Axis(SDL_CONTROLLER_AXIS_RIGHTX, 0);
    pad->Axis(SDL_CONTROLLER_AXIS_RIGHTY, -30000);
    const std::vector<PadCommand> held = commands.Within(kRepeatDelayMs + 3 * kRepeatMs);
    ASSERT_GE(held.size(), 3u);
    EXPECT_LE(held.size(), 5u);
    for (const PadCommand c : held)
        EXPECT_EQ(c, PadCommand::SelectUp);
    pad->Axis(SDL_CONTROLLER_AXIS_RIGHTY, 0);
    commands.Within(50);

    // Away while a direction is held: no timer at all, nothing comes.
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_EQ(commands.Within(100), std::vector<PadCommand>{PadCommand::SlideRight});
    controller.SetActive(false);
    EXPECT_FALSE(controller.Polling());
    EXPECT_FALSE(controller.Repeating());
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    pad->Button(SDL_CONTROLLER_BUTTON_B, true);
    pad->Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    EXPECT_TRUE(commands.Within(kRepeatDelayMs + 2 * kRepeatMs).empty());
    controller.SetActive(true);
    EXPECT_TRUE(controller.Polling());
    EXPECT_TRUE(commands.Within(100).empty()) << "a press made while away acted";
    pad->Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(commands.Within(100), std::vector<PadCommand>{PadCommand::SelectDown});
    for (const auto b : {SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_LEFTSHOULDER})
        pad->Button(b, false);
    EXPECT_TRUE(commands.Within(100).empty());

    // Unplugged and plugged again while away: known on the window's return.
    controller.SetActive(false);
    pad->Detach();
    controller.Recheck(); // as the device folder would say
    EXPECT_FALSE(controller.Polling());
    QTest::qWait(50);
    EXPECT_EQ(controller.Attached(), 1);
    controller.SetActive(true);
    EXPECT_EQ(controller.Attached(), 0);
    controller.SetActive(false);
    pad = std::make_unique<VirtualPad>();
    controller.Recheck();
    controller.SetActive(true);
    EXPECT_EQ(controller.Attached(), 1);
    pad->Button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_EQ(commands.Within(100), std::vector<PadCommand>{PadCommand::Undo});
}

// The game window's own controller: read while the window is active and
// not while another window is; the d-pad slides its board as Right does.
TEST(GameController, TheWindowReadsItsControllerOnlyWhileActive)
{
    TempCwd cwd;
    Window w;
    w.dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.dlg));
    GameController& controller = w.dlg.Controller();
    EXPECT_TRUE(controller.Active());
    VirtualPad pad;
    ASSERT_NE(pad.stick, nullptr) << SDL_GetError();
    controller.Recheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller.Attached() == 1; }, 2000));
    EXPECT_TRUE(controller.Polling());

    w.dlg.OnBnClickedNewGame();
    GameSetup(w.game).grid.Resize(3, 4);
    GameSetup(w.game).grid.Select({1, 0});
    const auto homes = w.Homes();
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.game.View().puzzle.moves == 1; }, 1000));
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    QTest::qWait(50);
    EXPECT_EQ(w.game.View().puzzle.grid.At(1, 1).homeColumn, 0) << "row 2 did not go right";
    EXPECT_NE(w.Homes(), homes);

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(controller.Active());
    EXPECT_FALSE(controller.Polling());
    // Pressed in the other window and held as the game's comes back.
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    QTest::qWait(100);
    w.dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.dlg));
    EXPECT_TRUE(controller.Polling());
    QTest::qWait(100);
    EXPECT_EQ(w.game.View().puzzle.moves, 1) << "a press made in another window moved the board";
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    QTest::qWait(50);
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.game.View().puzzle.moves == 2; }, 1000));
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
}

TEST(GameController, TakesAControllerAttachedBeforeItStarts)
{
    // SDL's joysticks up first, as another part of the program might have.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    {
        VirtualPad pad;
        ASSERT_NE(pad.stick, nullptr) << SDL_GetError();
        GameController controller;
        ASSERT_TRUE(controller.Start());
        EXPECT_EQ(controller.Attached(), 1);
        EXPECT_TRUE(controller.Polling());
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

} // namespace
