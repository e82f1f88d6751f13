#include "painter_scene.h"

#include "view/board_cache.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace tesselo;
using namespace tesselo::test;

namespace {

// The board painted every way there is, with the board kept between paints
// or without.
QImage PaintAll(const Scene& s, NumberPlates* numbers, BoardCache* rest)
{
    QImage out(s.board.picture.width(), s.board.picture.height() * 3, QImage::Format_RGB32);
    out.fill(kUntouched);
    const int h = s.board.picture.height();
    for (int k = 0; k < 3; ++k) {
        QImage canvas(s.board.picture.size(), QImage::Format_RGB32);
        canvas.setDevicePixelRatio(s.board.picture.devicePixelRatio());
        canvas.fill(kUntouched);
        QPainter painter(&canvas);
        PainterTarget target(painter);
        const bool drawn = k == 0   ? DrawBoard(target, s.board, numbers, rest)
                           : k == 1 ? DrawRowDrag(target, s.board, 77, numbers, rest)
                                    : DrawColumnDrag(target, s.board, -150, numbers, rest);
        EXPECT_TRUE(drawn) << k;
        painter.end();
        QPainter into(&out);
        into.drawImage(QPoint(0, k * h), canvas);
    }
    return out;
}

} // namespace

// Through a game's changes (moves, the selection, numbers on and off, a
// new picture, another grid) the kept board paints exactly what the
// pieces do. A board is kept from its second paint on, and after a move
// only the cells that moved are copied into it again.
TEST(BoardCache, PaintsWhatThePiecesDoAndCopiesOnlyWhatChanged)
{
    Scene s(640, 480, 4, 5);
    s.grid.Shuffle(3);
    s.Select(1, 2);
    NumberPlates plates;
    BoardCache rest;
    bool numbers = false;
    const struct {
        const char* what;
        std::function<void()> change;
        int first, second; // cells copied into the kept board by two paints
    } steps[] = {
        {"a first paint", [] {}, 0, 20},
        {"nothing changed", [] {}, 0, 0},
        {"a row moved", [&] { s.grid.Apply(Move{MoveAxis::Row, 3, 2}); }, 5, 0},
        {"a column moved", [&] { s.grid.Apply(Move{MoveAxis::Column, 0, -1}); }, 4, 0},
        {"the selection moved", [&] { s.Select(3, 4); }, 0, 0},
        {"numbers on", [&] { numbers = true; }, 0, 20},
        {"a move with numbers", [&] { s.grid.Apply(Move{MoveAxis::Row, 1, 1}); }, 5, 0},
        {"a new picture", [&] { s.board.picture = Coordinates(640, 480).mirrored(); }, 0, 20},
        {"numbers off", [&] { numbers = false; }, 0, 20},
        {"another grid",
         [&] {
             s.grid.Resize(3, 4);
             s.grid.Shuffle(8);
             s.Select(2, 3);
         },
         0, 12},
        {"a move on it", [&] { s.grid.Apply(Move{MoveAxis::Row, 0, 3}); }, 4, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        NumberPlates* shown = numbers ? &plates : nullptr;
        for (const int copied : {step.first, step.second}) {
            QImage canvas(640, 480, QImage::Format_RGB32);
            QPainter painter(&canvas);
            PainterTarget target(painter);
            ASSERT_TRUE(DrawBoard(target, s.board, shown, &rest));
            EXPECT_EQ(rest.CellsCopied(), copied);
        }
        EXPECT_EQ(Differences(PaintAll(s, shown, &rest), PaintAll(s, shown, nullptr)), 0);
    }
}
