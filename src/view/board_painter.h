#pragma once

#include "view/motion_frame.h"
#include "view/paint_target.h"

#include <cstdint>

namespace tesselo {

class BoardBitmap;
class BoardCache;
class NumberPlates;

// The three ways the board is painted: at rest, while the selected row is
// dragged by dx pixels, and while the selected column is dragged by dy.
// Each paints every pixel of the board area once, with no scaling: pieces
// are copied one to one from the board picture, then, given `numbers`,
// each piece's number plate (made ready for the board's grid and cells
// first), then the black grid lines, then the yellow frame of the selected
// cell. A plate moves with its piece and, like it, wraps round the board's
// edge. Given `rest`, the board at rest is kept there between paints, and
// what does not move is copied from it in a few large parts; the pixels
// are the same. False when nothing could be drawn or a copy failed, in
// which case painting stopped there.
bool DrawBoard(PaintTarget& target, const BoardBitmap& board, NumberPlates* numbers = nullptr,
               BoardCache* rest = nullptr);
bool DrawRowDrag(PaintTarget& target, const BoardBitmap& board, std::int32_t dx, NumberPlates* numbers = nullptr,
                 BoardCache* rest = nullptr);
bool DrawColumnDrag(PaintTarget& target, const BoardBitmap& board, std::int32_t dy, NumberPlates* numbers = nullptr,
                    BoardCache* rest = nullptr);
// A moment of a move in motion, painted the same ways over the board's
// picture: the frame's grid with its selected line slid (as a drag), or at
// rest with its selection frame on its way to the selected cell.
bool DrawMotion(PaintTarget& target, const BoardBitmap& board, const MotionFrame& frame,
                NumberPlates* numbers = nullptr, BoardCache* rest = nullptr);

constexpr QRgb kGridColour = 0xff000000u;
constexpr QRgb kSelectionColour = 0xffffff00u;

} // namespace tesselo
