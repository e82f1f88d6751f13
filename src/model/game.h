#pragma once

#include "model/drag_gesture.h"
#include "model/game_change.h"
#include "model/game_facts.h"
#include "model/game_id.h"
#include "model/history.h"
#include "model/puzzle.h"
#include "model/stopwatch.h"
#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"
#include "pictures/picture_folder.h"
#include "records/records.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tesselo {

enum class ReadRefusal;

// The wall clock for seeds and dates (100-nanosecond intervals since
// 1601-01-01 UTC), and a monotonic clock for the stopwatch. Tests give
// their own.
struct GameClocks {
    std::function<std::uint64_t()> wall;
    Stopwatch::Clock monotonic = Stopwatch::Steady;
};

// The puzzle for the whole run: the picture, the state of play, counters
// and the open gesture. Knows nothing of windows: every change it makes is
// announced once, after it happened, as a value (Changed), and whoever
// shows the game follows that one stream.
//
// Its state lives in parts by concern: the puzzle (grid, state of play,
// moves, history, facts), the drag gesture and the stopwatch, with the
// picture folder and the board picture beside them. Only the operations
// below change them. The fields the game has always been read by (`grid`,
// `state`, `moves`, `dragAxis`, ...) are read-only views into those parts,
// so a window or painter can read the game but never write it.
class Game : public QObject {
    Q_OBJECT
    // Declared first: the views below are bound to them.
    Puzzle play;
    DragGesture drag;
    Stopwatch watch;
    BoardBitmap boardPicture;
    PictureFolder folder;
    bool strategy = true;
    std::int32_t soundVolume = 100;
    friend struct GameSetup;

public:
    // 100-nanosecond intervals since 1601-01-01 UTC: seeds and dates.
    using FileTimeSource = std::function<std::uint64_t()>;

    static constexpr std::size_t kHeaderSize = 29;
    static constexpr std::size_t kBufferSize = 4096;
    static constexpr const char* kSaveFileName = "tesselo.dat";
    static constexpr std::int32_t kMaxElapsed = Stopwatch::kMaxElapsed;
    // A new game starts at least this many moves from solved.
    static constexpr int kLeastStartDistance = 3;

    // When the first picture is prepared: by the constructor, or only by
    // LoadSavedGame, once it is known which picture the window shows and at
    // what size (so a picture that is never shown is never read).
    enum class FirstPicture { AtOnce, WhenLoaded };
    // Given the board size the saved game asks for, the size the window
    // will give the board.
    using BoardFit = std::function<QSize(QSize)>;

    explicit Game(GameClocks clocks, FirstPicture first = FirstPicture::AtOnce);
    explicit Game(FileTimeSource wall = SystemFileTime, FirstPicture first = FirstPicture::AtOnce)
        : Game(GameClocks{std::move(wall)}, first)
    {
    }
    virtual ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void NewGame();
    // The first button: "New Game" at rest, "Reset Game" in play.
    void NewOrReset();
    // The game the seed names at the current level, scrambled from the
    // home order; what NewGame does after choosing a seed. A seed whose
    // scramble is within reach of solved (closer than kLeastStartDistance)
    // gives way to the next one, and the seed kept is the one played.
    void StartSeeded(std::uint32_t seed);
    void ResetGame();
    // Starts the game an ID names, at its size: a game in play is
    // abandoned as a reset abandons it, and one undo right after brings it
    // back at its own level. `daily` names the day when it is that day's
    // puzzle.
    void StartNamed(const GameId& id, const QDate& daily = {});
    // Today's daily puzzle (the wall clock's UTC date) at the current size:
    // every size has one, from the one seed of the day.
    void StartDaily();
    QDate TodayUtc() const;
    // A "Speed" game in play put aside: its stopwatch stands, its clock is
    // silent, and no move, undo or redo is taken until it goes on. Returns
    // whether the game is now as asked; "Strategy" never pauses.
    bool SetPaused(bool paused);
    bool IsPaused() const { return watch.IsHeld(Stopwatch::Pause); }
    void BeginDrag(std::int32_t x, std::int32_t y);
    void TrackDrag(std::int32_t x, std::int32_t y);
    void EndDrag(std::int32_t x, std::int32_t y);
    // Ends an open gesture without a move: the line springs back. Whatever
    // takes the player elsewhere (a button, a window, a key, the window
    // losing focus) calls it first.
    void CancelDrag();
    void ShiftRowLeft();
    void ShiftRowRight();
    void ShiftColumnUp();
    void ShiftColumnDown();
    void SelectLeft();
    void SelectRight();
    void SelectUp();
    void SelectDown();
    const QString& CounterText();

    // Takes the last move back, or, right after a reset, brings the
    // abandoned game back in play. Returns whether anything changed.
    bool Undo();
    // Makes the last undone move again; a redo that completes the picture
    // wins as a move does.
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // The game just won can be watched again, as it was played.
    bool CanReplaySolve() const { return play.state == Solved && play.history.IsActive(); }
    // A game in play and in view: the solver may hint or solve.
    bool CanAssist() const { return play.state == Playing && !IsPaused(); }
    // Ends the history and forgets an abandoned game.
    void EndHistory();

    // A whole slide made for the player (a solve): made, counted, recorded
    // and won as the player's own moves are, with the selection carried
    // along the moved line. False when it moves nothing, or outside play.
    bool MakeMove(const Move& move);
    // What the solver knows of the game in play: the fewest moves found
    // for its start, and whether none fewer exist.
    void SetPar(std::int32_t length, bool optimal);
    // Moves the player was shown (a hint) or had made (a solve).
    void CountAssisted(std::int32_t count);

    // The window's timer, every 50 ms: reads the stopwatch's clock; the
    // first tick after a saved game was read rebases its stopwatch.
    void Tick();
    // A reading of the clock outside the timer (the window opening): a game
    // started before the first tick starts from it.
    void ReadClock();
    // While a solve is replayed on the board the game waits: its stopwatch
    // stands and its clock is silent.
    void SuspendForReplay(bool replaying);
    // The one rule for the ticking clock sound: a "Speed" game in play
    // whose stopwatch runs. Every change of it is announced.
    bool ClockTicks() const;

    // Settings, as the options dialog changes them.
    // A grid of `size`, in home order: a game in play is abandoned as a
    // reset abandons it, and one undo right after brings it back at its own
    // size. The dialog calls it when the size it shows differs from the
    // size it opened with (sizes compared, not the buttons: 5 x 7 to 6 x 8
    // is a change); a size outside 2..16 changes nothing.
    void ChangeLevel(GridSize size);
    void SetStrategyStyle(bool strategyStyle);
    void SetVolume(std::int32_t volume);
    // Accepts a folder that holds a picture; loads nothing.
    bool SetPictureFolder(const QString& folder);
    // The board's size in board pixels and the screen's density; the
    // picture is prepared again for it (unless the first picture still
    // waits for the saved game).
    void SetBoardSize(std::int32_t width, std::int32_t height, qreal ratio);
    bool PicturePending() const { return picturePending; }

    // The game just won, as the records keep it.
    GameResult ResultOfWin() const;

    // Writes "tesselo.dat" in the current directory, replacing the old file
    // only once the new one is complete, then the history beside it. On
    // failure returns false and, when asked, the reason.
    bool SaveGame(QString* error = nullptr);
    // Reads "tesselo.dat" if it is there and sound, then prepares the
    // current picture, at the size `fit` turns the saved size into. A
    // damaged file is treated as no file. Anything but a game in play
    // comes back at rest.
    void LoadSavedGame(const BoardFit& fit = {});
    // The game as the window opens it: the saved game read, and anything
    // but a game in play at rest (the whole picture, ready for a new game).
    void OpenSavedGame(const BoardFit& fit);
    // Whether `path` holds a saved game that LoadFrom would accept, read
    // only when its size could be one (a pseudo file of size 0 that would
    // block a read is never opened).
    static bool IsSavedGameFile(const QString& path);
    // The grid of the saved game at `path`, read as LoadSavedGame reads it
    // but into no game; nothing when there is none (`missing` says whether
    // the file was not there at all).
    static std::optional<TileGrid> ReadSavedGrid(const QString& path, bool* missing = nullptr);
    // The same with the state of play and the counter, all a kept history
    // needs to be matched with the saved game.
    struct SavedPlay {
        TileGrid grid;
        GameState state = Idle;
        std::int32_t moves = 0;
    };
    // `why` tells a file not there, or not readable, from one read whole
    // (ReadRefusal::None) that holds no saved game.
    static std::optional<SavedPlay> ReadSavedPlay(const QString& path, ReadRefusal* why = nullptr);

    std::size_t StoreTo(std::uint8_t* out, std::size_t capacity) const;
    // Applies a whole saved-game image only when every part of it is sound
    // and its length is exactly what its grid size gives. Returns the bytes
    // consumed, or 0 with the game untouched.
    std::size_t LoadFrom(const std::uint8_t* in, std::size_t length);
    // What LoadFrom checks, without applying anything: the length of a
    // sound image, or 0. Beside the layout, values no game produces are
    // refused: negative moves, and a time outside 0..kMaxElapsed.
    static std::size_t CheckRecord(const std::uint8_t* in, std::size_t length);
    static std::size_t FileSize(std::int32_t rows, std::int32_t columns);

    static std::uint64_t SystemFileTime();

    // Read-only views of the parts, under the names the game has always had.
    const Puzzle& puzzle = play;
    const TileGrid& grid = play.grid;
    const GameState& state = play.state;
    const std::int32_t& moves = play.moves;
    const History& history = play.history;
    const GameFacts& facts = play.facts;
    const DragGesture& gesture = drag;
    const std::int32_t& dragAnchorY = drag.dragAnchorY;
    const std::int32_t& dragAnchorX = drag.dragAnchorX;
    const std::int32_t& dragDeltaX = drag.dragDeltaX;
    const std::int32_t& dragDeltaY = drag.dragDeltaY;
    const DragAxis& dragAxis = drag.dragAxis;
    const bool& dragging = drag.dragging;
    const Stopwatch& stopwatch = watch;
    const std::int32_t& elapsed = watch.elapsed;
    const bool& resumePending = watch.resumePending;
    const BoardBitmap& board = boardPicture;
    const PictureFolder& pictures = folder;
    const bool& strategyStyle = strategy;
    const std::int32_t& volume = soundVolume;

signals:
    // A change, after it happened: listeners read the game as it stands
    // after it. A change made while listeners hear of another is announced
    // once they all have, so that every listener hears every change in the
    // order it was made.
    void Changed(const tesselo::GameChange& change);

private:
    bool CanKey() const { return play.state == Playing && !drag.dragging && !IsPaused(); }
    void KeyShift(MoveAxis axis, std::int32_t by);
    void KeySelect(Selection to);
    // A new scramble from `seed` in play, not yet announced.
    void Scramble(std::uint32_t seed);
    // Makes a planned move, and announces it and what follows from it: the
    // win, and the cue and the clock that go with them.
    bool Make(const PlannedMove& planned, MoveSource by, std::int32_t releasedAt = 0);
    // After a move made, redone or refused: the win, if it is one.
    void FinishMove(const MoveMade& made);
    void Announce(const GameChange& change);
    void ClockMayHaveChanged();
    // The pause follows the game's facts: held exactly while a "Speed" game
    // in play is marked paused.
    void HoldForPause();
    void ShowNextPictureAfterWin();
    QDateTime NowUtc() const;
    void LoadHistory();
    void StoreHistory() const;

    FileTimeSource fileTime;
    QString counterText;
    bool picturePending = false; // FirstPicture::WhenLoaded, until LoadSavedGame
    // What the listeners last heard of the clock and the pause.
    bool clockTicked = false;
    bool pausedTold = false;
    // Changes made while the listeners hear of an earlier one, in order.
    std::vector<GameChange> toAnnounce;
    bool announcing = false;
};

} // namespace tesselo
