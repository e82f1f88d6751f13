#pragma once

#include "app/input/pad_mapping.h"

#include <QBasicTimer>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <set>

class QFileSystemWatcher;
class QWidget;

namespace tesselo {

// The game controllers attached, read through SDL's GameController API and
// told as the board's commands (pad_mapping). SDL only learns of a button
// or of a controller plugged in when it is asked (SDL_WaitEvent itself asks
// every millisecond), so this asks it every kPollMs while a controller is
// attached and never while none is: the device folder's changes (inotify,
// no timer) say when one may have come, and SDL is asked for a few seconds
// after each. Without a controller nothing changes and nothing wakes. Nor
// is SDL asked while the window it serves is not the active one: its input
// counts only there. Once it is active again SDL is asked at once, the
// controllers that came or went meanwhile are taken or let go, and the
// presses made meanwhile are dropped (the buttons still held are known as
// held, so a shoulder held through goes on grabbing).
class GameController : public QObject {
    Q_OBJECT
public:
    explicit GameController(QObject* parent = nullptr);
    ~GameController() override;

    // Opens SDL's controllers and takes those already attached. False when
    // SDL has none to offer; the game then goes on without.
    bool Start();
    void Stop();
    int Attached() const { return int(pads.size()); }
    // Whether SDL is being asked: while a controller is attached, or just
    // after the devices changed.
    bool Polling() const { return poll.isActive(); }
    // The devices changed: SDL is asked for kSettleMs from now.
    void Recheck();
    // SDL's name of a button, as the board reads it.
    static PadButton ButtonOf(int sdlButton);
    // Watches `input` for the devices coming and going in place of the
    // system's folder, and the folder above it until `input` appears; a
    // test's own folder stands for it.
    void WatchFolder(const QString& input);
    // Reads SDL only while `window` is the active window, from now on.
    void Follow(QWidget* window);
    // Whether the input counts now (true until a window is followed).
    void SetActive(bool on);
    bool Active() const { return active; }
    // Whether a held direction is repeating.
    bool Repeating() const { return repeat.isActive(); }

    static constexpr int kPollMs = 16;
    // How long SDL is asked after the devices changed: the system names a
    // new device a moment after its node appears.
    static constexpr int kSettleMs = 3000;

signals:
    void Command(tesselo::PadCommand command);
    // A controller was attached or let go; the count now.
    void AttachedChanged(int count);

protected:
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pad;
    // Reads what SDL has; the presses only tell the state of the buttons
    // unless `acting`.
    void Poll(bool acting = true);
    void Open(int deviceIndex);
    void Close(std::int32_t id);
    void WatchDevices();
    void Press(PadButton button, bool acting);
    void Release(PadButton button);
    // A stick of `pad` moved: it presses and lets go of its directions.
    void Steer(Pad& pad, pad_mapping::Stick stick, bool acting);
    // The direction held now, from any d-pad or stick; it acts once and
    // repeats while held.
    void Hold(std::optional<PadButton> direction);
    bool Grabbing() const;
    void FollowPolling();

    bool started = false;
    bool active = true;
    // The devices changed while the window was not active: SDL is given
    // kSettleMs again from the window's return.
    bool devicesChangedAway = false;
    QWidget* followed = nullptr;
    std::map<std::int32_t, std::unique_ptr<Pad>> pads; // by SDL's instance id
    std::multiset<PadButton> grabs;                     // the grabbing buttons held, of every pad
    std::optional<PadButton> direction;
    QBasicTimer poll;
    QBasicTimer repeat;
    QDeadlineTimer settle;
    QFileSystemWatcher* devices = nullptr;
    QString inputFolder;
};

} // namespace tesselo
