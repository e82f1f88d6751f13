#include "app/window/race_session.h"

#include "app/input/board_actions.h"
#include "app/window/c_tesselo_dlg.h"
#include "model/clock_text.h"
#include "model/game.h"
#include "pictures/game_picture.h"
#include "view/c_puzzle_image.h"
#include "view/ghost_board.h"

#include <QLocale>
#include <QTimerEvent>

#include <algorithm>
#include <memory>

namespace tesselo {

namespace {

// While the game's clock stands for a replay on the board, the ghost looks
// again this often (a pause stops the timer instead).
constexpr int kHeldLook = 250;

} // namespace

RaceSession::RaceSession(CTesseloDlg& w) : window(w)
{
    tell = [this](const QString& text) { window.Prompts().Ask(&window, Prompt(Prompt::Kind::Notice, text)); };
    connect(&window.TheGame(), &Game::Changed, this, &RaceSession::OnGameChanged);
}

RaceSession::~RaceSession()
{
    delete view;
}

void RaceSession::AddActions(BoardActions& actions)
{
    actions.Add(BoardAction{tr("Race Your Best"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)}, {},
                            [this] { RaceBest(); }, true});
}

void RaceSession::RaceBest()
{
    window.StopBoard();
    const Game& game = window.TheGame();
    const GridSize size = game.View().puzzle.grid.Size();
    const Style style = game.View().style;
    // Read beside the window: the records may still be opening.
    auto found = std::make_shared<std::optional<Records::RaceableWin>>();
    window.Kept().Read([found, size, style](Records& records) { *found = records.BestToRace(size, style); }, this,
                       [this, found] {
                           if (!*found || !Race((*found)->id, (*found)->win))
                               tell(tr("There is no best of this grid and style kept with its moves to race."));
                       });
}

bool RaceSession::Race(std::int64_t id, const GameResult& win)
{
    if (!win.CanBeRaced())
        return false;
    window.StopBoard();
    Game& game = window.TheGame();
    // The race plays in the win's own style: a race of times is no race
    // of moves.
    if (game.View().style != win.style)
        game.SetStyle(win.style);
    starting = true;
    const bool started = game.StartRace(win.start, id);
    starting = false;
    if (!started)
        return false;
    window.Picture().ShowKept(win.picture);
    Begin(id, win);
    return true;
}

void RaceSession::ResumeSaved()
{
    const std::optional<std::int64_t> id = window.TheGame().RaceOf();
    if (!id)
        return;
    auto found = std::make_shared<std::optional<GameResult>>();
    window.Kept().Read([found, id](Records& records) { *found = records.Win(*id); }, this, [this, found, id] {
        const Game& game = window.TheGame();
        // Only while that same race is still the game in play, from the
        // win's own start.
        if (!*found || !(*found)->CanBeRaced() || game.RaceOf() != id ||
            !game.View().puzzle.history.start.SameCells((*found)->start) || game.View().style != (*found)->style)
            return;
        Begin(*id, **found);
    });
}

void RaceSession::Begin(std::int64_t id, const GameResult& win)
{
    raceId = id;
    against = win;
    pace = GhostPace(win.steps, win.stepTimes, win.milliseconds);
    ghost = win.start;
    done = 0;
    last.reset();
    outcome.clear();
    running = true;
    if (!view)
        view = new GhostBoard(&window.Board(), window.Picture().Board());
    view->SetBanner(QString());
    CatchUp();
}

void RaceSession::Stop()
{
    running = false;
    timer.stop();
    delete view;
}

void RaceSession::CatchUp()
{
    if (!running)
        return;
    const std::int64_t now = window.TheGame().TimeInPlay();
    for (const std::size_t due = pace.MovesDueAt(now); done < due; ++done) {
        const HistoryStep& step = pace.Step(done);
        step.RedoOn(ghost);
        last = step.move;
    }
    Show();
    Arm();
}

void RaceSession::Arm()
{
    timer.stop();
    const Game& game = window.TheGame();
    const std::optional<std::int64_t> next = pace.DueTime(done);
    if (!running || !next || game.View().puzzle.state != Playing || game.IsPaused())
        return;
    if (game.View().stopwatch.IsHeld()) {
        timer.start(kHeldLook, this);
        return;
    }
    const std::int64_t wait = std::clamp<std::int64_t>(*next - game.View().stopwatch.Running(), 1, 60 * 60 * 1000);
    timer.start(int(wait), Qt::PreciseTimer, this);
}

void RaceSession::Show()
{
    if (!view)
        return;
    GhostView shown;
    shown.grid = &ghost;
    shown.last = last;
    shown.done = done;
    shown.total = pace.MoveCount();
    shown.hidden = window.TheGame().HidesBoard();
    view->SetAnimated(window.Settings().Current().animateMoves);
    view->Update(shown);
}

void RaceSession::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer.timerId())
        CatchUp();
}

void RaceSession::OnGameChanged(const GameChange& change)
{
    if (starting)
        return;
    // Any other game ends the race and its show; so does another style (a
    // race of times is no race of moves).
    if (std::holds_alternative<NewPosition>(change) || std::holds_alternative<StyleChanged>(change)) {
        Stop();
        return;
    }
    if (view && (std::holds_alternative<SelectionMoved>(change) || std::holds_alternative<MoveMade>(change) ||
                 std::holds_alternative<MoveTakenBack>(change)))
        view->FollowSelection();
    // "Blind" hides the board from the first move: the ghost's tiles too.
    if (view && running && view->Shown().hidden != window.TheGame().HidesBoard())
        Show();
    if (!running)
        return;
    if (const auto* state = std::get_if<StateChanged>(&change)) {
        if (state->to == PlayState::Paused) {
            timer.stop();
        } else if (state->to == PlayState::Resumed) {
            Arm();
        } else if (state->to == PlayState::Won) {
            Game& game = window.TheGame();
            const GameResult won = game.ResultOfWin(QString());
            // The ghost's end is its kept result: a ghost that is behind
            // would still have finished where it finished.
            Finish(OutcomeText(JudgeRace(won.style, won.Score(), against.Score())));
        } else if (state->to == PlayState::DidNotFinish) {
            Finish(tr("Race lost: did not finish"));
        }
    }
}

void RaceSession::Finish(const QString& text)
{
    running = false;
    timer.stop();
    outcome = text;
    Show();
    if (view)
        view->SetBanner(text);
    emit Ended(text);
}

QString RaceSession::OutcomeText(const RaceOutcome& o)
{
    // Seconds to the tenth under a minute, the clock's own text beyond.
    const QString time = o.margin < 60000 ? tr("%1 s").arg(QLocale().toString(double(o.margin) / 1000.0, 'f', 1))
                                          : ClockText(o.margin);
    const int moves = int(std::min<std::int64_t>(o.margin, INT32_MAX));
    switch (o.lead) {
    case RaceOutcome::Lead::Player:
        return o.inTime ? tr("Race won: %1 ahead of your best").arg(time)
                        : tr("Race won: %n move(s) fewer than your best", nullptr, moves);
    case RaceOutcome::Lead::Ghost:
        return o.inTime ? tr("Race lost: %1 behind your best").arg(time)
                        : tr("Race lost: %n move(s) more than your best", nullptr, moves);
    case RaceOutcome::Lead::Even:
        break;
    }
    return tr("Race even with your best");
}

} // namespace tesselo
