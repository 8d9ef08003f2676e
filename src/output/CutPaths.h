#pragma once
#include <vector>

#include "output/SegmentMerge.h"

namespace pw {

// The cuts as the fewest runs a knife can follow without lifting, walking
// from line end to line end: every line once, in order and turned so that
// each run's lines follow one another (a line starts where the one before
// it ends). Runs start at points where an odd number of lines meet, so that
// a chain of connected cuts is one run; a closed ring becomes one run that
// ends where it started. Lines meet only at their ends (a line that passes
// through another's end does not join it).
std::vector<LineSegment> ChainLines(const std::vector<LineSegment>& lines);

// The parts of the folds that a cutter may perforate each on its own: every
// fold split where a cut meets or crosses it, and the stretches that lie on
// a cut left out (they are cut anyway). Works on the lines of the unfolded
// pattern, which are horizontal or vertical with integer ends; any other
// fold stays whole.
std::vector<LineSegment> SplitFoldsAtCuts(const std::vector<LineSegment>& folds,
                                          const std::vector<LineSegment>& cuts);

}  // namespace pw
