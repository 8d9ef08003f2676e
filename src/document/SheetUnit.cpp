#include "document/SheetUnit.h"

#include "output/PatternOptions.h"

namespace pw {

double SheetUnitMm(const CardDocument& doc, double cellMm, int sizePercent) {
    if (doc.Kind() == CardKind::Freeform) return 1.0;
    return PatternCellMm(cellMm, sizePercent, doc.Card().grid.gridWidth);
}

}  // namespace pw
