#include "app/dialogs/kind_wins_page.h"

#include "app/dialogs/records_table.h"
#include "model/clock_text.h"
#include "records/records.h"
#include "records/result_text.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tesselo {

KindWinsPage::KindWinsPage(std::function<Records&()> read, QWidget* parent)
    : QWidget(parent), reader(std::move(read))
{
    wins = RecordsTable::Make({tr("Date"), tr("Moves"), tr("Time"), tr("Par"), tr("Help")}, this);
    wins->setAccessibleName(tr("Wins of the chosen grid and style"));
    order = new QComboBox(this);
    order->addItems({tr("Best first"), tr("Newest first")});
    pageLabel = new QLabel(this);
    previousButton = new QPushButton(tr("&Previous"), this);
    nextButton = new QPushButton(tr("&Next"), this);

    auto* listBar = new QHBoxLayout;
    auto* orderLabel = new QLabel(tr("&Order:"), this);
    orderLabel->setBuddy(order);
    listBar->addWidget(new QLabel(tr("Wins of the chosen grid and style"), this));
    listBar->addStretch();
    listBar->addWidget(orderLabel);
    listBar->addWidget(order);
    auto* pageBar = new QHBoxLayout;
    pageBar->addWidget(pageLabel);
    pageBar->addStretch();
    pageBar->addWidget(previousButton);
    pageBar->addWidget(nextButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listBar);
    layout->addWidget(wins, 1);
    layout->addLayout(pageBar);

    connect(order, &QComboBox::currentIndexChanged, this, [this] { ShowPage(0); });
    connect(previousButton, &QPushButton::clicked, this, &KindWinsPage::OnPreviousPage);
    connect(nextButton, &QPushButton::clicked, this, &KindWinsPage::OnNextPage);
    connect(wins, &QTableWidget::itemSelectionChanged, this, &KindWinsPage::ChoiceChanged);
    connect(wins, &QTableWidget::cellDoubleClicked, this, &KindWinsPage::Activated);
}

void KindWinsPage::ShowKind(GridSize kindSize, Style kindStyle, int kindWon)
{
    size = kindSize;
    style = kindStyle;
    won = kindWon;
    listed = true;
    ShowPage(0);
}

void KindWinsPage::OnPreviousPage()
{
    ShowPage(pageStart - RecordsTable::kPageSize);
}

void KindWinsPage::OnNextPage()
{
    ShowPage(pageStart + RecordsTable::kPageSize);
}

std::optional<std::int64_t> KindWinsPage::Choice() const
{
    return RecordsTable::ReplayableChoice(wins);
}

void KindWinsPage::ShowPage(int first)
{
    if (!listed)
        return;
    pageStart = std::max(first, 0);
    const Records::Order how = order->currentIndex() == 0 ? Records::Order::BestFirst : Records::Order::NewestFirst;
    const std::vector<Records::KeptWin> page = reader().Page(size, style, how, pageStart, RecordsTable::kPageSize);
    wins->clearContents();
    wins->setRowCount(int(page.size()));
    for (int row = 0; row < int(page.size()); ++row) {
        const Records::KeptWin& w = page[std::size_t(row)];
        const GameResult& g = w.result;
        QTableWidgetItem* keys = RecordsTable::SetRow(
            wins, row,
            {DateText(g.finished, true), style.IsFewestMoves() ? ResultText(g) : QString::number(g.moves),
             g.dnf ? QStringLiteral("DNF ") + ClockText(g.milliseconds) : ClockText(g.milliseconds),
             g.par ? QString::number(*g.par) : QString(), RecordsTable::HelpText(g.assisted)},
            1);
        keys->setData(RecordsTable::kIdRole, qint64(w.id));
        keys->setData(RecordsTable::kReplayableRole, w.replayable);
        if (g.par && g.parIsOptimal)
            wins->item(row, 3)->setToolTip(tr("The fewest moves possible"));
        // "Fewest Moves" lists the solution's length; the moves played too.
        if (style.IsFewestMoves())
            wins->item(row, 1)->setToolTip(tr("%n move(s) played", nullptr, g.moves));
    }
    RecordsTable::KeepColumnsInView(wins);
    const int last = pageStart + int(page.size());
    pageLabel->setText(page.empty() ? tr("No wins yet")
                                    : tr("Wins %1 to %2 of %n", nullptr, won).arg(pageStart + 1).arg(last));
    previousButton->setEnabled(pageStart > 0);
    nextButton->setEnabled(int(page.size()) == RecordsTable::kPageSize && last < won);
    if (!page.empty())
        wins->selectRow(0);
    emit ChoiceChanged();
}

} // namespace tesselo
