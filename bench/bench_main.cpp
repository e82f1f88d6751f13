// The costs a player feels: decoding a picture, rescaling it on every size
// message, and painting the board on every pointer move, on an ordinary
// screen and on one of twice the density; keeping a win and opening the
// Records window with a hundred thousand wins kept; how long the window
// stands still while the records of an earlier version are imported. Each is timed against a
// reference measured in the same run, and the ratios printed at the end, so
// the figures hold on a noisy machine. Beside them, the solver's tables and
// its plans.
//
//   tesselo_bench [--tiny] [google benchmark flags]

#include "bench_cases.h"
#include "bench_inputs.h"
#include "bench_solve_map.h"
#include "bench_solver.h"
#include "model/grid_size.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// Collects the median of each benchmark while printing as usual. The
// ratios take processor time: every case runs on one thread, and on a
// machine shared with other work the wall clock also counts the time spent
// waiting for a processor.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // A case that skipped with an error has no figure: its ratios
            // read n/a.
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.function_name;
            const auto stall = run.counters.find("longest_stall_ms");
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[name] = run.GetAdjustedCPUTime();
                if (stall != run.counters.end())
                    stalls[name] = stall->second;
            } else if (run.run_type == Run::RT_Iteration && !medians.count(name)) {
                single[name] = run.GetAdjustedCPUTime();
                if (stall != run.counters.end())
                    stalls[name] = stall->second;
            }
        }
    }
    // The median longest stall of the event loop a case reported, in ms.
    double Stall(const std::string& name) const
    {
        const auto it = stalls.find(name);
        return it != stalls.end() ? it->second : 0;
    }
    double Median(const std::string& name) const
    {
        if (auto it = medians.find(name); it != medians.end())
            return it->second;
        if (auto it = single.find(name); it != single.end())
            return it->second;
        return 0;
    }

private:
    std::map<std::string, double> medians;
    std::map<std::string, double> single;
    std::map<std::string, double> stalls;
};

void Ratio(const char* what, double numerator, double denominator, double target)
{
    if (numerator <= 0 || denominator <= 0) {
        std::printf("  %-52s    n/a\n", what);
        return;
    }
    const double ratio = numerator / denominator;
    std::printf("  %-52s %6.2f  (target <= %.2f)  %s\n", what, ratio, target, ratio <= target ? "met" : "NOT MET");
}

// A ratio measured for its own sake, without a target.
void Info(const char* what, double numerator, double denominator)
{
    if (numerator <= 0 || denominator <= 0)
        std::printf("  %-52s    n/a\n", what);
    else
        std::printf("  %-52s %6.2f  (no target)\n", what, numerator / denominator);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bool tiny = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tiny") == 0)
            tiny = true;
        else
            args.push_back(argv[i]);
    }
    int count = int(args.size());
    QApplication app(count, args.data());

    // The memory measurement needs the inputs without this process's own
    // allocations in its figures: write them and stop.
    if (count == 3 && std::strcmp(args[1], "--write-inputs") == 0)
        return tesselo::bench::WriteInputs(QString::fromLocal8Bit(args[2]), 6000, 4000) ? 0 : 1;

    QTemporaryDir dir;
    const QSize picture = tiny ? QSize(600, 400) : QSize(6000, 4000);
    const QSize board = tiny ? QSize(192, 108) : QSize(1920, 1080);
    if (!dir.isValid() || !tesselo::bench::WriteInputs(dir.path(), picture.width(), picture.height())) {
        std::fprintf(stderr, "tesselo_bench: cannot write the input pictures\n");
        return 1;
    }
    tesselo::bench::RegisterCases(dir.path() + QStringLiteral("/photo.jpg"), picture, board);
    tesselo::bench::RegisterRecordsCases(dir.path(), tiny);
    tesselo::bench::RegisterAnimationCases(dir.path() + QStringLiteral("/photo.jpg"), tiny);
    tesselo::bench::RegisterSolverCases(tiny);
    tesselo::bench::RegisterSolveMapCases(tiny);

    benchmark::Initialize(&count, args.data());
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto m = [&](const char* n) { return reporter.Median(n); };
    std::printf("\nRatios of medians:\n");
    Ratio("BM_LoadBoardJpeg / BM_QImageReaderJpeg", m("BM_LoadBoardJpeg"), m("BM_QImageReaderJpeg"), 0.4);
    Ratio("BM_Rescale / BM_TouchSourceLines", m("BM_Rescale"), m("BM_TouchSourceLines"), 2.0);
    Ratio("BM_Rescale / BM_QtScaledFast", m("BM_Rescale"), m("BM_QtScaledFast"), 1.0);
    Ratio("BM_PaintBoard / BM_MemcpyBoard", m("BM_PaintBoard"), m("BM_MemcpyBoard"), 2.0);
    Ratio("BM_PaintRowDrag / BM_MemcpyBoard", m("BM_PaintRowDrag"), m("BM_MemcpyBoard"), 2.0);
    Ratio("BM_PaintColumnDrag / BM_MemcpyBoard", m("BM_PaintColumnDrag"), m("BM_MemcpyBoard"), 2.0);
    Ratio("BM_PaintBoard2x / BM_MemcpyBoard2x", m("BM_PaintBoard2x"), m("BM_MemcpyBoard2x"), 2.0);
    Ratio("BM_PaintRowDrag2x / BM_MemcpyBoard2x", m("BM_PaintRowDrag2x"), m("BM_MemcpyBoard2x"), 2.0);
    Ratio("BM_PaintColumnDrag2x / BM_MemcpyBoard2x", m("BM_PaintColumnDrag2x"), m("BM_MemcpyBoard2x"), 2.0);
    // A glide's frame paints the same band as a drag's: no dearer.
    Ratio("BM_PaintRowGlideFrame / BM_PaintRowDragFrame", m("BM_PaintRowGlideFrame"), m("BM_PaintRowDragFrame"), 1.0);
    Ratio("BM_PaintRowGlideFrame2x / BM_PaintRowDragFrame2x", m("BM_PaintRowGlideFrame2x"),
          m("BM_PaintRowDragFrame2x"), 1.0);
    Ratio("BM_OnSize / BM_Rescale", m("BM_OnSize"), m("BM_Rescale"), 1.5);
    // The largest grid, numbers on, against the smallest on the same board.
    for (const char* paint : {"BM_PaintBoardNumbers", "BM_PaintRowDragNumbers", "BM_PaintColumnDragNumbers",
                              "BM_PaintGlideFrameNumbers", "BM_ResizeNumbers"}) {
        const std::string largest = tesselo::GridSize{tesselo::GridSize::kMax, tesselo::GridSize::kMax}.Name();
        const std::string large = std::string(paint) + "_" + largest, small = std::string(paint) + "_Novice";
        Ratio((std::string(paint) + " " + largest + " / Novice").c_str(), m(large.c_str()), m(small.c_str()), 1.5);
    }
    Ratio("BM_KeepWinMany / BM_KeepWinFew", m("BM_KeepWinMany"), m("BM_KeepWinFew"), 2.0);
    Ratio("BM_RecordsQueriesMany / BM_RecordsQueriesFew", m("BM_RecordsQueriesMany"), m("BM_RecordsQueriesFew"),
          2.0);
    // The Progress tab: the window opened on it and drawn, with a hundred
    // thousand wins of the kind against a hundred, its wins read before in
    // the session (or after a win, which has them read again), and at the
    // first look of a session, the kind in play read ahead. The first look
    // at another kind reads every win: that ratio is shown beside them,
    // without a target, as it grows with the wins.
    Ratio("BM_ProgressWindowMany / BM_ProgressWindowFew", m("BM_ProgressWindowMany"), m("BM_ProgressWindowFew"), 2.0);
    Ratio("BM_ProgressWindowFirstMany / BM_ProgressWindowFirstFew", m("BM_ProgressWindowFirstMany"),
          m("BM_ProgressWindowFirstFew"), 2.0);
    Info("BM_ProgressWindowOtherMany / BM_ProgressWindowOtherFew", m("BM_ProgressWindowOtherMany"),
         m("BM_ProgressWindowOtherFew"));
    // A stall is a wall-clock figure: the window waits for as long as it
    // lasts, whatever the processor did meanwhile.
    const double worker = reporter.Stall("BM_RecordsImportStall");
    const double onThread = reporter.Stall("BM_RecordsImportOnThread");
    std::printf("\nLongest stall of the window's event loop while importing the records of an earlier version:\n");
    std::printf("  %-52s %8.1f ms  (target < 50 ms)  %s\n", "on the worker (BM_RecordsImportStall)", worker,
                worker > 0 && worker < 50 ? "met" : "NOT MET");
    std::printf("  %-52s %8.1f ms  (the reference)\n", "on the window's thread (BM_RecordsImportOnThread)", onThread);
    tesselo::bench::PrintSolverTargets();
    return 0;
}
