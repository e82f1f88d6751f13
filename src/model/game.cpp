#include "model/game.h"

#include "model/byte_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <utility>
#include <vector>

namespace tesselo {

namespace {

// Between the Windows epoch (1601-01-01) and the Unix epoch, in 100 ns.
constexpr std::uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;

constexpr std::int32_t kStateLimit = Solved;
constexpr std::int32_t kAxisLimit = Vertical;

std::int64_t Abs64(std::int64_t v) { return v < 0 ? -v : v; }

// Rounds a drag to whole cells, halves away from zero, and names the line
// it lands on, wrapping once past either end.
std::int32_t SnapTarget(std::int64_t d, std::int32_t cell, std::int32_t selected,
                        std::int32_t count, std::int32_t* snapped)
{
    if (d > 0)
        d += cell / 2;
    else
        d -= cell / 2;
    *snapped = static_cast<std::int32_t>(d);
    std::int64_t t = d / cell + selected;
    if (t < 0)
        t += count;
    if (t >= count)
        t -= count;
    // Points outside the board are the caller's error; a target still out of
    // range after one correction is refused by the grid.
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(t, -1, count));
}

} // namespace

std::uint64_t Game::SystemFileTime()
{
    using namespace std::chrono;
    const auto since1970 = duration_cast<nanoseconds>(system_clock::now().time_since_epoch());
    return kUnixEpochAsFileTime + static_cast<std::uint64_t>(since1970.count() / 100);
}

Game::Game(FileTimeSource clock, FirstPicture first) : fileTime(std::move(clock))
{
    grid.Resize(2, 3);
    board.grid = &grid;
    pictures.target = &board;
    if (first == FirstPicture::AtOnce)
        pictures.ShowCurrent();
    else
        picturePending = true;
}

Game::~Game()
{
    pictures.CloseSearch();
    grid.Clear();
}

std::uint32_t Game::ReadClock() const
{
    return static_cast<std::uint32_t>(fileTime() / 10000);
}

void Game::NewGame()
{
    if (state == Playing)
        return;
    if (state == Solved && pictures.target) {
        if (pictures.IsSearchOpen() || pictures.OpenSearch())
            pictures.ShowNext();
    }
    std::uint32_t seed = static_cast<std::uint32_t>(fileTime()) % 0x7FFF;
    grid.Shuffle(seed);
    while (grid.IsSolved())
        grid.Shuffle(++seed);
    moves = 0;
    state = Playing;
    clockStart = clockNow;
}

void Game::ResetGame()
{
    grid.Resize(grid.rowCount, grid.columnCount);
    moves = 0;
    state = Idle;
    elapsed = 0;
}

void Game::BeginDrag(std::int32_t x, std::int32_t y)
{
    if (state != Playing)
        return;
    dragAnchorX = x;
    dragAnchorY = y;
    dragDeltaX = 0;
    dragDeltaY = 0;
    const Cell cell = board.CellAt(y, x);
    grid.selectedRow = cell.row;
    grid.selectedColumn = cell.column;
    dragAxis = None;
    dragging = true;
}

void Game::TrackDrag(std::int32_t x, std::int32_t y)
{
    if (state != Playing || !dragging)
        return;
    const std::int64_t dx = std::int64_t(x) - dragAnchorX;
    const std::int64_t dy = std::int64_t(y) - dragAnchorY;
    dragDeltaX = static_cast<std::int32_t>(dx);
    dragDeltaY = static_cast<std::int32_t>(dy);
    if (dragAxis == None) {
        if (Abs64(dx) - Abs64(dy) > 4)
            dragAxis = Horizontal;
        else if (Abs64(dy) - Abs64(dx) > 4)
            dragAxis = Vertical;
    }
}

void Game::EndDrag(std::int32_t x, std::int32_t y)
{
    if (state != Playing || !dragging)
        return;
    const std::int32_t m = moves;
    if (dragAxis == Horizontal) {
        const std::int32_t w = board.CellWidth();
        // A board too small to hold a pixel per cell (a minimised window)
        // has no cells to move by.
        if (w > 0) {
            const std::int32_t t = SnapTarget(std::int64_t(x) - dragAnchorX, w,
                                              grid.selectedColumn, grid.columnCount, &dragDeltaX);
            if (grid.ShiftRow(t))
                ++moves;
        }
    } else if (dragAxis == Vertical) {
        const std::int32_t h = board.CellHeight();
        if (h > 0) {
            const std::int32_t t = SnapTarget(std::int64_t(y) - dragAnchorY, h,
                                              grid.selectedRow, grid.rowCount, &dragDeltaY);
            if (grid.ShiftColumn(t))
                ++moves;
        }
    }
    FinishMove(moves > m);
    dragging = false;
}

void Game::KeyShift(bool row, std::int32_t target)
{
    if (row)
        grid.ShiftRow(target);
    else
        grid.ShiftColumn(target);
    ++moves;
    FinishMove(true);
}

void Game::ShiftRowLeft()
{
    if (!CanKey())
        return;
    const std::int32_t t = grid.selectedColumn - 1;
    KeyShift(true, t < 0 ? grid.columnCount - 1 : t);
}

void Game::ShiftRowRight()
{
    if (!CanKey())
        return;
    const std::int32_t t = grid.selectedColumn + 1;
    KeyShift(true, t >= grid.columnCount ? 0 : t);
}

void Game::ShiftColumnUp()
{
    if (!CanKey())
        return;
    const std::int32_t t = grid.selectedRow - 1;
    KeyShift(false, t < 0 ? grid.rowCount - 1 : t);
}

void Game::ShiftColumnDown()
{
    if (!CanKey())
        return;
    const std::int32_t t = grid.selectedRow + 1;
    KeyShift(false, t >= grid.rowCount ? 0 : t);
}

void Game::SelectLeft()
{
    if (CanKey())
        grid.selectedColumn = grid.selectedColumn == 0 ? grid.columnCount - 1 : grid.selectedColumn - 1;
}

void Game::SelectRight()
{
    if (CanKey())
        grid.selectedColumn = grid.selectedColumn >= grid.columnCount - 1 ? 0 : grid.selectedColumn + 1;
}

void Game::SelectUp()
{
    if (CanKey())
        grid.selectedRow = grid.selectedRow == 0 ? grid.rowCount - 1 : grid.selectedRow - 1;
}

void Game::SelectDown()
{
    if (CanKey())
        grid.selectedRow = grid.selectedRow >= grid.rowCount - 1 ? 0 : grid.selectedRow + 1;
}

const QString& Game::CounterText()
{
    if (strategyStyle) {
        counterText = QString::asprintf("%d", moves);
        return counterText;
    }
    if (state == Playing)
        elapsed = static_cast<std::int32_t>(clockNow - clockStart);
    // A clock set back during play makes the difference negative; show
    // zero rather than a row of minus signs.
    const std::int64_t e = std::max<std::int64_t>(elapsed, 0);
    const std::int64_t t = (e + 50) / 100;
    counterText = QString::asprintf("%d:%2.2d:%2.2d.%1.1d", int(t / (10 * 3600)),
                                    int((t / 600) % 60), int((t / 10) % 60), int(t % 10));
    return counterText;
}

void Game::FinishMove(bool moved)
{
    if (grid.IsSolved()) {
        state = Solved;
        if (owner) {
            owner->RepaintBoard();
            if (!strategyStyle)
                owner->StopClockSound();
            owner->PlayCue(Cue::Win);
        }
    } else if (owner && strategyStyle) {
        owner->PlayCue(moved ? Cue::Move : Cue::NoMove);
    }
    dragAxis = None;
    dragDeltaX = 0;
    dragDeltaY = 0;
}

std::size_t Game::FileSize(std::int32_t rows, std::int32_t columns)
{
    return kHeaderSize + TileGrid::RecordSize(rows, columns) + PictureFolder::kRecordSize;
}

std::size_t Game::StoreTo(std::uint8_t* out, std::size_t capacity) const
{
    const std::size_t total = FileSize(grid.rowCount, grid.columnCount);
    if (capacity < total)
        return 0;
    PutInt32(out + 0, dragAnchorY);
    PutInt32(out + 4, dragAnchorX);
    PutInt32(out + 8, dragAxis);
    PutInt32(out + 12, state);
    PutInt32(out + 16, elapsed);
    PutInt32(out + 20, moves);
    PutInt32(out + 24, volume);
    out[28] = strategyStyle ? 1 : 0;
    const std::size_t g = grid.StoreTo(out + kHeaderSize, capacity - kHeaderSize);
    const std::size_t p = pictures.StoreTo(out + kHeaderSize + g, capacity - kHeaderSize - g);
    return kHeaderSize + g + p;
}

std::size_t Game::LoadFrom(const std::uint8_t* in, std::size_t length)
{
    // Everything is checked before anything is applied: a damaged file must
    // not leave a game half read.
    if (length < kHeaderSize + 8)
        return 0;
    const std::int32_t rows = GetInt32(in + kHeaderSize);
    const std::int32_t columns = GetInt32(in + kHeaderSize + 4);
    if (!TileGrid::IsDifficultySize(rows, columns) || length != FileSize(rows, columns))
        return 0;
    const std::int32_t axis = GetInt32(in + 8);
    const std::int32_t savedState = GetInt32(in + 12);
    const std::int32_t savedVolume = GetInt32(in + 24);
    if (axis < 0 || axis > kAxisLimit || savedState < 0 || savedState > kStateLimit ||
        savedVolume < 0 || savedVolume > 100 || in[28] > 1)
        return 0;
    const std::size_t g = TileGrid::CheckRecord(in + kHeaderSize, length - kHeaderSize);
    if (g == 0 || PictureFolder::CheckRecord(in + kHeaderSize + g, length - kHeaderSize - g) == 0)
        return 0;

    dragAnchorY = GetInt32(in + 0);
    dragAnchorX = GetInt32(in + 4);
    dragAxis = static_cast<DragAxis>(axis);
    state = static_cast<GameState>(savedState);
    elapsed = GetInt32(in + 16);
    moves = GetInt32(in + 20);
    volume = savedVolume;
    strategyStyle = in[28] == 1;
    grid.LoadFrom(in + kHeaderSize, length - kHeaderSize);
    pictures.LoadFrom(in + kHeaderSize + g, length - kHeaderSize - g);
    resumePending = true;
    return length;
}

bool Game::SaveGame(QString* error)
{
    std::vector<std::uint8_t> buffer(kBufferSize, 0);
    const std::size_t length = StoreTo(buffer.data(), buffer.size());
    // QSaveFile writes beside the old file and renames only once the new
    // one is complete, so a failed or interrupted save keeps the last game.
    QSaveFile file(QString::fromLatin1(kSaveFileName));
    const bool ok = length > 0 && file.open(QIODevice::WriteOnly) &&
                    file.write(reinterpret_cast<const char*>(buffer.data()), qint64(length)) ==
                        qint64(length) &&
                    file.commit();
    if (!ok && error)
        *error = length == 0 ? QStringLiteral("The game could not be encoded.") : file.errorString();
    return ok;
}

void Game::LoadSavedGame(const BoardFit& fit)
{
    bool read = false;
    std::vector<std::uint8_t> buffer(kBufferSize, 0);
    const QString name = QString::fromLatin1(kSaveFileName);
    QFile file(name);
    // Only a regular file is read: a pipe named like the saved game would
    // otherwise block the start for ever.
    if (QFileInfo(name).isFile() && file.open(QIODevice::ReadOnly)) {
        // One byte more than the buffer tells an oversized file from a full one.
        std::vector<std::uint8_t> data(kBufferSize + 1, 0);
        const qint64 n = file.read(reinterpret_cast<char*>(data.data()), qint64(data.size()));
        file.close();
        if (n > 0 && std::size_t(n) <= kBufferSize) {
            std::copy(data.begin(), data.begin() + n, buffer.begin());
            read = LoadFrom(buffer.data(), std::size_t(n)) != 0;
        }
    }
    if (fit) {
        const QSize size = fit(QSize(pictures.width, pictures.height));
        pictures.width = size.width();
        pictures.height = size.height();
    }
    const bool firstPicture = std::exchange(picturePending, false);
    if (!pictures.ShowCurrent().isEmpty() || !firstPicture || !read)
        return;
    // The saved folder showed nothing, so the board keeps the picture the
    // game was made with, the first of the default folder, found only now.
    PictureFolder start;
    start.target = &board;
    start.width = pictures.width;
    start.height = pictures.height;
    start.ratio = pictures.ratio;
    start.ShowCurrent();
}

} // namespace tesselo
