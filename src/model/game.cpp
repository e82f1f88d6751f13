#include "model/game.h"

#include "files/byte_io.h"
#include "files/safe_file.h"
#include "model/clock_text.h"
#include "model/grid_position.h"
#include "saved/history_file.h"
#include "solver/solver.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <limits>
#include <utility>
#include <vector>

namespace tesselo {

namespace {

// Between the Windows epoch (1601-01-01) and the Unix epoch, in 100 ns.
constexpr std::uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;

constexpr std::int32_t kStateLimit = Solved;
// The largest grid's saved game fits the buffer every read and write uses.
static_assert(Game::kHeaderSize + 16 + 8 * GridSize::kMax * GridSize::kMax + PictureFolder::kRecordSize <=
              Game::kBufferSize);

// Whether `grid` is solved within fewer moves than a new game starts from.
// A grid the solver does not hold is only refused when solved.
bool NearlySolved(const TileGrid& grid)
{
    if (const std::optional<solver::Position> position = PositionOf(grid))
        return solver::Solver::IsWithin(*position, Game::kLeastStartDistance - 1);
    return grid.IsSolved();
}
constexpr std::int32_t kAxisLimit = Vertical;

// A drag's offset along its axis, in board pixels (none without an axis).
std::int32_t Along(DragAxis axis, std::int64_t dx, std::int64_t dy)
{
    const std::int64_t v = axis == Horizontal ? dx : axis == Vertical ? dy : 0;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::uint64_t Game::SystemFileTime()
{
    using namespace std::chrono;
    const auto since1970 = duration_cast<nanoseconds>(system_clock::now().time_since_epoch());
    return kUnixEpochAsFileTime + static_cast<std::uint64_t>(since1970.count() / 100);
}

Game::Game(GameClocks clocks, FirstPicture first)
    : watch(std::move(clocks.monotonic)), fileTime(clocks.wall ? std::move(clocks.wall) : SystemFileTime)
{
    play.grid.Resize(kNovice.rows, kNovice.columns);
    boardPicture.grid = &play.grid;
    folder.target = &boardPicture;
    if (first == FirstPicture::AtOnce)
        folder.ShowCurrent();
    else
        picturePending = true;
}

Game::~Game()
{
    folder.CloseSearch();
    play.grid.Clear();
}

void Game::NewGame()
{
    if (play.state == Playing)
        return;
    ShowNextPictureAfterWin();
    StartSeeded(static_cast<std::uint32_t>(fileTime()) % 0x7FFF);
}

void Game::StartSeeded(std::uint32_t seed)
{
    Scramble(seed);
    Announce(NewPosition{PositionCause::NewGame});
    ClockMayHaveChanged();
}

void Game::NewOrReset()
{
    if (play.state == Playing)
        ResetGame();
    else
        NewGame();
}

void Game::ShowNextPictureAfterWin()
{
    if (play.state == Solved && folder.target) {
        if (folder.IsSearchOpen() || folder.OpenSearch())
            folder.ShowNext();
    }
}

void Game::Scramble(std::uint32_t seed)
{
    drag.Cancel();
    // Every try starts from the home order, so that the seed alone names
    // the start; the seed kept is the one played.
    TileGrid scrambled = play.grid;
    for (;; ++seed) {
        scrambled.Resize(scrambled.rowCount, scrambled.columnCount);
        scrambled.Shuffle(seed);
        if (!NearlySolved(scrambled))
            break;
    }
    GameFacts known;
    known.seed = seed;
    play.Start(scrambled, std::move(known));
    watch.Start();
}

void Game::StartNamed(const GameId& id, const QDate& daily)
{
    drag.Cancel();
    // The game in play goes as a reset takes it, and stays the one undo
    // can bring back while the new game has no move to take back.
    std::optional<Puzzle::Abandoned> kept;
    if (play.state == Playing) {
        play.Reset(watch.elapsed, watch.Running());
        kept = std::exchange(play.abandoned, std::nullopt);
    }
    ShowNextPictureAfterWin();
    // An ID is read only with a size the game plays; one made by hand that
    // is not starts at the current size rather than at no size at all.
    const GridSize size = id.size.IsValid() ? id.size : play.grid.Size();
    play.grid.Resize(size.rows, size.columns);
    Scramble(id.seed);
    play.facts.daily = daily;
    play.abandoned = std::move(kept);
    Announce(NewPosition{PositionCause::Named});
    ClockMayHaveChanged();
}

void Game::StartDaily()
{
    const QDate today = TodayUtc();
    StartNamed(GameId{play.grid.Size(), DailySeed(today)}, today);
}

QDateTime Game::NowUtc() const
{
    const auto unixMs = static_cast<qint64>((fileTime() - kUnixEpochAsFileTime) / 10000);
    return QDateTime::fromMSecsSinceEpoch(unixMs, Qt::UTC);
}

QDate Game::TodayUtc() const
{
    return NowUtc().date();
}

bool Game::SetPaused(bool paused)
{
    if (paused && (strategy || play.state != Playing))
        return false;
    // A paused board takes no gesture: one open now springs back.
    drag.Cancel();
    play.facts.paused = paused;
    ClockMayHaveChanged();
    return true;
}

void Game::HoldForPause()
{
    if (strategy)
        play.facts.paused = false;
    const bool hold = play.facts.paused && play.state == Playing;
    if (hold == watch.IsHeld(Stopwatch::Pause))
        return;
    // Read at the change itself, so the time stands from the very moment
    // of the pause and not from the last tick.
    watch.Read();
    watch.SetHold(Stopwatch::Pause, hold);
}

void Game::ResetGame()
{
    drag.Cancel();
    play.Reset(watch.elapsed, watch.Running());
    watch.elapsed = 0;
    Announce(NewPosition{PositionCause::Reset});
    ClockMayHaveChanged();
}

void Game::BeginDrag(std::int32_t x, std::int32_t y)
{
    if (play.state != Playing || IsPaused())
        return;
    drag.Begin(x, y);
    const Cell cell = boardPicture.CellAt(y, x);
    const Selection from = play.grid.Selected();
    const Selection to{cell.row, cell.column};
    play.Select(to);
    if (to != from)
        Announce(SelectionMoved{from, to, false});
}

void Game::TrackDrag(std::int32_t x, std::int32_t y)
{
    if (play.state != Playing || !drag.dragging)
        return;
    const DragAxis axis = drag.dragAxis;
    const std::int32_t offset = Along(axis, drag.dragDeltaX, drag.dragDeltaY);
    drag.Track(x, y);
    const std::int32_t now = Along(drag.dragAxis, drag.dragDeltaX, drag.dragDeltaY);
    if (drag.dragAxis != axis || now != offset)
        Announce(GestureChanged{GestureChanged::Step::Followed, drag.dragAxis, now});
}

void Game::EndDrag(std::int32_t x, std::int32_t y)
{
    if (!drag.dragging)
        return;
    // A gesture whose game ended meanwhile closes without a move.
    if (play.state != Playing) {
        drag.Cancel();
        return;
    }
    const DragAxis axis = drag.dragAxis;
    const std::int32_t released = Along(axis, std::int64_t(x) - drag.dragAnchorX, std::int64_t(y) - drag.dragAnchorY);
    const std::optional<PlannedMove> planned =
        drag.End(x, y, boardPicture.CellWidth(), boardPicture.CellHeight(), play.grid);
    if (planned && Make(*planned, MoveSource::Drag, released))
        return;
    // The line goes back from where it was let go.
    drag.Settle();
    Announce(GestureChanged{GestureChanged::Step::Released, axis, released});
}

void Game::CancelDrag()
{
    if (!drag.dragging) {
        drag.Cancel();
        return;
    }
    const DragAxis axis = drag.dragAxis;
    const std::int32_t offset = Along(axis, drag.dragDeltaX, drag.dragDeltaY);
    drag.Cancel();
    Announce(GestureChanged{GestureChanged::Step::Cancelled, axis, offset});
}

void Game::KeyShift(MoveAxis axis, std::int32_t by)
{
    if (!CanKey())
        return;
    // The move is the cell the key slides the line by, either way, so that
    // it is shown sliding the way the key points (on a line of two cells
    // both ways end alike); the selection wraps with the moved tile.
    const Selection at = play.grid.Selected();
    const bool row = axis == MoveAxis::Row;
    const std::int32_t count = row ? play.grid.columnCount : play.grid.rowCount;
    const std::int32_t from = row ? at.column : at.row;
    const std::int32_t to = (from + by + count) % count;
    const Selection after = row ? Selection{at.row, to} : Selection{to, at.column};
    Make(PlannedMove{Move{axis, row ? at.row : at.column, by}, after}, MoveSource::Key);
}

bool Game::Make(const PlannedMove& planned, MoveSource by, std::int32_t releasedAt)
{
    const Selection before = play.grid.Selected();
    if (!play.Make(planned))
        return false;
    FinishMove(MoveMade{HistoryStep{planned.move, before, planned.after}, by, releasedAt, play.grid.IsSolved()});
    return true;
}

bool Game::CanUndo() const
{
    return !drag.dragging && !IsPaused() && play.CanUndo();
}

bool Game::CanRedo() const
{
    return !drag.dragging && !IsPaused() && play.CanRedo();
}

bool Game::Undo()
{
    if (!CanUndo())
        return false;
    const std::optional<Puzzle::Abandoned>& reset = play.abandoned;
    const bool restoring = play.Restores();
    const std::int32_t shown = restoring ? reset->elapsed : 0;
    const std::int32_t running = restoring ? reset->running : 0;
    if (play.Undo() == Puzzle::UndoKind::Nothing)
        return false;
    if (restoring) {
        // The stopwatch goes on from where it stood when the game was reset.
        watch.ContinueAt(running);
        watch.elapsed = shown;
        Announce(NewPosition{PositionCause::Restored});
    } else {
        Announce(MoveTakenBack{play.history.steps[play.history.position]});
    }
    ClockMayHaveChanged();
    return true;
}

bool Game::Redo()
{
    if (!CanRedo() || !play.Redo())
        return false;
    FinishMove(MoveMade{play.history.steps[play.history.position - 1], MoveSource::Redo, 0, play.grid.IsSolved()});
    return true;
}

void Game::EndHistory()
{
    play.EndHistory();
}

bool Game::MakeMove(const Move& move)
{
    if (play.state != Playing || drag.dragging || IsPaused())
        return false;
    // The selection goes where the move takes the cell where the selected
    // row or column crosses the moved line, so the frame shows which line
    // moved.
    const Selection at = play.grid.Selected();
    const bool row = move.axis == MoveAxis::Row;
    const std::int32_t length = row ? play.grid.columnCount : play.grid.rowCount;
    if (length <= 0)
        return false;
    const std::int32_t from = row ? at.column : at.row;
    const std::int32_t to = ((from + move.amount) % length + length) % length;
    const Selection after = row ? Selection{move.line, to} : Selection{to, move.line};
    return Make(PlannedMove{move, after}, MoveSource::Solve);
}

void Game::SetPar(std::int32_t length, bool optimal)
{
    if (play.state != Playing || length < 0)
        return;
    // The scramble undone is a way home too, one slide a step: a plan
    // longer than that (the large grids' plans are not shortest) is no par.
    if (play.facts.seed) {
        const std::int32_t undone = play.grid.Size().ScrambleSteps(*play.facts.seed);
        if (length > undone) {
            length = undone;
            optimal = false;
        }
    }
    play.facts.par = length;
    play.facts.parIsOptimal = optimal;
}

void Game::CountAssisted(std::int32_t count)
{
    if (play.state != Playing || count <= 0)
        return;
    play.facts.assisted = play.facts.assisted > std::numeric_limits<std::int32_t>::max() - count
                              ? std::numeric_limits<std::int32_t>::max()
                              : play.facts.assisted + count;
}

void Game::ShiftRowLeft()
{
    KeyShift(MoveAxis::Row, -1);
}

void Game::ShiftRowRight()
{
    KeyShift(MoveAxis::Row, 1);
}

void Game::ShiftColumnUp()
{
    KeyShift(MoveAxis::Column, -1);
}

void Game::ShiftColumnDown()
{
    KeyShift(MoveAxis::Column, 1);
}

void Game::SelectLeft()
{
    const Selection s = play.grid.Selected();
    KeySelect({s.row, s.column == 0 ? play.grid.columnCount - 1 : s.column - 1});
}

void Game::SelectRight()
{
    const Selection s = play.grid.Selected();
    KeySelect({s.row, s.column >= play.grid.columnCount - 1 ? 0 : s.column + 1});
}

void Game::SelectUp()
{
    const Selection s = play.grid.Selected();
    KeySelect({s.row == 0 ? play.grid.rowCount - 1 : s.row - 1, s.column});
}

void Game::SelectDown()
{
    const Selection s = play.grid.Selected();
    KeySelect({s.row >= play.grid.rowCount - 1 ? 0 : s.row + 1, s.column});
}

void Game::KeySelect(Selection to)
{
    const Selection from = play.grid.Selected();
    if (!CanKey() || to == from)
        return;
    play.Select(to);
    Announce(SelectionMoved{from, to, true});
}

const QString& Game::CounterText()
{
    if (strategy) {
        counterText = QString::asprintf("%d", play.moves);
        return counterText;
    }
    // A resumed game's stopwatch counts from its first tick.
    if (play.state == Playing && !watch.resumePending)
        watch.elapsed = watch.Running();
    counterText = ClockText(watch.elapsed);
    return counterText;
}

void Game::Tick()
{
    watch.Tick();
}

void Game::ReadClock()
{
    watch.Read();
}

void Game::SuspendForReplay(bool replaying)
{
    watch.SetHold(Stopwatch::Replay, replaying);
    ClockMayHaveChanged();
}

bool Game::ClockTicks() const
{
    return !strategy && play.state == Playing && !watch.IsHeld();
}

void Game::ClockMayHaveChanged()
{
    HoldForPause();
    if (IsPaused() != pausedTold) {
        pausedTold = IsPaused();
        Announce(StateChanged{pausedTold ? PlayState::Paused : PlayState::Resumed});
    }
    const bool ticks = ClockTicks();
    if (ticks != clockTicked) {
        clockTicked = ticks;
        Announce(ClockChanged{ticks});
    }
}

void Game::Announce(const GameChange& change)
{
    toAnnounce.push_back(change);
    if (announcing)
        return;
    announcing = true;
    for (std::size_t i = 0; i < toAnnounce.size(); ++i) {
        const GameChange next = toAnnounce[i];
        emit Changed(next);
    }
    toAnnounce.clear();
    announcing = false;
}

void Game::ChangeLevel(GridSize size)
{
    if (!size.IsValid())
        return;
    // The game in play goes as a reset takes it, so that one undo brings
    // it back at its own size, as after a game started by ID.
    drag.Cancel();
    if (play.state == Playing) {
        play.Reset(watch.elapsed, watch.Running());
        watch.elapsed = 0;
    }
    play.Resize(size.rows, size.columns);
    Announce(NewPosition{PositionCause::Resized});
    ClockMayHaveChanged();
}

void Game::SetStrategyStyle(bool strategyStyle)
{
    const bool changed = strategy != strategyStyle;
    strategy = strategyStyle;
    if (changed)
        Announce(StyleChanged{strategy});
    ClockMayHaveChanged();
}

void Game::SetVolume(std::int32_t volume)
{
    soundVolume = std::clamp(volume, 0, 100);
}

bool Game::SetPictureFolder(const QString& newFolder)
{
    return folder.SetFolder(newFolder);
}

void Game::SetBoardSize(std::int32_t width, std::int32_t height, qreal ratio)
{
    folder.width = std::max(width, 0);
    folder.height = std::max(height, 0);
    folder.ratio = ratio;
    // Before the saved game is read the picture waits: the size that
    // reading gives it is the one the window shows.
    if (!picturePending) {
        folder.ShowCurrent();
        Announce(PictureChanged{});
    }
}

GameResult Game::ResultOfWin() const
{
    GameResult r;
    r.size = play.grid.Size();
    r.style = Style::FromStrategy(strategy);
    r.moves = play.moves;
    // "Speed" keeps the time the counter shows; "Strategy" has no counter
    // of time, so its own stopwatch runs from the start or resumption.
    r.milliseconds = strategy ? watch.Running() : std::max(watch.elapsed, 0);
    r.finished = NowUtc();
    r.picture = boardPicture.sourcePath.isEmpty() ? QString() : QFileInfo(boardPicture.sourcePath).fileName();
    r.start = play.history.start;
    r.movesBefore = play.history.movesBefore;
    r.steps = play.history.Played();
    r.par = play.facts.par;
    r.parIsOptimal = play.facts.parIsOptimal;
    r.assisted = play.facts.assisted;
    if (play.facts.daily.isValid())
        r.daily = play.facts.daily;
    return r;
}

void Game::FinishMove(const MoveMade& made)
{
    drag.Settle();
    if (made.wins) {
        // The time of the win is the time at the move, not at the last tick.
        if (!strategy && play.state == Playing && !watch.resumePending)
            watch.elapsed = watch.Running();
        play.CheckSolved();
    }
    Announce(made);
    if (made.wins) {
        ClockMayHaveChanged();
        Announce(StateChanged{PlayState::Won});
    }
}

std::size_t Game::FileSize(std::int32_t rows, std::int32_t columns)
{
    return kHeaderSize + TileGrid::RecordSize(rows, columns) + PictureFolder::kRecordSize;
}

std::size_t Game::StoreTo(std::uint8_t* out, std::size_t capacity) const
{
    const std::size_t total = FileSize(play.grid.rowCount, play.grid.columnCount);
    if (capacity < total)
        return 0;
    PutInt32(out + 0, drag.dragAnchorY);
    PutInt32(out + 4, drag.dragAnchorX);
    PutInt32(out + 8, drag.dragAxis);
    PutInt32(out + 12, play.state);
    PutInt32(out + 16, watch.elapsed);
    PutInt32(out + 20, play.moves);
    PutInt32(out + 24, soundVolume);
    out[28] = strategy ? 1 : 0;
    const std::size_t g = play.grid.StoreTo(out + kHeaderSize, capacity - kHeaderSize);
    const std::size_t p = folder.StoreTo(out + kHeaderSize + g, capacity - kHeaderSize - g);
    return kHeaderSize + g + p;
}

std::size_t Game::CheckRecord(const std::uint8_t* in, std::size_t length)
{
    if (length < kHeaderSize + 8)
        return 0;
    const std::int32_t rows = GetInt32(in + kHeaderSize);
    const std::int32_t columns = GetInt32(in + kHeaderSize + 4);
    if (!GridSize{rows, columns}.IsValid() || length != FileSize(rows, columns))
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

    drag.Cancel();
    drag.dragAnchorY = GetInt32(in + 0);
    drag.dragAnchorX = GetInt32(in + 4);
    drag.dragAxis = static_cast<DragAxis>(GetInt32(in + 8));
    soundVolume = GetInt32(in + 24);
    strategy = in[28] == 1;
    TileGrid saved;
    saved.LoadFrom(in + kHeaderSize, length - kHeaderSize);
    play.Resume(saved, static_cast<GameState>(GetInt32(in + 12)), GetInt32(in + 20));
    folder.LoadFrom(in + kHeaderSize + g, length - kHeaderSize - g);
    // The stopwatch goes on from the saved time at the first tick.
    watch.ResumeAt(GetInt32(in + 16));
    Announce(NewPosition{PositionCause::Loaded});
    ClockMayHaveChanged();
    return length;
}

bool Game::SaveGame(QString* error)
{
    if (!strategy && play.state == Playing && !watch.resumePending)
        watch.elapsed = watch.Running();
    std::vector<std::uint8_t> buffer(kBufferSize, 0);
    const std::size_t length = StoreTo(buffer.data(), buffer.size());
    if (length == 0) {
        if (error)
            *error = QCoreApplication::translate("tesselo::Game", "The game could not be encoded.");
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
std::size_t ReadSavedImage(const QString& path, std::vector<std::uint8_t>& buffer, ReadRefusal* why = nullptr)
{
    const std::optional<QByteArray> data =
        ReadWholeFile(path, qint64(Game::FileSize(GridSize::kMin, GridSize::kMin)), qint64(buffer.size()), why);
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

std::optional<TileGrid> Game::ReadSavedGrid(const QString& path, bool* missing)
{
    ReadRefusal why = ReadRefusal::None;
    std::optional<SavedPlay> saved = ReadSavedPlay(path, &why);
    if (missing)
        *missing = why == ReadRefusal::Missing;
    if (!saved)
        return std::nullopt;
    return std::move(saved->grid);
}

std::optional<Game::SavedPlay> Game::ReadSavedPlay(const QString& path, ReadRefusal* why)
{
    std::vector<std::uint8_t> buffer(kBufferSize, 0);
    const std::size_t n = ReadSavedImage(path, buffer, why);
    SavedPlay saved;
    if (n == 0 || CheckRecord(buffer.data(), n) != n ||
        saved.grid.LoadFrom(buffer.data() + kHeaderSize, n - kHeaderSize) == 0)
        return std::nullopt;
    saved.state = static_cast<GameState>(GetInt32(buffer.data() + 12));
    saved.moves = GetInt32(buffer.data() + 20);
    return saved;
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
        const QSize size = fit(QSize(folder.width, folder.height));
        folder.width = size.width();
        folder.height = size.height();
    }
    const bool firstPicture = std::exchange(picturePending, false);
    if (!folder.ShowCurrent().isEmpty() || !firstPicture || !read)
        return;
    // The saved folder showed nothing, so the board keeps the picture the
    // game was made with, the first of the default folder, found only now.
    PictureFolder start;
    start.target = &boardPicture;
    start.width = folder.width;
    start.height = folder.height;
    start.ratio = folder.ratio;
    start.ShowCurrent();
}

void Game::OpenSavedGame(const BoardFit& fit)
{
    LoadSavedGame(fit);
    if (play.state != Playing)
        ResetGame();
}

void Game::LoadHistory()
{
    if (play.state != Playing)
        return;
    // Any history but this game's own (another game's, an older program's,
    // a damaged one) is passed over without a word and replaced at the
    // next close.
    std::optional<HistoryFile::Contents> kept = HistoryFile::Read(QString::fromLatin1(HistoryFile::kFileName));
    if (kept && play.AdoptHistory(std::move(kept->history), kept->facts))
        ClockMayHaveChanged(); // a game put aside paused comes back paused
}

void Game::StoreHistory() const
{
    const QString name = QString::fromLatin1(HistoryFile::kFileName);
    // Only a game in play has moves worth keeping; a stale file of an
    // earlier game would never match again, so it goes.
    if (play.state == Playing && play.history.IsActive())
        HistoryFile::Write(name, play.history, play.facts);
    else if (QFileInfo(name).isFile())
        QFile::remove(name);
}

} // namespace tesselo
