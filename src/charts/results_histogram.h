#pragma once

#include "charts/chart_widget.h"
#include "records/progress_series.h"

#include <memory>
#include <optional>

namespace tesselo {

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

} // namespace tesselo
