#pragma once

#include "model/game_owner.h"
#include "model/history.h"
#include "model/records.h"
#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"
#include "pictures/picture_folder.h"

#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace tesselo {

enum GameState : std::int32_t { Idle = 0, Playing = 1, Solved = 2 };
enum DragAxis : std::int32_t { None = 0, Horizontal = 1, Vertical = 2 };

// The puzzle for the whole run: the grid, the picture, the state of play,
// counters and the open gesture. Knows nothing of windows; feedback goes
// through `owner`.
class Game {
public:
    // 100-nanosecond intervals since 1601-01-01 UTC.
    using FileTimeSource = std::function<std::uint64_t()>;

    static constexpr std::size_t kHeaderSize = 29;
    static constexpr std::size_t kBufferSize = 4096;
    static constexpr const char* kSaveFileName = "tesselo.dat";
    static constexpr const char* kHistoryFileName = "tesselo-history.json";
    // The stopwatch stops at 99:59:59.9, far enough below 2^31 ms that its
    // 32-bit arithmetic never wraps while it runs; a saved time beyond it,
    // or below zero, is no time a game can show.
    static constexpr std::int32_t kMaxElapsed = 359999900;

    // When the first picture is prepared: by the constructor, or only by
    // LoadSavedGame, once it is known which picture the window shows and at
    // what size (so a picture that is never shown is never read).
    enum class FirstPicture { AtOnce, WhenLoaded };
    // Given the board size the saved game asks for, the size the window
    // will give the board.
    using BoardFit = std::function<QSize(QSize)>;

    explicit Game(FileTimeSource clock = SystemFileTime, FirstPicture first = FirstPicture::AtOnce);
    virtual ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void NewGame();
    void ResetGame();
    void BeginDrag(std::int32_t x, std::int32_t y);
    void TrackDrag(std::int32_t x, std::int32_t y);
    void EndDrag(std::int32_t x, std::int32_t y);
    void ShiftRowLeft();
    void ShiftRowRight();
    void ShiftColumnUp();
    void ShiftColumnDown();
    void SelectLeft();
    void SelectRight();
    void SelectUp();
    void SelectDown();
    const QString& CounterText();
    void FinishMove(bool moved);

    // Takes the last move back, or, right after a reset, brings the
    // abandoned game back in play. Returns whether anything changed.
    bool Undo();
    // Makes the last undone move again; a redo that completes the picture
    // wins as a move does.
    bool Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // Ends the history and forgets an abandoned game: a change of
    // difficulty leaves nothing either could bring back.
    void EndHistory();

    // The game just won, as the records keep it.
    GameResult ResultOfWin() const;
    // A stopwatch reading as the counter shows it: "1:02:03.5".
    static QString TimeText(std::int64_t milliseconds);

    // Writes "tesselo.dat" in the current directory, replacing the old file
    // only once the new one is complete. On failure returns false and, when
    // asked, the reason.
    bool SaveGame(QString* error = nullptr);
    // Reads "tesselo.dat" if it is there and sound, then prepares the
    // current picture, at the size `fit` turns the saved size into. A
    // damaged file is treated as no file.
    void LoadSavedGame(const BoardFit& fit = {});
    // Whether `path` holds a saved game that LoadFrom would accept, read
    // only when its size could be one (a pseudo file of size 0 that would
    // block a read is never opened).
    static bool IsSavedGameFile(const QString& path);

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

    // The clock reading the main dialog stores in clockNow: milliseconds
    // since 1601, low 32 bits.
    std::uint32_t ReadClock() const;
    static std::uint64_t SystemFileTime();

    TileGrid grid;
    BoardBitmap board;
    PictureFolder pictures;
    std::int32_t dragAnchorY = 0;
    std::int32_t dragAnchorX = 0;
    std::int32_t dragDeltaX = 0;
    std::int32_t dragDeltaY = 0;
    DragAxis dragAxis = None;
    GameState state = Idle;
    std::uint32_t clockNow = 0;
    std::uint32_t clockStart = 0;
    std::int32_t elapsed = 0;
    std::int32_t moves = 0;
    GameOwner* owner = nullptr; // not owned
    bool strategyStyle = true;
    QString counterText;
    std::int32_t volume = 100;
    bool resumePending = false;
    bool dragging = false;
    bool picturePending = false; // FirstPicture::WhenLoaded, until LoadSavedGame

    // The moves of the game in play, or of the game just won (for its
    // replay) until the next "New Game".
    History history;

    // A game taken back by "Reset Game", kept until the next "New Game" so
    // that one undo can bring it back exactly as it stood.
    struct AbandonedGame {
        TileGrid grid;
        std::int32_t moves = 0;
        std::int32_t elapsed = 0;
        std::uint32_t running = 0; // ms since the game's clock start
        History history;
    };
    std::optional<AbandonedGame> abandoned;

private:
    bool CanKey() const { return state == Playing && !dragging; }
    void KeyShift(bool row, std::int32_t target);
    // Every move that changed the grid goes through here.
    void Record(const Move& move, Selection before);
    void RestoreAbandoned();
    void LoadHistory();
    void StoreHistory() const;
    // The counter stops at its largest value rather than overflow.
    void CountMove();

    FileTimeSource fileTime;
};

} // namespace tesselo
