#include "charts/results_histogram.h"

#include "charts/chart_colors.h"
#include "charts/chart_scale.h"
#include "model/clock_text.h"
#include "records/result_text.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tesselo {

ResultsHistogram::ResultsHistogram(QWidget* parent) : ChartWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(260, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ResultsHistogram::SetSeries(std::shared_ptr<const ProgressSeries> s)
{
    series = std::move(s);
    setAccessibleName(tr("Results histogram"));
    int counted = 0;
    if (series)
        for (const int n : series->histogram.counts)
            counted += n;
    // What the bars show, in words: how many results, over what range.
    setAccessibleDescription(
        counted == 0 ? tr("No results without help yet.")
                     : tr("%n result(s) without help in bins from %1 to %2; the fullest holds %3.", nullptr, counted)
                           .arg(ScoreText(series->style, series->histogram.first),
                                ScoreText(series->style, series->histogram.first +
                                                             series->histogram.width *
                                                                 double(series->histogram.counts.size())),
                                QString::number(*std::max_element(series->histogram.counts.begin(),
                                                                  series->histogram.counts.end()))));
    update();
}

QRectF ResultsHistogram::Plot() const
{
    const QFontMetricsF fm(font());
    const double line = fm.height();
    const double left = fm.horizontalAdvance(QStringLiteral("00000")) + 8;
    return QRectF(left, 8 + line * 2, width() - left - 12, height() - 16 - line * 3);
}

std::optional<std::size_t> ResultsHistogram::BinAt(QPointF at) const
{
    if (!series || series->histogram.counts.empty())
        return std::nullopt;
    const QRectF plot = Plot();
    if (!plot.contains(at))
        return std::nullopt;
    const auto bin = std::size_t((at.x() - plot.left()) / plot.width() * double(series->histogram.counts.size()));
    return std::min(bin, series->histogram.counts.size() - 1);
}

QString ResultsHistogram::BinText(std::size_t bin) const
{
    const HistogramBins& h = series->histogram;
    const bool speed = series->IsSpeed();
    const double low = h.first + double(bin) * h.width;
    // Whole moves: a bin of 30 to 34, not 30 to 35.
    const QString lowText = speed ? ClockText(std::llround(low)) : QString::number(std::llround(low));
    const QString highText = speed ? ClockText(std::llround(low + h.width))
                                   : QString::number(std::llround(low + h.width) - 1);
    const int count = h.counts[bin];
    if (!speed && h.width == 1)
        return tr("%1 moves: %n win(s)", "wins without help with this many moves", count).arg(lowText);
    return speed ? tr("%1 to under %2: %n win(s)", "wins without help in this range of times", count).arg(lowText, highText)
                 : tr("%1 to %2 moves: %n win(s)", "wins without help in this range of moves", count).arg(lowText, highText);
}

void ResultsHistogram::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const ChartColors c = ChartColors::Of(palette());
    p.fillRect(rect(), c.base);
    const QFontMetricsF fm(font());
    const double line = fm.height();
    p.setPen(c.text);
    p.drawText(QPointF(8, 6 + fm.ascent()), tr("Results without help"));
    if (!series || series->histogram.counts.empty())
        return;
    const HistogramBins& h = series->histogram;
    const bool speed = series->IsSpeed();
    const QRectF plot = Plot();
    if (plot.width() < 10 || plot.height() < 10)
        return;
    const int most = *std::max_element(h.counts.begin(), h.counts.end());
    const double barWidth = plot.width() / double(h.counts.size());
    const std::vector<double> counts = chart::ValueTicks(0, most, std::max(2, int(plot.height() / (line * 1.5))), false);
    for (const double v : counts) {
        if (v != std::floor(v))
            continue;
        const double y = std::round(plot.bottom() - v / most * plot.height()) + 0.5;
        p.setPen(c.grid);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(c.text);
        p.drawText(QRectF(0, y - line / 2, plot.left() - 6, line), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(v, 'f', 0));
    }
    // One rectangle a bin: there are few.
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        if (h.counts[i] == 0)
            continue;
        const double top = plot.bottom() - double(h.counts[i]) / most * plot.height();
        const QRectF bar(QPointF(std::round(plot.left() + double(i) * barWidth) + 1, std::round(top)),
                         QPointF(std::round(plot.left() + double(i + 1) * barWidth), plot.bottom()));
        p.fillRect(bar, c.bar);
    }
    // Labels under the edges of the bins, as many as fit.
    const auto label = [&](double v) {
        return speed ? chart::DurationLabel(v, h.width) : QString::number(std::llround(v));
    };
    const double labelWidth = std::max(fm.horizontalAdvance(label(h.first)),
                                       fm.horizontalAdvance(label(h.first + h.width * double(h.counts.size())))) +
                              12;
    const std::size_t every = std::max<std::size_t>(1, std::size_t(std::ceil(labelWidth / barWidth)));
    p.setPen(c.text);
    for (std::size_t i = 0; i <= h.counts.size(); i += every) {
        const QString text = label(h.first + double(i) * h.width);
        const double x = plot.left() + double(i) * barWidth;
        const double w = fm.horizontalAdvance(text);
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 3));
        p.drawText(QPointF(std::clamp(x - w / 2, 0.0, width() - w), plot.bottom() + 4 + fm.ascent()), text);
    }
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    // The current average of 12, where it falls.
    if (!series->averageOf12.empty()) {
        const double average = series->averageOf12.back().value;
        const double x = plot.left() + (average - h.first) / (h.width * double(h.counts.size())) * plot.width();
        p.setPen(QPen(c.average12, 2, Qt::DashLine));
        p.drawLine(QPointF(x, plot.top() - 2), QPointF(x, plot.bottom()));
        const QString text = tr("Average of 12: %1").arg(ScoreText(series->style, average));
        const double w = fm.horizontalAdvance(text);
        p.setPen(c.average12);
        p.drawText(QPointF(std::clamp(x - w / 2, 0.0, width() - w), plot.top() - 6), text);
    }
}

void ResultsHistogram::mouseMoveEvent(QMouseEvent* event)
{
    if (const std::optional<std::size_t> bin = BinAt(event->position()))
        QToolTip::showText(event->globalPosition().toPoint(), BinText(*bin), this);
    else
        QToolTip::hideText();
}

} // namespace tesselo
