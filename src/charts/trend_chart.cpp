#include "charts/trend_chart.h"

#include "charts/chart_colors.h"
#include "charts/trend_drawing.h"
#include "model/clock_text.h"
#include "records/result_text.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QTouchEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace tesselo {

namespace {

// How near the pointer must come to a dot to point at it.
constexpr double kReach = 6;
// A drag begins once the pointer has moved this far.
constexpr int kDragStart = 4;

} // namespace

TrendChart::TrendChart(QWidget* parent) : ChartWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setMinimumSize(320, 220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TrendChart::SetSeries(std::shared_ptr<const ProgressSeries> s)
{
    hovered.reset();
    if (s && !s->wins.empty()) {
        view = TrendView::Of(std::move(s), view.showRate);
    } else {
        // Nothing to place: the span stays as it was.
        view.series = std::move(s);
    }
    // What the picture shows, in words.
    setAccessibleName(tr("Progress"));
    setAccessibleDescription(view.series ? TrendLayout::Description(*view.series) : QString());
    Changed();
}

void TrendChart::SetShowRate(bool show)
{
    view.showRate = show;
    Changed();
}

void TrendChart::ShowSpan(double start, double end)
{
    const double widest = view.lastMs - view.firstMs;
    double span = std::clamp(end - start, std::min(TrendView::kNarrowestMs, widest), widest);
    start = std::clamp((start + end - span) / 2, view.firstMs, view.lastMs - span);
    if (start == view.from && start + span == view.to)
        return;
    view.from = start;
    view.to = start + span;
    hovered.reset();
    Changed();
}

void TrendChart::Zoom(double factor, double atX)
{
    const QRectF& plot = Placed().plot;
    if (plot.width() <= 0)
        return;
    const double from = view.from, to = view.to;
    const double at = from + (atX - plot.left()) / plot.width() * (to - from);
    ShowSpan(at - (at - from) * factor, at + (to - at) * factor);
}

void TrendChart::Changed()
{
    // Worked out again when next needed: a change seldom comes alone (a
    // new series, the rate shown, the window laid out), and only the last
    // is drawn.
    layout.reset();
    drawnValid = false;
    update();
}

TrendLayout TrendChart::Layout() const
{
    return TrendLayout::Of(view, size(), font(), QLocale(), QTimeZone::systemTimeZone());
}

const TrendLayout& TrendChart::Placed() const
{
    if (!layout || layoutSize != size()) {
        layout = Layout();
        layoutSize = size();
    }
    return *layout;
}

QPointF TrendChart::PointOf(std::size_t win) const
{
    if (!view.series || win >= view.series->wins.size())
        return {};
    const ProgressWin& w = view.series->wins[win];
    const TrendLayout& l = Placed();
    return {l.X(double(w.finished)), l.Y(double(w.score))};
}

std::optional<std::size_t> TrendChart::WinAt(QPointF at) const
{
    const QRectF& plot = Placed().plot;
    if (!view.series || view.series->wins.empty() || !plot.contains(at))
        return std::nullopt;
    const double perPixel = (view.to - view.from) / plot.width();
    const double t = view.from + (at.x() - plot.left()) * perPixel;
    const auto& wins = view.series->wins;
    std::optional<std::size_t> nearest;
    double best = kReach * kReach;
    const std::size_t end = TrendView::FirstFrom(wins, t + kReach * perPixel + 1);
    for (std::size_t i = TrendView::FirstFrom(wins, t - kReach * perPixel); i < end; ++i) {
        const QPointF d = PointOf(i) - at;
        const double distance = d.x() * d.x() + d.y() * d.y();
        // The newest of dots drawn on one another: the one on top.
        if (distance <= best) {
            best = distance;
            nearest = i;
        }
    }
    return nearest;
}

QString TrendChart::WinText(std::size_t win) const
{
    if (!view.series || win >= view.series->wins.size())
        return {};
    const ProgressWin& w = view.series->wins[win];
    QStringList lines;
    lines << DateText(QDateTime::fromMSecsSinceEpoch(w.finished, Qt::UTC), true);
    lines << tr("Result: %1").arg(ScoreText(view.series->style, double(w.score)));
    lines << tr("Moves: %1").arg(w.moves);
    lines << tr("Time: %1").arg(ClockText(w.milliseconds));
    if (w.par)
        lines << (w.parIsOptimal ? tr("Par: %1 (the fewest possible)") : tr("Par: %1")).arg(*w.par);
    else
        lines << tr("Par: unknown");
    if (w.helped)
        lines << tr("Won with help");
    lines << (w.replayable ? tr("Click to replay") : tr("Kept without its moves"));
    return lines.join(QLatin1Char('\n'));
}

QString TrendChart::Hint()
{
    return tr("The wheel zooms the dates, a drag moves them; a click on a win replays it.");
}

bool TrendChart::event(QEvent* event)
{
    // Resting over a dot tells its win; anywhere else, how the chart moves.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const std::optional<std::size_t> win = WinAt(help->pos());
        QToolTip::showText(help->globalPos(), win ? WinText(*win) : Hint(), this);
        return true;
    }
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: Touch(static_cast<QTouchEvent&>(*event)); return true;
    default: return ChartWidget::event(event);
    }
}

void TrendChart::Touch(QTouchEvent& touch)
{
    touch.accept();
    QList<int> down;
    QList<QPointF> at;
    for (const QEventPoint& point : touch.points()) {
        if (point.state() == QEventPoint::Released)
            continue;
        down << point.id();
        at << point.position();
    }
    if (touch.type() == QEvent::TouchBegin) {
        tapAt = at.value(0);
        touchPanning = false;
    }
    if (touch.type() == QEvent::TouchCancel || down.isEmpty()) {
        // Lifted without moving: a tap, as a click on its dot.
        const std::optional<QPointF> tap = touch.type() == QEvent::TouchEnd ? tapAt : std::nullopt;
        fingers.clear();
        tapAt.reset();
        if (const std::optional<std::size_t> win = tap ? WinAt(*tap) : std::nullopt;
            win && view.series->wins[*win].replayable)
            emit WinClicked(view.series->wins[*win].id);
        return;
    }
    if (!view.series || view.series->wins.empty())
        return;
    // A finger more or less: the span goes on from where it is.
    if (down.mid(0, 2) != fingers) {
        fingers = down.mid(0, 2);
        touchSpan.Anchor(at, {view.from, view.to});
        if (fingers.size() > 1) {
            // No tap any more, and the finger left after a pinch pans at once.
            tapAt.reset();
            touchPanning = true;
        }
        return;
    }
    // One finger pans once it has moved as far as a drag of the mouse.
    if (!touchPanning) {
        if (tapAt && (at[0] - *tapAt).manhattanLength() < kDragStart)
            return;
        touchPanning = true;
        tapAt.reset();
    }
    const QRectF& plot = Placed().plot;
    const TouchSpan::Span span = touchSpan.Follow(at, plot.left(), plot.width());
    ShowSpan(span.from, span.to);
}

void TrendChart::resizeEvent(QResizeEvent* event)
{
    ChartWidget::resizeEvent(event);
    Changed();
}

void TrendChart::changeEvent(QEvent* event)
{
    ChartWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::LanguageChange)
        Changed();
}

void TrendChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const ChartColors c = ChartColors::Of(palette());
    const auto& series = view.series;
    if (!series || series->wins.empty()) {
        p.fillRect(rect(), c.base);
        p.setPen(c.text);
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
                   series ? tr("No wins of this grid and style yet.") : QString());
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (!drawnValid || drawn.size() != size() * ratio || drawn.devicePixelRatio() != ratio) {
        drawn = QPixmap(size() * ratio);
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(c.base);
        QPainter into(&drawn);
        Render(into);
        drawnValid = true;
    }
    p.drawPixmap(0, 0, drawn);
    if (hovered && *hovered < series->wins.size()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(c.text, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(PointOf(*hovered), TrendLayout::kDotDiameter, TrendLayout::kDotDiameter);
    }
}

void TrendChart::Render(QPainter& p)
{
    const TrendLayout& l = Placed();
    dotsDrawn = 0;
    if (!l.HasRoom())
        return;
    const ChartColors c = ChartColors::Of(palette());
    p.setFont(font());
    chart::DrawTrendAxes(p, l, c);
    dotsDrawn = chart::DrawTrendWins(p, l, *view.series, c);
}

void TrendChart::wheelEvent(QWheelEvent* event)
{
    if (!view.series || view.series->wins.empty() || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    // A notch of the wheel away from the player zooms in.
    Zoom(std::pow(0.8, event->angleDelta().y() / 120.0), event->position().x());
    event->accept();
}

void TrendChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return ChartWidget::mousePressEvent(event);
    pressedAt = event->position();
    pressedFrom = view.from;
    dragging = false;
}

void TrendChart::mouseMoveEvent(QMouseEvent* event)
{
    if (pressedAt && (event->buttons() & Qt::LeftButton)) {
        const double moved = event->position().x() - pressedAt->x();
        if (dragging || std::abs(moved) >= kDragStart) {
            dragging = true;
            const double span = view.to - view.from;
            setCursor(Qt::ClosedHandCursor);
            const double width = Placed().plot.width();
            ShowSpan(pressedFrom - moved / width * span, pressedFrom - moved / width * span + span);
            return;
        }
    }
    Hover(WinAt(event->position()), event->globalPosition().toPoint());
}

void TrendChart::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return ChartWidget::mouseReleaseEvent(event);
    const bool click = pressedAt && !dragging;
    pressedAt.reset();
    dragging = false;
    unsetCursor();
    if (!click)
        return;
    if (const std::optional<std::size_t> win = WinAt(event->position()); win && view.series->wins[*win].replayable)
        emit WinClicked(view.series->wins[*win].id);
}

void TrendChart::leaveEvent(QEvent* event)
{
    ChartWidget::leaveEvent(event);
    Hover(std::nullopt, {});
}

void TrendChart::ForgetPointer()
{
    hovered.reset();
    QToolTip::hideText();
}

void TrendChart::Hover(std::optional<std::size_t> win, QPoint global)
{
    if (win == hovered)
        return;
    hovered = win;
    update();
    if (win)
        QToolTip::showText(global, WinText(*win), this, QRect(PointOf(*win).toPoint() - QPoint(6, 6), QSize(12, 12)));
    else
        QToolTip::hideText();
}

} // namespace tesselo
