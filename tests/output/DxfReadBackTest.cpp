#include <gtest/gtest.h>

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <array>
#include <sstream>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/DxfWriter.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

using Corners = std::array<std::array<int, 3>, 4>;

// Collects the 3D faces dxflib reads, with their layer and colour.
class FaceCollector : public DL_CreationAdapter {
public:
    void add3dFace(const DL_3dFaceData& d) override {
        Corners c{};
        for (int k = 0; k < 4; ++k) c[k] = {static_cast<int>(d.x[k]), static_cast<int>(d.y[k]), static_cast<int>(d.z[k])};
        faces.push_back(c);
        layers.push_back(getAttributes().getLayer());
        colours.push_back(getAttributes().getColor());
    }
    std::vector<Corners> faces;
    std::vector<std::string> layers;
    std::vector<int> colours;
};

std::string DxfOf(CellGrid& g) {
    RunRebuildPass(g);
    std::ostringstream out;
    WriteDxf(out, g);
    return out.str();
}

FaceCollector Read(const std::string& text) {
    FaceCollector faces;
    std::istringstream in(text);
    DL_Dxf dxf;
    EXPECT_TRUE(dxf.in(in, &faces));
    return faces;
}

TEST(DxfReadBack, FlatCardFacesThroughDxflib) {
    CellGrid g;
    g.NewCard(18, 9);
    const FaceCollector f = Read(DxfOf(g));
    ASSERT_EQ(f.faces.size(), 256u);
    EXPECT_EQ(f.faces[0], (Corners{{{1, 1, 1}, {1, 2, 1}, {2, 2, 1}, {2, 1, 1}}}));
    EXPECT_EQ(f.faces[1], (Corners{{{1, 1, 1}, {2, 1, 1}, {2, 1, 2}, {1, 1, 2}}}));
    EXPECT_EQ(f.faces[2], (Corners{{{1, 1, 2}, {2, 1, 2}, {2, 1, 3}, {1, 1, 3}}}));
    for (std::size_t k = 0; k < f.faces.size(); ++k) {
        ASSERT_EQ(f.layers[k], "layer1");
        ASSERT_EQ(f.colours[k], 1);
    }
    // Back sheet in the plane y = 1 up to z = H, floor in z = 1 out to y = H,
    // from x = 1 to x = W-1 only.
    int maxX = 0, maxY = 0, maxZ = 0;
    for (const Corners& c : f.faces)
        for (const auto& p : c) {
            EXPECT_GE(p[0], 1);
            maxX = std::max(maxX, p[0]);
            maxY = std::max(maxY, p[1]);
            maxZ = std::max(maxZ, p[2]);
        }
    EXPECT_EQ(maxX, 17);
    EXPECT_EQ(maxY, 9);
    EXPECT_EQ(maxZ, 9);
}

TEST(DxfReadBack, ExactTextOfTheFile) {
    CellGrid g;
    g.NewCard(18, 9);
    const std::string text = DxfOf(g);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7690);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const std::string head =
        "0\nSECTION\n2\nENTITIES\n999\nCreated by Popwright v1.1\n"
        "0\n3DFACE\n8\nlayer1\n62\n1\n10\n1\n20\n1\n30\n1\n11\n1\n21\n2\n31\n1\n12\n2\n22\n2\n32\n1\n13\n2\n23\n1\n33\n1\n"
        "0\n3DFACE\n8\nlayer1\n62\n1\n10\n1\n20\n1\n30\n1\n11\n2\n21\n1\n31\n1\n12\n2\n22\n1\n32\n2\n13\n1\n23\n1\n33\n2\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    const std::string tail = "0\nENDSEC\n0\nEOF\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(DxfReadBack, EqualColumnsStillGiveOneFacePerCellAndTunnelsKeepThePaper) {
    CellGrid g;
    g.NewCard(12, 9);
    for (int x = 2; x <= 6; ++x) test::AddBox(g, x, 2, 3);
    test::AddBox(g, 8, 3, 4);
    test::AddTunnel(g, 8, 2);
    const FaceCollector f = Read(DxfOf(g));
    // Every column keeps its 2(H-1) units of paper.
    EXPECT_EQ(f.faces.size(), 10u * 16);
    // Faces of one column come out together, columns in order.
    int lastX = 0;
    for (const Corners& c : f.faces) {
        EXPECT_GE(c[0][0], lastX);
        lastX = c[0][0];
    }
    // The box top of column 2: horizontal squares at height 4 with y first.
    const Corners top{{{2, 1, 4}, {2, 2, 4}, {3, 2, 4}, {3, 1, 4}}};
    EXPECT_NE(std::find(f.faces.begin(), f.faces.end(), top), f.faces.end());
}

TEST(DxfReadBack, CardWithoutColumnsIsAnEmptySection) {
    CellGrid g;
    g.NewCard(2, 5);
    EXPECT_EQ(DxfOf(g), "0\nSECTION\n2\nENTITIES\n999\nCreated by Popwright v1.1\n0\nENDSEC\n0\nEOF\n");
    EXPECT_TRUE(Read(DxfOf(g)).faces.empty());
}

}  // namespace
}  // namespace pw
