#pragma once

#include "records/progress_series.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QStackedLayout;

namespace tesselo {

// The colours of the charts, from the palette's own base and text, with
// hues chosen for a light or a dark base so that every line reads on it.
struct ChartColors {
    QColor base, text, grid;
    QColor win, average5, average12, best, rate, bar, empty;
    static ChartColors Of(const QPalette& palette);
};

// A chart drawn by hand with QPainter (at the screen's pixel ratio), whose
// context menu saves it as a PNG picture.
class ChartWidget : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // The chart as drawn, at the screen's pixel ratio, without the marks
    // of the pointer.
    QImage Picture();
    // Writes Picture() into `path` as PNG, replaced whole once written.
    bool SaveAs(const QString& path, QString* error = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Takes away what follows the pointer before a picture is taken.
    virtual void ForgetPointer() {}
};

// Every win of a kind as a dot at its date: the time in "Speed", the moves
// in "Strategy"; helped wins hollow. Over them the averages of 5 and 12
// and the best so far as lines, and in "Speed", when asked, the moves per
// second on an axis of their own. The wheel zooms the time axis about the
// pointer, a drag pans it; a dot under the pointer tells its win, and a
// click on it asks for its replay (WinClicked).
//
// However many wins, a paint draws no more dots than the pixels can tell
// apart and lines thinned to the pixel columns (chart_scale.h), and the
// dots and lines are drawn once into a picture kept until the view
// changes; the pointer's ring is drawn over it.
class TrendChart : public ChartWidget {
    Q_OBJECT
public:
    explicit TrendChart(QWidget* parent = nullptr);

    void SetSeries(std::shared_ptr<const ProgressSeries> series);
    void SetShowRate(bool show);
    bool ShowsRate() const { return showRate; }
    // The moments shown at the left and right of the plot (ms since 1970).
    double ShownFrom() const { return from; }
    double ShownTo() const { return to; }
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
    // The plot's area, within the axes.
    QRectF PlotArea() const;
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
    struct Layout {
        QRectF plot;
        QRectF legend;
        double low = 0, high = 1; // the value axis
        std::vector<double> values;
        double valueStep = 1;
        double rateHigh = 1; // the moves per second axis, from 0
        std::vector<double> rates;
    };
    struct LegendEntry {
        static constexpr double kMark = 20; // the mark and the room after it
        static constexpr double kGap = 14;  // between entries
        QString text;
        QColor colour;
        enum { Dot, Ring, Line } mark;
    };
    Layout LayoutFor(const QSize& size) const;
    std::vector<LegendEntry> Legend(const ChartColors& c) const;
    QString ValueLabel(double value, double step) const;
    double X(double ms) const;
    double Y(double value) const;
    void Render(QPainter& p);
    void DrawLegend(QPainter& p, const ChartColors& c) const;
    void Hover(std::optional<std::size_t> win, QPoint global);
    void Changed();

    std::shared_ptr<const ProgressSeries> series;
    bool showRate = false;
    double from = 0, to = 1;         // shown
    double firstMs = 0, lastMs = 1;  // the widest view
    double lowest = 0, highest = 1;  // the values of every win
    double fastest = 1;              // the highest moves per second
    Layout layout;
    QPixmap drawn; // dots and lines, until the view changes
    bool drawnValid = false;
    int dotsDrawn = 0;
    std::optional<std::size_t> hovered;
    std::optional<QPointF> pressedAt;
    double pressedFrom = 0;
    bool dragging = false;
};

// How the results without help spread: bins chosen from the data, the
// current average of 12 marked.
class ResultsHistogram : public ChartWidget {
    Q_OBJECT
public:
    explicit ResultsHistogram(QWidget* parent = nullptr);
    void SetSeries(std::shared_ptr<const ProgressSeries> series);
    // The bin under a point, if any.
    std::optional<std::size_t> BinAt(QPointF at) const;
    QString BinText(std::size_t bin) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRectF Plot() const;
    std::shared_ptr<const ProgressSeries> series;
};

// A square a day over the last year, shaded by the wins of that day, with
// the current run of days played.
class ActivityStrip : public ChartWidget {
    Q_OBJECT
public:
    explicit ActivityStrip(QWidget* parent = nullptr);
    void SetSeries(std::shared_ptr<const ProgressSeries> series);
    // The day under a point, if any, counted from the strip's first day.
    std::optional<int> DayAt(QPointF at) const;
    QString DayText(int day) const;
    // The current streak and the wins of the year, a line each.
    QString StreakText() const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    struct Grid {
        QPoint origin; // of the first week's first day
        int cell = 10;
        int step = 12;
    };
    Grid GridFor() const;
    int Weeks() const;
    QSize SizeFor(int step) const;
    std::shared_ptr<const ProgressSeries> series;
};

// The "Progress" tab of the Records window: the three charts of the wins
// of one grid size and style, and in "Speed" the choice to show the moves per
// second. Told when the wins are being read and when they have come.
class ProgressPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget* parent = nullptr);
    // The wins of a kind are being read.
    void ShowReading();
    void SetSeries(std::shared_ptr<const ProgressSeries> series);
    const std::shared_ptr<const ProgressSeries>& Series() const { return series; }

    TrendChart* trend = nullptr;
    ResultsHistogram* histogram = nullptr;
    ActivityStrip* activity = nullptr;
    QCheckBox* showRate = nullptr;
    QLabel* note = nullptr; // instead of the charts: reading, or no wins

signals:
    void WinClicked(std::int64_t id);

private:
    std::shared_ptr<const ProgressSeries> series;
    QWidget* charts = nullptr;
    QWidget* rateRow = nullptr;
    QStackedLayout* stack = nullptr;
};

} // namespace tesselo
