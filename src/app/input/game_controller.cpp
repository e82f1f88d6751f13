#include "app/input/game_controller.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimerEvent>
#include <QWidget>

#include <utility>

#include <SDL.h>

namespace tesselo {

namespace {

// Where the system puts its input devices; the folder appears in /dev when
// the first one comes.
const char* const kInputFolder = "/dev/input";

} // namespace

struct GameController::Pad {
    SDL_GameController* handle = nullptr;
    // The left stick, then the right one.
    std::int32_t x[2] = {0, 0};
    std::int32_t y[2] = {0, 0};
    std::optional<PadButton> stick[2];
    // Its buttons held now, let go if it goes.
    std::multiset<PadButton> held;
};

GameController::GameController(QObject* parent)
    : QObject(parent), inputFolder(QString::fromLatin1(kInputFolder))
{
}

GameController::~GameController() { Stop(); }

PadButton GameController::ButtonOf(int sdlButton)
{
    switch (sdlButton) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadButton::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadButton::DpadRight;
    case SDL_CONTROLLER_BUTTON_A: return PadButton::South;
    case SDL_CONTROLLER_BUTTON_B: return PadButton::East;
    case SDL_CONTROLLER_BUTTON_X: return PadButton::West;
    case SDL_CONTROLLER_BUTTON_Y: return PadButton::North;
    case SDL_CONTROLLER_BUTTON_BACK: return PadButton::Back;
    case SDL_CONTROLLER_BUTTON_START: return PadButton::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return PadButton::RightShoulder;
    default: return PadButton::Other;
    }
}

bool GameController::Start()
{
    if (started)
        return true;
    // As for the sound: the program's own signal handlers stay in charge.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL has no window of its own here to tell whether the game has the
    // focus; the game window decides that.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        return false;
    started = true;
    WatchDevices();
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        Open(i);
    // The arrivals SDL queued for these as it started are read here.
    Poll(active);
    return true;
}

void GameController::Stop()
{
    if (!started)
        return;
    poll.stop();
    repeat.stop();
    direction.reset();
    grabs.clear();
    for (auto& [id, pad] : pads)
        SDL_GameControllerClose(pad->handle);
    pads.clear();
    delete devices;
    devices = nullptr;
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started = false;
}

void GameController::WatchFolder(const QString& input)
{
    inputFolder = input;
    if (devices && !devices->directories().isEmpty())
        devices->removePaths(devices->directories());
    if (started)
        WatchDevices();
}

void GameController::WatchDevices()
{
    if (!devices) {
        devices = new QFileSystemWatcher(this);
        connect(devices, &QFileSystemWatcher::directoryChanged, this, [this] {
            // The input folder may have just appeared.
            WatchDevices();
            Recheck();
        });
    }
    const QString parent = QFileInfo(inputFolder).absolutePath();
    if (QDir(inputFolder).exists()) {
        devices->removePath(parent);
        if (!devices->directories().contains(inputFolder))
            devices->addPath(inputFolder);
    } else if (QDir(parent).exists() && devices->directories().isEmpty()) {
        devices->addPath(parent);
    }
}

void GameController::Recheck()
{
    if (!started)
        return;
    settle.setRemainingTime(kSettleMs);
    devicesChangedAway = !active;
    FollowPolling();
}

void GameController::FollowPolling()
{
    const bool wanted = started && active && (!pads.empty() || !settle.hasExpired());
    if (wanted && !poll.isActive())
        poll.start(kPollMs, this);
    else if (!wanted)
        poll.stop();
}

void GameController::Open(int deviceIndex)
{
    if (!SDL_IsGameController(deviceIndex) || pads.count(SDL_JoystickGetDeviceInstanceID(deviceIndex)))
        return;
    SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
    if (!handle)
        return;
    auto pad = std::make_unique<Pad>();
    pad->handle = handle;
    pads[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle))] = std::move(pad);
}

void GameController::Close(std::int32_t id)
{
    const auto found = pads.find(id);
    if (found == pads.end())
        return;
    // What it held is let go: a shoulder held as it went grabs no longer.
    Pad& pad = *found->second;
    const std::multiset<PadButton> held = std::exchange(pad.held, {});
    for (const PadButton button : held)
        Release(button);
    for (const std::optional<PadButton>& aim : pad.stick)
        if (aim)
            Release(*aim);
    SDL_GameControllerClose(pad.handle);
    pads.erase(found);
}

void GameController::Follow(QWidget* window)
{
    if (followed)
        followed->removeEventFilter(this);
    followed = window;
    if (followed)
        followed->installEventFilter(this);
    SetActive(!followed || followed->isActiveWindow());
}

bool GameController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == followed && event->type() == QEvent::ActivationChange)
        SetActive(followed->isActiveWindow());
    return QObject::eventFilter(watched, event);
}

void GameController::SetActive(bool on)
{
    if (on == active)
        return;
    active = on;
    if (!active) {
        // A held direction stops where the window lost the input.
        Hold(std::nullopt);
        FollowPolling();
        return;
    }
    if (!started)
        return;
    if (std::exchange(devicesChangedAway, false))
        settle.setRemainingTime(kSettleMs);
    Poll(false);
}

void GameController::Poll(bool acting)
{
    const std::size_t before = pads.size();
    SDL_Event event;
    while (started && SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED: Open(event.cdevice.which); break;
        case SDL_CONTROLLERDEVICEREMOVED: Close(event.cdevice.which); break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const auto found = pads.find(event.cbutton.which);
            if (found == pads.end())
                break;
            const PadButton button = ButtonOf(event.cbutton.button);
            Pad& pad = *found->second;
            if (event.type == SDL_CONTROLLERBUTTONDOWN) {
                pad.held.insert(button);
                Press(button, acting);
            } else if (const auto at = pad.held.find(button); at != pad.held.end()) {
                pad.held.erase(at);
                Release(button);
            }
            break;
        }
        case SDL_CONTROLLERAXISMOTION: {
            const auto found = pads.find(event.caxis.which);
            if (found == pads.end())
                break;
            Pad& pad = *found->second;
            const int left = int(pad_mapping::Stick::Left), right = int(pad_mapping::Stick::Right);
            switch (event.caxis.axis) {
            case SDL_CONTROLLER_AXIS_LEFTX: pad.x[left] = event.caxis.value; break;
            case SDL_CONTROLLER_AXIS_LEFTY: pad.y[left] = event.caxis.value; break;
            case SDL_CONTROLLER_AXIS_RIGHTX: pad.x[right] = event.caxis.value; break;
            case SDL_CONTROLLER_AXIS_RIGHTY: pad.y[right] = event.caxis.value; break;
            default: continue;
            }
            const bool isLeft = event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ||
                                event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY;
            Steer(pad, isLeft ? pad_mapping::Stick::Left : pad_mapping::Stick::Right, acting);
            break;
        }
        default: break;
        }
    }
    if (pads.size() != before)
        emit AttachedChanged(int(pads.size()));
    FollowPolling();
}

void GameController::Steer(Pad& pad, pad_mapping::Stick stick, bool acting)
{
    const int i = int(stick);
    const std::optional<PadButton> now = pad_mapping::StickDirection(pad.x[i], pad.y[i], pad.stick[i], stick);
    if (now == pad.stick[i])
        return;
    if (pad.stick[i])
        Release(*pad.stick[i]);
    pad.stick[i] = now;
    if (now)
        Press(*now, acting);
}

bool GameController::Grabbing() const { return !grabs.empty(); }

void GameController::Press(PadButton button, bool acting)
{
    if (pad_mapping::Grabs(button))
        grabs.insert(button);
    if (!acting)
        return;
    if (pad_mapping::IsDirection(button)) {
        Hold(button);
        return;
    }
    if (const PadCommand command = pad_mapping::CommandFor(button, Grabbing()); command != PadCommand::None)
        emit Command(command);
}

void GameController::Release(PadButton button)
{
    if (const auto at = grabs.find(button); at != grabs.end())
        grabs.erase(at);
    if (direction == button)
        Hold(std::nullopt);
}

void GameController::Hold(std::optional<PadButton> held)
{
    direction = held;
    repeat.stop();
    if (!direction)
        return;
    emit Command(pad_mapping::CommandFor(*direction, Grabbing()));
    repeat.start(pad_mapping::kRepeatDelayMs, this);
}

void GameController::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == poll.timerId()) {
        Poll();
    } else if (event->timerId() == repeat.timerId()) {
        // A grab pressed or let go meanwhile turns the repeat with it.
        if (direction) {
            emit Command(pad_mapping::CommandFor(*direction, Grabbing()));
            repeat.start(pad_mapping::kRepeatMs, this);
        } else {
            repeat.stop();
        }
    } else {
        QObject::timerEvent(event);
    }
}

} // namespace tesselo
