#pragma once
// A render sink that keeps every call, for tests and benchmarks.
#include <vector>

#include "view3d/RenderSink.h"

namespace pw::test {

struct Recorded {
    enum Kind { State, ClearColor, Quad, LineLoop, Line } kind;
    GlStateOp op = GlStateOp::Flush;  // State only
    GlColor color;
    int count = 0;  // vertices used: 4 for quads and loops, 2 for lines
    Vertex v[4];
};

class RecordingSink : public RenderSink {
public:
    std::vector<Recorded> calls;

    void State(GlStateOp op) override { calls.push_back({Recorded::State, op, {}, 0, {}}); }
    void ClearColor(const GlColor& c) override { calls.push_back({Recorded::ClearColor, GlStateOp::Flush, c, 0, {}}); }
    void Quad(const GlColor& c, const Vertex (&v)[4]) override { Add(Recorded::Quad, c, v); }
    void LineLoop(const GlColor& c, const Vertex (&v)[4]) override { Add(Recorded::LineLoop, c, v); }
    void Line(const GlColor& c, const Vertex& a, const Vertex& b) override {
        Recorded r{Recorded::Line, GlStateOp::Flush, c, 2, {}};
        r.v[0] = a;
        r.v[1] = b;
        calls.push_back(r);
    }

    std::vector<Recorded> OfKind(Recorded::Kind k) const {
        std::vector<Recorded> out;
        for (const Recorded& r : calls)
            if (r.kind == k) out.push_back(r);
        return out;
    }
    std::vector<GlStateOp> States() const {
        std::vector<GlStateOp> out;
        for (const Recorded& r : calls)
            if (r.kind == Recorded::State) out.push_back(r.op);
        return out;
    }

private:
    void Add(Recorded::Kind k, const GlColor& c, const Vertex (&v)[4]) {
        Recorded r{k, GlStateOp::Flush, c, 4, {v[0], v[1], v[2], v[3]}};
        calls.push_back(r);
    }
};

}  // namespace pw::test
