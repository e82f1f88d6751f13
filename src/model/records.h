#pragma once

#include "model/history.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tesselo {

// One won game as the records keep it.
struct GameResult {
    QString level;            // "Novice", "Pro", "Expert" or "Genius"
    QString style;            // "Strategy" or "Speed"
    std::int32_t moves = 0;   // the move counter at the win
    std::int64_t milliseconds = 0;
    QDateTime finished;       // UTC
    QString picture;          // the picture's file name; empty for the built-in one
    // The game as its history held it, so that it can be played again.
    TileGrid start;
    std::int32_t movesBefore = 0;
    std::vector<HistoryStep> steps;
    // The fewest moves known to solve the start; none when no solver said.
    std::optional<std::int32_t> par;
    // `par` is the fewest moves possible, not only the fewest found.
    bool parIsOptimal = false;
    // Moves the game showed or made for the player (hints, a solve). Such a
    // win is never a new best.
    std::int32_t assisted = 0;

    // Sound enough to count for the bests, means and wins.
    bool IsValid() const;
    // For its level and style: fewer moves ("Strategy") or less time
    // ("Speed") than `other`.
    bool Beats(const GameResult& other) const;
    std::int64_t Score() const { return style == QLatin1String("Speed") ? milliseconds : moves; }
};

// Every won game, kept in "tesselo-records.json" beside the saved game.
// The file is the player's only copy of their history of wins: it is
// written whole and atomically at every win, a file that cannot be read is
// set aside under a new name and never overwritten, and whatever a result
// holds beyond what this program knows is written back as it was read.
class Records {
public:
    static constexpr const char* kFileName = "tesselo-records.json";
    static constexpr int kVersion = 1;
    static constexpr const char* kLevels[4] = {"Novice", "Pro", "Expert", "Genius"};
    static constexpr const char* kStyles[2] = {"Strategy", "Speed"};
    // Thousands of wins fit in a few megabytes; a file far beyond that is
    // not ours.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    explicit Records(QString path = QString::fromLatin1(kFileName));

    // Reads the file. A missing file is an empty record; one that cannot be
    // read is renamed aside (its new name in `setAsideAs`) and an empty
    // record begun. False only when such a file could not even be moved
    // aside: then nothing will be written over it.
    bool Load(QString* setAsideAs = nullptr);
    // Adds a win and writes the file at once. The file is read again first,
    // so a win written meanwhile by another window of the game is kept. A
    // result whose write failed stays in memory and is written with the
    // next one.
    bool Add(const GameResult& result, QString* error = nullptr);
    // Sets the file aside under a new name and begins an empty record.
    bool Clear(QString* setAsideAs = nullptr, QString* error = nullptr);

    // Whether `result` would be a new best for its level and style.
    bool IsNewBest(const GameResult& result) const;

    struct Summary {
        std::optional<GameResult> best;
        int won = 0;
        // Averages of the last 5 and 12 wins with the best and the worst of
        // them left out, as speed-solvers count them; empty with fewer wins.
        std::optional<double> averageOf5;
        std::optional<double> averageOf12;
    };
    Summary Summarize(const QString& level, const QString& style) const;
    // The sound results of one level and style, oldest first.
    std::vector<GameResult> Results(const QString& level, const QString& style) const;

    static QString LevelOf(std::int32_t rows, std::int32_t columns);
    static std::optional<GameResult> FromJson(const QJsonObject& object);
    static QJsonObject ToJson(const GameResult& result);

    const QString& Path() const { return path; }
    // Every result the file holds, sound or not, with those not yet written.
    std::size_t Count() const;

private:
    enum class Read { Missing, Fine, Damaged };
    Read ReadFile(QJsonObject* root) const;
    bool SetAside(const QString& why, QString* newName);
    bool Write(QString* error);

    QString path;
    bool writable = true;
    QJsonObject root;                 // the file as read, unknown fields and all
    std::vector<QJsonObject> unsaved; // added but not yet on disk
};

} // namespace tesselo
