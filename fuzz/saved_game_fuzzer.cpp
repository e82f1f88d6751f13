// Feeds arbitrary bytes to the saved-game reader as a whole file image,
// read into a game and its picture as the store reads a file.
// Property: SavedGameFormat::Decode either refuses and the game and picture
// stay as they were, or accepts the whole image, the game and picture take
// it, and they are sound: 2 to 16 rows and columns, a permutation of the
// tiles, the selection inside the grid, every enumerated field in range,
// counters a game can reach, and the same bytes when written back out. (The
// check used before a save replaces a linked file is that same decoding.)

#include "fuzz_support.h"

#include "files/byte_io.h"
#include "model/game.h"
#include "model/game_setup.h"
#include "pictures/game_picture.h"
#include "pictures/picture_setup.h"
#include "saved/saved_game_format.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

using namespace tesselo;
using tesselo::fuzz::Require;

namespace {

// Every field of a Game and its picture, including those the reader must
// never touch.
struct Snapshot {
    Snapshot(const Game& g, const GamePicture& shown)
        : dragAnchorY(g.View().gesture.dragAnchorY), dragAnchorX(g.View().gesture.dragAnchorX),
          dragDeltaX(g.View().gesture.dragDeltaX), dragDeltaY(g.View().gesture.dragDeltaY),
          dragAxis(g.View().gesture.dragAxis), state(g.View().puzzle.state), clockNow(g.View().stopwatch.clockNow),
          clockStart(g.View().stopwatch.clockStart), elapsed(g.View().stopwatch.elapsed), moves(g.View().puzzle.moves),
          strategyStyle(g.View().style.IsStrategy()), volume(g.View().volume),
          resumePending(g.View().stopwatch.resumePending), dragging(g.View().gesture.dragging),
          rows(g.View().puzzle.grid.rowCount), columns(g.View().puzzle.grid.columnCount),
          selectedRow(g.View().puzzle.grid.selectedRow), selectedColumn(g.View().puzzle.grid.selectedColumn),
          folder(shown.Folder().folder), width(shown.Folder().width), height(shown.Folder().height),
          search(shown.Folder().search.get()), findData(shown.Folder().findData.bytes), target(shown.Folder().target),
          picture(shown.Board().picture.cacheKey()), source(shown.Board().source.cacheKey()),
          sourcePath(shown.Board().sourcePath), boardGrid(shown.Board().grid)
    {
        for (const Tile& tile : g.View().puzzle.grid.cells)
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
GamePicture* shown = nullptr;
std::vector<std::uint8_t> baseline; // the file image the game goes back to
FindData baselineFindData;

// The image written now, of the game and its picture.
std::vector<std::uint8_t> Image()
{
    const std::optional<QByteArray> bytes = SavedGameFormat::Encode(SavedGame{game->Record(), shown->Record()});
    Require(bytes.has_value(), "a sound game is written");
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

// Reads the image as the store reads a file: the bytes taken, or 0.
std::size_t Read(const std::uint8_t* data, std::size_t size)
{
    const std::optional<SavedGame> saved = SavedGameFormat::Decode(data, size);
    if (!saved)
        return 0;
    Require(shown->Restore(saved->picture), "a decoded picture is taken");
    Require(game->Resume(saved->play), "a decoded game is taken");
    return size;
}

void CheckSound(const Game& g, const GamePicture& p, const std::uint8_t* data, std::size_t size)
{
    const TileGrid& grid = g.View().puzzle.grid;
    tesselo::fuzz::RequirePlayableGrid(grid);
    Require(size == SavedGameFormat::FileSize(grid.Size()), "the length its grid gives");
    Require(g.View().puzzle.state >= Idle && g.View().puzzle.state <= Solved, "a known state");
    Require(g.View().gesture.dragAxis >= None && g.View().gesture.dragAxis <= Vertical, "a known drag axis");
    Require(g.View().volume >= 0 && g.View().volume <= 100, "a volume in percent");
    Require(g.View().puzzle.moves >= 0, "a move count a game can reach");
    Require(g.View().stopwatch.elapsed >= 0 && g.View().stopwatch.elapsed <= Game::kMaxElapsed,
            "a time the stopwatch can show");
    Require(data[28] <= 1 && g.View().style.IsStrategy() == (data[28] == 1), "the style byte");
    Require(p.Folder().width >= 0 && p.Folder().height >= 0 && p.Folder().width <= PictureFolder::kMaxBoardSide &&
                p.Folder().height <= PictureFolder::kMaxBoardSide,
            "a board size a screen can have");
    Require(PictureFolder::IsStorableFolder(p.Folder().folder), "a folder the file can hold");
    Require(!p.Folder().folder.contains(QLatin1Char('\\')), "the folder in '/' form");
    Require(g.View().stopwatch.resumePending, "the resume flag raised");

    // Written back, the header and the grid are the bytes read; the picture
    // record keeps its folder (up to the separators) and board size.
    const std::vector<std::uint8_t> again = Image();
    Require(again.size() == size, "the same length written back");
    const std::size_t pictureAt = SavedGameFormat::kHeaderSize + grid.RecordSize();
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
    static std::unique_ptr<GamePicture> ownedPicture = std::make_unique<GamePicture>(*owned);
    game = owned.get();
    shown = ownedPicture.get();

    // A game in play with every field away from its default, so that a
    // half-applied file would show.
    GameSetup setup(*game);
    game->ChangeSize(kExpert);
    game->NewGame();
    game->ShiftRowRight();
    game->SelectDown();
    setup.puzzle.moves = 7;
    setup.stopwatch.elapsed = 4321;
    game->SetVolume(55);
    game->SetStrategyStyle(false);
    setup.gesture.dragAnchorX = 11;
    setup.gesture.dragAnchorY = 13;
    PictureSetup(*shown).folder.width = 40;
    PictureSetup(*shown).folder.height = 30;
    setup.stopwatch.clockNow = 99;
    setup.stopwatch.clockStart = 77;
    baseline = Image();
    baselineFindData = shown->Folder().findData;
    Require(!baseline.empty(), "a baseline image");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Snapshot before(*game, *shown);
    // libFuzzer hands over a heap block of exactly `size` bytes, so a read
    // past the end of the image is an AddressSanitizer report.
    const std::size_t used = Read(data, size);
    if (used == 0) {
        Require(Snapshot(*game, *shown) == before, "a refused file changes nothing");
        return 0;
    }
    Require(used == size, "an accepted file is read whole");
    // Taken before the checks write the game back out: writing reads the
    // stopwatch's clock, as anything that wants the time does.
    const Snapshot after(*game, *shown);
    CheckSound(*game, *shown, data, size);
    Require(after.clockNow == before.clockNow && after.clockStart == before.clockStart &&
                after.dragging == before.dragging &&
                after.dragDeltaX == before.dragDeltaX && after.dragDeltaY == before.dragDeltaY &&
                after.picture == before.picture &&
                after.source == before.source && after.sourcePath == before.sourcePath,
            "what the file does not hold stays as it was");

    // Back to the baseline, so that every input starts from the same game.
    Require(Read(baseline.data(), baseline.size()) == baseline.size(), "the baseline reads back");
    GameSetup(*game).stopwatch.resumePending = false;
    PictureSetup(*shown).folder.findData = baselineFindData;
    return 0;
}
