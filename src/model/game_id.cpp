#include "model/game_id.h"

#include "model/puzzle.h"

namespace tesselo {

namespace {

constexpr int kMaxSeedDigits = 10; // 4294967295

} // namespace

QString GameId::ToString() const
{
    return QString::fromStdString(size.Name()) + QLatin1Char('-') + QString::number(seed);
}

std::optional<GameId> GameId::Parse(const QString& text)
{
    const QString id = text.trimmed();
    const qsizetype dash = id.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return std::nullopt;
    const QStringView key = QStringView(id).left(dash);
    const QStringView digits = QStringView(id).mid(dash + 1);
    if (digits.isEmpty() || digits.size() > kMaxSeedDigits)
        return std::nullopt;
    std::uint64_t seed = 0;
    for (const QChar c : digits) {
        // ASCII digits only: QChar::isDigit would take other scripts' too.
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        seed = seed * 10 + std::uint64_t(c.unicode() - u'0');
    }
    if (seed > UINT32_MAX)
        return std::nullopt;
    // The name reader passes over spaces around a name; inside an ID they
    // would stand between the name and its hyphen.
    if (key.isEmpty() || key.front().isSpace() || key.back().isSpace())
        return std::nullopt;
    const std::optional<GridSize> size = GridSize::FromName(key.toString().toStdString());
    if (!size)
        return std::nullopt;
    return GameId{*size, std::uint32_t(seed)};
}

std::optional<GameId> GameId::Of(const Puzzle& puzzle)
{
    if (puzzle.state == Idle || !puzzle.facts.seed)
        return std::nullopt;
    if (!puzzle.grid.Size().IsValid())
        return std::nullopt;
    return GameId{puzzle.grid.Size(), *puzzle.facts.seed};
}

std::uint32_t DailySeed(const QDate& date)
{
    std::uint32_t h = std::uint32_t(date.year() * 10000 + date.month() * 100 + date.day());
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h;
}

} // namespace tesselo
