// Feeds arbitrary bytes to the saved-game reader as a whole file image.
// Property: Game::LoadFrom either refuses (returns 0) and leaves every field
// of the game as it was, or accepts the whole image and the game is sound:
// 2 to 16 rows and columns, a permutation of the tiles, the selection inside the
// grid, every enumerated field in range, counters a game can reach, and the
// same bytes when written back out. The check used before a save replaces a
// linked file agrees with the reader.

#include "fuzz_support.h"

#include "files/byte_io.h"
#include "model/game.h"
#include "model/game_setup.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

using namespace tesselo;
using tesselo::fuzz::Require;

namespace {

// Every field of a Game, including those the reader must never touch.
struct Snapshot {
    explicit Snapshot(const Game& g)
        : dragAnchorY(g.dragAnchorY), dragAnchorX(g.dragAnchorX), dragDeltaX(g.dragDeltaX),
          dragDeltaY(g.dragDeltaY), dragAxis(g.dragAxis), state(g.state), clockNow(g.stopwatch.clockNow),
          clockStart(g.stopwatch.clockStart), elapsed(g.elapsed), moves(g.moves),
          strategyStyle(g.strategyStyle), volume(g.volume),
          resumePending(g.resumePending), dragging(g.dragging), rows(g.grid.rowCount),
          columns(g.grid.columnCount), selectedRow(g.grid.selectedRow),
          selectedColumn(g.grid.selectedColumn), folder(g.pictures.folder), width(g.pictures.width),
          height(g.pictures.height), search(g.pictures.search.get()),
          findData(g.pictures.findData.bytes), target(g.pictures.target),
          picture(g.board.picture.cacheKey()), source(g.board.source.cacheKey()),
          sourcePath(g.board.sourcePath), boardGrid(g.board.grid)
    {
        for (const Tile& tile : g.grid.cells)
            homes.push_back(tile.homeRow * 100 + tile.homeColumn);
    }
    bool operator==(const Snapshot&) const = default;

    std::int32_t dragAnchorY, dragAnchorX, dragDeltaX, dragDeltaY;
    DragAxis dragAxis;
    GameState state;
    std::int64_t clockNow, clockStart;
    std::int32_t elapsed, moves;
    bool strategyStyle;
    std::int32_t volume;
    bool resumePending, dragging;
    std::int32_t rows, columns, selectedRow, selectedColumn;
    QString folder;
    std::int32_t width, height;
    const DirectorySearch* search;
    std::array<std::uint8_t, FindData::kSize> findData;
    const BoardBitmap* target;
    qint64 picture, source;
    QString sourcePath;
    const TileGrid* boardGrid;
    std::vector<std::int32_t> homes;
};

Game* game = nullptr;
std::vector<std::uint8_t> baseline; // the file image the game goes back to
FindData baselineFindData;

void CheckSound(const Game& g, const std::uint8_t* data, std::size_t size)
{
    const TileGrid& grid = g.grid;
    tesselo::fuzz::RequirePlayableGrid(grid);
    Require(size == Game::FileSize(grid.rowCount, grid.columnCount), "the length its grid gives");
    Require(g.state >= Idle && g.state <= Solved, "a known state");
    Require(g.dragAxis >= None && g.dragAxis <= Vertical, "a known drag axis");
    Require(g.volume >= 0 && g.volume <= 100, "a volume in percent");
    Require(g.moves >= 0, "a move count a game can reach");
    Require(g.elapsed >= 0 && g.elapsed <= Game::kMaxElapsed, "a time the stopwatch can show");
    Require(data[28] <= 1 && g.strategyStyle == (data[28] == 1), "the style byte");
    Require(g.pictures.width >= 0 && g.pictures.height >= 0 &&
                g.pictures.width <= PictureFolder::kMaxBoardSide &&
                g.pictures.height <= PictureFolder::kMaxBoardSide,
            "a board size a screen can have");
    Require(PictureFolder::IsStorableFolder(g.pictures.folder), "a folder the file can hold");
    Require(!g.pictures.folder.contains(QLatin1Char('\\')), "the folder in '/' form");
    Require(g.resumePending, "the resume flag raised");

    // Written back, the header and the grid are the bytes read; the picture
    // record keeps its folder (up to the separators) and board size.
    std::vector<std::uint8_t> again(Game::kBufferSize, 0);
    Require(g.StoreTo(again.data(), again.size()) == size, "the same length written back");
    const std::size_t pictureAt = Game::kHeaderSize + grid.RecordSize();
    Require(std::equal(data, data + pictureAt, again.data()), "header and grid written back unchanged");
    Require(std::equal(data + pictureAt + 520, data + pictureAt + 528, again.data() + pictureAt + 520),
            "board size written back unchanged");
    for (std::size_t unit = 0; unit < PictureFolder::kFolderUnits; ++unit) {
        const std::uint16_t in = GetUInt16(data + pictureAt + 2 * unit);
        const std::uint16_t out = GetUInt16(again.data() + pictureAt + 2 * unit);
        Require(out == (in == '\\' ? '/' : in), "folder written back unchanged");
        if (in == 0)
            break;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tesselo::fuzz::StartQt();
    tesselo::fuzz::EnterEmptyDirectory();
    static std::unique_ptr<Game> owned = std::make_unique<Game>([] { return std::uint64_t(130000000000000000); });
    game = owned.get();

    // A game in play with every field away from its default, so that a
    // half-applied file would show.
    GameSetup setup(*game);
    game->ChangeLevel(kExpert);
    game->NewGame();
    game->ShiftRowRight();
    game->SelectDown();
    setup.puzzle.moves = 7;
    setup.stopwatch.elapsed = 4321;
    game->SetVolume(55);
    game->SetStrategyStyle(false);
    setup.gesture.dragAnchorX = 11;
    setup.gesture.dragAnchorY = 13;
    setup.pictures.width = 40;
    setup.pictures.height = 30;
    setup.stopwatch.clockNow = 99;
    setup.stopwatch.clockStart = 77;
    baseline.assign(Game::kBufferSize, 0);
    baseline.resize(game->StoreTo(baseline.data(), baseline.size()));
    baselineFindData = game->pictures.findData;
    Require(!baseline.empty(), "a baseline image");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Snapshot before(*game);
    // libFuzzer hands over a heap block of exactly `size` bytes, so a read
    // past the end of the image is an AddressSanitizer report.
    const std::size_t used = game->LoadFrom(data, size);
    Require(Game::CheckRecord(data, size) == used, "the check alone agrees with the reader");
    if (used == 0) {
        Require(Snapshot(*game) == before, "a refused file changes nothing");
        return 0;
    }
    Require(used == size, "an accepted file is read whole");
    CheckSound(*game, data, size);
    Snapshot after(*game);
    Require(after.clockNow == before.clockNow && after.clockStart == before.clockStart &&
                after.dragging == before.dragging &&
                after.dragDeltaX == before.dragDeltaX && after.dragDeltaY == before.dragDeltaY &&
                after.picture == before.picture &&
                after.source == before.source && after.sourcePath == before.sourcePath,
            "what the file does not hold stays as it was");

    // Back to the baseline, so that every input starts from the same game.
    Require(game->LoadFrom(baseline.data(), baseline.size()) == baseline.size(), "the baseline reads back");
    GameSetup(*game).stopwatch.resumePending = false;
    GameSetup(*game).pictures.findData = baselineFindData;
    return 0;
}
