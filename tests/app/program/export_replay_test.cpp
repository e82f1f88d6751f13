#include "animation/replay_frames.h"
#include "app/program/command_line.h"
#include "records/records.h"
#include "support/temp_cwd.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace tesselo;
using tesselo::testing::TempCwd;

namespace {

// A win of a 2 x 3 grid finished at 10:`minute`, on `picture`, with
// `moves` moves kept (none: kept without them, as earlier versions did).
GameResult Win(int minute, int moves, const QString& picture)
{
    GameResult r;
    r.size = GridSize{2, 3};
    r.style = Style::Strategy;
    r.moves = moves;
    r.milliseconds = 5000;
    r.finished = QDateTime(QDate(2026, 12, 8), QTime(10, minute), Qt::UTC);
    r.picture = picture;
    if (moves > 0) {
        r.start.Resize(2, 3);
        for (int i = 0; i < moves; ++i) {
            r.start.Apply(Move{MoveAxis::Row, 0, 1});
            r.steps.push_back(HistoryStep{Move{MoveAxis::Row, 0, -1}, {0, 0}, {0, 0}});
        }
    }
    return r;
}

struct Ran {
    int status = 0;
    std::string err;
};

Ran RunCommand(std::vector<std::string> words)
{
    words.insert(words.begin(), "tesselo");
    std::vector<const char*> argv;
    for (const std::string& w : words)
        argv.push_back(w.c_str());
    std::ostringstream out, err;
    const CommandLine::Outcome outcome = CommandLine::Run(int(argv.size()), argv.data(), out, err);
    EXPECT_FALSE(outcome.startGame);
    EXPECT_TRUE(out.str().empty());
    return Ran{outcome.status, err.str()};
}

} // namespace

TEST(ExportReplay, WritesTheWinNamedOrTheLatestSolveAndRefusesWhatItCannot)
{
    TempCwd cwd;
    {
        Records records;
        // Oldest first: a solve of 1 move on a picture that is gone, one of
        // 2 moves on a red picture of the folder, then a win without moves.
        ASSERT_TRUE(records.Add(Win(0, 1, QStringLiteral("gone.jpg"))));
        ASSERT_TRUE(records.Add(Win(1, 2, QStringLiteral("red.png"))));
        ASSERT_TRUE(records.Add(Win(2, 0, QString())));
    }
    cwd.Picture(QStringLiteral("Pictures/red.png"), Qt::red, 64, 48);

    struct Case {
        std::vector<std::string> words;
        int status;
        const char* says;   // a part of the message on standard error
        int moves;          // of the solve written; -1: nothing written
        bool red;           // on the red picture
    };
    const Case cases[] = {
        {{"--export-replay", "latest.gif"}, 0, "", 2, true},
        {{"--export-replay", "2", "second.GIF"}, 0, "", 2, true},
        {{"--export-replay", "3", "third.webp"}, 0, "", 1, false},
        {{"--export-replay", "1", "first.gif"}, 2, "without its moves", -1, false},
        {{"--export-replay", "4", "fourth.gif"}, 2, "no win 4: the records list 3 wins", -1, false},
        {{"--export-replay", "0", "zero.gif"}, 2, "no win's place", -1, false},
        {{"--export-replay", "two", "two.gif"}, 2, "no win's place", -1, false},
        {{"--export-replay", "solve.png"}, 2, ".gif or .webp", -1, false},
        {{"--export-replay"}, 2, "needs the FILE", -1, false},
        {{"--export-replay", "1", "2", "three.gif"}, 2, "usage:", -1, false},
        {{"--export-replay", "no such folder/solve.gif"}, 2, "could not be saved", -1, false},
    };
    for (const Case& c : cases) {
        const std::string file = c.words.size() > 1 ? c.words.back() : std::string();
        SCOPED_TRACE(c.words.size() > 1 ? c.words[1] + " " + file : "alone");
        const Ran ran = RunCommand(c.words);
        EXPECT_EQ(ran.status, c.status) << ran.err;
        EXPECT_NE(ran.err.find(c.says), std::string::npos) << ran.err;
        if (c.moves < 0) {
            if (!file.empty()) {
                EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
            }
            continue;
        }
        EXPECT_TRUE(ran.err.empty()) << ran.err;
        QFile written(QString::fromStdString(file));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        if (file.ends_with(".webp")) {
            EXPECT_TRUE(bytes.startsWith("RIFF") && bytes.mid(8, 8) == "WEBPVP8X") << bytes.left(16).toHex().data();
            EXPECT_TRUE(bytes.contains("ANIM"));
            continue;
        }
        QImageReader reader(QString::fromStdString(file));
        EXPECT_EQ(reader.imageCount(), ReplayFrames::CountFor(std::size_t(c.moves)));
        QImage last;
        for (int i = 0; i < reader.imageCount(); ++i)
            last = reader.read();
        ASSERT_FALSE(last.isNull());
        const QColor middle = last.pixelColor(last.width() / 2, last.height() / 2);
        EXPECT_EQ(middle == QColor(Qt::red), c.red) << middle.name().toStdString();
    }
    // Nothing made but the files asked for.
    QStringList made = QDir(cwd.Path(".")).entryList(QDir::Files);
    made.sort();
    EXPECT_EQ(made, (QStringList{"latest.gif", "second.GIF", "tesselo-records.sqlite", "third.webp"}));
}

TEST(ExportReplay, SaysSoWhenNoWinIsKept)
{
    TempCwd cwd;
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"--export-replay", "solve.gif"}, {"--export-replay", "1", "solve.gif"}}) {
        const Ran ran = RunCommand(words);
        EXPECT_EQ(ran.status, 2);
        EXPECT_NE(ran.err.find("no kept wins"), std::string::npos) << ran.err;
    }
    EXPECT_TRUE(QDir(cwd.Path(".")).entryList(QDir::Files).isEmpty());
}
