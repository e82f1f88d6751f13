#include "app/window_fixture.h"
#include "support/staged_games.h"
#include "support/temp_cwd.h"
#include "view/c_puzzle_image.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <thread>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

QByteArray ReadAll(const char* path)
{
    QFile f(QString::fromLatin1(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(RecordsAndReplay, AWinIsKeptAnnouncedAndReplayedWithoutTouchingTheGame)
{
    TempCwd cwd;
    ASSERT_TRUE(SaveNearlyWon(true));
    Window w;
    const TileGrid resumed = w.game.grid;
    QTest::keyClick(w.dlg.newGameButton, Qt::Key_Left);
    ASSERT_EQ(w.game.state, Solved);
    EXPECT_EQ(w.dlg.windowTitle(), "Tesselo - New record!");
    Records kept;
    ASSERT_TRUE(kept.Load());
    const Records::Summary pro = kept.Summarize("Pro", "Strategy");
    ASSERT_EQ(pro.won, 1);
    EXPECT_EQ(pro.best->moves, 8);

    // The replay shows the game from where its history began (the resumed
    // position) and changes nothing of it.
    const QByteArray records = ReadAll(Records::kFileName);
    const std::vector<HistoryStep> history = w.game.history.steps;
    QTest::keyClick(w.dlg.newGameButton, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(w.dlg.replay->IsRunning());
    ASSERT_EQ(w.dlg.boardControl->replayFrame, &w.dlg.replay->player.Frame());
    EXPECT_TRUE(w.dlg.replay->player.Frame().grid.SameCells(resumed));
    w.dlg.replay->player.ShowMoment(1150);
    EXPECT_EQ(w.dlg.replay->player.Frame().axis, Horizontal);
    EXPECT_EQ(w.dlg.replay->player.Frame().offset, -w.game.board.CellWidth() / 2);
    // A resize keeps it going at the new size.
    w.dlg.OnSize(900, 700);
    EXPECT_TRUE(w.dlg.replay->IsRunning());
    EXPECT_EQ(w.dlg.replay->player.board.Size(), QSize(900, 700 - 60));
    w.dlg.boardControl->repaint();
    EXPECT_EQ(w.game.state, Solved);
    EXPECT_EQ(w.game.moves, 8);
    EXPECT_EQ(w.game.history.steps, history);
    EXPECT_EQ(ReadAll(Records::kFileName), records);
    // Any key ends it, and reaches nothing else.
    QTest::keyClick(w.dlg.newGameButton, Qt::Key_Space);
    EXPECT_FALSE(w.dlg.replay->IsRunning());
    EXPECT_EQ(w.dlg.boardControl->replayFrame, nullptr);
    EXPECT_EQ(w.game.state, Solved);

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
        ASSERT_EQ(first.game.state, Solved);
    }
    ASSERT_TRUE(QFile::remove(Game::kSaveFileName));
    Window w;
    w.game.SetStrategyStyle(false);
    w.dlg.OnBnClickedNewGame();
    ASSERT_EQ(w.game.state, Playing);
    const auto homes = w.Homes();

    w.dlg.OnRecords();
    EXPECT_EQ(w.dlg.recordsShown, 1);
    ASSERT_TRUE(w.dlg.replay->IsRunning());
    EXPECT_EQ(w.dlg.replay->player.Frame().grid.rowCount, 3); // the kept game's grid
    w.Tick();
    const QString shown = w.dlg.counterValue->text();
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    w.Tick();
    EXPECT_EQ(w.dlg.counterValue->text(), shown);

    // A click on the board only ends the replay: no drag begins.
    w.Mouse(QEvent::MouseButtonPress, QPoint(50, w.dlg.barHeight + 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(w.dlg.replay->IsRunning());
    EXPECT_FALSE(w.game.dragging);
    w.Mouse(QEvent::MouseButtonRelease, QPoint(50, w.dlg.barHeight + 50), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w.Homes(), homes);
    EXPECT_EQ(w.game.moves, 0);
    EXPECT_EQ(w.game.state, Playing);
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
        ASSERT_EQ(first.game.state, Solved);
    }
    Window w(false);
    w.dlg.OnRecords();
    ASSERT_TRUE(w.dlg.replay->IsRunning());
    EXPECT_EQ(w.dlg.replay->player.board.sourcePath, "./Pictures/" + name);
}

TEST(RecordsAndReplay, TheRecordsWindowSumsUpEachKind)
{
    TempCwd cwd;
    Records records;
    GameResult r;
    r.level = "Expert";
    r.style = "Speed";
    r.finished = QDateTime(QDate(2026, 3, 4), QTime(5, 6), Qt::UTC);
    for (const int ms : {61000, 83400, 72000, 99000, 64000}) {
        r.milliseconds = ms;
        ASSERT_TRUE(records.Add(r));
    }
    CRecordsDlg dialog(records, "Expert", "Speed");
    int row = -1;
    for (int i = 0; i < dialog.summary->rowCount(); ++i)
        if (dialog.summary->item(i, 0)->text() == "Expert" && dialog.summary->item(i, 1)->text() == "Speed")
            row = i;
    ASSERT_GE(row, 0);
    QStringList texts;
    for (int c = 2; c < dialog.summary->columnCount(); ++c)
        texts << dialog.summary->item(row, c)->text();
    EXPECT_EQ(texts, (QStringList{"0:01:01.0", "2026-03-04", "5", "0:01:13.1", "-"}));
    EXPECT_EQ(dialog.summary->currentRow(), row);
    ASSERT_EQ(dialog.wins->rowCount(), 5);
    EXPECT_EQ(dialog.wins->item(0, 2)->text(), "0:01:01.0"); // best first
    dialog.order->setCurrentIndex(1);
    EXPECT_EQ(dialog.wins->rowCount(), 5);
    // Kept without their moves, these wins cannot be replayed.
    EXPECT_FALSE(dialog.replayButton->isEnabled());
}
