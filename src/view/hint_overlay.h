#pragma once

#include "model/move.h"

#include <QSize>

class QPainter;

namespace tesselo {

// A hint on the board: the line to slide outlined, and an arrow along it
// pointing the way, with the number of cells. Drawn over the board in
// board pixels, light on dark, so it shows on any picture; the painter
// maps it onto the device at any pixel ratio.
//
// `cell` is the size of one cell, `rows` x `columns` the grid; a hint off
// the grid draws nothing.
void DrawHint(QPainter& painter, QSize cell, int rows, int columns, const Move& hint);

} // namespace tesselo
