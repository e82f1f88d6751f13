#include "app/dialogs/c_help_dlg.h"
#include "app/dialogs/dialog_units.h"
#include "app/sound_play_dir.h"
#include "app/window/c_tesselo_dlg.h"
#include "model/clock_text.h"
#include "model/game.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

using namespace tesselo;
using namespace tesselo::testing;

namespace {

QPushButton* DoneButton(QWidget* help)
{
    for (auto* b : help->findChildren<QPushButton*>())
        if (b->text() == "Done")
            return b;
    return nullptr;
}

} // namespace

TEST(HelpDialog, ShowsEveryFixedTextExactly)
{
    CHelpDlg help;
    EXPECT_EQ(help.windowTitle(), "Tesselo Help");
    EXPECT_FALSE(help.windowFlags() & Qt::WindowCloseButtonHint);
    QPushButton* done = DoneButton(&help);
    ASSERT_NE(done, nullptr);

    std::set<QString> shown;
    for (auto* label : help.findChildren<QLabel*>())
        shown.insert(label->text());
    for (const char* text : {
             "Instructions:",
             "Click \"New Game\" to start playing.",
             "Click and drag the image to re-assemble the picture.",
             "Keyboard:",
             "Use right and left arrow keys to slide the selected row.",
             "Use up and down arrow keys to slide the selected column.",
             "Use Shift + arrow keys to change the selection.",
             "About Tesselo",
             "USE AT YOUR OWN RISK!",
             "This software is  not warranted safe or fit for any purpose whatsoever.",
             "Options:",
             "Click the Options button to:",
             "- Set the difficulty: a level, or a custom grid of 2 to 20 rows and 2 to 20 columns",
             "- Set the style: strategy (fewest moves) or speed (shortest time)",
             "- Choose new pictures (a new picture folder).  .BMP, .JPG, .GIF and .PNG files supported.",
             "- Show a number on each tile, for pictures with few clues",
             "- Turn off the sound",
             "Attributions:",
             "For sound management, Tesselo uses:",
             "Sounds are from:",
             "For more detail, see the accompanying file \"Attributions.txt\"",
             "Ctrl+Z undo, Ctrl+Y redo, Ctrl+R records, Ctrl+P replay, M solve map.",
             "H shows a hint: the next move of the shortest way known.",
             "Shift+H solves: it plays that way a move at a time until a key or click.",
             "P pauses a Speed game; P or a click goes on.",
             "N shows or hides the numbers on the tiles: each tile's place in the finished picture, counted along "
             "the rows.",
             "Ctrl+C copies the game ID, Ctrl+V plays the game ID copied, Ctrl+D plays the daily puzzle.",
             "Ctrl+Shift+C copies the replay of a win, which Ctrl+V plays too; Ctrl+Shift+R races your best: its "
             "solve plays beside yours.",
             "A game ID names the grid and a number: Expert-2718281828 on a level, 5x7-2718281828 on a custom "
             "grid of 5 rows and 7 columns.",
             "Right-click the board for a menu of every command and its key.",
             "Game controller:",
             "D-pad or left stick slides the selected row or column; the right stick (or the left shoulder "
             "held) moves the selection.",
             "A first button, B undo, right shoulder redo, X hint, Y numbers, Start pause.",
             "On a touch screen, drag a row or column with a finger; a tap selects.",
         })
        EXPECT_EQ(shown.count(QString::fromUtf8(text)), 1u) << text;

    // The rows in our own words still say what they must.
    const auto anyContains = [&](const char* part) {
        for (const QString& s : shown)
            if (s.contains(QString::fromUtf8(part)))
                return true;
        return false;
    };
    for (const char* part : {"1.00", "Qt", "SDL2_mixer", "licence"})
        EXPECT_TRUE(anyContains(part)) << part;
}

// The page keeps the look of its English design: two columns of 240 dialog
// units, their headings centred over them, the key lines and the option
// lines indented, the icon beside the two about lines, "Done" centred
// below everything.
TEST(HelpDialog, KeepsItsTwoColumnsAndItsIcon)
{
    CHelpDlg help;
    const DialogUnits du(help.font());
    // Each width is rounded to whole pixels on its own: a pixel or two off
    // the design's sum.
    EXPECT_NEAR(help.width(), du.X(500), 2);
    const auto label = [&](const char* text) {
        for (auto* l : help.findChildren<QLabel*>())
            if (l->text() == QString::fromUtf8(text))
                return l;
        ADD_FAILURE() << "no label " << text;
        return static_cast<QLabel*>(nullptr);
    };
    // Where a line's text starts on the page.
    const auto textX = [](const QLabel* l) { return l->x() + l->contentsMargins().left(); };
    const struct {
        const char* text;
        int x; // dialog units
    } starts[] = {
        {"Keyboard:", 7},
        {"Use Shift + arrow keys to change the selection.", 13},
        {"USE AT YOUR OWN RISK!", 7},
        {"Click the Options button to:", 253},
        {"- Turn off the sound", 259},
        {"Sounds are from:", 253},
    };
    for (const auto& s : starts) {
        const QLabel* l = label(s.text);
        ASSERT_NE(l, nullptr);
        EXPECT_NEAR(textX(l), du.X(s.x), 2) << s.text;
    }
    for (const char* heading : {"Instructions:", "About Tesselo", "Options:", "Attributions:"}) {
        const QLabel* l = label(heading);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->width(), du.X(240)) << heading;
        EXPECT_TRUE(l->alignment() & Qt::AlignHCenter) << heading;
    }

    const QLabel* version = label("Tesselo version 1.00, made by the Tesselo team.");
    const QLabel* copyright = label("Copyright (C) 2026 the Tesselo team.");
    ASSERT_TRUE(version && copyright);
    QLabel* icon = nullptr;
    for (auto* l : help.findChildren<QLabel*>())
        if (!l->pixmap().isNull())
            icon = l;
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->geometry(), QRect(du.X(7), version->y(), du.X(20), du.Y(20)));
    EXPECT_EQ(version->x(), copyright->x());
    EXPECT_GE(version->x(), icon->geometry().right() + du.X(10));
    EXPECT_GT(copyright->y(), version->geometry().bottom());

    QPushButton* done = DoneButton(&help);
    ASSERT_NE(done, nullptr);
    EXPECT_NEAR(done->geometry().center().x(), help.width() / 2, 1);
    EXPECT_GE(done->width(), du.X(50));
    EXPECT_GE(done->height(), du.Y(14));
    for (auto* l : help.findChildren<QLabel*>())
        EXPECT_LT(l->geometry().bottom(), done->y()) << l->text().toStdString();
}

TEST(HelpDialog, DoneAndEscapeCloseIt)
{
    for (const bool escape : {false, true}) {
        CHelpDlg help;
        QTimer::singleShot(0, &help, [&] {
            if (escape)
                QTest::keyClick(&help, Qt::Key_Escape);
            else
                DoneButton(&help)->click();
        });
        QTimer::singleShot(5000, &help, [&] { help.done(99); }); // a hung test fails, not hangs
        EXPECT_EQ(help.exec(), QDialog::Rejected) << (escape ? "Escape" : "Done");
    }
}

// The game's timer goes on under the help: a "Speed" game's time counts the
// minutes spent reading it.
TEST(HelpDialog, GameTimeRunsOnWhileItIsOpen)
{
    SoundPlayDir dir;
    Game game;
    CTesseloDlg dlg(game);
    dlg.OnSize(dlg.width(), dlg.height());
    dlg.OnInitDialog();
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    game.SetStrategyStyle(false);
    dlg.Counter().OnTimer(dlg.Counter().TimerId());
    dlg.OnBnClickedNewGame();
    ASSERT_EQ(game.View().puzzle.state, Playing);
    const std::int64_t opened = game.View().stopwatch.clockNow;

    std::int64_t seenInside = opened;
    bool clockInside = false;
    QTimer::singleShot(600, &dlg, [&] {
        seenInside = game.View().stopwatch.clockNow;
        clockInside = ClockTicking(dlg.Sound());
        auto* help = qobject_cast<CHelpDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(help, nullptr);
        DoneButton(help)->click();
    });
    dlg.OnBnClickedHelp();

    EXPECT_GE(seenInside - opened, 400) << "the timer stood still under the help";
    EXPECT_TRUE(clockInside) << "the clock sound stopped under the help";
    dlg.Counter().OnTimer(dlg.Counter().TimerId());
    EXPECT_GE(game.View().stopwatch.Running(), 500);
    EXPECT_EQ(game.View().puzzle.state, Playing);
    EXPECT_GE(game.View().stopwatch.elapsed, 500);
    EXPECT_EQ(dlg.Bar().counterValue->text(), ClockText(game.View().stopwatch.elapsed));
}
