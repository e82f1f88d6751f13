#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace tesselo {

// Decides whether an existing file that `path` leads to (through symbolic
// links) may be replaced: called with the final target's path.
using ReplaceCheck = std::function<bool(const QString& targetPath)>;

// Replaces the whole file at `path` with `data`, so that the file is either
// the old one byte for byte or the new one whole, never anything between.
//
// - The data goes to a side file in the target's directory (QSaveFile),
//   written unbuffered with every write, the flush and the sync to disk
//   checked; only then is it renamed over the old file. Any failure (a full
//   disk, no permission, a missing directory) removes the side file and
//   leaves the old file untouched.
// - A plain file at `path` is replaced without asking `mayReplace`: the
//   name is the caller's own.
// - A symbolic link is followed to its final target, and the target is
//   written (the link itself stays a link). A target that does not exist
//   yet is created. An existing target is replaced only when `mayReplace`
//   accepts its path; without a check, links to existing files are refused,
//   because a link can lead anywhere and the file there may be someone's.
// - Whatever `path` leads to must be a regular file when it exists: a
//   directory, pipe or device is never replaced. A link loop is refused.
//
// Returns true when the new file is in place. On failure returns false and,
// when asked, a reason written for the player.
bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr,
                         const ReplaceCheck& mayReplace = {});

// Keeps a file that cannot be used (damaged, or not the program's) under a
// free name beside it, "<name>.damaged", then "<name>.damaged-2" and so on
// (another word than "damaged" says why else it was set aside), rather
// than let a later write replace it. A symbolic link is renamed, not what
// it leads to. Returns the new path, or an empty string with a reason when
// nothing could be renamed.
QString SetFileAside(const QString& path, QString* error = nullptr, const QString& why = QStringLiteral("damaged"));

} // namespace tesselo
