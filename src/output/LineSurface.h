#pragma once
#include <cstdint>

namespace pw {

// Line styles of the pattern's pens, as the platform's pen styles.
enum class PenStyle { Solid = 0, Dash = 1, Dot = 2 };

struct PenSpec {
    PenStyle style = PenStyle::Solid;
    int width = 1;  // logical units
    int red = 0, green = 0, blue = 0;

    friend bool operator==(const PenSpec& a, const PenSpec& b) {
        return a.style == b.style && a.width == b.width && a.red == b.red && a.green == b.green &&
               a.blue == b.blue;
    }
    friend bool operator!=(const PenSpec& a, const PenSpec& b) { return !(a == b); }
};

// The three pens of the unfolded pattern. The fold colours look black but
// differ from each other and from the cut pen, so a reader can tell them apart.
inline constexpr PenSpec kCutPen{PenStyle::Solid, 2, 0, 0, 0};
inline constexpr PenSpec kMountainPen{PenStyle::Dash, 1, 1, 0, 0};
inline constexpr PenSpec kValleyPen{PenStyle::Dot, 1, 0, 0, 1};

using PenHandle = std::uint32_t;

// Every surface starts with this pen selected (a thin solid black pen);
// selecting it again puts the surface back as it was.
inline constexpr PenHandle kStockPen = 0;
// What SelectPen returns when the handle names no pen.
inline constexpr PenHandle kNoPen = 0xFFFFFFFFu;

// The few drawing calls the unfolded pattern needs, with the platform's 2D
// drawing semantics: pens are objects that are created, selected and deleted,
// and LineTo draws from the current position to the point, leaving the end
// point out, and makes the point the current position.
class LineSurface {
public:
    virtual ~LineSurface() = default;
    virtual PenHandle CreatePen(PenStyle style, int width, int red, int green, int blue) = 0;
    // Makes the pen current and returns the pen that was current before.
    virtual PenHandle SelectPen(PenHandle pen) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void DeletePen(PenHandle pen) = 0;

    PenHandle CreatePen(const PenSpec& p) { return CreatePen(p.style, p.width, p.red, p.green, p.blue); }
};

}  // namespace pw
