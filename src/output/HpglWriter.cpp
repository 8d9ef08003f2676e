#include "output/HpglWriter.h"

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "model/SheetPath.h"
#include "output/CutterPattern.h"

namespace pw {

namespace {

struct PlotterPoint {
    long x = 0, y = 0;
    bool operator==(const PlotterPoint& o) const { return x == o.x && y == o.y; }
};

// A plotter buffers a command before it moves, and the small ones hold only
// a kilobyte or so: a long run goes out as several PD commands, the pen
// staying down between them.
constexpr std::size_t kPointsPerCommand = 64;

// Pen 1 cuts (or draws the outline and cuts), pen 2 draws every fold so
// that a second colour or a scoring tool can take it, pen 3 anything else.
int PenOf(const CutterPattern& pattern, const CutterLayer* layer) {
    if (layer == &pattern.cut) return 1;
    if (layer == &pattern.mountain || layer == &pattern.valley || layer == &pattern.score) return 2;
    return 3;
}

class HpglText {
public:
    explicit HpglText(double pageHeightMm) : pageHeightMm_(pageHeightMm) {}

    // The page counts y down from the top; HPGL up from the bottom.
    PlotterPoint At(double xMm, double yMm) const {
        return {std::lround(xMm * kHpglUnitsPerMm), std::lround((pageHeightMm_ - yMm) * kHpglUnitsPerMm)};
    }

    // The pen the next runs are drawn with; taken up only when a run is
    // drawn, so that a layer with nothing to draw changes no pen.
    void Pen(int pen) { wanted_ = pen; }

    // One run the pen draws without lifting. Points that round to the one
    // before are left out; a run that rounds to a single point draws
    // nothing, since a dot is no line to cut.
    void Run(const std::vector<PlotterPoint>& points) {
        std::vector<PlotterPoint> kept;
        for (const PlotterPoint& p : points)
            if (kept.empty() || !(p == kept.back())) kept.push_back(p);
        if (kept.size() < 2) return;
        if (wanted_ != pen_) text_ += "SP" + std::to_string(pen_ = wanted_) + ";\n";
        text_ += "PU" + Pair(kept[0]) + ";\n";
        for (std::size_t first = 1; first < kept.size(); first += kPointsPerCommand) {
            text_ += "PD";
            for (std::size_t k = first; k < kept.size() && k < first + kPointsPerCommand; ++k)
                text_ += (k == first ? "" : ",") + Pair(kept[k]);
            text_ += ";\n";
        }
    }

    std::string Finish() { return text_ + "PU;SP0;\n"; }

private:
    static std::string Pair(const PlotterPoint& p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

    double pageHeightMm_;
    int pen_ = 0, wanted_ = 1;
    std::string text_ = "IN;\n";
};

}  // namespace

void WriteHpgl(std::ostream& out, const CutterPattern& pattern) {
    HpglText hpgl(pattern.pageHeightMm);
    for (const CutterLayer* layer : pattern.LayersInOrder()) {
        hpgl.Pen(PenOf(pattern, layer));
        for (const MmPath& path : PathsOf(*layer, true)) {
            std::vector<PlotterPoint> points;
            for (const MmPoint& p : path.points) points.push_back(hpgl.At(p.x, p.y));
            hpgl.Run(points);
        }
        // Curved runs (a free-form card's cuts) on the page: x across, s down.
        for (const SheetPath& path : layer->paths) {
            std::vector<PlotterPoint> points;
            for (const MmPoint& p : FlattenedRun(path).points) points.push_back(hpgl.At(p.x, p.y));
            hpgl.Run(points);
        }
    }
    out << hpgl.Finish();
}

}  // namespace pw
