#pragma once

#include "model/game_change.h"
#include "model/stopwatch.h"
#include "model/tile_grid.h"
#include "view/motion_frame.h"

#include <QRegion>
#include <QSize>

#include <cstdint>
#include <optional>

namespace tesselo {

// The glide of the board from one rest to the next, as the view keeps it:
// the board as it stood, the line that moves and which way, and the time
// into the glide. The model has changed already; this only shows the way
// there, so it never holds anything back: a new change ends the glide
// under way at once (its board is where that glide was going) and starts
// the next from there, and the board at rest is always the model's own.
//
// A move glides its line from where it was (or where a drag let it go) to
// where it lands, wrapping round the edge; an undo glides it back; a drag
// let go without a move glides back to its place; Shift and an arrow glide
// the frame; the move that wins glides too, the whole picture showing once
// it lands. Anything else shows at once. Which changes glide, and how long,
// is the game's word (GlideMsOf), as their sound is.
class BoardMotion {
public:
    static constexpr std::int64_t kGlideMs = tesselo::kGlideMs;
    // The first frame shows the glide a frame on, so that an input changes
    // the board at its very next paint.
    static constexpr std::int64_t kFrameMs = 16;

    explicit BoardMotion(Stopwatch::Clock clock = Stopwatch::Steady) : clock(std::move(clock)) {}
    void SetClock(Stopwatch::Clock c) { clock = std::move(c); }

    // Follows a change of the board shown: `now` is that board after the
    // change, its cells `cell` board pixels.
    void Follow(const GameChange& change, const TileGrid& now, QSize cell);
    // Ends any glide: the board shows at rest.
    void Finish() { glide.reset(); }
    bool IsRunning() const { return glide && clock() - glide->start < glide->ms; }
    // The board at this moment; nothing when it is at rest.
    std::optional<MotionFrame> Frame(QSize cell) const;
    // What the glide (running or just over) passes over, in board pixels:
    // its line, and the cells its frame starts and ends on with the frame's
    // far edge.
    QRegion Area(QSize cell) const;

private:
    struct Glide {
        TileGrid grid;                  // the board as the glide shows it
        Selection framed;               // where its frame stands at the start
        std::optional<Move> line;       // the line that slides; none: the frame moves
        Selection landing;              // where the frame ends
        double from = 0, to = 0;        // cells along the line (or the frame's way)
        std::int64_t start = 0;
        std::int64_t ms = kGlideMs;     // how long it takes, as the game says
    };
    void Start(Glide next);

    Stopwatch::Clock clock;
    std::optional<Glide> glide;
};

} // namespace tesselo
