#pragma once

#include "app/dialogs/c_help_dlg.h"
#include "app/dialogs/c_option_dlg.h"
#include "app/dialogs/c_records_dlg.h"
#include "app/dialogs/kind_wins_page.h"
#include "app/window/c_tesselo_dlg.h"
#include "model/game.h"
#include "pictures/picture_setup.h"
#include "support/saved_games.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace tesselo::testing {

// A main window whose windows and messages the test answers, the answer
// to a failed save its choice.
class TestDlg : public CTesseloDlg, public Prompter {
public:
    explicit TestDlg(Game& game) : CTesseloDlg(game)
    {
        SetPrompter(this);
        // The quick tables stand in for the large ones: built in a blink,
        // and kept in a folder of the test's own.
        UseSolver(SolverService::Options{cache.path(), &solver::PhaseTables::Quick, 1'000'000});
    }
    int Run(QDialog& dialog) override
    {
        if (auto* records = qobject_cast<CRecordsDlg*>(&dialog))
            return RunRecords(*records);
        // The options answered with Cancel, the help only counted: the test
        // goes on at once.
        if (qobject_cast<COptionDlg*>(&dialog))
            return ++optionsShown, QDialog::Rejected;
        if (qobject_cast<CHelpDlg*>(&dialog))
            return ++helpShown, QDialog::Rejected;
        ADD_FAILURE() << "an unexpected window: " << dialog.metaObject()->className();
        return QDialog::Rejected;
    }
    void Run(QMenu&, QPoint) override { ++menusShown; }
    bool Ask(QWidget*, const Prompt& prompt) override
    {
        switch (prompt.kind) {
        case Prompt::Kind::SaveFailed:
            lastReason = prompt.reason;
            ++offers;
            return closeWithoutSaving;
        case Prompt::Kind::WinNotKept: notKept.push_back(prompt.reason); break;
        case Prompt::Kind::WinsAtRisk: losing.push_back(prompt.count); break;
        case Prompt::Kind::SettingsNotKept:
        case Prompt::Kind::NoWayHome:
        case Prompt::Kind::Notice: told.push_back(prompt.kind); break;
        }
        return false;
    }
    // The records window, answered by choosing the first win of the first
    // size and style that has any.
    int RunRecords(CRecordsDlg& dialog)
    {
        ++recordsShown;
        // The records open off the window's thread; the window fills once
        // they are ready.
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.IsReady(); }, 10000));
        for (int size = 0; size < dialog.sizes->count() && dialog.kindPage->wins->rowCount() == 0; ++size) {
            dialog.sizes->setCurrentIndex(size);
            for (int r = 0; r < dialog.summary->rowCount() && dialog.kindPage->wins->rowCount() == 0; ++r)
                dialog.summary->selectRow(r);
        }
        dialog.kindPage->wins->selectRow(0);
        // As "Save Replay as Animation…" asks (the window stays open until
        // closed), as the Solve Map button asks, or Replay.
        if (animationChosen) {
            dialog.OnSaveAnimation();
            return QDialog::Rejected;
        }
        if (raceChosen)
            dialog.OnRace();
        else if (mapChosen)
            dialog.OnMap();
        else
            dialog.OnReplay();
        return dialog.result();
    }
    int recordsShown = 0;
    bool mapChosen = false; // the win chosen is mapped, not replayed
    bool raceChosen = false; // the win chosen is raced, not replayed
    bool animationChosen = false; // the win chosen is saved as an animation
    int optionsShown = 0;
    int helpShown = 0;
    int menusShown = 0;
    bool closeWithoutSaving = false;
    std::vector<QString> notKept;
    std::vector<std::size_t> losing;
    std::vector<Prompt::Kind> told;
    int offers = 0;
    QString lastReason;
    QTemporaryDir cache;
};

// The window opened as the program opens it, but without a nested event
// loop, so the test drives it.
struct Window {
    explicit Window(bool show = true) : dlg(game)
    {
        dlg.OnSize(dlg.width(), dlg.height());
        dlg.OnInitDialog();
        if (show) {
            dlg.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        }
    }
    void Tick() { dlg.Counter().OnTimer(dlg.Counter().TimerId()); }
    // A key as the player presses it: to whatever has the focus in the
    // window (the board, which leaves the keys to the window; no button
    // takes it).
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(dlg.focusWidget() ? dlg.focusWidget() : &dlg, key, modifiers);
    }
    // Waits until the records' worker is done with every win handed over,
    // and the charts' thread with its reads.
    bool SettleRecords() { return QTest::qWaitFor([&] { return dlg.Kept().IsSettled(); }, 10000); }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent e(type, QPointF(at), dlg.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &e);
    }
    // A drag in client coordinates, in a few steps as a hand would make it.
    void Drag(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        for (int i = 1; i <= 4; ++i)
            Mouse(QEvent::MouseMove, from + (to - from) * i / 4, Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    std::vector<int> Homes() const
    {
        std::vector<int> out;
        for (const auto& t : game.View().puzzle.grid.cells)
            out.push_back(t.homeRow * 10 + t.homeColumn);
        return out;
    }

    Game game;
    TestDlg dlg;
};

} // namespace tesselo::testing
