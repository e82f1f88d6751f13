#include "model/records.h"

#include "model/history_file.h"
#include "model/levels.h"
#include "model/safe_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>

namespace tesselo {

namespace {

// Larger whole numbers are not exact in a JSON double.
constexpr double kLargestExact = 9007199254740992.0;

bool WholeNumber(const QJsonValue& v, double low, double high, std::int64_t* out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!(d >= low && d <= high) || std::trunc(d) != d)
        return false;
    *out = static_cast<std::int64_t>(d);
    return true;
}

template <std::size_t N>
bool OneOf(const QString& s, const char* const (&names)[N])
{
    return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return s == QLatin1String(n); });
}

QJsonObject EmptyFile()
{
    return QJsonObject{{"version", Records::kVersion}, {"results", QJsonArray()}};
}

std::optional<double> TrimmedAverage(const std::vector<GameResult>& results, std::size_t count)
{
    if (results.size() < count)
        return std::nullopt;
    std::vector<double> scores;
    for (auto it = results.end() - std::ptrdiff_t(count); it != results.end(); ++it)
        scores.push_back(double(it->Score()));
    std::sort(scores.begin(), scores.end());
    double sum = 0;
    for (std::size_t i = 1; i + 1 < scores.size(); ++i)
        sum += scores[i];
    return sum / double(count - 2);
}

} // namespace

bool GameResult::IsValid() const
{
    return OneOf(level, Records::kLevels) && OneOf(style, Records::kStyles) && moves >= 0 && milliseconds >= 0 &&
           finished.isValid();
}

bool GameResult::Beats(const GameResult& other) const
{
    return Score() < other.Score();
}

Records::Records(QString file) : path(std::move(file)), root(EmptyFile()) {}

QString Records::LevelOf(std::int32_t rows, std::int32_t columns)
{
    const std::optional<std::size_t> level = LevelOfSize(rows, columns);
    return level ? QString::fromLatin1(kLevels[*level]) : QString();
}

QJsonObject Records::ToJson(const GameResult& r)
{
    return QJsonObject{{"level", r.level},
                       {"style", r.style},
                       {"moves", r.moves},
                       {"milliseconds", qint64(r.milliseconds)},
                       {"finished", r.finished.toUTC().toString(Qt::ISODate)},
                       {"picture", r.picture},
                       {"start", HistoryFile::GridToJson(r.start)},
                       {"movesBefore", r.movesBefore},
                       {"steps", HistoryFile::StepsToJson(r.steps)}};
}

std::optional<GameResult> Records::FromJson(const QJsonObject& o)
{
    GameResult r;
    std::int64_t moves = 0, ms = 0, before = 0;
    if (!o.value("level").isString() || !o.value("style").isString() ||
        !WholeNumber(o.value("moves"), 0, 2147483647.0, &moves) ||
        !WholeNumber(o.value("milliseconds"), 0, kLargestExact, &ms))
        return std::nullopt;
    r.level = o.value("level").toString();
    r.style = o.value("style").toString();
    r.moves = static_cast<std::int32_t>(moves);
    r.milliseconds = ms;
    r.finished = QDateTime::fromString(o.value("finished").toString(), Qt::ISODate);
    r.picture = o.value("picture").toString();
    if (!r.IsValid())
        return std::nullopt;
    // What a replay needs; a result without it still counts, but cannot be
    // played again.
    auto start = HistoryFile::GridFromJson(o.value("start"));
    auto steps = HistoryFile::StepsFromJson(o.value("steps"));
    if (start && steps && WholeNumber(o.value("movesBefore"), 0, 2147483647.0, &before)) {
        History check;
        check.Begin(*start, static_cast<std::int32_t>(before));
        check.steps = *steps;
        check.position = steps->size();
        if (check.IsConsistent()) {
            r.start = std::move(*start);
            r.steps = std::move(*steps);
            r.movesBefore = static_cast<std::int32_t>(before);
        }
    }
    return r;
}

Records::Read Records::ReadFile(QJsonObject* out) const
{
    // A link to a file not made yet is how a player keeps the records
    // elsewhere before the first win: as good as no file.
    ReadRefusal why = ReadRefusal::None;
    const std::optional<QByteArray> json = ReadWholeFile(path, 0, kMaxFileSize, &why);
    if (why == ReadRefusal::Missing)
        return Read::Missing;
    if (!json)
        return Read::Damaged;
    QJsonParseError parsed{};
    const QJsonDocument doc = QJsonDocument::fromJson(*json, &parsed);
    if (parsed.error != QJsonParseError::NoError || !doc.isObject())
        return Read::Damaged;
    const QJsonObject o = doc.object();
    std::int64_t version = 0;
    if (!WholeNumber(o.value("version"), 0, kLargestExact, &version) || version != kVersion ||
        !o.value("results").isArray())
        return Read::Damaged;
    *out = o;
    return Read::Fine;
}

bool Records::SetAside(const QString& why, QString* newName)
{
    const QString aside = SetFileAside(path, nullptr, why);
    if (newName)
        *newName = aside;
    return !aside.isEmpty();
}

bool Records::Load(QString* setAsideAs)
{
    QJsonObject read;
    switch (ReadFile(&read)) {
    case Read::Missing:
        root = EmptyFile();
        writable = true;
        return true;
    case Read::Fine:
        root = read;
        writable = true;
        return true;
    case Read::Damaged:
        break;
    }
    root = EmptyFile();
    writable = SetAside(QStringLiteral("damaged"), setAsideAs);
    return writable;
}

bool Records::Write(QString* error)
{
    QJsonObject out = root;
    QJsonArray results = out.value("results").toArray();
    for (const QJsonObject& o : unsaved)
        results.append(o);
    out["results"] = results;
    // A link is written through only to a records file of ours.
    const auto ours = [](const QString& target) {
        Records other(target);
        QJsonObject ignored;
        return other.ReadFile(&ignored) == Read::Fine;
    };
    if (!WriteFileAtomically(path, QJsonDocument(out).toJson(QJsonDocument::Compact), error, ours))
        return false;
    root = out;
    unsaved.clear();
    return true;
}

bool Records::Add(const GameResult& result, QString* error)
{
    unsaved.push_back(ToJson(result));
    if (!Load() || !writable) {
        if (error)
            *error = QStringLiteral("\"%1\" could not be read or moved aside; it was left as it is.").arg(path);
        return false;
    }
    return Write(error);
}

bool Records::Clear(QString* setAsideAs, QString* error)
{
    const QFileInfo info(path);
    if ((info.exists() || info.isSymLink()) && !SetAside(QStringLiteral("cleared"), setAsideAs)) {
        if (error)
            *error = QStringLiteral("\"%1\" could not be moved aside.").arg(path);
        return false;
    }
    root = EmptyFile();
    unsaved.clear();
    writable = true;
    return true;
}

std::size_t Records::Count() const
{
    return std::size_t(root.value("results").toArray().size()) + unsaved.size();
}

std::vector<GameResult> Records::Results(const QString& level, const QString& style) const
{
    std::vector<GameResult> out;
    const auto take = [&](const QJsonValue& v) {
        if (!v.isObject())
            return;
        std::optional<GameResult> r = FromJson(v.toObject());
        if (r && r->level == level && r->style == style)
            out.push_back(std::move(*r));
    };
    for (const QJsonValue& v : root.value("results").toArray())
        take(v);
    for (const QJsonObject& o : unsaved)
        take(o);
    return out;
}

Records::Summary Records::Summarize(const QString& level, const QString& style) const
{
    Summary s;
    const std::vector<GameResult> results = Results(level, style);
    s.won = int(results.size());
    for (const GameResult& r : results)
        if (!s.best || r.Beats(*s.best))
            s.best = r;
    s.averageOf5 = TrimmedAverage(results, 5);
    s.averageOf12 = TrimmedAverage(results, 12);
    return s;
}

bool Records::IsNewBest(const GameResult& result) const
{
    if (!result.IsValid())
        return false;
    const Summary s = Summarize(result.level, result.style);
    return !s.best || result.Beats(*s.best);
}

} // namespace tesselo
