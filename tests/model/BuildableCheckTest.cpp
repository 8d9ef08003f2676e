#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "model/buildable/BuildableCheck.h"

namespace pw {
namespace {

SheetPath Rect(double x0, double s0, double x1, double s1) {
    SheetPath p({x0, s0});
    p.LineTo({x1, s0}).LineTo({x1, s1}).LineTo({x0, s1}).Close();
    return p;
}
SheetPath Line(double x0, double s0, double x1, double s1) { return SheetPath({x0, s0}).LineTo({x1, s1}); }

// A flat card 100 x 100 mm: back and floor, joined at the crease.
Sheet FlatCard() {
    Sheet sheet;
    sheet.minX = 0, sheet.maxX = 100, sheet.half = 50;
    sheet.pieces = {{PiecePlane::Vertical, 0, {Rect(0, -50, 100, 0)}}, {PiecePlane::Horizontal, 0, {Rect(0, 0, 100, 50)}}};
    sheet.joins = {{0, 1, PieceJoin::Kind::Fold}};
    sheet.edges = {{SheetEdgeKind::OutlineCut, Rect(0, -50, 100, 50)}, {SheetEdgeKind::Crease, Line(0, 0, 100, 0)}};
    return sheet;
}

// One fault added to the flat card, and where and how large the check must find it.
struct OneFault {
    const char* what;
    void (*add)(Sheet&);
    BuildableLimits limits;
    BuildFault fault;
    double x, s, size;  // NAN: anywhere along the fault
};

TEST(BuildableCheck, FindsEachFaultOnceWithItsPlaceAndSize) {
    const OneFault cases[] = {
        {"two cuts half a millimetre apart",
         [](Sheet& sh) {
             sh.edges.push_back({SheetEdgeKind::InnerCut, Line(10, 10, 10, 30)});
             sh.edges.push_back({SheetEdgeKind::InnerCut, Line(10.5, 10, 10.5, 30)});
         },
         {}, BuildFault::NarrowBridge, 10.25, NAN, 0.5},
        {"a cut 0.6 mm from the sheet's edge",
         [](Sheet& sh) { sh.edges.push_back({SheetEdgeKind::InnerCut, Line(20, 49.4, 40, 49.4)}); },
         {}, BuildFault::NarrowBridge, NAN, 49.7, 0.6},
        {"a cut 0.6 mm long",
         [](Sheet& sh) { sh.edges.push_back({SheetEdgeKind::InnerCut, Line(20, 20, 20, 20.6)}); },
         {}, BuildFault::ShortCut, 20, 20.3, 0.6},
        {"a slit 0.4 mm wide",
         [](Sheet& sh) {
             sh.pieces[1].loops.push_back(Rect(30, 20, 40, 20.4));
             sh.edges.push_back({SheetEdgeKind::InnerCut, Rect(30, 20, 40, 20.4)});
         },
         {}, BuildFault::NarrowSlit, 35, 20.2, 0.4},
        {"a square cut free of the floor",
         [](Sheet& sh) {
             sh.pieces[1].loops.push_back(Rect(60, 10, 70, 20));
             sh.pieces.push_back({PiecePlane::Horizontal, 0, {Rect(60, 10, 70, 20)}});
             sh.edges.push_back({SheetEdgeKind::InnerCut, Rect(60, 10, 70, 20)});
         },
         {}, BuildFault::LoosePiece, 65, 15, 10},
        {"folds 0.4 mm apart in 0.3 mm paper",
         [](Sheet& sh) {
             sh.edges.push_back({SheetEdgeKind::Valley, Line(0, 10, 100, 10)});
             sh.edges.push_back({SheetEdgeKind::Mountain, Line(40, 10.4, 60, 10.4)});
         },
         {1.0, 0.3, false}, BuildFault::FoldsTooClose, 50, 10.2, 0.4},
        {"three layers of 1.2 mm paper closed over folds 3 mm apart",
         [](Sheet& sh) {
             // A step 5 mm up, its paper lying over floor and back when closed.
             sh.pieces.push_back({PiecePlane::Horizontal, 5, {Rect(0, -5, 100, 5)}});
             sh.joins.push_back({1, 2, PieceJoin::Kind::Fold});
             sh.edges.push_back({SheetEdgeKind::Valley, Line(0, 3, 100, 3)});
         },
         {1.0, 1.2, true}, BuildFault::ClosesThick, NAN, -5, 3.6},
    };
    for (const OneFault& c : cases) {
        SCOPED_TRACE(c.what);
        Sheet sheet = FlatCard();
        c.add(sheet);
        const BuildableReport report = CheckBuildable(sheet, 1.0, c.limits);
        ASSERT_EQ(report.findings.size(), 1u) << BuildFaultName(report.findings.back().fault);
        const BuildFinding& f = report.findings[0];
        EXPECT_EQ(f.fault, c.fault) << BuildFaultName(f.fault);
        EXPECT_NEAR(f.sizeMm, c.size, 0.02);
        if (!std::isnan(c.x)) {
            EXPECT_NEAR(f.xMm, c.x, 0.05);
        }
        if (!std::isnan(c.s)) {
            EXPECT_NEAR(f.sMm, c.s, 0.05);
        }
    }
}

// The sheet's unit scales every place and size: a grid card counts in cells.
TEST(BuildableCheck, MeasuresInTheSheetsUnit) {
    Sheet sheet = FlatCard();
    sheet.edges.push_back({SheetEdgeKind::InnerCut, Line(20, 20, 20, 20.3)});
    const BuildableReport report = CheckBuildable(sheet, 2.0, {});
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_NEAR(report.findings[0].sizeMm, 0.6, 1e-9);
    EXPECT_NEAR(report.findings[0].xMm, 40, 1e-9);
}

TEST(BuildableCheck, ExampleCardsAreBuildableAndCloseFlat) {
    for (const char* name : {"arch", "box", "building", "stairs", "sticks-out", "tunnel"}) {
        SCOPED_TRACE(name);
        CellGrid grid;
        ASSERT_TRUE(ReadCard(std::string(POPWRIGHT_EXAMPLES) + "/" + name + ".kpf", grid));
        RunRebuildPass(grid);
        // The smallest cell the print size gives, in card stock.
        const BuildableReport report = CheckBuildable(DeriveGridSheet(grid), 2.5, {1.0, 0.3, true});
        EXPECT_TRUE(report.findings.empty()) << BuildFaultName(report.findings[0].fault);
        EXPECT_GE(report.closedLayers, 2);
    }
}

}  // namespace
}  // namespace pw
