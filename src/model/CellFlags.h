#pragma once
#include <cstdint>

namespace pw {

// One byte per cell: the user's shape (solid), the faces derived from it,
// the validity marks and, in each column's header cell (x, 0, 0), the
// column bookkeeping flags.
constexpr std::uint8_t CELL_SOLID = 1;
constexpr std::uint8_t CELL_VERTICAL_FACE = 2;
constexpr std::uint8_t CELL_HORIZONTAL_FACE = 4;
constexpr std::uint8_t CELL_ANCHORED_TOP = 16;
constexpr std::uint8_t CELL_ANCHORED_BOTTOM = 32;
constexpr std::uint8_t COLUMN_SAME_AS_LEFT = 64;
constexpr std::uint8_t COLUMN_DIRTY = 128;

}  // namespace pw
