#pragma once

#include <QDate>
#include <QWidget>

#include <cstdint>
#include <optional>

class QLabel;
class QTableWidget;

namespace tesselo {

class Records;

// The "Daily Puzzles" tab of the Records window: the daily puzzles won, of
// every size and style, the newest puzzle first, under the current streak
// of days whose puzzle was won.
class DailyWinsPage : public QWidget {
    Q_OBJECT
public:
    explicit DailyWinsPage(QWidget* parent = nullptr);

    // Lists the newest daily wins, and the streak that ends on `today` (the
    // daily puzzle's UTC day) or the day before.
    void Fill(Records& records, QDate today);
    // The win of the row chosen, when it was kept with its moves.
    std::optional<std::int64_t> Choice() const;

    QTableWidget* daily = nullptr;
    QLabel* streakLabel = nullptr;
    QLabel* dailyLabel = nullptr;

signals:
    // The row chosen, or what it holds, changed.
    void ChoiceChanged();
    // A row was double-clicked: play its win again.
    void Activated();
};

} // namespace tesselo
