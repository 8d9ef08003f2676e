#pragma once
#include <QObject>

class QStatusBar;

namespace pw {

class CKirikoDoc;
class CKirikoView;

// A flat's depth dragged in the 3D view (Ctrl + left drag on its face or
// roof): the depth it would get shown in the status bar while the drag
// runs, and set at the release as one edit (one undo step). A locked flat
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

    CKirikoDoc& doc_;
    QStatusBar& status_;
};

}  // namespace pw
