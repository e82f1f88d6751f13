#include "animation/replay_frames.h"
#include "app/dialogs/c_solve_map_dlg.h"
#include "app/dialogs/daily_wins_page.h"
#include "app/dialogs/kind_wins_page.h"
#include "app/window_fixture.h"
#include "charts/solve_map_chart.h"
#include "model/game_id.h"
#include "records/replay_code.h"
#include "support/staged_games.h"
#include "support/temp_cwd.h"
#include "view/c_puzzle_image.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <sqlite3.h>

#include <thread>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

QByteArray ReadAll(const char* path)
{
    QFile f(QString::fromLatin1(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A records window whose question before clearing the test answers.
struct ClearingDlg : CRecordsDlg {
    using CRecordsDlg::CRecordsDlg;
    bool ConfirmClear() override
    {
        ++asked;
        return answer;
    }
    bool answer = false;
    int asked = 0;
};

} // namespace

TEST(RecordsAndReplay, AWinIsKeptAnnouncedAndReplayedWithoutTouchingTheGame)
{
    TempCwd cwd;
    ASSERT_TRUE(SaveNearlyWon(true));
    Window w;
    const TileGrid resumed = w.game.View().puzzle.grid;
    w.Key(Qt::Key_Left);
    ASSERT_EQ(w.game.View().puzzle.state, Solved);
    ASSERT_TRUE(w.SettleRecords());
    EXPECT_EQ(w.dlg.windowTitle(), "Tesselo - New record!");
    Records kept;
    ASSERT_TRUE(kept.Open());
    const Records::Summary pro = kept.Summarize(kPro, Style::Strategy);
    ASSERT_EQ(pro.won, 1);
    EXPECT_EQ(pro.best->moves, 8);

    // The replay shows the game from where its history began (the resumed
    // position) and changes nothing of it.
    const QByteArray records = ReadAll(Records::kFileName);
    const std::vector<HistoryStep> history = w.game.View().puzzle.history.steps;
    w.Key(Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(w.dlg.Replays().IsRunning());
    ASSERT_TRUE(w.dlg.Board().ShowsReplay());
    EXPECT_TRUE(w.dlg.Replays().player.Grid().SameCells(resumed));
    // The first move glides on the board as the game's own do: half its
    // time in, its row is seven eighths of a cell to the left.
    std::int64_t now = 0;
    w.dlg.Board().Motion().SetClock([&] { return now; });
    w.dlg.Replays().player.ShowMoment(1150);
    EXPECT_EQ(w.dlg.Replays().player.MovesDone(), 1u);
    now = BoardMotion::kGlideMs / 2 - BoardMotion::kFrameMs;
    const QSize cell(w.dlg.Picture().Board().CellWidth(), w.dlg.Picture().Board().CellHeight());
    const std::optional<MotionFrame> gliding = w.dlg.Board().Motion().Frame(cell);
    ASSERT_TRUE(gliding);
    EXPECT_EQ(gliding->axis, Horizontal);
    EXPECT_NEAR(gliding->offset, -0.875 * cell.width(), 1.0);
    w.dlg.Board().Motion().SetClock(Stopwatch::Steady);
    // A resize keeps it going at the new size.
    w.dlg.OnSize(900, 700);
    EXPECT_TRUE(w.dlg.Replays().IsRunning());
    EXPECT_EQ(w.dlg.Replays().player.board.Size(), QSize(900, 700 - 60));
    w.dlg.Board().repaint();
    EXPECT_EQ(w.game.View().puzzle.state, Solved);
    EXPECT_EQ(w.game.View().puzzle.moves, 8);
    EXPECT_EQ(w.game.View().puzzle.history.steps, history);
    EXPECT_EQ(ReadAll(Records::kFileName), records);
    // Any key ends it, and reaches nothing else.
    w.Key(Qt::Key_Space);
    EXPECT_FALSE(w.dlg.Replays().IsRunning());
    EXPECT_FALSE(w.dlg.Board().ShowsReplay());
    EXPECT_EQ(w.game.View().puzzle.state, Solved);

    // A second win of the kind that is no better keeps the title plain.
    w.dlg.OnBnClickedNewGame();
    EXPECT_EQ(w.dlg.windowTitle(), "Tesselo");
}

TEST(RecordsAndReplay, AKeptSolveReplaysOverAGameInPlayWhoseClockStands)
{
    TempCwd cwd;
    ASSERT_TRUE(SaveNearlyWon(true));
    {
        Window first(false);
        first.game.ShiftRowLeft();
        ASSERT_EQ(first.game.View().puzzle.state, Solved);
    }
    ASSERT_TRUE(QFile::remove(SavedGameStore::kFileName));
    Window w;
    w.game.SetStrategyStyle(false);
    w.dlg.OnBnClickedNewGame();
    ASSERT_EQ(w.game.View().puzzle.state, Playing);
    const auto homes = w.Homes();

    w.dlg.Commands().Records();
    EXPECT_EQ(w.dlg.recordsShown, 1);
    ASSERT_TRUE(w.dlg.Replays().IsRunning());
    EXPECT_EQ(w.dlg.Replays().player.Grid().rowCount, 3); // the kept game's grid
    w.Tick();
    const QString shown = w.dlg.Bar().counterValue->text();
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    w.Tick();
    EXPECT_EQ(w.dlg.Bar().counterValue->text(), shown);

    // A click on the board only ends the replay: no drag begins.
    w.Mouse(QEvent::MouseButtonPress, QPoint(50, w.dlg.BarHeight() + 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(w.dlg.Replays().IsRunning());
    EXPECT_FALSE(w.game.View().gesture.dragging);
    w.Mouse(QEvent::MouseButtonRelease, QPoint(50, w.dlg.BarHeight() + 50), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w.Homes(), homes);
    EXPECT_EQ(w.game.View().puzzle.moves, 0);
    EXPECT_EQ(w.game.View().puzzle.state, Playing);
}

// A replay code pasted plays as a kept win's replay, over the game in play,
// which comes back as it was; a code that is no sound one says why and
// changes nothing. After a win, Ctrl+Shift+C copies the win's own code.
TEST(RecordsAndReplay, APastedReplayCodePlaysAndLeavesTheGameInPlayAlone)
{
    TempCwd cwd;
    Window w;
    QStringList told;
    w.dlg.Sharing().tell = [&](const QString& text) { told << text; };
    w.dlg.OnBnClickedNewGame();
    w.game.ShiftRowRight();
    const auto homes = w.Homes();

    QGuiApplication::clipboard()->setText(QStringLiteral("tesselo-replay 1 Speed 21x2-5 R1+1"));
    w.Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(told.size(), 1);
    EXPECT_FALSE(w.dlg.Replays().IsRunning());

    QGuiApplication::clipboard()->setText(QStringLiteral("tesselo-replay 1 Strategy Novice:3,1,2,4,5,6 R1-1"));
    w.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(told.size(), 1);
    ASSERT_TRUE(w.dlg.Replays().IsRunning());
    EXPECT_EQ(w.dlg.Replays().player.Grid().Size(), kNovice);
    w.dlg.Replays().player.ShowMoment(60000);
    EXPECT_TRUE(w.dlg.Replays().player.Grid().IsSolved());
    w.Key(Qt::Key_Escape);
    EXPECT_FALSE(w.dlg.Replays().IsRunning());
    EXPECT_EQ(w.Homes(), homes);
    EXPECT_EQ(w.game.View().puzzle.moves, 1);
    EXPECT_EQ(w.game.View().puzzle.state, Playing);

    // Won: its code holds its ID and its moves, and reads back.
    QGuiApplication::clipboard()->clear();
    w.Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty()) << "no win to copy yet";
    w.dlg.Commands().Solve();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.game.View().puzzle.state == Solved; }, 20000));
    w.Key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QString code = QGuiApplication::clipboard()->text();
    const std::optional<GameId> id = GameId::Of(w.game.View().puzzle);
    ASSERT_TRUE(id);
    EXPECT_TRUE(code.contains(id->ToString())) << code.toStdString();
    const std::optional<ReplayCode> back = ReplayCode::Read(code);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->steps.size(), w.game.View().puzzle.history.Played().size());

    // Not a daily puzzle: no result to share. The day's, won: its line.
    w.dlg.Sharing().CopyResult();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), code);
    w.game.StartDaily();
    w.dlg.Commands().Solve();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.game.View().puzzle.state == Solved; }, 20000));
    w.dlg.Sharing().CopyResult();
    const QString result = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(result.startsWith("Tesselo daily puzzle " + w.game.View().puzzle.facts.daily.toString(Qt::ISODate)))
        << result.toStdString();
    EXPECT_TRUE(result.endsWith("with help")) << result.toStdString();
}

// A kept win is replayed on its own picture, also when the picture's name is
// not UTF-8.
TEST(RecordsAndReplay, AKeptSolveShowsItsOwnPictureWhateverItsName)
{
    TempCwd cwd;
    const QString name = cwd.PictureWithRawName("Pictures", "caf\xe9.png", Qt::darkCyan);
    SaveNearlyWon(true);
    {
        Window first(false);
        first.game.ShiftRowLeft();
        ASSERT_EQ(first.game.View().puzzle.state, Solved);
    }
    Window w(false);
    w.dlg.Commands().Records();
    ASSERT_TRUE(w.dlg.Replays().IsRunning());
    EXPECT_EQ(w.dlg.Replays().player.board.sourcePath, "./Pictures/" + name);
}

// A kept win's map shows the board on the win's own picture, decoded off
// the window's thread once the map is open, whatever picture the game has
// moved on to.
TEST(RecordsAndReplay, AKeptWinsMapShowsItsOwnPicture)
{
    TempCwd cwd;
    cwd.Picture("Pictures/red.png", Qt::red);
    cwd.Picture("Pictures/blue.png", Qt::blue);
    SaveNearlyWon(true);
    Window w(false);
    const QColor won = w.dlg.Picture().Board().picture.pixelColor(5, 5);
    w.game.ShiftRowLeft();
    ASSERT_EQ(w.game.View().puzzle.state, Solved);
    ASSERT_TRUE(w.SettleRecords());
    w.game.NewGame();
    ASSERT_NE(w.dlg.Picture().Board().picture.pixelColor(5, 5), won);

    w.dlg.mapChosen = true;
    w.dlg.Commands().Records();
    EXPECT_FALSE(w.dlg.Replays().IsRunning());
    CSolveMapDlg* map = w.dlg.Commands().OpenMap();
    ASSERT_TRUE(map);
    EXPECT_TRUE(QTest::qWaitFor([&] { return map->Picture().pixelColor(5, 5) == won; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return map->IsComplete(); }, 10000));
    EXPECT_EQ(map->Chart().Points().size(), 2u); // the start and the one move
    // Every distance on 3 x 3 is exact: no dashes to name.
    for (const QLabel* label : map->findChildren<QLabel*>())
        EXPECT_FALSE(label->text().contains("at most")) << label->text().toStdString();
    map->close();
}

// A kept win's own picture is decoded no finer than the board needs, stays
// the replay's through a board of no height, and goes when the replay ends.
TEST(RecordsAndReplay, AKeptWinsPictureLastsAsLongAsItsReplay)
{
    TempCwd cwd;
    const QString photo = cwd.Picture("Pictures/photo.jpg", Qt::red, 2400, 1800);
    TileGrid start;
    start.Resize(2, 3);
    start.Apply(Move{MoveAxis::Row, 0, 1});
    BoardBitmap gameBoard;
    ASSERT_TRUE(gameBoard.LoadScaled(cwd.Picture("Pictures/game.png", Qt::blue), 300, 200));
    const auto shows = [](const ReplayPlayer& p, QColor colour) {
        return !p.board.picture.isNull() && (p.board.picture.pixelColor(150, 100).red() > 200) == (colour == Qt::red);
    };

    ReplayPlayer player;
    player.Start(Replay(start, {HistoryStep{Move{MoveAxis::Row, 0, -1}, {0, 1}, {0, 0}}}), photo, false);
    player.Prepare(gameBoard, 300, 200, 1.0);
    EXPECT_EQ(player.board.Size(), QSize(300, 200));
    EXPECT_GT(player.board.sourceScale, 1);
    EXPECT_TRUE(shows(player, Qt::red));
    player.Prepare(gameBoard, 300, 0, 1.0);
    player.Prepare(gameBoard, 600, 400, 1.0);
    EXPECT_EQ(player.board.sourcePath, photo);
    EXPECT_TRUE(shows(player, Qt::red));

    // Only these copies hold the pictures once the replay is over.
    const QImage source = player.board.source, picture = player.board.picture;
    player.Stop();
    EXPECT_TRUE(source.isDetached());
    EXPECT_TRUE(picture.isDetached());
    // A picture that no longer loads gives way to the game's.
    player.Start(Replay(start, {}), cwd.Path("Pictures/gone.jpg"), false);
    player.Prepare(gameBoard, 300, 200, 1.0);
    EXPECT_TRUE(shows(player, Qt::blue));
}

TEST(RecordsAndReplay, TheRecordsWindowSumsUpEachKindAndPagesThroughItsWins)
{
    TempCwd cwd;
    Records records;
    GameResult r;
    r.size = kExpert;
    r.style = Style::Speed;
    r.finished = QDateTime(QDate(2026, 3, 4), QTime(5, 6), Qt::UTC);
    std::vector<GameResult> kept;
    for (const int ms : {61000, 83400, 72000, 99000, 64000}) {
        r.milliseconds = ms;
        kept.push_back(r);
    }
    // Many more, helped and slower, so that the list takes three pages.
    r.assisted = 4;
    r.par = 31;
    for (int i = 0; i < 2 * CRecordsDlg::kPageSize; ++i) {
        r.milliseconds = 100000 + i;
        kept.push_back(r);
    }
    ASSERT_TRUE(records.AddAll(kept));
    ClearingDlg dialog(records, kExpert, Style::Speed);
    const int row = dialog.summary->currentRow();
    ASSERT_GE(row, 0);
    EXPECT_EQ(dialog.summary->item(row, 0)->data(CRecordsDlg::kLevelRole), "Expert");
    EXPECT_EQ(dialog.summary->item(row, 0)->data(CRecordsDlg::kStyleRole), "Speed");
    QStringList texts;
    for (int c = 2; c < dialog.summary->columnCount(); ++c)
        texts << dialog.summary->item(row, c)->text();
    // Helped wins count among the wins and for nothing else: best, date,
    // won; the mean of the last 3 and the averages of 5, 12, 50 and 100;
    // the best of each over every run (of the last 3 of 61.0, 83.4 and
    // 72.0 s); the mean and the standard deviation of the five.
    EXPECT_EQ(texts, (QStringList{"0:01:01.0", "2026-03-04", "205", "0:01:18.3", "0:01:13.1", "-", "-", "-",
                                  "0:01:12.1", "0:01:13.1", "-", "-", "-", "0:01:15.9", "0:00:13.9"}));

    const auto shown = [&](int c) {
        QStringList out;
        for (int i = 0; i < dialog.kindPage->wins->rowCount(); ++i)
            out << dialog.kindPage->wins->item(i, c)->text();
        return out;
    };
    ASSERT_EQ(dialog.kindPage->wins->rowCount(), CRecordsDlg::kPageSize);
    EXPECT_EQ(shown(2).mid(0, 2), (QStringList{"0:01:01.0", "0:01:04.0"})); // best first
    EXPECT_EQ(shown(3)[0], "");                                              // no par known
    EXPECT_FALSE(dialog.kindPage->previousButton->isEnabled());
    dialog.kindPage->OnNextPage();
    dialog.kindPage->OnNextPage();
    EXPECT_EQ(dialog.kindPage->wins->rowCount(), 5);
    EXPECT_EQ(shown(2).last(), "0:01:40.2");
    EXPECT_EQ(shown(3).last(), "31");
    EXPECT_FALSE(shown(4).last().isEmpty()); // marked as helped
    EXPECT_FALSE(dialog.kindPage->nextButton->isEnabled());
    EXPECT_TRUE(dialog.kindPage->pageLabel->text().contains("205"));
    dialog.kindPage->order->setCurrentIndex(1);
    EXPECT_EQ(dialog.kindPage->wins->rowCount(), CRecordsDlg::kPageSize);
    // Kept without their moves, these wins cannot be replayed.
    EXPECT_FALSE(dialog.replayButton->isEnabled());

    // Clearing asks first, and keeps the file under another name.
    dialog.OnClearRecords();
    EXPECT_EQ(dialog.summary->item(row, 4)->text(), "205");
    dialog.answer = true;
    dialog.OnClearRecords();
    EXPECT_EQ(dialog.asked, 2);
    EXPECT_TRUE(QFile::exists("tesselo-records.sqlite.cleared"));
    EXPECT_EQ(dialog.summary->item(row, 4)->text(), "0");
    EXPECT_EQ(dialog.kindPage->wins->rowCount(), 0);
}

// Daily puzzles won, of every level and style, are listed apart, the newest
// puzzle first, under the current streak; the list's wins replay as any.
TEST(RecordsAndReplay, TheRecordsWindowListsTheDailyPuzzlesApartWithTheStreak)
{
    TempCwd cwd;
    Records records;
    std::vector<GameResult> kept;
    for (const auto& [level, style, day] : {std::tuple{"Novice", "Speed", 12}, {"Genius", "Strategy", 13},
                                            {"Pro", "Speed", 10}, {"Expert", "Speed", 0}}) {
        GameResult r;
        r.size = GridSize::FromName(level).value();
        r.style = Style::FromKey(style).value();
        r.moves = 20 + day;
        r.finished = QDateTime(QDate(2026, 3, 14), QTime(9, day), Qt::UTC);
        if (day > 0)
            r.daily = QDate(2026, 3, day);
        kept.push_back(r);
    }
    kept[1].start.Resize(4, 6);
    kept[1].start.Apply(Move{MoveAxis::Row, 2, 1});
    kept[1].steps = {HistoryStep{Move{MoveAxis::Row, 2, -1}, {2, 1}, {2, 0}}};
    ASSERT_TRUE(records.AddAll(kept));

    // The day is the window's clock's, late on the 14th (UTC).
    QDateTime now(QDate(2026, 3, 14), QTime(23, 30), Qt::UTC);
    CRecordsDlg dialog(records, kExpert, Style::Speed, DayClock([&] { return FileTimeOf(now); }, QTimeZone("Asia/Tokyo")));
    std::optional<GameResult> chosen;
    QObject::connect(&dialog, &CRecordsDlg::ReplayChosen, [&](const GameResult& win) { chosen = win; });
    // The 13th and the 12th: today's puzzle still to play breaks nothing.
    EXPECT_EQ(dialog.dailyPage->streakLabel->text(), "Current streak (days): 2");
    EXPECT_EQ(dialog.dailyPage->dailyLabel->text(), "Daily wins: 3");
    QStringList puzzles, levels;
    for (int i = 0; i < dialog.dailyPage->daily->rowCount(); ++i) {
        puzzles << dialog.dailyPage->daily->item(i, 0)->text();
        levels << dialog.dailyPage->daily->item(i, 1)->text();
    }
    EXPECT_EQ(puzzles, (QStringList{"2026-03-13", "2026-03-12", "2026-03-10"}));
    EXPECT_EQ(levels, (QStringList{"Genius", "Novice", "Pro"}));
    now = QDateTime(QDate(2026, 3, 16), QTime(0, 30), Qt::UTC);
    dialog.Refresh();
    EXPECT_EQ(dialog.dailyPage->streakLabel->text(), "Current streak (days): 0");

    dialog.lists->setCurrentWidget(dialog.dailyPage);
    dialog.dailyPage->daily->selectRow(0);
    ASSERT_TRUE(dialog.replayButton->isEnabled());
    dialog.OnReplay();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->daily, QDate(2026, 3, 13));
    EXPECT_EQ(chosen->steps.size(), 1u);
}

// The chooser lists the four levels, then every other size won, the most
// recent first, and the size of the game in play before its first win; a
// size chosen shows its own figures and wins.
TEST(RecordsAndReplay, TheRecordsWindowChoosesAmongTheSizesPlayed)
{
    TempCwd cwd;
    Records records;
    std::vector<GameResult> kept;
    for (const auto& [size, moves, minute] : {std::tuple{GridSize{5, 7}, 90, 1}, {GridSize{16, 16}, 700, 2},
                                              {GridSize{5, 7}, 80, 3}, {kExpert, 30, 4}}) {
        GameResult r;
        r.size = size;
        r.moves = moves;
        r.finished = QDateTime(QDate(2026, 3, 14), QTime(9, minute), Qt::UTC);
        kept.push_back(r);
    }
    ASSERT_TRUE(records.AddAll(kept));
    const auto listed = [](const CRecordsDlg& dialog) {
        QStringList out;
        for (int i = 0; i < dialog.sizes->count(); ++i)
            out << dialog.sizes->itemText(i);
        return out;
    };

    CRecordsDlg dialog(records, {9, 9}, Style::Strategy);
    EXPECT_EQ(listed(dialog), (QStringList{"Novice", "Pro", "Expert", "Genius", "5 × 7", "16 × 16", "9 × 9"}));
    EXPECT_EQ(dialog.sizes->currentText(), "9 × 9");
    EXPECT_EQ(dialog.summary->item(0, 4)->text(), "0");
    dialog.sizes->setCurrentIndex(4);
    EXPECT_EQ(dialog.summary->item(0, 0)->data(CRecordsDlg::kLevelRole), "5x7");
    EXPECT_EQ(dialog.summary->item(0, 2)->text(), "80"); // the best
    EXPECT_EQ(dialog.summary->item(0, 4)->text(), "2");
    ASSERT_EQ(dialog.kindPage->wins->rowCount(), 2);
    EXPECT_EQ(dialog.kindPage->wins->item(1, 1)->text(), "90");
    dialog.SelectKind(kExpert, Style::Speed);
    dialog.Refresh();
    EXPECT_EQ(dialog.sizes->currentText(), "Expert");
    EXPECT_EQ(dialog.summary->currentRow(), 1);
    EXPECT_EQ(dialog.kindPage->wins->rowCount(), 0); // no Speed win at Expert
}

// The records follow the game: the win goes to them as it is made, and a
// new game begun before their verdict comes makes it old news: the title
// stays as the new game has it, though the win is kept as the best.
TEST(RecordsAndReplay, ANewBestDecidedOnceANewGameBeganIsNoLongerNews)
{
    TempCwd cwd;
    ASSERT_TRUE(SaveNearlyWon(true));
    Window w;
    w.Key(Qt::Key_Left);
    ASSERT_EQ(w.game.View().puzzle.state, Solved);
    // The verdict comes back between events; none has run yet.
    w.dlg.OnBnClickedNewGame();
    ASSERT_EQ(w.game.View().puzzle.state, Playing);
    ASSERT_TRUE(w.SettleRecords());
    EXPECT_EQ(w.dlg.windowTitle(), "Tesselo");
    const Records::Summary pro = Records().Summarize(kPro, Style::Strategy);
    ASSERT_EQ(pro.won, 1);
    EXPECT_EQ(pro.best->moves, 8);
}

// A win the records cannot take (another program holds the file) is told
// once the winning move is over, and kept at once in the pending file
// beside the records; at the close, the way clear again, it goes in.
TEST(RecordsAndReplay, AWinTheRecordsCannotTakeIsToldAndWrittenAtTheClose)
{
    TempCwd cwd;
    ASSERT_TRUE(SaveNearlyWon(true));
    Window w;
    w.dlg.Kept().Current().SetBusyTimeout(50);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(Records::kFileName, &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    w.Key(Qt::Key_Left);
    ASSERT_EQ(w.game.View().puzzle.state, Solved);
    EXPECT_TRUE(w.dlg.notKept.empty()) << "told in the middle of the winning move";
    ASSERT_TRUE(w.SettleRecords());
    ASSERT_EQ(w.dlg.notKept.size(), 1u);
    EXPECT_EQ(w.dlg.Kept().Unwritten(), 1u);
    EXPECT_TRUE(QFile::exists(PendingWins::kFileName));

    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QCloseEvent accepted;
    QApplication::sendEvent(&w.dlg, &accepted);
    EXPECT_TRUE(accepted.isAccepted());
    EXPECT_TRUE(w.dlg.losing.empty());
    Records kept;
    EXPECT_EQ(kept.Summarize(kPro, Style::Strategy).won, 1);
    EXPECT_FALSE(QFile::exists(PendingWins::kFileName));
}

// A win still held out at the close is safe in the pending file: the window
// closes without asking, and the next start writes it. On a signal (a
// session that ends) the game tries once more. Only a win the pending file
// cannot take either makes the close ask, and the window stays.
TEST(RecordsAndReplay, AWinInThePendingFileOutlivesTheWindow)
{
    TempCwd cwd;
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(Records::kFileName, &other), SQLITE_OK);
    // The window wins its nearly won game while another program holds the
    // records.
    const auto winHeldOut = [&](Window& w) {
        // The records open at start, as there is a file: once they are.
        EXPECT_TRUE(w.SettleRecords());
        w.dlg.Kept().Current().SetBusyTimeout(50);
        EXPECT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        w.Key(Qt::Key_Left);
        return w.SettleRecords() && w.dlg.notKept.size() == 1;
    };
    const auto release = [&] { sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr); };
    ASSERT_TRUE(SaveNearlyWon(true));
    {
        Window w;
        ASSERT_TRUE(winHeldOut(w));
        QCloseEvent close;
        QApplication::sendEvent(&w.dlg, &close);
        EXPECT_TRUE(close.isAccepted());
        EXPECT_TRUE(w.dlg.losing.empty());
    }
    release();
    {
        Window next(false);
        ASSERT_TRUE(next.SettleRecords()); // opened at start, for the pending win
        EXPECT_EQ(Records().Summarize(kPro, Style::Strategy).won, 1);
        EXPECT_FALSE(QFile::exists(PendingWins::kFileName));
    }

    // Held again, a win waits in the pending file; the way clear, a signal
    // writes it.
    ASSERT_TRUE(SaveNearlyWon(true));
    Window w;
    ASSERT_TRUE(winHeldOut(w));
    ASSERT_TRUE(QFile::exists(PendingWins::kFileName));
    release();
    EXPECT_TRUE(w.dlg.SaveNow());
    EXPECT_EQ(Records().Summarize(kPro, Style::Strategy).won, 2);
    EXPECT_FALSE(QFile::exists(PendingWins::kFileName));

    // Neither the records nor the pending file take the next win (its lock
    // cannot be had): the close asks, and the window stays.
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("%1.lock").arg(PendingWins::kFileName)));
    ASSERT_TRUE(SaveNearlyWon(true));
    Window last;
    ASSERT_TRUE(winHeldOut(last));
    EXPECT_EQ(last.dlg.Kept().AtRisk(), 1u);
    QCloseEvent refused;
    QApplication::sendEvent(&last.dlg, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_EQ(last.dlg.losing, std::vector<std::size_t>{1});
    release();
    sqlite3_close(other);
}

TEST(RecordsAndReplay, ASolveIsSavedAsAnAnimationAfterTheWinAndFromTheRecords)
{
    TempCwd cwd;
    ASSERT_TRUE(SaveNearlyWon(true));
    Window w;
    w.Key(Qt::Key_Left);
    ASSERT_EQ(w.game.View().puzzle.state, Solved);
    ASSERT_TRUE(w.SettleRecords());
    const std::size_t moves = w.game.View().puzzle.history.Played().size();
    ASSERT_GT(moves, 0u);
    QStringList suggested;
    const QStringList files{cwd.Path("after the win.gif"), cwd.Path("from the records.webp")};
    w.dlg.Commands().askAnimationFile = [&](const QString& name) {
        suggested << name;
        return files.value(suggested.size() - 1);
    };
    w.dlg.Commands().SaveLastSolveAnimation();
    w.dlg.animationChosen = true;
    w.dlg.Commands().Records();
    ASSERT_EQ(suggested.size(), 2);
    for (const QString& name : suggested)
        EXPECT_TRUE(name.contains("Tesselo Pro Strategy") && name.endsWith(".gif")) << name.toStdString();
    // The game just won and the same win from the records: the start, a few
    // frames a move, the whole picture.
    QImageReader gif(files[0]);
    EXPECT_EQ(gif.imageCount(), ReplayFrames::CountFor(moves));
    QFile webp(files[1]);
    ASSERT_TRUE(webp.open(QIODevice::ReadOnly));
    EXPECT_TRUE(webp.read(16).startsWith("RIFF"));
    // The game is as it was: won, its replay still at hand.
    EXPECT_EQ(w.game.View().puzzle.state, Solved);
    EXPECT_TRUE(w.game.CanReplaySolve());
}
