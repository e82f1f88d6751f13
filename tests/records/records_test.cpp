#include "records/records.h"
#include "records/result_json.h"
#include "support/in_child.h"
#include "support/temp_cwd.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <functional>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tesselo;
using tesselo::testing::InChild;
using tesselo::testing::TempCwd;

namespace {

GameResult Win(const char* level, const char* style, int moves, qint64 ms, int minute = 0)
{
    GameResult r;
    r.size = GridSize::FromName(level).value();
    r.style = Style::FromKey(style).value();
    r.moves = moves;
    r.milliseconds = ms;
    r.finished = QDateTime(QDate(2026, 12, 8), QTime(10, minute), Qt::UTC);
    r.picture = QStringLiteral("harbour.jpg");
    r.start.Resize(2, 3);
    r.start.Apply(Move{MoveAxis::Row, 0, 1});
    r.steps = {HistoryStep{Move{MoveAxis::Row, 0, -1}, {0, 1}, {0, 0}}};
    return r;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList AsideFiles()
{
    return QDir(".").entryList({QStringLiteral("tesselo-records.*.*")}, QDir::Files | QDir::System);
}

// Runs SQL on the records file from outside the game, as another program
// (or a player with the sqlite3 shell) would.
void Sql(const QByteArray& sql, const char* file = Records::kFileName)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file, &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

QJsonArray ExportedResults(Records& records, QJsonObject* root = nullptr)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(records.Export(out, &error)) << error.toStdString();
    QJsonParseError parsed{};
    const QJsonObject o = QJsonDocument::fromJson(out.data(), &parsed).object();
    EXPECT_EQ(parsed.error, QJsonParseError::NoError) << out.data().left(200).constData();
    EXPECT_EQ(o["version"], 1);
    if (root)
        *root = o;
    return o["results"].toArray();
}

} // namespace

TEST(Records, KeepsEveryWinAndSumsUpEachLevelAndStyle)
{
    TempCwd cwd;
    {
        Records records;
        EXPECT_TRUE(records.IsNewBest(Win("Pro", "Speed", 30, 9000))); // the first win of a kind is a best
        const int times[] = {9000, 7000, 8000, 20000, 6000, 7500};
        for (int i = 0; i < 6; ++i)
            ASSERT_TRUE(records.Add(Win("Pro", "Speed", 30 + i, times[i], i)));
        GameResult helped = Win("Pro", "Speed", 3, 100, 30);
        helped.assisted = 2;
        EXPECT_FALSE(records.IsNewBest(helped));
        ASSERT_TRUE(records.Add(helped));
        GameResult daily = Win("Pro", "Strategy", 12, 99999);
        daily.par = 10;
        daily.parIsOptimal = true;
        daily.daily = QDate(2026, 12, 8);
        ASSERT_TRUE(records.Add(daily));
    }

    Records reread;
    const Records::Summary speed = reread.Summarize(kPro, Style::Speed);
    // The helped win counts among the wins, and for nothing else.
    EXPECT_EQ(speed.won, 7);
    ASSERT_TRUE(speed.best);
    EXPECT_EQ(speed.best->milliseconds, 6000);
    // The last five without help are 7000 8000 20000 6000 7500; without
    // the best and the worst: (7000 + 8000 + 7500) / 3.
    ASSERT_TRUE(speed.averageOf5);
    EXPECT_DOUBLE_EQ(*speed.averageOf5, 7500.0);
    EXPECT_FALSE(speed.averageOf12);
    EXPECT_EQ(reread.Summarize(kPro, Style::Strategy).best->moves, 12);
    EXPECT_EQ(reread.Summarize(kGenius, Style::Speed).won, 0);
    // Fewer moves beats a "Strategy" best; a tie does not.
    EXPECT_TRUE(reread.IsNewBest(Win("Pro", "Strategy", 11, 1)));
    EXPECT_FALSE(reread.IsNewBest(Win("Pro", "Strategy", 12, 1)));
    EXPECT_FALSE(reread.IsNewBest(Win("Pro", "Speed", 1, 6000)));

    // Pages: best first puts the helped win last; newest first by the clock.
    const auto ms = [](const std::vector<Records::KeptWin>& page) {
        std::vector<qint64> out;
        for (const Records::KeptWin& w : page)
            out.push_back(w.result.milliseconds);
        return out;
    };
    using O = Records::Order;
    EXPECT_EQ(ms(reread.Page(kPro, Style::Speed, O::BestFirst, 0, 3)), (std::vector<qint64>{6000, 7000, 7500}));
    EXPECT_EQ(ms(reread.Page(kPro, Style::Speed, O::BestFirst, 5, 10)), (std::vector<qint64>{20000, 100}));
    EXPECT_EQ(ms(reread.Page(kPro, Style::Speed, O::NewestFirst, 0, 2)), (std::vector<qint64>{100, 7500}));
    EXPECT_EQ(reread.Page(kPro, Style::Speed, O::NewestFirst, 0, 2)[0].result.assisted, 2);

    // A win comes back whole, replay and all, by its id.
    const Records::KeptWin row = reread.Page(kPro, Style::Strategy, O::BestFirst, 0, 1).at(0);
    EXPECT_TRUE(row.replayable);
    EXPECT_TRUE(row.result.steps.empty()); // a page never reads the replay
    const std::optional<GameResult> back = reread.Win(row.id);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->start.SameCells(Win("Pro", "Strategy", 0, 0).start));
    EXPECT_EQ(back->steps, Win("Pro", "Strategy", 0, 0).steps);
    EXPECT_EQ(back->picture, "harbour.jpg");
    EXPECT_EQ(back->finished, QDateTime(QDate(2026, 12, 8), QTime(10, 0), Qt::UTC));
    EXPECT_EQ(back->par, 10);
    EXPECT_TRUE(back->parIsOptimal);
    EXPECT_EQ(back->daily, QDate(2026, 12, 8));
    EXPECT_TRUE(AsideFiles().isEmpty());
}

TEST(Records, TheJsonFileIsImportedOnceAndExportedWithWhatItHeld)
{
    TempCwd cwd;
    {
        Records none; // records never kept export as none, and make no file
        EXPECT_TRUE(ExportedResults(none).isEmpty());
        EXPECT_FALSE(QFile::exists(Records::kFileName));
    }
    QJsonObject extra = ResultToJson(Win("Expert", "Speed", 40, 5000));
    extra["mood"] = QStringLiteral("elated");
    extra["finished"] = QStringLiteral("2026-12-08T11:00:00.250+01:00"); // finer than this version writes
    QJsonObject broken = ResultToJson(Win("Expert", "Speed", 41, 6000));
    broken["steps"] = QJsonArray{QJsonArray{0, 7, 1, 0, 0, 0, 0}}; // a line the grid does not have
    QJsonObject negative = ResultToJson(Win("Expert", "Speed", -3, 1000));
    QJsonObject unknown = ResultToJson(Win("Expert", "Speed", 3, 10));
    unknown["level"] = QStringLiteral("Legend");
    QJsonObject old = ResultToJson(Win("Expert", "Strategy", 9, 10)); // as the first version wrote it
    for (const char* field : {"par", "parIsOptimal", "assisted", "daily"})
        old.remove(QLatin1String(field));
    const QJsonArray results{extra, broken, negative, unknown, 17, old};
    const QByteArray file =
        QJsonDocument(QJsonObject{{"version", 1}, {"results", results}, {"by", "a newer game"}}).toJson();
    cwd.Text(Records::kJsonFileName, file);

    Records records;
    ASSERT_TRUE(records.Open());
    EXPECT_FALSE(QFile::exists(Records::kJsonFileName));
    EXPECT_EQ(ReadAll("tesselo-records.json.imported"), file);
    EXPECT_EQ(records.CountAll(), 6);
    const Records::Summary s = records.Summarize(kExpert, Style::Speed);
    EXPECT_EQ(s.won, 2); // the sound ones
    EXPECT_EQ(s.best->milliseconds, 5000);
    EXPECT_EQ(records.Summarize(kExpert, Style::Strategy).won, 1);
    // Only the win whose replay fits its start can be replayed.
    for (const Records::KeptWin& w : records.Page(kExpert, Style::Speed, Records::Order::BestFirst, 0, 9))
        EXPECT_EQ(w.replayable, w.result.milliseconds == 5000);

    // Imported once: a second window finds nothing more to import.
    ASSERT_TRUE(records.Add(Win("Expert", "Speed", 35, 4000)));
    Records other;
    EXPECT_EQ(other.CountAll(), 7);

    // Every field of every result comes back as it was; the new fields are
    // written beside them.
    QJsonObject root;
    const QJsonArray exported = ExportedResults(other, &root);
    EXPECT_EQ(root["by"].toString(), "a newer game");
    ASSERT_EQ(exported.size(), 7);
    const QJsonArray inOrder{extra, broken, old, ResultToJson(Win("Expert", "Speed", 35, 4000)), negative, unknown, 17};
    for (int i = 0; i < 7; ++i) {
        if (!inOrder[i].isObject()) {
            EXPECT_EQ(exported[i], inOrder[i]);
            continue;
        }
        const QJsonObject was = inOrder[i].toObject(), is = exported[i].toObject();
        for (auto it = was.begin(); it != was.end(); ++it)
            EXPECT_EQ(is.value(it.key()), it.value()) << i << " " << it.key().toStdString();
        EXPECT_EQ(is.value("assisted"), 0) << i;
    }
    EXPECT_TRUE(AsideFiles() == QStringList{"tesselo-records.json.imported"}) << AsideFiles().join(' ').toStdString();
}

// Whatever lies under the records' name and is not a sound database of this
// game is set aside whole, its journal with it, and a new file begun; a
// file of a later version is left alone and not written to.
TEST(Records, FilesThatAreNotOursAreSetAsideAndANewOneBegun)
{
    struct Case {
        const char* what;
        std::function<void(TempCwd&)> make;
        const char* setAsideAs; // nullptr: left as it is
    };
    const auto ourFile = [](TempCwd&) {
        std::vector<GameResult> wins;
        for (int i = 0; i < 40; ++i)
            wins.push_back(Win("Genius", "Speed", 80 + i, 60000 + i));
        ASSERT_TRUE(Records().AddAll(wins));
    };
    const Case cases[] = {
        {"not a database", [](TempCwd& cwd) { cwd.Text(Records::kFileName, "just some text, not SQLite"); },
         "tesselo-records.sqlite.damaged"},
        {"another program's database", [](TempCwd&) { Sql("CREATE TABLE notes(text)"); },
         "tesselo-records.sqlite.damaged"},
        {"a table added by hand",
         [&](TempCwd& cwd) {
             ourFile(cwd);
             Sql("CREATE TABLE mine(x)");
         },
         "tesselo-records.sqlite.damaged"},
        {"a page overwritten, and a journal beside it",
         [&](TempCwd& cwd) {
             ourFile(cwd);
             QFile f(Records::kFileName);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             ASSERT_TRUE(f.seek(f.size() / 2 / 4096 * 4096));
             f.write(QByteArray(4096, '\x55'));
             cwd.Text(QStringLiteral("tesselo-records.sqlite-journal"), "a journal of that file");
         },
         "tesselo-records.sqlite.damaged"},
        {"a directory", [](TempCwd&) { QDir().mkdir(Records::kFileName); }, "tesselo-records.sqlite.damaged"},
        {"a later version",
         [&](TempCwd& cwd) {
             ourFile(cwd);
             Sql(QStringLiteral("PRAGMA user_version = %1").arg(Records::kSchemaVersion + 1).toLatin1());
         },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempCwd cwd;
        c.make(cwd);
        const QByteArray before = ReadAll(Records::kFileName);
        Records records;
        Records::Failure failure;
        if (!c.setAsideAs) {
            EXPECT_FALSE(records.Open(&failure));
            EXPECT_TRUE(failure.reason.contains("newer")) << failure.reason.toStdString();
            EXPECT_FALSE(records.Add(Win("Novice", "Strategy", 5, 100)));
            EXPECT_EQ(records.Unwritten(), 1u);
            EXPECT_EQ(ReadAll(Records::kFileName), before);
            EXPECT_TRUE(AsideFiles().isEmpty());
            continue;
        }
        EXPECT_TRUE(records.Open(&failure)) << failure.reason.toStdString();
        EXPECT_EQ(records.FilesSetAside(), QStringList{c.setAsideAs});
        EXPECT_EQ(ReadAll(c.setAsideAs), before);
        if (QFile::exists(QString::fromLatin1(c.setAsideAs) + "-journal")) {
            EXPECT_EQ(ReadAll(QString::fromLatin1(c.setAsideAs) + "-journal"), "a journal of that file");
        }
        EXPECT_FALSE(QFile::exists(QStringLiteral("tesselo-records.sqlite-journal")));
        ASSERT_TRUE(records.Add(Win("Novice", "Strategy", 5, 100)));
        Records reread;
        EXPECT_EQ(reread.Summarize(kNovice, Style::Strategy).won, 1);
        EXPECT_EQ(reread.CountAll(), 1);
        EXPECT_EQ(ReadAll(c.setAsideAs), before);
    }

    // A JSON file of earlier versions that cannot be read is set aside too.
    for (const QByteArray& damage : {QByteArray("not json at all"), QByteArray("{\"version\": 2, \"results\": []}"),
                                     QByteArray("{\"version\": 1, \"results\": {}}"), QByteArray("[1, 2]")}) {
        TempCwd cwd;
        cwd.Text(Records::kJsonFileName, damage);
        Records records;
        EXPECT_TRUE(records.Open());
        EXPECT_EQ(records.FilesSetAside(), QStringList{"tesselo-records.json.damaged"}) << damage.constData();
        EXPECT_EQ(ReadAll("tesselo-records.json.damaged"), damage);
    }

    // Clearing asks the same: the old file is kept under another name.
    TempCwd cwd;
    Records records;
    ASSERT_TRUE(records.Add(Win("Novice", "Strategy", 5, 100)));
    const QByteArray before = ReadAll(Records::kFileName);
    ASSERT_TRUE(records.Clear());
    EXPECT_EQ(records.FilesSetAside(), QStringList{"tesselo-records.sqlite.cleared"});
    EXPECT_EQ(ReadAll("tesselo-records.sqlite.cleared"), before);
    EXPECT_EQ(records.Summarize(kNovice, Style::Strategy).won, 0);
}

// A win that cannot be written is told, with the file and a reason, kept
// in memory, and written once the way is clear. Each case runs in a child,
// which tries, tells the parent, waits while the parent clears the way,
// and flushes. Permissions do not bind root: as root the child becomes
// "nobody" first.
TEST(Records, AWinThatCannotBeWrittenIsToldAndWrittenLater)
{
    struct Case {
        const char* what;
        QString records;                   // the path the child writes through
        std::function<void()> block;       // in the parent, before the child tries
        bool dropRights;                   // the child tries as an ordinary user
        rlim_t fileSizeLimit;              // in the child, 0 for none
        std::function<void()> unblock;     // in the parent, once the child has failed
        const char* reason;
        int onlyInMemory = -1;             // whether the pending file could not take it either; -1 either
    };
    sqlite3* holder = nullptr;
    const Case cases[] = {
        {"another window holds the file", Records::kFileName,
         [&] {
             ASSERT_EQ(sqlite3_open(Records::kFileName, &holder), SQLITE_OK);
             ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
         },
         false, 0,
         [&] {
             sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
             sqlite3_close(holder);
         },
         "busy", 0},
        {"a read-only folder", Records::kFileName, [] { ASSERT_EQ(chmod(".", 0555), 0); }, true, 0,
         [] { ASSERT_TRUE(chmod(".", 0777) == 0 && chmod(Records::kFileName, 0666) == 0); }, "may not be written", 1},
        {"a link into a read-only folder", QStringLiteral("linked.sqlite"),
         [] {
             ASSERT_TRUE(QDir().mkdir("locked") && chmod("locked", 0555) == 0);
             ASSERT_TRUE(QFile::link("locked/records.sqlite", "linked.sqlite"));
         },
         true, 0, [] { ASSERT_EQ(chmod("locked", 0777), 0); }, "may not be written", 1},
        {"a full disk", Records::kFileName, [] {}, false, 2048, [] {}, "full"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempCwd cwd;
        ASSERT_EQ(chmod(".", 0755), 0); // the ordinary user may come in
        {
            Records records;
            ASSERT_TRUE(records.Add(Win("Genius", "Speed", 80, 60000)));
        }
        const QByteArray before = ReadAll(Records::kFileName);
        int told[2], go[2];
        ASSERT_TRUE(pipe(told) == 0 && pipe(go) == 0);
        // The child is made before the parent opens anything: SQLite's locks
        // do not survive a fork.
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            char byte = 0;
            if (read(go[0], &byte, 1) != 1)
                _exit(3);
            if (c.dropRights && geteuid() == 0 &&
                (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
                _exit(77);
            std::signal(SIGXFSZ, SIG_IGN);
            if (c.fileSizeLimit) {
                const rlimit small{c.fileSizeLimit, RLIM_INFINITY};
                setrlimit(RLIMIT_FSIZE, &small);
            }
            Records records(c.records);
            records.SetBusyTimeout(200);
            Records::Failure failure;
            const bool added = records.Add(Win("Genius", "Speed", 70, 50000), &failure);
            // The message says only what is true of where the win is.
            const bool saysMemory = failure.Message().contains(QStringLiteral("could not be kept in a file"));
            const char result = added                                    ? 'w'
                                : failure.file != c.records              ? 'f'
                                : !failure.reason.contains(c.reason)     ? 'r'
                                : records.Unwritten() != 1               ? 'u'
                                : saysMemory != failure.onlyInMemory     ? 'm'
                                : c.onlyInMemory >= 0 && failure.onlyInMemory != (c.onlyInMemory == 1) ? 'p'
                                                                         : 'k';
            if (result != 'k')
                std::fprintf(stderr, "%s: %s\n", qPrintable(failure.file), qPrintable(failure.reason));
            if (write(told[1], &result, 1) != 1 || read(go[0], &byte, 1) != 1)
                _exit(3);
            const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &unlimited);
            if (!records.Flush(&failure) || records.Unwritten() != 0) {
                std::fprintf(stderr, "flush: %s\n", qPrintable(failure.reason));
                _exit(4);
            }
            _exit(0);
        }
        c.block();
        ASSERT_EQ(write(go[1], "s", 1), 1);
        char result = 0;
        ASSERT_EQ(read(told[0], &result, 1), 1);
        EXPECT_EQ(result, 'k') << "w: written after all, f: another file named, r: another reason, u: not kept, "
                                  "m: the message says otherwise, p: wrongly said to be (or not be) in the pending file";
        if (result == 'k') {
            EXPECT_EQ(ReadAll(Records::kFileName), before);
        }
        c.unblock();
        ASSERT_EQ(write(go[1], "g", 1), 1);
        int status = 0;
        waitpid(child, &status, 0);
        for (const int fd : {told[0], told[1], go[0], go[1]})
            close(fd);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
            ADD_FAILURE() << "could not become an ordinary user";
            continue;
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        Records reread(c.records);
        EXPECT_EQ(reread.CountAll(), c.records == Records::kFileName ? 2 : 1);
        EXPECT_TRUE(reread.FilesSetAside().isEmpty());
    }
}

// Two windows of the game in one folder, winning at the same moments: every
// win of both is kept, and counted.
TEST(Records, TwoWindowsKeepEveryWinOfBoth)
{
    TempCwd cwd;
    constexpr int kWins = 25;
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t children[2];
    for (int w = 0; w < 2; ++w) {
        children[w] = fork();
        ASSERT_GE(children[w], 0);
        if (children[w] == 0) {
            char byte = 0;
            if (read(start[0], &byte, 1) != 1)
                _exit(3);
            Records records;
            Records::Failure failure;
            for (int i = 0; i < kWins; ++i)
                if (!records.Add(Win("Expert", w == 0 ? "Speed" : "Strategy", 10 + i, 1000 + i), &failure)) {
                    std::fprintf(stderr, "%d: %s\n", i, qPrintable(failure.reason));
                    _exit(1);
                }
            _exit(0);
        }
    }
    ASSERT_EQ(write(start[1], "gg", 2), 2);
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    close(start[0]);
    close(start[1]);
    Records records;
    EXPECT_EQ(records.CountAll(), 2 * kWins);
    EXPECT_EQ(records.Summarize(kExpert, Style::Speed).won, kWins);
    EXPECT_EQ(records.Summarize(kExpert, Style::Strategy).won, kWins);
    EXPECT_TRUE(records.FilesSetAside().isEmpty());
}

// Daily wins of every level and style, the newest puzzle first, from a file
// of the first version brought up to date as it opens (the index of daily
// wins added, every win kept); a file of that version changed by hand is
// still set aside. The days of a streak are read back to the first day
// missed, and no further.
TEST(Records, DailyWinsFromAFileOfTheFirstVersion)
{
    TempCwd cwd;
    {
        std::vector<GameResult> wins;
        for (const auto& [level, day, moves] :
             {std::tuple{"Novice", QDate(2026, 11, 25), 9}, {"Novice", QDate(2026, 12, 1), 11},
              {"Genius", QDate(2026, 12, 2), 12}, {"Pro", QDate(2026, 12, 2), 12}, {"Novice", QDate(2026, 12, 3), 13}}) {
            GameResult won = Win(level, "Speed", moves, 1000);
            won.daily = day;
            wins.push_back(won);
        }
        wins.push_back(Win("Novice", "Speed", 5, 500));
        ASSERT_TRUE(Records().AddAll(wins));
    }
    Sql("DROP INDEX wins_daily; PRAGMA user_version = 1");
    const auto version = [] {
        sqlite3* db = nullptr;
        sqlite3_stmt* q = nullptr;
        int v = -1;
        if (sqlite3_open(Records::kFileName, &db) == SQLITE_OK &&
            sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &q, nullptr) == SQLITE_OK && sqlite3_step(q) == SQLITE_ROW)
            v = sqlite3_column_int(q, 0);
        sqlite3_finalize(q);
        sqlite3_close(db);
        return v;
    };
    {
        // Held by another window, it is read as it is for now.
        sqlite3* holder = nullptr;
        ASSERT_EQ(sqlite3_open(Records::kFileName, &holder), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        Records held;
        held.SetBusyTimeout(50);
        ASSERT_TRUE(held.Open());
        EXPECT_EQ(held.Summarize(kNovice, Style::Speed).won, 4);
        EXPECT_EQ(held.DailyDaysBack(QDate(2026, 12, 9)).size(), 3u);
        sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(holder);
        EXPECT_EQ(version(), 1);
    }
    Records records;
    ASSERT_TRUE(records.Open());
    EXPECT_EQ(version(), Records::kSchemaVersion);
    EXPECT_TRUE(AsideFiles().isEmpty());
    EXPECT_EQ(records.CountAll(), 6);
    EXPECT_EQ(records.DailyDaysBack(QDate(2026, 12, 9)),
              (std::vector<QDate>{QDate(2026, 12, 3), QDate(2026, 12, 2), QDate(2026, 12, 1)}));
    EXPECT_EQ(records.DailyDaysBack(QDate(2026, 12, 2)), (std::vector<QDate>{QDate(2026, 12, 2), QDate(2026, 12, 1)}));
    EXPECT_EQ(records.DailyDaysBack(QDate(2026, 11, 30)), (std::vector<QDate>{QDate(2026, 11, 25)}));
    std::vector<int> moves;
    for (const Records::KeptWin& w : records.DailyPage(0, 3))
        moves.push_back(w.result.moves);
    EXPECT_EQ(moves, (std::vector<int>{13, 12, 12}));
    EXPECT_EQ(records.DailyPage(3, 10).size(), 2u);

    Sql("DROP INDEX wins_daily; PRAGMA user_version = 1; CREATE TABLE mine(x)");
    Records changed;
    ASSERT_TRUE(changed.Open());
    EXPECT_EQ(changed.FilesSetAside(), QStringList{"tesselo-records.sqlite.damaged"});
}

// A win the database cannot take is kept at once in the pending file, which
// outlives the process (here killed outright), and goes in when the records
// are next opened, and only then leaves the file. A win the file names that
// is in the database already (a game ended between writing it and taking it
// out) is not written twice; a damaged pending file is set aside whole.
TEST(Records, APendingWinOutlivesAKillAndGoesInAtTheNextStart)
{
    TempCwd cwd;
    ASSERT_TRUE(Records().Add(Win("Genius", "Speed", 80, 60000)));
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(Records::kFileName, &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const int status = InChild([] {
        Records records;
        records.SetBusyTimeout(50);
        if (records.Add(Win("Genius", "Speed", 70, 50000, 1)) || records.Unwritten() != 1 || records.AtRisk() != 0)
            return 1;
        std::raise(SIGKILL);
        return 2;
    });
    EXPECT_EQ(status, 100 + SIGKILL);
    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    ASSERT_TRUE(QFile::exists(PendingWins::kFileName));
    ASSERT_EQ(PendingWins(PendingWins::kFileName).Read().size(), 1u);
    {
        Records next;
        ASSERT_TRUE(next.Open());
        EXPECT_EQ(next.Unwritten(), 0u);
        EXPECT_EQ(next.Summarize(kGenius, Style::Speed).best->milliseconds, 50000);
    }
    EXPECT_FALSE(QFile::exists(PendingWins::kFileName));

    // Named by the file again, as a game that ended between the two writes
    // leaves it: read, found in the database, and taken out.
    QString error;
    ASSERT_TRUE(PendingWins(PendingWins::kFileName).Add({Win("Genius", "Speed", 70, 50000, 1)}, &error, nullptr));
    {
        Records again;
        ASSERT_TRUE(again.Open());
        EXPECT_EQ(again.CountAll(), 2);
    }
    EXPECT_FALSE(QFile::exists(PendingWins::kFileName));

    cwd.Text(PendingWins::kFileName, "{\"version\":1,\"results\":[{\"level\":\"Genius\"}]}");
    Records damaged;
    ASSERT_TRUE(damaged.Open());
    EXPECT_EQ(damaged.FilesSetAside(), QStringList{"tesselo-records-pending.json.damaged"});
    EXPECT_EQ(damaged.CountAll(), 2);
}

// The export only reads: the database as it is (of an earlier version, not
// brought up to date), the JSON file not imported yet and the pending wins,
// given back as the game would give them once it had taken them in; a file
// it cannot use is a failure, left where it is.
TEST(Records, TheExportReadsWhatIsThereAndChangesNothing)
{
    TempCwd cwd;
    ASSERT_TRUE(Records().AddAll({Win("Pro", "Speed", 30, 9000), Win("Pro", "Strategy", 12, 8000, 1)}));
    Sql("DROP INDEX wins_daily; PRAGMA user_version = 1");
    QJsonObject old = ResultToJson(Win("Expert", "Speed", 40, 5000, 2));
    old["mood"] = QStringLiteral("elated");
    cwd.Text(Records::kJsonFileName,
             QJsonDocument(QJsonObject{{"version", 1}, {"results", QJsonArray{old}}, {"by", "me"}}).toJson());
    QString error;
    ASSERT_TRUE(PendingWins(PendingWins::kFileName).Add({Win("Novice", "Speed", 9, 700, 3)}, &error, nullptr));
    const auto folder = [] {
        QStringList out;
        for (const QFileInfo& f : QDir(".").entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
            out << f.fileName() + " " + QString::number(f.lastModified().toMSecsSinceEpoch()) + " " + ReadAll(f.fileName()).toHex();
        return out;
    };
    const QStringList before = folder();

    QJsonObject readOnlyRoot;
    Records readOnly(Records::Access::ReadOnly);
    const QJsonArray exported = ExportedResults(readOnly, &readOnlyRoot);
    EXPECT_EQ(folder(), before);
    ASSERT_EQ(exported.size(), 4);
    EXPECT_EQ(exported[2].toObject()["mood"], "elated");
    EXPECT_EQ(exported[3].toObject()["moves"], 9);

    Records taking;
    ASSERT_TRUE(taking.Open());
    QJsonObject takenRoot;
    EXPECT_EQ(ExportedResults(taking, &takenRoot), exported);
    EXPECT_EQ(takenRoot, readOnlyRoot);

    cwd.Text(Records::kFileName, "not a database");
    const QStringList damaged = folder();
    Records refused(Records::Access::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_FALSE(refused.Export(out, &error));
    EXPECT_TRUE(error.contains("damaged")) << error.toStdString();
    EXPECT_EQ(folder(), damaged);
}

// A daily puzzle won with help is listed, and marked, but a streak is of
// puzzles solved: a day won only with help ends it.
TEST(Records, AHelpedDailyWinIsListedButExtendsNoStreak)
{
    TempCwd cwd;
    std::vector<GameResult> wins;
    for (const auto& [day, assisted] : {std::pair{10, 0}, {11, 0}, {12, 3}, {13, 0}, {13, 2}, {14, 0}}) {
        GameResult won = Win("Novice", "Speed", 20 + day, 1000, day);
        won.daily = QDate(2026, 12, day);
        won.assisted = assisted;
        wins.push_back(won);
    }
    Records records;
    ASSERT_TRUE(records.AddAll(wins));
    EXPECT_EQ(records.DailyDaysBack(QDate(2026, 12, 14)), (std::vector<QDate>{QDate(2026, 12, 14), QDate(2026, 12, 13)}));
    EXPECT_EQ(records.DailyDaysBack(QDate(2026, 12, 12)), (std::vector<QDate>{QDate(2026, 12, 11), QDate(2026, 12, 10)}));
    std::vector<int> helped;
    for (const Records::KeptWin& w : records.DailyPage(0, 10))
        helped.push_back(w.result.assisted);
    EXPECT_EQ(helped.size(), 6u);
    EXPECT_EQ(std::count(helped.begin(), helped.end(), 0), 4);
}

// An export that cannot be written says why the output failed, not what
// the database was doing at the time.
TEST(Records, AnExportThatCannotBeWrittenSaysWhy)
{
    struct Full : QIODevice {
        qint64 readData(char*, qint64) override { return -1; }
        qint64 writeData(const char*, qint64 length) override
        {
            if ((room -= length) >= 0)
                return length;
            setErrorString(QStringLiteral("no room"));
            return -1;
        }
        qint64 room = 200;
    };
    TempCwd cwd;
    Records records;
    ASSERT_TRUE(records.AddAll({Win("Pro", "Speed", 30, 9000), Win("Pro", "Speed", 31, 9100, 1)}));
    Full out;
    out.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_FALSE(records.Export(out, &error));
    EXPECT_EQ(error, "no room");
}

// A grid no level has is kept under its name, "5x7", with its own bests,
// and listed among the sizes played, the most recent first. The schema
// stays that of this version, so an older game still opens the file: a
// row whose level it does not know it passes over, as this one passes over
// a level of a later version or a name not written as the game writes it.
TEST(Records, ACustomSizeIsKeptByItsNameAndPassedOverWhereUnknown)
{
    TempCwd cwd;
    const auto win = [](const char* level, const char* style, int moves, int minute) {
        GameResult r = Win(level, style, moves, 1000 + moves, minute);
        r.start.Resize(r.size.rows, r.size.columns);
        r.start.Apply(Move{MoveAxis::Column, r.size.columns - 1, 1});
        r.steps = {HistoryStep{Move{MoveAxis::Column, r.size.columns - 1, -1}, {0, 0}, {0, 0}}};
        return r;
    };
    Records records;
    ASSERT_TRUE(records.AddAll({win("5x7", "Strategy", 80, 0), win("Novice", "Speed", 9, 1),
                                win("5x7", "Strategy", 70, 2), win("16x16", "Speed", 400, 3),
                                win("7x5", "Speed", 75, 0)}));
    Sql("INSERT INTO wins(level, style, moves, milliseconds, score, finished, picture, par_is_optimal, assisted, "
        "daily, moves_before) SELECT column1, 'Strategy', 1, 1, 1, 1800000000000, '', 0, 0, '2026-12-08', 0 "
        "FROM (VALUES ('Legend'), ('21x2'), ('expert'), ('3x4'), ('05x7'))");

    Records reread;
    EXPECT_EQ(reread.SizesPlayed(), (std::vector<GridSize>{{16, 16}, {5, 7}, kNovice, {7, 5}}));
    const Records::Summary custom = reread.Summarize({5, 7}, Style::Strategy);
    EXPECT_EQ(custom.won, 2);
    ASSERT_TRUE(custom.best);
    EXPECT_EQ(custom.best->moves, 70);
    EXPECT_EQ(reread.Summarize({7, 5}, Style::Strategy).won, 0); // its transpose is a size of its own
    EXPECT_EQ(reread.Summarize(kExpert, Style::Strategy).won, 0); // "3x4" is not how Expert is kept
    const std::vector<Records::KeptWin> page = reread.Page({5, 7}, Style::Strategy, Records::Order::BestFirst, 0, 9);
    ASSERT_EQ(page.size(), 2u);
    const std::optional<GameResult> back = reread.Win(page[0].id);
    ASSERT_TRUE(back && back->IsReplayable());
    EXPECT_EQ(back->start.Size(), (GridSize{5, 7}));
    EXPECT_TRUE(reread.DailyPage(0, 20).empty()); // the unknown rows are not listed
    EXPECT_EQ(reread.CountAll(), 10);
    EXPECT_TRUE(AsideFiles().isEmpty());

    // The export gives every row back as kept, and its custom wins read
    // back as wins of their size.
    std::vector<QString> levels;
    for (const QJsonValue& v : ExportedResults(reread)) {
        levels.push_back(v["level"].toString());
        const std::optional<GameResult> again = ResultFromJson(v.toObject());
        EXPECT_EQ(again.has_value(), GridSize::FromKey(levels.back().toStdString()).has_value()) << levels.back().toStdString();
    }
    EXPECT_EQ(levels, (std::vector<QString>{"5x7", "Novice", "5x7", "16x16", "7x5", "Legend", "21x2", "expert", "3x4",
                                            "05x7"}));
    sqlite3* db = nullptr;
    sqlite3_stmt* q = nullptr;
    ASSERT_EQ(sqlite3_open(Records::kFileName, &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &q, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(q), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(q, 0), Records::kSchemaVersion);
    sqlite3_finalize(q);
    sqlite3_close(db);
}

// A daily puzzle counts for the streak on a grid of six cells or more,
// whatever its size; a 2 x 2 keeps no streak alive.
TEST(Records, TheStreakCountsDailyWinsOnGridsOfSixCellsOrMore)
{
    TempCwd cwd;
    std::vector<GameResult> wins;
    for (const auto& [level, day] : {std::pair{"2x2", 14}, {"Novice", 13}, {"2x2", 12}, {"16x16", 11},
                                     {"3x2", 10}, {"2x2", 9}, {"2x2", 8}, {"Genius", 7}}) {
        GameResult won = Win(level, "Speed", 20 + day, 1000, day);
        won.daily = QDate(2026, 12, day);
        wins.push_back(won);
    }
    Records records;
    ASSERT_TRUE(records.AddAll(wins));
    const auto days = [&](int today) {
        std::vector<int> out;
        for (const QDate& d : records.DailyDaysBack(QDate(2026, 12, today)))
            out.push_back(d.day());
        return out;
    };
    EXPECT_EQ(days(14), (std::vector<int>{13}));
    EXPECT_EQ(days(12), (std::vector<int>{11, 10}));
    EXPECT_EQ(days(9), (std::vector<int>{7}));
    EXPECT_EQ(records.DailyPage(0, 20).size(), wins.size()); // every daily win is listed
}

// Rows that cannot be wins (a file changed by hand: moves below zero or
// beyond 32 bits, a time below zero, an end kept as text) are passed over
// and counted nowhere: the summary, the list, the averages and the charts
// agree on the sound wins. The exports give every row back as it is kept,
// a value that cannot be read left empty rather than made up; the JSON
// keeps the milliseconds the database holds.
TEST(Records, RowsThatCannotBeWinsAreCountedNowhereAndExportedAsKept)
{
    TempCwd cwd;
    std::vector<GameResult> sound;
    for (int i = 0; i < 6; ++i)
        sound.push_back(Win("Expert", "Strategy", 20 + i, 60000, i));
    sound[5].finished = sound[5].finished.addMSecs(250);
    {
        Records records;
        ASSERT_TRUE(records.AddAll(sound));
        // Looked at once before the file is changed: what is counted must
        // follow the file, not the first look.
        EXPECT_EQ(records.Summarize(kExpert, Style::Strategy).won, 6);
    }
    Sql("INSERT INTO wins(level, style, moves, milliseconds, score, finished, picture, par_is_optimal, assisted, "
        "moves_before) VALUES ('Expert', 'Strategy', -5, 1000, -5, 1800000000000, 'a.png', 0, 0, 0), "
        "('Expert', 'Strategy', 2147483648, 1000, 1, 1800000060000, 'b.png', 0, 0, 0), "
        "('Expert', 'Strategy', 1, -1000, 1, 1800000120000, 'c.png', 0, 0, 0), "
        "('Expert', 'Strategy', 2, 1000, 2, 'yesterday', 'd.png', 0, 0, 0)");

    Records records;
    const Records::Summary summary = records.Summarize(kExpert, Style::Strategy);
    EXPECT_EQ(summary.won, 6);
    ASSERT_TRUE(summary.best);
    EXPECT_EQ(summary.best->moves, 20);
    ASSERT_TRUE(summary.averageOf5);
    EXPECT_DOUBLE_EQ(*summary.averageOf5, 23.0); // 21..25, less the best and the worst
    for (const Records::Order order : {Records::Order::BestFirst, Records::Order::NewestFirst})
        EXPECT_EQ(records.Page(kExpert, Style::Strategy, order, 0, 20).size(), 6u);
    const std::vector<Records::ProgressWin> charted = records.Progress(kExpert, Style::Strategy);
    EXPECT_EQ(charted.size(), 6u);

    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    ASSERT_TRUE(records.Export(csv, nullptr, Records::Format::Csv));
    const QList<QByteArray> lines = csv.data().split('\n');
    ASSERT_GE(lines.size(), 11);
    EXPECT_TRUE(lines[6].startsWith("2026-12-08T10:05:00.250Z,")) << lines[6].constData();
    EXPECT_TRUE(lines[7].startsWith("2027-01-15T08:00:00.000Z,3x4,Strategy,-5,1000,")) << lines[7].constData();
    EXPECT_TRUE(lines[8].contains(",3x4,Strategy,2147483648,1000,")) << lines[8].constData();
    EXPECT_TRUE(lines[10].startsWith(",3x4,Strategy,2,1000,")) << lines[10].constData();

    const QJsonArray json = ExportedResults(records);
    ASSERT_EQ(json.size(), 10);
    EXPECT_EQ(json[0]["finished"].toString(), QStringLiteral("2026-12-08T10:00:00Z"));
    EXPECT_EQ(json[5]["finished"].toString(), QStringLiteral("2026-12-08T10:05:00.250Z"));
    EXPECT_EQ(json[6]["moves"].toInteger(), -5);
    EXPECT_EQ(json[7]["moves"].toInteger(), 2147483648LL);
    EXPECT_TRUE(json[9]["finished"].isNull());
}

// "Fewest Moves" keeps its net length and "Blind" its DNFs in the rows of
// the one schema: read back, averaged, never a best, out of the daily days,
// and in both exports.
TEST(Records, NetLengthsAndDnfsAreKeptReadAndExported)
{
    TempCwd cwd;
    const GridSize expert = kExpert;
    GameResult net = Win("Expert", "Fewest Moves", 9, 5000, 1);
    net.netMoves = 4;
    GameResult dnf = Win("Expert", "Blind", 3, 1000, 4);
    dnf.dnf = true;
    dnf.daily = QDate(2026, 12, 8);
    {
        Records records;
        ASSERT_TRUE(records.Add(net));
        EXPECT_FALSE(records.IsNewBest(dnf)); // though the first of its kind
        ASSERT_TRUE(records.AddAll({Win("Expert", "Blind", 10, 3000, 2), Win("Expert", "Blind", 10, 4000, 3), dnf}));
    }
    Records reread;
    const std::vector<Records::KeptWin> nets =
        reread.Page(expert, Style::FewestMoves, Records::Order::BestFirst, 0, 10);
    ASSERT_EQ(nets.size(), 1u);
    EXPECT_EQ(nets[0].result.netMoves, 4);
    EXPECT_EQ(nets[0].result.moves, 9);

    const Records::Summary blind = reread.Summarize(expert, Style::Blind);
    ASSERT_TRUE(blind.best.has_value());
    EXPECT_EQ(blind.best->milliseconds, 3000); // the DNF's 1000 is no result
    ASSERT_TRUE(blind.meanOf3.has_value());
    EXPECT_TRUE(std::isinf(*blind.meanOf3)); // a mean of 3 with a DNF is a DNF
    const std::vector<Records::KeptWin> page = reread.Page(expert, Style::Blind, Records::Order::BestFirst, 0, 10);
    ASSERT_EQ(page.size(), 3u);
    EXPECT_TRUE(page.back().result.dnf);
    EXPECT_FALSE(page.back().result.daily.has_value()); // no puzzle solved that day
    EXPECT_TRUE(reread.DailyDaysBack(QDate(2026, 12, 9)).empty());
    EXPECT_FALSE(reread.Summarize(expert, Style::FewestMoves).meanOf3.has_value());

    const QJsonArray json = ExportedResults(reread);
    ASSERT_EQ(json.size(), 4);
    EXPECT_EQ(json[0].toObject()["netMoves"], 4);
    EXPECT_EQ(json[3].toObject()["dnf"], true);
    EXPECT_EQ(json[3].toObject()["daily"], "2026-12-08");
    EXPECT_EQ(json[2].toObject()["dnf"], false);
    EXPECT_EQ(ResultFromJson(json[3].toObject())->dnf, true);

    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    ASSERT_TRUE(reread.Export(csv, nullptr, Records::Format::Csv));
    const QList<QByteArray> lines = csv.data().split('\n');
    EXPECT_TRUE(lines[0].endsWith(",dnf,race\r"));
    EXPECT_TRUE(lines[3].endsWith(",0,0\r"));
    EXPECT_TRUE(lines[4].endsWith(",1,0\r"));
}

// Earlier versions set the whole pending file aside for one result they
// cannot count: the new styles and the large grids wait in a file of their
// own, and the two read as one.
TEST(Records, ResultsEarlierVersionsCannotCountWaitInAPendingFileOfTheirOwn)
{
    TempCwd cwd;
    PendingWins pending(QString::fromLatin1(PendingWins::kFileName));
    GameResult large = Win("Expert", "Speed", 400, 90000, 2);
    large.size = GridSize{20, 20};
    const std::vector<GameResult> wins{Win("Expert", "Strategy", 9, 5000, 1), large,
                                       Win("Expert", "Blind", 9, 5000, 3)};
    QString error;
    ASSERT_TRUE(pending.Add(wins, &error, nullptr)) << error.toStdString();
    EXPECT_TRUE(ReadAll(PendingWins::kFileName).contains("Strategy"));
    EXPECT_FALSE(ReadAll(PendingWins::kFileName).contains("Blind"));
    EXPECT_FALSE(ReadAll(PendingWins::kFileName).contains("20x20"));
    EXPECT_TRUE(ReadAll(PendingWins::kLaterFileName).contains("Blind"));
    EXPECT_EQ(pending.Read().size(), 3u);
    ASSERT_TRUE(pending.Remove({wins[0], wins[2]}, nullptr));
    EXPECT_FALSE(QFile::exists(PendingWins::kFileName));
    ASSERT_EQ(pending.Read().size(), 1u);
    EXPECT_EQ(pending.Read()[0].size, (GridSize{20, 20}));
}

// A race's win is kept, listed, counted and exported marked as one, and is
// never a best (its start was known); the times of a win's moves come back
// with it only when they fit its moves; the best to race is the best kept
// with its moves from its own start.
TEST(Records, RacesAreNeverBestsAndTheTimesOfMovesComeBack)
{
    TempCwd cwd;
    const GridSize expert = kExpert;
    GameResult timed = Win("Expert", "Speed", 1, 4000, 1);
    timed.stepTimes = {3900};
    GameResult race = Win("Expert", "Speed", 1, 2000, 2);
    race.race = true;
    GameResult untimed = Win("Expert", "Strategy", 1, 2000, 3);
    {
        Records records;
        ASSERT_TRUE(records.AddAll({timed, untimed}));
        EXPECT_FALSE(records.IsNewBest(race)); // faster than the best, but a race
        ASSERT_TRUE(records.Add(race));
    }
    Records reread;
    const Records::Summary speed = reread.Summarize(expert, Style::Speed);
    EXPECT_EQ(speed.won, 2);
    ASSERT_TRUE(speed.best.has_value());
    EXPECT_EQ(speed.best->milliseconds, 4000);
    const std::vector<Records::KeptWin> best = reread.Page(expert, Style::Speed, Records::Order::BestFirst, 0, 10);
    ASSERT_EQ(best.size(), 2u);
    EXPECT_FALSE(best[0].result.race); // a race lists after every win that can be a best
    EXPECT_TRUE(best[1].result.race);
    const std::optional<GameResult> back = reread.Win(best[0].id);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->stepTimes, std::vector<std::int32_t>{3900});
    const std::optional<Records::RaceableWin> toRace = reread.BestToRace(expert, Style::Speed);
    ASSERT_TRUE(toRace.has_value());
    EXPECT_EQ(toRace->id, best[0].id);
    EXPECT_EQ(toRace->win.stepTimes, std::vector<std::int32_t>{3900});
    EXPECT_FALSE(reread.BestToRace(expert, Style::Blind).has_value()); // none kept

    const QJsonArray json = ExportedResults(reread);
    ASSERT_EQ(json.size(), 3);
    EXPECT_EQ(json[0].toObject()["race"], false);
    EXPECT_EQ(json[0].toObject()["stepTimes"], QJsonArray{3900});
    EXPECT_EQ(json[1].toObject()["race"], false);
    EXPECT_FALSE(json[1].toObject().contains("stepTimes"));
    EXPECT_EQ(json[2].toObject()["race"], true);
    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    ASSERT_TRUE(reread.Export(csv, nullptr, Records::Format::Csv));
    const QList<QByteArray> rows = csv.data().trimmed().split('\n');
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[0].trimmed().endsWith(",dnf,race"));
    EXPECT_TRUE(rows[1].trimmed().endsWith(",0,0"));
    EXPECT_TRUE(rows[3].trimmed().endsWith(",0,1"));

    // Fields changed by hand into text that is no JSON are no mark: the
    // rows are read as they are, never refused.
    Sql("UPDATE wins SET extra = '{\"race\":tru' WHERE extra IS NOT NULL");
    Records edited;
    const Records::Summary after = edited.Summarize(expert, Style::Speed);
    ASSERT_TRUE(after.best.has_value());
    EXPECT_EQ(after.best->milliseconds, 2000);
    EXPECT_EQ(edited.Page(expert, Style::Speed, Records::Order::BestFirst, 0, 10).size(), 2u);
}

// The times of moves a file holds are hostile input: taken only as one
// whole number for each move, within the stopwatch's range, never going
// back; anything else leaves the win paced evenly, still counted.
TEST(Records, TimesOfMovesThatDoNotFitAreDropped)
{
    GameResult two = Win("Expert", "Speed", 2, 4000);
    two.steps.push_back(two.steps.front());
    const struct {
        const char* name;
        QJsonValue times;
        std::vector<std::int32_t> kept;
    } cases[] = {
        {"fits", QJsonArray{100, 100}, {100, 100}},
        {"one short", QJsonArray{100}, {}},
        {"one over", QJsonArray{100, 200, 300}, {}},
        {"goes back", QJsonArray{200, 100}, {}},
        {"negative", QJsonArray{-1, 100}, {}},
        {"beyond the stopwatch", QJsonArray{100, 400000000}, {}},
        {"a fraction", QJsonArray{100.5, 200}, {}},
        {"text", QJsonArray{"100", 200}, {}},
        {"not a list", QJsonValue(100), {}},
    };
    for (const auto& c : cases) {
        QJsonObject o = ResultToJson(two);
        o["stepTimes"] = c.times;
        const std::optional<GameResult> read = ResultFromJson(o);
        ASSERT_TRUE(read.has_value()) << c.name;
        EXPECT_EQ(read->stepTimes, c.kept) << c.name;
    }
    QJsonObject notBool = ResultToJson(two);
    notBool["race"] = 1;
    EXPECT_FALSE(ResultFromJson(notBool).has_value()); // a mark that is no mark is no result of ours
}
