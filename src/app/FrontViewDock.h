#pragma once
#include <QDockWidget>

namespace pw {

class CKirikoDoc;
class FrontView;

// The dock that holds the front view with its small tool bar (the tools,
// snapping, fit, duplicate, delete). It is shown for a free-form card and
// hidden for a grid card, which the 3D view edits.
class FrontViewDock : public QDockWidget {
    Q_OBJECT
public:
    FrontViewDock(CKirikoDoc& doc, QWidget* parent = nullptr);
    FrontView* View() const { return view_; }
    // Shown for a free-form card, hidden and disabled for a grid card.
    void FollowCardKind();

private:
    CKirikoDoc& doc_;
    FrontView* view_ = nullptr;
};

}  // namespace pw
