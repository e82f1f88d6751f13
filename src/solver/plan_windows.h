#pragma once

#include "positions/board.h"
#include "positions/slide.h"

#include <stop_token>
#include <vector>

namespace tesselo::solver {

// Shortens a finished plan stretch by stretch: for each run of a few
// consecutive slides, a search from both ends, over the slides of only the
// lines the run moves, for a shorter way between the positions before and
// after it. Only the cells of those lines differ between the two, so the
// states searched are those lines' cells alone. Repeated until no window
// of at most `longest` slides (3 to 6; cut shorter where it moves more
// than four lines) is shortened any more. Block plans seldom have such a
// stretch (a third to half a slide a plan on 8 x 8 to 16 x 16): each of
// their pieces already goes in by a shortest way.
//
// The result solves whatever `plan` solves from `start` and is never
// longer; when `stop` is requested it returns what it has so far.
std::vector<Slide> ShortenWindows(const Board& start, std::vector<Slide> plan, int longest, std::stop_token stop = {});

} // namespace tesselo::solver
