#include "charts/solve_map_chart.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tesselo {

namespace {

// Colours that read on light and dark palettes alike.
const QColor kAway(214, 60, 48);
const QColor kShortest(46, 160, 67);
const QColor kPar(150, 150, 150);

// A step of 1, 2 or 5 times a power of ten, giving at most `most` ticks.
int TickStep(int span, int most)
{
    for (int power = 1;; power *= 10)
        for (int m : {1, 2, 5})
            if (span / (m * power) <= most)
                return m * power;
}

} // namespace

SolveMapChart::SolveMapChart(int count, std::optional<int> p, QWidget* parent)
    : QWidget(parent), pointCount(std::max(count, 1)), par(p)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setAccessibleName(tr("Solve Map"));
}

QSize SolveMapChart::sizeHint() const
{
    return QSize(fontMetrics().averageCharWidth() * 70, fontMetrics().height() * 20);
}

QSize SolveMapChart::minimumSizeHint() const
{
    return QSize(fontMetrics().averageCharWidth() * 30, fontMetrics().height() * 10);
}

void SolveMapChart::Add(const solver::MapPoint& point)
{
    points.push_back(point);
    verdicts = solver::JudgeMoves(points);
    // What the map shows, in words: the moves, the par, and how many of
    // them went along a shortest way.
    const int shortest = int(std::count_if(verdicts.begin(), verdicts.end(),
                                           [](const solver::MoveVerdict& v) { return v.shortest; }));
    QString text = tr("%n move(s) mapped", nullptr, int(verdicts.size()));
    if (par)
        text += QStringLiteral(", ") + tr("par %1").arg(*par);
    text += QStringLiteral("; ") + tr("%n along a shortest way.", nullptr, shortest);
    setAccessibleDescription(text);
    update();
}

void SolveMapChart::Choose(int index)
{
    index = std::clamp(index, 0, std::max(int(points.size()) - 1, 0));
    if (index == chosen)
        return;
    chosen = index;
    update();
    emit ChosenChanged(chosen);
}

int SolveMapChart::Top() const
{
    int top = par.value_or(0);
    for (const auto& point : points)
        top = std::max(top, point.distance);
    return std::max(top, 1);
}

QRectF SolveMapChart::Plot() const
{
    const QFontMetrics metrics = fontMetrics();
    const qreal left = metrics.horizontalAdvance(QStringLiteral("0000")) + metrics.height() * 1.5;
    const qreal bottom = metrics.height() * 2.6;
    const qreal top = metrics.height() * 1.2;
    // Room at the right for the par's label, however many its digits.
    const qreal right = par ? std::max<qreal>(metrics.averageCharWidth() * 7, metrics.horizontalAdvance(ParText()) + 8)
                            : metrics.averageCharWidth() * 7;
    return QRectF(rect()).adjusted(left, top, -right, -bottom);
}

QString SolveMapChart::ParText() const
{
    return par ? tr("Par %1").arg(*par) : QString();
}

std::optional<SolveMapChart::Label> SolveMapChart::ParLabel() const
{
    if (!par)
        return std::nullopt;
    const qreal line = fontMetrics().height();
    const QRectF plot = Plot();
    const qreal y = Where(0, *par).y();
    return Label{ParText(), QRectF(plot.right() + 4, y - line, width() - plot.right() - 4, 2 * line)};
}

QPointF SolveMapChart::Where(int index, int distance) const
{
    const QRectF plot = Plot();
    const qreal x = pointCount > 1 ? plot.left() + plot.width() * index / (pointCount - 1) : plot.center().x();
    return QPointF(x, plot.bottom() - plot.height() * distance / Top());
}

int SolveMapChart::IndexAt(qreal x) const
{
    if (points.empty())
        return -1;
    const QRectF plot = Plot();
    const qreal along = pointCount > 1 ? (x - plot.left()) / plot.width() * (pointCount - 1) : 0;
    return std::clamp(int(std::lround(along)), 0, int(points.size()) - 1);
}

void SolveMapChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QColor ink = colours.color(QPalette::Text);
    const QColor line = colours.color(QPalette::Highlight);
    const QFontMetrics metrics = fontMetrics();
    const QRectF plot = Plot();

    // Axes, their ticks and names.
    QColor grid = ink;
    grid.setAlpha(40);
    painter.setPen(QPen(grid, 1));
    const int top = Top();
    const int yStep = TickStep(top, std::max(2, int(plot.height() / (metrics.height() * 2))));
    painter.setPen(ink);
    for (int d = 0; d <= top; d += yStep) {
        const QPointF at = Where(0, d);
        painter.setPen(QPen(grid, 1));
        painter.drawLine(QPointF(plot.left(), at.y()), QPointF(plot.right(), at.y()));
        painter.setPen(ink);
        painter.drawText(QRectF(0, at.y() - metrics.height(), plot.left() - 6, 2 * metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(d));
    }
    const int moves = pointCount - 1;
    const int xStep = TickStep(std::max(moves, 1), std::max(2, int(plot.width() / (metrics.averageCharWidth() * 8))));
    for (int m = 0; m <= moves; m += xStep) {
        const QPointF at = Where(m, 0);
        painter.drawLine(at, at + QPointF(0, 4));
        painter.drawText(QRectF(at.x() - 40, plot.bottom() + 4, 80, metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                         QString::number(m));
    }
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(QRectF(plot.left(), plot.bottom() + metrics.height() * 1.3, plot.width(), metrics.height()),
                     Qt::AlignHCenter, tr("Moves"));
    painter.save();
    painter.translate(metrics.height() * 0.2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), metrics.height()), Qt::AlignHCenter,
                     tr("Slides to solved"));
    painter.restore();

    // Par, as a level line.
    if (const std::optional<Label> label = ParLabel()) {
        const qreal y = Where(0, *par).y();
        painter.setPen(QPen(kPar, 1.5, Qt::DotLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(ink);
        painter.drawText(label->box, Qt::AlignLeft | Qt::AlignVCenter, label->text);
    }

    // The distances: each move's segment solid when both its ends are
    // exact, dashed when either is an upper bound; bold along a shortest
    // way. Neighbouring moves of one kind are drawn as one path, so a long
    // solve costs a few calls, not one a move.
    const auto drawRun = [&](std::size_t from, std::size_t to, const QPen& pen) {
        QPainterPath path(Where(int(from), points[from].distance));
        for (std::size_t i = from + 1; i <= to; ++i)
            path.lineTo(Where(int(i), points[i].distance));
        painter.strokePath(path, pen);
    };
    const auto penFor = [&](std::size_t move) {
        const bool exact = points[move].exact && points[move + 1].exact;
        if (verdicts[move].shortest)
            return QPen(kShortest, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        return QPen(line, 2, exact ? Qt::SolidLine : Qt::DashLine, Qt::RoundCap, Qt::RoundJoin);
    };
    for (std::size_t begin = 0; begin < verdicts.size();) {
        const QPen pen = penFor(begin);
        std::size_t end = begin + 1;
        while (end < verdicts.size() && penFor(end) == pen)
            ++end;
        drawRun(begin, end, pen);
        begin = end;
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kAway, 2));
    const qreal ring = std::max(3.0, metrics.height() / 4.0);
    for (std::size_t i = 0; i < verdicts.size(); ++i)
        if (verdicts[i].away)
            painter.drawEllipse(Where(int(i + 1), points[i + 1].distance), ring, ring);

    // The chosen point.
    if (!points.empty()) {
        const QPointF at = Where(chosen, points[std::size_t(chosen)].distance);
        painter.setPen(QPen(ink, 1, Qt::DashLine));
        painter.drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), plot.bottom()));
        painter.setPen(QPen(ink, 2));
        painter.setBrush(colours.color(QPalette::Base));
        painter.drawEllipse(at, ring * 1.4, ring * 1.4);
    }
}

void SolveMapChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !points.empty())
        Choose(IndexAt(event->position().x()));
}

void SolveMapChart::mouseMoveEvent(QMouseEvent* event)
{
    const int index = IndexAt(event->position().x());
    if (index < 0) {
        QToolTip::hideText();
        return;
    }
    const auto& point = points[std::size_t(index)];
    const QString text = point.exact ? tr("After move %1: %n slide(s) from solved", nullptr, point.distance).arg(index)
                                     : tr("After move %1: at most %n slide(s) from solved", nullptr, point.distance).arg(index);
    QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

void SolveMapChart::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: Choose(chosen - 1); break;
    case Qt::Key_Right: Choose(chosen + 1); break;
    case Qt::Key_Home: Choose(0); break;
    case Qt::Key_End: Choose(int(points.size()) - 1); break;
    default: QWidget::keyPressEvent(event);
    }
}

} // namespace tesselo
