#include "charts/progress_charts.h"

#include "charts/chart_scale.h"
#include "model/clock_text.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QStackedLayout>
#include <QStandardPaths>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace tesselo {

namespace {

constexpr double kHourMs = 3600.0 * 1000;
// The narrowest span the time axis zooms to.
constexpr double kNarrowestMs = 2 * kHourMs;
constexpr double kDotDiameter = 5;
// Dots nearer than this share a cell and are drawn once: within a dot of
// each other, they would cover the same pixels but a ring's width.
constexpr double kDotCell = 4;
// How near the pointer must come to a dot to point at it.
constexpr double kReach = 6;
// A drag begins once the pointer has moved this far.
constexpr int kDragStart = 4;

QColor Mixed(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The moment a win ended as the Records window's list writes it: in the
// player's language, or year-month-day in the C locale.
QString WhenText(std::int64_t ms)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toLocalTime();
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return local.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return locale.toString(local, QLocale::ShortFormat);
}

QString ScoreText(bool speed, double score)
{
    if (speed)
        return ClockText(std::llround(score));
    return score == std::trunc(score) ? QString::number(std::llround(score)) : QString::number(score, 'f', 1);
}

double RateOf(const ProgressWin& w)
{
    return w.milliseconds > 0 ? double(w.moves) * 1000.0 / double(w.milliseconds) : 0.0;
}

// The index of the first win that ended at or after `ms`.
std::size_t FirstFrom(const std::vector<ProgressWin>& wins, double ms)
{
    return std::size_t(std::lower_bound(wins.begin(), wins.end(), ms,
                                        [](const ProgressWin& w, double t) { return double(w.finished) < t; }) -
                       wins.begin());
}

// A dot drawn once at the device's pixels, to be stamped wherever a dot
// goes: thousands of them in one call.
QPixmap Sprite(const QColor& colour, double diameter, bool ring, qreal ratio)
{
    const int side = int(std::ceil((diameter + 2) * ratio));
    QPixmap sprite(side, side);
    sprite.fill(Qt::transparent);
    QPainter p(&sprite);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(ratio, ratio);
    const QPointF centre(side / ratio / 2, side / ratio / 2);
    if (ring) {
        p.setPen(QPen(colour, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, diameter / 2 - 0.5, diameter / 2 - 0.5);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(centre, diameter / 2, diameter / 2);
    }
    return sprite;
}

void Stamp(QPainter& p, const std::vector<QPointF>& centres, QPixmap sprite, qreal ratio)
{
    // On whole device pixels, each stamp is a plain copy of the sprite at
    // its own density: the painter's quickest way, faster than fragments,
    // each of which it places through a transform of its own.
    sprite.setDevicePixelRatio(ratio);
    const double half = sprite.width() / ratio / 2;
    const auto snapped = [&](double v) { return std::round((v - half) * ratio) / ratio; };
    for (const QPointF& at : centres)
        p.drawPixmap(QPointF(snapped(at.x()), snapped(at.y())), sprite);
}

void DrawNote(QPainter& p, const QRect& area, const QString& text, const ChartColors& c)
{
    p.setPen(c.text);
    p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
}

} // namespace

ChartColors ChartColors::Of(const QPalette& palette)
{
    ChartColors c;
    c.base = palette.color(QPalette::Base);
    c.text = palette.color(QPalette::Text);
    c.grid = Mixed(c.base, c.text, 0.15);
    c.empty = Mixed(c.base, c.text, 0.1);
    const bool dark = c.base.lightness() < 128;
    c.win = dark ? QColor(0x7a, 0xaa, 0xff) : QColor(0x25, 0x55, 0xb5);
    c.average5 = dark ? QColor(0xff, 0xa8, 0x4c) : QColor(0xc8, 0x62, 0x00);
    c.average12 = dark ? QColor(0xff, 0x6e, 0x9c) : QColor(0xb0, 0x1a, 0x55);
    c.best = dark ? QColor(0x5c, 0xd6, 0x7c) : QColor(0x1b, 0x7a, 0x3a);
    c.rate = dark ? QColor(0xc9, 0x9b, 0xff) : QColor(0x74, 0x3c, 0xb8);
    c.bar = Mixed(c.base, c.win, 0.75);
    return c;
}

QImage ChartWidget::Picture()
{
    ForgetPointer();
    return grab().toImage();
}

bool ChartWidget::SaveAs(const QString& path, QString* error)
{
    const QImage picture = Picture();
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !picture.save(&out, "PNG") || !out.commit()) {
        if (error)
            *error = out.errorString().isEmpty() ? tr("The picture could not be written.") : out.errorString();
        out.cancelWriting();
        return false;
    }
    return true;
}

void ChartWidget::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* save = menu.addAction(tr("Save Chart as PNG…"));
    if (menu.exec(event->globalPos()) != save)
        return;
    // Offered in the player's own folder of pictures, not the game's
    // folder, where the game runs.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString path = QFileDialog::getSaveFileName(this, tr("Save Chart as PNG"),
                                                QDir(folder).filePath(QStringLiteral("tesselo-chart.png")),
                                                tr("PNG pictures (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        path += QLatin1String(".png");
    QString error;
    if (!SaveAs(path, &error))
        QMessageBox::warning(this, tr("Save Chart as PNG"), tr("\"%1\" could not be written: %2").arg(path, error));
}

// The trend chart.

TrendChart::TrendChart(QWidget* parent) : ChartWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(320, 220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TrendChart::SetSeries(std::shared_ptr<const ProgressSeries> s)
{
    series = std::move(s);
    hovered.reset();
    if (series && !series->wins.empty()) {
        const auto& wins = series->wins;
        firstMs = double(wins.front().finished);
        lastMs = double(wins.back().finished);
        // A little room either side, and at least the narrowest span.
        const double pad = std::max((lastMs - firstMs) * 0.03, kHourMs / 2);
        firstMs -= pad;
        lastMs += pad;
        if (lastMs - firstMs < kNarrowestMs * 6) {
            const double middle = (firstMs + lastMs) / 2;
            firstMs = middle - kNarrowestMs * 3;
            lastMs = middle + kNarrowestMs * 3;
        }
        const auto [low, high] = std::minmax_element(wins.begin(), wins.end(), [](const ProgressWin& a, const ProgressWin& b) {
            return a.score < b.score;
        });
        lowest = double(low->score);
        highest = double(high->score);
        fastest = 0;
        for (const ProgressWin& w : wins)
            fastest = std::max(fastest, RateOf(w));
        from = firstMs;
        to = lastMs;
    }
    Changed();
}

void TrendChart::SetShowRate(bool show)
{
    showRate = show;
    Changed();
}

void TrendChart::ShowSpan(double start, double end)
{
    const double widest = lastMs - firstMs;
    double span = std::clamp(end - start, std::min(kNarrowestMs, widest), widest);
    start = std::clamp((start + end - span) / 2, firstMs, lastMs - span);
    if (start == from && start + span == to)
        return;
    from = start;
    to = start + span;
    hovered.reset();
    Changed();
}

void TrendChart::Zoom(double factor, double atX)
{
    const QRectF& plot = layout.plot;
    if (plot.width() <= 0)
        return;
    const double at = from + (atX - plot.left()) / plot.width() * (to - from);
    ShowSpan(at - (at - from) * factor, at + (to - at) * factor);
}

void TrendChart::Changed()
{
    layout = LayoutFor(size());
    drawnValid = false;
    update();
}

QRectF TrendChart::PlotArea() const
{
    return LayoutFor(size()).plot;
}

std::vector<TrendChart::LegendEntry> TrendChart::Legend(const ChartColors& c) const
{
    std::vector<LegendEntry> entries = {{tr("Win"), c.win, LegendEntry::Dot},
                                        {tr("With help"), c.win, LegendEntry::Ring},
                                        {tr("Average of 5"), c.average5, LegendEntry::Line},
                                        {tr("Average of 12"), c.average12, LegendEntry::Line},
                                        {tr("Best so far"), c.best, LegendEntry::Line}};
    if (showRate && series && series->IsSpeed())
        entries.push_back({tr("Moves per second"), c.rate, LegendEntry::Dot});
    return entries;
}

TrendChart::Layout TrendChart::LayoutFor(const QSize& area) const
{
    Layout l;
    const QFontMetricsF fm(font());
    const double line = fm.height();
    const bool speed = series && series->IsSpeed();
    // The values of every win, with room above and below: a single win, or
    // wins all alike, still get an axis a reader can place them on.
    const double pad = std::max({(highest - lowest) * 0.05, highest * 0.05, speed ? 1000.0 : 1.0});
    l.low = std::max(0.0, lowest - pad);
    l.high = highest + pad;
    l.rateHigh = std::max(fastest * 1.05, 0.5);
    // The legend runs along the top, in as many lines as it needs.
    double x = 0;
    int rows = 1;
    for (const LegendEntry& e : Legend(ChartColors::Of(palette()))) {
        const double w = LegendEntry::kMark + fm.horizontalAdvance(e.text) + LegendEntry::kGap;
        if (x > 0 && x + w > area.width() - 16) {
            x = 0;
            ++rows;
        }
        x += w;
    }
    l.legend = QRectF(8, 4, area.width() - 16, rows * (line + 4));
    // A line above the plot names the value axis; the dates go below it.
    const double top = l.legend.bottom() + 6 + line * 1.5;
    const double bottom = area.height() - line - 8;
    const int most = std::max(3, int((bottom - top) / (line * 2)));
    l.values = chart::ValueTicks(l.low, l.high, most, speed);
    l.valueStep = l.values.size() > 1 ? l.values[1] - l.values[0] : (speed ? 1000 : 1);
    const bool rate = showRate && speed;
    if (rate)
        l.rates = chart::ValueTicks(0, l.rateHigh, most, false);
    // Room for the widest label of each axis.
    double left = 0, right = 0;
    for (const double v : l.values)
        left = std::max(left, fm.horizontalAdvance(ValueLabel(v, l.valueStep)));
    for (const double r : l.rates)
        right = std::max(right, fm.horizontalAdvance(QString::number(r, 'g', 3)));
    l.plot = QRectF(QPointF(left + 12, top), QPointF(area.width() - (rate ? right + 10 : 12), bottom));
    return l;
}

QString TrendChart::ValueLabel(double value, double step) const
{
    return series && series->IsSpeed() ? chart::DurationLabel(value, step) : QString::number(value);
}

double TrendChart::X(double ms) const
{
    return layout.plot.left() + (ms - from) / (to - from) * layout.plot.width();
}

double TrendChart::Y(double value) const
{
    return layout.plot.bottom() - (value - layout.low) / (layout.high - layout.low) * layout.plot.height();
}

QPointF TrendChart::PointOf(std::size_t win) const
{
    if (!series || win >= series->wins.size())
        return {};
    const ProgressWin& w = series->wins[win];
    return {X(double(w.finished)), Y(double(w.score))};
}

std::optional<std::size_t> TrendChart::WinAt(QPointF at) const
{
    if (!series || series->wins.empty() || !layout.plot.contains(at))
        return std::nullopt;
    const double perPixel = (to - from) / layout.plot.width();
    const double t = from + (at.x() - layout.plot.left()) * perPixel;
    const auto& wins = series->wins;
    std::optional<std::size_t> nearest;
    double best = kReach * kReach;
    const std::size_t end = FirstFrom(wins, t + kReach * perPixel + 1);
    for (std::size_t i = FirstFrom(wins, t - kReach * perPixel); i < end; ++i) {
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
    if (!series || win >= series->wins.size())
        return {};
    const ProgressWin& w = series->wins[win];
    const bool speed = series->IsSpeed();
    QStringList lines;
    lines << WhenText(w.finished);
    lines << tr("Result: %1").arg(ScoreText(speed, double(w.score)));
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
    return ChartWidget::event(event);
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
    if (!series || series->wins.empty()) {
        p.fillRect(rect(), c.base);
        DrawNote(p, rect(), series ? tr("No wins of this grid and style yet.") : QString(), c);
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
        p.drawEllipse(PointOf(*hovered), kDotDiameter, kDotDiameter);
    }
}

void TrendChart::Render(QPainter& p)
{
    const ChartColors c = ChartColors::Of(palette());
    layout = LayoutFor(size());
    const QRectF& plot = layout.plot;
    dotsDrawn = 0;
    if (plot.width() < 10 || plot.height() < 10)
        return;
    const bool speed = series->IsSpeed();
    const bool rate = showRate && speed;
    const QFontMetricsF fm(font());
    const QLocale locale;
    const QTimeZone zone = QTimeZone::systemTimeZone();

    // The axes: values at the left, dates below, grid lines across.
    p.setFont(font());
    const double line = fm.height();
    for (const double v : layout.values) {
        const double y = std::round(Y(v)) + 0.5;
        p.setPen(c.grid);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(c.text);
        p.drawText(QRectF(0, y - line / 2, plot.left() - 6, line), Qt::AlignRight | Qt::AlignVCenter,
                   ValueLabel(v, layout.valueStep));
    }
    p.setPen(c.rate);
    for (const double r : layout.rates) {
        const double y = plot.bottom() - r / layout.rateHigh * plot.height();
        p.drawText(QRectF(plot.right() + 4, y - line / 2, width() - plot.right() - 4, line),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::number(r, 'g', 3));
    }
    const double labelWidth = fm.horizontalAdvance(chart::DateTickLabel(
                                  QDateTime(QDate(2000, 12, 28), QTime(0, 0), zone).toMSecsSinceEpoch(),
                                  {chart::DateUnit::Day, 1}, true, zone, locale)) +
                              16;
    const chart::DateTicks ticks = chart::DateTicksFor(std::int64_t(std::ceil(from)), std::int64_t(std::floor(to)),
                                                       std::max(2, int(plot.width() / labelWidth)), zone,
                                                       locale.firstDayOfWeek());
    for (std::size_t i = 0; i < ticks.at.size(); ++i) {
        const double x = std::round(X(double(ticks.at[i]))) + 0.5;
        p.setPen(c.grid);
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(c.text);
        const QString label = chart::DateTickLabel(ticks.at[i], ticks.step, i == 0, zone, locale);
        const double w = fm.horizontalAdvance(label);
        p.drawText(QPointF(std::clamp(x - w / 2, 0.0, width() - w), plot.bottom() + 4 + fm.ascent()), label);
    }
    p.setPen(c.text);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawText(QPointF(4, plot.top() - line / 2 - 2), speed ? tr("Time") : tr("Moves"));
    if (rate) {
        const QString caption = tr("Moves per second");
        p.setPen(c.rate);
        p.drawText(QPointF(width() - 4 - fm.horizontalAdvance(caption), plot.top() - line / 2 - 2), caption);
    }
    DrawLegend(p, c);

    // The wins in view, and one either side for the lines to run on.
    const auto& wins = series->wins;
    const std::size_t first = FirstFrom(wins, from);
    const std::size_t end = FirstFrom(wins, to + 1);
    p.save();
    p.setClipRect(plot.adjusted(-kDotDiameter, -kDotDiameter, kDotDiameter, 0));
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF dotArea = plot.adjusted(-kDotDiameter, -kDotDiameter, kDotDiameter, kDotDiameter);
    const qreal ratio = p.device()->devicePixelRatioF();
    // X and Y as one multiply and add each, worked out once for the
    // hundred thousand points a kind may have.
    const double xScale = plot.width() / (to - from), xOffset = plot.left() - from * xScale;
    const double yScale = -plot.height() / (layout.high - layout.low), yOffset = plot.bottom() - layout.low * yScale;
    const auto x = [=](std::int64_t ms) { return double(ms) * xScale + xOffset; };
    const auto y = [=](double value) { return value * yScale + yOffset; };
    if (rate) {
        chart::DotThinner rates(dotArea, kDotCell);
        const double rateScale = plot.height() / layout.rateHigh;
        for (std::size_t i = first; i < end; ++i)
            rates.Add(QPointF(x(wins[i].finished), plot.bottom() - RateOf(wins[i]) * rateScale));
        Stamp(p, rates.Kept(), Sprite(c.rate, 3, false, ratio), ratio);
        dotsDrawn += int(rates.Kept().size());
    }
    chart::DotThinner solid(dotArea, kDotCell), hollow(dotArea, kDotCell);
    for (std::size_t i = first; i < end; ++i)
        (wins[i].helped ? hollow : solid).Add(QPointF(x(wins[i].finished), y(double(wins[i].score))));
    Stamp(p, solid.Kept(), Sprite(c.win, kDotDiameter, false, ratio), ratio);
    Stamp(p, hollow.Kept(), Sprite(c.win, kDotDiameter, true, ratio), ratio);
    dotsDrawn += int(solid.Kept().size() + hollow.Kept().size());

    // The lines: thinned to the pixel columns, from the point before the
    // view to the one after it.
    const auto drawLine = [&](const std::vector<SeriesPoint>& points, const QColor& colour, bool steps) {
        if (points.empty())
            return;
        const auto byWin = [](const SeriesPoint& s, std::size_t w) { return s.win < w; };
        auto begin = std::lower_bound(points.begin(), points.end(), first, byWin);
        auto stop = std::lower_bound(points.begin(), points.end(), end, byWin);
        if (begin != points.begin())
            --begin;
        if (stop != points.end())
            ++stop;
        // Few points: a smooth line. More than the columns: the columns
        // the line covers.
        const bool dense = double(stop - begin) > plot.width();
        chart::LineThinner thinner;
        chart::ColumnBars bars(2);
        const auto add = [&](QPointF at) { dense ? bars.Add(at) : thinner.Add(at); };
        for (auto s = begin; s != stop; ++s) {
            const double at = x(wins[s->win].finished);
            if (steps && s != begin)
                add(QPointF(at, y(std::prev(s)->value)));
            add(QPointF(at, y(s->value)));
        }
        // The best so far holds until the last win.
        if (steps && stop == points.end())
            add(QPointF(x(wins.back().finished), y(points.back().value)));
        if (dense) {
            p.setPen(QPen(colour, 2));
            p.drawLines(bars.Joins().data(), int(bars.Joins().size()));
            const std::vector<QRectF> covered = bars.Take();
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.drawRects(covered.data(), int(covered.size()));
            p.setRenderHint(QPainter::Antialiasing);
            return;
        }
        p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPolyline(thinner.Take());
    };
    // The smoother average over the rougher.
    drawLine(series->bestSoFar, c.best, true);
    drawLine(series->averageOf5, c.average5, false);
    drawLine(series->averageOf12, c.average12, false);
    p.restore();
}

void TrendChart::DrawLegend(QPainter& p, const ChartColors& c) const
{
    const QFontMetricsF fm(font());
    const double line = fm.height();
    double x = layout.legend.left(), y = layout.legend.top();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const LegendEntry& e : Legend(c)) {
        const double w = LegendEntry::kMark + fm.horizontalAdvance(e.text) + LegendEntry::kGap;
        if (x > layout.legend.left() && x + w > layout.legend.right()) {
            x = layout.legend.left();
            y += line + 4;
        }
        const QPointF mark(x + 8, y + line / 2);
        switch (e.mark) {
        case LegendEntry::Dot:
            p.setPen(QPen(e.colour, kDotDiameter, Qt::SolidLine, Qt::RoundCap));
            p.drawPoint(mark);
            break;
        case LegendEntry::Ring:
            p.setPen(QPen(e.colour, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(mark, kDotDiameter / 2 - 0.5, kDotDiameter / 2 - 0.5);
            break;
        case LegendEntry::Line:
            p.setPen(QPen(e.colour, 2));
            p.drawLine(mark - QPointF(7, 0), mark + QPointF(7, 0));
            break;
        }
        p.setPen(c.text);
        p.drawText(QPointF(x + LegendEntry::kMark, y + fm.ascent()), e.text);
        x += w;
    }
    p.restore();
}

void TrendChart::wheelEvent(QWheelEvent* event)
{
    if (!series || series->wins.empty() || event->angleDelta().y() == 0) {
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
    pressedFrom = from;
    dragging = false;
}

void TrendChart::mouseMoveEvent(QMouseEvent* event)
{
    if (pressedAt && (event->buttons() & Qt::LeftButton)) {
        const double moved = event->position().x() - pressedAt->x();
        if (dragging || std::abs(moved) >= kDragStart) {
            dragging = true;
            const double span = to - from;
            setCursor(Qt::ClosedHandCursor);
            ShowSpan(pressedFrom - moved / layout.plot.width() * span, pressedFrom - moved / layout.plot.width() * span + span);
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
    if (const std::optional<std::size_t> win = WinAt(event->position()); win && series->wins[*win].replayable)
        emit WinClicked(series->wins[*win].id);
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

// The histogram.

ResultsHistogram::ResultsHistogram(QWidget* parent) : ChartWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(260, 150);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ResultsHistogram::SetSeries(std::shared_ptr<const ProgressSeries> s)
{
    series = std::move(s);
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
        const QString text = tr("Average of 12: %1").arg(ScoreText(speed, average));
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

// The activity strip.

ActivityStrip::ActivityStrip(QWidget* parent) : ChartWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ActivityStrip::SetSeries(std::shared_ptr<const ProgressSeries> s)
{
    series = std::move(s);
    updateGeometry();
    update();
}

int ActivityStrip::Weeks() const
{
    return series ? int((series->activity.wins.size() + 6) / 7) : 53;
}

QSize ActivityStrip::SizeFor(int step) const
{
    // The weekdays' names, the weeks, and room for the two lines below.
    const QFontMetrics fm(font());
    int text = 0;
    for (const QString& line : StreakText().split(QLatin1Char('\n')))
        text = std::max(text, fm.horizontalAdvance(line));
    const int left = fm.horizontalAdvance(QStringLiteral("MMMM")) + 8;
    return {std::max(left + Weeks() * step, left + text) + 8, fm.height() * 4 + 7 * step + 20};
}

QSize ActivityStrip::sizeHint() const
{
    return SizeFor(12);
}

QSize ActivityStrip::minimumSizeHint() const
{
    return SizeFor(6);
}

ActivityStrip::Grid ActivityStrip::GridFor() const
{
    const QFontMetrics fm(font());
    Grid g;
    const int left = fm.horizontalAdvance(QStringLiteral("MMMM")) + 8;
    const int top = 6 + fm.height() * 2;
    const int roomX = (width() - left - 8) / std::max(1, Weeks());
    const int roomY = (height() - top - fm.height() * 2 - 14) / 7;
    g.step = std::clamp(std::min(roomX, roomY), 6, 16);
    g.cell = g.step - (g.step >= 10 ? 2 : 1);
    g.origin = QPoint(left, top);
    return g;
}

std::optional<int> ActivityStrip::DayAt(QPointF at) const
{
    if (!series)
        return std::nullopt;
    const Grid g = GridFor();
    const QPointF d = at - g.origin;
    if (d.x() < 0 || d.y() < 0)
        return std::nullopt;
    const int week = int(d.x()) / g.step, weekday = int(d.y()) / g.step;
    const int day = week * 7 + weekday;
    if (weekday >= 7 || day >= int(series->activity.wins.size()))
        return std::nullopt;
    return day;
}

QString ActivityStrip::DayText(int day) const
{
    const QDate date = series->activity.firstDay.addDays(day);
    const QLocale locale;
    const QString dateText = locale.language() == QLocale::C ? date.toString(Qt::ISODate)
                                                             : locale.toString(date, QLocale::LongFormat);
    return tr("%1: %n win(s)", "wins on a day", series->activity.wins[std::size_t(day)]).arg(dateText);
}

QString ActivityStrip::StreakText() const
{
    int year = 0, streak = 0;
    if (series) {
        for (const int n : series->activity.wins)
            year += n;
        streak = series->activity.streak;
    }
    return tr("Current streak: %n day(s) in a row with a win", "without help, ending today or yesterday", streak) +
           QLatin1Char('\n') + tr("Wins in the last year: %n", nullptr, year);
}

void ActivityStrip::paintEvent(QPaintEvent*)
{

    QPainter p(this);
    const ChartColors c = ChartColors::Of(palette());
    p.fillRect(rect(), c.base);
    const QFontMetrics fm(font());
    p.setPen(c.text);
    p.drawText(QPoint(8, 6 + fm.ascent()), tr("Wins a day"));
    if (!series)
        return;
    const Activity& a = series->activity;
    const Grid g = GridFor();
    const int most = a.wins.empty() ? 0 : *std::max_element(a.wins.begin(), a.wins.end());
    const QLocale locale;
    // The weekdays at the left, every other one.
    for (int weekday = 0; weekday < 7; weekday += 2) {
        const QDate date = a.firstDay.addDays(weekday);
        // Centred on its row, with the rows unnamed either side for room.
        const int middle = g.origin.y() + weekday * g.step + g.cell / 2;
        p.drawText(QRect(0, middle - g.step, g.origin.x() - 6, 2 * g.step), Qt::AlignRight | Qt::AlignVCenter,
                   locale.dayName(date.dayOfWeek(), QLocale::ShortFormat));
    }
    // A square a day, darker for more wins: four shades between the least
    // and the most.
    int lastMonthLabel = -100;
    for (std::size_t day = 0; day < a.wins.size(); ++day) {
        const int week = int(day / 7), weekday = int(day % 7);
        const QDate date = a.firstDay.addDays(qint64(day));
        const QRect square(g.origin.x() + week * g.step, g.origin.y() + weekday * g.step, g.cell, g.cell);
        const int n = a.wins[day];
        const double shade = n == 0 ? 0 : std::ceil(4.0 * n / most) / 4.0;
        p.fillRect(square, n == 0 ? c.empty : Mixed(c.empty, c.win, 0.25 + 0.75 * shade));
        // A month's name over the week its first day is in.
        if (date.day() == 1 && week - lastMonthLabel >= 3) {
            p.setPen(c.text);
            p.drawText(QPoint(square.left(), g.origin.y() - 4), locale.monthName(date.month(), QLocale::ShortFormat));
            lastMonthLabel = week;
        }
    }
    p.setPen(c.text);
    const QStringList lines = StreakText().split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QPoint(g.origin.x(), g.origin.y() + 7 * g.step + 4 + i * fm.height() + fm.ascent()), lines[i]);
}

void ActivityStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (const std::optional<int> day = DayAt(event->position()))
        QToolTip::showText(event->globalPosition().toPoint(), DayText(*day), this);
    else
        QToolTip::hideText();
}

// The panel.

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
