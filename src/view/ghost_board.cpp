#include "view/ghost_board.h"

#include "model/game_change.h"
#include "pictures/board_bitmap.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace tesselo {

namespace {

// The ghost's colour: cool, apart from the yellow frame and the white hint.
const QColor kGhost(64, 224, 255);
const QColor kShade(0, 0, 0, 200);

QRectF LineBand(QSizeF cell, int rows, int columns, const Move& line)
{
    return line.axis == MoveAxis::Row
               ? QRectF(0, line.line * cell.height(), columns * cell.width(), cell.height())
               : QRectF(line.line * cell.width(), 0, cell.width(), rows * cell.height());
}

bool OnGrid(int rows, int columns, const Move& line)
{
    return line.line >= 0 && line.line < (line.axis == MoveAxis::Row ? rows : columns);
}

bool InLine(const Move& line, int r, int c)
{
    return line.axis == MoveAxis::Row ? r == line.line : c == line.line;
}

} // namespace

QRect GhostInsetRect(QSize board, int corner, int margin)
{
    if (board.isEmpty())
        return {};
    const int width = std::min(std::max(board.width() / 4, 72), board.width());
    const int height = std::min(std::max(1, width * board.height() / board.width()), board.height());
    const int left = std::min(margin, std::max(0, board.width() - width));
    const int right = std::max(0, board.width() - width - margin);
    const int top = std::min(margin, std::max(0, board.height() - height));
    const int bottom = std::max(0, board.height() - height - margin);
    const bool onRight = corner == 0 || corner == 1, onTop = corner == 0 || corner == 3;
    return {onRight ? right : left, onTop ? top : bottom, width, height};
}

int GhostCorner(QSize board, const QRect& selected)
{
    for (int corner = 0; corner < 4; ++corner)
        if (!GhostInsetRect(board, corner).adjusted(-3, -3, 3, 3).intersects(selected))
            return corner;
    return 0;
}

void DrawGhostGrid(QPainter& painter, const QRect& target, const QImage& picture, QSizeF cell, qreal ratio,
                   const GhostView& ghost)
{
    const TileGrid* grid = ghost.grid;
    if (!grid || grid->rowCount <= 0 || grid->columnCount <= 0 || target.isEmpty() || cell.isEmpty())
        return;
    const int rows = grid->rowCount, columns = grid->columnCount;
    const QSizeF small(qreal(target.width()) / columns, qreal(target.height()) / rows);
    painter.save();
    // A picture already at the small board's size is copied as it is:
    // filtering it again would cost each frame of a glide for nothing.
    const bool oneToOne = qFuzzyCompare(small.width() * painter.device()->devicePixelRatioF(), cell.width() * ratio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !oneToOne);
    // The line still on its way: each of its cells drawn short of where the
    // grid has it by what is left of the slide, and once more a whole line
    // away, so that what leaves one end comes in at the other.
    const bool gliding = ghost.last && OnGrid(rows, columns, *ghost.last) && ghost.glide < 1.0;
    const double back = gliding ? -ghost.last->amount * (1.0 - std::max(ghost.glide, 0.0)) : 0.0;
    const QRectF band = gliding ? LineBand(small, rows, columns, *ghost.last).translated(target.topLeft()) : QRectF();
    const auto drawCell = [&](const Tile& tile, const QRectF& to) {
        const QRectF from(tile.homeColumn * cell.width() * ratio, tile.homeRow * cell.height() * ratio,
                          cell.width() * ratio, cell.height() * ratio);
        if (picture.isNull() || ghost.hidden)
            painter.fillRect(to, Qt::darkGray);
        else
            painter.drawImage(to, picture, from);
    };
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QRectF to(target.left() + c * small.width(), target.top() + r * small.height(), small.width(),
                            small.height());
            if (!gliding || !InLine(*ghost.last, r, c)) {
                drawCell(grid->At(r, c), to);
                continue;
            }
            const bool row = ghost.last->axis == MoveAxis::Row;
            const QPointF step = row ? QPointF(small.width(), 0) : QPointF(0, small.height());
            const int length = row ? columns : rows;
            painter.save();
            painter.setClipRect(band);
            for (const int wrap : {0, back > 0 ? -length : length})
                drawCell(grid->At(r, c), to.translated(step * (back + wrap)));
            painter.restore();
        }
    painter.setPen(QPen(Qt::black, 1));
    for (int c = 1; c < columns; ++c)
        painter.drawLine(QPointF(target.left() + c * small.width(), target.top()),
                         QPointF(target.left() + c * small.width(), target.bottom() + 1));
    for (int r = 1; r < rows; ++r)
        painter.drawLine(QPointF(target.left(), target.top() + r * small.height()),
                         QPointF(target.right() + 1, target.top() + r * small.height()));
    if (ghost.last && OnGrid(rows, columns, *ghost.last)) {
        painter.setPen(QPen(kGhost, 2));
        const QRectF band = LineBand(small, rows, columns, *ghost.last).translated(target.topLeft());
        painter.drawRect(band.adjusted(1, 1, -1, -1));
    }
    // Its frame, apart from the player's board under it.
    painter.setPen(QPen(kShade, 3));
    painter.drawRect(QRectF(target).adjusted(-1.5, -1.5, 1.5, 1.5));
    painter.setPen(QPen(kGhost, 1));
    painter.drawRect(QRectF(target).adjusted(-1.5, -1.5, 1.5, 1.5));
    painter.restore();
}

GhostBoard::GhostBoard(QWidget* boardWidget, const BoardBitmap& shown) : QWidget(boardWidget), board(shown)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(boardWidget->rect());
    boardWidget->installEventFilter(this);
    show();
}

void GhostBoard::Update(const GhostView& now)
{
    const QRect before = Covered();
    const bool oneMove = ghost.grid && now.done == ghost.done + 1 && now.last;
    const bool sameMove = now.done == ghost.done;
    const double glideWas = ghost.glide;
    ghost = now;
    if (oneMove && animated && isVisible()) {
        if (!glide) {
            glide = new QVariantAnimation(this);
            glide->setStartValue(0.0);
            glide->setEndValue(1.0);
            glide->setDuration(int(kGlideMs));
            connect(glide, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
                ghost.glide = value.toDouble();
                update(Covered());
            });
        }
        glide->stop();
        ghost.glide = 0.0;
        glide->start();
    } else if (IsGliding() && sameMove) {
        // The same move shown again (the selection moved, "Blind" began):
        // its glide goes on.
        ghost.glide = glideWas;
    } else {
        ghost.glide = 1.0;
        if (glide)
            glide->stop();
    }
    FollowSelection();
    update(before.united(Covered()));
}

bool GhostBoard::IsGliding() const
{
    return glide && glide->state() == QAbstractAnimation::Running;
}

void GhostBoard::SetBanner(const QString& text)
{
    if (text == banner)
        return;
    banner = text;
    update(BannerRect());
}

QSize GhostBoard::Whole() const
{
    // The player's board: its grid's whole cells.
    if (!board.grid || board.grid->rowCount <= 0 || board.grid->columnCount <= 0)
        return {};
    return QSize(board.CellWidth() * board.grid->columnCount, board.CellHeight() * board.grid->rowCount);
}

QRect GhostBoard::Covered() const
{
    if (!ghost.grid || ghost.grid->rowCount <= 0 || ghost.grid->columnCount <= 0)
        return {};
    return GhostInsetRect(Whole(), corner).adjusted(-3, -3, 3, 3);
}

void GhostBoard::FollowSelection()
{
    if (!board.grid || !ghost.grid)
        return;
    const Selection at = board.grid->Selected();
    const QRect cell(at.column * board.CellWidth(), at.row * board.CellHeight(), board.CellWidth(),
                     board.CellHeight());
    const int now = GhostCorner(Whole(), cell);
    if (now == corner)
        return;
    const QRect before = Covered();
    corner = now;
    update(before.united(Covered()));
}

QRect GhostBoard::BannerRect() const
{
    const int high = std::max(fontMetrics().height() * 2, 24);
    return QRect(0, std::max(0, height() - high), width(), high);
}

bool GhostBoard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void GhostBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!banner.isEmpty()) {
        const QRect band = BannerRect();
        painter.fillRect(band, kShade);
        painter.setPen(Qt::white);
        painter.drawText(band, Qt::AlignCenter | Qt::TextWordWrap, banner);
    }
    if (!ghost.grid || !board.grid)
        return;
    const QRect inset = GhostInsetRect(Whole(), corner);
    // Without a picture the cells are drawn plain: the ghost's moves still
    // show.
    const QImage& shown = Small(inset);
    const QSizeF cell(qreal(inset.width()) / board.grid->columnCount, qreal(inset.height()) / board.grid->rowCount);
    DrawGhostGrid(painter, inset, shown, cell, shown.devicePixelRatio(), ghost);
}

const QImage& GhostBoard::Small(const QRect& inset)
{
    const qreal ratio = board.picture.devicePixelRatio();
    const QSize device(qRound(inset.width() * ratio), qRound(inset.height() * ratio));
    if (board.picture.isNull() || device.isEmpty()) {
        small = QImage();
        return small;
    }
    if (small.isNull() || smallOf != board.picture.cacheKey() || small.size() != device) {
        // The whole cells only: the strip beyond them is no tile's.
        const QSize whole = Whole() * ratio;
        small = board.picture.copy(QRect(QPoint(0, 0), whole))
                    .scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        small.setDevicePixelRatio(ratio);
        smallOf = board.picture.cacheKey();
    }
    return small;
}

} // namespace tesselo
