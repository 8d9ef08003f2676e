#include "app/FlatDepthDrag.h"

#include <QStatusBar>

#include "app/KirikoDoc.h"
#include "edit/FlatOperations.h"
#include "view3d/FreeformShown.h"
#include "view3d/KirikoView.h"
#include "view3d/SheetPicking.h"

namespace pw {

namespace {

// How long the depth a drop gave stays in the status bar.
constexpr int kDroppedMessageMs = 4000;

QString FlatName(const FreeformCard& card, int flat) {
    const std::string& name = card.flats[static_cast<std::size_t>(flat)].name;
    if (!name.empty()) return QString::fromStdString(name);
    return FlatDepthDrag::tr("Flat %1").arg(flat + 1);
}

}  // namespace

FlatDepthDrag::FlatDepthDrag(CKirikoDoc& doc, CKirikoView& view, QStatusBar& status, QObject* parent)
    : QObject(parent), doc_(doc), view_(view), status_(status) {
    connect(&view, &CKirikoView::FlatDepthDragged, this, &FlatDepthDrag::Dragged);
    connect(&view, &CKirikoView::FlatDepthDropped, this, &FlatDepthDrag::Dropped);
}

bool FlatDepthDrag::DepthFor(int flat, double pixelsUp, bool fine, double& depth) {
    if (!doc_.IsFreeform()) return false;
    const FreeformCard& card = doc_.Document().Freeform();
    if (flat < 0 || static_cast<std::size_t>(flat) >= card.flats.size()) return false;
    if (card.flats[static_cast<std::size_t>(flat)].locked) {
        status_.showMessage(tr("%1 is locked: unlock it in the flat list to change its depth.").arg(FlatName(card, flat)));
        return false;
    }
    depth = DraggedDepth(card.flats[static_cast<std::size_t>(flat)].depth, pixelsUp, fine, card.half);
    return true;
}

void FlatDepthDrag::Dragged(int flat, double pixelsUp, bool fine) {
    double depth = 0;
    if (!DepthFor(flat, pixelsUp, fine, depth)) return;
    status_.showMessage(tr("Depth of %1: %2 mm (Shift: finer steps)")
                            .arg(FlatName(doc_.Document().Freeform(), flat))
                            .arg(depth, 0, 'f', 2));
    if (pixelsUp != 0 && (!sincePreview_.isValid() || sincePreview_.elapsed() >= kPreviewIntervalMs)) Preview(flat, depth);
}

void FlatDepthDrag::Preview(int flat, double depth) {
    FreeformCard card = doc_.Document().Freeform();
    if (!SetFlatDepth(card, flat, depth) || !doc_.ShownFreeform()) return;
    previewBuilt_ = BuildFreeformSheet(card);
    // Far from the document's revisions, so that neither the preview nor the
    // document's sheet after it is taken for the other.
    const std::uint64_t revision = doc_.ShownFreeform()->revision + (std::uint64_t{1} << 40) + ++previews_;
    preview_ = ShowFreeformSheet(previewBuilt_, CheckFreeformCard(card, previewBuilt_), revision);
    view_.ShowSheetKeepingCamera(&preview_);
    previewShown_ = true;
    sincePreview_.start();
}

void FlatDepthDrag::Dropped(int flat, double pixelsUp, bool fine) {
    double depth = 0;
    const bool moves = DepthFor(flat, pixelsUp, fine, depth);
    FreeformCard card = doc_.Document().Freeform();
    const bool changed = moves && SetFlatDepth(card, flat, depth);
    // An edit shows the document's sheet anew; without one the preview goes.
    if (previewShown_ && !changed && doc_.ShownFreeform()) view_.ShowSheetKeepingCamera(doc_.ShownFreeform());
    previewShown_ = false;
    sincePreview_.invalidate();
    if (!moves) return;
    const QString name = FlatName(card, flat);
    if (changed) doc_.EditFreeform(std::move(card));
    status_.showMessage(tr("Depth of %1: %2 mm").arg(name).arg(depth, 0, 'f', 2), kDroppedMessageMs);
}

}  // namespace pw
