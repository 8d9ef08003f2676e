#include "cli/InfoCommand.h"

#include <algorithm>
#include <ostream>

#include "cli/CardFiles.h"
#include "cli/Cli.h"
#include "document/CardDocument.h"
#include "model/ClosingCheck.h"
#include "model/GridInvariants.h"

namespace pw {

void PrintCardSummary(std::ostream& out, const CellGrid& g) {
    const int W = g.gridWidth, H = g.gridHeight;
    long long faces = 0;
    int raised = 0, highest = 0, tunnels = 0;
    for (int x = 1; x <= W - 2; ++x) {
        faces += CountFaces(g, x);
        const int top = g.HeightAt(x, 1);
        if (top > 0) ++raised;
        highest = std::max(highest, top);
        // Tunnel heights as the card file lists them: empty at depth 1
        // below a solid depth-1 cell.
        for (int z = 1; z < top; ++z)
            if (!g.IsSolid(x, 1, z)) ++tunnels;
    }
    const std::string problem = CheckGridInvariants(g);
    // Width and height as `new` takes them: card columns and sheet length.
    out << "width: " << (W - 2) << "\n"
        << "height: " << (H - 1) << "\n"
        << "grid: " << W << " x " << H << " x " << H << "\n"
        << "faces: " << faces << "\n"
        << "raised columns: " << raised << "\n"
        << "highest: " << highest << "\n"
        << "tunnels: " << tunnels << "\n"
        << "shape: " << (problem.empty() ? std::string("ok") : problem) << "\n"
        << ClosingInfoLine(CheckClosing(g)) << "\n";
}

int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return UsageError(err, "info takes one card file");
    CardDocument doc;
    if (!ReadCardOrReport(args[0], doc, err)) return kExitFileError;
    doc.Derive();
    PrintCardSummary(out, doc.Card().grid);
    return kExitOk;
}

}  // namespace pw
