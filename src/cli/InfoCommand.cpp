#include "cli/InfoCommand.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ostream>

#include "cli/CardFiles.h"
#include "cli/Cli.h"
#include "cli/CliMessages.h"
#include "document/CardDocument.h"
#include "model/AppSettings.h"
#include "model/ClosingCheck.h"
#include "model/GridInvariants.h"
#include "model/freeform/FreeformChecks.h"
#include "model/freeform/PathBounds.h"

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

namespace {

// Millimetres to a hundredth, without trailing zeros, whatever the locale.
std::string FormatMillimetres(double value) {
    char buf[64];
    const double rounded = std::round(value * 100) / 100;
    const auto end = std::to_chars(buf, buf + sizeof buf, rounded == 0 ? 0.0 : rounded, std::chars_format::fixed, 2).ptr;
    std::string text(buf, end);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string Mm(double value) { return FormatMillimetres(value) + " mm"; }

}  // namespace

void PrintFreeformSummary(std::ostream& out, const FreeformCard& card, const FreeformSheet& sheet) {
    out << "kind: free-form\n"
        << "width: " << Mm(card.width) << "\n"
        << "half: " << Mm(card.half) << "\n"
        << "flats: " << card.flats.size() << "\n";
    for (std::size_t k = 0; k < card.flats.size(); ++k) {
        const FreeformFlat& flat = card.flats[k];
        PathBox box;
        for (std::size_t l = 0; l < flat.loops.size(); ++l) {
            const PathBox b = BoundsOf(flat.loops[l]);
            box = l == 0 ? b : PathBox{std::min(box.x0, b.x0), std::min(box.s0, b.s0), std::max(box.x1, b.x1),
                                       std::max(box.s1, b.s1)};
        }
        // The front view's box: x along the crease, the height up.
        out << "flat " << (k + 1) << ": " << FlatLabel(card, static_cast<int>(k)) << ", depth " << Mm(flat.depth)
            << ", x " << FormatMillimetres(box.x0) << " to " << Mm(box.x1) << ", height "
            << FormatMillimetres(box.s0) << " to " << Mm(box.s1) << "\n";
    }
    out << "pieces: " << sheet.sheet.pieces.size() << "\n";
    const std::vector<FlatProblem> problems = CheckFreeformCard(card, sheet);
    out << "valid: " << (problems.empty() ? "yes" : "no") << "\n";
    for (const FlatProblem& problem : problems) out << FlatProblemText(card, problem) << "\n";
    out << FreeformClosingInfoLine(card, CheckFreeformClosing(card, sheet)) << "\n";
}

int RunConvertCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() != 2) return UsageError(err, "convert takes a grid card file and a free-form card file");
    CardDocument doc;
    if (!ReadCardOrReport(args[0], doc, err)) return kExitFileError;
    if (doc.Kind() == CardKind::Freeform) {
        PrintError(err, args[0], "This is a free-form card already.");
        return kExitFileError;
    }
    const int tunnels = doc.ConvertToFreeform(AppSettings{});
    if (!WriteCardOrReport(args[1], doc, err)) return kExitFileError;
    if (tunnels > 0)
        PrintWarning(err, args[1],
                     "The grid card's tunnels have no folded-back floor in a free-form card; each is a plain hole.");
    return kExitOk;
}

int RunInfoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) return UsageError(err, "info takes one card file");
    CardDocument doc;
    if (!ReadCardOrReport(args[0], doc, err)) return kExitFileError;
    if (doc.Kind() == CardKind::Freeform) {
        PrintFreeformSummary(out, doc.Freeform(), doc.DeriveFreeform());
        return kExitOk;
    }
    doc.Derive();
    PrintCardSummary(out, doc.Card().grid);
    return kExitOk;
}

}  // namespace pw
