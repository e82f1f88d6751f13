#pragma once

#include "model/grid_size.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tesselo {

class Records;

// The "Grid and Style" tab of the Records window: the wins of one size and
// style a page at a time, the best or the newest first. Each page is asked
// of the records by query, so a kind of a hundred thousand wins lists as
// fast as one of ten.
class KindWinsPage : public QWidget {
    Q_OBJECT
public:
    // `reader` gives the records for a read on the window's thread.
    explicit KindWinsPage(std::function<Records&()> reader, QWidget* parent = nullptr);

    // Lists the first page of the wins of a kind, `won` of them in all.
    void ShowKind(GridSize size, Style style, int won);
    void OnPreviousPage();
    void OnNextPage();
    // The win of the row chosen, when it was kept with its moves.
    std::optional<std::int64_t> Choice() const;

    QTableWidget* wins = nullptr;
    QComboBox* order = nullptr;
    QLabel* pageLabel = nullptr;
    QPushButton* previousButton = nullptr;
    QPushButton* nextButton = nullptr;

signals:
    // The row chosen, or what it holds, changed.
    void ChoiceChanged();
    // A row was double-clicked: play its win again.
    void Activated();

private:
    void ShowPage(int first);

    std::function<Records&()> reader;
    GridSize size;
    Style style = Style::Strategy;
    bool listed = false; // a kind was chosen
    int won = 0;         // the wins of the kind
    int pageStart = 0;   // the first win shown, counted from 0
};

} // namespace tesselo
