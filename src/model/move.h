#pragma once

#include <cstdint>

namespace tesselo {

enum class MoveAxis : std::int32_t { Row = 0, Column = 1 };

// The selected cell of a grid: the yellow frame, and the line the arrow
// keys slide.
struct Selection {
    std::int32_t row = 0;
    std::int32_t column = 0;
    bool operator==(const Selection&) const = default;
};

// One slide of a whole row or column, as a value: the history keeps these,
// undo applies their inverse, a replay plays them again. The amount is in
// cells, positive to the right (a row) or down (a column), and shorter
// than the line (the game makes no other, and a history file holding
// another is refused); it is taken modulo the line's length, so the
// inverse is simply its negation.
struct Move {
    MoveAxis axis = MoveAxis::Row;
    std::int32_t line = 0;
    std::int32_t amount = 0;

    Move Inverse() const { return Move{axis, line, -amount}; }
    bool operator==(const Move&) const = default;
};

} // namespace tesselo
