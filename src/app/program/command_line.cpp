#include "app/program/command_line.h"

#include "animation/replay_export.h"
#include "files/safe_file.h"
#include "model/game.h"
#include "model/game_id.h"
#include "model/grid_position.h"
#include "model/tile_grid.h"
#include "positions/notation.h"
#include "records/records.h"
#include "pictures/picture_folder.h"
#include "saved/history_file.h"
#include "saved/saved_game_store.h"
#include "saved/settings_file.h"
#include "services/solver_service.h"
#include "services/solver_worker.h"
#include "solver/solver.h"
#include "tables/soundness.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIODevice>
#include <QString>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tesselo {

namespace {

// Exit statuses beside 0: a wrong command line, or input that cannot be used
// (--help lists them).
constexpr int kMisused = 2;
constexpr int kUnusable = 2;

using Operand = std::optional<QString>;
// What follows a command: none, one or two words.
using Operands = std::vector<QString>;

Operand FirstOf(const Operands& operands)
{
    return operands.empty() ? Operand() : Operand(operands.front());
}

std::string Shown(const QString& path)
{
    return '"' + path.toLocal8Bit().toStdString() + '"';
}

// The saved game at `path`, read as the game reads it (every part checked)
// but into no game: read only.
std::optional<PlayRecord> ReadSavedPlay(const QString& path, std::string* why)
{
    ReadRefusal refusal = ReadRefusal::None;
    std::optional<SavedGame> saved = SavedGameStore::Read(path, &refusal);
    if (saved)
        return std::move(saved->play);
    switch (refusal) {
    case ReadRefusal::Missing:
        *why = "there is no " + Shown(path);
        break;
    case ReadRefusal::NotAFile:
    case ReadRefusal::Unreadable:
        *why = Shown(path) + " cannot be read";
        break;
    default:
        *why = Shown(path) + " holds no saved game";
    }
    return std::nullopt;
}

std::optional<TileGrid> ReadSavedGrid(const QString& path, std::string* why)
{
    std::optional<PlayRecord> saved = ReadSavedPlay(path, why);
    if (!saved)
        return std::nullopt;
    return std::move(saved->grid);
}

// Tables a grid's plans get better with (the large 4 x 6 tables, which
// serve 6 x 4 as well, or a grid's bound tables), as the game keeps them in
// the cache; built here (and kept there, when the cache can be written)
// when missing or damaged. `kept` says whether they were read from the
// cache.
template <class Tables>
std::shared_ptr<const Tables> KeptTables(const QString& path, const std::function<std::unique_ptr<Tables>()>& make,
                                         const std::string& grid, bool read, bool* kept, std::ostream& err)
{
    bool damaged = false;
    if (read) {
        if (auto tables = SolverWorker::ReadKept(path, make(), &damaged)) {
            *kept = true;
            return tables;
        }
    }
    if (damaged || !read)
        SolverWorker::SetDamagedAside(path);
    *kept = false;
    err << "tesselo: building the solver's tables for " << grid << " games, which takes some seconds\n";
    std::shared_ptr<Tables> tables = make();
    tables->Build();
    SolverWorker::Keep(path, *tables);
    return tables;
}

// A plan tried on the board before it is printed. Tables from the cache
// that give a wrong one are damaged (a checksum finds only accidents):
// they are set aside and built again; should those fail too, the solver
// without them answers.
std::optional<solver::Plan> PlanFor(const solver::Position& position, std::ostream& err)
{
    const auto checked = [&](const solver::Solver& solver) {
        std::optional<solver::Plan> plan = solver.Solve(position);
        if (plan && !solver::BringsHome(position, *plan))
            plan.reset();
        return plan;
    };
    const int rows = position.Rows();
    const int columns = position.Columns();
    const std::string grid = std::to_string(rows) + " x " + std::to_string(columns);
    const QString cache = SolverService::DefaultCacheFolder() + QLatin1Char('/');
    // The grid's kept tables, read or built, and the solver with them.
    const auto withTables = [&](const auto& solverWith) -> std::optional<solver::Plan> {
        bool kept = false;
        if (auto plan = checked(solverWith(true, &kept)))
            return plan;
        if (kept) {
            err << "tesselo: the solver's kept tables gave a wrong answer; they are set aside\n";
            if (auto plan = checked(solverWith(false, &kept)))
                return plan;
        }
        return std::nullopt;
    };
    std::optional<solver::Plan> plan;
    if (solver::Solver::UsesPhaseTables(rows, columns)) {
        plan = withTables([&](bool read, bool* kept) {
            const std::function<std::unique_ptr<solver::PhaseTables>()> make = &solver::PhaseTables::Large;
            return solver::Solver(KeptTables(cache + SolverWorker::CacheFileName(), make, "4 x 6", read, kept, err));
        });
    } else if (solver::Solver::UsesBoundTables(rows, columns)) {
        const int wideRows = std::min(rows, columns);
        const int wideColumns = std::max(rows, columns);
        plan = withTables([&](bool read, bool* kept) {
            const std::function<std::unique_ptr<solver::BoundTables>()> make = [&] {
                return solver::BoundTables::For(wideRows, wideColumns);
            };
            return solver::Solver(nullptr, KeptTables(cache + SolverWorker::BoundsFileName(wideRows, wideColumns), make,
                                                      grid, read, kept, err));
        });
    }
    return plan ? plan : checked(solver::Solver());
}

int Solve(const Operands& operands, std::ostream& out, std::ostream& err)
{
    const Operand operand = FirstOf(operands);
    const QString path = operand.value_or(SavedGameStore().ResumingPath());
    std::string why;
    const auto grid = ReadSavedGrid(path, &why);
    const auto position = grid ? PositionOf(*grid) : std::nullopt;
    if (!position) {
        err << "tesselo: " << why << '\n';
        return kUnusable;
    }
    const auto plan = PlanFor(*position, err);
    if (!plan) {
        err << "tesselo: the game in " << Shown(path) << " cannot be solved\n";
        return kUnusable;
    }
    out << solver::ToNotation(plan->slides) << '\n'
        << "length " << plan->Length() << (plan->optimal ? " optimal" : " par") << '\n';
    return 0;
}

// The ID of the saved game in play, from the seed its history beside it
// keeps, taken as the game takes it: only a history that leads to the saved
// game counts.
int PrintId(const Operands& operands, std::ostream& out, std::ostream& err)
{
    const Operand operand = FirstOf(operands);
    const QString path = operand.value_or(SavedGameStore().ResumingPath());
    std::string why;
    const std::optional<PlayRecord> saved = ReadSavedPlay(path, &why);
    if (!saved) {
        err << "tesselo: " << why << '\n';
        return kUnusable;
    }
    if (saved->state != Playing) {
        err << "tesselo: " << Shown(path) << " holds no game in play\n";
        return kUnusable;
    }
    Puzzle puzzle;
    puzzle.Resume(saved->grid, saved->state, saved->moves);
    // The large game's history is kept apart, as its saved game is.
    const bool large = QFileInfo(path).fileName() == QLatin1String(SavedGameStore::kLargeFileName);
    const QString historyPath = QFileInfo(path).dir().filePath(
        QString::fromLatin1(large ? SavedGameStore::kLargeHistoryFileName : HistoryFile::kFileName));
    std::optional<HistoryFile::Contents> kept = HistoryFile::Read(historyPath);
    const bool adopted = kept && puzzle.AdoptHistory(std::move(kept->history), kept->facts);
    // A history there that is not this game's (damaged, edited, another
    // game's) tells nothing of its start: no ID is better than a wrong one.
    if (!adopted && QFileInfo(historyPath).exists()) {
        err << "tesselo: the history of the game in " << Shown(path)
            << " is damaged, so the game's ID cannot be told\n";
        return kUnusable;
    }
    const std::optional<GameId> id = GameId::Of(puzzle);
    if (!id) {
        err << "tesselo: the game in " << Shown(path) << " has no ID: it was saved without its seed\n";
        return kUnusable;
    }
    out << id->ToString().toStdString() << '\n';
    return 0;
}

// Standard output as a device the records' export can write to.
class StreamDevice : public QIODevice {
public:
    explicit StreamDevice(std::ostream& stream) : out(stream) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        out.write(data, std::streamsize(length));
        return out ? length : -1;
    }

private:
    std::ostream& out;
};

// Every kept win as JSON, in the records file format of earlier versions,
// or as CSV for a FILE ending in ".csv": into FILE (replaced whole once
// complete), or onto standard output (JSON). The records are only read:
// nothing in the folder changes.
int ExportRecords(const Operands& operands, std::ostream& out, std::ostream& err)
{
    const Operand operand = FirstOf(operands);
    Records records(Records::Access::ReadOnly);
    QString error;
    bool exported = false;
    if (operand) {
        exported = records.ExportTo(*operand, &error, Records::FormatOf(*operand));
    } else {
        StreamDevice device(out);
        exported = records.Export(device, &error) && out.flush();
    }
    if (!exported) {
        err << "tesselo: the records could not be exported: " << error.toLocal8Bit().toStdString() << '\n';
        return kUnusable;
    }
    return 0;
}

// The win the command line names: the `place`th of the records' list, the
// most recent first (1 the latest), or without a place the latest kept
// with its moves. Nothing, with the reason, when there is none such.
std::optional<GameResult> NamedWin(Records& records, std::optional<long long> place, std::string* why)
{
    constexpr int kPage = 200;
    if (place) {
        const std::vector<KeptWin> kept = *place <= std::numeric_limits<int>::max()
                                              ? records.Latest(int(*place - 1), 1)
                                              : std::vector<KeptWin>();
        if (kept.empty()) {
            const std::int64_t wins = std::int64_t(records.Latest(0, std::numeric_limits<int>::max()).size());
            *why = wins == 0 ? "there are no kept wins"
                             : "there is no win " + std::to_string(*place) + ": the records list " +
                                   std::to_string(wins) + (wins == 1 ? " win" : " wins");
            return std::nullopt;
        }
        if (!kept.front().replayable) {
            *why = "win " + std::to_string(*place) + " was kept without its moves";
            return std::nullopt;
        }
        std::optional<GameResult> won = records.Win(kept.front().id);
        if (!won || !won->IsReplayable())
            *why = "the moves of win " + std::to_string(*place) + " cannot be read";
        return won;
    }
    for (int offset = 0;; offset += kPage) {
        const std::vector<KeptWin> page = records.Latest(offset, kPage);
        for (const KeptWin& kept : page)
            if (kept.replayable)
                if (std::optional<GameResult> won = records.Win(kept.id); won && won->IsReplayable())
                    return won;
        if (int(page.size()) < kPage) {
            *why = offset == 0 && page.empty() ? "there are no kept wins" : "no kept win has its moves";
            return std::nullopt;
        }
    }
}

// A kept solve as an animated GIF or WebP (ReplayExport), as the file's
// name ends, on the win's own picture when the saved game's folder still
// holds it, numbers on the tiles as the player's settings say. The tiles'
// numbers need fonts, so a GUI application is made, on the offscreen
// platform: no display is needed. The records are only read.
int ExportReplay(const Operands& operands, std::ostream&, std::ostream& err)
{
    if (operands.empty()) {
        err << "tesselo: --export-replay needs the FILE to write, such as solve.gif or solve.webp\n";
        return kMisused;
    }
    std::optional<long long> place;
    if (operands.size() == 2) {
        bool number = false;
        place = operands[0].toLongLong(&number);
        if (!number || *place < 1) {
            err << "tesselo: " << Shown(operands[0]) << " is no win's place: 1 is the latest win, 2 the one before\n";
            return kMisused;
        }
    }
    const QString file = operands.back();
    QString formatWhy;
    if (!ReplayExport::FormatOf(file, &formatWhy)) {
        err << "tesselo: " << Shown(file) << ": " << formatWhy.toLocal8Bit().toStdString() << '\n';
        return kMisused;
    }
    Records records(Records::Access::ReadOnly);
    std::string why;
    const std::optional<GameResult> won = NamedWin(records, place, &why);
    if (!won) {
        err << "tesselo: " << why << '\n';
        return kUnusable;
    }

    ReplayExport::Job job;
    job.start = won->start;
    job.steps = won->steps;
    // The picture's folder and the board's proportions as the saved game
    // keeps them; without one, the game's own.
    PictureRecord folder;
    if (std::optional<SavedGame> saved = SavedGameStore::Read(SavedGameStore().ResumingPath())) {
        folder = saved->picture;
        if (PictureFolder::IsSoundBoard(folder.width, folder.height) && folder.width > 0 && folder.height > 0)
            job.proportions = QSize(folder.width, folder.height);
    }
    if (!won->picture.isEmpty())
        job.picturePath = folder.folder + won->picture;
    SettingsFile settings;
    settings.Load();
    job.numbers = settings.Current().numbersOnTiles;

    // Fonts and painting want a GUI application; one already made (a test)
    // serves.
    std::unique_ptr<QGuiApplication> app;
    static int argc = 1;
    static char name[] = "tesselo";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    QString error;
    if (ReplayExport::Write(job, file, {}, &error) != ReplayExport::Outcome::Written) {
        err << "tesselo: " << error.toLocal8Bit().toStdString() << '\n';
        return kUnusable;
    }
    return 0;
}

// One entry a command: its name, the operands it may take (for the usage
// line; empty for none) and how many at most, what it does, and the line
// --help gives it.
struct Command {
    std::string_view name;
    std::string_view operand;
    int (*run)(const Operands& operands, std::ostream& out, std::ostream& err);
    std::string_view help;
    std::size_t most = 1;
};

constexpr Command kCommands[] = {
    {"--solve", "[FILE]", &Solve,
     "print a way back to the whole picture from the saved game (tesselo.dat)"},
    {"--id", "[FILE]", &PrintId, "print the ID of the saved game in play"},
    {"--export-records", "[FILE]", &ExportRecords,
     "write every kept win as JSON to FILE, or to standard output;\n"
     "      as CSV when FILE ends in .csv"},
    {"--export-replay", "[N] FILE", &ExportReplay,
     "write a kept solve as an animated GIF or WebP (FILE ending in .gif or\n"
     "      .webp): win N of the records, 1 the latest, or the latest solve",
     2},
};

bool IsLong(std::string_view argument)
{
    return argument.size() >= 2 && argument.substr(0, 2) == "--";
}

} // namespace

std::string CommandLine::Usage()
{
    std::string usage = "usage: tesselo";
    for (const Command& command : kCommands) {
        usage += " [";
        usage += command.name;
        if (!command.operand.empty()) {
            usage += ' ';
            usage += command.operand;
        }
        usage += ']';
    }
    return usage;
}

CommandLine::Outcome CommandLine::Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + std::max(argc, 0));
    const auto first = std::find_if(arguments.begin(), arguments.end(), IsLong);
    if (first == arguments.end())
        return Outcome{};
    for (const Command& command : kCommands) {
        if (*first != command.name)
            continue;
        // The command stands alone: at most its operands follow.
        Operands operands;
        auto next = first + 1;
        while (!command.operand.empty() && operands.size() < command.most && next != arguments.end() &&
               !IsLong(*next)) {
            operands.push_back(QString::fromLocal8Bit(next->data(), qsizetype(next->size())));
            ++next;
        }
        if (first != arguments.begin() || next != arguments.end())
            break;
        return Outcome{false, command.run(operands, out, err)};
    }
    if (*first == "--help" && arguments.size() == 1) {
        out << Usage() << "\n\nWith no option, the game opens its window.\n\n";
        for (const Command& command : kCommands)
            out << "  " << command.name << ' ' << command.operand << "\n      " << command.help << '\n';
        out << "  --help\n      print this help\n\n"
               "A relative FILE is taken from the folder the command runs in; without FILE,\n"
               "--solve and --id read the saved game in the game's own folder.\n"
               "The moves --solve prints are explained in tesselo(6).\n"
               "A game ID names a grid and a seed: Expert-2718281828 on a level (Novice,\n"
               "Pro, Expert, Genius), 5x7-2718281828 on a custom grid of 5 rows and\n"
               "7 columns (2 to 20 each).\n\n"
               "Exit status: 0 when the command did what it says; 2 when the command line\n"
               "is wrong, or the file it reads cannot be used (none there, damaged, no game\n"
               "in play, a history that does not match the game).\n";
        return Outcome{false, 0};
    }
    err << Usage() << '\n';
    return Outcome{false, kMisused};
}

} // namespace tesselo
