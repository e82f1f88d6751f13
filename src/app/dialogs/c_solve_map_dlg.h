#pragma once

#include "model/history.h"
#include "model/tile_grid.h"

#include <QDialog>
#include <QImage>

#include <memory>
#include <optional>
#include <vector>

class QLabel;

namespace tesselo {

namespace solver {
class Solver;
}
class SolveMapChart;
class SolveMapRun;

// "Solve Map": the chart of how far a won game was from solved after each
// of its moves, and beside it the board at the move chosen on the chart,
// with the next move of the shortest way drawn on it as a hint is. The
// distances are worked out on a thread of their own and drawn as they
// come; the game itself is not touched.
class CSolveMapDlg : public QDialog {
    Q_OBJECT
public:
    // The solve from `start` through `steps`, its picture (the board's, in
    // the home arrangement), and the par kept for it, if any.
    CSolveMapDlg(std::shared_ptr<const solver::Solver> solver, const TileGrid& start, std::vector<HistoryStep> steps,
                 QImage picture, std::optional<int> par, QWidget* parent = nullptr);
    ~CSolveMapDlg() override;

    // Shows the board in `picture` from now on: a kept win's own, once it
    // has been decoded.
    void ShowPicture(QImage picture);
    const QImage& Picture() const;

    SolveMapChart& Chart() { return *chart; }
    // Whether every point is known.
    bool IsComplete() const { return complete; }

private:
    class Board;
    void ShowChosen();
    void ShowSummary();
    void ShowLegend();

    TileGrid start;
    std::vector<HistoryStep> steps;
    SolveMapChart* chart = nullptr;
    Board* board = nullptr;
    QLabel* summary = nullptr;
    QLabel* detail = nullptr;
    QLabel* legend = nullptr;
    bool bounded = false; // some distance is only an upper bound
    std::unique_ptr<SolveMapRun> run;
    bool complete = false;
    bool failed = false;
};

} // namespace tesselo
