#pragma once

#include "files/safe_file.h"
#include "pictures/game_picture.h"
#include "saved/history_file.h"
#include "saved/saved_game_format.h"

#include <QString>

#include <optional>

namespace tesselo {

class Game;

// The saved game on disk: "tesselo.dat" and, beside it, the history of the
// game in play. The files are the player's only copy of a game, so:
//
// - the saved game is replaced only once the new one is whole (an atomic
//   write), the history right after it, with the termination signals held
//   between the two so that they always agree;
// - a "tesselo.dat" that holds no saved game (damaged, or a file the player
//   put there) is kept as "tesselo.dat.damaged" rather than written over;
// - a "tesselo.dat" that is a link is written through only onto a saved
//   game: the link may as well lead to the player's letters;
// - a file that cannot be read whole and sound is no saved game at all;
// - a game on a grid larger than earlier versions play (over 16 either
//   way) is saved in "tesselo-large.dat" beside it, in the same layout,
//   its history in "tesselo-large-history.json", and "tesselo.dat" keeps
//   the last game that fits, which an earlier
//   version would otherwise refuse and set aside. While the large file
//   holds a saved game, that game is the one that resumes; a game that
//   fits, once saved, takes its place and the large file goes.
class SavedGameStore {
public:
    static constexpr const char* kFileName = "tesselo.dat";
    static constexpr const char* kLargeFileName = "tesselo-large.dat";
    static constexpr const char* kLargeHistoryFileName = "tesselo-large-history.json";

    // The files in the current directory, or at the paths given; the large
    // game's file is beside the saved game's.
    explicit SavedGameStore(QString path = QString::fromLatin1(kFileName),
                            QString historyPath = QString::fromLatin1(HistoryFile::kFileName));

    // The file the game resumes from: the large game's while it holds one.
    QString ResumingPath() const;

    // Writes the game and its picture, then the history beside it. On
    // failure of either returns false and, when asked, the reason (which
    // names the file).
    bool Save(Game& game, const GamePicture* picture, QString* error = nullptr) const;
    bool Save(Game& game, const GamePicture& picture, QString* error = nullptr) const
    {
        return Save(game, &picture, error);
    }
    // Reads the saved game if it is there and sound, with its history, and
    // then shows its picture at the size `fit` turns the saved size into.
    // A damaged file is treated as no file. Returns whether a game was read.
    bool Load(Game& game, GamePicture* picture, const GamePicture::BoardFit& fit = {}) const;
    bool Load(Game& game, GamePicture& picture, const GamePicture::BoardFit& fit = {}) const
    {
        return Load(game, &picture, fit);
    }
    // The game as the window opens it: the saved game read, and anything
    // but a game in play at rest (the whole picture, ready for a new game).
    void Open(Game& game, GamePicture& picture, const GamePicture::BoardFit& fit) const;

    // The saved game at `path`, decoded; nothing when there is none there
    // (`why` tells a file not there, or not readable, from one read whole,
    // ReadRefusal::None, that holds no saved game).
    static std::optional<SavedGame> Read(const QString& path, ReadRefusal* why = nullptr);
    // Whether `path` holds a saved game, read only when its size could be
    // one (a pseudo file of size 0 that would block a read is never opened).
    static bool IsSavedGameFile(const QString& path);

private:
    static bool WriteHistory(const Game& game, const QString& historyPath, QString* error);
    // Writes `bytes` to `file`, setting aside a file there that holds no
    // saved game, and writing through a link only onto a saved game.
    static bool WriteSaved(const QString& file, const QByteArray& bytes, QString* error);

    QString path;
    QString historyPath;
    QString largePath;
    QString largeHistoryPath;
};

} // namespace tesselo
