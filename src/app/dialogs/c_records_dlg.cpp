#include "app/dialogs/c_records_dlg.h"

#include "app/dialogs/display_names.h"
#include "charts/progress_charts.h"
#include "model/clock_text.h"
#include "model/game.h"
#include "records/daily_streak.h"
#include "records/progress_series.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tesselo {

namespace {

constexpr tesselo::Style kStyles[] = {tesselo::Style::Strategy, tesselo::Style::Speed};
// The wins of a kind, kept on its summary row.
constexpr int kWonRole = Qt::UserRole + 2;

QTableWidget* MakeTable(const QStringList& headers, QWidget* parent)
{
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(false);
    // Rows are chosen whole: Tab leaves the table as it leaves any other
    // control, and Ctrl+Tab reaches the tab widget, which turns the page.
    table->setTabKeyNavigation(false);
    // The table asks for the room its texts need, whatever the font. Its
    // columns are fitted to their texts after each fill (KeepColumnsInView):
    // a header that fits them itself measures every row again at every item
    // set, and a page of wins filled in a window on show would take half a
    // second.
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// A table never narrower than its columns: in a wide font the window grows
// rather than hide a column behind a scroll bar. Room is kept for the
// vertical bar, which a page of wins needs.
void KeepColumnsInView(QTableWidget* table)
{
    QHeaderView* header = table->horizontalHeader();
    table->resizeColumnsToContents();
    table->setMinimumWidth(header->length() + 2 * table->frameWidth() +
                           table->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    // Sized by hand, the last column fills the rest again only when told
    // (a window on show gets no resize that would tell it).
    header->setStretchLastSection(false);
    header->setStretchLastSection(true);
}

// Figures line up on the right, from column `firstFigure` on. Returns the
// row's first item, which carries the row's keys.
QTableWidgetItem* SetRow(QTableWidget* table, int row, const QStringList& texts, int firstFigure)
{
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        if (c >= firstFigure)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, c, item);
    }
    return table->item(row, 0);
}

// Dates in the player's language; the C locale (LANG=C, no language
// chosen) keeps the unambiguous year-month-day of the English window.
QString DateText(const QDateTime& when, bool withTime)
{
    const QDateTime local = when.toLocalTime();
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return local.toString(withTime ? QStringLiteral("yyyy-MM-dd HH:mm") : QStringLiteral("yyyy-MM-dd"));
    return withTime ? locale.toString(local, QLocale::ShortFormat)
                    : locale.toString(local.date(), QLocale::ShortFormat);
}

QString DateText(QDate day)
{
    const QLocale locale;
    return locale.language() == QLocale::C ? day.toString(Qt::ISODate) : locale.toString(day, QLocale::ShortFormat);
}

} // namespace

CRecordsDlg::CRecordsDlg(Records& kept, GridSize size, tesselo::Style style, const QDate& day, QWidget* parent)
    : QDialog(parent), today(day), firstSize(size), firstStyle(style)
{
    Build();
    ShowRecords(kept);
}

CRecordsDlg::CRecordsDlg(RecordsKeeper& kept, GridSize size, tesselo::Style style, const QDate& day, QWidget* parent)
    : QDialog(parent), today(day), keeper(&kept), firstSize(size), firstStyle(style)
{
    Build();
    kept.Open();
    if (kept.IsIdle()) {
        ShowRecords(kept.Current());
        return;
    }
    connect(&kept, &RecordsKeeper::Importing, this, &CRecordsDlg::OnImporting);
    connect(&kept, &RecordsKeeper::Idle, this, [this, &kept] {
        if (!records)
            ShowRecords(kept.Current());
    });
}

void CRecordsDlg::Build()
{
    setWindowTitle(tr("Tesselo Records"));
    setModal(true);

    sizes = new QComboBox(this);
    sizes->setToolTip(tr("The four levels, then every other grid size you have won, the most recent first."));
    summary = MakeTable({tr("Level"), tr("Style"), tr("Best"), tr("Date"), tr("Won"), tr("Average of 5"),
                         tr("Average of 12")},
                        this);
    summary->setRowCount(int(std::size(kStyles)));
    summary->setToolTip(tr("Averages leave out the best and the worst of the last 5 or 12 wins. "
                           "Wins with help count among the wins, and for nothing else."));
    wins = MakeTable({tr("Date"), tr("Moves"), tr("Time"), tr("Par"), tr("Help")}, this);
    order = new QComboBox(this);
    order->addItems({tr("Best first"), tr("Newest first")});
    pageLabel = new QLabel(this);
    previousButton = new QPushButton(tr("&Previous"), this);
    nextButton = new QPushButton(tr("&Next"), this);
    replayButton = new QPushButton(tr("Replay"), this);
    mapButton = new QPushButton(tr("Solve Map"), this);
    clearButton = new QPushButton(tr("Clear Records"), this);
    closeButton = new QPushButton(tr("Close"), this);
    closeButton->setDefault(true);
    lists = new QTabWidget(this);
    daily = MakeTable({tr("Puzzle"), tr("Level"), tr("Style"), tr("Moves"), tr("Time"), tr("Help")}, this);
    streakLabel = new QLabel(this);
    streakLabel->setToolTip(tr("Days are the UTC dates that name the puzzles. A puzzle won with help is listed "
                               "but extends no streak. Today's puzzle, still to be won, breaks no streak."));
    dailyLabel = new QLabel(this);

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
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(replayButton);
    buttons->addWidget(mapButton);
    buttons->addStretch();
    buttons->addWidget(clearButton);
    buttons->addWidget(closeButton);
    kindPage = new QWidget(this);
    auto* kindLayout = new QVBoxLayout(kindPage);
    kindLayout->addLayout(listBar);
    kindLayout->addWidget(wins, 1);
    kindLayout->addLayout(pageBar);
    dailyPage = new QWidget(this);
    auto* dailyLayout = new QVBoxLayout(dailyPage);
    auto* dailyBar = new QHBoxLayout;
    dailyBar->addWidget(streakLabel);
    dailyBar->addStretch();
    dailyBar->addWidget(dailyLabel);
    dailyLayout->addLayout(dailyBar);
    dailyLayout->addWidget(daily, 1);
    progressTab = new ProgressPanel(this);
    lists->addTab(kindPage, tr("Grid and Style"));
    lists->addTab(progressTab, tr("Progress"));
    lists->addTab(dailyPage, tr("Daily Puzzles"));
    // Until the records are ready, only what is being done, and for an
    // import how far it has come.
    waitLabel = new QLabel(tr("Opening the records…"), this);
    progress = new QProgressBar(this);
    progress->setRange(0, 0);
    recordsView = new QWidget(this);
    auto* recordsLayout = new QVBoxLayout(recordsView);
    recordsLayout->setContentsMargins(0, 0, 0, 0);
    auto* sizeBar = new QHBoxLayout;
    auto* sizeLabel = new QLabel(tr("&Grid:"), this);
    sizeLabel->setBuddy(sizes);
    sizeBar->addWidget(sizeLabel);
    sizeBar->addWidget(sizes);
    sizeBar->addStretch();
    recordsLayout->addLayout(sizeBar);
    recordsLayout->addWidget(summary);
    recordsLayout->addWidget(lists, 1);
    for (QWidget* content : {recordsView, static_cast<QWidget*>(replayButton), static_cast<QWidget*>(mapButton),
                              static_cast<QWidget*>(clearButton)})
        content->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(waitLabel);
    layout->addWidget(progress);
    layout->addWidget(recordsView, 1);
    layout->addLayout(buttons);

    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CRecordsDlg::ShowRecords(Records& ready)
{
    records = &ready;
    connect(sizes, &QComboBox::currentIndexChanged, this, [this] {
        FillSummary();
        FillWins();
    });
    connect(summary, &QTableWidget::itemSelectionChanged, this, &CRecordsDlg::FillWins);
    connect(order, &QComboBox::currentIndexChanged, this, &CRecordsDlg::FillWins);
    connect(previousButton, &QPushButton::clicked, this, &CRecordsDlg::OnPreviousPage);
    connect(nextButton, &QPushButton::clicked, this, &CRecordsDlg::OnNextPage);
    for (QTableWidget* list : {wins, daily}) {
        connect(list, &QTableWidget::itemSelectionChanged, this, &CRecordsDlg::EnableReplay);
        connect(list, &QTableWidget::cellDoubleClicked, this, &CRecordsDlg::OnReplay);
    }
    connect(lists, &QTabWidget::currentChanged, this, &CRecordsDlg::EnableReplay);
    connect(lists, &QTabWidget::currentChanged, this, &CRecordsDlg::LoadProgress);
    connect(progressTab, &ProgressPanel::WinClicked, this, &CRecordsDlg::ReplayWin);
    connect(replayButton, &QPushButton::clicked, this, &CRecordsDlg::OnReplay);
    connect(mapButton, &QPushButton::clicked, this, [this] {
        mapChosen = true;
        OnReplay();
    });
    connect(clearButton, &QPushButton::clicked, this, &CRecordsDlg::OnClearRecords);

    // Filled while hidden, then shown: a window that waited grows around
    // its tables as one opened over ready records does.
    Refresh();
    SelectKind(firstSize, firstStyle);
    waitLabel->hide();
    progress->hide();
    for (QWidget* content : {recordsView, static_cast<QWidget*>(replayButton), static_cast<QWidget*>(mapButton),
                              static_cast<QWidget*>(clearButton)})
        content->show();
    if (isVisible()) {
        // It grows about its centre, within the screen.
        const QPoint centre = frameGeometry().center();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        adjustSize();
        QRect frame = frameGeometry();
        frame.moveCenter(centre);
        if (const QScreen* on = screen()) {
            const QRect room = on->availableGeometry();
            frame.moveTo(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())),
                         std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
        }
        move(frame.topLeft());
    }
}

void CRecordsDlg::OnImporting(int done, int total)
{
    waitLabel->setText(tr("Importing the wins kept by an earlier version of Tesselo…"));
    progress->setRange(0, total);
    progress->setValue(done);
    progress->setFormat(tr("%v of %m", "wins imported of all the wins to import"));
}

QString CRecordsDlg::ScoreText(tesselo::Style style, std::optional<double> score)
{
    if (!score)
        return QStringLiteral("-");
    if (style.IsSpeed())
        return ClockText(std::llround(*score));
    // Whole numbers of moves stay whole; an average keeps one decimal.
    return *score == std::trunc(*score) ? QString::number(std::llround(*score)) : QString::number(*score, 'f', 1);
}

void CRecordsDlg::Refresh()
{
    FillSizes();
    FillSummary();
    FillWins();
    FillDaily();
}

void CRecordsDlg::FillSizes()
{
    const GridSize chosen = sizes->count() > 0 ? ChosenSize() : firstSize;
    std::vector<GridSize> listed{kNovice, kPro, kExpert, kGenius};
    const auto add = [&](GridSize size) {
        if (size.IsValid() && std::find(listed.begin(), listed.end(), size) == listed.end())
            listed.push_back(size);
    };
    for (const GridSize size : Reader().SizesPlayed())
        add(size);
    // The size of the game in play, before its first win.
    add(firstSize);
    const QSignalBlocker quiet(sizes);
    sizes->clear();
    for (const GridSize size : listed)
        sizes->addItem(DisplayName(size), QString::fromStdString(size.Name()));
    const auto at = std::find(listed.begin(), listed.end(), chosen);
    sizes->setCurrentIndex(at == listed.end() ? 0 : int(at - listed.begin()));
}

void CRecordsDlg::FillSummary()
{
    const std::optional<tesselo::Style> style = ChosenStyle();
    const GridSize size = ChosenSize();
    const QString level = QString::fromStdString(size.Name());
    {
        // One selection change, once the rows are filled.
        const QSignalBlocker quiet(summary);
        for (int row = 0; row < int(std::size(kStyles)); ++row) {
            const tesselo::Style s = kStyles[row];
            const Records::Summary sum = Reader().Summarize(size, s);
            const std::optional<double> best =
                sum.best ? std::optional<double>(double(sum.best->Score())) : std::nullopt;
            QTableWidgetItem* keys = SetRow(
                summary, row,
                {DisplayName(size), DisplayName(s), ScoreText(s, best),
                 sum.best ? DateText(sum.best->finished, false) : QStringLiteral("-"), QString::number(sum.won),
                 ScoreText(s, sum.averageOf5), ScoreText(s, sum.averageOf12)},
                2);
            keys->setData(kLevelRole, level);
            keys->setData(kStyleRole, QString::fromLatin1(s.Key()));
            keys->setData(kWonRole, sum.won);
        }
        summary->selectRow(style && style->IsSpeed() ? 1 : 0);
    }
    KeepColumnsInView(summary);
}

void CRecordsDlg::FillDaily()
{
    const int streak = CurrentDailyStreak(Reader().DailyDaysBack(today), today);
    streakLabel->setText(tr("Current streak (days): %n", "consecutive days whose daily puzzle was won", streak));
    // One row more than a page says whether there are more; they are not
    // counted, as that would read every daily win.
    std::vector<Records::KeptWin> page = Reader().DailyPage(0, kPageSize + 1);
    const bool more = int(page.size()) > kPageSize;
    page.resize(std::min(page.size(), std::size_t(kPageSize)));
    dailyLabel->setText(more ? tr("The newest %n daily wins", nullptr, kPageSize)
                             : tr("Daily wins: %n", nullptr, int(page.size())));
    daily->clearContents();
    daily->setRowCount(int(page.size()));
    for (int row = 0; row < int(page.size()); ++row) {
        const Records::KeptWin& w = page[std::size_t(row)];
        const GameResult& g = w.result;
        QTableWidgetItem* keys = SetRow(
            daily, row,
            {DateText(*g.daily), DisplayName(g.size), DisplayName(g.style), QString::number(g.moves),
             ClockText(g.milliseconds),
             g.assisted > 0 ? tr("%n move(s)", "moves the game made for the player", g.assisted) : QString()},
            3);
        keys->setData(kIdRole, qint64(w.id));
        keys->setData(kReplayableRole, w.replayable);
    }
    KeepColumnsInView(daily);
    if (!page.empty())
        daily->selectRow(0);
    EnableReplay();
}

QTableWidget* CRecordsDlg::ShownList() const
{
    if (lists->currentWidget() == kindPage)
        return wins;
    return lists->currentWidget() == dailyPage ? daily : nullptr;
}

void CRecordsDlg::EnableReplay()
{
    // Only a win kept with its moves can be played again. The charts'
    // wins are replayed by a click on their dots.
    const QTableWidget* list = ShownList();
    const int r = list ? list->currentRow() : -1;
    replayButton->setEnabled(list && !list->selectedItems().isEmpty() && r >= 0 && list->item(r, 0) &&
                             list->item(r, 0)->data(kReplayableRole).toBool());
    mapButton->setEnabled(replayButton->isEnabled());
}

Records& CRecordsDlg::Reader()
{
    if (keeper)
        keeper->WaitForWorker();
    return *records;
}

void CRecordsDlg::LoadProgress()
{
    if (!records || progressRead || lists->currentWidget() != progressTab)
        return;
    progressRead = true;
    const int asked = ++progressAsked;
    const GridSize size = ChosenSize();
    const tesselo::Style style = ChosenStyle().value_or(tesselo::Style::Strategy);
    const Qt::DayOfWeek weekStart = QLocale().firstDayOfWeek();
    auto series = std::make_shared<std::shared_ptr<const ProgressSeries>>();
    // Every win of the kind and the charts' lines worked out beside the
    // read, which is timed apart from the painting.
    const auto read = [series, size, style, weekStart](Records& from) {
        *series = from.ProgressOf(size, style, QDate::currentDate(), QTimeZone::systemTimeZone(), weekStart);
    };
    const auto show = [this, series, asked] {
        // A read asked for before the kind changed again shows nothing.
        if (asked == progressAsked)
            progressTab->SetSeries(*series ? *series : std::make_shared<const ProgressSeries>());
    };
    progressTab->ShowReading();
    if (keeper) {
        keeper->Read(read, this, show);
    } else {
        read(*records);
        show();
    }
}

void CRecordsDlg::SelectKind(GridSize size, tesselo::Style style)
{
    const int at = sizes->findData(QString::fromStdString(size.Name()));
    if (at >= 0 && at != sizes->currentIndex()) {
        const QSignalBlocker quiet(sizes);
        sizes->setCurrentIndex(at);
        FillSummary();
    }
    {
        const QSignalBlocker quiet(summary);
        summary->selectRow(style.IsSpeed() ? 1 : 0);
    }
    FillWins();
}

GridSize CRecordsDlg::ChosenSize() const
{
    return GridSize::FromKey(sizes->currentData().toString().toStdString()).value_or(kNovice);
}

std::optional<tesselo::Style> CRecordsDlg::ChosenStyle() const
{
    const int r = summary->currentRow();
    if (r < 0 || !summary->item(r, 0))
        return std::nullopt;
    return tesselo::Style::FromKey(summary->item(r, 0)->data(kStyleRole).toString().toStdString());
}

void CRecordsDlg::FillWins()
{
    const int r = summary->currentRow();
    kindWins = r >= 0 && summary->item(r, 0) ? summary->item(r, 0)->data(kWonRole).toInt() : 0;
    ShowPage(0);
    progressRead = false;
    LoadProgress();
}

void CRecordsDlg::ShowPage(int first)
{
    pageStart = std::max(first, 0);
    const Records::Order how = order->currentIndex() == 0 ? Records::Order::BestFirst : Records::Order::NewestFirst;
    const std::vector<Records::KeptWin> page =
        Reader().Page(ChosenSize(), ChosenStyle().value_or(tesselo::Style::Strategy), how, pageStart, kPageSize);
    wins->clearContents();
    wins->setRowCount(int(page.size()));
    for (int row = 0; row < int(page.size()); ++row) {
        const Records::KeptWin& w = page[std::size_t(row)];
        const GameResult& g = w.result;
        QTableWidgetItem* keys =
            SetRow(wins, row,
                   {DateText(g.finished, true), QString::number(g.moves), ClockText(g.milliseconds),
                    g.par ? QString::number(*g.par) : QString(),
                    g.assisted > 0 ? tr("%n move(s)", "moves the game made for the player", g.assisted) : QString()},
                   1);
        keys->setData(kIdRole, qint64(w.id));
        keys->setData(kReplayableRole, w.replayable);
        if (g.par && g.parIsOptimal)
            wins->item(row, 3)->setToolTip(tr("The fewest moves possible"));
    }
    KeepColumnsInView(wins);
    const int last = pageStart + int(page.size());
    pageLabel->setText(page.empty() ? tr("No wins yet")
                                    : tr("Wins %1 to %2 of %n", nullptr, kindWins).arg(pageStart + 1).arg(last));
    previousButton->setEnabled(pageStart > 0);
    nextButton->setEnabled(int(page.size()) == kPageSize && last < kindWins);
    if (!page.empty())
        wins->selectRow(0);
    EnableReplay();
}

void CRecordsDlg::OnPreviousPage()
{
    ShowPage(pageStart - kPageSize);
}

void CRecordsDlg::OnNextPage()
{
    ShowPage(pageStart + kPageSize);
}

void CRecordsDlg::OnReplay()
{
    const QTableWidget* list = ShownList();
    const int r = list ? list->currentRow() : -1;
    if (r < 0 || !list->item(r, 0) || !list->item(r, 0)->data(kReplayableRole).toBool())
        return;
    ReplayWin(list->item(r, 0)->data(kIdRole).toLongLong());
}

void CRecordsDlg::ReplayWin(std::int64_t id)
{
    std::optional<GameResult> win = Reader().Win(id);
    if (!win || !win->IsReplayable())
        return;
    chosen = std::move(win);
    accept();
}

bool CRecordsDlg::ConfirmClear()
{
    return QMessageBox::question(this, windowTitle(),
                                 tr("Clear all records?\n\nThe file is kept under another name, so nothing is lost."),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void CRecordsDlg::OnClearRecords()
{
    if (!ConfirmClear())
        return;
    QString error;
    if (!Reader().Clear(&error))
        QMessageBox::warning(this, windowTitle(), error);
    Refresh();
}

} // namespace tesselo
