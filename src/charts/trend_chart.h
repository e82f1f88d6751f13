#pragma once

#include "charts/chart_widget.h"
#include "charts/touch_span.h"
#include "charts/trend_layout.h"

#include <QPixmap>

#include <cstdint>
#include <memory>
#include <optional>

class QTouchEvent;

namespace tesselo {

// Every win of a kind as a dot at its date: the time in "Speed", the moves
// in "Strategy"; helped wins hollow. Over them the averages of 5 and 12
// and the best so far as lines, and in "Speed", when asked, the moves per
// second on an axis of their own. The wheel zooms the time axis about the
// pointer, a drag pans it; a dot under the pointer tells its win, and a
// click on it asks for its replay (WinClicked). On a touch screen one
// finger pans, two pinch to zoom (touch_span.h), and a tap is a click.
//
// Where things go is worked out apart (trend_layout.h) and drawn by
// trend_drawing.h. The dots and lines are drawn once into a picture kept
// until the view changes; the pointer's ring is drawn over it.
class TrendChart : public ChartWidget {
    Q_OBJECT
public:
    explicit TrendChart(QWidget* parent = nullptr);

    void SetSeries(std::shared_ptr<const ProgressSeries> series);
    void SetShowRate(bool show);
    bool ShowsRate() const { return view.showRate; }
    // The moments shown at the left and right of the plot (ms since 1970).
    double ShownFrom() const { return view.from; }
    double ShownTo() const { return view.to; }
    // Shows [start, end], kept within the wins and no narrower than two
    // hours.
    void ShowSpan(double start, double end);
    // Zooms by `factor` (under 1 nearer) about the moment at x = `atX`.
    void Zoom(double factor, double atX);
    // Where a win is drawn, and the win drawn nearest a point (within a few
    // pixels).
    QPointF PointOf(std::size_t win) const;
    std::optional<std::size_t> WinAt(QPointF at) const;
    // The text a dot shows under the pointer, and the chart elsewhere.
    QString WinText(std::size_t win) const;
    static QString Hint();
    // Where everything goes and what the texts say, at the chart's size.
    TrendLayout Layout() const;
    // The plot's area, within the axes.
    QRectF PlotArea() const { return Placed().plot; }
    // Dots drawn at the last paint (after thinning): for tests and the
    // benchmarks.
    int DotsDrawn() const { return dotsDrawn; }

signals:
    void WinClicked(std::int64_t id);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void ForgetPointer() override;

private:
    // The layout at the view and size as they are, kept until either
    // changes.
    const TrendLayout& Placed() const;
    void Render(QPainter& p);
    void Hover(std::optional<std::size_t> win, QPoint global);
    // A touch: taken whole, so Qt makes no mouse events of it.
    void Touch(QTouchEvent& touch);
    void Changed();

    TrendView view;
    mutable std::optional<TrendLayout> layout; // none since the view changed
    mutable QSize layoutSize;                  // the size it was worked out at
    QPixmap drawn;      // dots and lines, until the view changes
    bool drawnValid = false;
    int dotsDrawn = 0;
    std::optional<std::size_t> hovered;
    std::optional<QPointF> pressedAt;
    double pressedFrom = 0;
    bool dragging = false;
    // The fingers down as the span was last anchored, by id.
    QList<int> fingers;
    TouchSpan touchSpan;
    // Where one finger came down, while it may still be a tap: it has not
    // moved past kDragStart and no second finger came.
    std::optional<QPointF> tapAt;
    bool touchPanning = false;
};

} // namespace tesselo
