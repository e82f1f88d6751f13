#pragma once

#include "charts/chart_widget.h"
#include "records/progress_series.h"

#include <memory>
#include <optional>

namespace tesselo {

// A square a day over the last year, shaded by the wins of that day, with
// the current run of days played. The days end on the day the series was
// worked out for (the charts' day, model/day_clock.h).
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

} // namespace tesselo
