#pragma once
#include <vector>

#include "output/LineSurface.h"
#include "output/PenTable.h"

namespace pw {

// A line as a surface received it, in device units, with the pen it was drawn with.
struct DrawnSegment {
    PenSpec pen;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A surface that keeps every LineTo as a segment, for the outputs that
// rework the drawing (the cutter-ready vector files, the clipboard).
class SegmentRecorder : public LineSurface {
public:
    using LineSurface::CreatePen;
    PenHandle CreatePen(PenStyle style, int width, int red, int green, int blue) override {
        return pens_.Create(PenSpec{style, width, red, green, blue});
    }
    PenHandle SelectPen(PenHandle pen) override { return pens_.Select(pen); }
    void MoveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void LineTo(int x, int y) override {
        segments_.push_back(DrawnSegment{pens_.Current(), x_, y_, x, y});
        x_ = x;
        y_ = y;
    }
    void DeletePen(PenHandle pen) override { pens_.Delete(pen); }

    const std::vector<DrawnSegment>& Segments() const { return segments_; }

private:
    PenTable pens_;
    std::vector<DrawnSegment> segments_;
    int x_ = 0, y_ = 0;
};

}  // namespace pw
