#pragma once

#include "model/game_result.h"

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;
struct sqlite3;

namespace tesselo {

namespace records_rows {
struct StoredWin;
}

// The records as CSV, for a spreadsheet: a header, then one row a win, in
// the order kept (the wins not in the database yet last), as RFC 4180
// writes it (fields quoted where they hold a comma, a quote or a line
// break, quotes doubled, lines ended by CR LF), in UTF-8. A picture's name
// that is not UTF-8 is written as a window shows it (file_name_codec.h).
// Results this version cannot count are not wins and have no row; the JSON
// export gives them back.
namespace records_csv {

// The columns: the moment the win ended (ISO 8601, UTC, to the
// millisecond), the grid as rows x columns, the style's key, the moves,
// the time in milliseconds, the par (empty when none is known), the moves
// the game made for the player (0 for a win without help), the day of the
// daily puzzle (empty for any other game), the picture's file name (empty
// for the built-in one), and 1 for a "Blind" game that did not finish (its
// time and moves as they stood), 0 for a win.
inline constexpr const char* kHeader = "date,size,style,moves,time_ms,par,helped,daily,picture,dnf,race";

// One field, quoted when it needs to be.
QByteArray Field(const QString& text);
// A text field a spreadsheet would read as a formula (one that begins with
// '=', '+', '-', '@', a tab or a carriage return) with an apostrophe
// before it; any other as it is.
QString Defused(const QString& text);
// The size a stored size key stands for, as rows x columns ("3x4" for
// "Expert", "5x7" for "5x7"); a key of no size this version knows as it is.
QString SizeOf(const QString& level);
// One win's row, without its line end.
QByteArray Row(const GameResult& result);
// A row of the records as it is kept, sound or not: the size and style
// from the keys it holds, which may be none this version knows, and a
// value that cannot be read (text where a number belongs, a date beyond
// the years ISO 8601 writes) as an empty field rather than one made up.
QByteArray Row(const records_rows::StoredWin& row);
// Writes every win of `db` (none when null), then `unwritten`. False when
// `out` failed; `rc` is the database's last result, SQLITE_DONE when it
// gave every row.
bool Export(sqlite3* db, const std::vector<GameResult>& unwritten, QIODevice& out, int* rc);

} // namespace records_csv

} // namespace tesselo
