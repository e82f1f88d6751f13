#include "app/c_records_dlg.h"

#include "model/game.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tesselo {

namespace {

constexpr int kKinds = 8; // four levels by two styles

QTableWidget* MakeTable(const QStringList& headers, QWidget* parent)
{
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(false);
    // The table asks for the room its texts need, whatever the font.
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// Figures line up on the right, from column `firstFigure` on.
// A table never narrower than its columns: in a wide font the window grows
// rather than hide a column behind a scroll bar. Room is kept for the
// vertical bar, which a long list of wins needs.
void KeepColumnsInView(QTableWidget* table)
{
    table->resizeColumnsToContents();
    table->setMinimumWidth(table->horizontalHeader()->length() + 2 * table->frameWidth() +
                           table->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

void SetRow(QTableWidget* table, int row, const QStringList& texts, int firstFigure)
{
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        if (c >= firstFigure)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, c, item);
    }
}

QString DateText(const QDateTime& when, bool withTime)
{
    return when.toLocalTime().toString(withTime ? QStringLiteral("yyyy-MM-dd HH:mm") : QStringLiteral("yyyy-MM-dd"));
}

} // namespace

CRecordsDlg::CRecordsDlg(Records& kept, const QString& level, const QString& style, QWidget* parent)
    : QDialog(parent), records(kept)
{
    setWindowTitle(QStringLiteral("Tesselo Records"));
    setModal(true);

    summary = MakeTable({QStringLiteral("Level"), QStringLiteral("Style"), QStringLiteral("Best"),
                         QStringLiteral("Date"), QStringLiteral("Won"), QStringLiteral("Average of 5"),
                         QStringLiteral("Average of 12")},
                        this);
    summary->setRowCount(kKinds);
    summary->setToolTip(QStringLiteral("Averages leave out the best and the worst of the last 5 or 12 wins."));
    wins = MakeTable({QStringLiteral("Date"), QStringLiteral("Moves"), QStringLiteral("Time")}, this);
    order = new QComboBox(this);
    order->addItems({QStringLiteral("Best first"), QStringLiteral("Newest first")});
    replayButton = new QPushButton(QStringLiteral("Replay"), this);
    clearButton = new QPushButton(QStringLiteral("Clear Records"), this);
    closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setDefault(true);

    auto* listBar = new QHBoxLayout;
    auto* orderLabel = new QLabel(QStringLiteral("&Order:"), this);
    orderLabel->setBuddy(order);
    listBar->addWidget(new QLabel(QStringLiteral("Wins of the chosen level and style"), this));
    listBar->addStretch();
    listBar->addWidget(orderLabel);
    listBar->addWidget(order);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(replayButton);
    buttons->addStretch();
    buttons->addWidget(clearButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addLayout(listBar);
    layout->addWidget(wins, 1);
    layout->addLayout(buttons);

    connect(summary, &QTableWidget::itemSelectionChanged, this, &CRecordsDlg::FillWins);
    connect(order, &QComboBox::currentIndexChanged, this, &CRecordsDlg::FillWins);
    // Only a win kept with its moves can be played again.
    connect(wins, &QTableWidget::itemSelectionChanged, this, [this] {
        const int r = wins->currentRow();
        replayButton->setEnabled(!wins->selectedItems().isEmpty() && r >= 0 && r < int(shown.size()) &&
                                 shown[std::size_t(r)].start.rowCount > 0);
    });
    connect(wins, &QTableWidget::cellDoubleClicked, this, &CRecordsDlg::OnReplay);
    connect(replayButton, &QPushButton::clicked, this, &CRecordsDlg::OnReplay);
    connect(clearButton, &QPushButton::clicked, this, &CRecordsDlg::OnClearRecords);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    Refresh();
    SelectKind(level, style);
}

QString CRecordsDlg::ScoreText(const QString& style, std::optional<double> score)
{
    if (!score)
        return QStringLiteral("-");
    if (style == QLatin1String("Speed"))
        return Game::TimeText(std::llround(*score));
    // Whole numbers of moves stay whole; an average keeps one decimal.
    return *score == std::trunc(*score) ? QString::number(std::llround(*score)) : QString::number(*score, 'f', 1);
}

void CRecordsDlg::Refresh()
{
    int row = 0;
    for (const char* level : Records::kLevels)
        for (const char* style : Records::kStyles) {
            const QString l = QString::fromLatin1(level), s = QString::fromLatin1(style);
            const Records::Summary sum = records.Summarize(l, s);
            const std::optional<double> best =
                sum.best ? std::optional<double>(double(sum.best->Score())) : std::nullopt;
            SetRow(summary, row++,
                   {l, s, ScoreText(s, best), sum.best ? DateText(sum.best->finished, false) : QStringLiteral("-"),
                    QString::number(sum.won), ScoreText(s, sum.averageOf5), ScoreText(s, sum.averageOf12)},
                   2);
        }
    KeepColumnsInView(summary);
    FillWins();
}

void CRecordsDlg::SelectKind(const QString& level, const QString& style)
{
    for (int r = 0; r < summary->rowCount(); ++r)
        if (summary->item(r, 0)->text() == level && summary->item(r, 1)->text() == style)
            summary->selectRow(r);
    if (summary->selectedItems().isEmpty())
        summary->selectRow(0);
}

QString CRecordsDlg::Level() const
{
    const int r = summary->currentRow();
    return r >= 0 ? summary->item(r, 0)->text() : QString();
}

QString CRecordsDlg::Style() const
{
    const int r = summary->currentRow();
    return r >= 0 ? summary->item(r, 1)->text() : QString();
}

void CRecordsDlg::FillWins()
{
    shown = records.Results(Level(), Style());
    if (order->currentIndex() == 0)
        std::stable_sort(shown.begin(), shown.end(),
                         [](const GameResult& a, const GameResult& b) { return a.Beats(b); });
    else
        std::stable_sort(shown.begin(), shown.end(),
                         [](const GameResult& a, const GameResult& b) { return a.finished > b.finished; });
    wins->clearContents();
    wins->setRowCount(int(shown.size()));
    for (int r = 0; r < int(shown.size()); ++r) {
        const GameResult& g = shown[std::size_t(r)];
        SetRow(wins, r, {DateText(g.finished, true), QString::number(g.moves), Game::TimeText(g.milliseconds)}, 1);
    }
    KeepColumnsInView(wins);
    replayButton->setEnabled(false);
    if (!shown.empty())
        wins->selectRow(0);
}

void CRecordsDlg::OnReplay()
{
    const int r = wins->currentRow();
    if (r < 0 || r >= int(shown.size()) || shown[std::size_t(r)].start.rowCount == 0)
        return;
    chosen = shown[std::size_t(r)];
    accept();
}

bool CRecordsDlg::ConfirmClear()
{
    return QMessageBox::question(this, windowTitle(),
                                 QStringLiteral("Clear all records?\n\nThe file is kept under another name, "
                                                "so nothing is lost."),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void CRecordsDlg::OnClearRecords()
{
    if (!ConfirmClear())
        return;
    QString error;
    if (!records.Clear(nullptr, &error))
        QMessageBox::warning(this, windowTitle(), error);
    Refresh();
}

} // namespace tesselo
