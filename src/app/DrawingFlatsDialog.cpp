#include "app/DrawingFlatsDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>
#include <limits>

#include "app/KirikoDoc.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "document/DrawingFlats.h"
#include "import/FlatSource.h"
#include "model/freeform/PathBounds.h"

namespace pw {

namespace {

// A depth for layers whose label names none, until the user changes it.
constexpr double kDefaultDepthMm = 20;

PathBox CommonBox(const std::vector<FreeformFlat>& flats) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    PathBox all{kInf, kInf, -kInf, -kInf};
    for (const FreeformFlat& flat : flats)
        for (const FrontLoop& loop : flat.loops) {
            const PathBox b = BoundsOf(loop);
            all = {std::min(all.x0, b.x0), std::min(all.s0, b.s0), std::max(all.x1, b.x1), std::max(all.s1, b.s1)};
        }
    return all;
}

QDoubleSpinBox* MillimetreBox(QWidget* parent, const char* name, double low, double high, double value) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}

}  // namespace

CDrawingFlatsDialog::CDrawingFlatsDialog(const std::vector<FreeformFlat>& flats, const FreeformCard& card, QWidget* parent)
    : QDialog(parent), flats_(flats) {
    setObjectName(QStringLiteral("drawingFlatsDialog"));
    setWindowTitle(tr("Drawing as Flats"));
    auto* form = new QFormLayout(this);
    layers_ = new QTableWidget(static_cast<int>(flats_.size()), 2, this);
    layers_->setObjectName(QStringLiteral("layers"));
    layers_->setHorizontalHeaderLabels({tr("Layer"), tr("Depth")});
    layers_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    layers_->verticalHeader()->hide();
    for (int row = 0; row < static_cast<int>(flats_.size()); ++row) {
        const FreeformFlat& flat = flats_[static_cast<std::size_t>(row)];
        auto* name = new QTableWidgetItem(flat.name.empty() ? tr("Layer %1").arg(row + 1) : QString::fromStdString(flat.name));
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        layers_->setItem(row, 0, name);
        layers_->setCellWidget(row, 1, MillimetreBox(layers_, "depth", 0.5, std::max(1.0, card.half), flat.depth));
    }
    form->addRow(layers_);
    const PathBox box = CommonBox(flats_);
    const double height = box.s1 - box.s0, width = box.x1 - box.x0;
    size_ = MillimetreBox(this, "size", 1, 10000, height);
    atX_ = MillimetreBox(this, "atX", -10000, 10000, std::max(0.0, (card.width - width) / 2));
    atZ_ = MillimetreBox(this, "atZ", 0, 10000, 0);
    form->addRow(tr("&Height of the drawing:"), size_);
    form->addRow(tr("Lower left corner &across:"), atX_);
    form->addRow(tr("Lower left corner &up:"), atZ_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

std::vector<FreeformFlat> CDrawingFlatsDialog::PlacedFlats() const {
    std::vector<FreeformFlat> placed = flats_;
    for (int row = 0; row < static_cast<int>(placed.size()); ++row)
        placed[static_cast<std::size_t>(row)].depth = static_cast<QDoubleSpinBox*>(layers_->cellWidget(row, 1))->value();
    PlaceFlats(placed, size_->value(), atX_->value(), atZ_->value());
    return placed;
}

void BringDrawingAsFlats(CKirikoDoc& doc, UserPrompts& prompts, QWidget* parent) {
    if (!doc.IsFreeform()) return;
    const QString path = prompts.GetOpenFileName(parent, CDrawingFlatsDialog::tr("SVG drawing (*.svg)"));
    if (path.isEmpty()) return;
    const FlatsFromSource read = ReadDrawingFlats(path.toStdString(), kDefaultDepthMm);
    if (!read.Made()) {
        prompts.ShowMessage(parent, ShownMessage(read.error));
        return;
    }
    FreeformCard card = doc.Document().Freeform();
    CDrawingFlatsDialog dialog(read.flats, card, parent);
    if (prompts.RunDialog(dialog) != QDialog::Accepted) return;
    for (FreeformFlat& flat : dialog.PlacedFlats()) card.flats.push_back(std::move(flat));
    doc.EditFreeform(std::move(card));
    QStringList notes;
    for (const std::string& note : read.notes) notes << ShownMessage(note);
    if (!notes.isEmpty()) prompts.ShowMessage(parent, notes.join(QLatin1Char('\n')));
}

}  // namespace pw
