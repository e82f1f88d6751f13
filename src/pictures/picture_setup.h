#pragma once

#include "pictures/game_picture.h"

namespace tesselo {

// The parts of a GamePicture, writable: for tests, fuzzers and benchmarks
// that stage a picture or a folder walk directly. The program itself never
// includes this.
struct PictureSetup {
    explicit PictureSetup(GamePicture& picture) : board(picture.board), folder(picture.folder) {}

    BoardBitmap& board;
    PictureFolder& folder;
};

} // namespace tesselo
