#include "model/AppSettings.h"
#include "output/ExportFormat.h"
#include "output/FoldFile.h"
#include "output/SafeFileWriter.h"
#include "output/UnfoldedPattern.h"

namespace pw {

namespace {

bool WriteFold(const std::string& path, const ExportInput& in, ExportReport& report) {
    const int W = SheetGridWidth(in.sheet);
    // The printed size the settings give (the Setting dialog's cell size,
    // or popwright-cli's --ratio): the crease pattern takes no options.
    const double cellMm = PatternCellMm(in.settings.print.cellMm, in.settings.print.sizePercent, W);
    report.size = FinishedSizeOf(cellMm, W, SheetGridHeight(in.sheet));
    return WriteFileReplacing(path, FoldFileText(BuildFoldGraph(in.sheet, cellMm), "Popwright " POPWRIGHT_VERSION));
}

}  // namespace

// The crease pattern for origami software: the sheet at its real size, its
// lines as mountains, valleys and boundaries, its pieces as faces.
const ExportFormat& FoldFormat() {
    static const ExportFormat format{
        "fold",
        "fold",
        PW_TRANSLATE_NOOP("FileFilters", "FOLD File"),
        {"fold"},
        false,
        0,
        {},
        "",
        WriteFold};
    return format;
}

}  // namespace pw
