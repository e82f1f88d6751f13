#include "model/game.h"

#include "model/byte_io.h"
#include "model/history_file.h"
#include "model/safe_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <limits>
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
    history.Begin(grid, 0);
    abandoned.reset();
}

void Game::ResetGame()
{
    if (state == Playing) {
        abandoned = AbandonedGame{grid, moves, elapsed, clockNow - clockStart, std::move(history)};
    }
    history.Clear();
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
    bool moved = false;
    const Selection before = grid.Selected();
    if (dragAxis == Horizontal) {
        const std::int32_t w = board.CellWidth();
        // A board too small to hold a pixel per cell (a minimised window)
        // has no cells to move by.
        if (w > 0) {
            const std::int32_t t = SnapTarget(std::int64_t(x) - dragAnchorX, w,
                                              grid.selectedColumn, grid.columnCount, &dragDeltaX);
            if (grid.ShiftRow(t)) {
                moved = true;
                Record(Move{MoveAxis::Row, before.row, t - before.column}, before);
            }
        }
    } else if (dragAxis == Vertical) {
        const std::int32_t h = board.CellHeight();
        if (h > 0) {
            const std::int32_t t = SnapTarget(std::int64_t(y) - dragAnchorY, h,
                                              grid.selectedRow, grid.rowCount, &dragDeltaY);
            if (grid.ShiftColumn(t)) {
                moved = true;
                Record(Move{MoveAxis::Column, before.column, t - before.row}, before);
            }
        }
    }
    if (moved)
        CountMove();
    FinishMove(moved);
    dragging = false;
}

void Game::KeyShift(bool row, std::int32_t target)
{
    const Selection before = grid.Selected();
    if (row)
        grid.ShiftRow(target);
    else
        grid.ShiftColumn(target);
    CountMove();
    Record(row ? Move{MoveAxis::Row, before.row, target - before.column}
               : Move{MoveAxis::Column, before.column, target - before.row},
           before);
    FinishMove(true);
}

void Game::CountMove()
{
    if (moves < std::numeric_limits<std::int32_t>::max())
        ++moves;
}

void Game::Record(const Move& move, Selection before)
{
    history.Record(HistoryStep{move, before, grid.Selected()});
}

bool Game::CanUndo() const
{
    return (CanKey() && history.CanUndo()) || (state == Idle && !dragging && abandoned);
}

bool Game::CanRedo() const
{
    return CanKey() && history.CanRedo();
}

bool Game::Undo()
{
    if (state == Idle && !dragging && abandoned) {
        RestoreAbandoned();
        return true;
    }
    if (!CanKey())
        return false;
    const HistoryStep* step = history.StepBack();
    if (!step)
        return false;
    grid.Apply(step->move.Inverse());
    grid.Select(step->before);
    --moves;
    if (owner) {
        owner->RepaintBoard();
        if (strategyStyle)
            owner->PlayCue(Cue::Move);
    }
    return true;
}

bool Game::Redo()
{
    if (!CanKey())
        return false;
    const HistoryStep* step = history.StepForward();
    if (!step)
        return false;
    grid.Apply(step->move);
    grid.Select(step->after);
    CountMove();
    if (owner)
        owner->RepaintBoard();
    FinishMove(true);
    return true;
}

void Game::RestoreAbandoned()
{
    AbandonedGame game = std::move(*abandoned);
    abandoned.reset();
    grid = std::move(game.grid);
    moves = game.moves;
    elapsed = game.elapsed;
    history = std::move(game.history);
    state = Playing;
    // The stopwatch goes on from where it stood when the game was reset.
    clockStart = clockNow - game.running;
    if (owner) {
        owner->RepaintBoard();
        if (strategyStyle)
            owner->PlayCue(Cue::Move);
        else
            owner->StartClockSound();
    }
}

void Game::EndHistory()
{
    history.Clear();
    abandoned.reset();
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
    if (state == Playing) {
        const auto running = static_cast<std::int32_t>(clockNow - clockStart);
        if (running > kMaxElapsed) {
            // Stopped at its largest value: the start follows the clock, so
            // the difference never grows towards the wrap.
            clockStart = clockNow - static_cast<std::uint32_t>(kMaxElapsed);
            elapsed = kMaxElapsed;
        } else {
            // A clock set back during play makes the difference negative;
            // the stopwatch shows and keeps zero until it catches up.
            elapsed = std::max(running, 0);
        }
    }
    counterText = TimeText(elapsed);
    return counterText;
}

QString Game::TimeText(std::int64_t milliseconds)
{
    // A clock set back during play makes the difference negative; show
    // zero rather than a row of minus signs.
    const std::int64_t e = std::max<std::int64_t>(milliseconds, 0);
    const std::int64_t t = (e + 50) / 100;
    return QString::asprintf("%lld:%2.2d:%2.2d.%1.1d", static_cast<long long>(t / (10 * 3600)),
                             int((t / 600) % 60), int((t / 10) % 60), int(t % 10));
}

GameResult Game::ResultOfWin() const
{
    GameResult r;
    r.level = Records::LevelOf(grid.rowCount, grid.columnCount);
    r.style = QString::fromLatin1(strategyStyle ? "Strategy" : "Speed");
    r.moves = moves;
    // "Speed" keeps the time the counter shows; "Strategy" has no counter
    // of time, so its own stopwatch runs from the start or resumption.
    r.milliseconds = strategyStyle ? std::int64_t(clockNow - clockStart) : std::max<std::int64_t>(elapsed, 0);
    const auto unixMs = static_cast<qint64>((fileTime() - kUnixEpochAsFileTime) / 10000);
    r.finished = QDateTime::fromMSecsSinceEpoch(unixMs, Qt::UTC);
    r.picture = board.sourcePath.isEmpty() ? QString() : QFileInfo(board.sourcePath).fileName();
    r.start = history.start;
    r.movesBefore = history.movesBefore;
    r.steps = history.Played();
    return r;
}

void Game::FinishMove(bool moved)
{
    if (grid.IsSolved()) {
        state = Solved;
        if (owner) {
            owner->RepaintBoard();
            if (!strategyStyle)
                owner->StopClockSound();
            owner->GameWon();
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

std::size_t Game::CheckRecord(const std::uint8_t* in, std::size_t length)
{
    if (length < kHeaderSize + 8)
        return 0;
    const std::int32_t rows = GetInt32(in + kHeaderSize);
    const std::int32_t columns = GetInt32(in + kHeaderSize + 4);
    if (!TileGrid::IsDifficultySize(rows, columns) || length != FileSize(rows, columns))
        return 0;
    const std::int32_t axis = GetInt32(in + 8);
    const std::int32_t savedState = GetInt32(in + 12);
    const std::int32_t savedVolume = GetInt32(in + 24);
    const std::int32_t savedElapsed = GetInt32(in + 16);
    const std::int32_t savedMoves = GetInt32(in + 20);
    if (axis < 0 || axis > kAxisLimit || savedState < 0 || savedState > kStateLimit ||
        savedVolume < 0 || savedVolume > 100 || in[28] > 1 || savedElapsed < 0 ||
        savedElapsed > kMaxElapsed || savedMoves < 0)
        return 0;
    const std::size_t g = TileGrid::CheckRecord(in + kHeaderSize, length - kHeaderSize);
    if (g == 0 || PictureFolder::CheckRecord(in + kHeaderSize + g, length - kHeaderSize - g) == 0)
        return 0;
    return length;
}

std::size_t Game::LoadFrom(const std::uint8_t* in, std::size_t length)
{
    // Everything is checked before anything is applied: a damaged file must
    // not leave a game half read.
    if (CheckRecord(in, length) == 0)
        return 0;
    const std::size_t g = TileGrid::CheckRecord(in + kHeaderSize, length - kHeaderSize);

    dragAnchorY = GetInt32(in + 0);
    dragAnchorX = GetInt32(in + 4);
    dragAxis = static_cast<DragAxis>(GetInt32(in + 8));
    state = static_cast<GameState>(GetInt32(in + 12));
    elapsed = GetInt32(in + 16);
    moves = GetInt32(in + 20);
    volume = GetInt32(in + 24);
    strategyStyle = in[28] == 1;
    grid.LoadFrom(in + kHeaderSize, length - kHeaderSize);
    pictures.LoadFrom(in + kHeaderSize + g, length - kHeaderSize - g);
    resumePending = true;
    // A game resumed without its history can be undone back to here.
    history.Begin(grid, moves);
    abandoned.reset();
    return length;
}

bool Game::SaveGame(QString* error)
{
    std::vector<std::uint8_t> buffer(kBufferSize, 0);
    const std::size_t length = StoreTo(buffer.data(), buffer.size());
    if (length == 0) {
        if (error)
            *error = QStringLiteral("The game could not be encoded.");
        return false;
    }
    // A "tesselo.dat" here that holds no saved game (damaged, or a file the
    // player put here) is kept under another name, not written over. An
    // empty one holds nothing to keep.
    const QString name = QString::fromLatin1(kSaveFileName);
    const QFileInfo existing(name);
    if (!existing.isSymLink() && existing.isFile() && existing.size() > 0 && !IsSavedGameFile(name) &&
        SetFileAside(name, error).isEmpty())
        return false;
    // A "tesselo.dat" that links elsewhere is written through only onto a
    // saved game: the link may as well lead to the player's letters.
    if (!WriteFileAtomically(name, QByteArray(reinterpret_cast<const char*>(buffer.data()), qsizetype(length)),
                             error, &Game::IsSavedGameFile))
        return false;
    StoreHistory();
    return true;
}

namespace {

// Reads a file that could be a saved game into `buffer` (kBufferSize bytes)
// and returns its length, or 0 when it cannot be one.
std::size_t ReadSavedImage(const QString& path, std::vector<std::uint8_t>& buffer)
{
    const std::optional<QByteArray> data = ReadWholeFile(path, qint64(Game::FileSize(2, 3)), qint64(buffer.size()));
    if (!data)
        return 0;
    std::copy(data->begin(), data->end(), buffer.begin());
    return std::size_t(data->size());
}

} // namespace

bool Game::IsSavedGameFile(const QString& path)
{
    std::vector<std::uint8_t> buffer(kBufferSize, 0);
    const std::size_t n = ReadSavedImage(path, buffer);
    return n > 0 && CheckRecord(buffer.data(), n) == n;
}

void Game::LoadSavedGame(const BoardFit& fit)
{
    bool read = false;
    std::vector<std::uint8_t> buffer(kBufferSize, 0);
    const std::size_t n = ReadSavedImage(QString::fromLatin1(kSaveFileName), buffer);
    if (n > 0 && LoadFrom(buffer.data(), n) != 0) {
        read = true;
        LoadHistory();
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

void Game::LoadHistory()
{
    if (state != Playing)
        return;
    // Any history but this game's own (another game's, an older program's,
    // a damaged one) is passed over without a word and replaced at the
    // next close.
    std::optional<History> kept = HistoryFile::Read(QString::fromLatin1(kHistoryFileName));
    if (kept && kept->Leads(grid, moves))
        history = std::move(*kept);
}

void Game::StoreHistory() const
{
    const QString name = QString::fromLatin1(kHistoryFileName);
    // Only a game in play has moves worth keeping; a stale file of an
    // earlier game would never match again, so it goes.
    if (state == Playing && history.IsActive())
        HistoryFile::Write(name, history);
    else if (QFileInfo(name).isFile())
        QFile::remove(name);
}

} // namespace tesselo
