#pragma once
#include <string>
#include <vector>

#include "model/SheetPath.h"

namespace pw {

struct Sheet;

// The flat pattern as origami software reads it: one planar graph of the
// sheet in millimetres, every line of the pattern and every piece boundary
// split wherever another line's end lies on it, and each piece a face.
struct FoldGraph {
    std::vector<SheetPoint> vertices;                 // x, s in millimetres
    std::vector<std::pair<int, int>> edges;           // vertex indices
    std::vector<char> assignments;                    // per edge: B, M, V or F
    std::vector<std::vector<int>> faces;              // vertex indices, counterclockwise
};

// Cuts are the paper's boundary (B), mountains M, valleys and the card's own
// crease V (the crease closes as a valley: the printed side is inside),
// and a piece boundary with no line on it (the seam between column groups
// of one paper, or the bridge that joins a hole to its piece's outline, for
// FOLD faces have no holes) is F, flat.
FoldGraph BuildFoldGraph(const Sheet& sheet, double mmPerUnit);

// The FOLD 1.1 JSON of the graph, frame unit millimetres.
std::string FoldFileText(const FoldGraph& graph, const std::string& creator);

}  // namespace pw
