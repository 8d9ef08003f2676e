#include "output/DxfWriter.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "model/GridSheet.h"
#include "model/GridSheetCells.h"

namespace pw {

namespace {

struct Corner {
    int x, y, z;
};

// Numbers are formatted here rather than by the stream, so that no locale
// the caller may have given the stream can group their digits.
void WriteFace(std::ostream& out, const Corner (&c)[4]) {
    std::string text = "0\n3DFACE\n8\nlayer1\n62\n1\n";
    for (int k = 0; k < 4; ++k) {
        const std::string n = std::to_string(k);
        text += "1" + n + "\n" + std::to_string(c[k].x) + "\n";
        text += "2" + n + "\n" + std::to_string(c[k].y) + "\n";
        text += "3" + n + "\n" + std::to_string(c[k].z) + "\n";
    }
    out << text;
}

}  // namespace

void WriteDxf(std::ostream& out, const Sheet& sheet) {
    const GridSheetCells cells(sheet);
    const int W = cells.GridWidth();
    const int H = cells.GridHeight();
    out << "0\nSECTION\n2\nENTITIES\n999\nCreated by Popwright v1.1\n";
    // A column's faces in the order of their cells, (y, z), the horizontal
    // face of a cell before its vertical one. A column holds one face per
    // unit of sheet at most, so sorting them is cheaper than a walk over
    // every cell.
    std::vector<std::tuple<int, int, bool>> faces;
    for (int x = 1; x <= W - 2; ++x) {
        faces.clear();
        for (int k = 1 - H; k <= H - 2; ++k) {
            const GridSheetCells::Cell& c = cells.At(x, k);
            if (c.present) faces.emplace_back(c.y, c.z, c.vertical);
        }
        std::sort(faces.begin(), faces.end());
        for (const auto& [y, z, vertical] : faces) {
            if (!vertical) {
                const Corner c[4] = {{x, y, z}, {x, y + 1, z}, {x + 1, y + 1, z}, {x + 1, y, z}};
                WriteFace(out, c);
            } else {
                const Corner c[4] = {{x, y, z}, {x + 1, y, z}, {x + 1, y, z + 1}, {x, y, z + 1}};
                WriteFace(out, c);
            }
        }
    }
    out << "0\nENDSEC\n0\nEOF\n";
}

void WriteDxf(std::ostream& out, const CellGrid& grid) { WriteDxf(out, DeriveGridSheet(grid)); }

}  // namespace pw
