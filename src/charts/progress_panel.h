#pragma once

#include "records/progress_series.h"

#include <QWidget>

#include <cstdint>
#include <memory>

class QCheckBox;
class QLabel;
class QStackedLayout;

namespace tesselo {

class ActivityStrip;
class ResultsHistogram;
class TrendChart;

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
