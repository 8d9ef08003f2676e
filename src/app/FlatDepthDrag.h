#pragma once
#include <cstdint>

#include <QElapsedTimer>
#include <QObject>

#include "model/freeform/FreeformSheet.h"
#include "view3d/SheetGeometry.h"

class QStatusBar;

namespace pw {

class CKirikoDoc;
class CKirikoView;

// A flat's depth dragged in the 3D view (Ctrl + left drag on its face or
// roof): the depth it would get shown in the status bar while the drag
// runs, the card drawn with it (at most every kPreviewIntervalMs), and set at the release as one edit (one undo step). A locked flat
// keeps its depth and the status bar says why.
class FlatDepthDrag : public QObject {
    Q_OBJECT
public:
    FlatDepthDrag(CKirikoDoc& doc, CKirikoView& view, QStatusBar& status, QObject* parent = nullptr);

private:
    // The depth the drag gives the flat; false, with the reason shown, when
    // it cannot move.
    bool DepthFor(int flat, double pixelsUp, bool fine, double& depth);
    void Dragged(int flat, double pixelsUp, bool fine);
    void Dropped(int flat, double pixelsUp, bool fine);
    // The card with the flat at `depth`, built and shown in the view.
    void Preview(int flat, double depth);

    // Re-deriving the sheet takes a few milliseconds on a card of a few
    // flats; a preview at this pace keeps up with the pointer.
    static constexpr int kPreviewIntervalMs = 50;

    CKirikoDoc& doc_;
    CKirikoView& view_;
    QStatusBar& status_;
    QElapsedTimer sincePreview_;
    FreeformSheet previewBuilt_;
    ShownSheet preview_;
    bool previewShown_ = false;
    std::uint64_t previews_ = 0;
};

}  // namespace pw
