#include "view/c_puzzle_image.h"

#include "model/game.h"
#include "pictures/game_picture.h"
#include "view/board_accessible.h"
#include "view/board_painter.h"
#include "view/hint_overlay.h"
#include "view/painter_target.h"
#include "view/paused_panel.h"

#include <QFocusEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTimerEvent>

#include <utility>

namespace tesselo {

CPuzzleImage::CPuzzleImage(QWidget* parent) : QWidget(parent)
{
    // A screen reader reads the board as a table of its tiles' numbers.
    InstallBoardAccessibility();
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The keys are the window's to read, but the focus is the board's: the
    // selected cell is what a screen reader follows.
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel of the board is painted each time: no erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CPuzzleImage::~CPuzzleImage() = default;

void CPuzzleImage::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // Qt tells of the board's own focus after this returns; the selected
    // cell's comes after it, so that a screen reader ends on the cell.
    QMetaObject::invokeMethod(this, [this] { AnnounceBoardFocus(this); }, Qt::QueuedConnection);
}

void CPuzzleImage::Show(Game* shown, const GamePicture* shownPicture)
{
    if (game)
        disconnect(game, nullptr, this, nullptr);
    if (picture)
        disconnect(picture, nullptr, this, nullptr);
    game = shown;
    picture = game ? shownPicture : nullptr;
    FinishMotion();
    dragAxis = None;
    dragOffset = 0;
    if (game) {
        connect(game, &Game::Changed, this, &CPuzzleImage::Follow);
        framed = game->View().puzzle.grid.Selected();
    }
    if (picture)
        connect(picture, &GamePicture::Changed, this, &CPuzzleImage::FollowPicture);
    update();
}

void CPuzzleImage::FollowPicture()
{
    // Under a replay the game's picture waits, but the board is painted
    // afresh all the same; otherwise the glide under way ends.
    if (!replayBoard)
        FinishMotion();
    update();
}

void CPuzzleImage::ShowReplay(const BoardBitmap* board)
{
    replayBoard = board;
    FinishMotion();
    if (!replayBoard && game)
        framed = game->View().puzzle.grid.Selected();
    update();
}

void CPuzzleImage::SetHint(const std::optional<Move>& move)
{
    if (move == hint)
        return;
    hint = move;
    update();
}

void CPuzzleImage::SetAnimated(bool on)
{
    animated = on;
    if (!on) {
        update(motion.Area(Cell()));
        FinishMotion();
    }
}

void CPuzzleImage::SetNumbers(bool on)
{
    if (on == numbers)
        return;
    numbers = on;
    update();
}

const BoardBitmap* CPuzzleImage::ShownBoard() const
{
    return replayBoard ? replayBoard : picture ? &picture->Board() : nullptr;
}

const BoardBitmap& CPuzzleImage::HiddenBoard(const BoardBitmap& shown)
{
    if (!hiddenBoard)
        hiddenBoard = std::make_unique<BoardBitmap>();
    QImage& plain = hiddenBoard->picture;
    if (plain.size() != shown.picture.size() || plain.devicePixelRatio() != shown.picture.devicePixelRatio()) {
        plain = QImage(shown.picture.size(), QImage::Format_RGB32);
        plain.setDevicePixelRatio(shown.picture.devicePixelRatio());
        plain.fill(QColor(PausedPanel::kBackground));
    }
    hiddenBoard->grid = shown.grid;
    return *hiddenBoard;
}

QSize CPuzzleImage::Cell() const
{
    const BoardBitmap* board = ShownBoard();
    return board ? QSize(board->CellWidth(), board->CellHeight()) : QSize();
}

QRect CPuzzleImage::LineArea(MoveAxis axis, int line) const
{
    const BoardBitmap* board = ShownBoard();
    if (!board || !board->grid)
        return rect();
    const QSize cell = Cell();
    return axis == MoveAxis::Row ? QRect(0, line * cell.height(), cell.width() * board->grid->columnCount, cell.height() + 1)
                                 : QRect(line * cell.width(), 0, cell.width() + 1, cell.height() * board->grid->rowCount);
}

QRect CPuzzleImage::CellArea(Selection cell) const
{
    const QSize size = Cell();
    return QRect(cell.column * size.width(), cell.row * size.height(), size.width() + 1, size.height() + 1);
}

void CPuzzleImage::Follow(const GameChange& change)
{
    // A replay shows a board of its own; the game's changes wait under it.
    if (replayBoard)
        return;
    if (!game)
        return;
    if (const auto* hinted = std::get_if<HintChanged>(&change)) {
        SetHint(hinted->move);
        return;
    }
    // The facts beside play (volume, par, help) show nowhere on the board.
    if (std::holds_alternative<FactChanged>(change))
        return;
    // The line in a drag follows the pointer as told, until the drag ends:
    // let go, in a move, or with its game.
    if (const auto* gesture = std::get_if<GestureChanged>(&change)) {
        const bool following = gesture->step == GestureChanged::Step::Followed;
        dragAxis = following ? gesture->axis : None;
        dragOffset = following ? gesture->offset : 0;
    } else if (std::holds_alternative<MoveMade>(change) || std::holds_alternative<MoveTakenBack>(change) ||
               std::holds_alternative<NewPosition>(change) || std::holds_alternative<StateChanged>(change)) {
        dragAxis = None;
        dragOffset = 0;
    }
    ShowChange(change, game->View().puzzle.grid);
}

const TileGrid* CPuzzleImage::ShownGrid() const
{
    if (replayBoard)
        return replayBoard->grid;
    return game ? &game->View().puzzle.grid : nullptr;
}

bool CPuzzleImage::HidesTiles() const
{
    return !replayBoard && game && game->HidesBoard();
}

void CPuzzleImage::FollowReplay(const GameChange& change)
{
    if (replayBoard && replayBoard->grid)
        ShowChange(change, *replayBoard->grid);
}

void CPuzzleImage::ShowChange(const GameChange& change, const TileGrid& now)
{
    const QSize cell = Cell();
    // The glide under way ends where it was going: its area, and whatever
    // was painted of it, is painted again, at rest or as the next glide
    // shows it.
    // What the cells hold now reaches a screen reader as it changes.
    if (const auto* made = std::get_if<MoveMade>(&change))
        AnnounceBoardCells(this, made->step.move);
    else if (const auto* back = std::get_if<MoveTakenBack>(&change))
        AnnounceBoardCells(this, back->step.move);
    else if (std::holds_alternative<NewPosition>(change))
        AnnounceBoardCells(this);
    else if (std::holds_alternative<SelectionMoved>(change))
        AnnounceBoardFocus(this);
    QRegion dirty = motion.Area(cell) + std::exchange(paintedInMotion, QRegion());
    if (animated)
        motion.Follow(change, now, cell);
    dirty += motion.Area(cell);
    if (const auto* made = std::get_if<MoveMade>(&change)) {
        dirty += LineArea(made->step.move.axis, made->step.move.line);
    } else if (const auto* back = std::get_if<MoveTakenBack>(&change)) {
        dirty += LineArea(back->step.move.axis, back->step.move.line);
    } else if (const auto* gesture = std::get_if<GestureChanged>(&change)) {
        const Selection at = now.Selected();
        if (gesture->axis != None)
            dirty += gesture->axis == Horizontal ? LineArea(MoveAxis::Row, at.row) : LineArea(MoveAxis::Column, at.column);
    } else if (std::holds_alternative<SelectionMoved>(change) || std::holds_alternative<ClockChanged>(change)) {
        // Nothing but the frame, below.
    } else {
        dirty = rect();
    }
    if (game && game->HidesBoard() != shownHidden) {
        shownHidden = game->HidesBoard();
        dirty = rect();
    }
    if (now.Selected() != framed) {
        dirty += CellArea(framed);
        dirty += CellArea(now.Selected());
        framed = now.Selected();
    }
    update(dirty);
    // One paint a frame while the glide runs, and none after.
    if (motion.IsRunning() && !frames.isActive())
        frames.start(BoardMotion::kFrameMs, Qt::PreciseTimer, this);
}

void CPuzzleImage::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != frames.timerId())
        return QWidget::timerEvent(event);
    update(motion.Area(Cell()));
    if (!motion.IsRunning())
        FinishMotion();
}

void CPuzzleImage::FinishMotion()
{
    update(std::exchange(paintedInMotion, QRegion()));
    frames.stop();
    motion.Finish();
}

void CPuzzleImage::paintEvent(QPaintEvent* event)
{
    // The painter ends when it leaves this scope, whichever way the board
    // painting went.
    QPainter painter(this);

    // An opaque widget promises to cover itself, and Qt keeps no older
    // picture underneath to fall back on. The board painter leaves alone the
    // strip beyond the last whole cell (and everything, when there is no
    // picture), so that strip gets the window's background first; an
    // in-order board then copies its picture over it.
    // A replay paints its own grid over its own picture, with the same
    // painters as the game; the game itself is not touched.
    // A paused game shows the panel and nothing of its board; a replay
    // started meanwhile shows its own game.
    if (!replayBoard && game && game->IsPaused()) {
        PausedPanel::Paint(painter, rect(), font());
        return;
    }
    const BoardBitmap* bitmap = ShownBoard();
    // In "Blind" the numbers stay off until the end is declared, and from the
    // first move every cell is drawn alike.
    const bool blindPlay = !replayBoard && game && game->View().style.IsBlind() && game->View().puzzle.state == Playing;
    if (bitmap && HidesTiles())
        bitmap = &HiddenBoard(*bitmap);
    QRect board;
    if (bitmap && bitmap->grid)
        board = QRect(0, 0, bitmap->CellWidth() * bitmap->grid->columnCount,
                      bitmap->CellHeight() * bitmap->grid->rowCount);
    for (const QRect& r : QRegion(rect()).subtracted(board))
        painter.fillRect(r, palette().window());
    if (!bitmap)
        return;

    // A move on its way, else the drag as the changes told it picks the
    // painting. A board that could not be painted in full is left as far as
    // it got.
    const std::optional<MotionFrame> moving = motion.Frame(Cell());
    const DragAxis axis = moving || replayBoard ? None : dragAxis;
    // The target paints in device pixels and copies without blending; the
    // hint over it is drawn in board pixels, blended.
    painter.save();
    PainterTarget target(painter);
    NumberPlates* shownNumbers = numbers && !blindPlay ? &plates : nullptr;
    if (moving) {
        DrawMotion(target, *bitmap, *moving, shownNumbers, &rest);
        paintedInMotion += event->region();
    } else {
        switch (axis) {
        case Horizontal: DrawRowDrag(target, *bitmap, dragOffset, shownNumbers, &rest); break;
        case Vertical: DrawColumnDrag(target, *bitmap, dragOffset, shownNumbers, &rest); break;
        case None:
        default: DrawBoard(target, *bitmap, shownNumbers, &rest); break;
        }
    }
    painter.restore();
    if (hint && !replayBoard && !moving && axis == None && bitmap->grid)
        DrawHint(painter, QSize(bitmap->CellWidth(), bitmap->CellHeight()), bitmap->grid->rowCount,
                 bitmap->grid->columnCount, *hint);
}

} // namespace tesselo
