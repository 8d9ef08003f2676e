#include "view3d/FoldMap.h"

#include <cmath>

namespace pw {

namespace {

constexpr double kPi = 3.14159265358979323846;

// cos and sin that are exact where the card is closed, open or flat.
void CosSin(double degrees, double& c, double& s) {
    if (degrees == 0.0) {
        c = 1;
        s = 0;
    } else if (degrees == 90.0) {
        c = 0;
        s = 1;
    } else if (degrees == 180.0) {
        c = -1;
        s = 0;
    } else {
        c = std::cos(degrees * kPi / 180);
        s = std::sin(degrees * kPi / 180);
    }
}

}  // namespace

Matrix4 FoldMatrix(double angleDegrees) {
    double c = 0, s = 1;
    CosSin(angleDegrees, c, s);
    // y' = y + c (z - 1), z' = 1 + s (z - 1)
    Matrix4 m = IdentityMatrix();
    m[2 * 4 + 1] = c;
    m[3 * 4 + 1] = -c;
    m[2 * 4 + 2] = s;
    m[3 * 4 + 2] = 1 - s;
    return m;
}

bool UnfoldMatrix(double angleDegrees, Matrix4& inverse) {
    double c = 0, s = 1;
    CosSin(angleDegrees, c, s);
    if (s == 0) return false;
    // z - 1 = (z' - 1) / s, y = y' - c (z - 1)
    inverse = IdentityMatrix();
    inverse[2 * 4 + 1] = -c / s;
    inverse[3 * 4 + 1] = c / s;
    inverse[2 * 4 + 2] = 1 / s;
    inverse[3 * 4 + 2] = 1 - 1 / s;
    return true;
}

Vertex Transform(const Matrix4& m, const Vertex& v) {
    return {m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12], m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13],
            m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14]};
}

}  // namespace pw
