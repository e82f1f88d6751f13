#pragma once

#include "app/dialogs/records_table.h"
#include "model/wall_clock.h"
#include "records/records.h"
#include "services/records_keeper.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace tesselo {

class DailyWinsPage;
class KindWinsPage;
class ProgressPanel;

// "Tesselo Records": a chooser of grid sizes (the four levels, then every
// other size played, the most recent first); for each style of the size
// chosen the best win, the wins counted and the averages of the last 5 and
// 12; below, three tabs: the wins of the chosen size and style a page at a
// time (KindWinsPage), their progress in charts (ProgressPanel), and the
// daily puzzles won, of every size and style, with the current streak
// (DailyWinsPage). Any win kept with its moves can be played again or
// mapped; the window then closes and says which by ReplayChosen or
// MapChosen.
// Everything shown is asked of the records by query, so the window opens
// as fast with a hundred thousand wins as with ten; the charts, which need
// every win of a kind, are read on the charts' own thread when their tab
// is first shown (the kind in play is read ahead there). Opened over
// records still being opened or imported, it shows how that goes and
// fills itself once they are ready. Ctrl+Tab and Ctrl+Page Down turn to
// the next tab, Ctrl+Shift+Tab and Ctrl+Page Up to the one before,
// wherever the focus is in the window.
// Built with layouts, so it grows to hold its texts in any font.
class CRecordsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPageSize = RecordsTable::kPageSize;
    // Item data of a summary row (column 0): the size's name and the
    // style's key, as the records keep them ("Expert", "5x7"; "Speed").
    static constexpr int kLevelRole = Qt::UserRole;
    static constexpr int kStyleRole = Qt::UserRole + 1;

    // Opened at the size and style of the game in play, listed among the
    // sizes even before it has a win. `days` says which day it is: the
    // daily puzzles' streak and the charts' days end on it.
    CRecordsDlg(Records& records, GridSize size, Style style, DayClock days = {}, QWidget* parent = nullptr);
    // The records the keeper keeps: read once its worker is done with them.
    CRecordsDlg(RecordsKeeper& keeper, GridSize size, Style style, DayClock days = {}, QWidget* parent = nullptr);

    // Whether the records are on show, rather than awaited.
    bool IsReady() const { return records != nullptr; }
    // The import of the records of an earlier version: `done` of `total`.
    void OnImporting(int done, int total);

    // Fills the tables from the records as they stand.
    void Refresh();
    void SelectKind(GridSize size, Style style);
    void OnClearRecords();
    // The win chosen in the list on show, played again or mapped.
    void OnReplay();
    void OnMap();
    // Puts the chosen win's replay code (ReplayCode) on the clipboard.
    void OnCopyReplay();
    // Asks for the chosen win to be saved as an animation
    // (AnimationChosen); the window stays open.
    void OnSaveAnimation();
    // A race against the chosen win (RaceChosen), when it was kept with
    // every move from its start; the window closes.
    void OnRace();
    // Plays the win kept under `id` again, when it was kept with its moves.
    void ReplayWin(std::int64_t id);

    QComboBox* sizes = nullptr; // item data: the size's name, as kLevelRole
    QTableWidget* summary = nullptr;
    // The wins of a size and style, their progress, the daily puzzles.
    QTabWidget* lists = nullptr;
    KindWinsPage* kindPage = nullptr;
    ProgressPanel* progressTab = nullptr;
    DailyWinsPage* dailyPage = nullptr;
    QPushButton* replayButton = nullptr;
    QPushButton* mapButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* animationButton = nullptr;
    QPushButton* raceButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* closeButton = nullptr;
    // Shown while the records are awaited, in place of the tables.
    QLabel* waitLabel = nullptr;
    QProgressBar* progress = nullptr;
    QWidget* recordsView = nullptr; // the tables

signals:
    // The player chose a win kept with its moves, to watch it played again
    // or to see its map of the solve; the window closes (accepted).
    void ReplayChosen(const tesselo::GameResult& win);
    void MapChosen(const tesselo::GameResult& win);
    // The player asked for a win kept with its moves as an animation.
    void AnimationChosen(const tesselo::GameResult& win);
    // The player chose to race a win (kept under `id`); the window closes.
    void RaceChosen(const tesselo::GameResult& win, qint64 id);

protected:
    // Asks before the records are set aside; tests answer it.
    virtual bool ConfirmClear();
    // Says why the win chosen cannot be raced; tests answer it.
    virtual void TellCannotRace();

private:
    void Build();
    void ShowRecords(Records& ready);
    // The chooser's sizes as the records stand, keeping the one chosen.
    void FillSizes();
    // The summary rows of the size chosen, keeping the style chosen.
    void FillSummary();
    // The summary's figures that need every win of the kind (the best
    // averages, the mean and the spread): read beside the window, as the
    // charts are, and filled in when they come.
    void FillWholeFigures(GridSize size);
    // The wins of the kind chosen, listed and (when on show) charted.
    void FillWins();
    // Reads the wins of the chosen kind for the charts, when their tab is
    // on show and they are not read yet.
    void LoadProgress();
    // The records, for a read on this thread.
    Records& Reader();
    // The win chosen in the list on show, if it can be played again.
    std::optional<std::int64_t> ShownChoice() const;
    void EnableReplay();
    void Choose(std::int64_t id, bool map);
    // Turns `by` tabs on, round from the last to the first.
    void TurnTab(int by);
    GridSize ChosenSize() const;
    std::optional<tesselo::Style> ChosenStyle() const;

    DayClock days;
    Records* records = nullptr; // none while awaited
    RecordsKeeper* keeper = nullptr; // where the charts are read, if anywhere
    bool progressRead = false;       // the charts show the chosen kind
    int progressAsked = 0;           // reads of the charts asked for: a late one is passed over
    int wholeAsked = 0;              // reads of the summary's whole figures, likewise
    GridSize firstSize;              // the kind chosen at first, once shown
    tesselo::Style firstStyle;
};

} // namespace tesselo
