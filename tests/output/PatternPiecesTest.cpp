// Perforated pattern DXFs of every example and of random cards, cut out of
// their sheets by shapely (GEOS, through Debian's /usr/bin/python3): the
// perforated folds never cut a piece free, so the sheet falls into as many
// pieces as its cuts alone make.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "model/CardFile.h"
#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/PatternDxfWriter.h"
#include "support/CardBuilder.h"
#include "support/ScratchFolder.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

TEST(PatternPieces, PerforatedFoldsKeepEveryPieceJoined) {
    std::vector<std::pair<std::string, CellGrid>> cards;
    for (const auto& entry : fs::directory_iterator(POPWRIGHT_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".kpf") continue;
        CellGrid g;
        ASSERT_TRUE(ReadCard(entry.path().string(), g)) << entry.path();
        cards.emplace_back(entry.path().stem().string(), std::move(g));
    }
    ASSERT_GE(cards.size(), 6u);
    std::mt19937 rng(41);
    for (int k = 0; k < 4; ++k) {
        CellGrid g;
        test::RandomCard(g, rng, 14 + 4 * k, 8 + 2 * k);
        cards.emplace_back("random" + std::to_string(k), std::move(g));
    }

    test::ScratchFolder scratch;
    std::string files;
    for (auto& [name, grid] : cards) {
        RunRebuildPass(grid);
        for (const double cell : {1.0, 2.0, 5.0}) {
            PatternOptions o;
            o.cellMm = cell;
            o.perforate = true;
            const std::string path = (scratch.Dir() / (name + "-" + FormatMm(cell) + ".dxf")).string();
            std::ofstream out(path, std::ios::binary);
            WritePatternDxf(out, LayOutCutterPattern(grid, 0, 50, o));
            files += " '" + path + "'";
        }
    }

    std::string report;
    const std::string command = std::string("/usr/bin/python3 '") + POPWRIGHT_PIECE_COUNTER + "'" + files + " 2>&1";
    if (std::FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) report.append(buf, n);
        pclose(p);
    }
    std::istringstream in(report);
    int checked = 0;
    for (std::string word, file; in >> word;) {
        ASSERT_EQ(word, "PIECES") << report;
        int cutsAlone = 0, withFolds = 0;
        in >> file >> cutsAlone >> withFolds;
        // A sound card cuts nothing out: the examples' cuts alone leave the
        // sheet whole. Random cards may hold parts that float free of the
        // sheet, which their cuts alone cut out; the perforations must not
        // add to them.
        if (fs::path(file).filename().string().rfind("random", 0) != 0) {
            EXPECT_EQ(cutsAlone, 1) << file;
        }
        EXPECT_EQ(withFolds, cutsAlone) << file;
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(cards.size()) * 3) << report;
}

}  // namespace
}  // namespace pw
