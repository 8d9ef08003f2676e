#include "output/FoldFile.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>

#include "model/Sheet.h"

namespace pw {

namespace {

// Points closer than this (in millimetres) are one vertex: a grid card's
// lines meet exactly, a free-form card's flattened curves to well within it.
constexpr double kSameMm = 1e-4;

// The graph under construction: vertices found by position, segments by
// their two ends, each with the strongest assignment any line gave it.
class GraphBuilder {
public:
    explicit GraphBuilder(double mmPerUnit) : scale_(mmPerUnit) {}

    int Vertex(SheetPoint p) {
        const SheetPoint mm{p.x * scale_, p.s * scale_};
        const auto key = Key(mm);
        const auto found = index_.find(key);
        if (found != index_.end()) return found->second;
        graph_.vertices.push_back(mm);
        index_.emplace(key, static_cast<int>(graph_.vertices.size()) - 1);
        return static_cast<int>(graph_.vertices.size()) - 1;
    }

    std::vector<int> Polyline(const SheetPath& path) {
        std::vector<int> ids;
        for (const SheetPoint& p : FlattenPath(path, kFlatteningToleranceMm / scale_)) {
            const int id = Vertex(p);
            if (ids.empty() || ids.back() != id) ids.push_back(id);
        }
        if (path.closed && ids.size() > 1 && ids.front() == ids.back()) ids.pop_back();
        return ids;
    }

    void Segments(const std::vector<int>& ids, bool closed, char assignment) {
        for (size_t i = 0; i + 1 < ids.size(); ++i) Segment(ids[i], ids[i + 1], assignment);
        if (closed && ids.size() > 2) Segment(ids.back(), ids.front(), assignment);
    }

    // The vertices lying inside segment a-b, in order from a.
    std::vector<int> Between(int a, int b) const {
        const SheetPoint pa = graph_.vertices[a], pb = graph_.vertices[b];
        const double dx = pb.x - pa.x, ds = pb.s - pa.s, len2 = dx * dx + ds * ds;
        std::vector<std::pair<double, int>> inside;
        const double minX = std::min(pa.x, pb.x) - kSameMm, maxX = std::max(pa.x, pb.x) + kSameMm;
        const double minS = std::min(pa.s, pb.s) - kSameMm, maxS = std::max(pa.s, pb.s) + kSameMm;
        const auto from = byX_.lower_bound(minX), to = byX_.upper_bound(maxX);
        for (auto it = from; it != to; ++it) {
            const int v = it->second;
            const SheetPoint p = graph_.vertices[v];
            if (v == a || v == b || p.s < minS || p.s > maxS) continue;
            const double t = ((p.x - pa.x) * dx + (p.s - pa.s) * ds) / len2;
            const double cross = (p.x - pa.x) * ds - (p.s - pa.s) * dx;
            if (t > 0 && t < 1 && std::abs(cross) <= kSameMm * std::sqrt(len2)) inside.emplace_back(t, v);
        }
        std::sort(inside.begin(), inside.end());
        std::vector<int> ids;
        for (const auto& [t, v] : inside) ids.push_back(v);
        return ids;
    }

    // Splits every segment at the vertices on it and lists the edges.
    void SplitSegments() {
        for (size_t v = 0; v < graph_.vertices.size(); ++v) byX_.emplace(graph_.vertices[v].x, static_cast<int>(v));
        std::map<std::pair<int, int>, char> split;
        for (const auto& [ends, assignment] : segments_) {
            std::vector<int> chain{ends.first};
            for (int v : Between(ends.first, ends.second)) chain.push_back(v);
            chain.push_back(ends.second);
            for (size_t i = 0; i + 1 < chain.size(); ++i) Put(split, chain[i], chain[i + 1], assignment);
        }
        for (const auto& [ends, assignment] : split) {
            graph_.edges.push_back(ends);
            graph_.assignments.push_back(assignment);
        }
    }

    // The face of a loop with the vertices on its sides included.
    std::vector<int> Face(const std::vector<int>& loop) const {
        std::vector<int> face;
        for (size_t i = 0; i < loop.size(); ++i) {
            face.push_back(loop[i]);
            for (int v : Between(loop[i], loop[(i + 1) % loop.size()])) face.push_back(v);
        }
        if (Area(face) < 0) std::reverse(face.begin(), face.end());
        return face;
    }

    double Area(const std::vector<int>& ids) const {
        double twice = 0;
        for (size_t i = 0; i < ids.size(); ++i) {
            const SheetPoint p = graph_.vertices[ids[i]], q = graph_.vertices[ids[(i + 1) % ids.size()]];
            twice += p.x * q.s - q.x * p.s;
        }
        return twice / 2;
    }

    const SheetPoint& At(int v) const { return graph_.vertices[v]; }
    FoldGraph& Graph() { return graph_; }

private:
    static std::pair<long long, long long> Key(SheetPoint mm) {
        return {std::llround(mm.x / kSameMm), std::llround(mm.s / kSameMm)};
    }
    // A line's assignment outranks the F of a piece boundary it runs along.
    static void Put(std::map<std::pair<int, int>, char>& to, int a, int b, char assignment) {
        if (a == b) return;
        const std::pair<int, int> key = std::minmax(a, b);
        const auto found = to.find(key);
        if (found == to.end() || found->second == 'F') to[key] = assignment;
    }
    void Segment(int a, int b, char assignment) { Put(segments_, a, b, assignment); }

    double scale_;
    FoldGraph graph_;
    std::map<std::pair<long long, long long>, int> index_;
    std::map<std::pair<int, int>, char> segments_;
    std::multimap<double, int> byX_;
};

char AssignmentOf(SheetEdgeKind kind) {
    switch (kind) {
        case SheetEdgeKind::Mountain: return 'M';
        case SheetEdgeKind::Valley:
        case SheetEdgeKind::Crease: return 'V';
        case SheetEdgeKind::OutlineCut:
        case SheetEdgeKind::InnerCut: return 'B';
    }
    return 'B';
}

// The outline vertex nearest the hole's first vertex, for the bridge.
int NearestOf(const GraphBuilder& g, const std::vector<int>& candidates, int to) {
    int best = candidates.front();
    double bestD = INFINITY;
    for (int v : candidates) {
        const double dx = g.At(v).x - g.At(to).x, ds = g.At(v).s - g.At(to).s, d = dx * dx + ds * ds;
        if (d < bestD) bestD = d, best = v;
    }
    return best;
}

}  // namespace

FoldGraph BuildFoldGraph(const Sheet& sheet, double mmPerUnit) {
    GraphBuilder g(mmPerUnit);
    for (const SheetEdge& edge : sheet.edges) g.Segments(g.Polyline(edge.path), edge.path.closed, AssignmentOf(edge.kind));
    std::vector<std::vector<std::vector<int>>> loops;
    for (const SheetPiece& piece : sheet.pieces) {
        std::vector<std::vector<int>> pieceLoops;
        for (const SheetPath& loop : piece.loops) {
            pieceLoops.push_back(g.Polyline(loop));
            g.Segments(pieceLoops.back(), true, 'F');
        }
        loops.push_back(std::move(pieceLoops));
    }
    // A hole joins its piece's outline by one flat edge, so the face can go
    // round the outline, over the bridge, round the hole and back.
    std::vector<std::vector<std::pair<int, int>>> bridges(loops.size());
    for (size_t p = 0; p < loops.size(); ++p)
        for (size_t h = 1; h < loops[p].size() && loops[p][0].size() >= 3; ++h) {
            if (loops[p][h].size() < 3) continue;
            const int from = NearestOf(g, loops[p][0], loops[p][h].front());
            bridges[p].emplace_back(from, loops[p][h].front());
            g.Segments({from, loops[p][h].front()}, false, 'F');
        }
    g.SplitSegments();
    for (size_t p = 0; p < loops.size(); ++p) {
        if (loops[p].empty() || loops[p][0].size() < 3) continue;
        std::vector<int> face = g.Face(loops[p][0]);
        for (size_t h = 1, b = 0; h < loops[p].size(); ++h) {
            if (loops[p][h].size() < 3) continue;
            const auto [from, to] = bridges[p][b++];
            std::vector<int> hole = g.Face(loops[p][h]);
            std::reverse(hole.begin(), hole.end());  // clockwise inside a counterclockwise face
            std::rotate(hole.begin(), std::find(hole.begin(), hole.end(), to), hole.end());
            const auto at = std::find(face.begin(), face.end(), from) + 1;
            hole.push_back(to);
            hole.push_back(from);
            face.insert(at, hole.begin(), hole.end());
        }
        g.Graph().faces.push_back(std::move(face));
    }
    return std::move(g.Graph());
}

std::string FoldFileText(const FoldGraph& graph, const std::string& creator) {
    using Json = nlohmann::ordered_json;
    Json coords = Json::array(), edges = Json::array(), assignments = Json::array(), angles = Json::array();
    for (const SheetPoint& v : graph.vertices) coords.push_back({v.x, v.s});
    for (size_t e = 0; e < graph.edges.size(); ++e) {
        edges.push_back({graph.edges[e].first, graph.edges[e].second});
        const char a = graph.assignments[e];
        assignments.push_back(std::string(1, a));
        // The folds of the opened card: each a right angle, a valley's positive.
        angles.push_back(a == 'V' ? 90 : a == 'M' ? -90 : 0);
    }
    const Json fold = {{"file_spec", 1.1},
                       {"file_creator", creator},
                       {"file_classes", {"singleModel"}},
                       {"frame_classes", {"creasePattern"}},
                       {"frame_attributes", {"2D"}},
                       {"frame_unit", "mm"},
                       {"vertices_coords", std::move(coords)},
                       {"edges_vertices", std::move(edges)},
                       {"edges_assignment", std::move(assignments)},
                       {"edges_foldAngle", std::move(angles)},
                       {"faces_vertices", graph.faces}};
    return fold.dump() + "\n";
}

}  // namespace pw
