#include "model/game_facts.h"

#include "files/json_fields.h"

#include <initializer_list>

namespace tesselo {

namespace {

constexpr const char* kKnown[] = {"seed", "paused", "blindfolded", "assisted", "par", "parIsOptimal", "daily", "raceWin"};

} // namespace

QJsonObject GameFacts::ToJson() const
{
    QJsonObject o = others;
    for (const char* key : kKnown)
        o.remove(QLatin1String(key));
    if (seed)
        o["seed"] = qint64(*seed);
    if (paused)
        o["paused"] = true;
    if (blindfolded)
        o["blindfolded"] = true;
    if (assisted > 0)
        o["assisted"] = assisted;
    if (par) {
        o["par"] = *par;
        o["parIsOptimal"] = parIsOptimal;
    }
    if (daily.isValid())
        o["daily"] = daily.toString(Qt::ISODate);
    if (raceWin)
        o["raceWin"] = qint64(*raceWin);
    return o;
}

std::optional<GameFacts> GameFacts::FromJson(const QJsonObject& o)
{
    GameFacts facts;
    if (o.contains("seed")) {
        std::uint32_t seed = 0;
        if (!WholeNumber(o["seed"], &seed))
            return std::nullopt;
        facts.seed = seed;
    }
    for (const auto& [key, flag] : {std::pair{"paused", &facts.paused}, std::pair{"blindfolded", &facts.blindfolded},
                               std::pair{"parIsOptimal", &facts.parIsOptimal}}) {
        if (o.contains(QLatin1String(key))) {
            if (!o[QLatin1String(key)].isBool())
                return std::nullopt;
            *flag = o[QLatin1String(key)].toBool();
        }
    }
    if (o.contains("assisted") && !WholeNumber(o["assisted"], &facts.assisted, 0))
        return std::nullopt;
    if (o.contains("par")) {
        std::int32_t par = 0;
        if (!WholeNumber(o["par"], &par, 0))
            return std::nullopt;
        facts.par = par;
    }
    if (o.contains("daily")) {
        facts.daily = QDate::fromString(o["daily"].toString(), Qt::ISODate);
        if (!facts.daily.isValid())
            return std::nullopt;
    }
    if (o.contains("raceWin")) {
        std::int64_t id = 0;
        if (!WholeNumber(o["raceWin"], &id, std::int64_t(1), std::int64_t(1) << 53))
            return std::nullopt;
        facts.raceWin = id;
    }
    facts.others = o;
    for (const char* key : kKnown)
        facts.others.remove(QLatin1String(key));
    return facts;
}

} // namespace tesselo
