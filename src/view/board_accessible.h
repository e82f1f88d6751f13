#pragma once

#include "model/move.h"

#include <QAccessibleWidget>

#include <optional>

#include <vector>

namespace tesselo {

class CPuzzleImage;
class TileGrid;

// The board as a screen reader sees it: a table of as many rows and columns
// as the grid, one cell a place. A cell is named by the number of the tile
// it holds (its place in the whole picture counted along the rows from 1,
// as the numbers on the tiles show it) and described by where that tile
// belongs, so a solved board reads 1, 2, 3, ... along the rows and the
// puzzle can be solved without the picture. The selected cell is the one
// the table reports selected and focused.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(CPuzzleImage* board);
    ~BoardAccessible() override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // The selection is the game's: moved by its keys, not from here.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // The grid shown (the game's, or a replay's), or none.
    const TileGrid* Grid() const;
    CPuzzleImage* Board() const;

private:
    // The cells' interfaces, made on first need and registered with Qt,
    // which owns them once registered; made again for a grid of another
    // size.
    mutable std::vector<QAccessible::Id> cells;
    mutable int madeRows = 0, madeColumns = 0;
};

// Installs the factory that gives the board its interface; once is enough.
void InstallBoardAccessibility();
// Tells assistive technology that the cells of `line` (or, with no line,
// every cell) hold other tiles now, and where the selection is.
void AnnounceBoardCells(CPuzzleImage* board, std::optional<Move> line = std::nullopt);
// Tells it where the selection is: FocusedCell has the focus.
void AnnounceBoardFocus(CPuzzleImage* board);
// The cell that has the focus: the selected one while the board holds the
// keyboard focus; none while it does not.
QAccessibleInterface* FocusedCell(CPuzzleImage* board);
// The text of one cell, as a screen reader reads it: the tile's number and
// where it belongs; the same words the tests read.
QString CellName(const TileGrid& grid, int row, int column);
QString CellDescription(const TileGrid& grid, int row, int column);

} // namespace tesselo
