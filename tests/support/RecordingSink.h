#pragma once
// A render sink that keeps every call, for tests and benchmarks.
#include <algorithm>
#include <sstream>
#include <string>
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

// "" when both recordings hold the same calls with the same values in the
// same order, else where they first differ.
inline std::string FirstDifference(const RecordingSink& a, const RecordingSink& b) {
    auto same = [](const Recorded& p, const Recorded& q) {
        if (p.kind != q.kind || p.count != q.count) return false;
        if (p.kind == Recorded::State) return p.op == q.op;
        if (p.color != q.color) return false;
        for (int k = 0; k < p.count; ++k)
            if (!(p.v[k] == q.v[k])) return false;
        return true;
    };
    const std::size_t n = std::min(a.calls.size(), b.calls.size());
    for (std::size_t i = 0; i < n; ++i)
        if (!same(a.calls[i], b.calls[i])) {
            std::ostringstream out;
            const Recorded& p = a.calls[i];
            const Recorded& q = b.calls[i];
            out << "call " << i << ": kind " << p.kind << " vs " << q.kind << ", first vertex (" << p.v[0].x << ", "
                << p.v[0].y << ", " << p.v[0].z << ") vs (" << q.v[0].x << ", " << q.v[0].y << ", " << q.v[0].z << ")";
            return out.str();
        }
    if (a.calls.size() != b.calls.size())
        return "lengths " + std::to_string(a.calls.size()) + " and " + std::to_string(b.calls.size());
    return "";
}

}  // namespace pw::test
