#include "app/FrontViewDock.h"

#include <QAction>
#include <QActionGroup>
#include <QToolBar>
#include <QHBoxLayout>
#include <map>

#include "app/FrontView.h"
#include "app/KirikoDoc.h"

namespace pw {

FrontViewDock::FrontViewDock(CKirikoDoc& doc, QWidget* parent) : QDockWidget(tr("Front View"), parent), doc_(doc) {
    setObjectName(QStringLiteral("frontViewDock"));
    auto* inside = new QWidget(this);
    // The tools stand in a column at the left, as in drawing programs, so
    // that the dock can be narrow.
    auto* layout = new QHBoxLayout(inside);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(inside);
    bar->setObjectName(QStringLiteral("frontViewTools"));
    bar->setOrientation(Qt::Vertical);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    view_ = new FrontView(doc, inside);
    layout->addWidget(bar);
    layout->addWidget(view_, 1);
    setWidget(inside);

    struct ToolEntry {
        FrontTool tool;
        QString text, tip;
    };
    const ToolEntry tools[] = {
        {FrontTool::Select, tr("Select"), tr("Select, move, scale at the corners, rotate at the round handle (V)")},
        {FrontTool::Move, tr("Move"), tr("Move the selected flat (G)")},
        {FrontTool::Scale, tr("Scale"), tr("Scale the selected flat; Shift keeps its proportions (S)")},
        {FrontTool::Rotate, tr("Rotate"), tr("Rotate the selected flat about its centre; Shift turns in steps of 15° (T)")},
        {FrontTool::Nodes, tr("Nodes"), tr("Drag the nodes and control points of the selected flat (N)")},
        {FrontTool::Rectangle, tr("Rectangle"), tr("Draw a rectangle; Ctrl makes a square, Shift adds it to the selected flat (R)")},
        {FrontTool::Ellipse, tr("Ellipse"), tr("Draw an ellipse; Ctrl makes a circle, Shift adds it to the selected flat (E)")},
        {FrontTool::Polygon, tr("Polygon"), tr("Click the corners; double-click or Enter closes the polygon (P)")},
        {FrontTool::Pen, tr("Pen"), tr("Click for corners, drag for smooth curves, Alt+click for an arc; Enter closes (B)")},
    };
    auto* group = new QActionGroup(this);
    std::map<FrontTool, QAction*> byTool;
    for (const ToolEntry& entry : tools) {
        QAction* action = bar->addAction(entry.text);
        action->setToolTip(entry.tip);
        action->setCheckable(true);
        action->setChecked(entry.tool == view_->Tool());
        group->addAction(action);
        byTool[entry.tool] = action;
        const FrontTool tool = entry.tool;
        connect(action, &QAction::triggered, view_, [this, tool] {
            view_->SetTool(tool);
            view_->setFocus();
        });
    }
    connect(view_, &FrontView::toolChanged, this, [byTool](FrontTool tool) { byTool.at(tool)->setChecked(true); });
    bar->addSeparator();
    QAction* snap = bar->addAction(tr("Snap"));
    snap->setToolTip(tr("Snap to the millimetre grid, to other flats' nodes and edges and to the floor"));
    snap->setCheckable(true);
    snap->setChecked(view_->Snapping());
    connect(snap, &QAction::toggled, view_, &FrontView::SetSnapping);
    QAction* fit = bar->addAction(tr("Fit"));
    fit->setToolTip(tr("Show the whole front half (Home)"));
    connect(fit, &QAction::triggered, view_, &FrontView::FitCard);
    QAction* duplicate = bar->addAction(tr("Duplicate"));
    duplicate->setToolTip(tr("Duplicate the selected flat (Ctrl+D)"));
    connect(duplicate, &QAction::triggered, view_, &FrontView::DuplicateSelected);
    QAction* remove = bar->addAction(tr("Delete"));
    remove->setToolTip(tr("Delete the selected flat (Delete)"));
    connect(remove, &QAction::triggered, view_, &FrontView::DeleteSelected);

    connect(&doc_, &CKirikoDoc::freeformEdited, view_, &FrontView::CardEdited);
    connect(&doc_, &CKirikoDoc::updateAllViews, this, [this] {
        FollowCardKind();
        view_->CardReplaced();
    });
    FollowCardKind();
}

void FrontViewDock::FollowCardKind() {
    const bool freeform = doc_.IsFreeform();
    setEnabled(freeform);
    setVisible(freeform);
}

}  // namespace pw
