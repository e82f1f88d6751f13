#include "saved/history_file.h"

#include "files/byte_io.h"
#include "files/json_fields.h"
#include "files/safe_file.h"

#include <QJsonDocument>


namespace tesselo {

namespace {

bool ToInt32(const QJsonValue& value, std::int32_t* out)
{
    return WholeNumber(value, out);
}

QJsonArray Pair(std::int32_t a, std::int32_t b)
{
    return QJsonArray{a, b};
}

bool FromPair(const QJsonValue& value, std::int32_t* a, std::int32_t* b)
{
    const QJsonArray pair = value.toArray();
    return value.isArray() && pair.size() == 2 && ToInt32(pair[0], a) && ToInt32(pair[1], b);
}

} // namespace

QJsonObject HistoryFile::GridToJson(const TileGrid& grid)
{
    QJsonArray cells;
    for (const Tile& tile : grid.cells)
        cells.append(Pair(tile.homeRow, tile.homeColumn));
    return QJsonObject{{"rows", grid.rowCount},
                       {"columns", grid.columnCount},
                       {"cells", cells},
                       {"selected", Pair(grid.selectedRow, grid.selectedColumn)}};
}

std::optional<TileGrid> HistoryFile::GridFromJson(const QJsonValue& value)
{
    const QJsonObject o = value.toObject();
    std::int32_t rows = 0, columns = 0, selectedRow = 0, selectedColumn = 0;
    if (!ToInt32(o["rows"], &rows) || !ToInt32(o["columns"], &columns) ||
        !GridSize{rows, columns}.IsValid() || !FromPair(o["selected"], &selectedRow, &selectedColumn))
        return std::nullopt;
    const QJsonArray cells = o["cells"].toArray();
    if (cells.size() != rows * columns)
        return std::nullopt;
    // The grid record's own checks (a permutation, the selection inside)
    // are the ones the saved game passes; go through them rather than
    // repeat them.
    std::vector<std::uint8_t> record(TileGrid::RecordSize(rows, columns));
    PutInt32(record.data(), rows);
    PutInt32(record.data() + 4, columns);
    std::uint8_t* at = record.data() + 8;
    for (const QJsonValue& cell : cells) {
        std::int32_t r = 0, c = 0;
        if (!FromPair(cell, &r, &c))
            return std::nullopt;
        PutInt32(at, r);
        PutInt32(at + 4, c);
        at += 8;
    }
    PutInt32(at, selectedRow);
    PutInt32(at + 4, selectedColumn);
    TileGrid grid;
    if (grid.LoadFrom(record.data(), record.size()) == 0)
        return std::nullopt;
    return grid;
}

QJsonArray HistoryFile::StepsToJson(const std::vector<HistoryStep>& steps)
{
    // One short array a move: a long game stays a small file.
    QJsonArray out;
    for (const HistoryStep& s : steps)
        out.append(QJsonArray{s.move.axis == MoveAxis::Row ? 0 : 1, s.move.line, s.move.amount, s.before.row,
                              s.before.column, s.after.row, s.after.column});
    return out;
}

std::optional<std::vector<HistoryStep>> HistoryFile::StepsFromJson(const QJsonValue& value)
{
    if (!value.isArray())
        return std::nullopt;
    const QJsonArray list = value.toArray();
    if (std::size_t(list.size()) > History::kMaxSteps)
        return std::nullopt;
    std::vector<HistoryStep> steps;
    steps.reserve(std::size_t(list.size()));
    for (const QJsonValue& item : list) {
        const QJsonArray a = item.toArray();
        std::int32_t v[7];
        if (!item.isArray() || a.size() != 7)
            return std::nullopt;
        for (int i = 0; i < 7; ++i)
            if (!ToInt32(a[i], &v[i]))
                return std::nullopt;
        if (v[0] != 0 && v[0] != 1)
            return std::nullopt;
        steps.push_back(HistoryStep{Move{v[0] == 0 ? MoveAxis::Row : MoveAxis::Column, v[1], v[2]},
                                    Selection{v[3], v[4]}, Selection{v[5], v[6]}});
    }
    return steps;
}

QByteArray HistoryFile::Encode(const History& history, const GameFacts& facts)
{
    const QJsonObject root{{"version", kVersion},
                           {"start", GridToJson(history.start)},
                           {"movesBefore", history.movesBefore},
                           {"position", qint64(history.position)},
                           {"moves", StepsToJson(history.steps)},
                           {"facts", facts.ToJson()}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<HistoryFile::Contents> HistoryFile::Decode(const QByteArray& json)
{
    QJsonParseError parsed{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parsed);
    if (parsed.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject root = doc.object();
    std::int32_t version = 0, movesBefore = 0, position = 0;
    if (!ToInt32(root["version"], &version) || version < 1 || version > kVersion ||
        !ToInt32(root["movesBefore"], &movesBefore) ||
        !ToInt32(root["position"], &position) || position < 0)
        return std::nullopt;
    auto start = GridFromJson(root["start"]);
    auto steps = StepsFromJson(root["moves"]);
    // A history from before the facts were kept knows none of them.
    std::optional<GameFacts> facts = GameFacts();
    if (version >= 2)
        facts = root["facts"].isObject() ? GameFacts::FromJson(root["facts"].toObject()) : std::nullopt;
    if (!start || !steps || !facts)
        return std::nullopt;
    History history;
    history.Begin(*start, movesBefore);
    history.steps = std::move(*steps);
    history.position = std::size_t(position);
    if (!history.IsConsistent())
        return std::nullopt;
    return Contents{std::move(history), std::move(*facts)};
}

std::optional<HistoryFile::Contents> HistoryFile::Read(const QString& path)
{
    const std::optional<QByteArray> json = ReadWholeFile(path, 0, kMaxFileSize);
    return json ? Decode(*json) : std::nullopt;
}

bool HistoryFile::Write(const QString& path, const History& history, const GameFacts& facts, QString* error)
{
    // Through a link, only over a history this program wrote.
    const auto ours = [](const QString& target) { return Read(target).has_value(); };
    return WriteFileAtomically(path, Encode(history, facts), error, ours);
}

} // namespace tesselo
