#pragma once
#include <array>
#include <string>
#include <vector>

#include "import/FlatSource.h"
#include "import/Mesh.h"
#include "model/freeform/Geos.h"

namespace pw {

// The most flats one model is sliced into, so that a long list of depths
// cannot multiply the work on a large model without bound.
constexpr int kMaxModelFlats = 32;

// How a model becomes flats. The model is turned as the grid card's model
// import turns it: its x across, its up axis (`up`) the height z, and its
// axis toward the viewer the card's depth y; it is scaled so that its height
// is `heightMm`, its back against the back sheet (depth 0) and its lowest
// point on the floor.
struct ModelSlicing {
    // The flats' depths in millimetres in front of the back sheet, in any
    // order; empty: found from the model (see AutomaticDepths).
    std::vector<double> depthsMm;
    int automaticCount = 4;  // the most depths found from the model
    double heightMm = 50;
    ModelUp up = ModelUp::Z;
    double toleranceMm = 0.05;  // outlines are simplified to within this
};

// A model turned and scaled as above: three corners per triangle, each
// (x across, height z, depth y), in millimetres; empty with `error` set
// when the model is empty, has too many triangles, coordinates that are not
// finite or no width or height seen from the front.
struct PlacedModel {
    std::vector<std::array<double, 3>> corners;
    double width = 0, height = 0, depth = 0;
};
PlacedModel PlaceModel(const Mesh& mesh, ModelUp up, double heightMm, std::string& error);

// The depths of the model's steps: the depths of faces that look straight
// at the viewer (or straight away), ranked by the area they cover seen from
// the front, at least 1 mm apart, at most `count` of them, nearest first.
// The model's back (depth 0) is never one. A model without such faces (a
// sphere) gets `count` depths evenly spaced from its front back (at least
// 1 mm apart, so a model without depth still gets one in front of the back).
std::vector<double> AutomaticDepths(const PlacedModel& model, int count);

// The front outline (x, z) of the part of the model whose depth lies in
// (behind, front], as GEOS polygons, unsimplified: the union of the
// triangles' projections, each cut to the slab.
geos::Geometry SlabSilhouette(geos::Context& context, const PlacedModel& model, double behind, double front);

// The flats of the model, nearest first, in millimetres (x from the model's
// left, z from its lowest point), each at its depth. Flat i at depth d_i
// shows the slab of the model between d_i and the next depth behind it (the
// last one everything behind it, the first one also what lies in front of
// it): its front outline, nearer flats standing in front of it. Of a slab
// only the columns (ranges of x) where it rises above the flats in front of
// it are kept, whole from its foot up: a part wholly hidden behind nearer
// flats (a house's back wall behind its front, the far slope of a roof)
// would need the paper their roofs use, while a part that rises above them
// stands on their roofs, as any flat standing behind another. So a model
// that steps up toward its back (a porch, a house, a tower) makes a card.
// A slab with nothing left makes no flat. Fails with the message in `error`
// for a model PlaceModel refuses, depths at or behind the back sheet, more
// than kMaxModelFlats depths or a height that is not above 0.
FlatsFromSource ModelFlats(const Mesh& mesh, const ModelSlicing& how);

}  // namespace pw
