#include "view/board_accessible.h"

#include "model/tile_grid.h"
#include "view/c_puzzle_image.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QPointer>

namespace tesselo {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("tesselo::BoardAccessible", text);
}

// One place of the board: what it holds is read from the board each time,
// so a cell's name follows every move.
class BoardCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    BoardCellAccessible(CPuzzleImage* board, int row, int column) : board(board), row(row), column(column) { }

    bool isValid() const override { return board && Grid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return board ? board->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(board); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        const TileGrid* grid = Grid();
        if (!grid)
            return {};
        // Hidden tiles say nothing of where they belong until the end.
        if (board->HidesTiles())
            return t == QAccessible::Name ? Tr(QT_TRANSLATE_NOOP("tesselo::BoardAccessible", "Hidden")) : QString();
        if (t == QAccessible::Name)
            return CellName(*grid, row, column);
        if (t == QAccessible::Description)
            return CellDescription(*grid, row, column);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override
    {
        const TileGrid* grid = Grid();
        if (!grid || grid->rowCount == 0 || grid->columnCount == 0)
            return {};
        const QRect whole(board->mapToGlobal(QPoint(0, 0)), board->size());
        const int w = whole.width() / grid->columnCount, h = whole.height() / grid->rowCount;
        return QRect(whole.left() + column * w, whole.top() + row * h, w, h);
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.selectable = true;
        s.focusable = true;
        s.readOnly = true;
        const TileGrid* grid = Grid();
        const bool selected = grid && grid->selectedRow == row && grid->selectedColumn == column;
        s.selected = selected;
        // The focus is the board's to hand on: the cell has it only while
        // the board has the keyboard focus.
        s.focused = selected && board->hasFocus();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column; }
    int rowIndex() const override { return row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    const TileGrid* Grid() const
    {
        const TileGrid* grid = board ? board->ShownGrid() : nullptr;
        return grid && row < grid->rowCount && column < grid->columnCount ? grid : nullptr;
    }

    QPointer<CPuzzleImage> board;
    int row;
    int column;
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("tesselo::CPuzzleImage"))
        if (auto* board = qobject_cast<CPuzzleImage*>(object))
            return new BoardAccessible(board);
    return nullptr;
}

} // namespace

QString CellName(const TileGrid& grid, int row, int column)
{
    const Tile& tile = grid.At(row, column);
    return QString::number(tile.homeRow * grid.columnCount + tile.homeColumn + 1);
}

QString CellDescription(const TileGrid& grid, int row, int column)
{
    const Tile& tile = grid.At(row, column);
    return Tr(QT_TRANSLATE_NOOP("tesselo::BoardAccessible", "belongs at row %1, column %2"))
        .arg(tile.homeRow + 1)
        .arg(tile.homeColumn + 1);
}

BoardAccessible::BoardAccessible(CPuzzleImage* board) : QAccessibleWidget(board, QAccessible::Table)
{
}

BoardAccessible::~BoardAccessible()
{
    for (const QAccessible::Id id : cells)
        QAccessible::deleteAccessibleInterface(id);
}

CPuzzleImage* BoardAccessible::Board() const
{
    return static_cast<CPuzzleImage*>(widget());
}

const TileGrid* BoardAccessible::Grid() const
{
    return Board()->ShownGrid();
}

void* BoardAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString BoardAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return Tr(QT_TRANSLATE_NOOP("tesselo::BoardAccessible", "Board"));
    if (t == QAccessible::Description) {
        const TileGrid* grid = Grid();
        return grid
            ? Tr(QT_TRANSLATE_NOOP(
                     "tesselo::BoardAccessible",
                     "%1 rows by %2 columns; each cell says the number of the tile it holds and where that tile "
                     "belongs"))
                  .arg(grid->rowCount)
                  .arg(grid->columnCount)
            : QString();
    }
    return QAccessibleWidget::text(t);
}

int BoardAccessible::rowCount() const
{
    const TileGrid* grid = Grid();
    return grid ? grid->rowCount : 0;
}

int BoardAccessible::columnCount() const
{
    const TileGrid* grid = Grid();
    return grid ? grid->columnCount : 0;
}

int BoardAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface* BoardAccessible::child(int index) const
{
    const int rows = rowCount(), columns = columnCount();
    if (index < 0 || index >= rows * columns)
        return nullptr;
    if (rows != madeRows || columns != madeColumns) {
        for (const QAccessible::Id id : cells)
            QAccessible::deleteAccessibleInterface(id);
        cells.assign(std::size_t(rows * columns), 0);
        madeRows = rows;
        madeColumns = columns;
    }
    QAccessible::Id& id = cells[std::size_t(index)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(
            new BoardCellAccessible(Board(), index / columns, index % columns));
    return QAccessible::accessibleInterface(id);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const QAccessibleTableCellInterface* cell =
        child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    return cell ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
}

QAccessibleInterface* BoardAccessible::childAt(int x, int y) const
{
    const QPoint at = Board()->mapFromGlobal(QPoint(x, y));
    const int rows = rowCount(), columns = columnCount();
    if (rows == 0 || !Board()->rect().contains(at))
        return nullptr;
    return cellAt(at.y() * rows / Board()->height(), at.x() * columns / Board()->width());
}

QAccessibleInterface* BoardAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return child(row * columnCount() + column);
}

QAccessibleInterface* BoardAccessible::focusChild() const
{
    const TileGrid* grid = Grid();
    return grid ? cellAt(grid->selectedRow, grid->selectedColumn) : nullptr;
}

int BoardAccessible::selectedCellCount() const
{
    return Grid() ? 1 : 0;
}

QList<QAccessibleInterface*> BoardAccessible::selectedCells() const
{
    if (QAccessibleInterface* cell = focusChild())
        return {cell};
    return {};
}

QString BoardAccessible::columnDescription(int column) const
{
    return Tr(QT_TRANSLATE_NOOP("tesselo::BoardAccessible", "Column %1")).arg(column + 1);
}

QString BoardAccessible::rowDescription(int row) const
{
    return Tr(QT_TRANSLATE_NOOP("tesselo::BoardAccessible", "Row %1")).arg(row + 1);
}

void InstallBoardAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

void AnnounceBoardCells(CPuzzleImage* board, std::optional<Move> line)
{
    // Nothing is worked out while no assistive technology listens.
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(board);
    QAccessibleTableInterface* cells = table ? table->tableInterface() : nullptr;
    if (!cells)
        return;
    const int rows = cells->rowCount(), columns = cells->columnCount();
    const auto changed = [&](int row, int column) {
        if (QAccessibleInterface* cell = cells->cellAt(row, column)) {
            QAccessibleEvent event(cell, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    };
    if (line && line->axis == MoveAxis::Row) {
        for (int c = 0; c < columns; ++c)
            changed(line->line, c);
    } else if (line) {
        for (int r = 0; r < rows; ++r)
            changed(r, line->line);
    } else {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                changed(r, c);
    }
    AnnounceBoardFocus(board);
}

QAccessibleInterface* FocusedCell(CPuzzleImage* board)
{
    // A cell takes the focus only from the board that holds it.
    if (!board->hasFocus())
        return nullptr;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(board);
    return table ? table->focusChild() : nullptr;
}

void AnnounceBoardFocus(CPuzzleImage* board)
{
    if (!QAccessible::isActive())
        return;
    if (QAccessibleInterface* focused = FocusedCell(board)) {
        QAccessibleEvent event(focused, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace tesselo
