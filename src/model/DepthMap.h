#pragma once
#include <cstddef>
#include <vector>

namespace pw {

// What a picture, a text or a model asks of a run of card columns: for each
// column and each height, how far the relief should reach out from the back
// sheet, in cells. Row 0 is height 1 (the cells standing on the floor sheet).
// Any numbers are allowed here; NearestValidColumn turns them into a column
// the card can hold.
struct DepthMap {
    int firstColumn = 1;  // the card column of the map's column 0
    int width = 0;        // columns
    int height = 0;       // heights 1 .. height
    std::vector<int> depth;  // width * height, column by column

    DepthMap() = default;
    DepthMap(int first, int columns, int heights)
        : firstColumn(first), width(columns), height(heights),
          depth(static_cast<std::size_t>(columns) * static_cast<std::size_t>(heights), 0) {}

    int& At(int column, int row) { return depth[Index(column, row)]; }
    int At(int column, int row) const { return depth[Index(column, row)]; }

private:
    std::size_t Index(int column, int row) const {
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(height) + static_cast<std::size_t>(row);
    }
};

}  // namespace pw
