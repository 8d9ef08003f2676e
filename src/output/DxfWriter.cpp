#include "output/DxfWriter.h"

#include <ostream>
#include <string>

#include "model/CellGrid.h"

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

void WriteDxf(std::ostream& out, const CellGrid& grid) {
    const int W = grid.gridWidth;
    const int H = grid.gridHeight;
    out << "0\nSECTION\n2\nENTITIES\n999\nCreated by Popwright v1.1\n";
    if (W - 1 > 1) {
        for (int x = 1; x <= W - 2; ++x)
            for (int y = 0; y < H; ++y)
                for (int z = 0; z < H; ++z) {
                    if (grid.HasFlag(x, y, z, CELL_HORIZONTAL_FACE)) {
                        const Corner c[4] = {{x, y, z}, {x, y + 1, z}, {x + 1, y + 1, z}, {x + 1, y, z}};
                        WriteFace(out, c);
                    }
                    if (grid.HasFlag(x, y, z, CELL_VERTICAL_FACE)) {
                        const Corner c[4] = {{x, y, z}, {x + 1, y, z}, {x + 1, y, z + 1}, {x, y, z + 1}};
                        WriteFace(out, c);
                    }
                }
    }
    out << "0\nENDSEC\n0\nEOF\n";
}

}  // namespace pw
