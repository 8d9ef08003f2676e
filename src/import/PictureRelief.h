#pragma once
#include "import/GreyImage.h"
#include "import/ReliefArea.h"
#include "model/DepthMap.h"

namespace pw {

// How a picture's lightness becomes depth.
enum class PictureMode {
    Silhouette,  // pixels darker than the threshold stand out `depth` cells
    DepthMap,    // white is flat, black stands out `depth` cells, grey between
};

// The size in cells a picture of w x h pixels takes when it is fitted into
// an area of areaWidth x areaHeight cells keeping its aspect ratio. A
// picture of exactly the area's size maps one pixel to one cell.
void FitPicture(long long w, long long h, int areaWidth, int areaHeight, int& cellsWide, int& cellsHigh);

// The depth map of `picture` fitted into `area` (already resolved against
// the card): centred across the area's width and standing on its floor, each
// cell taking the mean lightness of the pixels it covers. `threshold` is a
// lightness from 0 to 1: in silhouette mode a cell darker than it stands out.
DepthMap PictureDepthMap(const GreyImage& picture, const ReliefArea& area, PictureMode mode, double threshold,
                         int depth);

}  // namespace pw
