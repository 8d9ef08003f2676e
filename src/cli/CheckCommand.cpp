#include "cli/CheckCommand.h"

#include <ostream>

#include "cli/CardFiles.h"
#include "cli/Cli.h"
#include "cli/CliMessages.h"
#include "cli/CommandWords.h"
#include "document/CardDocument.h"
#include "document/SheetUnit.h"
#include "model/AppSettings.h"
#include "model/IntegerText.h"
#include "model/Messages.h"
#include "model/buildable/BuildableCheck.h"
#include "output/CutterPattern.h"
#include "output/CuttingMachine.h"
#include "output/PatternOptions.h"

namespace pw {

namespace {

std::string Mm(double v) { return FormatDecimal(v, 2) + " mm"; }

}  // namespace

std::string CheckHelp() {
    return "  popwright-cli check IN.kpf [--machine NAME] [--paper-mm T]\n"
           "      Check that the card survives the cutter and the fold: narrow bridges, loose\n"
           "      pieces, cuts and slits below the machine's smallest, folds too close; one line\n"
           "      each (where on the sheet and how large, in mm at the default print size).\n"
           "      --machine NAME     machines: " + MachineNames() + " (default: features of 1 mm)\n"
           "      --paper-mm T       paper thickness (" + FormatMm(kMinPaperMm) + " - " + FormatMm(kMaxPaperMm) +
           "); also stacks the closed card\n";
}

int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    BuildableLimits limits;
    CommandWords words(args);
    while (words.NextOption()) {
        const std::string name = words.Name();
        if (name != "--machine" && name != "--paper-mm")
            return UsageError(err, "unknown option \"" + words.Word() + "\" for check");
        std::string value;
        if (!words.TakeValue(value)) return UsageError(err, name + " needs a value");
        if (name == "--machine") {
            const CuttingMachine* machine = CuttingMachineNamed(value);
            if (!machine) {
                PrintError(err, "", "--machine: unknown machine \"" + value + "\" (" + MachineNames() + ")");
                return kExitUsage;
            }
            limits.minFeatureMm = machine->minFeatureMm;
        } else {
            double t = 0;
            if (!ParseDecimal(value, t) || t < kMinPaperMm || t > kMaxPaperMm) {
                std::string text = msg::kEnterLengthBetween;
                text.replace(text.find("%1"), 2, FormatMm(kMinPaperMm));
                text.replace(text.find("%2"), 2, FormatMm(kMaxPaperMm));
                PrintError(err, "", "--paper-mm: " + text);
                return kExitUsage;
            }
            limits.paperMm = t;
            limits.closedThickness = true;
        }
    }
    if (words.Files().size() != 1) return UsageError(err, "check takes one card file");
    CardDocument doc;
    if (!ReadCardOrReport(words.Files()[0], doc, err)) return kExitFileError;
    const Sheet& sheet = doc.Derive();
    const AppSettings defaults;
    const BuildableReport report = CheckBuildable(sheet, SheetUnitMm(doc, 0, defaults.print.sizePercent), limits);
    for (const BuildFinding& f : report.findings)
        out << BuildFaultName(f.fault) << ": x " << Mm(f.xMm) << ", s " << Mm(f.sMm) << ", " << Mm(f.sizeMm) << "\n";
    if (limits.closedThickness)
        out << "closed: " << report.closedLayers << " layers, " << Mm(report.closedThicknessMm) << "\n";
    if (report.findings.empty())
        out << "buildable: yes\n";
    else
        out << "buildable: no (" << report.findings.size() << " findings)\n";
    return kExitOk;
}

}  // namespace pw
