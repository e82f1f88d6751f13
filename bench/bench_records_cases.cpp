// The records of won games at two sizes: keeping a win, and the queries the
// Records window makes when it opens, each with many wins kept and with
// few. Their ratios show whether a cost grows with the wins kept. Beside
// them, the longest stall of the window's event loop while the records of
// an earlier version are imported, against the same import on the window's
// thread; and the Progress tab, whose charts need every win of a kind: its
// read, its painting, and the window opened on it, with a hundred wins of
// the kind and with a hundred thousand.

#include "bench_cases.h"

#include "app/dialogs/c_records_dlg.h"
#include "charts/progress_panel.h"
#include "charts/trend_chart.h"
#include "model/game.h"
#include "model/grid_size.h"
#include "records/progress_series.h"
#include "records/records.h"
#include "records/result_json.h"
#include "services/records_keeper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>

#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

namespace tesselo::bench {

namespace {

QString gDir;
std::map<int, QString> gFiles; // records files by the wins they were made with

// An "Expert" solve of forty moves, as the game keeps a win.
GameResult ASolve()
{
    std::uint64_t time = 133000000000000000ULL;
    Game game([&time] { return time; });
    game.ChangeSize({3, 4});
    game.NewGame();
    for (int m = 0; m < 40; ++m)
        m % 2 ? game.ShiftRowRight() : game.ShiftColumnDown();
    return game.ResultOfWin({});
}

// The grids the wins are spread over: the four levels and two sizes no
// level has.
constexpr GridSize kSizesWon[] = {kNovice, kPro, kExpert, kGenius, {5, 7}, {8, 8}};

// The `i`th win: the solve with its size, style, score and time varied,
// one in ten of them helped, one in twenty a daily puzzle of a day of its
// own, a day missed after every ten of those.
GameResult SomeWin(const GameResult& solve, int i)
{
    GameResult won = solve;
    won.size = kSizesWon[i % std::size(kSizesWon)];
    won.style = Style::FromStrategy((i / std::size(kSizesWon)) % 2 == 0);
    won.moves = 30 + (i * 7919) % 200;
    won.milliseconds = 20000 + std::int64_t(i) * 104729 % 600000;
    won.finished = solve.finished.addSecs(i);
    won.assisted = i % 10 == 0 ? 3 : 0;
    if (i % 20 == 1)
        won.daily = QDate(2020, 1, 1).addDays(i / 20 + i / 200);
    return won;
}

// The records file with `wins` wins, made once for the run in one
// transaction.
const QString& RecordsWith(int wins)
{
    QString& file = gFiles[wins];
    if (!file.isEmpty())
        return file;
    const QString dir = gDir + QStringLiteral("/records-%1").arg(wins);
    QDir().mkpath(dir);
    file = dir + QLatin1Char('/') + QString::fromLatin1(Records::kFileName);
    std::vector<GameResult> all;
    all.reserve(std::size_t(wins));
    const GameResult solve = ASolve();
    for (int i = 0; i < wins; ++i)
        all.push_back(SomeWin(solve, i));
    Records records(file, dir + QStringLiteral("/none.json"));
    Records::Failure failure;
    if (!records.AddAll(std::move(all), &failure))
        std::fprintf(stderr, "tesselo_bench: %s\n", qPrintable(failure.reason));
    return file;
}

// The records file with `kept` wins, opened as the window opens it, or
// none (the case skipped) when it does not open.
std::unique_ptr<Records> Opened(benchmark::State& state, int kept)
{
    const QString& file = RecordsWith(kept);
    auto records = std::make_unique<Records>(file, QFileInfo(file).path() + QStringLiteral("/none.json"));
    state.SetLabel(std::to_string(kept) + " wins");
    if (records->Open())
        return records;
    state.SkipWithError("the records did not open");
    return nullptr;
}

// One win kept, as the window keeps it at the end of a game: a
// transaction on the file, synced to disk.
void KeepWin(benchmark::State& state, int kept)
{
    const std::unique_ptr<Records> records = Opened(state, kept);
    if (!records)
        return;
    const GameResult solve = ASolve();
    int i = kept;
    for (auto _ : state)
        if (!records->Add(SomeWin(solve, ++i)))
            state.SkipWithError("a win was not kept");
}

// What the Records window asks when it opens: the sizes played, the
// summary of every one of them in both styles (the window asks only for
// the size on show), the first page of wins of one, best first and newest
// first, and the daily puzzles won with their streak.
void WindowQueries(benchmark::State& state, int kept)
{
    const std::unique_ptr<Records> records = Opened(state, kept);
    if (!records)
        return;
    for (auto _ : state) {
        int won = 0;
        for (const GridSize size : records->SizesPlayed())
            for (const Style style : {Style::Strategy, Style::Speed})
                won += records->Summarize(size, style).won;
        for (const Records::Order order : {Records::Order::BestFirst, Records::Order::NewestFirst})
            won += int(records->Page(kExpert, Style::Speed, order, 0, 100).size());
        won += int(records->DailyDaysBack(QDate(2100, 1, 1)).size() + records->DailyPage(0, 101).size());
        benchmark::DoNotOptimize(won);
    }
}

// The JSON records file of an earlier version with `wins` wins, each with
// its replay, made once for the run.
const QString& JsonWith(int wins)
{
    static std::map<int, QString> files;
    QString& file = files[wins];
    if (!file.isEmpty())
        return file;
    file = gDir + QStringLiteral("/earlier-%1.json").arg(wins);
    const GameResult solve = ASolve();
    QJsonArray results;
    for (int i = 0; i < wins; ++i)
        results.append(ResultToJson(SomeWin(solve, i)));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(QJsonDocument(QJsonObject{{"version", 1}, {"results", results}}).toJson(QJsonDocument::Compact)) < 0)
        std::fprintf(stderr, "tesselo_bench: cannot write %s\n", qPrintable(file));
    return file;
}

QString In(const QString& dir, const char* name)
{
    return dir + QLatin1Char('/') + QString::fromLatin1(name);
}

// A fresh folder holding only the JSON file of `wins` wins, as a player's
// folder is on the first start of this version.
QString FolderToImport(int wins, int run)
{
    const QString dir = gDir + QStringLiteral("/import-%1-%2").arg(wins).arg(run);
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    QFile::copy(JsonWith(wins), In(dir, Records::kJsonFileName));
    return dir;
}

// Runs the event loop until `done`, a timer due every millisecond noting
// the longest wait between two of its turns: how long the window would
// have stood still.
double LongestStallMs(const std::function<void(QEventLoop&)>& start)
{
    QEventLoop loop;
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    clock.start();
    tick.start(1);
    start(loop);
    loop.exec();
    longest = std::max(longest, clock.nsecsElapsed() - last);
    return double(longest) / 1e6;
}

// The first Ctrl+R after an upgrade: the Records window opens over records
// whose worker imports the JSON file, shows the progress, then fills
// itself; the loop ends once it has. The longest stall is the figure.
void ImportStall(benchmark::State& state, int wins)
{
    JsonWith(wins);
    double longest = 0;
    int run = 0;
    for (auto _ : state) {
        const QString dir = FolderToImport(wins, run++);
        RecordsKeeper keeper(In(dir, Records::kFileName), In(dir, Records::kJsonFileName));
        std::unique_ptr<CRecordsDlg> dialog;
        const double stall = LongestStallMs([&](QEventLoop& loop) {
            QObject::connect(&keeper, &RecordsKeeper::Idle, &loop, &QEventLoop::quit, Qt::QueuedConnection);
            dialog = std::make_unique<CRecordsDlg>(keeper, kExpert, Style::Speed);
            dialog->show();
        });
        longest = std::max(longest, stall);
        if (!dialog->IsReady() || keeper.Current().CountAll() != wins)
            state.SkipWithError("the records were not imported");
    }
    state.counters["longest_stall_ms"] = longest;
    state.SetLabel(std::to_string(wins) + " wins");
}

// The reference: the same import on the window's thread, as it was; the
// window stands still for all of it.
void ImportOnThread(benchmark::State& state, int wins)
{
    JsonWith(wins);
    double longest = 0;
    int run = 0;
    for (auto _ : state) {
        const QString dir = FolderToImport(wins, run++);
        Records records(In(dir, Records::kFileName), In(dir, Records::kJsonFileName));
        const double stall = LongestStallMs([&](QEventLoop& loop) {
            QTimer::singleShot(0, &loop, [&] {
                if (!records.Open() || records.CountAll() != wins)
                    state.SkipWithError("the records were not imported");
                loop.quit();
            });
        });
        longest = std::max(longest, stall);
    }
    state.counters["longest_stall_ms"] = longest;
    state.SetLabel(std::to_string(wins) + " wins");
}

// The records file with `wins` wins all of one kind ("Expert", "Speed"),
// over about four years, as a player who plays one kind only keeps them.
const QString& OneKindWith(int wins)
{
    static std::map<int, QString> files;
    QString& file = files[wins];
    if (!file.isEmpty())
        return file;
    const QString dir = gDir + QStringLiteral("/one-kind-%1").arg(wins);
    QDir().mkpath(dir);
    file = dir + QLatin1Char('/') + QString::fromLatin1(Records::kFileName);
    const GameResult solve = ASolve();
    std::vector<GameResult> all;
    all.reserve(std::size_t(wins));
    const QDateTime last = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < wins; ++i) {
        GameResult won = SomeWin(solve, i);
        won.size = kExpert;
        won.style = Style::Speed;
        won.finished = last.addSecs(-std::int64_t(wins - i) * 4 * 365 * 86400 / wins);
        all.push_back(std::move(won));
    }
    Records records(file, dir + QStringLiteral("/none.json"));
    Records::Failure failure;
    if (!records.AddAll(std::move(all), &failure))
        std::fprintf(stderr, "tesselo_bench: %s\n", qPrintable(failure.reason));
    return file;
}

// What the charts' thread does at the first look at a kind (or ahead of
// it, for the kind in play): every win of the kind in one query, then the
// lines, the bins and the days worked out. (The records are opened afresh
// for each, as the read would otherwise find the wins it read before.)
void ProgressRead(benchmark::State& state, int kept)
{
    const QString& file = OneKindWith(kept);
    double queryMs = 0, seriesMs = 0;
    std::optional<Records> records;
    for (auto _ : state) {
        state.PauseTiming();
        records.reset();
        records.emplace(file, QFileInfo(file).path() + QStringLiteral("/none.json"));
        if (!records->Open()) {
            state.SkipWithError("the records did not open");
            return;
        }
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        std::vector<ProgressWin> wins = records->Progress(kExpert, Style::Speed);
        queryMs += double(clock.nsecsElapsed()) / 1e6;
        const ProgressSeries series = MakeProgress(kExpert, Style::Speed, std::move(wins),
                                                   QDate::currentDate(), QTimeZone::systemTimeZone(), Qt::Monday);
        seriesMs += series.seriesMs;
        if (int(series.wins.size()) != kept)
            state.SkipWithError("the wins were not all read");
    }
    state.counters["query_ms"] = benchmark::Counter(queryMs, benchmark::Counter::kAvgIterations);
    state.counters["series_ms"] = benchmark::Counter(seriesMs, benchmark::Counter::kAvgIterations);
    state.SetLabel(std::to_string(kept) + " wins of the kind");
}

// The charts painted once the wins have come: the three of the tab, in a
// window of 900 x 640, from the wins to the pixels.
void ProgressPaint(benchmark::State& state, int kept)
{
    const QString& file = OneKindWith(kept);
    Records records(file, QFileInfo(file).path() + QStringLiteral("/none.json"));
    auto series = std::make_shared<ProgressSeries>(
        MakeProgress(kExpert, Style::Speed,
                     records.Progress(kExpert, Style::Speed), QDate::currentDate(),
                     QTimeZone::systemTimeZone(), Qt::Monday));
    if (int(series->wins.size()) != kept) {
        state.SkipWithError("the wins were not all read");
        return;
    }
    ProgressPanel panel;
    panel.resize(900, 640);
    QImage canvas(panel.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        panel.SetSeries(series);
        panel.render(&canvas);
        benchmark::DoNotOptimize(canvas.constBits());
    }
    if (panel.trend->DotsDrawn() == 0)
        state.SkipWithError("no dot was drawn");
    state.counters["dots"] = panel.trend->DotsDrawn();
    state.SetLabel(std::to_string(kept) + " wins of the kind");
}

// The Progress tab's looks at the kind the records hold ("Expert",
// "Speed"). Again: its wins were read before in the session (as after a
// first look, or a win since). First: the first look of a session, as the
// game gives it: the records opened at start and the kind in play read
// ahead on the charts' thread. Other: the first look at a kind that is not
// the one in play, whose wins are all read then.
enum class Look { Again, First, Other };

// The records as the game has them at start, following a game of `size`
// and `style`, left until it has nothing more to do.
std::unique_ptr<RecordsKeeper> SettledKeeper(const QString& file, Game& game, GridSize size, Style style)
{
    game.ChangeSize(size);
    game.SetStrategyStyle(!style.IsSpeed());
    auto keeper = std::make_unique<RecordsKeeper>(file, QFileInfo(file).path() + QStringLiteral("/none.json"));
    keeper->Follow(game);
    keeper->Open();
    QEventLoop settle;
    QObject::connect(keeper.get(), &RecordsKeeper::Idle, &settle, &QEventLoop::quit);
    if (!keeper->IsIdle())
        settle.exec();
    // The charts' thread takes its jobs in turn: once this one is back, so
    // is the read ahead.
    QObject context;
    keeper->Read([](Records&) {}, &context, [&settle] { settle.quit(); });
    settle.exec();
    return keeper;
}

// From the player's Ctrl+R to the charts on screen: the Records window
// opened over records already open, its Progress tab chosen, the wins read
// on the charts' thread and the window drawn with them. The charts' thread's
// time counts with the window's. Beside it, how long a read of the window's
// own (a page of the table) takes while the charts read.
void ProgressWindow(benchmark::State& state, int kept, Look look)
{
    const QString& file = OneKindWith(kept);
    Game game;
    const GridSize inPlay = look == Look::Other ? kPro : kExpert;
    std::unique_ptr<RecordsKeeper> keeper = SettledKeeper(file, game, inPlay, Style::Speed);
    if (look == Look::Again) {
        // The look before, untimed.
        CRecordsDlg before(*keeper, kExpert, Style::Speed);
        before.lists->setCurrentWidget(before.progressTab);
        while (!before.progressTab->Series())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    double openMs = 0, readMs = 0, paintMs = 0, windowReadMs = 0;
    for (auto _ : state) {
        if (look != Look::Again) {
            state.PauseTiming();
            keeper.reset();
            keeper = SettledKeeper(file, game, inPlay, Style::Speed);
            state.ResumeTiming();
        }
        QElapsedTimer clock;
        clock.start();
        CRecordsDlg dialog(*keeper, kExpert, Style::Speed);
        dialog.resize(900, 900);
        dialog.show();
        openMs += double(clock.nsecsElapsed()) / 1e6;
        clock.restart();
        dialog.lists->setCurrentWidget(dialog.progressTab);
        QElapsedTimer windowRead;
        windowRead.start();
        keeper->WaitForWorker();
        benchmark::DoNotOptimize(keeper->Current().Page(kExpert, Style::Speed, Records::Order::NewestFirst, 0,
                                                        CRecordsDlg::kPageSize));
        windowReadMs += double(windowRead.nsecsElapsed()) / 1e6;
        while (!dialog.progressTab->Series())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        readMs += double(clock.nsecsElapsed()) / 1e6;
        clock.restart();
        const QImage drawn = dialog.grab().toImage();
        benchmark::DoNotOptimize(drawn.constBits());
        paintMs += double(clock.nsecsElapsed()) / 1e6;
        if (int(dialog.progressTab->Series()->wins.size()) != kept)
            state.SkipWithError("the wins were not all read");
    }
    // Where the time went: the window opened on its first page, the tab
    // chosen until its wins came, and the window drawn with the charts.
    state.counters["open_ms"] = benchmark::Counter(openMs, benchmark::Counter::kAvgIterations);
    state.counters["read_ms"] = benchmark::Counter(readMs, benchmark::Counter::kAvgIterations);
    state.counters["paint_ms"] = benchmark::Counter(paintMs, benchmark::Counter::kAvgIterations);
    state.counters["window_read_ms"] = benchmark::Counter(windowReadMs, benchmark::Counter::kAvgIterations);
    state.SetLabel(std::to_string(kept) + " wins of the kind");
}

} // namespace

void RegisterRecordsCases(const QString& dir, bool tiny)
{
    gDir = dir;
    const int many = tiny ? 1000 : 100000;
    const int earlier = tiny ? 180 : 18000;
    benchmark::RegisterBenchmark("BM_RecordsImportStall", ImportStall, earlier)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RecordsImportOnThread", ImportOnThread, earlier)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_KeepWinFew", KeepWin, 10)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_KeepWinMany", KeepWin, many)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RecordsQueriesFew", WindowQueries, 100)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RecordsQueriesMany", WindowQueries, many)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ProgressReadFew", ProgressRead, 100)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ProgressReadMany", ProgressRead, many)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ProgressPaintFew", ProgressPaint, 100)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ProgressPaintMany", ProgressPaint, many)->Unit(benchmark::kMillisecond);
    for (const auto& [name, wins, look] : {std::tuple{"BM_ProgressWindowFew", 100, Look::Again},
                                           std::tuple{"BM_ProgressWindowMany", many, Look::Again},
                                           std::tuple{"BM_ProgressWindowFirstFew", 100, Look::First},
                                           std::tuple{"BM_ProgressWindowFirstMany", many, Look::First},
                                           std::tuple{"BM_ProgressWindowOtherFew", 100, Look::Other},
                                           std::tuple{"BM_ProgressWindowOtherMany", many, Look::Other}})
        benchmark::RegisterBenchmark(name, ProgressWindow, wins, look)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
}

} // namespace tesselo::bench
