#include "app/MachineExport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QStringList>
#include <algorithm>

#include "app/ScreenResolution.h"
#include "app/SettingsStore.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
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

constexpr const char* kSection = "cutting";
// The findings a report lists before it says how many more there are.
constexpr int kListedFindings = 12;

// A text of this file's own marked with QT_TRANSLATE_NOOP, in the user's language.
QString Shown(const char* text) { return QCoreApplication::translate("MachineExport", text); }

// The remembered machine and settings; what is missing or out of range
// falls back to the first machine and the defaults.
struct MachineChoice {
    const CuttingMachine* machine = CuttingMachines().front();
    double kerfMm = 0.1;
    double dashMm = PatternOptions().dashMm;
    bool legend = false;  // engraved, by a machine that engraves
    bool perforate = false;  // the folds cut in dashes by a machine that would score them
};

double StoredMm(const SettingsStore& store, const char* entry, double low, double high, double fallback) {
    double v = 0;
    return ParseDecimal(store.GetText(kSection, entry), v) && v >= low && v <= high ? v : fallback;
}

MachineChoice Remembered(const SettingsStore& store) {
    MachineChoice c;
    if (const CuttingMachine* m = CuttingMachineNamed(store.GetText(kSection, "machine"))) c.machine = m;
    c.kerfMm = StoredMm(store, "kerfMm", 0, kMaxKerfMm, c.kerfMm);
    c.dashMm = StoredMm(store, "dashMm", kMinDashMm, kMaxDashMm, c.dashMm);
    c.legend = store.GetText(kSection, "legend") == "1";
    c.perforate = store.GetText(kSection, "perforate") == "1";
    return c;
}

void Remember(SettingsStore& store, const MachineChoice& c) {
    store.SetText(kSection, "machine", c.machine->name);
    store.SetText(kSection, "kerfMm", FormatMm(c.kerfMm));
    store.SetText(kSection, "dashMm", FormatMm(c.dashMm));
    store.SetText(kSection, "legend", c.legend ? "1" : "0");
    store.SetText(kSection, "perforate", c.perforate ? "1" : "0");
}

QString MachineFilter(const CuttingMachine& machine) {
    QStringList filters;
    for (const ExportFormat* format : machine.formats) {
        QStringList patterns;
        for (const std::string& ext : format->extensions) patterns << QStringLiteral("*.") + QString::fromStdString(ext);
        filters << Translated("FileFilters", format->filterName) + QLatin1Char('(') + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

const char* FaultShown(BuildFault fault) {
    switch (fault) {
        case BuildFault::NarrowBridge: return QT_TRANSLATE_NOOP("MachineExport", "Narrow bridge");
        case BuildFault::LoosePiece: return QT_TRANSLATE_NOOP("MachineExport", "Loose piece");
        case BuildFault::ShortCut: return QT_TRANSLATE_NOOP("MachineExport", "Cut too short");
        case BuildFault::NarrowSlit: return QT_TRANSLATE_NOOP("MachineExport", "Slit too narrow");
        case BuildFault::FoldsTooClose: return QT_TRANSLATE_NOOP("MachineExport", "Folds too close");
        case BuildFault::ClosesThick: return QT_TRANSLATE_NOOP("MachineExport", "Does not close flat");
    }
    return "";
}

}  // namespace

void MachineExport::ExportForMachine(QWidget* window) {
    MachineChoice choice = Remembered(store_);
    QDialog dialog(window);
    dialog.setWindowTitle(QCoreApplication::translate("MachineExport", "Export for Cutting Machine"));
    auto* form = new QFormLayout(&dialog);
    auto* machines = new QComboBox(&dialog);
    for (const CuttingMachine* m : CuttingMachines()) machines->addItem(Translated("CuttingMachines", m->title));
    const auto& all = CuttingMachines();
    machines->setCurrentIndex(static_cast<int>(std::find(all.begin(), all.end(), choice.machine) - all.begin()));
    auto* kerf = new QDoubleSpinBox(&dialog);
    kerf->setRange(0, kMaxKerfMm);
    kerf->setDecimals(2);
    kerf->setSingleStep(0.05);
    kerf->setValue(choice.kerfMm);
    auto* dash = new QDoubleSpinBox(&dialog);
    dash->setRange(kMinDashMm, kMaxDashMm);
    dash->setValue(choice.dashMm);
    form->addRow(QCoreApplication::translate("MachineExport", "Machine:"), machines);
    form->addRow(QCoreApplication::translate("MachineExport", "Laser kerf (mm):"), kerf);
    auto* perforate = new QCheckBox(QCoreApplication::translate("MachineExport", "Perforate the folds"), &dialog);
    perforate->setChecked(choice.perforate);
    form->addRow(perforate);
    form->addRow(QCoreApplication::translate("MachineExport", "Perforation dash (mm):"), dash);
    auto* legend = new QCheckBox(QCoreApplication::translate("MachineExport", "Engrave a key of the lines and the card's size"), &dialog);
    legend->setChecked(choice.legend);
    form->addRow(legend);
    // Only a laser offsets its cut; a machine that scores its folds cuts
    // dashes only when asked to.
    const auto follow = [&] {
        const CuttingMachine* m = all[static_cast<std::size_t>(std::max(0, machines->currentIndex()))];
        kerf->setEnabled(m->style.offsetsKerf);
        const bool perforates = m->fold == FoldTreatment::Perforation;
        perforate->setEnabled(!perforates);
        dash->setEnabled(perforates || perforate->isChecked());
        legend->setEnabled(m->style.engraves);
    };
    QObject::connect(machines, qOverload<int>(&QComboBox::currentIndexChanged), &dialog, follow);
    QObject::connect(perforate, &QCheckBox::toggled, &dialog, follow);
    follow();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (prompts_.RunDialog(dialog) != QDialog::Accepted) return;
    choice = {all[static_cast<std::size_t>(std::max(0, machines->currentIndex()))], kerf->value(), dash->value(),
              legend->isChecked(), perforate->isChecked()};
    Remember(store_, choice);

    const QString path = prompts_.GetSaveFileName(window, MachineFilter(*choice.machine));
    if (path.isEmpty()) return;
    const std::string file = QFile::encodeName(path).toStdString();
    const ExportFormat* format = MachineFormatOf(*choice.machine, file);
    if (!format) {
        std::vector<std::string> extensions;
        for (const ExportFormat* f : choice.machine->formats)
            extensions.insert(extensions.end(), f->extensions.begin(), f->extensions.end());
        prompts_.ShowMessage(window, ShownMessage(msg::kSpecifyFileOf)
                                         .arg(QString::fromStdString(ExtensionChoice(extensions, ListWordsShown()))));
        return;
    }
    PatternOptions options;
    options.cellMm = settings_.print.cellMm;
    options.kerfMm = choice.machine->style.offsetsKerf ? choice.kerfMm : 0;
    options.dashMm = choice.dashMm;
    options.perforate = choice.perforate && choice.machine->fold != FoldTreatment::Perforation;
    options.legend = choice.legend && choice.machine->style.engraves;
    options.legendWording = LegendWordingShown();
    const ScreenResolution screen = ScreenResolutionOf(window);
    if (!doc_.Export(*format, file, settings_, screen.PixelsPerCmX(), screen.PixelsPerCmY(), options))
        prompts_.ShowMessage(window, ShownMessage(msg::kFileSaveFailed));
}

void MachineExport::CheckBuildable(QWidget* window, const std::function<void(std::vector<MarkedSpot>)>& mark) {
    const MachineChoice choice = Remembered(store_);
    const Sheet& sheet = doc_.Derive();
    BuildableLimits limits;
    limits.minFeatureMm = choice.machine->minFeatureMm;
    const double unitMm = SheetUnitMm(doc_, settings_.print.cellMm, settings_.print.sizePercent);
    const BuildableReport report = pw::CheckBuildable(sheet, unitMm, limits);
    // Marked before the report shows, so they are seen beside it.
    mark(FindingSpots(report, unitMm));
    QString text = QCoreApplication::translate("MachineExport", "Checked for %1.").arg(Translated("CuttingMachines", choice.machine->title));
    if (report.findings.empty()) {
        prompts_.ShowMessage(window, text + QLatin1Char('\n') + QCoreApplication::translate("MachineExport", "The card can be cut and folded."));
        return;
    }
    text += QLatin1Char('\n') + QCoreApplication::translate("MachineExport", "Findings: %1").arg(report.findings.size());
    int listed = 0;
    for (const BuildFinding& f : report.findings) {
        if (listed++ == kListedFindings) {
            text += QLatin1Char('\n') + QCoreApplication::translate("MachineExport", "and %1 more")
                                                .arg(report.findings.size() - kListedFindings);
            break;
        }
        text += QLatin1Char('\n') + QCoreApplication::translate("MachineExport", "%1 at x %2 mm, s %3 mm: %4 mm")
                                        .arg(Shown(FaultShown(f.fault)))
                                        .arg(f.xMm, 0, 'f', 1)
                                        .arg(f.sMm, 0, 'f', 1)
                                        .arg(f.sizeMm, 0, 'f', 2);
    }
    prompts_.ShowMessage(window, text);
}

}  // namespace pw
