#include "files/safe_file.h"
#include "model/game.h"
#include "records/records.h"
#include "saved/history_file.h"
#include "support/in_child.h"
#include "support/pipe_race.h"
#include "support/saved_games.h"
#include "support/temp_cwd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tesselo;
using tesselo::testing::InChild;
using tesselo::testing::RaceAgainstAPipe;
using tesselo::testing::SaveGame;
using tesselo::testing::TempCwd;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(SafeFile, ReplacesWholeAndLeavesNoSideFile)
{
    TempCwd cwd;
    QString why;
    ASSERT_TRUE(WriteFileAtomically("a.dat", QByteArray(3000, 'x'), &why)) << why.toStdString();
    ASSERT_TRUE(WriteFileAtomically("a.dat", "short", &why)) << why.toStdString();
    EXPECT_EQ(ReadAll(cwd.Path("a.dat")), "short");
    EXPECT_EQ(QDir(cwd.Path(".")).entryList(QDir::Files | QDir::Hidden), QStringList{"a.dat"});
}

TEST(SafeFile, LinksAreWrittenThroughOnlyToAcceptedFiles)
{
    TempCwd cwd;
    const QString other = cwd.Text("other.txt", "someone's notes");
    const QString game = cwd.Text("keep/game.dat", "old game");
    ASSERT_TRUE(QFile::link(other, cwd.Path("to-other")));
    ASSERT_TRUE(QFile::link("keep/game.dat", cwd.Path("to-game")));
    ASSERT_TRUE(QFile::link("keep/new.dat", cwd.Path("to-new")));
    ASSERT_TRUE(QFile::link("hop", cwd.Path("to-hop")));
    ASSERT_TRUE(QFile::link("to-game", cwd.Path("hop")));
    ASSERT_TRUE(QFile::link("loop-b", cwd.Path("loop-a")));
    ASSERT_TRUE(QFile::link("loop-a", cwd.Path("loop-b")));
    ASSERT_TRUE(QFile::link(cwd.Path("keep"), cwd.Path("to-dir")));
    const auto isGame = [&](const QString& target) { return ReadAll(target).startsWith("old game"); };

    QString why;
    EXPECT_FALSE(WriteFileAtomically("to-other", "new", &why, isGame));
    EXPECT_TRUE(why.contains("other.txt")) << why.toStdString();
    EXPECT_FALSE(WriteFileAtomically("to-game", "new", &why)) << "no check: an existing target is kept";
    EXPECT_FALSE(WriteFileAtomically("loop-a", "new", &why, isGame));
    EXPECT_FALSE(WriteFileAtomically("to-dir", "new", &why, [](const QString&) { return true; }));
    EXPECT_EQ(ReadAll(other), "someone's notes");
    EXPECT_EQ(ReadAll(game), "old game");

    EXPECT_TRUE(WriteFileAtomically("to-hop", "old game, later", &why, isGame)) << why.toStdString();
    EXPECT_EQ(ReadAll(game), "old game, later");
    // A link that leads nowhere makes nothing where it points.
    EXPECT_FALSE(WriteFileAtomically("to-new", "fresh", &why, [](const QString&) { return true; }));
    EXPECT_TRUE(why.contains("not there")) << why.toStdString();
    EXPECT_FALSE(QFileInfo::exists(cwd.Path("keep/new.dat")));
    for (const char* link : {"to-other", "to-game", "to-new", "to-hop", "hop"})
        EXPECT_TRUE(QFileInfo(cwd.Path(link)).isSymLink()) << link;
}

TEST(SafeFile, NeverReplacesAPipeOrBlocksOnIt)
{
    TempCwd cwd;
    ASSERT_EQ(mkfifo(cwd.Path("pipe").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(cwd.Path("pipe"), cwd.Path("to-pipe")));
    EXPECT_FALSE(WriteFileAtomically("pipe", "x"));
    EXPECT_FALSE(WriteFileAtomically("to-pipe", "x", nullptr, [](const QString&) { return true; }));
    EXPECT_FALSE(QFileInfo(cwd.Path("pipe")).isFile());
}

// A write refused part way (here by a file size limit, as a full disk
// refuses it) must leave the old file as it was, and say so.
TEST(SafeFile, AWriteRefusedPartWayKeepsTheOldFile)
{
    TempCwd cwd;
    const QByteArray old(1000, 'o');
    cwd.Text("a.dat", old);
    const int status = InChild([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{500, 500};
        setrlimit(RLIMIT_FSIZE, &limit);
        QString why;
        const bool ok = WriteFileAtomically("a.dat", QByteArray(1217, 'n'), &why);
        return ok ? 1 : why.isEmpty() ? 2 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadAll(cwd.Path("a.dat")), old);
    EXPECT_EQ(QDir(cwd.Path(".")).entryList(QDir::Files | QDir::Hidden), QStringList{"a.dat"});
}

// The real thing: a tmpfs filled to the last block, mounted privately in a
// child (needs root; skipped otherwise).
TEST(SafeFile, AFullFileSystemKeepsTheOldFile)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    TempCwd cwd;
    ASSERT_TRUE(QDir().mkdir(cwd.Path("disk")));
    const QByteArray dir = cwd.Path("disk").toLocal8Bit();
    const int status = InChild([&] {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", dir.constData(), "tmpfs", 0, "size=64k") != 0)
            return 3;
        const QString file = QString::fromLocal8Bit(dir) + "/a.dat";
        if (!WriteFileAtomically(file, QByteArray(1217, 'o')))
            return 4;
        QFile filler(QString::fromLocal8Bit(dir) + "/filler");
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (filler.write(QByteArray(512, 'f')) > 0) {
        }
        filler.close();
        QString why;
        if (WriteFileAtomically(file, QByteArray(1217, 'n'), &why))
            return 1;
        if (why.isEmpty())
            return 2;
        if (ReadAll(file) != QByteArray(1217, 'o'))
            return 5;
        return QDir(QString::fromLocal8Bit(dir)).entryList(QDir::Files | QDir::Hidden).size() == 2 ? 0 : 6;
    });
    if (status == 3)
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(status, 0);
}

// What each kind of name gives a reader, links followed as the game follows
// them; nothing that is not a regular file of an accepted size is read.
TEST(SafeFile, ReadsOnlyRegularFilesWithinTheirBounds)
{
    TempCwd cwd;
    cwd.Text("five", "12345");
    cwd.Text("empty", "");
    QDir().mkdir(cwd.Path("folder"));
    ASSERT_EQ(mkfifo(cwd.Path("pipe").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("five", cwd.Path("to-five")));
    ASSERT_TRUE(QFile::link("nowhere", cwd.Path("dangling")));
    ASSERT_TRUE(QFile::link("pipe", cwd.Path("to-pipe")));
    ASSERT_TRUE(QFile::link("loop-b", cwd.Path("loop-a")));
    ASSERT_TRUE(QFile::link("loop-a", cwd.Path("loop-b")));
    const struct {
        const char* name;
        qint64 min, max;
        ReadRefusal why;
        QByteArray bytes;
    } cases[] = {
        {"five", 0, 5, ReadRefusal::None, "12345"},
        {"to-five", 5, 5, ReadRefusal::None, "12345"},
        {"empty", 0, 5, ReadRefusal::None, ""},
        {"empty", 1, 5, ReadRefusal::OutOfBounds, {}},
        {"five", 0, 4, ReadRefusal::OutOfBounds, {}},
        {"five", 6, 9, ReadRefusal::OutOfBounds, {}},
        {"missing", 0, 5, ReadRefusal::Missing, {}},
        {"dangling", 0, 5, ReadRefusal::Missing, {}},
        {"loop-a", 0, 5, ReadRefusal::Unreadable, {}}, // something is there, though nothing can be read
        {"folder", 0, FileToRead::kNoLimit, ReadRefusal::NotAFile, {}},
        {"pipe", 0, 5, ReadRefusal::NotAFile, {}},
        {"to-pipe", 0, 5, ReadRefusal::NotAFile, {}},
        {"/proc/self/status", 0, 5, ReadRefusal::None, ""}, // reports no bytes: not read
    };
    for (const auto& c : cases) {
        ReadRefusal why = ReadRefusal::Unreadable;
        const std::optional<QByteArray> read = ReadWholeFile(QString::fromLatin1(c.name), c.min, c.max, &why);
        EXPECT_EQ(why, c.why) << c.name;
        EXPECT_EQ(read.value_or("<none>"), c.why == ReadRefusal::None ? c.bytes : "<none>") << c.name;
    }
}

// Each reader of the game's own files, facing a name that turns into a named
// pipe between any look at the name and the open, neither waits for a
// writer nor takes the pipe for its file.
TEST(SafeFile, ReadersNeverWaitOnAPipeSwappedIn)
{
    TempCwd cwd;
    Game game;
    game.ChangeSize({3, 3});
    game.NewGame();
    ASSERT_TRUE(SaveGame(game));
    const QByteArray savedGame = ReadAll(cwd.Path(SavedGameStore::kFileName));
    const QByteArray history = HistoryFile::Encode(game.View().puzzle.history);
    const QByteArray records = R"({"version":1,"results":[]})";
    const struct {
        const char* reader;
        QByteArray content;
        std::function<bool(const QString&)> read;
    } readers[] = {
        {"saved game", savedGame, [](const QString& name) { return SavedGameStore::IsSavedGameFile(name); }},
        {"history", history, [](const QString& name) { return HistoryFile::Read(name).has_value(); }},
        {"records", records,
         [](const QString& name) {
             // The JSON file of earlier versions, imported into a database
             // of its own.
             Records imported(QStringLiteral("race.sqlite"), name);
             imported.Open();
             return imported.FilesSetAside().isEmpty();
         }},
    };
    for (const auto& r : readers) {
        const auto race = RaceAgainstAPipe(QStringLiteral("race-%1").arg(r.reader), r.content, r.read);
        EXPECT_FALSE(race.hung) << r.reader << " waited on the pipe";
        // Both sides of the race were met, or it proved nothing.
        EXPECT_GT(race.read, 0) << r.reader;
        EXPECT_GT(race.refused, 0) << r.reader;
    }
}
