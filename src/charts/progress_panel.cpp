#include "charts/progress_panel.h"

#include "charts/activity_strip.h"
#include "charts/results_histogram.h"
#include "charts/trend_chart.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace tesselo {

ProgressPanel::ProgressPanel(QWidget* parent) : QWidget(parent)
{
    trend = new TrendChart(this);
    histogram = new ResultsHistogram(this);
    activity = new ActivityStrip(this);
    showRate = new QCheckBox(tr("Show &moves per second"), this);
    showRate->setToolTip(tr("The moves of each win over its time, on the axis at the right"));
    note = new QLabel(this);
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);

    charts = new QWidget(this);
    // The choice of the second series, over the chart's right axis; in
    // "Strategy" there is none, and no row for it.
    rateRow = new QWidget(charts);
    auto* top = new QHBoxLayout(rateRow);
    top->setContentsMargins(0, 0, 0, 0);
    top->addStretch();
    top->addWidget(showRate);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(histogram, 1);
    bottom->addWidget(activity);
    auto* chartsLayout = new QVBoxLayout(charts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    chartsLayout->addWidget(rateRow);
    chartsLayout->addWidget(trend, 3);
    chartsLayout->addLayout(bottom, 2);
    stack = new QStackedLayout(this);
    stack->addWidget(note);
    stack->addWidget(charts);

    connect(showRate, &QCheckBox::toggled, trend, &TrendChart::SetShowRate);
    connect(trend, &TrendChart::WinClicked, this, &ProgressPanel::WinClicked);
    ShowReading();
}

void ProgressPanel::ShowReading()
{
    note->setText(tr("Reading the wins…"));
    stack->setCurrentWidget(note);
}

void ProgressPanel::SetSeries(std::shared_ptr<const ProgressSeries> s)
{
    series = std::move(s);
    trend->SetSeries(series);
    histogram->SetSeries(series);
    activity->SetSeries(series);
    const bool speed = series && series->IsSpeed();
    rateRow->setVisible(speed);
    trend->SetShowRate(speed && showRate->isChecked());
    if (!series || series->wins.empty()) {
        note->setText(tr("No wins of this grid and style yet."));
        stack->setCurrentWidget(note);
    } else {
        stack->setCurrentWidget(charts);
    }
}

} // namespace tesselo
