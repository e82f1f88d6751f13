#include "app/dialogs/daily_wins_page.h"

#include "app/dialogs/records_table.h"
#include "model/clock_text.h"
#include "records/daily_streak.h"
#include "records/display_names.h"
#include "records/records.h"
#include "records/result_text.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tesselo {

DailyWinsPage::DailyWinsPage(QWidget* parent) : QWidget(parent)
{
    daily = RecordsTable::Make({tr("Puzzle"), tr("Level"), tr("Style"), tr("Moves"), tr("Time"), tr("Help")}, this);
    daily->setAccessibleName(tr("Daily puzzles won"));
    streakLabel = new QLabel(this);
    streakLabel->setToolTip(tr("Days are the UTC dates that name the puzzles. A puzzle won with help is listed "
                               "but extends no streak. Today's puzzle, still to be won, breaks no streak."));
    dailyLabel = new QLabel(this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(streakLabel);
    bar->addStretch();
    bar->addWidget(dailyLabel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(daily, 1);

    connect(daily, &QTableWidget::itemSelectionChanged, this, &DailyWinsPage::ChoiceChanged);
    connect(daily, &QTableWidget::cellDoubleClicked, this, &DailyWinsPage::Activated);
}

void DailyWinsPage::Fill(Records& records, QDate today)
{
    const int streak = CurrentDailyStreak(records.DailyDaysBack(today), today);
    streakLabel->setText(tr("Current streak (days): %n", "consecutive days whose daily puzzle was won", streak));
    // One row more than a page says whether there are more; they are not
    // counted, as that would read every daily win.
    constexpr int kPage = RecordsTable::kPageSize;
    std::vector<Records::KeptWin> page = records.DailyPage(0, kPage + 1);
    const bool more = int(page.size()) > kPage;
    page.resize(std::min(page.size(), std::size_t(kPage)));
    dailyLabel->setText(more ? tr("The newest %n daily wins", nullptr, kPage)
                             : tr("Daily wins: %n", nullptr, int(page.size())));
    daily->clearContents();
    daily->setRowCount(int(page.size()));
    for (int row = 0; row < int(page.size()); ++row) {
        const Records::KeptWin& w = page[std::size_t(row)];
        const GameResult& g = w.result;
        QTableWidgetItem* keys = RecordsTable::SetRow(
            daily, row,
            {DateText(*g.daily), DisplayName(g.size), DisplayName(g.style), QString::number(g.moves),
             ClockText(g.milliseconds), RecordsTable::HelpText(g.assisted)},
            3);
        keys->setData(RecordsTable::kIdRole, qint64(w.id));
        keys->setData(RecordsTable::kReplayableRole, w.replayable);
    }
    RecordsTable::KeepColumnsInView(daily);
    if (!page.empty())
        daily->selectRow(0);
    emit ChoiceChanged();
}

std::optional<std::int64_t> DailyWinsPage::Choice() const
{
    return RecordsTable::ReplayableChoice(daily);
}

} // namespace tesselo
