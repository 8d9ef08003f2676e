#pragma once
#include "edit/FoldMotion.h"
#include "view3d/Camera.h"
#include "view3d/RenderSink.h"

namespace pw {

// The card between closed (0 degrees), opened (90, the designed shape) and
// laid flat (180). Every column of a 90-degree pop-up is a parallelogram
// linkage: vertical faces stay parallel to the back sheet and horizontal
// faces parallel to the floor sheet, so one linear map folds the whole card.
// Measured from the crease (Y = y - 1, Z = z - 1), a point of the opened card
// goes to (Y + Z cos a, Z sin a); x stays. The floor sheet never moves.
// (The angles kOpenAngle, kClosedAngle and kFlatAngle come with the fold's
// motion, edit/FoldMotion.h.)

// The fold as a model-space matrix in OpenGL's column order. At 90 degrees it
// is exactly the identity, at 0 and 180 its entries are exactly 0, 1 and -1,
// so those pictures carry no rounding of their own.
Matrix4 FoldMatrix(double angleDegrees);

// The angle the card is drawn at. Closed, the map lays every face into one
// plane, where faces tie in the depth test and the draw order decides what
// shows. Real paper stacks: the cover lies on top of everything it closes
// over. Drawn a hair open, the closed card shows just that: its cover, and
// whatever sticks out beyond it.
inline constexpr double kClosedDrawAngle = 1.0;
inline double DrawnFoldAngle(double angleDegrees) {
    return angleDegrees < kClosedDrawAngle ? kClosedDrawAngle : angleDegrees;
}

// The fold undone: the matrix that takes a point of the card folded to the
// angle back to where it lies on the opened card. Closed (0) and flat (180)
// the map folds everything into one plane and has no inverse: false then.
bool UnfoldMatrix(double angleDegrees, Matrix4& inverse);

// A model point under a matrix (the w row of the fold matrix is 0 0 0 1).
Vertex Transform(const Matrix4& m, const Vertex& v);

}  // namespace pw
