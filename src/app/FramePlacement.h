#pragma once
#include <QList>
#include <QRect>

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

// Puts the window at the placement's normal geometry, brought inside the
// screens' available area (see FitIntoScreens) so that it never opens out of
// sight or larger than the screen after the screens changed. A placement
// with an empty rectangle is ignored. The show command is not applied: the
// program shows its window in its own way.
void ApplyPlacement(QWidget& window, const WindowPlacement& placement);

// A window rectangle that lies wholly inside the screens' available areas
// (`available`, the primary screen first) stays as it is. Otherwise it goes
// onto the screen it overlaps most (the primary one when it overlaps none),
// shrunk to that screen's available size where it is larger and moved just
// far enough to lie inside.
QRect FitIntoScreens(const QRect& rect, const QList<QRect>& available);

}  // namespace pw
