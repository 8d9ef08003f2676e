#pragma once

namespace pw {

// The card between closed (0 degrees), opened (90, the designed shape) and
// laid flat (180).
inline constexpr double kOpenAngle = 90.0;
inline constexpr double kClosedAngle = 0.0;
inline constexpr double kFlatAngle = 180.0;

// The angle the card is shown at and its moves: set outright (the slider),
// stepped (the fold keys) or eased to a target over about a second (Open
// card, Close card). Editing is done on the opened card only, so an edit
// first brings it back. The angle belongs to the session alone and is never
// stored. Time comes from the caller, which owns the clock.
class FoldMotion {
public:
    static constexpr double kStep = 15.0;
    static constexpr int kDurationMs = 1000;

    double Angle() const { return angle_; }
    bool Moving() const { return moving_; }

    // The angle, held within 0 .. 180 (not a number: opened); stops a move.
    // True when the angle changed.
    bool Set(double degrees);
    // One step of the fold keys: 15 degrees further open (+1) or closed (-1),
    // landing on multiples of 15 so that stepping back gives the opened card.
    bool Step(int direction);
    // Starts an eased move to the target. False (and any move stopped) when
    // the card already stands there.
    bool StartMoveTo(double target);
    // The move `elapsedMs` after its start; it ends at its duration. True when
    // the angle changed.
    bool Advance(double elapsedMs);
    // Before an edit: stops any move and opens the card. True when the angle changed.
    bool OpenForEditing();

private:
    double angle_ = kOpenAngle;
    double from_ = kOpenAngle, to_ = kOpenAngle;
    bool moving_ = false;
};

}  // namespace pw
