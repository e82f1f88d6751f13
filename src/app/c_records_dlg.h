#pragma once

#include "model/records.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;
class QPushButton;
class QTableWidget;

namespace tesselo {

// "Tesselo Records": for each level and style the best win, the wins
// counted and the averages of the last 5 and 12; below, the wins of the
// chosen level and style, any of which can be replayed on the board.
// Built with layouts, so it grows to hold its texts in any font.
class CRecordsDlg : public QDialog {
    Q_OBJECT
public:
    CRecordsDlg(Records& records, const QString& level, const QString& style, QWidget* parent = nullptr);

    // Fills both tables from the records as they stand.
    void Refresh();
    void SelectKind(const QString& level, const QString& style);
    void OnClearRecords();
    void OnReplay();

    // Text of a score for its style: moves as a number, time as the
    // counter shows it; "-" when there is none.
    static QString ScoreText(const QString& style, std::optional<double> score);

    QTableWidget* summary = nullptr;
    QTableWidget* wins = nullptr;
    QComboBox* order = nullptr;
    QPushButton* replayButton = nullptr;
    QPushButton* clearButton = nullptr;
    QPushButton* closeButton = nullptr;
    // The win the player chose to watch, once the window has closed for it.
    std::optional<GameResult> chosen;

protected:
    // Asks before the records are set aside; tests answer it.
    virtual bool ConfirmClear();

private:
    void FillWins();
    QString Level() const;
    QString Style() const;

    Records& records;
    std::vector<GameResult> shown; // the rows of `wins`, in order
};

} // namespace tesselo
