#pragma once

#include <QString>

#include <cstddef>

class QWidget;

namespace tesselo {

// The messages the game window puts before the player when one of the
// player's files cannot be written.

// The saved game could not be written at the close: says why, and returns
// true when the player chooses to close without saving.
bool AskCloseWithoutSaving(QWidget* parent, const QString& reason);
// A win could not be written to the records yet (`message` says where and
// why, and that it waits).
void TellWinNotKept(QWidget* parent, const QString& message);
// The settings could not be written to "tesselo.ini" (`reason` says why):
// they hold until the game closes.
void TellSettingsNotKept(QWidget* parent, const QString& reason);
// The board cannot be solved, so there is no hint and no solve.
void TellNoWayHome(QWidget* parent);
// At the close, `count` wins still could not be written to `file`: says
// why, and returns true when the player chooses to close and lose them.
bool AskCloseLosingWins(QWidget* parent, std::size_t count, const QString& file, const QString& reason);

} // namespace tesselo
