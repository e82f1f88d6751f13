#pragma once

#include <QPoint>
#include <QString>

#include <cstddef>
#include <utility>

class QDialog;
class QMenu;
class QWidget;

namespace tesselo {

// A message the game window puts before the player, most of them when one
// of the player's files cannot be written.
struct Prompt {
    enum class Kind {
        // The saved game could not be written at the close. The second
        // answer closes without saving.
        SaveFailed,
        // A win could not be written to the records yet; `reason` says where
        // and why, and that it waits.
        WinNotKept,
        // "tesselo.ini" could not be written: the settings hold until the
        // game closes.
        SettingsNotKept,
        // The board cannot be solved, so there is no hint and no solve.
        NoWayHome,
        // At the close, `count` wins still could not be written to `file`.
        // The second answer closes and loses them.
        WinsAtRisk,
        // Anything else the player is told, in `reason`: one answer.
        Notice,
    };
    explicit Prompt(Kind k, QString why = {}, QString where = {}, std::size_t wins = 0)
        : kind(k), reason(std::move(why)), file(std::move(where)), count(wins)
    {
    }
    Kind kind;
    QString reason;
    QString file;
    std::size_t count;
};

// Where the game window's own windows run: the options, the help, the
// records, the board's menu and the messages. The game runs them for the
// player; tests answer them instead, through this one interface.
class Prompter {
public:
    virtual ~Prompter() = default;
    // Runs a modal window until it is closed, and returns its result.
    virtual int Run(QDialog& dialog);
    // Opens a menu at a point on the screen until it is left.
    virtual void Run(QMenu& menu, QPoint at);
    // Shows a message over `parent`: true when the player takes its second
    // answer (close all the same); a message with one answer gives false.
    virtual bool Ask(QWidget* parent, const Prompt& prompt);
};

} // namespace tesselo
