#pragma once

#include "model/game_facts.h"
#include "model/history.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace tesselo {

// The history of the game in play, kept beside the saved game between runs
// as JSON, with the facts of that game the saved game has no room for. The
// saved game's own layout cannot hold them, and a program that knows only
// the saved game can go on ignoring this file.
class HistoryFile {
public:
    static constexpr const char* kFileName = "tesselo-history.json";
    // 1: the moves alone; 2: the moves and the game's facts. Both are read.
    static constexpr int kVersion = 2;

    struct Contents {
        History history;
        GameFacts facts;
    };
    // A history of the largest length is a few megabytes; anything much
    // larger is not ours.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    static QByteArray Encode(const History& history, const GameFacts& facts = {});
    // The history in `json`, or nothing when it is not one this program
    // wrote: every field present and of its type, the start a playable grid,
    // every step fitting it, every known fact sound.
    static std::optional<Contents> Decode(const QByteArray& json);

    // Reads the file at `path`; nothing when it is missing, not a regular
    // file, too large or not a history.
    static std::optional<Contents> Read(const QString& path);
    // Replaces the file at `path` atomically.
    static bool Write(const QString& path, const History& history, const GameFacts& facts,
                      QString* error = nullptr);

    // The pieces the records of won games share with this file.
    static QJsonObject GridToJson(const TileGrid& grid);
    static std::optional<TileGrid> GridFromJson(const QJsonValue& value);
    static QJsonArray StepsToJson(const std::vector<HistoryStep>& steps);
    static std::optional<std::vector<HistoryStep>> StepsFromJson(const QJsonValue& value);
};

} // namespace tesselo
