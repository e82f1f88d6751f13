#pragma once

#include <QString>

namespace tesselo {

// The name a player reads for a level or style key of the model ("Novice",
// "Speed"), in the language of the installed translation; any other text
// comes back as it is. The saved game, the history and the records keep the
// keys, so nothing stored depends on the language: every window that shows
// a level or a style turns its key into a name here.
QString DisplayName(const QString& key);

} // namespace tesselo
