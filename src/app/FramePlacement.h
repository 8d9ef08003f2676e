#pragma once
#include "app/WindowPlacement.h"

class QWidget;

namespace pw {

// Show commands of a stored placement.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
// Set in every saved placement: a minimised window comes back maximised.
constexpr int kRestoreToMaximized = 2;

// The window's placement: its normal (not maximised) geometry as left, top,
// right and bottom, and its state as the show command. There are no
// minimised and maximised positions of their own; they are stored as -1.
WindowPlacement PlacementOf(const QWidget& window);

// Puts the window at the placement's normal geometry. A placement with an
// empty rectangle is ignored; one that lies on no screen keeps its size but
// not its position, so the window can never open out of sight. The show
// command is not applied: the program shows its window in its own way.
void ApplyPlacement(QWidget& window, const WindowPlacement& placement);

}  // namespace pw
