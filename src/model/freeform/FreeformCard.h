#pragma once
#include <string>
#include <utility>
#include <vector>

#include "model/SheetPath.h"

namespace pw {

// A loop of a flat's outline in the front view, in millimetres: x along the
// crease, and the height z above the floor held in SheetPoint's s (the
// front view is a plane of its own, not the sheet; the sheet's place of a
// point follows from the flat's depth).
using FrontLoop = SheetPath;

// Where the user switched a roof off: a point on the horizontal top run
// whose roof is left out.
struct FrontPoint {
    double x = 0, z = 0;
};

// An upright outline standing at a depth: its face, the roofs along its
// horizontal top runs, and cuts along the rest of it.
struct FreeformFlat {
    std::string name;  // may be empty; problems then count flats from 1
    double depth = 0;  // millimetres in front of the back sheet
    // Closed loops; filled even-odd, so a loop inside another is a hole.
    std::vector<FrontLoop> loops;
    std::vector<FrontPoint> roofless;
    // Left out of the card's paper, and drawn only faintly in the front view, until shown again.
    bool hidden = false;
    // Kept from being selected or changed in the front view.
    bool locked = false;
    // Fields this version does not know, name and JSON text, written back as read.
    std::vector<std::pair<std::string, std::string>> otherFields;
};

struct FreeformCard {
    double width = 0;  // the sheet's length along the crease, millimetres
    double half = 0;   // each half's length across the crease
    std::vector<FreeformFlat> flats;
    std::vector<std::pair<std::string, std::string>> otherFields;
};

// How problems and reports name a flat: its name, or "flat N" counting from 1
// in file order.
inline std::string FlatLabel(const FreeformCard& card, int index) {
    const std::string& name = card.flats[static_cast<std::size_t>(index)].name;
    return name.empty() ? "flat " + std::to_string(index + 1) : name;
}

}  // namespace pw
