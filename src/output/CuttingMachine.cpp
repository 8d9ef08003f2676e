#include "output/CuttingMachine.h"

#include <algorithm>
#include <sstream>

#include "model/AppSettings.h"
#include "output/CutterPattern.h"
#include "output/KerfOffset.h"
#include "output/SafeFileWriter.h"
#include "output/formats/FormatList.h"

namespace pw {

// Each machine's file declares it with its formats; FormatList.h names them once.
#define PW_DECLARE_MACHINE(Name) const CuttingMachine& Name();
PW_CUTTING_MACHINES(PW_DECLARE_MACHINE)
#undef PW_DECLARE_MACHINE

const std::vector<const CuttingMachine*>& CuttingMachines() {
#define PW_LIST_MACHINE(Name) &Name(),
    static const std::vector<const CuttingMachine*> machines = {PW_CUTTING_MACHINES(PW_LIST_MACHINE)};
#undef PW_LIST_MACHINE
    return machines;
}

const CuttingMachine* CuttingMachineNamed(const std::string& name) {
    for (const CuttingMachine* m : CuttingMachines())
        if (name == m->name) return m;
    return nullptr;
}

const ExportFormat* MachineFormatOf(const CuttingMachine& machine, const std::string& path) {
    const std::string ext = ExtensionOf(path);
    for (const ExportFormat* f : machine.formats)
        if (std::count(f->extensions.begin(), f->extensions.end(), ext)) return f;
    return nullptr;
}

std::string MachineNames() {
    std::string text;
    const auto& machines = CuttingMachines();
    for (std::size_t k = 0; k < machines.size(); ++k) {
        if (k > 0) text += k + 1 == machines.size() ? " and " : ", ";
        text += machines[k]->name;
    }
    return text;
}

namespace {

std::vector<MmLine> LinesOf(const std::vector<MmPath>& paths) {
    std::vector<MmLine> lines;
    for (const MmPath& path : paths)
        for (std::size_t i = 0; i + 1 < path.points.size(); ++i)
            lines.push_back({path.points[i].x, path.points[i].y, path.points[i + 1].x, path.points[i + 1].y});
    return lines;
}

const char* FoldLayerName(FoldTreatment fold) {
    switch (fold) {
        case FoldTreatment::Score: return "score";
        case FoldTreatment::Perforation: return "perforation";
        case FoldTreatment::LightCut: return "light-cut";
    }
    return "score";
}

// The engraved key: what each of the file's lines does to the paper, then
// the card's and the sheet's size, the legend's last two texts.
std::vector<SheetPath> EngravedKey(const CutterPattern& pattern, FoldTreatment fold, const LegendWording& words,
                                   const TextOutliner& outline) {
    const PatternLegend& legend = *pattern.legend;
    std::vector<std::string> texts = {words.laserCut,
                                      fold == FoldTreatment::Perforation ? words.laserPerforation : words.laserLightCut};
    if (!pattern.score.lines.empty()) texts.push_back(words.laserScore);
    for (std::size_t k = legend.texts.size() >= 2 ? legend.texts.size() - 2 : 0; k < legend.texts.size(); ++k)
        texts.push_back(legend.texts[k].text);
    std::vector<SheetPath> paths;
    for (const TextMark& row : LegendRows(legend, texts)) {
        std::vector<SheetPath> glyphs = outline(row);
        paths.insert(paths.end(), std::make_move_iterator(glyphs.begin()), std::make_move_iterator(glyphs.end()));
    }
    return paths;
}

}  // namespace

CutterPattern ForMachine(CutterPattern pattern, const CuttingMachine& machine, FoldTreatment fold, double kerfMm,
                         const LegendWording& words, const TextOutliner& outline) {
    const MachineStyle& style = machine.style;
    const double stroke = style.hairline ? kHairlineMm : 0.25;
    if (style.engraves && pattern.legend && outline) pattern.engrave.paths = EngravedKey(pattern, fold, words, outline);
    pattern.legend.reset();
    pattern.joined = true;
    pattern.onlyDrawnLayers = true;
    CutterLayer& cut = pattern.cut;
    cut.color = style.cutColor;
    cut.strokeMm = stroke;
    cut.dashMm.clear();
    if (style.offsetsKerf && kerfMm > 0) {
        // The offset works on polygons: curves (a free-form card's) are
        // flattened first, finer than the beam is wide.
        std::vector<MmPath> runs = PathsOf(cut, true);
        for (const SheetPath& path : cut.paths) runs.push_back(FlattenedRun(path));
        cut.lines = LinesOf(OffsetForKerf(runs, kerfMm));
        cut.paths.clear();
    }
    // Every fold on one layer: perforations are cut, so they take the cut's
    // colour; scores and light cuts the fold colour the machine's software
    // assigns its other tool or power to.
    CutterLayer& folds = pattern.mountain;
    folds.lines.insert(folds.lines.end(), pattern.valley.lines.begin(), pattern.valley.lines.end());
    pattern.valley.lines.clear();
    folds.name = FoldLayerName(fold);
    folds.color = fold == FoldTreatment::Perforation ? style.cutColor : style.foldColor;
    folds.strokeMm = stroke;
    folds.dashMm.clear();
    // Folds too short to perforate are scored on a layer of their own.
    pattern.score.name = "score";
    pattern.score.color = style.foldColor;
    pattern.score.strokeMm = stroke;
    pattern.score.dashMm.clear();
    return pattern;
}

bool WriteMachineFile(const CuttingMachine& machine, const std::string& path, const ExportInput& input,
                      ExportReport& report, void (*write)(std::ostream&, const CutterPattern&)) {
    PatternOptions options = input.options;
    options.legend = input.options.legend && machine.style.engraves && input.outlineText;
    options.hairline = false;
    options.cutOrder = CutOrder::InnerFirst;  // machines cut in file order: the sheet free last
    // Asked to perforate, any machine cuts the folds in dashes.
    const FoldTreatment fold = input.options.perforate ? FoldTreatment::Perforation : machine.fold;
    options.perforate = fold == FoldTreatment::Perforation;
    // A free-form card's sheet is in millimetres, laid out at its real size
    // with its curves, as the pattern files lay it out.
    const int mirror = input.settings.print.mirror;
    const CutterPattern pattern =
        ForMachine(input.millimetres ? LayOutMillimetrePattern(input.sheet, mirror, options)
                                     : LayOutCutterPattern(input.sheet, mirror, input.settings.print.sizePercent, options),
                   machine, fold, input.options.kerfMm, input.options.legendWording, input.outlineText);
    report.scoredFolds = pattern.scoredFolds;
    report.size = pattern.size;
    std::ostringstream text;
    write(text, pattern);
    return WriteFileReplacing(path, text.str());
}

}  // namespace pw
