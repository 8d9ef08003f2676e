#include "edit/FoldMotion.h"

#include <algorithm>
#include <cmath>

namespace pw {

bool FoldMotion::Set(double degrees) {
    moving_ = false;
    const double angle = std::isfinite(degrees) ? std::clamp(degrees, kClosedAngle, kFlatAngle) : kOpenAngle;
    if (angle == angle_) return false;
    angle_ = angle;
    return true;
}

bool FoldMotion::Step(int direction) {
    const double from = angle_;
    const double step = kStep * (direction > 0 ? 1 : -1);
    double next = std::round(from / kStep) * kStep;
    if ((direction > 0 && next <= from) || (direction < 0 && next >= from)) next += step;
    return Set(next);
}

bool FoldMotion::StartMoveTo(double target) {
    if (angle_ == target) {
        moving_ = false;
        return false;
    }
    from_ = angle_;
    to_ = target;
    moving_ = true;
    return true;
}

bool FoldMotion::Advance(double elapsedMs) {
    if (!moving_) return false;
    const double t = std::min(1.0, elapsedMs / kDurationMs);
    // Eased at both ends, like a hand opening the card.
    const double eased = t * t * (3 - 2 * t);
    const double angle = t >= 1.0 ? to_ : from_ + (to_ - from_) * eased;
    if (t >= 1.0) moving_ = false;
    if (angle == angle_) return false;
    angle_ = angle;
    return true;
}

bool FoldMotion::OpenForEditing() {
    if (angle_ == kOpenAngle && !moving_) return false;
    return Set(kOpenAngle);
}

}  // namespace pw
