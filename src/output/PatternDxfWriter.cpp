#include "output/PatternDxfWriter.h"

#include <cmath>
#include <cctype>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "output/CutterPattern.h"

namespace pw {

namespace {

// The DXF text, group code by group code, with the object handles that an
// AutoCAD 2000 file needs: every table, record, block and entity has its
// own, and names its owner.
class DxfText {
public:
    void Pair(int code, const std::string& value) {
        text_ += std::to_string(code);
        text_ += '\n';
        text_ += value;
        text_ += '\n';
    }
    void Int(int code, int value) { Pair(code, std::to_string(value)); }
    void Real(int code, double value) { Pair(code, FormatDecimal(value, 6)); }
    // A new handle, as upper-case hexadecimal.
    std::string NewHandle() { return Hex(next_++); }
    std::string NextHandle() const { return Hex(next_); }
    std::string Take() { return std::move(text_); }

    // A symbol table's head; returns its handle.
    std::string TableStart(const char* name, int entries) {
        Pair(0, "TABLE");
        Pair(2, name);
        const std::string h = NewHandle();
        Pair(5, h);
        Pair(330, "0");
        Pair(100, "AcDbSymbolTable");
        Int(70, entries);
        return h;
    }
    void TableEnd() { Pair(0, "ENDTAB"); }
    // A table record's head, through its second subclass marker.
    std::string RecordStart(const char* type, const std::string& table, const char* subclass, int handleCode = 5) {
        Pair(0, type);
        const std::string h = NewHandle();
        Pair(handleCode, h);
        Pair(330, table);
        Pair(100, "AcDbSymbolTableRecord");
        Pair(100, subclass);
        return h;
    }

private:
    static std::string Hex(unsigned v) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%X", v);
        return buf;
    }
    std::string text_;
    unsigned next_ = 1;
};

struct DxfLayer {
    std::string name;
    int colour;
};
// Red cuts, blue mountains, green valleys, as laser software expects; the
// folds too short to perforate in magenta, to be scored.
const DxfLayer kCutLayer{"CUT", 1}, kMountainLayer{"MOUNTAIN", 5}, kValleyLayer{"VALLEY", 3}, kScoreLayer{"SCORE", 6};

// The AutoCAD colour index of the colours the cutter files use; white for any other.
int ColourIndex(const std::string& rgb) {
    const char* const indexed[] = {"#FF0000", "#FFFF00", "#00FF00", "#00FFFF", "#0000FF", "#FF00FF"};
    for (int k = 0; k < 6; ++k)
        if (rgb == indexed[k]) return k + 1;
    return 7;
}

// A machine's file names its layers as the machine's software shows them
// ("CUT", "SCORE", "PERFORATION"); the pattern file by the kind of line.
DxfLayer LayerOf(const CutterPattern& p, const CutterLayer* layer) {
    if (p.onlyDrawnLayers) {
        std::string name = layer->name;
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return {name, ColourIndex(layer->color)};
    }
    return layer == &p.cut        ? kCutLayer
           : layer == &p.mountain ? kMountainLayer
           : layer == &p.valley   ? kValleyLayer
                                  : kScoreLayer;
}

// The path with its curves replaced by chords within the usual tolerance.
SheetPath FlattenedPath(const SheetPath& path) {
    const std::vector<SheetPoint> points = FlattenPath(path, kFlatteningToleranceMm);
    SheetPath flat(points.empty() ? path.start : points.front());
    for (std::size_t k = 1; k < points.size(); ++k) flat.LineTo(points[k]);
    flat.closed = path.closed;
    return flat;
}

// A run with curves, on the sheet's DXF coordinates (origin at the sheet's
// bottom-left corner, y upward): straight stretches as polylines (a lone
// line as a LINE, a closed loop of lines as one closed polyline), arcs as
// ARCs (a whole circle as a CIRCLE) and cubics as SPLINEs of degree 3 with
// the cubic's own control points, so every curve is exact.
class CurvedRunWriter {
public:
    CurvedRunWriter(DxfText& body, const std::string& owner, const DxfLayer& layer, double left, double bottom)
        : body_(body), owner_(owner), layer_(layer), left_(left), bottom_(bottom) {}

    void Write(const SheetPath& path) {
        if (WholeCircle(path)) return;
        std::vector<SheetPoint> straight{path.start};
        SheetPoint at = path.start;
        const bool allStraight = path.AllStraight();
        for (const PathSegment& seg : path.segments) {
            if (seg.shape == SegmentShape::Line) {
                straight.push_back(seg.end);
            } else {
                Straight(straight, false);
                if (seg.shape == SegmentShape::Arc)
                    Arc(at, seg);
                else
                    Spline(at, seg);
                straight = {seg.end};
            }
            at = seg.end;
        }
        if (path.closed && at != path.start) straight.push_back(path.start);
        Straight(straight, allStraight && path.closed);
    }

private:
    double X(SheetPoint p) const { return p.x - left_; }
    double Y(SheetPoint p) const { return bottom_ - p.s; }
    void Head(const char* type, const char* subclass) {
        body_.Pair(0, type);
        body_.Pair(5, body_.NewHandle());
        body_.Pair(330, owner_);
        body_.Pair(100, "AcDbEntity");
        body_.Pair(8, layer_.name);
        body_.Int(62, layer_.colour);
        body_.Pair(100, subclass);
    }
    void Point(int code, SheetPoint p) {
        body_.Real(code, X(p));
        body_.Real(code + 10, Y(p));
        body_.Real(code + 20, 0);
    }
    void Straight(const std::vector<SheetPoint>& points, bool closedLoop) {
        if (points.size() < 2) return;
        if (points.size() == 2) {
            Head("LINE", "AcDbLine");
            Point(10, points[0]);
            Point(11, points[1]);
            return;
        }
        // A closed loop's last point repeats its first.
        const std::size_t count = closedLoop && points.back() == points.front() ? points.size() - 1 : points.size();
        Head("LWPOLYLINE", "AcDbPolyline");
        body_.Int(90, static_cast<int>(count));
        body_.Int(70, closedLoop ? 1 : 0);
        body_.Real(43, 0);
        for (std::size_t k = 0; k < count; ++k) {
            body_.Real(10, X(points[k]));
            body_.Real(20, Y(points[k]));
        }
    }
    void Arc(SheetPoint from, const PathSegment& arc) {
        const double r = std::hypot(from.x - arc.centre.x, from.s - arc.centre.s);
        const auto angle = [&](SheetPoint p) {
            return std::atan2(Y(p) - Y(arc.centre), X(p) - X(arc.centre)) * 180.0 / 3.14159265358979323846;
        };
        // Flipping y turns the arc the other way; DXF arcs run
        // counter-clockwise from the start angle to the end angle.
        const bool counterClockwise = arc.sweep < 0;
        Head("ARC", "AcDbCircle");
        Point(10, arc.centre);
        body_.Real(40, r);
        body_.Pair(100, "AcDbArc");
        body_.Real(50, angle(counterClockwise ? from : arc.end));
        body_.Real(51, angle(counterClockwise ? arc.end : from));
    }
    void Spline(SheetPoint from, const PathSegment& cubic) {
        Head("SPLINE", "AcDbSpline");
        body_.Real(210, 0);
        body_.Real(220, 0);
        body_.Real(230, 1);
        body_.Int(70, 8);  // planar
        body_.Int(71, 3);
        body_.Int(72, 8);
        body_.Int(73, 4);
        body_.Int(74, 0);
        body_.Real(42, 1e-10);
        body_.Real(43, 1e-10);
        for (int k = 0; k < 8; ++k) body_.Real(40, k < 4 ? 0 : 1);
        for (const SheetPoint& p : {from, cubic.control1, cubic.control2, cubic.end}) Point(10, p);
    }
    // A closed run of arcs about one centre that turn once around: a CIRCLE.
    bool WholeCircle(const SheetPath& path) {
        if (!path.closed || path.segments.empty()) return false;
        double turned = 0;
        const SheetPoint centre = path.segments.front().centre;
        for (const PathSegment& seg : path.segments) {
            if (seg.shape != SegmentShape::Arc || std::hypot(seg.centre.x - centre.x, seg.centre.s - centre.s) > 1e-9)
                return false;
            turned += seg.sweep;
        }
        if (std::abs(std::abs(turned) - 2 * 3.14159265358979323846) > 1e-9) return false;
        Head("CIRCLE", "AcDbCircle");
        Point(10, centre);
        body_.Real(40, std::hypot(path.start.x - centre.x, path.start.s - centre.s));
        return true;
    }

    DxfText& body_;
    const std::string& owner_;
    const DxfLayer& layer_;
    double left_, bottom_;
};

}  // namespace

void WritePatternDxf(std::ostream& out, const CutterPattern& pattern) {
    const double width = pattern.sheetRightMm - pattern.sheetLeftMm;
    const double height = pattern.sheetBottomMm - pattern.sheetTopMm;
    DxfText body;

    body.Pair(0, "SECTION");
    body.Pair(2, "CLASSES");
    body.Pair(0, "ENDSEC");

    body.Pair(0, "SECTION");
    body.Pair(2, "TABLES");
    {
        const std::string t = body.TableStart("VPORT", 1);
        body.RecordStart("VPORT", t, "AcDbViewportTableRecord");
        body.Pair(2, "*Active");
        body.Int(70, 0);
        body.Real(10, 0);
        body.Real(20, 0);
        body.Real(11, 1);
        body.Real(21, 1);
        body.Real(12, width / 2);  // the view centred on the sheet
        body.Real(22, height / 2);
        body.Real(13, 0);
        body.Real(23, 0);
        body.Real(14, 10);
        body.Real(24, 10);
        body.Real(15, 10);
        body.Real(25, 10);
        body.Real(16, 0);
        body.Real(26, 0);
        body.Real(36, 1);
        body.Real(17, 0);
        body.Real(27, 0);
        body.Real(37, 0);
        body.Real(40, height > 0 ? height * 1.1 : 1);
        body.Real(41, height > 0 ? width / height : 1);
        body.Real(42, 50);
        body.Real(43, 0);
        body.Real(44, 0);
        body.Real(50, 0);
        body.Real(51, 0);
        body.Int(71, 0);
        body.Int(72, 100);
        body.Int(73, 1);
        body.Int(74, 3);
        body.Int(75, 0);
        body.Int(76, 0);
        body.Int(77, 0);
        body.Int(78, 0);
        body.TableEnd();
    }
    {
        const std::string t = body.TableStart("LTYPE", 3);
        for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
            body.RecordStart("LTYPE", t, "AcDbLinetypeTableRecord");
            body.Pair(2, name);
            body.Int(70, 0);
            body.Pair(3, std::string(name) == "Continuous" ? "Solid line" : "");
            body.Int(72, 65);
            body.Int(73, 0);
            body.Real(40, 0);
        }
        body.TableEnd();
    }
    {
        std::vector<DxfLayer> layers = {DxfLayer{"0", 7}, kCutLayer, kMountainLayer, kValleyLayer};
        if (!pattern.score.lines.empty()) layers.push_back(kScoreLayer);
        if (pattern.onlyDrawnLayers) {
            layers.resize(1);
            for (const CutterLayer* layer : pattern.LayersInOrder()) layers.push_back(LayerOf(pattern, layer));
        }
        const std::string t = body.TableStart("LAYER", static_cast<int>(layers.size()));
        for (const DxfLayer& layer : layers) {
            body.RecordStart("LAYER", t, "AcDbLayerTableRecord");
            body.Pair(2, layer.name);
            body.Int(70, 0);
            body.Int(62, layer.colour);
            body.Pair(6, "Continuous");
            body.Int(370, -3);
        }
        body.TableEnd();
    }
    {
        const std::string t = body.TableStart("STYLE", 1);
        body.RecordStart("STYLE", t, "AcDbTextStyleTableRecord");
        body.Pair(2, "Standard");
        body.Int(70, 0);
        body.Real(40, 0);
        body.Real(41, 1);
        body.Real(50, 0);
        body.Int(71, 0);
        body.Real(42, 2.5);
        body.Pair(3, "txt");
        body.Pair(4, "");
        body.TableEnd();
    }
    body.TableStart("VIEW", 0);
    body.TableEnd();
    body.TableStart("UCS", 0);
    body.TableEnd();
    {
        const std::string t = body.TableStart("APPID", 1);
        body.RecordStart("APPID", t, "AcDbRegAppTableRecord");
        body.Pair(2, "ACAD");
        body.Int(70, 0);
        body.TableEnd();
    }
    {
        const std::string t = body.TableStart("DIMSTYLE", 1);
        body.Pair(100, "AcDbDimStyleTable");
        body.RecordStart("DIMSTYLE", t, "AcDbDimStyleTableRecord", 105);
        body.Pair(2, "Standard");
        body.Int(70, 0);
        body.TableEnd();
    }
    std::string modelSpace, paperSpace;
    {
        const std::string t = body.TableStart("BLOCK_RECORD", 2);
        modelSpace = body.RecordStart("BLOCK_RECORD", t, "AcDbBlockTableRecord");
        body.Pair(2, "*Model_Space");
        paperSpace = body.RecordStart("BLOCK_RECORD", t, "AcDbBlockTableRecord");
        body.Pair(2, "*Paper_Space");
        body.TableEnd();
    }
    body.Pair(0, "ENDSEC");

    body.Pair(0, "SECTION");
    body.Pair(2, "BLOCKS");
    for (const bool paper : {false, true}) {
        const char* name = paper ? "*Paper_Space" : "*Model_Space";
        const std::string& owner = paper ? paperSpace : modelSpace;
        body.Pair(0, "BLOCK");
        body.Pair(5, body.NewHandle());
        body.Pair(330, owner);
        body.Pair(100, "AcDbEntity");
        if (paper) body.Int(67, 1);
        body.Pair(8, "0");
        body.Pair(100, "AcDbBlockBegin");
        body.Pair(2, name);
        body.Int(70, 0);
        body.Real(10, 0);
        body.Real(20, 0);
        body.Real(30, 0);
        body.Pair(3, name);
        body.Pair(1, "");
        body.Pair(0, "ENDBLK");
        body.Pair(5, body.NewHandle());
        body.Pair(330, owner);
        body.Pair(100, "AcDbEntity");
        if (paper) body.Int(67, 1);
        body.Pair(8, "0");
        body.Pair(100, "AcDbBlockEnd");
    }
    body.Pair(0, "ENDSEC");

    // The sheet's bottom-left corner at the origin, y upward.
    body.Pair(0, "SECTION");
    body.Pair(2, "ENTITIES");
    for (const CutterLayer* layer : pattern.LayersInOrder()) {
        const DxfLayer dxf = LayerOf(pattern, layer);
        // A run of connected lines is one polyline (closed when it ends
        // where it began), which the knife follows without lifting; a lone
        // line stays a LINE.
        for (const MmPath& path : PathsOf(*layer, pattern.joined)) {
            const bool line = path.points.size() == 2;
            body.Pair(0, line ? "LINE" : "LWPOLYLINE");
            body.Pair(5, body.NewHandle());
            body.Pair(330, modelSpace);
            body.Pair(100, "AcDbEntity");
            body.Pair(8, dxf.name);
            body.Int(62, dxf.colour);
            if (line) {
                const MmPoint &a = path.points[0], &b = path.points[1];
                body.Pair(100, "AcDbLine");
                body.Real(10, a.x - pattern.sheetLeftMm);
                body.Real(20, pattern.sheetBottomMm - a.y);
                body.Real(30, 0);
                body.Real(11, b.x - pattern.sheetLeftMm);
                body.Real(21, pattern.sheetBottomMm - b.y);
                body.Real(31, 0);
                continue;
            }
            const std::size_t count = path.closed ? path.points.size() - 1 : path.points.size();
            body.Pair(100, "AcDbPolyline");
            body.Int(90, static_cast<int>(count));
            body.Int(70, path.closed ? 1 : 0);
            body.Real(43, 0);
            for (std::size_t k = 0; k < count; ++k) {
                body.Real(10, path.points[k].x - pattern.sheetLeftMm);
                body.Real(20, pattern.sheetBottomMm - path.points[k].y);
            }
        }
        CurvedRunWriter curves(body, modelSpace, dxf, pattern.sheetLeftMm, pattern.sheetBottomMm);
        for (const SheetPath& path : layer->paths) {
            // A filled shape must stay one closed entity, which a laser's
            // software fills: its curves flattened into one polyline.
            if (layer->filled)
                curves.Write(FlattenedPath(path));
            else
                curves.Write(path);
        }
    }
    body.Pair(0, "ENDSEC");

    // The named object dictionary with the (empty) group dictionary that
    // every drawing has.
    body.Pair(0, "SECTION");
    body.Pair(2, "OBJECTS");
    const std::string root = body.NewHandle(), groups = body.NewHandle();
    body.Pair(0, "DICTIONARY");
    body.Pair(5, root);
    body.Pair(330, "0");
    body.Pair(100, "AcDbDictionary");
    body.Int(281, 1);
    body.Pair(3, "ACAD_GROUP");
    body.Pair(350, groups);
    body.Pair(0, "DICTIONARY");
    body.Pair(5, groups);
    body.Pair(330, root);
    body.Pair(100, "AcDbDictionary");
    body.Int(281, 1);
    body.Pair(0, "ENDSEC");
    body.Pair(0, "EOF");

    DxfText header;
    header.Pair(999, "Unfolded pattern, millimetres, made by Popwright");
    header.Pair(0, "SECTION");
    header.Pair(2, "HEADER");
    header.Pair(9, "$ACADVER");
    header.Pair(1, "AC1015");
    header.Pair(9, "$HANDSEED");
    header.Pair(5, body.NextHandle());
    header.Pair(9, "$INSUNITS");
    header.Int(70, 4);
    header.Pair(9, "$MEASUREMENT");
    header.Int(70, 1);
    header.Pair(9, "$EXTMIN");
    header.Real(10, 0);
    header.Real(20, 0);
    header.Real(30, 0);
    header.Pair(9, "$EXTMAX");
    header.Real(10, width);
    header.Real(20, height);
    header.Real(30, 0);
    header.Pair(0, "ENDSEC");
    out << header.Take() << body.Take();
}

}  // namespace pw
