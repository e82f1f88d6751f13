#include "saved/saved_game_store.h"

#include "files/termination_hold.h"
#include "model/game.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace tesselo {

namespace {

QString Beside(const QString& path, const char* name)
{
    return QFileInfo(path).dir().filePath(QString::fromLatin1(name));
}

} // namespace

SavedGameStore::SavedGameStore(QString file, QString history)
    : path(std::move(file)), historyPath(std::move(history)), largePath(Beside(path, kLargeFileName)),
      largeHistoryPath(Beside(path, kLargeHistoryFileName))
{
}

QString SavedGameStore::ResumingPath() const
{
    return IsSavedGameFile(largePath) ? largePath : path;
}


std::optional<SavedGame> SavedGameStore::Read(const QString& file, ReadRefusal* why)
{
    const std::optional<QByteArray> bytes =
        ReadWholeFile(file, qint64(SavedGameFormat::FileSize({GridSize::kMin, GridSize::kMin})),
                      qint64(SavedGameFormat::kMaxFileSize), why);
    if (!bytes)
        return std::nullopt;
    return SavedGameFormat::Decode(*bytes);
}

bool SavedGameStore::IsSavedGameFile(const QString& file)
{
    return Read(file).has_value();
}

bool SavedGameStore::Save(Game& game, const GamePicture* picture, QString* error) const
{
    const std::optional<QByteArray> bytes =
        SavedGameFormat::Encode(SavedGame{game.Record(), picture ? picture->Record() : PictureRecord()});
    if (!bytes) {
        if (error)
            *error = QCoreApplication::translate("tesselo::SavedGameStore", "The game could not be encoded.");
        return false;
    }
    // The saved game and its history must agree: a termination signal
    // waits until both are written.
    const TerminationHold hold;
    const bool large = !game.View().puzzle.grid.Size().EarlierVersionsPlay();
    if (!WriteSaved(large ? largePath : path, *bytes, error))
        return false;
    // A game that fits takes the large game's place: left there, the large
    // one would resume. Only a plain file holding a saved game goes.
    const QFileInfo stale(largePath);
    if (!large && !stale.isSymLink() && stale.isFile() && IsSavedGameFile(largePath)) {
        if (!QFile::remove(largePath)) {
            if (error)
                *error = QCoreApplication::translate("tesselo::SavedGameStore",
                                                     "\"%1\" could not be removed, and its game would resume in "
                                                     "place of this one.")
                             .arg(largePath);
            return false;
        }
        if (QFileInfo(largeHistoryPath).isFile())
            QFile::remove(largeHistoryPath);
    }
    // The large game's history has a file of its own too: an earlier
    // version, which writes the history of the game that fits, would
    // replace it.
    return WriteHistory(game, large ? largeHistoryPath : historyPath, error);
}

bool SavedGameStore::WriteSaved(const QString& file, const QByteArray& bytes, QString* error)
{
    // A file here that holds no saved game (damaged, or a file the player
    // put here) is kept under another name, not written over. An empty one
    // holds nothing to keep.
    const QFileInfo existing(file);
    if (!existing.isSymLink() && existing.isFile() && existing.size() > 0 && !IsSavedGameFile(file) &&
        SetFileAside(file, error).isEmpty())
        return false;
    return WriteFileAtomically(file, bytes, error, &SavedGameStore::IsSavedGameFile);
}

bool SavedGameStore::WriteHistory(const Game& game, const QString& historyPath, QString* error)
{
    const Puzzle& puzzle = game.View().puzzle;
    // Only a game in play has moves worth keeping; a stale file of an
    // earlier game would never match again, so it goes.
    if (puzzle.state == Playing && puzzle.history.IsActive())
        return HistoryFile::Write(historyPath, puzzle.history, puzzle.facts, error);
    if (QFileInfo(historyPath).isFile())
        QFile::remove(historyPath);
    return true;
}

bool SavedGameStore::Load(Game& game, GamePicture* picture, const GamePicture::BoardFit& fit) const
{
    bool read = false;
    const bool large = ResumingPath() == largePath;
    if (std::optional<SavedGame> saved = Read(large ? largePath : path)) {
        // The picture's entry is looked for before the game is announced,
        // so that whoever hears of it finds the folder as it was saved.
        if (picture)
            picture->Restore(saved->picture);
        read = game.Resume(saved->play);
    }
    // Any history but this game's own (another game's, an older program's,
    // a damaged one) is passed over without a word and replaced at the
    // next save.
    if (read && game.View().puzzle.state == Playing) {
        if (std::optional<HistoryFile::Contents> kept = HistoryFile::Read(large ? largeHistoryPath : historyPath))
            game.AdoptHistory(std::move(kept->history), kept->facts);
    }
    if (picture)
        picture->ShowLoaded(fit, read);
    return read;
}

void SavedGameStore::Open(Game& game, GamePicture& picture, const GamePicture::BoardFit& fit) const
{
    Load(game, &picture, fit);
    if (game.View().puzzle.state != Playing)
        game.ResetGame();
}

} // namespace tesselo
