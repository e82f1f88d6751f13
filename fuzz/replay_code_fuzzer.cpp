// A replay code is pasted by the player from anywhere: a chat, a web page,
// another program. Whatever the text, the reader must refuse it or give a
// solve the game can replay safely: a playable start, every move one of
// its grid, and a code that writes back to the same solve.

#include "fuzz_support.h"

#include "records/replay_code.h"

#include <QString>

using namespace tesselo;
using tesselo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString why;
    const std::optional<ReplayCode> code = ReplayCode::Read(text, &why);
    if (!code) {
        Require(!why.isEmpty(), "a refused code says why");
        return 0;
    }
    tesselo::fuzz::RequirePlayableGrid(code->start);
    TileGrid grid = code->start;
    for (const HistoryStep& step : code->steps) {
        Require(grid.Apply(step.move), "every move moves something");
        grid.Select(step.after);
        tesselo::fuzz::RequirePlayableGrid(grid);
    }
    const std::optional<ReplayCode> again = ReplayCode::Read(ReplayCode::Write(code->style, code->start, code->steps));
    Require(again && again->style == code->style && again->start.SameCells(code->start) &&
                again->steps.size() == code->steps.size(),
            "a code read writes back to the same solve");
    for (std::size_t i = 0; i < code->steps.size(); ++i)
        Require(again->steps[i].move == code->steps[i].move && again->steps[i].after == code->steps[i].after,
                "every move writes back as read");
    return 0;
}
