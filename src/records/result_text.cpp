#include "records/result_text.h"

#include "model/clock_text.h"
#include "records/display_names.h"

#include <QCoreApplication>
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

QString ResultText(const GameResult& result)
{
    return result.dnf ? QStringLiteral("DNF") : ScoreText(result.style, double(result.Score()));
}

QString OverShortestText(int length, std::optional<int> par, bool parIsOptimal)
{
    if (!par)
        return QString();
    const int over = length - *par;
    const auto translated = [](const char* text, int n) {
        return QCoreApplication::translate("tesselo::ResultText", text, nullptr, n);
    };
    if (parIsOptimal)
        return translated(QT_TRANSLATE_N_NOOP("tesselo::ResultText", "+%n over the shortest"), over);
    if (over < 0)
        return translated(QT_TRANSLATE_N_NOOP("tesselo::ResultText", "-%n under par"), -over);
    return translated(QT_TRANSLATE_N_NOOP("tesselo::ResultText", "+%n over par"), over);
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

QString DailyResultText(QDate day, GridSize size, int moves, std::optional<int> par, std::int64_t milliseconds,
                        bool helped)
{
    const auto translated = [](const char* text, int n = -1) {
        return QCoreApplication::translate("tesselo::ResultText", text, nullptr, n);
    };
    QString text =
        translated(QT_TRANSLATE_N_NOOP("tesselo::ResultText", "Tesselo daily puzzle %1, %2: %n move(s)"), moves)
            .arg(day.toString(Qt::ISODate), DisplayName(size));
    if (par) {
        const int over = moves - *par;
        text += QLatin1Char(' ') + translated(QT_TRANSLATE_NOOP("tesselo::ResultText", "(par %1, %2)"))
                                       .arg(*par)
                                       .arg(over > 0 ? QStringLiteral("+%1").arg(over) : QString::number(over));
    }
    text += QStringLiteral(", ") + ClockText(milliseconds);
    if (helped)
        text += QStringLiteral(", ") + translated(QT_TRANSLATE_NOOP("tesselo::ResultText", "with help"));
    return text;
}

} // namespace tesselo
