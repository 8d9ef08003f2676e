#pragma once
#include "document/CardDocument.h"

namespace pw {

// The millimetres of one unit of the card's derived sheet, as the checks
// that measure the sheet need it: the printed cell of a grid card (`cellMm`,
// or `sizePercent` of the A4 width over its columns when 0), and one for a
// free-form card, whose sheet is in millimetres already and which has no
// columns to divide by.
double SheetUnitMm(const CardDocument& doc, double cellMm, int sizePercent);

}  // namespace pw
