#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "model/freeform/CurveBook.h"
#include "model/freeform/FlatGeometry.h"
#include "model/freeform/FreeformCard.h"
#include "model/freeform/Geos.h"

namespace pw {

// What a flat makes of the sheet on its own, whatever else stands on the
// card: its paper before anything in front took a part of it, the curves
// flattened for it, and the horizontal runs of its outline. Only its depth
// and loops matter; its name, roofless marks and the other flats do not.
struct FlatParts {
    double depth = 0;
    std::vector<FrontLoop> loops;
    CurveBook book;
    geos::Geometry region;
    double x0 = 0, s0 = 0, x1 = 0, s1 = 0;  // the region's box, all 0 when it is empty
    std::vector<HorizontalRun> runs;
};

// The parts of the flats of the last build, found again by content, so that
// an edit of one flat of many makes that flat's parts alone anew. Their
// geometry lives in the store's own GEOS context.
class FlatPartsStore {
public:
    geos::Context& Context() { return *context_; }
    // The flat's parts, kept from the last build when its depth and loops
    // are the same, made otherwise.
    const FlatParts& PartsOf(const FreeformFlat& flat);
    // Ends a build: parts no flat of it asked for are dropped; after a
    // polygon operation failed everything is, with the context, so that no
    // part made in a failed context is reused.
    void FinishBuild();

    std::size_t MadeInLastBuild() const { return madeLast_; }

private:
    struct Entry {
        std::size_t hash = 0;
        bool used = false;
        std::unique_ptr<FlatParts> parts;
    };
    // The context is made first and destroyed last: the parts' geometry is its.
    std::unique_ptr<geos::Context> context_ = std::make_unique<geos::Context>();
    std::vector<Entry> entries_;
    std::size_t made_ = 0, madeLast_ = 0;
};

}  // namespace pw
