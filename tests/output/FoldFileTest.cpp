// The FOLD file read back by a Python check of its own (tools/check_fold.py,
// /usr/bin/python3 with plain JSON and ezdxf): every edge's assignment is
// the line the pattern DXF draws there (B on a cut, M a mountain, V a valley
// or the crease, F nothing), every face goes round edges of the file, and
// Euler's formula holds for the faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "model/CellGrid.h"
#include "model/GridSheet.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/FoldFile.h"
#include "output/PatternDxfWriter.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

std::string OutputOf(const std::string& command) {
    std::string out;
    if (std::FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

TEST(FoldFile, AgreesWithThePatternAndKeepsEulersFormula) {
    test::ScratchFolder folder;
    const std::string fold = folder.Path("card.fold"), dxf = folder.Path("card.dxf");
    std::mt19937 rng(2711);
    for (int round = 0; round < 5; ++round) {
        CellGrid g;
        test::RandomCard(g, rng, std::uniform_int_distribution<int>(3, 20)(rng),
                         std::uniform_int_distribution<int>(2, 12)(rng));
        RunRebuildPass(g);
        const Sheet sheet = DeriveGridSheet(g);
        PatternOptions options;
        options.cellMm = std::uniform_real_distribution<double>(2, 9)(rng);
        std::ofstream(fold) << FoldFileText(BuildFoldGraph(sheet, options.cellMm), "test");
        std::ofstream dxfFile(dxf);
        WritePatternDxf(dxfFile, LayOutCutterPattern(sheet, 0, 50, options));
        dxfFile.close();

        std::istringstream facts(OutputOf("/usr/bin/python3 '" POPWRIGHT_FOLD_CHECK "' '" + fold + "' '" + dxf + "' 2>&1"));
        int vertices = -1, edges = -1, faces = -1, components = -1, euler = -1;
        std::string word, assignments, rest;
        while (facts >> word) {
            if (word == "COUNTS") facts >> vertices >> edges >> faces >> components;
            else if (word == "EULER") facts >> euler;
            else if (word == "ASSIGNMENTS") facts >> assignments;
            else ADD_FAILURE() << word << (std::getline(facts, rest), rest);
        }
        SCOPED_TRACE(round);
        ASSERT_GT(faces, 0);
        // V - E + F = 1 + C counting the outer face; F here is the bounded ones.
        EXPECT_EQ(euler, components);
        EXPECT_EQ(faces, static_cast<int>(sheet.pieces.size()));
        EXPECT_NE(assignments.find('B'), std::string::npos);
        EXPECT_NE(assignments.find('V'), std::string::npos);  // the crease at least
    }
}

// FOLD faces have no holes: a piece with a window goes round it over one
// flat bridge, so the face still touches every vertex and Euler's formula
// counts the window as the one bounded region that is not paper.
TEST(FoldFile, APieceWithAHoleIsOneFaceBridgedToIt) {
    Sheet sheet;
    SheetPiece piece;
    piece.loops.push_back(SheetPath({0, 0}).LineTo({10, 0}).LineTo({10, 10}).LineTo({0, 10}).Close());
    piece.loops.push_back(SheetPath({4, 4}).LineTo({6, 4}).LineTo({6, 6}).LineTo({4, 6}).Close());
    sheet.pieces.push_back(piece);
    for (const SheetPath& loop : piece.loops) sheet.edges.push_back({SheetEdgeKind::InnerCut, loop});
    const FoldGraph graph = BuildFoldGraph(sheet, 2);
    ASSERT_EQ(graph.faces.size(), 1u);
    EXPECT_EQ(graph.vertices.size(), 8u);
    EXPECT_EQ(graph.edges.size(), 9u);  // the two loops and the bridge
    EXPECT_EQ(std::count(graph.assignments.begin(), graph.assignments.end(), 'F'), 1);
    EXPECT_EQ(graph.faces[0].size(), 8u + 2u);  // the bridge's ends twice
    EXPECT_EQ(static_cast<int>(graph.vertices.size()) - static_cast<int>(graph.edges.size()) + 1 + 1, 1);
}

}  // namespace
}  // namespace pw
