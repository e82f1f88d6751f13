#include "records/result_text.h"

#include "model/clock_text.h"

#include <QLocale>

#include <cmath>

namespace tesselo {

QString ScoreText(Style style, double score)
{
    // An average with too many results that did not finish is none.
    if (std::isinf(score))
        return QStringLiteral("DNF");
    if (style.IsSpeed())
        return ClockText(std::llround(score));
    // Whole numbers of moves stay whole; an average keeps one decimal.
    return score == std::trunc(score) ? QString::number(std::llround(score)) : QString::number(score, 'f', 1);
}

QString ScoreText(Style style, std::optional<double> score)
{
    return score ? ScoreText(style, *score) : QStringLiteral("-");
}

QString DateText(const QDateTime& when, bool withTime)
{
    const QDateTime local = when.toLocalTime();
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return local.toString(withTime ? QStringLiteral("yyyy-MM-dd HH:mm") : QStringLiteral("yyyy-MM-dd"));
    return withTime ? locale.toString(local, QLocale::ShortFormat)
                    : locale.toString(local.date(), QLocale::ShortFormat);
}

QString DateText(QDate day)
{
    const QLocale locale;
    return locale.language() == QLocale::C ? day.toString(Qt::ISODate) : locale.toString(day, QLocale::ShortFormat);
}

QString LongDateText(QDate day)
{
    const QLocale locale;
    return locale.language() == QLocale::C ? day.toString(Qt::ISODate) : locale.toString(day, QLocale::LongFormat);
}

} // namespace tesselo
