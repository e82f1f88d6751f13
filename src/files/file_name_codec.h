#pragma once

#include <QByteArray>
#include <QString>

namespace tesselo {

// File names between the bytes the file system keeps and the UTF-16 text
// the game holds (and the saved game stores). A name need not be valid
// UTF-8 (an old archive, a zip made on Windows: "caf\xe9.png"), and Qt
// either leaves such a name out of a listing or turns its odd bytes into
// U+FFFD, which names no file. So the odd bytes are kept as lone
// surrogates, U+DC80..U+DCFF, one for each byte (the "surrogate escape"
// convention): the text holds them as it holds any unit, and they turn
// back into the very bytes they came from.
//
// Every byte string comes back exactly from its text. Only strictly valid
// UTF-8 is decoded: the three-byte form of a surrogate (ED A0..BF xx) is
// not valid UTF-8, so a name holding one, such as ED B3 A9 (the form of
// U+DCE9), keeps each of its bytes as an escape, U+DCED U+DCB3 U+DCA9, and
// never becomes the escape U+DCE9, which would come back as the one byte E9.

// Valid UTF-8 sequences decoded, every other byte b kept as U+DC00 + b.
QString FileNameFromBytes(const QByteArray& bytes);

// The reverse: each U+DC80..U+DCFF back to its byte, everything else as
// UTF-8. Text that no name decodes to and that no file could have (a
// U+0000, which would cut the name short, or a lone surrogate outside the
// escapes) gives an empty result, which names no file.
QByteArray FileNameToBytes(const QString& name);

// The name as a window shows it, in text that is valid Unicode: each byte
// kept as an escape (and any other lone surrogate) as U+FFFD, the
// replacement character a window draws for it. For text that leaves the
// game, such as an export, where the escapes would not survive as UTF-8.
QString FileNameShown(const QString& name);

} // namespace tesselo
