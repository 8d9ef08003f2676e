#include "app/PatternOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <string>
#include <utility>

#include "app/SettingsDialog.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "model/Messages.h"
#include "output/CutterPattern.h"
#include "output/UnfoldedPattern.h"
#include "output/TilePlan.h"

namespace pw {

namespace {

QString Decimal(double value) { return QString::fromStdString(FormatDecimal(value, 3)); }

QLineEdit* NumberEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(60);
    return edit;
}

// The known papers' names as the list shows them, marked for translation;
// the keys are the names popwright-cli takes.
QString PaperName(const std::string& key) {
    static const std::pair<const char*, const char*> names[] = {
        {"a4", QT_TRANSLATE_NOOP("PaperSizes", "A4")},         {"a5", QT_TRANSLATE_NOOP("PaperSizes", "A5")},
        {"a3", QT_TRANSLATE_NOOP("PaperSizes", "A3")},         {"letter", QT_TRANSLATE_NOOP("PaperSizes", "Letter")},
        {"legal", QT_TRANSLATE_NOOP("PaperSizes", "Legal")},
        {"postcard", QT_TRANSLATE_NOOP("PaperSizes", "Postcard")},
        {"reply-postcard", QT_TRANSLATE_NOOP("PaperSizes", "Reply postcard")},
        {"b5", QT_TRANSLATE_NOOP("PaperSizes", "B5 (JIS)")},    {"b4", QT_TRANSLATE_NOOP("PaperSizes", "B4 (JIS)")},
    };
    for (const auto& [known, shown] : names)
        if (key == known) return Translated("PaperSizes", shown);
    QString name = QString::fromStdString(key);
    return name.size() == 2 ? name.toUpper() : name.left(1).toUpper() + name.mid(1);
}

QString PaperTitle(const PaperSize& p) {
    return PatternOptionsDialog::tr("%1 (%2 \u00D7 %3 mm)").arg(PaperName(p.name), Decimal(p.widthMm), Decimal(p.heightMm));
}

}  // namespace

bool ParseLengthMm(const QString& text, double low, double high, double& value) {
    QString typed = text.trimmed();
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    double v = 0;
    if (!ParseDecimal(typed.toStdString(), v)) return false;
    v = std::round(v * 1000) / 1000;
    if (v < low || v > high) return false;
    value = v;
    return true;
}

PatternOptionsDialog::PatternOptionsDialog(const ExportFormat& format, const PatternOptions& initial,
                                           const Sheet& sheet, int reverseMode, int rudovozuSizeRatio,
                                           UserPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      format_(format),
      options_(initial),
      sheet_(sheet),
      reverseMode_(reverseMode),
      ratio_(rudovozuSizeRatio),
      prompts_(prompts) {
    setWindowTitle(tr("Pattern options"));
    setModal(true);
    BuildLayout();

    cellSize_->setText(Decimal(options_.cellMm));
    cutOrder_->setCurrentIndex(options_.cutOrder == CutOrder::InnerFirst ? 0 : 1);
    hairline_->setChecked(options_.hairline);
    perforate_->setChecked(options_.perforate);
    dash_->setText(Decimal(options_.dashMm));
    gap_->setText(Decimal(options_.gapMm));
    legend_->setChecked(options_.legend);
    for (int k = 0; k < paper_->count(); ++k)
        if (paper_->itemData(k).toString().toStdString() == options_.paper.name) paper_->setCurrentIndex(k);
    tile_->setChecked(options_.tile);

    for (QLineEdit* edit : {cellSize_, dash_, gap_})
        connect(edit, &QLineEdit::textChanged, this, &PatternOptionsDialog::UpdateStatements);
    for (QCheckBox* box : {perforate_, legend_, tile_})
        connect(box, &QCheckBox::toggled, this, [this] {
            UpdateEnabled();
            UpdateStatements();
        });
    connect(paper_, qOverload<int>(&QComboBox::currentIndexChanged), this, &PatternOptionsDialog::UpdateStatements);
    connect(ok_, &QPushButton::clicked, this, &PatternOptionsDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &PatternOptionsDialog::reject);
    UpdateEnabled();
    UpdateStatements();
}

void PatternOptionsDialog::BuildLayout() {
    // Size: the real size of the card.
    auto* size = new QGroupBox(tr("Size"), this);
    cellSize_ = NumberEdit(size, "cellSize");
    auto* cellRow = new QHBoxLayout;
    cellRow->addWidget(new QLabel(tr("Cell size (mm)"), size));
    cellRow->addWidget(cellSize_);
    cellRow->addWidget(new QLabel(tr("(0 = from the print size, or 0.5 - 50)"), size));
    cellRow->addStretch(1);
    finishedSize_ = new QLabel(size);
    finishedSize_->setObjectName(QStringLiteral("finishedSize"));
    // Room for the largest card, so the dialog keeps its width while typing.
    finishedSize_->setMinimumWidth(finishedSize_->fontMetrics().horizontalAdvance(
        tr("Finished size: %1").arg(FinishedSizeShown(FinishedSize{4000, 2000, 4000, 4000}))));
    auto* sizeColumn = new QVBoxLayout(size);
    sizeColumn->addLayout(cellRow);
    sizeColumn->addWidget(finishedSize_);

    // Lines: what cutting machines expect.
    auto* lines = new QGroupBox(tr("Lines"), this);
    cutOrder_ = new QComboBox(lines);
    cutOrder_->setObjectName(QStringLiteral("cutOrder"));
    cutOrder_->addItem(tr("Inner cuts first, outline last"));
    cutOrder_->addItem(tr("As drawn"));
    hairline_ = new QCheckBox(tr("Hairline strokes (0.001 in), for laser print drivers"), lines);
    hairline_->setObjectName(QStringLiteral("hairline"));
    perforate_ = new QCheckBox(tr("Perforate the folds (dashes a cutter cuts through)"), lines);
    perforate_->setObjectName(QStringLiteral("perforate"));
    dash_ = NumberEdit(lines, "dash");
    gap_ = NumberEdit(lines, "gap");
    auto* dashRow = new QHBoxLayout;
    dashRow->addSpacing(24);
    dashRow->addWidget(new QLabel(tr("Dash (mm)"), lines));
    dashRow->addWidget(dash_);
    dashRow->addSpacing(12);
    dashRow->addWidget(new QLabel(tr("Gap (mm)"), lines));
    dashRow->addWidget(gap_);
    dashRow->addStretch(1);
    legend_ = new QCheckBox(tr("Legend: the line kinds and the card's size beside the sheet"), lines);
    legend_->setObjectName(QStringLiteral("legend"));
    auto* lineForm = new QFormLayout(lines);
    lineForm->addRow(tr("Cut order"), cutOrder_);
    lineForm->addRow(hairline_);
    lineForm->addRow(perforate_);
    lineForm->addRow(dashRow);
    lineForm->addRow(legend_);

    // Paper: the PDF's pages.
    auto* paper = new QGroupBox(tr("Paper"), this);
    paper_ = new QComboBox(paper);
    paper_->setObjectName(QStringLiteral("paper"));
    for (const PaperSize& p : KnownPapers()) paper_->addItem(PaperTitle(p), QString::fromStdString(p.name));
    tile_ = new QCheckBox(tr("Tile over several pages even when it fits one"), paper);
    tile_->setObjectName(QStringLiteral("tile"));
    pages_ = new QLabel(paper);
    pages_->setObjectName(QStringLiteral("pages"));
    auto* paperForm = new QFormLayout(paper);
    paperForm->addRow(tr("Page size"), paper_);
    paperForm->addRow(tile_);
    paperForm->addRow(pages_);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* column = new QVBoxLayout(this);
    column->addWidget(size);
    column->addWidget(lines);
    column->addWidget(paper);
    column->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void PatternOptionsDialog::UpdateEnabled() {
    // A DXF line has no width, and text or a key would be cut; the SVG is
    // one piece on a page of the paper; only the PDF tiles. Each format's
    // declaration says so.
    cellSize_->setEnabled(Takes(format_, kTakesCellSize));
    cutOrder_->setEnabled(Takes(format_, kTakesCutOrder));
    hairline_->setEnabled(Takes(format_, kTakesHairline));
    legend_->setEnabled(Takes(format_, kTakesLegend));
    perforate_->setEnabled(Takes(format_, kTakesPerforation));
    dash_->setEnabled(Takes(format_, kTakesPerforation) && perforate_->isChecked());
    gap_->setEnabled(Takes(format_, kTakesPerforation) && perforate_->isChecked());
    paper_->setEnabled(Takes(format_, kTakesPaper));
    tile_->setEnabled(Takes(format_, kTakesTiling));
    pages_->setVisible(Takes(format_, kTakesTiling));
}

bool PatternOptionsDialog::ReadFields(PatternOptions& out, bool report) {
    auto fail = [&](QLineEdit* edit, const QString& message) {
        if (report) {
            prompts_.ShowMessage(this, message);
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
        return false;
    };
    auto between = [](double low, double high) {
        return ShownMessage(msg::kEnterLengthBetween).arg(Decimal(low), Decimal(high));
    };
    PatternOptions o = options_;
    if (!ParseCellSize(cellSize_->text(), o.cellMm)) return fail(cellSize_, CellSizeMessage());
    o.cutOrder = cutOrder_->currentIndex() == 1 ? CutOrder::AsDrawn : CutOrder::InnerFirst;
    o.hairline = Takes(format_, kTakesHairline) && hairline_->isChecked();
    o.legend = Takes(format_, kTakesLegend) && legend_->isChecked();
    o.perforate = Takes(format_, kTakesPerforation) && perforate_->isChecked();
    if (o.perforate) {
        if (!ParseLengthMm(dash_->text(), kMinDashMm, kMaxDashMm, o.dashMm))
            return fail(dash_, between(kMinDashMm, kMaxDashMm));
        if (!ParseLengthMm(gap_->text(), kMinGapMm, kMaxGapMm, o.gapMm))
            return fail(gap_, between(kMinGapMm, kMaxGapMm));
    }
    if (const auto p = PaperNamed(paper_->currentData().toString().toStdString())) o.paper = *p;
    o.tile = Takes(format_, kTakesTiling) && tile_->isChecked();
    out = o;
    return true;
}

void PatternOptionsDialog::UpdateStatements() {
    PatternOptions o = options_;
    ReadFields(o, false);
    double typed = 0;
    if (ParseCellSize(cellSize_->text(), typed)) o.cellMm = typed;
    const double cell = PatternCellMm(o.cellMm, ratio_, SheetGridWidth(sheet_));
    const FinishedSize finished = FinishedSizeOf(cell, SheetGridWidth(sheet_), SheetGridHeight(sheet_));
    finishedSize_->setText(tr("Finished size: %1").arg(FinishedSizeShown(finished)));
    if (!Takes(format_, kTakesTiling)) return;
    const PatternPages plan = PlanPatternPages(LayOutCutterPattern(sheet_, reverseMode_, ratio_, o));
    const int count = static_cast<int>(plan.pages.size());
    pages_->setText(count == 1 ? tr("1 page")
                               : tr("%1 pages: %2 rows \u00D7 %3 columns, overlapping by %4 mm")
                                     .arg(count)
                                     .arg(plan.rows)
                                     .arg(plan.columns)
                                     .arg(Decimal(kTileOverlapMm)));
}

void PatternOptionsDialog::accept() {
    PatternOptions o;
    if (!ReadFields(o, true)) return;
    options_ = o;
    QDialog::accept();
}

}  // namespace pw
