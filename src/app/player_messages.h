#pragma once

#include <QString>

class QWidget;

namespace tesselo {

// The messages the game window puts before the player when one of the
// player's files cannot be written.

// The saved game could not be written at the close: says why, and returns
// true when the player chooses to close without saving.
bool AskCloseWithoutSaving(QWidget* parent, const QString& reason);

} // namespace tesselo
