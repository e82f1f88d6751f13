#include "files/byte_io.h"
#include "model/game.h"
#include "model/game_setup.h"
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

// Everything a saved game restores, for comparing two games.
struct Snapshot {
    explicit Snapshot(const Game& g)
        : state(g.state), axis(g.dragAxis), moves(g.moves), elapsed(g.elapsed), volume(g.volume),
          anchorX(g.dragAnchorX), anchorY(g.dragAnchorY), style(g.strategyStyle), rows(g.grid.rowCount),
          columns(g.grid.columnCount), selRow(g.grid.selectedRow), selColumn(g.grid.selectedColumn),
          folder(g.pictures.folder), width(g.pictures.width), height(g.pictures.height)
    {
        for (const auto& t : g.grid.cells)
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
    Game game;
    ASSERT_TRUE(game.SaveGame());
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
                Game saved;
                saved.ChangeLevel({sizes[s].first, sizes[s].second});
                saved.NewGame();
                saved.ShiftRowRight();
                saved.SelectDown();
                saved.SetStrategyStyle(strategy);
                GameSetup(saved).puzzle.state = st;
                GameSetup(saved).stopwatch.elapsed = 98765;
                saved.SetVolume(37);
                GameSetup(saved).pictures.width = 800;
                ASSERT_TRUE(saved.SaveGame());
                ASSERT_EQ(ReadAll(cwd.Path("tesselo.dat")).size(), fileSizes[s]);

                Game loaded;
                ASSERT_FALSE(loaded.resumePending);
                loaded.LoadSavedGame();
                EXPECT_TRUE(loaded.resumePending);
                EXPECT_TRUE(Snapshot(loaded) == Snapshot(saved)) << s << strategy << st;
                EXPECT_EQ(loaded.board.picture.width(), 800);
                EXPECT_TRUE(loaded.board.sourcePath.endsWith("p.png"));
            }
}

// Every size from 2 to 16 either way is read; one row or column fewer or
// more is not, though the file's length fits its counts.
TEST(SavedGame, TheReaderTakesTwoToSixteenRowsAndColumns)
{
    const std::tuple<int, int, bool> cases[] = {
        {2, 2, true}, {16, 16, true}, {2, 16, true}, {16, 2, true}, {7, 11, true},
        {1, 2, false}, {2, 1, false}, {17, 16, false}, {16, 17, false}, {1, 17, false},
    };
    for (const auto& [rows, columns, read] : cases) {
        SCOPED_TRACE(std::to_string(rows) + "x" + std::to_string(columns));
        Game game;
        GameSetup(game).puzzle.grid.Resize(rows, columns);
        std::vector<std::uint8_t> image(Game::kBufferSize);
        const std::size_t length = game.StoreTo(image.data(), image.size());
        ASSERT_EQ(length, Game::FileSize(rows, columns));
        EXPECT_EQ(Game::CheckRecord(image.data(), length), read ? length : 0u);
        Game loaded;
        EXPECT_EQ(loaded.LoadFrom(image.data(), length) != 0, read);
        EXPECT_EQ(loaded.grid.Size(), read ? (GridSize{rows, columns}) : kNovice);
    }
}

TEST(SavedGame, DamagedFilesAreTreatedAsNoFile)
{
    TempCwd cwd;
    Game source;
    source.ChangeLevel({3, 4});
    source.NewGame();
    ASSERT_TRUE(source.SaveGame());
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
        Game fresh;
        const Snapshot before(fresh);
        fresh.LoadSavedGame();
        EXPECT_TRUE(Snapshot(fresh) == before) << what;
        EXPECT_FALSE(fresh.resumePending) << what;
    }
    // The largest values a game can reach are still a saved game.
    QByteArray largest = patched(16, Game::kMaxElapsed);
    PutInt32(reinterpret_cast<std::uint8_t*>(largest.data()) + 20, std::numeric_limits<std::int32_t>::max());
    WriteAll(cwd.Path("tesselo.dat"), largest);
    Game patient;
    patient.LoadSavedGame();
    EXPECT_EQ(patient.elapsed, Game::kMaxElapsed);
    EXPECT_EQ(patient.moves, std::numeric_limits<std::int32_t>::max());
    // A saved game from the Windows build: its folder uses backslashes.
    QByteArray windows = good;
    const QString folder = ".\\Pictures\\";
    for (int i = 0; i < folder.size(); ++i)
        PutUInt16(reinterpret_cast<std::uint8_t*>(windows.data()) + 29 + 16 + 96 + 2 * i, folder[i].unicode());
    WriteAll(cwd.Path("tesselo.dat"), windows);
    Game fromWindows;
    fromWindows.LoadSavedGame();
    EXPECT_EQ(fromWindows.pictures.folder, "./Pictures/");
    EXPECT_EQ(fromWindows.grid.columnCount, 4);
}

TEST(SavedGame, MutatedFilesAreReadWholeOrNotAtAll)
{
    TempCwd cwd;
    Game source;
    source.ChangeLevel({4, 6});
    source.NewGame();
    GameSetup(source).puzzle.moves = 12;
    std::vector<std::uint8_t> good(Game::kBufferSize);
    const std::size_t length = source.StoreTo(good.data(), good.size());
    ASSERT_EQ(length, 1361u);
    good.resize(length);

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
        Game g;
        const Snapshot before(g);
        const std::size_t used = g.LoadFrom(bytes.data(), bytes.size());
        if (used == 0) {
            ASSERT_TRUE(Snapshot(g) == before) << i;
            continue;
        }
        ++accepted;
        ASSERT_EQ(used, bytes.size());
        ASSERT_TRUE(g.grid.Size().IsValid());
        std::set<std::pair<int, int>> homes;
        for (const auto& t : g.grid.cells)
            homes.emplace(t.homeRow, t.homeColumn);
        ASSERT_EQ(homes.size(), g.grid.cells.size());
        ASSERT_LT(g.grid.selectedRow, g.grid.rowCount);
        ASSERT_LT(g.grid.selectedColumn, g.grid.columnCount);
        ASSERT_GE(g.volume, 0);
        ASSERT_LE(g.volume, 100);
        ASSERT_LE(int(g.state), 2);
        ASSERT_GE(g.moves, 0);
        ASSERT_TRUE(g.elapsed >= 0 && g.elapsed <= Game::kMaxElapsed);
        // What was read is what gets written again.
        std::vector<std::uint8_t> again(Game::kBufferSize);
        ASSERT_EQ(g.StoreTo(again.data(), again.size()), used);
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
    EXPECT_FALSE(game.SaveGame(&why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(QFileInfo(cwd.Path("tesselo.dat")).isDir());
    EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat/keep")), "mine");
    // A directory where the file should be is no saved game on reading.
    Game other;
    other.LoadSavedGame();
    EXPECT_FALSE(other.resumePending);
    EXPECT_EQ(QDir(cwd.Path(".")).entryList(QDir::Files | QDir::Hidden).size(), 0);
}

TEST(SavedGame, ASecondSaveReplacesTheFirstWhole)
{
    TempCwd cwd;
    Game big;
    big.ChangeLevel({4, 6});
    ASSERT_TRUE(big.SaveGame());
    Game small;
    ASSERT_TRUE(small.SaveGame());
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
        ASSERT_TRUE(game.SaveGame());
    }
    EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat.damaged")), "Dear Tesselo");
    EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat.damaged-2")), "a second one");
    EXPECT_EQ(ReadAll(cwd.Path("tesselo.dat")).size(), 1217);
    // A saved game, and an empty file, are simply replaced.
    ASSERT_TRUE(game.SaveGame());
    cwd.Text("tesselo.dat", "");
    ASSERT_TRUE(game.SaveGame());
    EXPECT_EQ(QDir(cwd.Path(".")).entryList(QDir::Files).size(), 3);
}

// A "tesselo.dat" that links elsewhere: written through onto a saved game
// or a file still to be made, never onto anything else.
TEST(SavedGame, ALinkIsWrittenThroughOnlyOntoASavedGame)
{
    TempCwd cwd;
    Game game;
    game.ChangeLevel({3, 3});
    game.NewGame();
    const QString letter = cwd.Text("letter.txt", "Dear Tesselo, ...");
    const QString empty = cwd.Text("empty", "");
    const QString big = cwd.Text("big.dat", QByteArray(5000, 'b'));
    for (const QString& target : {letter, empty, big}) {
        QFile::remove(cwd.Path("tesselo.dat"));
        ASSERT_TRUE(QFile::link(target, cwd.Path("tesselo.dat")));
        const QByteArray before = ReadAll(target);
        QString why;
        EXPECT_FALSE(game.SaveGame(&why)) << target.toStdString();
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
    EXPECT_FALSE(game.SaveGame(&why));
    EXPECT_TRUE(why.contains("not there")) << why.toStdString();
    EXPECT_FALSE(QFileInfo::exists(cwd.Path("saves/tesselo.dat")));
    EXPECT_TRUE(QFileInfo(cwd.Path("tesselo.dat")).isSymLink());

    // Kept elsewhere: a saved game there is replaced through the link.
    QFile::remove(cwd.Path("tesselo.dat"));
    ASSERT_TRUE(game.SaveGame());
    ASSERT_TRUE(QFile::rename(cwd.Path("tesselo.dat"), cwd.Path("saves/tesselo.dat")));
    ASSERT_TRUE(QFile::link(cwd.Path("saves/tesselo.dat"), cwd.Path("tesselo.dat")));
    GameSetup(game).puzzle.moves = 42;
    ASSERT_TRUE(game.SaveGame(&why)) << why.toStdString();
    EXPECT_TRUE(QFileInfo(cwd.Path("tesselo.dat")).isSymLink());
    Game loaded;
    loaded.LoadSavedGame();
    EXPECT_EQ(loaded.moves, 42);
    EXPECT_EQ(loaded.grid.columnCount, 3);
}

// Text that fills its whole area has lost its terminating zero: such a
// folder could not be written back as read, so the file is no saved game.
TEST(SavedGame, FolderOrNameWithoutItsTerminatorIsRefused)
{
    TempCwd cwd;
    cwd.Picture("Pictures/p.png", Qt::red);
    Game source;
    source.ChangeLevel({3, 3});
    source.NewGame();
    std::vector<std::uint8_t> good(Game::kBufferSize);
    good.resize(source.StoreTo(good.data(), good.size()));
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
        Game fresh;
        const Snapshot before(fresh);
        const auto full = filled(at, 260, 260);
        EXPECT_EQ(fresh.LoadFrom(full.data(), full.size()), 0u) << what;
        EXPECT_TRUE(Snapshot(fresh) == before) << what;
        EXPECT_FALSE(fresh.resumePending) << what;
        // The longest text that leaves room for its zero is still read.
        const auto longest = filled(at, 260, 259);
        EXPECT_EQ(fresh.LoadFrom(longest.data(), longest.size()), longest.size()) << what;
    }
}

// A process killed in the middle of saving leaves the previous file or the
// new one, each whole: the save goes to a side file that replaces the old
// one in a single rename.
TEST(SavedGame, AProcessKilledWhileSavingLeavesAWholeFile)
{
    TempCwd cwd;
    Game first;
    ASSERT_TRUE(first.SaveGame());
    std::mt19937 rng(8122026);
    int killedMidWrite = 0;
    for (int round = 0; round < 25; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves games of two lengths, so that a torn file would show.
            Game big, small;
            big.ChangeLevel({4, 6});
            for (;;) {
                big.SaveGame();
                small.SaveGame();
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200 + rng() % 20000));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const QByteArray bytes = ReadAll(cwd.Path("tesselo.dat"));
        ASSERT_TRUE(bytes.size() == 1217 || bytes.size() == 1169 + 8 * 24) << "round " << round << ": " << bytes.size();
        Game reader;
        ASSERT_EQ(reader.LoadFrom(Bytes(bytes), std::size_t(bytes.size())), std::size_t(bytes.size())) << round;
        // A side file left by the kill is not the saved game, and the next
        // save still succeeds beside it.
        killedMidWrite += QDir(cwd.Path(".")).entryList(QDir::Files).size() > 1;
    }
    Game after;
    after.ChangeLevel({3, 4});
    EXPECT_TRUE(after.SaveGame());
    Game next;
    next.LoadSavedGame();
    EXPECT_TRUE(next.resumePending);
    EXPECT_EQ(next.grid.columnCount, 4);
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

    Game game;
    EXPECT_EQ(game.board.sourcePath, "./Pictures/" + name);
    EXPECT_EQ(game.board.picture.pixel(0, 0), cyan);
    game.NewGame();
    game.ShiftRowRight();
    ASSERT_TRUE(game.SaveGame());
    const QByteArray saved = ReadAll(cwd.Path(Game::kSaveFileName));
    const std::size_t nameAt = Game::FileSize(2, 3) - PictureFolder::kRecordSize + 532 + FindData::kNameOffset;
    EXPECT_EQ(GetUInt16(Bytes(saved) + nameAt + 2 * 3), 0xDCE9);

    Game resumed(Game::SystemFileTime, Game::FirstPicture::WhenLoaded);
    resumed.LoadSavedGame();
    EXPECT_EQ(resumed.state, Playing);
    EXPECT_EQ(resumed.pictures.findData.Name(), name);
    EXPECT_EQ(resumed.board.sourcePath, "./Pictures/" + name);
    EXPECT_EQ(resumed.board.picture.pixel(0, 0), cyan);

    GameResult won = resumed.ResultOfWin();
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
