#include "app/dialogs/c_records_dlg.h"

#include "app/dialogs/daily_wins_page.h"
#include "app/dialogs/kind_wins_page.h"
#include "charts/progress_panel.h"
#include "records/display_names.h"
#include "records/progress_series.h"
#include "records/replay_code.h"
#include "records/result_text.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace tesselo {

namespace {

constexpr tesselo::Style kStyles[] = {tesselo::Style::Strategy, tesselo::Style::Speed, tesselo::Style::FewestMoves,
                                      tesselo::Style::Blind};
// The wins of a kind, kept on its summary row.
constexpr int kWonRole = Qt::UserRole + 2;

} // namespace

CRecordsDlg::CRecordsDlg(Records& kept, GridSize size, tesselo::Style style, DayClock clock, QWidget* parent)
    : QDialog(parent), days(std::move(clock)), firstSize(size), firstStyle(style)
{
    Build();
    ShowRecords(kept);
}

CRecordsDlg::CRecordsDlg(RecordsKeeper& kept, GridSize size, tesselo::Style style, DayClock clock, QWidget* parent)
    : QDialog(parent), days(std::move(clock)), keeper(&kept), firstSize(size), firstStyle(style)
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

    // Made in the order Tab goes through them.
    sizes = new QComboBox(this);
    sizes->setToolTip(tr("The four levels, then every other grid size you have won, the most recent first."));
    summary = RecordsTable::Make({tr("Level"), tr("Style"), tr("Best"), tr("Date"), tr("Won"), tr("Mean of 3"),
                                  tr("Average of 5"), tr("Average of 12"), tr("Average of 50"), tr("Average of 100"),
                                  tr("Best Mean of 3"), tr("Best Average of 5"), tr("Best Average of 12"),
                                  tr("Best Average of 50"), tr("Best Average of 100"), tr("Mean"),
                                  tr("Standard Deviation")},
                                 this);
    summary->setRowCount(int(std::size(kStyles)));
    summary->setAccessibleName(tr("Summary of the chosen grid"));
    summary->setToolTip(tr("The mean of 3 counts the last 3 wins; the averages leave out the best and the worst "
                           "of the last 5, 12, 50 or 100 (one of each end of 5 and 12, three of 50, five of 100). "
                           "The best of each is the best over every run of wins in a row; the mean and the "
                           "standard deviation are of every win. Wins with help count among the wins, and for "
                           "nothing else."));
    kindPage = new KindWinsPage([this]() -> Records& { return Reader(); }, this);
    replayButton = new QPushButton(tr("Replay"), this);
    mapButton = new QPushButton(tr("Solve Map"), this);
    raceButton = new QPushButton(tr("Race"), this);
    raceButton->setToolTip(tr("Plays the win's start again as a new game, its solve beside yours as a ghost at "
                              "the pace it was played."));
    copyButton = new QPushButton(tr("Copy Replay"), this);
    copyButton->setToolTip(tr("Puts the win's replay code on the clipboard: one line of text that holds the start "
                              "and every move, which Tesselo plays again when it is pasted (Ctrl+V)."));
    animationButton = new QPushButton(tr("Save Replay as Animation…"), this);
    animationButton->setToolTip(tr("Saves the win's replay as an animated GIF or WebP: the board alone, every move "
                                   "gliding, the whole picture at the end."));
    clearButton = new QPushButton(tr("Clear Records"), this);
    closeButton = new QPushButton(tr("Close"), this);
    closeButton->setDefault(true);
    lists = new QTabWidget(this);
    // It takes the focus on its way to the tabs, and is said by its name.
    lists->setAccessibleName(tr("Views of the records"));
    dailyPage = new DailyWinsPage(this);
    progressTab = new ProgressPanel(this);
    lists->addTab(kindPage, tr("Grid and Style"));
    lists->addTab(progressTab, tr("Progress"));
    lists->addTab(dailyPage, tr("Daily Puzzles"));
    // The tab widget turns its pages only for keys pressed within it; the
    // window does so wherever the focus is, the summary above included.
    const auto turn = [this](int by, std::initializer_list<QKeySequence> keys) {
        for (const QKeySequence& key : keys) {
            auto* shortcut = new QShortcut(key, this);
            // Tab and Backtab may both name a press: either turns once.
            connect(shortcut, &QShortcut::activated, this, [this, by] { TurnTab(by); });
            connect(shortcut, &QShortcut::activatedAmbiguously, this, [this, by] { TurnTab(by); });
        }
    };
    turn(1, {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    turn(-1, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
              QKeySequence(Qt::CTRL | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(replayButton);
    buttons->addWidget(raceButton);
    buttons->addWidget(mapButton);
    buttons->addWidget(copyButton);
    buttons->addWidget(animationButton);
    buttons->addStretch();
    buttons->addWidget(clearButton);
    buttons->addWidget(closeButton);
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
    for (QWidget* content : {recordsView, static_cast<QWidget*>(replayButton), static_cast<QWidget*>(raceButton),
                              static_cast<QWidget*>(mapButton),
                              static_cast<QWidget*>(copyButton), static_cast<QWidget*>(animationButton),
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
    connect(kindPage, &KindWinsPage::ChoiceChanged, this, &CRecordsDlg::EnableReplay);
    connect(kindPage, &KindWinsPage::Activated, this, &CRecordsDlg::OnReplay);
    connect(dailyPage, &DailyWinsPage::ChoiceChanged, this, &CRecordsDlg::EnableReplay);
    connect(dailyPage, &DailyWinsPage::Activated, this, &CRecordsDlg::OnReplay);
    connect(lists, &QTabWidget::currentChanged, this, &CRecordsDlg::EnableReplay);
    connect(lists, &QTabWidget::currentChanged, this, &CRecordsDlg::LoadProgress);
    connect(progressTab, &ProgressPanel::WinClicked, this, &CRecordsDlg::ReplayWin);
    connect(replayButton, &QPushButton::clicked, this, &CRecordsDlg::OnReplay);
    connect(mapButton, &QPushButton::clicked, this, &CRecordsDlg::OnMap);
    connect(raceButton, &QPushButton::clicked, this, &CRecordsDlg::OnRace);
    connect(copyButton, &QPushButton::clicked, this, &CRecordsDlg::OnCopyReplay);
    connect(animationButton, &QPushButton::clicked, this, &CRecordsDlg::OnSaveAnimation);
    connect(clearButton, &QPushButton::clicked, this, &CRecordsDlg::OnClearRecords);

    // Filled while hidden, then shown: a window that waited grows around
    // its tables as one opened over ready records does.
    Refresh();
    SelectKind(firstSize, firstStyle);
    waitLabel->hide();
    progress->hide();
    for (QWidget* content : {recordsView, static_cast<QWidget*>(replayButton), static_cast<QWidget*>(raceButton),
                              static_cast<QWidget*>(mapButton),
                              static_cast<QWidget*>(copyButton), static_cast<QWidget*>(animationButton),
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

void CRecordsDlg::Refresh()
{
    FillSizes();
    FillSummary();
    FillWins();
    dailyPage->Fill(Reader(), days.UtcDay());
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
            QTableWidgetItem* keys = RecordsTable::SetRow(
                summary, row,
                {DisplayName(size), DisplayName(s), ScoreText(s, best),
                 sum.best ? DateText(sum.best->finished, false) : QStringLiteral("-"), QString::number(sum.won),
                 ScoreText(s, sum.meanOf3), ScoreText(s, sum.averageOf5), ScoreText(s, sum.averageOf12),
                 ScoreText(s, sum.averageOf50), ScoreText(s, sum.averageOf100)},
                2);
            keys->setData(kLevelRole, level);
            keys->setData(kStyleRole, QString::fromLatin1(s.Key()));
            keys->setData(kWonRole, sum.won);
        }
        summary->selectRow(style && style->IsSpeed() ? 1 : 0);
    }
    FillWholeFigures(size);
    RecordsTable::KeepColumnsInView(summary);
}

void CRecordsDlg::FillWholeFigures(GridSize size)
{
    constexpr int kFirstWhole = 10; // "Best Mean of 3"; then the bests, the mean, the deviation
    const int asked = ++wholeAsked;
    auto figures = std::make_shared<std::vector<std::shared_ptr<const ProgressSeries>>>(std::size(kStyles));
    // Read as the charts read them, so that each read serves both.
    const auto read = [figures, size, today = days.LocalDay(), zone = days.Zone(),
                       weekStart = QLocale().firstDayOfWeek()](Records& from) {
        for (std::size_t row = 0; row < std::size(kStyles); ++row)
            (*figures)[row] = from.ProgressOf(size, kStyles[row], today, zone, weekStart);
    };
    const auto show = [this, figures, asked] {
        if (asked != wholeAsked)
            return;
        const QSignalBlocker quiet(summary);
        for (std::size_t row = 0; row < std::size(kStyles); ++row) {
            const tesselo::Style s = kStyles[row];
            const ProgressSeries* series = (*figures)[row].get();
            QStringList texts;
            for (std::size_t i = 0; i < std::size(records_stats::kAverageCounts); ++i)
                texts << ScoreText(s, series ? series->bestAverages[i] : std::nullopt);
            const bool any = series && series->spread.count > 0;
            texts << ScoreText(s, any ? std::optional<double>(series->spread.mean) : std::nullopt)
                  << ScoreText(s, any ? std::optional<double>(series->spread.deviation) : std::nullopt);
            RecordsTable::SetFigures(summary, int(row), kFirstWhole, texts);
        }
        RecordsTable::KeepColumnsInView(summary);
    };
    // Until they come, the cells say they are being worked out.
    for (int row = 0; row < int(std::size(kStyles)); ++row) {
        QStringList waiting;
        for (int c = kFirstWhole; c < summary->columnCount(); ++c)
            waiting << QStringLiteral("…");
        RecordsTable::SetFigures(summary, row, kFirstWhole, waiting);
    }
    if (keeper) {
        keeper->Read(read, this, show);
    } else {
        read(*records);
        show();
    }
}

std::optional<std::int64_t> CRecordsDlg::ShownChoice() const
{
    // The charts' wins are replayed by a click on their dots.
    if (lists->currentWidget() == kindPage)
        return kindPage->Choice();
    if (lists->currentWidget() == dailyPage)
        return dailyPage->Choice();
    return std::nullopt;
}

void CRecordsDlg::EnableReplay()
{
    replayButton->setEnabled(ShownChoice().has_value());
    mapButton->setEnabled(replayButton->isEnabled());
    raceButton->setEnabled(replayButton->isEnabled());
    copyButton->setEnabled(replayButton->isEnabled());
}

void CRecordsDlg::TurnTab(int by)
{
    const int count = lists->count();
    lists->setCurrentIndex(((lists->currentIndex() + by) % count + count) % count);
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
    // The charts' days end on the player's own date.
    const QDate today = days.LocalDay();
    const QTimeZone zone = days.Zone();
    auto series = std::make_shared<std::shared_ptr<const ProgressSeries>>();
    // Every win of the kind and the charts' lines worked out beside the
    // read, which is timed apart from the painting.
    const auto read = [series, size, style, today, zone, weekStart](Records& from) {
        *series = from.ProgressOf(size, style, today, zone, weekStart);
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
    const int won = r >= 0 && summary->item(r, 0) ? summary->item(r, 0)->data(kWonRole).toInt() : 0;
    kindPage->ShowKind(ChosenSize(), ChosenStyle().value_or(tesselo::Style::Strategy), won);
    progressRead = false;
    LoadProgress();
}

void CRecordsDlg::OnReplay()
{
    if (const std::optional<std::int64_t> id = ShownChoice())
        Choose(*id, false);
}

void CRecordsDlg::OnMap()
{
    if (const std::optional<std::int64_t> id = ShownChoice())
        Choose(*id, true);
}

void CRecordsDlg::OnCopyReplay()
{
    const std::optional<std::int64_t> id = ShownChoice();
    const std::optional<GameResult> win = id ? Reader().Win(*id) : std::nullopt;
    if (win && win->IsReplayable())
        QGuiApplication::clipboard()->setText(ReplayCode::Write(win->style, win->start, win->steps));
}

void CRecordsDlg::OnSaveAnimation()
{
    const std::optional<std::int64_t> id = ShownChoice();
    const std::optional<GameResult> win = id ? Reader().Win(*id) : std::nullopt;
    if (win && win->IsReplayable())
        emit AnimationChosen(*win);
}

void CRecordsDlg::OnRace()
{
    const std::optional<std::int64_t> id = ShownChoice();
    const std::optional<GameResult> win = id ? Reader().Win(*id) : std::nullopt;
    if (!win)
        return;
    if (!win->CanBeRaced()) {
        TellCannotRace();
        return;
    }
    accept();
    emit RaceChosen(*win, *id);
}

void CRecordsDlg::TellCannotRace()
{
    QMessageBox::information(this, windowTitle(),
                             tr("This win was not kept with every move from its start, so it cannot be raced."));
}

void CRecordsDlg::ReplayWin(std::int64_t id)
{
    Choose(id, false);
}

void CRecordsDlg::Choose(std::int64_t id, bool map)
{
    const std::optional<GameResult> win = Reader().Win(id);
    if (!win || !win->IsReplayable())
        return;
    accept();
    if (map)
        emit MapChosen(*win);
    else
        emit ReplayChosen(*win);
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
