#pragma once

namespace pw {

// The main window's placement, in the order the "WindowPos" entry stores it.
struct WindowPlacement {
    int flags = 0;
    int showCmd = 0;
    int minX = 0, minY = 0;
    int maxX = 0, maxY = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
};

}  // namespace pw
