// Drawings (SVG) become flats: layers and their depths, transforms, units,
// curves kept, and hostile files refused without reaching outside.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "import/SvgFlats.h"
#include "import/SvgFlatsMessages.h"
#include "model/freeform/Geos.h"
#include "model/freeform/PathBounds.h"

namespace pw {
namespace {

// A drawing whose user unit is one millimetre, y down as SVG has it.
std::string Drawing(const std::string& body) {
    return "<svg xmlns='http://www.w3.org/2000/svg' xmlns:inkscape='http://www.inkscape.org/namespaces/inkscape'"
           " width='200mm' height='100mm' viewBox='0 0 200 100'>" + body + "</svg>";
}

PathBox Box(const FreeformFlat& flat) {
    PathBox all = BoundsOf(flat.loops.at(0));
    for (const FrontLoop& loop : flat.loops) {
        const PathBox b = BoundsOf(loop);
        all = {std::min(all.x0, b.x0), std::min(all.s0, b.s0), std::max(all.x1, b.x1), std::max(all.s1, b.s1)};
    }
    return all;
}

TEST(SvgFlats, LayersBecomeFlatsNamedWithTheirLabelsDepthsAndVisibility) {
    const FlatsFromSource r = SvgFlats(Drawing(
        "<g inkscape:groupmode='layer' inkscape:label='house depth=30'><rect x='10' y='50' width='40' height='50'/>"
        "<text>left out</text></g>"
        "<g inkscape:groupmode='layer' id='tower' style='display:none'><circle cx='100' cy='50' r='10'/></g>"
        "<g inkscape:label='moon depth=-4'><line x1='0' y1='0' x2='5' y2='5'/><ellipse cx='150' cy='20' rx='8' ry='4'/></g>"
        "<g inkscape:label='only a line'><line x1='0' y1='0' x2='5' y2='5'/></g>"), 12);
    ASSERT_TRUE(r.Made()) << r.error;
    ASSERT_EQ(r.flats.size(), 3u);  // the layer holding only a line has no area
    EXPECT_EQ(r.flats[0].name, "house");
    EXPECT_EQ(r.flats[0].depth, 30);
    EXPECT_FALSE(r.flats[0].hidden);
    EXPECT_EQ(r.flats[1].name, "tower");
    EXPECT_EQ(r.flats[1].depth, 12);
    EXPECT_TRUE(r.flats[1].hidden);
    EXPECT_EQ(r.flats[2].depth, 12);
    EXPECT_EQ(r.flats[2].loops.size(), 1u);  // the line has no area
    // y goes up: the house stands on the drawing's lower edge, z = 0.
    const PathBox house = Box(r.flats[0]);
    EXPECT_NEAR(house.s0, -100, 1e-9);
    EXPECT_NEAR(house.s1, -50, 1e-9);
    EXPECT_EQ(r.notes, (std::vector<std::string>{msg::kSvgBadDepth, msg::kSvgLeftOut}));
}

// Random nested transforms put a rectangle's corners where the matrices,
// multiplied by hand, put them; a circle stays circular under a similarity
// and becomes cubics under a skew, its bounds exact either way.
TEST(SvgFlats, NestedTransformsPlaceShapesWhereTheirMatricesDo) {
    std::mt19937 rng(24);
    std::uniform_real_distribution<double> u(-3, 3);
    for (int trial = 0; trial < 50; ++trial) {
        const double tx = u(rng) * 10, ty = u(rng) * 10, angle = u(rng) * 60, sx = 0.5 + std::fabs(u(rng)), sy = 0.5 + std::fabs(u(rng));
        const double skew = trial % 2 ? u(rng) * 10 : 0;
        const std::string body = "<g transform='translate(" + std::to_string(tx) + " " + std::to_string(ty) + ")'><g transform='rotate(" +
                                 std::to_string(angle) + ") skewX(" + std::to_string(skew) + ")'>" +
                                 // the transform after the geometry, as Inkscape writes it
                                 (trial % 3 ? "<rect x='1' y='2' width='3' height='4'" : "<path d='M 1 2 H 4 V 6 H 1 Z'") +
                                 " transform='scale(" + std::to_string(sx) + "," + std::to_string(sy) + ")'/></g></g>";
        const FlatsFromSource r = SvgFlats(Drawing(body), 10);
        ASSERT_TRUE(r.Made()) << r.error;
        const FrontLoop& loop = r.flats.at(0).loops.at(0);
        const double a = std::stod(std::to_string(angle)) * M_PI / 180, k = std::tan(std::stod(std::to_string(skew)) * M_PI / 180);
        const double ssx = std::stod(std::to_string(sx)), ssy = std::stod(std::to_string(sy));
        auto corner = [&](double x, double y) {
            x *= ssx, y *= ssy;
            x += k * y;
            const double rx = std::cos(a) * x - std::sin(a) * y, ry = std::sin(a) * x + std::cos(a) * y;
            return SheetPoint{rx + std::stod(std::to_string(tx)), -(ry + std::stod(std::to_string(ty)))};
        };
        std::vector<SheetPoint> got{loop.start};
        for (const PathSegment& seg : loop.segments) got.push_back(seg.end);
        for (const SheetPoint want : {corner(1, 2), corner(4, 2), corner(4, 6), corner(1, 6)}) {
            bool found = false;
            for (const SheetPoint p : got) found = found || std::hypot(p.x - want.x, p.s - want.s) < 1e-9;
            EXPECT_TRUE(found) << "trial " << trial << " corner " << want.x << "," << want.s;
        }
    }
    for (const char* transform : {"rotate(30) scale(-2 2)", "skewX(20)"}) {
        const FlatsFromSource r =
            SvgFlats(Drawing(std::string("<circle transform='") + transform + "' cx='50' cy='40' r='10'/>"), 10);
        ASSERT_TRUE(r.Made());
        const FrontLoop& loop = r.flats[0].loops[0];
        const bool similar = transform[0] == 'r';
        for (const PathSegment& seg : loop.segments)
            EXPECT_EQ(seg.shape, similar ? SegmentShape::Arc : SegmentShape::Cubic) << transform;
        if (similar) {
            const PathBox b = BoundsOf(loop);
            EXPECT_NEAR(b.x1 - b.x0, 40, 1e-9);
            EXPECT_NEAR(b.s1 - b.s0, 40, 1e-9);
        }
    }
}

// Each shape fills by its fill-rule and shapes paint over one another; the
// flat's even-odd loops must cover the same.
TEST(SvgFlats, ShapesFillAsTheDrawingPaintsThem) {
    auto flatOf = [](const std::string& body, std::size_t loops, bool merged) {
        const FlatsFromSource r = SvgFlats(Drawing("<g>" + body + "</g>"), 10);
        EXPECT_TRUE(r.Made()) << body;
        if (!r.Made()) return PathBox{};
        EXPECT_EQ(r.flats[0].loops.size(), loops) << body;
        EXPECT_EQ(!r.notes.empty(), merged) << body;
        return Box(r.flats[0]);
    };
    const char* squares = "d='M 0 0 H 40 V 40 H 0 Z M 10 10 H 30 V 30 H 10 Z'";
    flatOf(std::string("<path fill-rule='evenodd' ") + squares + "/>", 2, false);
    flatOf(std::string("<path ") + squares + "/>", 1, true);  // nonzero: the inner square is filled too
    flatOf("<path d='M 0 0 H 40 V 40 H 0 Z M 10 10 V 30 H 30 V 10 Z'/>", 2, false);  // a hole drawn against the outline
    const PathBox joined = flatOf("<rect width='20' height='20'/><circle cx='20' cy='10' r='5'/>", 1, true);
    EXPECT_NEAR(joined.x1, 25, 1e-9);  // the circle's arc is back on the joined outline
}

// The area librsvg paints, in square millimetres at 5 pixels a millimetre:
// its PNG's opaque pixels, unpacked by Python's own zlib.
constexpr const char* kCountOpaque = R"(
import sys,zlib,struct
d=sys.stdin.buffer.read();i=8;w=h=0;z=b""
while i<len(d):
 n,t=struct.unpack(">I4s",d[i:i+8]);c=d[i+8:i+8+n];i+=12+n
 if t==b"IHDR":w,h=struct.unpack(">II",c[:8])
 if t==b"IDAT":z+=c
r=zlib.decompress(z);s=w*4;p=bytearray(s);k=0
for y in range(h):
 f=r[y*(s+1)];q=bytearray(r[y*(s+1)+1:(y+1)*(s+1)])
 for x in range(s):
  a=q[x-4] if x>=4 else 0;b=p[x];e=p[x-4] if x>=4 else 0
  g=(0,a,b,(a+b)//2,a if abs(b-e)<=abs(a-e) and abs(b-e)<=abs(a+b-2*e) else b if abs(a-e)<=abs(a+b-2*e) else e)[f]
  q[x]=(q[x]+g)&255
 k+=sum(1 for x in range(3,s,4) if q[x]>127);p=q
print(k/25)
)";

double PaintedArea(const std::string& svg) {
    const std::string file = testing::TempDir() + "svgflats-painted.svg";
    std::ofstream(file) << svg;
    const std::string command =
        "rsvg-convert -d 127 -p 127 '" + file + "' | /usr/bin/python3 -c '" + std::string(kCountOpaque).substr(1) + "'";
    FILE* pipe = popen(command.c_str(), "r");
    double area = -1;
    if (pipe) {
        if (std::fscanf(pipe, "%lf", &area) != 1) area = -1;
        pclose(pipe);
    }
    return area;
}

// The flats' area as their even-odd fill covers it, through GEOS.
double FlatsArea(const std::vector<FreeformFlat>& flats) {
    geos::Context c;
    geos::Geometry all = geos::Empty(c);
    for (const FreeformFlat& flat : flats)
        for (const FrontLoop& loop : flat.loops)
            all = geos::SymDifference(all, geos::Polygon(c, FlattenPath(loop, 0.001), {}));
    return geos::Area(all);
}

// Read back through librsvg: what it paints is what the flats cover.
TEST(SvgFlats, FlatsCoverWhatLibrsvgPaints) {
    for (const char* body : {
             "<g><rect width='20' height='20'/><circle cx='20' cy='10' r='5'/></g>",
             "<path d='M 5 5 H 45 V 45 H 5 Z M 15 15 H 35 V 35 H 15 Z'/>",
             "<path fill-rule='evenodd' d='M 5 5 H 45 V 45 H 5 Z M 15 15 H 35 V 35 H 15 Z'/>",
             "<g transform='translate(50 30) rotate(20) skewX(15)'><ellipse rx='30' ry='12'/><rect x='-5' y='0' width='25' height='20' rx='6'/></g>",
             "<path d='M 10 50 Q 50 -10 90 50 A 40 20 0 0 1 10 50 Z'/>"}) {
        const std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='80mm' viewBox='0 0 100 80'>" +
                                std::string(body) + "</svg>";
        const FlatsFromSource r = SvgFlats(svg, 10);
        ASSERT_TRUE(r.Made()) << body;
        const double painted = PaintedArea(svg), covered = FlatsArea(r.flats);
        EXPECT_NEAR(covered, painted, 0.02 * painted) << body;
    }
}

TEST(SvgFlats, UnitsBecomeMillimetres) {
    struct Case {
        const char* size;
        double mmPerUnit;
        bool pixelNote;
    };
    for (const Case c : {Case{"width='10cm' height='10cm'", 1, false}, Case{"width='100in' height='100in'", 25.4, false},
                         Case{"width='400' height='400'", 4 * 25.4 / 96, true}, Case{"", 25.4 / 96, true},
                         Case{"width='100%' height='100%'", 25.4 / 96, true}}) {
        const FlatsFromSource r = SvgFlats(std::string("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 100 100' ") + c.size +
                                               "><path d='M 10 10 h 20 v 30 q -10 10 -20 0 z'/></svg>", 10);
        ASSERT_TRUE(r.Made()) << c.size;
        const PathBox b = Box(r.flats[0]);
        EXPECT_NEAR(b.x1 - b.x0, 20 * c.mmPerUnit, 1e-9) << c.size;
        EXPECT_NEAR(b.s1 - b.s0, 35 * c.mmPerUnit, 1e-9) << c.size;  // the quadratic's extreme, exact as a cubic
        EXPECT_EQ(!r.notes.empty(), c.pixelNote) << c.size;
    }
}

// Bad input is refused with a message and reaches nothing outside the bytes.
TEST(SvgFlats, HostileDrawingsAreRefusedWithAMessage) {
    const std::string secret = testing::TempDir() + "svgflats-secret.txt";
    std::ofstream(secret) << "M 0 0 L 100 0 L 100 100 Z";
    // Ten levels of ten references each: 10^10 letters if expanded.
    std::string bomb = "<?xml version='1.0'?><!DOCTYPE svg [<!ENTITY a 'aaaaaaaaaa'>";
    for (char c = 'b'; c <= 'k'; ++c) {
        bomb += std::string("<!ENTITY ") + c + " '";
        for (int i = 0; i < 10; ++i) bomb += std::string("&") + static_cast<char>(c - 1) + ";";
        bomb += "'>";
    }
    bomb += "]><svg xmlns='http://www.w3.org/2000/svg'><path d='&k;'/></svg>";
    const std::string external = "<?xml version='1.0'?><!DOCTYPE svg [<!ENTITY x SYSTEM 'file://" + secret +
                                 "'>]><svg xmlns='http://www.w3.org/2000/svg'><path d='&x;'/></svg>";
    std::string million = "<svg xmlns='http://www.w3.org/2000/svg'><path d='M 0 0";
    for (int i = 0; i < 250000; ++i) million += " L " + std::to_string(i % 97) + " " + std::to_string(i % 89);
    million += "'/></svg>";
    EXPECT_EQ(SvgFlats(bomb, 10).error, msg::kSvgEntities);
    EXPECT_EQ(SvgFlats(external, 10).error, msg::kSvgEntities);
    EXPECT_EQ(SvgFlats(million, 10).error, msg::kSvgTooManyNodes);
    EXPECT_EQ(SvgFlats("<svg><rect", 10).error, msg::kSvgNotXml);
    EXPECT_EQ(SvgFlats("<html/>", 10).error, msg::kSvgNotSvg);
    EXPECT_EQ(SvgFlats(Drawing("<path d='M 0 0 L 5 x'/>"), 10).error, msg::kSvgBadValue);
    EXPECT_EQ(SvgFlats(Drawing("<text>words only</text>"), 10).error, msg::kSvgNoShapes);
    // Outside references are never followed: the picture and the copy are left out.
    const FlatsFromSource linked = SvgFlats(Drawing("<image xmlns:xlink='http://www.w3.org/1999/xlink' xlink:href='http://192.0.2.1/x.png' "
                                                    "width='9' height='9'/><use href='file://" + secret + "#a'/><rect width='5' height='5'/>"), 10);
    ASSERT_TRUE(linked.Made());
    EXPECT_EQ(linked.flats.size(), 1u);
}

}  // namespace
}  // namespace pw
