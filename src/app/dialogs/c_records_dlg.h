#pragma once

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

class ProgressPanel;

// "Tesselo Records": a chooser of grid sizes (the four levels, then every
// other size played, the most recent first); for each style of the size
// chosen the best win, the wins counted and the averages of the last 5 and
// 12; below, the wins of the chosen size and style a page at a time, any
// of which can be replayed on the board. The daily puzzles won, of every
// size and style, are listed apart, with the current streak. Between the
// two, "Progress" charts the wins of the chosen size and style.
// Everything shown is asked of the records by query, so the window opens
// as fast with a hundred thousand wins as with ten; the charts, which need
// every win of a kind, are read on the charts' own thread when their tab
// is first shown (the kind in play is read ahead there). Rows are known by
// the keys kept in their items, never by their (translated) text. Opened
// over records still being opened or imported, it shows how that goes and
// fills itself once they are ready.
// Built with layouts, so it grows to hold its texts in any font.
class CRecordsDlg : public QDialog {
    Q_OBJECT
public:
    // Wins listed a page at a time.
    static constexpr int kPageSize = 100;
    // Item data: the size's name and the style's key of a summary row
    // (column 0), as the records keep them ("Expert", "5x7"; "Speed"); the
    // id of a win and whether it can be replayed (column 0 of the wins).
    static constexpr int kLevelRole = Qt::UserRole;
    static constexpr int kStyleRole = Qt::UserRole + 1;
    static constexpr int kIdRole = Qt::UserRole;
    static constexpr int kReplayableRole = Qt::UserRole + 1;

    // Opened at the size and style of the game in play, listed among the
    // sizes even before it has a win. `today` is the day of the daily
    // puzzle now, by the game's clock (Game::TodayUtc).
    CRecordsDlg(Records& records, GridSize size, Style style, const QDate& today, QWidget* parent = nullptr);
    // The records the keeper keeps: read once its worker is done with them.
    CRecordsDlg(RecordsKeeper& keeper, GridSize size, Style style, const QDate& today, QWidget* parent = nullptr);

    // Whether the records are on show, rather than awaited.
    bool IsReady() const { return records != nullptr; }
    // The import of the records of an earlier version: `done` of `total`.
    void OnImporting(int done, int total);

    // Fills both tables from the records as they stand.
    void Refresh();
    void SelectKind(GridSize size, Style style);
    void OnClearRecords();
    void OnReplay();
    // Plays the win kept under `id` again, when it was kept with its moves.
    void ReplayWin(std::int64_t id);
    void OnPreviousPage();
    void OnNextPage();

    // Text of a score for its style: moves as a number, time as the
    // counter shows it; "-" when there is none.
    static QString ScoreText(Style style, std::optional<double> score);

    QComboBox* sizes = nullptr; // item data: the size's name, as kLevelRole
    QTableWidget* summary = nullptr;
    // The wins of a size and style, their progress, the daily puzzles.
    QTabWidget* lists = nullptr;
    QWidget* kindPage = nullptr;
    ProgressPanel* progressTab = nullptr;
    QWidget* dailyPage = nullptr;
    QTableWidget* wins = nullptr;
    QTableWidget* daily = nullptr;
    QLabel* streakLabel = nullptr;
    QLabel* dailyLabel = nullptr;
    QComboBox* order = nullptr;
    QLabel* pageLabel = nullptr;
    QPushButton* previousButton = nullptr;
    QPushButton* nextButton = nullptr;
    QPushButton* replayButton = nullptr;
    QPushButton* mapButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* closeButton = nullptr;
    // Shown while the records are awaited, in place of the tables.
    QLabel* waitLabel = nullptr;
    QProgressBar* progress = nullptr;
    QWidget* recordsView = nullptr; // the tables
    // The win the player chose to watch, with its replay, once the window
    // has closed for it.
    std::optional<GameResult> chosen;
    // Whether the player asked for its map of the solve rather than its
    // replay.
    bool mapChosen = false;
    // The UTC date the streak of daily puzzles ends at or the day before.
    QDate today;

protected:
    // Asks before the records are set aside; tests answer it.
    virtual bool ConfirmClear();

private:
    void Build();
    void ShowRecords(Records& ready);
    // The chooser's sizes as the records stand, keeping the one chosen.
    void FillSizes();
    // The summary rows of the size chosen, keeping the style chosen.
    void FillSummary();
    void FillWins();
    void FillDaily();
    // Reads the wins of the chosen kind for the charts, when their tab is
    // on show and they are not read yet.
    void LoadProgress();
    // The records, for a read on this thread.
    Records& Reader();
    // The list the Replay button acts on: the one on show.
    QTableWidget* ShownList() const;
    void EnableReplay();
    void ShowPage(int first);
    GridSize ChosenSize() const;
    std::optional<tesselo::Style> ChosenStyle() const;

    Records* records = nullptr; // none while awaited
    RecordsKeeper* keeper = nullptr; // where the charts are read, if anywhere
    bool progressRead = false;       // the charts show the chosen kind
    int progressAsked = 0;           // reads of the charts asked for: a late one is passed over
    GridSize firstSize;              // the kind chosen at first, once shown
    tesselo::Style firstStyle;
    int pageStart = 0;  // the first win shown, counted from 0
    int kindWins = 0;   // the wins of the chosen size and style
};

} // namespace tesselo
