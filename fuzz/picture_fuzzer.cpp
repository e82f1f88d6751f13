// Writes arbitrary bytes to a file and has BoardBitmap::LoadScaled make a
// small board picture from it, as the picture folder walker does with every
// entry. Property: it refuses with the board and the picture on hand as they
// were, or it makes a board picture of exactly the size asked from a source
// cut inside the decoded picture; a second size from the same file then
// rescales without decoding, unless the first decode of a JPEG was too
// coarse for it.

#include "fuzz_support.h"

#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"

#include <QFile>
#include <QImageReader>

#include <cstddef>
#include <cstdint>
#include <memory>

using namespace tesselo;
using tesselo::fuzz::Require;

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;

// The game admits 1 GiB pictures; here that would make each run slow and
// the fuzzer's memory unbounded. Pictures up to this size still exercise
// every path of the scaling.
constexpr int kFuzzAllocationLimitMiB = 48;

TileGrid grid;
std::unique_ptr<BoardBitmap> board;
QString path;

void CheckPicture(int width, int height)
{
    Require(board->picture.width() == width && board->picture.height() == height, "the board size asked");
    Require(board->picture.format() == QImage::Format_RGB32, "a board picture in RGB32");
    Require(!board->source.isNull() && board->source.format() == QImage::Format_RGB32, "a source in RGB32");
    Require(board->source.width() == board->sourceFullSize.width() / board->sourceScale &&
                board->source.height() == board->sourceFullSize.height() / board->sourceScale,
            "a source of its full size at its scale");
    const QRect cut = BoardBitmap::ScaledCut(board->sourceFullSize, board->sourceScale, QSize(width, height));
    Require(!cut.isEmpty(), "a source cut of at least one pixel");
    Require(board->source.rect().contains(cut), "a source cut inside the picture");
    Require(board->CellWidth() == width / grid.columnCount && board->CellHeight() == height / grid.rowCount,
            "cells from the board size");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tesselo::fuzz::StartQt();
    path = tesselo::fuzz::EnterEmptyDirectory() + QStringLiteral("/entry");
    grid.Resize(4, 6);
    board = std::make_unique<BoardBitmap>();
    board->grid = &grid;
    // The first load raises Qt's limit for the game; lower it afterwards.
    board->LoadScaled(QStringLiteral("no such file"), kWidth, kHeight);
    QImageReader::setAllocationLimit(kFuzzAllocationLimitMiB);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        QFile file(path);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the entry file opens");
        Require(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size), "the entry is written");
    }
    // A new path each time in the board's eyes, and no memory of earlier
    // failures, so every input is decoded.
    board->sourcePath.clear();
    board->failed.clear();
    const qint64 pictureBefore = board->picture.cacheKey();
    const qint64 sourceBefore = board->source.cacheKey();

    if (!board->LoadScaled(path, kWidth, kHeight)) {
        Require(board->picture.cacheKey() == pictureBefore, "a refused file leaves the board picture");
        Require(board->source.cacheKey() == sourceBefore, "a refused file leaves the source");
        Require(board->sourcePath.isEmpty(), "a refused file is not the picture on hand");
        Require(!board->LoadScaled(path, kWidth, kHeight), "a refused file is refused again");
        return 0;
    }
    Require(board->sourcePath == path, "the file is the picture on hand");
    CheckPicture(kWidth, kHeight);

    // A window resized: another board size from the same file, which must
    // rescale the picture on hand rather than read the file again, unless
    // the picture on hand is a JPEG decoded too coarsely for the new size.
    const int decodes = board->decodes;
    const int width = 1 + (size > 0 ? data[0] : 0) % 97;
    const int height = 1 + (size > 1 ? data[size - 1] : 0) % 71;
    const bool finer = BoardBitmap::ScaleFor(board->sourceFullSize, QSize(width, height)) < board->sourceScale;
    Require(board->LoadScaled(path, width, height), "a rescale of the picture on hand");
    Require(board->decodes == decodes + (finer ? 1 : 0), "a second decoding only for a finer scale");
    CheckPicture(width, height);
    return 0;
}
