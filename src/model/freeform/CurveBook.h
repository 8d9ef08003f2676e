#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/SheetPath.h"

namespace pw {

// Polygon operations see curves as chains of chords. The book remembers
// every curve it flattened, so that the rings and lines that come out of an
// operation get their curves back: a run of chords of one curve becomes
// that curve's stretch between the run's ends, so a cut stays an arc or a
// Bézier on its way to the cutter. The operations keep input vertices
// exactly, which is how the chords are recognised.
class CurveBook {
public:
    // The path's points for a polygon operation (a closed path without its
    // start repeated); its curves are remembered.
    std::vector<SheetPoint> Flatten(const SheetPath& path);
    // A ring (closed) or line out of an operation, with the curves back.
    // Remembers every curve `other` flattened, after its own, as if this
    // book had flattened them: a flat's curves kept from an earlier build.
    void Add(const CurveBook& other);
    SheetPath Recover(const std::vector<SheetPoint>& points, bool closed) const;
    // An operation's new vertex on a chord of a curve, moved onto the curve
    // along one axis (keeping its s where it ends a line across the sheet,
    // its x where it ends a line along it); other points as they are.
    enum class Keep { S, X };
    SheetPoint Snap(SheetPoint p, Keep keep) const;

private:
    struct Curve {
        SheetPoint from;
        PathSegment segment;
        std::vector<SheetPoint> points;  // its chords' ends, from `from` to the segment's end
        double x0 = 0, s0 = 0, x1 = 0, s1 = 0;  // around its chords
    };
    // The parameter near `guess` (within one chord) where the curve reaches
    // `target` along the kept axis; `guess` when it does not there.
    double Refine(const Curve& c, double guess, double target, Keep keep) const;
    struct Place {
        int curve = -1;
        int index = 0;
    };
    struct KeyHash {
        std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& k) const {
            // Neighbouring chord ends differ in their low bits: mix them all in.
            std::uint64_t h = k.first * 0x9E3779B97F4A7C15ull ^ (k.second + 0x632BE59BD9B4E019ull);
            h ^= h >> 29;
            h *= 0xBF58476D1CE4E5B9ull;
            return static_cast<std::size_t>(h ^ (h >> 32));
        }
    };
    using Key = std::pair<std::uint64_t, std::uint64_t>;
    static Key KeyOf(SheetPoint p);
    // Where an edge from `a` to `b` lies on a curve: the curve and the
    // parameters of its ends; curve -1 when it is no chord of one.
    struct OnCurve {
        int curve = -1;
        double ta = 0, tb = 0;
    };
    OnCurve EdgeOnCurve(SheetPoint a, SheetPoint b) const;
    const std::vector<Place>* PlacesOf(SheetPoint p) const;

    std::vector<Curve> curves_;
    std::unordered_map<Key, std::vector<Place>, KeyHash> places_;
};

// A point of a line or curve segment starting at `from`, at parameter t in 0 .. 1.
SheetPoint PointOnSegment(SheetPoint from, const PathSegment& segment, double t);

}  // namespace pw
