#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <limits>
#include <optional>

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
//   written (the link itself stays a link). An existing target is replaced
//   only when `mayReplace` accepts its path; without a check, links to
//   existing files are refused, because a link can lead anywhere and the
//   file there may be someone's. A link that leads nowhere is refused too,
//   and left as it is: nothing is made where it points, which may be a
//   folder of someone else's, or one the player has since moved.
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

// Why a file the game reads was not read.
enum class ReadRefusal {
    None,        // it was read
    Missing,     // nothing by that name, or a link that leads nowhere
    NotAFile,    // a directory, pipe, socket or device
    OutOfBounds, // a size the reader does not accept, or grown past it while read
    Unreadable,  // no permission, a loop of links, or an error while opening or reading
};

// A file the game reads, opened so that nothing put at its name, even
// between a look at the name and the open, can stall the game: the name is
// opened without waiting (a named pipe would otherwise hold the open until a
// writer came), and only then is the opened file checked: a regular file
// whose size lies within the reader's bounds. Everything read comes from
// that one handle.
//
// Links are followed, as everywhere in the game: the player may keep a file
// elsewhere and link it here, and what the open reaches is checked all the
// same. The name goes through FileNameToBytes, so a name that is not UTF-8
// is opened as the bytes it came from.
class FileToRead {
public:
    static constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max();

    FileToRead(const QString& path, qint64 minBytes, qint64 maxBytes);

    bool IsOpen() const { return refusal == ReadRefusal::None; }
    ReadRefusal Refusal() const { return refusal; }
    // The opened file's size and last change (ms since the Unix epoch).
    qint64 Size() const { return size; }
    qint64 Modified() const { return modified; }
    // The open file, to read from as a stream (a picture decoder).
    QIODevice& Device() { return file; }
    // Reads from where the handle stands to the end, refusing a file that
    // has grown past the upper bound meanwhile. A file that reported no
    // bytes is not read at all: pseudo files (/proc/kmsg) report none and
    // some of them block whoever reads.
    std::optional<QByteArray> ReadAll();

private:
    QFile file;
    qint64 maxBytes = 0;
    qint64 size = 0;
    qint64 modified = 0;
    ReadRefusal refusal = ReadRefusal::Unreadable;
};

// The whole content of the file at `path`, read through FileToRead, or
// nothing with the reason in `why`.
std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 minBytes, qint64 maxBytes,
                                        ReadRefusal* why = nullptr);

} // namespace tesselo
