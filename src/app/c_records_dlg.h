#pragma once

#include "model/records.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace tesselo {

// "Tesselo Records": for each level and style the best win, the wins
// counted and the averages of the last 5 and 12; below, the wins of the
// chosen level and style a page at a time, any of which can be replayed on
// the board. The daily puzzles won, of every level and style, are listed
// apart, with the current streak. Everything shown is asked of the records
// by query, so the window opens as fast with a hundred thousand wins as
// with ten. Rows are known by the keys kept in their items, never by their
// (translated) text.
// Built with layouts, so it grows to hold its texts in any font.
class CRecordsDlg : public QDialog {
    Q_OBJECT
public:
    // Wins listed a page at a time.
    static constexpr int kPageSize = 100;
    // Item data: the level and style keys of a summary row (column 0); the
    // id of a win and whether it can be replayed (column 0 of the wins).
    static constexpr int kLevelRole = Qt::UserRole;
    static constexpr int kStyleRole = Qt::UserRole + 1;
    static constexpr int kIdRole = Qt::UserRole;
    static constexpr int kReplayableRole = Qt::UserRole + 1;

    CRecordsDlg(Records& records, const QString& level, const QString& style, QWidget* parent = nullptr);

    // Fills both tables from the records as they stand.
    void Refresh();
    void SelectKind(const QString& level, const QString& style);
    void OnClearRecords();
    void OnReplay();
    void OnPreviousPage();
    void OnNextPage();

    // Text of a score for its style: moves as a number, time as the
    // counter shows it; "-" when there is none.
    static QString ScoreText(const QString& style, std::optional<double> score);

    QTableWidget* summary = nullptr;
    QTabWidget* lists = nullptr; // the wins of a level and style; the daily puzzles
    QTableWidget* wins = nullptr;
    QTableWidget* daily = nullptr;
    QLabel* streakLabel = nullptr;
    QLabel* dailyLabel = nullptr;
    QComboBox* order = nullptr;
    QLabel* pageLabel = nullptr;
    QPushButton* previousButton = nullptr;
    QPushButton* nextButton = nullptr;
    QPushButton* replayButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* closeButton = nullptr;
    // The win the player chose to watch, with its replay, once the window
    // has closed for it.
    std::optional<GameResult> chosen;
    // The UTC date the streak of daily puzzles ends at or the day before.
    QDate today;

protected:
    // Asks before the records are set aside; tests answer it.
    virtual bool ConfirmClear();

private:
    void FillWins();
    void FillDaily();
    // The list the Replay button acts on: the one on show.
    QTableWidget* ShownList() const;
    void EnableReplay();
    void ShowPage(int first);
    QString Level() const;
    QString Style() const;

    Records& records;
    int pageStart = 0;  // the first win shown, counted from 0
    int kindWins = 0;   // the wins of the chosen level and style
};

} // namespace tesselo
