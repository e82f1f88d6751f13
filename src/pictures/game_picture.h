#pragma once

#include "model/game_change.h"
#include "pictures/board_bitmap.h"
#include "pictures/picture_folder.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>

namespace tesselo {

class Game;

// The picture a game is played on and the folder it comes from, kept
// beside the game by whoever shows it. It follows the game's changes (a
// new game after a win takes the folder's next picture) and the window's
// size and density (the board made again for them), and gives the game the
// board's size, on which drags are measured. The game itself knows no
// picture.
class GamePicture : public QObject {
    Q_OBJECT
    friend struct PictureSetup;

public:
    // When the first picture is prepared: at once, or only once the saved
    // game is read (ShowLoaded), when it is known which picture the window
    // shows and at what size, so that a picture that is never shown is
    // never read.
    enum class FirstPicture { AtOnce, WhenLoaded };
    // Given the board size the saved game asks for, the size the window
    // will give the board.
    using BoardFit = std::function<QSize(QSize)>;

    explicit GamePicture(Game& game, FirstPicture first = FirstPicture::AtOnce, QObject* parent = nullptr);
    ~GamePicture() override;
    GamePicture(const GamePicture&) = delete;
    GamePicture& operator=(const GamePicture&) = delete;

    const BoardBitmap& Board() const { return board; }
    const PictureFolder& Folder() const { return folder; }
    // The first picture still waits for the saved game.
    bool Pending() const { return pending; }

    // Accepts a folder that holds a picture; loads nothing.
    bool SetFolder(const QString& prefix);
    // The folder the player chose: taken only when it names another one.
    void ChooseFolder(const QString& prefix)
    {
        if (!PictureFolder::SameFolder(prefix, folder.folder))
            SetFolder(prefix);
    }
    // The board's size in board pixels and the screen's density; the
    // picture is made again for it, unless the first picture still waits
    // for the saved game: the size that reading gives it is the one shown.
    void SetBoardSize(std::int32_t width, std::int32_t height, qreal ratio);

    // The picture as the saved game keeps it.
    PictureRecord Record() const { return folder.Record(); }
    // The picture of a saved game: its folder, board size and entry, shown
    // only by ShowLoaded. A record no screen could show changes nothing.
    bool Restore(const PictureRecord& saved);
    // Once the saved game was read (`read`) or found missing: the board at
    // the size `fit` turns the saved one into, with the current picture.
    // When the saved folder shows nothing, a first picture that waited
    // shows the one the game was made with: the default folder's first.
    void ShowLoaded(const BoardFit& fit, bool read);

    // The name a won game keeps its picture by: the file's name, or nothing
    // for the built-in picture.
    QString KeptName() const;
    // The file such a name stands for, in the folder shown now; nothing for
    // the built-in picture.
    QString PathOfKept(const QString& keptName) const;
    // Shows the picture a kept win was played on, where the folder shown
    // now still has it (a race is run on its win's picture); else, or for
    // the built-in picture, the board keeps the one it shows.
    void ShowKept(const QString& keptName);

signals:
    // The board's picture was made again: another picture, size or density.
    void Changed();

private:
    void Follow(const GameChange& change);
    // After the board's picture was made: the game measures drags on it,
    // and whoever shows it paints it.
    void Made();

    Game& game;
    BoardBitmap board;
    PictureFolder folder;
    bool pending = false;
    // The game stood won before the change it announces now.
    bool wonBefore = false;
};

} // namespace tesselo
