// Writes the seed corpora of the fuzz targets from valid files, so that the
// fuzzers start from inputs the readers accept:
//
//   make_seeds saved-game <dir>           saved games of every size, state and style
//   make_seeds tile-grid <dir>            grid records of every size
//   make_seeds history <dir>              move histories of every size, some with moves to redo
//   make_seeds replay-code <dir>          replay codes of every size, by game ID and by arrangement
//   make_seeds records <dir>              records databases of won games, as the game writes them
//   make_seeds records-import <dir>       JSON records files of earlier versions, with a field this program does not know
//   make_seeds pictures <dir> <samples>   small pictures in every format Qt writes,
//                                         drawn from the sample pictures

#include "fuzz_support.h"

#include "files/byte_io.h"
#include "model/game.h"
#include "model/game_setup.h"
#include "pictures/game_picture.h"
#include "pictures/picture_setup.h"
#include "records/records.h"
#include "records/replay_code.h"
#include "records/result_json.h"
#include "saved/history_file.h"
#include "saved/saved_game_format.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include <sqlite3.h>

#include <cstdio>
#include <vector>

using namespace tesselo;

namespace {

bool Write(const QString& dir, const QString& name, const std::uint8_t* bytes, std::size_t length)
{
    QFile file(QDir(dir).filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(reinterpret_cast<const char*>(bytes), qint64(length)) == qint64(length);
}

// The saved game of `game` shown on `picture`, as the game writes it.
bool WriteGame(const QString& dir, const QString& name, Game& game, const GamePicture& picture)
{
    const std::optional<QByteArray> bytes = SavedGameFormat::Encode(SavedGame{game.Record(), picture.Record()});
    return bytes &&
           Write(dir, name, reinterpret_cast<const std::uint8_t*>(bytes->constData()), std::size_t(bytes->size()));
}

// The four levels, the smallest and largest grids, and sizes no level has,
// one of each shape.
const GridSize kSizes[] = {kNovice, kPro, kExpert, kGenius, {2, 2}, {16, 16}, {5, 7}, {7, 5}};

bool SavedGames(const QString& dir)
{
    // Played in a folder of its own so that the saved games hold an open
    // search on a picture, as most real files do.
    tesselo::fuzz::EnterEmptyDirectory();
    QDir().mkpath(QStringLiteral("Pictures"));
    QImage picture(32, 24, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    if (!picture.save(QStringLiteral("Pictures/seed.png")))
        return false;

    bool ok = true;
    std::uint64_t time = 130000000000000000ULL;
    for (const auto& [rows, columns] : kSizes)
        for (const GameState state : {Idle, Playing, Solved})
            for (const bool strategy : {true, false}) {
                Game game([&time] { return time; });
                GamePicture shown(game);
                game.ChangeSize({rows, columns});
                time += 123457;
                game.NewGame();
                game.ShiftRowRight();
                game.SelectDown();
                game.ShiftColumnUp();
                GameSetup setup(game);
                setup.puzzle.state = state;
                game.SetStrategyStyle(strategy);
                setup.puzzle.moves = 3 + rows;
                setup.stopwatch.elapsed = 65432 * columns;
                game.SetVolume(20 * rows);
                PictureSetup(shown).folder.width = 120 * columns;
                PictureSetup(shown).folder.height = 90 * rows;
                const QString name = QStringLiteral("game-%1x%2-%3-%4").arg(rows).arg(columns).arg(int(state)).arg(strategy ? "strategy" : "speed");
                ok = ok && WriteGame(dir, name, game, shown);
            }

    // A file from the Windows build, with its backslashes, and one saved
    // with no search open.
    Game game;
    GamePicture shown(game);
    PictureFolder& pictures = PictureSetup(shown).folder;
    pictures.folder = QStringLiteral(".\\Pictures\\");
    ok = ok && WriteGame(dir, QStringLiteral("game-windows-folder"), game, shown);
    pictures.folder = QStringLiteral("./NoSuchFolder/");
    pictures.CloseSearch();
    ok = ok && WriteGame(dir, QStringLiteral("game-no-search"), game, shown);
    return ok;
}

bool GridRecords(const QString& dir)
{
    bool ok = true;
    std::uint32_t seed = 11;
    for (const auto& [rows, columns] : kSizes)
        for (int variant = 0; variant < 2; ++variant) {
            TileGrid grid;
            grid.Resize(rows, columns);
            if (variant == 1)
                grid.Shuffle(seed++);
            grid.selectedRow = rows - 1;
            grid.selectedColumn = variant;
            std::vector<std::uint8_t> bytes(grid.RecordSize());
            // A few shift commands after the record, as the target reads them.
            for (const std::uint8_t command : {0, 2, 1, 1, 2, 0xff, 3, 4, 0, 1})
                bytes.push_back(command);
            ok = ok && grid.StoreTo(bytes.data(), bytes.size()) == grid.RecordSize() &&
                 Write(dir, QStringLiteral("grid-%1x%2-%3").arg(rows).arg(columns).arg(variant), bytes.data(), bytes.size());
        }
    return ok;
}

bool Histories(const QString& dir)
{
    bool ok = true;
    std::uint64_t time = 131000000000000000ULL;
    for (const auto& [rows, columns] : kSizes)
        for (int undone = 0; undone < 2; ++undone) {
            Game game([&time] { return time; });
            game.ChangeSize({rows, columns});
            time += 98765;
            game.NewGame();
            game.ShiftRowRight();
            game.SelectDown();
            game.ShiftColumnUp();
            game.ShiftRowLeft();
            for (int i = 0; i < undone; ++i)
                game.Undo();
            const QByteArray json = HistoryFile::Encode(game.View().puzzle.history, game.View().puzzle.facts);
            ok = ok && Write(dir, QStringLiteral("history-%1x%2-%3").arg(rows).arg(columns).arg(undone),
                             reinterpret_cast<const std::uint8_t*>(json.constData()), std::size_t(json.size()));
        }
    return ok;
}

// Replay codes of games of every size, by ID and by arrangement.
bool ReplayCodes(const QString& dir)
{
    bool ok = true;
    std::uint64_t time = 132000000000000000ULL;
    for (const auto& [rows, columns] : kSizes) {
        Game game([&time] { return time; });
        game.ChangeSize({rows, columns});
        time += 12345;
        game.NewGame();
        game.ShiftRowRight();
        game.SelectDown();
        game.ShiftColumnUp();
        const Puzzle& p = game.View().puzzle;
        for (const bool byId : {true, false}) {
            const QByteArray code = ReplayCode::Write(Style::Speed, p.history.start, p.history.Played(),
                                                      byId ? GameId::Of(p) : std::nullopt)
                                        .toUtf8();
            ok = ok && Write(dir, QStringLiteral("code-%1x%2-%3").arg(rows).arg(columns).arg(byId ? "id" : "start"),
                             reinterpret_cast<const std::uint8_t*>(code.constData()), std::size_t(code.size()));
        }
    }
    return ok;
}

// Wins of every size and style as the game keeps them, some with a par,
// help or a daily date.
std::vector<GameResult> SomeWins()
{
    std::vector<GameResult> wins;
    std::uint64_t time = 132000000000000000ULL;
    for (const auto& [rows, columns] : kSizes)
        for (const bool strategy : {true, false}) {
            Game game([&time] { return time; });
            game.ChangeSize({rows, columns});
            game.SetStrategyStyle(strategy);
            time += 4567891;
            game.NewGame();
            game.ShiftRowRight();
            game.ShiftColumnDown();
            GameResult won = game.ResultOfWin({});
            won.par = rows + columns;
            won.parIsOptimal = strategy;
            won.assisted = rows == 3 ? 1 : 0;
            if (columns == 6)
                won.daily = QDate(2026, 12, 8);
            wins.push_back(won);
        }
    return wins;
}

// The JSON records files of earlier versions, one with a field this
// program does not know.
bool JsonRecordFiles(const QString& dir)
{
    QJsonArray results;
    for (const GameResult& won : SomeWins())
        results.append(ResultToJson(won));
    QJsonObject root{{"version", Records::kJsonVersion}, {"results", results}};
    const QByteArray all = QJsonDocument(root).toJson(QJsonDocument::Compact);
    root["kept by"] = QStringLiteral("a later version");
    const QByteArray extra = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return Write(dir, QStringLiteral("records"), reinterpret_cast<const std::uint8_t*>(all.constData()),
                 std::size_t(all.size())) &&
           Write(dir, QStringLiteral("records-extra"), reinterpret_cast<const std::uint8_t*>(extra.constData()),
                 std::size_t(extra.size()));
}

// Real records databases: a JSON file imported (a result it cannot count
// and a field it does not know among them), then wins kept one by one as
// the game keeps them. Once as written, once with pages of 512 bytes, so
// that the fuzzer's changes land on more of its structure.
bool DatabaseFiles(const QString& dir)
{
    tesselo::fuzz::EnterEmptyDirectory();
    QJsonObject odd = ResultToJson(SomeWins().front());
    odd["mood"] = QStringLiteral("elated");
    const QJsonArray imported{odd, QJsonObject{{"level", "Legend"}}, 17};
    QFile json(QString::fromLatin1(Records::kJsonFileName));
    if (!json.open(QIODevice::WriteOnly) ||
        json.write(QJsonDocument(QJsonObject{{"version", 1}, {"results", imported}, {"by", "hand"}}).toJson()) <= 0)
        return false;
    json.close();
    {
        Records records;
        if (!records.Open())
            return false;
        for (const GameResult& won : SomeWins())
            if (!records.Add(won))
                return false;
    }
    const QString target = QDir(dir).filePath(QStringLiteral("records.sqlite"));
    const QString small = QDir(dir).filePath(QStringLiteral("records-512.sqlite"));
    if (!QFile::copy(QString::fromLatin1(Records::kFileName), target) ||
        !QFile::copy(QString::fromLatin1(Records::kFileName), small))
        return false;
    sqlite3* db = nullptr;
    const bool vacuumed = sqlite3_open(QFile::encodeName(small).constData(), &db) == SQLITE_OK &&
                          sqlite3_exec(db, "PRAGMA page_size = 512; VACUUM;", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return vacuumed;
}

bool Pictures(const QString& dir, const QString& samples)
{
    tesselo::fuzz::StartQt();
    bool ok = true;
    int made = 0;
    bool variantsMade = false;
    QDirIterator it(samples, QDir::Files);
    while (it.hasNext()) {
        const QString file = it.next();
        QImage image;
        if (!QImageReader(file).read(&image))
            continue;
        // Small seeds keep each run fast; the fuzzer grows them as it needs.
        image = image.scaled(24, 18, Qt::KeepAspectRatio, Qt::FastTransformation);
        const QString base = QFileInfo(file).completeBaseName();
        const auto save = [&](const QImage& img, const char* suffix, const char* format, int quality = -1) {
            const bool saved = img.save(QDir(dir).filePath(base + suffix), format, quality);
            ok = ok && saved;
            made += saved ? 1 : 0;
        };
        save(image, ".png", "PNG");
        save(image, ".jpg", "JPEG", 40);
        save(image, ".bmp", "BMP");
        if (variantsMade)
            continue; // the variants below once are enough
        variantsMade = true;
        save(image.convertToFormat(QImage::Format_Indexed8), "-palette.png", "PNG");
        save(image.convertToFormat(QImage::Format_ARGB32), "-alpha.png", "PNG");
        save(image.convertToFormat(QImage::Format_Grayscale8), "-grey.jpg", "JPEG", 60);
        save(image.convertToFormat(QImage::Format_Indexed8), "-palette.bmp", "BMP");
        save(image.convertToFormat(QImage::Format_Mono), "-mono.bmp", "BMP");
        save(image, ".ppm", "PPM");
        save(image.convertToFormat(QImage::Format_Mono), ".xbm", "XBM");
        save(image.convertToFormat(QImage::Format_Indexed8), ".xpm", "XPM");
        save(image, ".ico", "ICO");
    }
    return ok && made > 0;
}

} // namespace

int main(int argc, char** argv)
{
    const QString what = argc > 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString dir = argc > 2 ? QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath() : QString();
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    bool ok = false;
    if (what == QLatin1String("saved-game"))
        ok = SavedGames(dir);
    else if (what == QLatin1String("tile-grid"))
        ok = GridRecords(dir);
    else if (what == QLatin1String("history"))
        ok = Histories(dir);
    else if (what == QLatin1String("records"))
        ok = DatabaseFiles(dir);
    else if (what == QLatin1String("records-import"))
        ok = JsonRecordFiles(dir);
    else if (what == QLatin1String("replay-code"))
        ok = ReplayCodes(dir);
    else if (what == QLatin1String("pictures") && argc > 3)
        ok = Pictures(dir, QString::fromLocal8Bit(argv[3]));
    if (!ok)
        std::fprintf(stderr, "usage: make_seeds saved-game|tile-grid|history|records|records-import|replay-code|pictures <dir> "
                     "[samples]; or writing "
                     "failed\n");
    return ok ? 0 : 1;
}
