#pragma once

#include "model/game.h"
#include "pictures/picture_folder.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tesselo {

// A saved game as a value: the game as it keeps itself, and its picture.
struct SavedGame {
    PlayRecord play;
    PictureRecord picture;
};

// The bytes of "tesselo.dat", the one place that knows them. The layout
// never changes: a player's file from any version, or from the Windows
// program, is read, and every version writes it the same way. Integers are
// 32-bit little-endian, records follow each other without padding:
//
//   0  drag anchor y            4  drag anchor x          8  drag axis (0..2)
//  12  state (0..2)            16  time shown, ms        20  moves
//  24  volume (0..100)         28  one byte: 1 "Strategy", 0 "Speed"
//  29  the grid, TileGrid's record: rows, columns, each cell's home row and
//      column, the selected row and column
//
// and after the grid the picture record, kPictureSize bytes:
//
//   0  the folder, 260 UTF-16LE units ending in a zero
// 520  board width            524 board height          528 0 with a search
// 532  the entry searched, a Windows find record of FindData::kSize bytes     open, -1 without
//
// A file is decoded whole, once, into a SavedGame, and only when every part
// of it is sound: its length exactly what its grid size gives, every value
// one a game can hold (PlayRecord::IsSound, a board size a screen can have),
// each text with its terminating zero. Anything else is no saved game.
class SavedGameFormat {
public:
    static constexpr std::size_t kHeaderSize = 29;
    static constexpr std::size_t kPictureSize = 1124;
    // More than the largest grid's file: no file beyond it is read.
    static constexpr std::size_t kMaxFileSize = 8192;

    // The length of the file of a grid of this size.
    static std::size_t FileSize(GridSize size);
    // The bytes of `saved`, or nothing when it holds what no file may: a
    // value no game can hold, or a folder too long for its area (either
    // would be refused when read back).
    static std::optional<QByteArray> Encode(const SavedGame& saved);
    static std::optional<SavedGame> Decode(const std::uint8_t* in, std::size_t length);
    static std::optional<SavedGame> Decode(const QByteArray& bytes);
};

} // namespace tesselo
