#include "document/CardDocument.h"

#include "edit/ReliefEdit.h"
#include "model/RebuildPass.h"
#include "output/ExportFormat.h"

namespace pw {

const Sheet& CardDocument::Derive() {
    RunRebuildPass(card_.grid);
    // The validity marks are the 3D view's business: kept while it keeps
    // them, never made here, since the outputs read the pieces and edges alone.
    sheet_.Update(card_.grid, sheet_.Anchoring() != nullptr);
    return sheet_.Current();
}

bool CardDocument::Export(const ExportFormat& format, const std::string& path, const AppSettings& settings,
                          double pxPerCm, double pyPerCm, const PatternOptions& options, ExportReport& report) {
    const ExportInput input{Derive(), settings, pxPerCm, pyPerCm, options};
    return WriteExportFile(format, path, input, report);
}

bool CardDocument::Export(const ExportFormat& format, const std::string& path, const AppSettings& settings,
                          double pxPerCm, double pyPerCm, const PatternOptions& options) {
    ExportReport report;
    return Export(format, path, settings, pxPerCm, pyPerCm, options, report);
}

bool CardDocument::ApplyRelief(const DepthMap& map, bool keepInside) { return ApplyDepthMap(card_, map, keepInside); }

}  // namespace pw
