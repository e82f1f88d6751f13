#pragma once

#include "solver/solve_map.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace tesselo {

// The chart of a solve's map: after each move, how far the board was from
// solved. A line drawn solid where the distances are exact and dashed where
// they are the best plan known (an upper bound); the par of the start as a
// level line; a ring on each move that took the board further from solved,
// and the moves along a shortest way drawn bold. Points arrive as they are
// worked out; the chart draws what it has. Pointing at a move names it; a
// click or the arrow keys choose one.
class SolveMapChart : public QWidget {
    Q_OBJECT
public:
    explicit SolveMapChart(int pointCount, std::optional<int> par, QWidget* parent = nullptr);

    void Add(const solver::MapPoint& point);
    const std::vector<solver::MapPoint>& Points() const { return points; }
    int Chosen() const { return chosen; }
    void Choose(int index);
    // The point nearest to x, in widget pixels, among those known.
    int IndexAt(qreal x) const;
    // The par's label right of the plot, level with its line, and the box
    // it is drawn in, as wide as its text needs; none without a par.
    struct Label {
        QString text;
        QRectF box;
    };
    std::optional<Label> ParLabel() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void ChosenChanged(int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRectF Plot() const;
    QString ParText() const;
    QPointF Where(int index, int distance) const;
    int Top() const;

    int pointCount;
    std::optional<int> par;
    std::vector<solver::MapPoint> points;
    std::vector<solver::MoveVerdict> verdicts;
    int chosen = 0;
};

} // namespace tesselo
