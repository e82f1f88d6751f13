#pragma once

#include "model/grid_size.h"

#include <QString>

namespace tesselo {

// The name a player reads for a level or style key of the model ("Novice",
// "Speed"), in the language of the installed translation; any other text
// comes back as it is. The saved game, the history and the records keep the
// keys, so nothing stored depends on the language: every window that shows
// a level or a style turns its key into a name here.
QString DisplayName(const QString& key);
// A level's name, or for any other size its counts ("5 × 7", rows first).
QString DisplayName(GridSize size);
QString DisplayName(Style style);

} // namespace tesselo
