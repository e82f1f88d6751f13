#pragma once

#include "model/move.h"
#include "model/tile_grid.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QVariantAnimation>
#include <QWidget>

#include <cstddef>
#include <optional>

class QPainter;

namespace tesselo {

class BoardBitmap;

// What a race's ghost has done so far: its grid, the line it moved last,
// and how many of its moves it has made.
struct GhostView {
    const TileGrid* grid = nullptr; // not owned; none: nothing to show
    std::optional<Move> last;
    std::size_t done = 0;
    std::size_t total = 0;
    // "Blind": while the player's board is hidden, so are the ghost's
    // tiles; only its moving line shows.
    bool hidden = false;
    // How far the last move has come, from 0 (the line where it stood) to
    // 1 (where the grid has it): the ghost's moves glide as the player's do.
    double glide = 1.0;
};

// Where the ghost's small board sits over a board of `board` pixels: in one
// of its corners (0 top right, 1 bottom right, 2 bottom left, 3 top left), a
// quarter of its width (never under 72 pixels nor over the board), in the
// board's proportions, `margin` in from the edges.
QRect GhostInsetRect(QSize board, int corner = 0, int margin = 6);
// The corner the small board takes: the first, in the order above, that
// leaves `selected` (the player's selected cell) uncovered, so that the
// player never plays under it; the top right when every corner covers it.
int GhostCorner(QSize board, const QRect& selected);

// The ghost's grid drawn into `target`, each cell cut from `picture` (its
// cells `cell` pixels, at `ratio` device pixels to one) and scaled, black grid lines between, the line it moved last
// outlined, gliding there while `ghost.glide` is short of 1.
void DrawGhostGrid(QPainter& painter, const QRect& target, const QImage& picture, QSizeF cell, qreal ratio,
                   const GhostView& ghost);

// The ghost shown over the board it is a child of: a transparent layer
// that takes no input and follows its parent's size, its small board in a
// corner away from the player's selection. Painted only where the ghost
// moved (Update), the corner it left and took (FollowSelection), or the
// whole when the board changes size.
class GhostBoard : public QWidget {
    Q_OBJECT
public:
    // The board the ghost races on; `board` paints its cells from.
    GhostBoard(QWidget* boardWidget, const BoardBitmap& board);

    void Update(const GhostView& ghost);
    // Whether moves glide, as the player's board does.
    void SetAnimated(bool on) { animated = on; }
    bool IsGliding() const;
    // The player's selection may have moved: the small board moves aside
    // when it would cover it.
    void FollowSelection();
    int Corner() const { return corner; }
    // A line over the foot of the board (the race's end); empty: none.
    void SetBanner(const QString& text);
    const QString& Banner() const { return banner; }
    const GhostView& Shown() const { return ghost; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const BoardBitmap& board;
    // The part of the board the ghost covers now: repainted alone when it
    // moves, so the player's board under it is painted no more than that.
    QRect Covered() const;
    QRect BannerRect() const;

    QSize Whole() const;
    // The board's picture at the small board's size, made again only when
    // the picture or that size changes: cutting each cell from the full
    // picture and scaling it down every frame of a glide took the
    // player's frames' time.
    const QImage& Small(const QRect& inset);

    GhostView ghost;
    int corner = 0;
    QString banner;
    bool animated = true;
    QImage small;
    qint64 smallOf = 0; // the cache key of the picture it was made from
    QVariantAnimation* glide = nullptr; // child; runs only while a move glides
};

} // namespace tesselo
