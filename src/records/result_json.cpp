#include "records/result_json.h"

#include "files/json_fields.h"
#include "model/stopwatch.h"
#include "saved/history_file.h"

#include <QJsonArray>

#include <limits>

namespace tesselo {

namespace {

// Larger whole numbers are not exact in a JSON double.
constexpr std::int64_t kLargestExact = 9007199254740992;
constexpr std::int64_t kLargestInt32 = std::numeric_limits<std::int32_t>::max();

bool WholeNumber(const QJsonValue& v, std::int64_t low, std::int64_t high, std::int64_t* out)
{
    return tesselo::WholeNumber(v, out, low, high);
}

} // namespace

QJsonObject ResultToJson(const GameResult& r)
{
    QJsonObject o{{"level", r.LevelKey()},
                  {"style", r.StyleKey()},
                  {"moves", r.moves},
                  {"milliseconds", qint64(r.milliseconds)},
                  {"finished", r.finished.toUTC().toString(Qt::ISODate)},
                  {"picture", r.picture},
                  {"start", HistoryFile::GridToJson(r.start)},
                  {"movesBefore", r.movesBefore},
                  {"steps", HistoryFile::StepsToJson(r.steps)},
                  {"par", r.par ? QJsonValue(*r.par) : QJsonValue()},
                  {"parIsOptimal", r.parIsOptimal},
                  {"assisted", r.assisted},
                  {"daily", r.daily ? QJsonValue(r.daily->toString(Qt::ISODate)) : QJsonValue()},
                  {"dnf", r.dnf},
                  {"race", r.race}};
    if (r.style.IsFewestMoves())
        o["netMoves"] = r.netMoves;
    if (!r.stepTimes.empty() && r.stepTimes.size() == r.steps.size())
        o["stepTimes"] = StepTimesToJson(r.stepTimes);
    return o;
}

bool TakeReplay(GameResult& r, const QJsonValue& startValue, const QJsonValue& stepsValue, std::int64_t before)
{
    r.start = TileGrid();
    r.steps.clear();
    r.movesBefore = 0;
    auto grid = HistoryFile::GridFromJson(startValue);
    auto list = HistoryFile::StepsFromJson(stepsValue);
    if (!grid || !list || before < 0 || before > std::numeric_limits<std::int32_t>::max())
        return false;
    History check;
    check.Begin(*grid, static_cast<std::int32_t>(before));
    check.steps = *list;
    check.position = list->size();
    if (!check.IsConsistent())
        return false;
    r.start = std::move(*grid);
    r.steps = std::move(*list);
    r.movesBefore = static_cast<std::int32_t>(before);
    return true;
}

bool TakeReplay(GameResult& r, const QJsonValue& startValue, const QJsonValue& stepsValue, const QJsonValue& before)
{
    std::int64_t number = 0;
    return TakeReplay(r, startValue, stepsValue, WholeNumber(before, 0, kLargestInt32, &number) ? number : -1);
}

QJsonValue StepTimesToJson(const std::vector<std::int32_t>& times)
{
    QJsonArray out;
    for (const std::int32_t ms : times)
        out.append(ms);
    return out;
}

std::vector<std::int32_t> StepTimesFromJson(const QJsonValue& value, std::size_t steps)
{
    const QJsonArray list = value.toArray();
    if (steps == 0 || std::size_t(list.size()) != steps)
        return {};
    std::vector<std::int32_t> times;
    times.reserve(steps);
    std::int64_t ms = 0;
    for (const QJsonValue& v : list) {
        if (!WholeNumber(v, times.empty() ? 0 : times.back(), Stopwatch::kMaxElapsed, &ms))
            return {};
        times.push_back(static_cast<std::int32_t>(ms));
    }
    return times;
}

std::optional<GameResult> ResultFromJson(const QJsonObject& o, QJsonObject* unknown)
{
    GameResult r;
    std::int64_t moves = 0, ms = 0, number = 0;
    if (!o.value("level").isString() || !o.value("style").isString() ||
        !WholeNumber(o.value("moves"), 0, kLargestInt32, &moves) ||
        !WholeNumber(o.value("milliseconds"), 0, kLargestExact, &ms))
        return std::nullopt;
    // The one spelling of each name only: a result of a level or style this
    // version does not know is not counted (and is kept as it came).
    const std::optional<GridSize> size = GridSize::FromKey(o.value("level").toString().toStdString());
    const std::optional<Style> style = Style::FromKey(o.value("style").toString().toStdString());
    if (!size || !style)
        return std::nullopt;
    r.size = *size;
    r.style = *style;
    r.moves = static_cast<std::int32_t>(moves);
    r.milliseconds = ms;
    r.finished = QDateTime::fromString(o.value("finished").toString(), Qt::ISODate);
    r.picture = o.value("picture").toString();
    // A "Fewest Moves" result is its net length: without one it cannot be
    // counted. A DNF is a "Blind" result's only (IsValid).
    if (r.style.IsFewestMoves() && !WholeNumber(o.value("netMoves"), 0, moves, &number))
        return std::nullopt;
    r.netMoves = r.style.IsFewestMoves() ? static_cast<std::int32_t>(number) : 0;
    if (o.contains("dnf") && !o.value("dnf").isBool())
        return std::nullopt;
    r.dnf = o.value("dnf").toBool();
    if (!r.IsValid())
        return std::nullopt;
    // A result without a replay that fits still counts, but cannot be
    // played again.
    TakeReplay(r, o.value("start"), o.value("steps"), o.value("movesBefore"));
    if (WholeNumber(o.value("par"), 0, kLargestInt32, &number))
        r.par = static_cast<std::int32_t>(number);
    r.parIsOptimal = o.value("parIsOptimal").toBool();
    if (WholeNumber(o.value("assisted"), 0, kLargestInt32, &number))
        r.assisted = static_cast<std::int32_t>(number);
    const QDate day = QDate::fromString(o.value("daily").toString(), Qt::ISODate);
    if (day.isValid())
        r.daily = day;
    if (o.contains("race") && !o.value("race").isBool())
        return std::nullopt;
    r.race = o.value("race").toBool();
    r.stepTimes = StepTimesFromJson(o.value("stepTimes"), r.steps.size());

    if (unknown) {
        *unknown = QJsonObject();
        const QJsonObject back = ResultToJson(r);
        for (auto it = o.begin(); it != o.end(); ++it)
            if (back.value(it.key()) != it.value())
                unknown->insert(it.key(), it.value());
    }
    return r;
}

} // namespace tesselo
