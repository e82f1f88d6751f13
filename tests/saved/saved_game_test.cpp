#include "files/byte_io.h"
#include "model/game.h"
#include "model/game_id.h"
#include "model/game_setup.h"
#include "pictures/picture_setup.h"
#include "records/records.h"
#include "saved/saved_game_format.h"
#include "saved/saved_game_store.h"
#include "support/saved_games.h"
#include "support/temp_cwd.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <csignal>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>
#include <set>
#include <vector>

using namespace tesselo;
using tesselo::testing::LoadSavedGame;
using tesselo::testing::SaveGame;
using tesselo::testing::ShownGame;
using tesselo::testing::TempCwd;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

const std::uint8_t* Bytes(const QByteArray& a) { return reinterpret_cast<const std::uint8_t*>(a.constData()); }

// A saved game's bytes, as the game and its picture would be written now.
std::vector<std::uint8_t> Image(ShownGame& shown)
{
    const std::optional<QByteArray> bytes =
        SavedGameFormat::Encode(SavedGame{shown.game.Record(), shown.picture.Record()});
    EXPECT_TRUE(bytes);
    return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end()) : std::vector<std::uint8_t>();
}

// Reads a whole saved-game image into a game and its picture, as the store
// reads the file: the bytes consumed, or 0 with nothing applied.
std::size_t Load(ShownGame& shown, const std::uint8_t* bytes, std::size_t length)
{
    const std::optional<SavedGame> saved = SavedGameFormat::Decode(bytes, length);
    if (!saved)
        return 0;
    EXPECT_TRUE(shown.picture.Restore(saved->picture));
    EXPECT_TRUE(shown.game.Resume(saved->play));
    return length;
}

// Everything a saved game restores, for comparing two games.
struct Snapshot {
    explicit Snapshot(const ShownGame& shown) : Snapshot(shown.game, shown.picture.Folder()) {}
    Snapshot(const Game& g, const PictureFolder& pictures)
        : state(g.View().puzzle.state), axis(g.View().gesture.dragAxis), moves(g.View().puzzle.moves),
          elapsed(g.View().stopwatch.elapsed), volume(g.View().volume), anchorX(g.View().gesture.dragAnchorX),
          anchorY(g.View().gesture.dragAnchorY), style(g.View().style.IsStrategy()), rows(g.View().puzzle.grid.rowCount),
          columns(g.View().puzzle.grid.columnCount), selRow(g.View().puzzle.grid.selectedRow),
          selColumn(g.View().puzzle.grid.selectedColumn), folder(pictures.folder), width(pictures.width),
          height(pictures.height)
    {
        for (const auto& t : g.View().puzzle.grid.cells)
            homes.emplace_back(t.homeRow, t.homeColumn);
    }
    bool operator==(const Snapshot&) const = default;

    GameState state;
    DragAxis axis;
    std::int32_t moves, elapsed, volume, anchorX, anchorY;
    bool style;
    std::int32_t rows, columns, selRow, selColumn;
    QString folder;
    std::int32_t width, height;
    std::vector<std::pair<std::int32_t, std::int32_t>> homes;
};

} // namespace

TEST(SavedGame, FirstStartSaveHasTheDocumentedBytes)
{
    TempCwd cwd;
    ShownGame game;
    ASSERT_TRUE(game.Save());
    const QByteArray file = ReadAll(cwd.Path("tesselo.dat"));
    ASSERT_EQ(file.size(), 1217);
    for (int i = 0; i < 29; ++i) {
        const int expected = i == 24 ? 0x64 : i == 28 ? 1 : 0;
        EXPECT_EQ(std::uint8_t(file[i]), expected) << i;
    }
    const std::uint8_t* p = Bytes(file);
    EXPECT_EQ(GetInt32(p + 29), 2);
    EXPECT_EQ(GetInt32(p + 33), 3);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(GetInt32(p + 37 + 8 * i), i / 3);
        EXPECT_EQ(GetInt32(p + 41 + 8 * i), i % 3);
    }
    EXPECT_EQ(GetInt32(p + 85), 0);
    EXPECT_EQ(GetInt32(p + 89), 0);
    // The picture record starts at 93: "./Pictures/" and the 640 x 480 board;
    // no folder there, so no search open.
    EXPECT_EQ(GetUInt16(p + 93), '.');
    EXPECT_EQ(GetUInt16(p + 93 + 2 * 10), '/');
    EXPECT_EQ(GetUInt16(p + 93 + 2 * 11), 0);
    EXPECT_EQ(GetInt32(p + 93 + 520), 640);
    EXPECT_EQ(GetInt32(p + 93 + 524), 480);
    EXPECT_EQ(GetInt32(p + 93 + 528), -1);
}

TEST(SavedGame, EverySizeStyleAndStateRoundTrips)
{
    TempCwd cwd;
    cwd.Picture("Pictures/p.png", Qt::red);
    // The four levels, byte for byte as ever, and the smallest, the largest
    // and sizes no level has: 1169 bytes and 8 a cell.
    const std::pair<int, int> sizes[] = {{2, 3}, {3, 3}, {3, 4}, {4, 6}, {2, 2}, {16, 16}, {5, 7}, {16, 2}};
    const int fileSizes[] = {1217, 1241, 1265, 1361, 1201, 3217, 1449, 1425};
    for (int s = 0; s < int(std::size(sizes)); ++s)
        for (const bool strategy : {true, false})
            for (const GameState st : {Idle, Playing, Solved}) {
                ShownGame saved;
                saved.game.ChangeSize({sizes[s].first, sizes[s].second});
                saved.game.NewGame();
                saved.game.ShiftRowRight();
                saved.game.SelectDown();
                saved.game.SetStrategyStyle(strategy);
                GameSetup(saved.game).puzzle.state = st;
                GameSetup(saved.game).stopwatch.elapsed = 98765;
                saved.game.SetVolume(37);
                PictureSetup(saved.picture).folder.width = 800;
                ASSERT_TRUE(saved.Save());
                ASSERT_EQ(ReadAll(cwd.Path("tesselo.dat")).size(), fileSizes[s]);

                ShownGame loaded;
                ASSERT_FALSE(loaded.game.View().stopwatch.resumePending);
                loaded.Load();
                EXPECT_TRUE(loaded.game.View().stopwatch.resumePending);
                EXPECT_TRUE(Snapshot(loaded) == Snapshot(saved)) << s << strategy << st;
                EXPECT_EQ(loaded.picture.Board().picture.width(), 800);
                EXPECT_TRUE(loaded.picture.Board().sourcePath.endsWith("p.png"));
            }
}

// Every size from 2 to 20 either way is read; one row or column fewer or
// more is not, though the file's length fits its counts.
TEST(SavedGame, TheReaderTakesTwoToTwentyRowsAndColumns)
{
    const std::tuple<int, int, bool> cases[] = {
        {2, 2, true}, {16, 16, true}, {2, 20, true}, {20, 2, true}, {7, 11, true}, {20, 20, true},
        {1, 2, false}, {2, 1, false}, {21, 20, false}, {20, 21, false}, {1, 21, false},
    };
    // The header and the picture record of a game as it starts, around a
    // grid record of the size asked for.
    ShownGame start;
    const std::vector<std::uint8_t> whole = Image(start);
    for (const auto& [rows, columns, read] : cases) {
        SCOPED_TRACE(std::to_string(rows) + "x" + std::to_string(columns));
        TileGrid grid;
        grid.Resize(rows, columns);
        std::vector<std::uint8_t> image(whole.begin(), whole.begin() + SavedGameFormat::kHeaderSize);
        image.resize(image.size() + grid.RecordSize());
        ASSERT_EQ(grid.StoreTo(image.data() + SavedGameFormat::kHeaderSize, grid.RecordSize()), grid.RecordSize());
        image.insert(image.end(), whole.end() - SavedGameFormat::kPictureSize, whole.end());
        const std::size_t length = image.size();
        ASSERT_EQ(length, SavedGameFormat::FileSize({rows, columns}));
        EXPECT_EQ(SavedGameFormat::Decode(image.data(), length).has_value(), read);
        ShownGame loaded;
        EXPECT_EQ(Load(loaded, image.data(), length) != 0, read);
        EXPECT_EQ(loaded.game.View().puzzle.grid.Size(), read ? (GridSize{rows, columns}) : kNovice);
        // What a game of this size writes is what is read.
        if (read) {
            Game game;
            GameSetup(game).puzzle.grid.Resize(rows, columns);
            EXPECT_EQ(SavedGameFormat::Encode(SavedGame{game.Record(), PictureRecord()})->size(), qsizetype(length));
        }
    }
}

// A grid earlier versions do not play is saved in a file of its own, and
// "tesselo.dat" keeps the last game that fits, byte for byte; the large
// game resumes while its file is there, and a game that fits takes its
// place.
TEST(SavedGame, AGridOverSixteenIsSavedWhereEarlierVersionsNeverLook)
{
    TempCwd cwd;
    const auto saveAt = [](GridSize size) {
        Game game;
        game.ChangeSize(size);
        game.NewGame();
        EXPECT_TRUE(SaveGame(game));
    };
    const auto resumed = [] {
        Game game;
        EXPECT_TRUE(LoadSavedGame(game));
        return game.View().puzzle.grid.Size();
    };
    const auto bytes = [&](const char* file) {
        QFile f(cwd.Path(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    saveAt(kExpert);
    const QByteArray expert = bytes("tesselo.dat");
    const QByteArray expertHistory = bytes("tesselo-history.json");
    for (const GridSize large : {GridSize{20, 20}, GridSize{17, 2}, GridSize{2, 20}}) {
        SCOPED_TRACE(large.Name());
        saveAt(large);
        EXPECT_EQ(bytes("tesselo.dat"), expert) << "the last game that fits stays";
        EXPECT_EQ(bytes("tesselo-large.dat").size(), qsizetype(SavedGameFormat::FileSize(large)));
        EXPECT_EQ(resumed(), large);
    }
    // Each keeps its history apart: an earlier version rewrites only the
    // history of the game that fits.
    EXPECT_TRUE(QFile::exists(cwd.Path("tesselo-large-history.json")));
    EXPECT_FALSE(expertHistory.isEmpty());
    EXPECT_EQ(bytes("tesselo-history.json"), expertHistory);
    {
        Game game;
        ASSERT_TRUE(LoadSavedGame(game));
        EXPECT_TRUE(GameId::Of(game.View().puzzle)) << "the large game's history read back with it";
    }
    saveAt(GridSize{16, 16});
    EXPECT_FALSE(QFile::exists(cwd.Path("tesselo-large.dat")));
    EXPECT_FALSE(QFile::exists(cwd.Path("tesselo-large-history.json")));
    EXPECT_EQ(bytes("tesselo.dat").size(), qsizetype(SavedGameFormat::FileSize({16, 16})));
    EXPECT_EQ(resumed(), (GridSize{16, 16}));
}

TEST(SavedGame, DamagedFilesAreTreatedAsNoFile)
{
    TempCwd cwd;
    ShownGame source;
    source.game.ChangeSize({3, 4});
    source.game.NewGame();
    ASSERT_TRUE(source.Save());
    const QByteArray good = ReadAll(cwd.Path("tesselo.dat"));
    ASSERT_EQ(good.size(), 1265);

    const auto patched = [&](int offset, std::int32_t value) {
        QByteArray b = good;
        PutInt32(reinterpret_cast<std::uint8_t*>(b.data()) + offset, value);
        return b;
    };
    QByteArray styleTwo = good;
    styleTwo[28] = 2;
    QByteArray dupHome = good;
    std::copy(good.begin() + 37, good.begin() + 45, dupHome.begin() + 45);
    const std::vector<std::pair<const char*, QByteArray>> damaged = {
        {"empty", QByteArray()},
        {"cut", good.left(good.size() - 1)},
        {"long", good + QByteArray(1, '\0')},
        {"huge", QByteArray(5000, '\0')},
        {"axis", patched(8, 3)},
        {"state", patched(12, -1)},
        {"volume", patched(24, 101)},
        {"style", styleTwo},
        {"size", patched(29, 4)},
        {"one row", patched(29, 1)},
        {"seventeen columns", patched(33, 17)},
        {"home", dupHome},
        {"selection", patched(29 + 16 + 8 * 12 - 8, 3)},
        {"width", patched(29 + 16 + 8 * 12 + 520, -1)},
        {"negative moves", patched(20, -1)},
        {"negative time", patched(16, -1)},
        {"time past the stopwatch's end", patched(16, Game::kMaxElapsed + 1)},
        {"time about to wrap", patched(16, 0x7FFFFC18)},
    };
    for (const auto& [what, bytes] : damaged) {
        WriteAll(cwd.Path("tesselo.dat"), bytes);
        ShownGame fresh;
        const Snapshot before(fresh);
        fresh.Load();
        EXPECT_TRUE(Snapshot(fresh) == before) << what;
        EXPECT_FALSE(fresh.game.View().stopwatch.resumePending) << what;
    }
    // The largest values a game can reach are still a saved game.
    QByteArray largest = patched(16, Game::kMaxElapsed);
    PutInt32(reinterpret_cast<std::uint8_t*>(largest.data()) + 20, std::numeric_limits<std::int32_t>::max());
    WriteAll(cwd.Path("tesselo.dat"), largest);
    Game patient;
    LoadSavedGame(patient);
    EXPECT_EQ(patient.View().stopwatch.elapsed, Game::kMaxElapsed);
    EXPECT_EQ(patient.View().puzzle.moves, std::numeric_limits<std::int32_t>::max());
    // A saved game from the Windows build: its folder uses backslashes.
    QByteArray windows = good;
    const QString folder = ".\\Pictures\\";
    for (int i = 0; i < folder.size(); ++i)
        PutUInt16(reinterpret_cast<std::uint8_t*>(windows.data()) + 29 + 16 + 96 + 2 * i, folder[i].unicode());
    WriteAll(cwd.Path("tesselo.dat"), windows);
    ShownGame fromWindows;
    fromWindows.Load();
    EXPECT_EQ(fromWindows.picture.Folder().folder, "./Pictures/");
    EXPECT_EQ(fromWindows.game.View().puzzle.grid.columnCount, 4);
}

TEST(SavedGame, MutatedFilesAreReadWholeOrNotAtAll)
{
    TempCwd cwd;
    ShownGame source;
    source.game.ChangeSize({4, 6});
    source.game.NewGame();
    GameSetup(source.game).puzzle.moves = 12;
    const std::vector<std::uint8_t> good = Image(source);
    ASSERT_EQ(good.size(), 1361u);

    std::mt19937 rng(1169);
    int accepted = 0;
    for (int i = 0; i < 1000; ++i) {
        std::vector<std::uint8_t> bytes = good;
        const int edits = 1 + int(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = rng() % 70 < 60 ? rng() % 100 : rng() % bytes.size();
            bytes[at] = std::uint8_t(rng() % 3 == 0 ? 0xFF : rng());
        }
        if (rng() % 10 == 0)
            bytes.resize(rng() % bytes.size());
        ShownGame shown;
        const Game& g = shown.game;
        const Snapshot before(shown);
        const std::size_t used = Load(shown, bytes.data(), bytes.size());
        if (used == 0) {
            ASSERT_TRUE(Snapshot(shown) == before) << i;
            continue;
        }
        ++accepted;
        ASSERT_EQ(used, bytes.size());
        ASSERT_TRUE(g.View().puzzle.grid.Size().IsValid());
        std::set<std::pair<int, int>> homes;
        for (const auto& t : g.View().puzzle.grid.cells)
            homes.emplace(t.homeRow, t.homeColumn);
        ASSERT_EQ(homes.size(), g.View().puzzle.grid.cells.size());
        ASSERT_LT(g.View().puzzle.grid.selectedRow, g.View().puzzle.grid.rowCount);
        ASSERT_LT(g.View().puzzle.grid.selectedColumn, g.View().puzzle.grid.columnCount);
        ASSERT_GE(g.View().volume, 0);
        ASSERT_LE(g.View().volume, 100);
        ASSERT_LE(int(g.View().puzzle.state), 2);
        ASSERT_GE(g.View().puzzle.moves, 0);
        ASSERT_TRUE(g.View().stopwatch.elapsed >= 0 && g.View().stopwatch.elapsed <= Game::kMaxElapsed);
        // What was read is what gets written again.
        const std::vector<std::uint8_t> again = Image(shown);
        ASSERT_EQ(again.size(), used);
        ASSERT_TRUE(std::equal(bytes.begin(), bytes.begin() + 29 + 16 + 8 * 24, again.begin()));
    }
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 1000);
}

TEST(SavedGame, AFailedSaveReportsWhyAndTouchesNothing)
{
    TempCwd cwd;
    ASSERT_TRUE(QDir().mkdir(cwd.Path("tesselo.dat")));
    cwd.Text("tesselo.dat/keep", "mine");
    Game game;
    QString why;
    EXPECT_FALSE(SaveGame(game, &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(QFileInfo(cwd.Path("tesselo.dat")).isDir());
    EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat/keep")), "mine");
    // A directory where the file should be is no saved game on reading.
    Game other;
    LoadSavedGame(other);
    EXPECT_FALSE(other.View().stopwatch.resumePending);
    EXPECT_EQ(QDir(cwd.Path(".")).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST(SavedGame, ASecondSaveReplacesTheFirstWhole)
{
    TempCwd cwd;
    Game big;
    big.ChangeSize({4, 6});
    ASSERT_TRUE(SaveGame(big));
    Game small;
    ASSERT_TRUE(SaveGame(small));
    EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat")).size(), 1217);
    // The file lands in the current directory, wherever the program is.
    EXPECT_TRUE(QFileInfo::exists(cwd.Path("tesselo.dat")));
}

// Saving over a "tesselo.dat" that is no saved game keeps the old one aside.
TEST(SavedGame, AFileThatIsNoSavedGameIsSetAsideNotWrittenOver)
{
    TempCwd cwd;
    Game game;
    for (const char* text : {"Dear Tesselo", "a second one"}) {
        cwd.Text("tesselo.dat", text);
        ASSERT_TRUE(SaveGame(game));
    }
    EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat.damaged")), "Dear Tesselo");
    EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat.damaged-2")), "a second one");
    EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat")).size(), 1217);
    // A saved game, and an empty file, are simply replaced.
    ASSERT_TRUE(SaveGame(game));
    cwd.Text("tesselo.dat", "");
    ASSERT_TRUE(SaveGame(game));
    EXPECT_EQ(QDir(cwd.Path(".")).entryList(QDir::Files).size(), 3);
}

// A "tesselo.dat" that links elsewhere: written through onto a saved game
// or a file still to be made, never onto anything else.
TEST(SavedGame, ALinkIsWrittenThroughOnlyOntoASavedGame)
{
    TempCwd cwd;
    Game game;
    game.ChangeSize({3, 3});
    game.NewGame();
    const QString letter = cwd.Text("letter.txt", "Dear Tesselo, ...");
    const QString empty = cwd.Text("empty", "");
    const QString big = cwd.Text("big.dat", QByteArray(5000, 'b'));
    for (const QString& target : {letter, empty, big}) {
        QFile::remove(cwd.Path("tesselo.dat"));
        ASSERT_TRUE(QFile::link(target, cwd.Path("tesselo.dat")));
        const QByteArray before = ReadAll(target);
        QString why;
        EXPECT_FALSE(SaveGame(game, &why)) << target.toStdString();
        EXPECT_TRUE(why.contains(QFileInfo(target).fileName())) << why.toStdString();
        EXPECT_EQ(ReadAll(target), before);
        EXPECT_TRUE(QFileInfo(cwd.Path("tesselo.dat")).isSymLink());
    }

    // A link that leads nowhere is left as it is: nothing is made where it
    // points, and the save says why.
    QFile::remove(cwd.Path("tesselo.dat"));
    ASSERT_TRUE(QDir().mkdir(cwd.Path("saves")));
    ASSERT_TRUE(QFile::link(cwd.Path("saves/tesselo.dat"), cwd.Path("tesselo.dat")));
    QString why;
    EXPECT_FALSE(SaveGame(game, &why));
    EXPECT_TRUE(why.contains("not there")) << why.toStdString();
    EXPECT_FALSE(QFileInfo::exists(cwd.Path("saves/tesselo.dat")));
    EXPECT_TRUE(QFileInfo(cwd.Path("tesselo.dat")).isSymLink());
    // So is the history's: the game is saved, and the save fails saying
    // which file could not be kept, and why.
    QFile::remove(cwd.Path("tesselo.dat"));
    ASSERT_TRUE(QFile::link(cwd.Path("saves/history.json"), cwd.Path("tesselo-history.json")));
    EXPECT_FALSE(SaveGame(game, &why));
    EXPECT_TRUE(why.contains("tesselo-history.json") && why.contains("not there")) << why.toStdString();
    EXPECT_TRUE(SavedGameStore::IsSavedGameFile(cwd.Path("tesselo.dat")));
    EXPECT_FALSE(QFileInfo::exists(cwd.Path("saves/history.json")));
    QFile::remove(cwd.Path("tesselo-history.json"));

    // Kept elsewhere: a saved game there is replaced through the link.
    QFile::remove(cwd.Path("tesselo.dat"));
    ASSERT_TRUE(SaveGame(game));
    ASSERT_TRUE(QFile::rename(cwd.Path("tesselo.dat"), cwd.Path("saves/tesselo.dat")));
    ASSERT_TRUE(QFile::link(cwd.Path("saves/tesselo.dat"), cwd.Path("tesselo.dat")));
    GameSetup(game).puzzle.moves = 42;
    ASSERT_TRUE(SaveGame(game, &why)) << why.toStdString();
    EXPECT_TRUE(QFileInfo(cwd.Path("tesselo.dat")).isSymLink());
    Game loaded;
    LoadSavedGame(loaded);
    EXPECT_EQ(loaded.View().puzzle.moves, 42);
    EXPECT_EQ(loaded.View().puzzle.grid.columnCount, 3);
}

// Text that fills its whole area has lost its terminating zero: such a
// folder could not be written back as read, so the file is no saved game.
TEST(SavedGame, FolderOrNameWithoutItsTerminatorIsRefused)
{
    TempCwd cwd;
    cwd.Picture("Pictures/p.png", Qt::red);
    ShownGame source;
    source.game.ChangeSize({3, 3});
    source.game.NewGame();
    const std::vector<std::uint8_t> good = Image(source);
    const std::size_t picture = 29 + 16 + 8 * 9;
    ASSERT_EQ(GetInt32(&good[picture + 528]), 0) << "saved with its search open";

    const auto filled = [&](std::size_t at, std::size_t units, std::size_t zeroAt) {
        std::vector<std::uint8_t> b = good;
        for (std::size_t i = 0; i < units; ++i)
            PutUInt16(&b[at + 2 * i], i == zeroAt ? 0 : 'a');
        return b;
    };
    const std::size_t name = picture + 532 + 44;
    for (const auto& [at, what] : {std::pair{picture, "folder"}, std::pair{name, "entry name"}}) {
        ShownGame fresh;
        const Snapshot before(fresh);
        const auto full = filled(at, 260, 260);
        EXPECT_EQ(Load(fresh, full.data(), full.size()), 0u) << what;
        EXPECT_TRUE(Snapshot(fresh) == before) << what;
        EXPECT_FALSE(fresh.game.View().stopwatch.resumePending) << what;
        // The longest text that leaves room for its zero is still read.
        const auto longest = filled(at, 260, 259);
        EXPECT_EQ(Load(fresh, longest.data(), longest.size()), longest.size()) << what;
    }
}

// A process killed in the middle of saving leaves the previous file or the
// new one, each whole: the save goes to a side file that replaces the old
// one in a single rename.
TEST(SavedGame, AProcessKilledWhileSavingLeavesAWholeFile)
{
    TempCwd cwd;
    Game first;
    ASSERT_TRUE(SaveGame(first));
    std::mt19937 rng(8122026);
    int killedMidWrite = 0;
    for (int round = 0; round < 25; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves games of two lengths, so that a torn file would show.
            Game big, small;
            big.ChangeSize({4, 6});
            for (;;) {
                SaveGame(big);
                SaveGame(small);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200 + rng() % 20000));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const QByteArray bytes = ReadAll(cwd.Path("tesselo.dat"));
        ASSERT_TRUE(bytes.size() == 1217 || bytes.size() == 1169 + 8 * 24) << "round " << round << ": " << bytes.size();
        ShownGame reader;
        ASSERT_EQ(Load(reader, Bytes(bytes), std::size_t(bytes.size())), std::size_t(bytes.size())) << round;
        // A side file left by the kill is not the saved game, and the next
        // save still succeeds beside it.
        killedMidWrite += QDir(cwd.Path(".")).entryList(QDir::Files).size() > 1;
    }
    Game after;
    after.ChangeSize({3, 4});
    EXPECT_TRUE(SaveGame(after));
    Game next;
    LoadSavedGame(next);
    EXPECT_TRUE(next.View().stopwatch.resumePending);
    EXPECT_EQ(next.View().puzzle.grid.columnCount, 4);
    RecordProperty("killed_mid_write", killedMidWrite);
}

// A picture named as an old archive names it, "café.png" with the é as the
// one Latin-1 byte E9, is played, kept in the saved game's UTF-16 record as
// its escape U+DCE9, found again at the next start, and kept by name in the
// records of a win.
TEST(SavedGame, APictureWhoseNameIsNotUtf8IsPlayedAndResumed)
{
    TempCwd cwd;
    const QString name = cwd.PictureWithRawName("Pictures", "caf\xe9.png", Qt::darkCyan);
    ASSERT_EQ(name, QStringLiteral("caf") + QChar(0xDCE9) + QStringLiteral(".png"));
    const QRgb cyan = QColor(Qt::darkCyan).rgb();

    ShownGame game;
    EXPECT_EQ(game.picture.Board().sourcePath, "./Pictures/" + name);
    EXPECT_EQ(game.picture.Board().picture.pixel(0, 0), cyan);
    game.game.NewGame();
    game.game.ShiftRowRight();
    ASSERT_TRUE(game.Save());
    const QByteArray saved = ReadAll(cwd.Path(SavedGameStore::kFileName));
    const std::size_t nameAt =
        SavedGameFormat::FileSize({2, 3}) - SavedGameFormat::kPictureSize + 532 + FindData::kNameOffset;
    EXPECT_EQ(GetUInt16(Bytes(saved) + nameAt + 2 * 3), 0xDCE9);

    ShownGame resumed(GamePicture::FirstPicture::WhenLoaded);
    resumed.Load();
    EXPECT_EQ(resumed.game.View().puzzle.state, Playing);
    EXPECT_EQ(resumed.picture.Folder().findData.Name(), name);
    EXPECT_EQ(resumed.picture.Board().sourcePath, "./Pictures/" + name);
    EXPECT_EQ(resumed.picture.Board().picture.pixel(0, 0), cyan);

    GameResult won = resumed.game.ResultOfWin(resumed.picture.KeptName());
    EXPECT_EQ(won.picture, name);
    ASSERT_TRUE(Records().Add(won));
    Records kept;
    const auto results = kept.Page(won.size, won.style, Records::Order::NewestFirst, 0, 10);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].result.picture, name);
    QBuffer exported;
    exported.open(QIODevice::WriteOnly);
    ASSERT_TRUE(kept.Export(exported));
    EXPECT_EQ(QJsonDocument::fromJson(exported.data())["results"][0]["picture"].toString(), name);
}

// The picture record closes the file: the folder, the board's size, whether
// a search was open, and the entry it stood on.
TEST(SavedGame, ThePictureRecordLayout)
{
    TempCwd cwd;
    cwd.Picture("Pictures/pic.png", Qt::red);
    ShownGame shown;
    PictureFolder& folder = PictureSetup(shown.picture).folder;
    folder.width = 1234;
    folder.height = 567;
    ASSERT_EQ(folder.ShowCurrent(), "pic.png");
    std::vector<std::uint8_t> file = Image(shown);
    ASSERT_EQ(file.size(), SavedGameFormat::FileSize({2, 3}));
    const std::uint8_t* out = file.data() + file.size() - SavedGameFormat::kPictureSize;
    const QString f = "./Pictures/";
    for (int i = 0; i < 260; ++i)
        EXPECT_EQ(GetUInt16(&out[std::size_t(2 * i)]), i < f.size() ? f[i].unicode() : 0) << i;
    EXPECT_EQ(GetInt32(&out[520]), 1234);
    EXPECT_EQ(GetInt32(&out[524]), 567);
    EXPECT_EQ(GetInt32(&out[528]), 0);
    for (std::size_t i = 0; i < 44; ++i)
        EXPECT_EQ(out[532 + i], 0);
    const QString name = "pic.png";
    for (int i = 0; i < 260; ++i)
        EXPECT_EQ(GetUInt16(&out[std::size_t(532 + 44 + 2 * i)]), i < name.size() ? name[i].unicode() : 0);

    folder.CloseSearch();
    file = Image(shown);
    EXPECT_EQ(GetInt32(&file[file.size() - SavedGameFormat::kPictureSize + 528]), -1);
}

// What no file may hold is never written: it would be refused when read
// back, and the player's last good file would be lost to it.
TEST(SavedGame, AGameNoFileCanHoldIsNotWrittenOverTheLastOne)
{
    TempCwd cwd;
    ShownGame shown;
    ASSERT_TRUE(shown.Save());
    const QByteArray before = ReadAll(cwd.Path("tesselo.dat"));
    const auto refused = [&](const char* what, auto&& stage) {
        ShownGame odd;
        stage(odd);
        QString why;
        EXPECT_FALSE(odd.Save(&why)) << what;
        EXPECT_FALSE(why.isEmpty()) << what;
        EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat")), before) << what;
    };
    refused("a folder as long as its area",
            [](ShownGame& g) { PictureSetup(g.picture).folder.folder = QString(260, 'a'); });
    refused("a negative counter", [](ShownGame& g) { GameSetup(g.game).puzzle.moves = -1; });
    refused("a board no screen has",
            [](ShownGame& g) { PictureSetup(g.picture).folder.width = PictureFolder::kMaxBoardSide + 1; });
}

// On a grid of odd rows and odd columns only the even arrangements can be
// reached by slides: a file holding an odd one was made by hand, and no
// hint or solve could bring it home. It is no saved game; the same file
// with a second pair swapped back to even is one.
TEST(SavedGame, AnArrangementNoSlidesReachIsNoSavedGame)
{
    TempCwd cwd;
    for (const GridSize size : {GridSize{3, 3}, GridSize{15, 15}, GridSize{3, 5}}) {
        SCOPED_TRACE(size.Name());
        ShownGame source;
        source.game.ChangeSize(size);
        source.game.NewGame();
        ASSERT_TRUE(source.Save());
        const QByteArray good = ReadAll(cwd.Path("tesselo.dat"));
        const auto swapped = [](QByteArray bytes, int a, int b) {
            constexpr int kCells = 29 + 8;
            for (int i = 0; i < 8; ++i)
                std::swap(bytes[kCells + 8 * a + i], bytes[kCells + 8 * b + i]);
            return bytes;
        };
        const QByteArray odd = swapped(good, 0, 1);
        for (const auto& [what, bytes, sound] :
             {std::tuple{"odd", odd, false}, std::tuple{"even again", swapped(odd, 1, 2), true}}) {
            WriteAll(cwd.Path("tesselo.dat"), bytes);
            EXPECT_EQ(SavedGameFormat::Decode(bytes).has_value(), sound) << what;
            ShownGame fresh;
            fresh.Load();
            EXPECT_EQ(fresh.game.View().puzzle.state == Playing, sound) << what;
        }
    }
}
