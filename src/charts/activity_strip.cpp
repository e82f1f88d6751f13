#include "charts/activity_strip.h"

#include "charts/chart_colors.h"
#include "records/result_text.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace tesselo {

ActivityStrip::ActivityStrip(QWidget* parent) : ChartWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ActivityStrip::SetSeries(std::shared_ptr<const ProgressSeries> s)
{
    series = std::move(s);
    setAccessibleName(tr("Activity"));
    if (series) {
        int wins = 0, days = 0;
        for (const int n : series->activity.wins) {
            wins += n;
            days += n > 0;
        }
        // What the squares show, in words.
        setAccessibleDescription(tr("%n win(s) on %1 of the last %2 days; a streak of %3 days.", nullptr, wins)
                                     .arg(days)
                                     .arg(series->activity.wins.size())
                                     .arg(series->activity.streak));
    }
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
    return tr("%1: %n win(s)", "wins on a day", series->activity.wins[std::size_t(day)])
        .arg(LongDateText(series->activity.firstDay.addDays(day)));
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
        p.fillRect(square, n == 0 ? c.empty : ChartColors::Mixed(c.empty, c.win, 0.25 + 0.75 * shade));
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

} // namespace tesselo
