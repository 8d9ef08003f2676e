#pragma once

class QPainter;

namespace pw {

struct CutterPattern;

// Draws the cutter-ready pattern (its layers in their order, then its
// legend) with a painter whose units are the pattern's millimetres: each
// layer in its colour, stroke width and dashes as the PDF writes them, so
// that a printout with the pattern options looks like the PDF.
void DrawCutterPattern(QPainter& painter, const CutterPattern& pattern);

}  // namespace pw
