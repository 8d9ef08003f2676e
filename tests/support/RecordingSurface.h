#pragma once
// A line surface that keeps every call, for tests of the drawing order.
#include <tuple>
#include <vector>

#include "output/LineSurface.h"

namespace pw::test {

struct SurfaceCall {
    enum Kind { Create, Select, Move, Line, Delete } kind;
    PenSpec pen{};          // Create: the pen asked for
    PenHandle handle = 0;   // Create: the handle given; Select, Delete: the handle passed
    int x = 0, y = 0;       // Move, Line
};

// A line as drawn: the pen selected at the time and both end points.
struct RecordedLine {
    PenSpec pen;
    int x0, y0, x1, y1;
    friend bool operator<(const RecordedLine& a, const RecordedLine& b) {
        return std::make_tuple(static_cast<int>(a.pen.style), a.pen.width, a.pen.red, a.pen.blue, a.x0, a.y0, a.x1,
                               a.y1) < std::make_tuple(static_cast<int>(b.pen.style), b.pen.width, b.pen.red,
                                                       b.pen.blue, b.x0, b.y0, b.x1, b.y1);
    }
    friend bool operator==(const RecordedLine& a, const RecordedLine& b) {
        return a.pen == b.pen && a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
    }
};

class RecordingSurface : public LineSurface {
public:
    using LineSurface::CreatePen;
    PenHandle CreatePen(PenStyle style, int width, int red, int green, int blue) override {
        const PenHandle h = static_cast<PenHandle>(pens_.size() + 100);
        pens_.push_back(PenSpec{style, width, red, green, blue});
        calls.push_back({SurfaceCall::Create, pens_.back(), h, 0, 0});
        return h;
    }
    PenHandle SelectPen(PenHandle pen) override {
        calls.push_back({SurfaceCall::Select, {}, pen, 0, 0});
        const PenHandle before = selected_;
        selected_ = pen;
        return before;
    }
    void MoveTo(int x, int y) override {
        calls.push_back({SurfaceCall::Move, {}, 0, x, y});
        x_ = x;
        y_ = y;
    }
    void LineTo(int x, int y) override {
        calls.push_back({SurfaceCall::Line, {}, 0, x, y});
        lines.push_back({PenOf(selected_), x_, y_, x, y});
        x_ = x;
        y_ = y;
    }
    void DeletePen(PenHandle pen) override { calls.push_back({SurfaceCall::Delete, {}, pen, 0, 0}); }

    PenSpec PenOf(PenHandle h) const {
        return h >= 100 && h - 100 < pens_.size() ? pens_[h - 100] : PenSpec{PenStyle::Solid, 1, 0, 0, 0};
    }

    // The handle a fresh surface has selected, as a platform surface's own pen.
    static constexpr PenHandle kInitialPen = 7;

    std::vector<SurfaceCall> calls;
    std::vector<RecordedLine> lines;

private:
    std::vector<PenSpec> pens_;
    PenHandle selected_ = kInitialPen;
    int x_ = 0, y_ = 0;
};

}  // namespace pw::test
