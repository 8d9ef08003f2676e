#pragma once
#include <cstdint>
#include <vector>

namespace pw {

class GridSheetCells;

// The validity check of a grid card, read from its sheet: which vertical
// faces hold on to paper above them and which stand on something. In every
// depth plane y = 2 .. H-1, each 4-connected region of vertical faces
// (columns 1 .. W-2, heights 1 .. H-2) is anchored at the top when one of
// its cells is the highest vertical face of its column in that plane, and
// at the bottom when one of its cells stands on the floor sheet (height 1)
// or has a horizontal face at its foot. A region anchored at one end only
// swings on its fold when the card opens: the 3D view shows it in red.
class FaceAnchoring {
public:
    static constexpr std::uint8_t kTop = 1;
    static constexpr std::uint8_t kBottom = 2;

    FaceAnchoring() = default;
    explicit FaceAnchoring(const GridSheetCells& cells);

    // The marks of the vertical face in cell (x, y, z): 0 where there is
    // none, or where the check does not look (the back sheet, the top row).
    std::uint8_t MarksAt(int x, int y, int z) const;
    bool AnchoredAtOneEnd(int x, int y, int z) const {
        const std::uint8_t m = MarksAt(x, y, z);
        return m == kTop || m == kBottom;
    }

private:
    // Per unit of sheet, as GridSheetCells counts them: a unit holds one
    // face at most, so the marks and the depth of the face they belong to.
    struct Entry {
        std::uint8_t marks = 0;
        int y = -1;
    };
    int width_ = 0, height_ = 0;
    std::vector<Entry> entries_;
};

}  // namespace pw
