#include "app/MainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/SettingsLoadSave.h"
#include "view3d/KirikoView.h"

namespace pw {

namespace {

// An action with the menu text, the toolbar text and the status-bar prompt.
QAction* MakeAction(QObject* parent, const char* name, const QString& text, const QString& iconText,
                    const QString& statusTip) {
    auto* action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    if (!iconText.isEmpty()) {
        action->setIconText(iconText);
        action->setToolTip(iconText);
    }
    action->setStatusTip(statusTip);
    return action;
}

}  // namespace

CMainFrame::CMainFrame(const SettingsStore& store, QWidget* parent) : QMainWindow(parent) {
    WindowPlacement placement;
    LoadSettings(store, settings_, model_, &placement);

    view_ = new CKirikoView(model_, settings_, &sound_, this);
    setCentralWidget(view_);
    CreateCommands();
    connect(view_, &CKirikoView::CommandStateChanged, this, &CMainFrame::UpdateCommandStates);
    UpdateCommandStates();

    setWindowTitle(QStringLiteral("Popwright"));
    resize(800, 600);
    view_->setFocus();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateCommands() {
    undo_ = MakeAction(this, "editUndo", tr("&Undo"), tr("Undo"), tr("Undo"));
    undo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    smaller_ = MakeAction(this, "cursorSmaller", tr("&Smaller"), tr("Smaller"), tr("Smaller"));
    smaller_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    larger_ = MakeAction(this, "cursorLarger", tr("&Larger"), tr("Larger"), tr("Larger"));
    larger_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    hide_ = MakeAction(this, "hideCursor", tr("&Hide"), QString(), QString());
    mirror_ = MakeAction(this, "mirrorMode", tr("Mirror mode"), tr("Mirror mode"), tr("Mirror mode"));
    mirror_->setCheckable(true);
    check_ = MakeAction(this, "checkInvalidFigure", tr("&Check Invalid Figure"), tr("Check"),
                        tr("Check the invalid figure"));
    check_->setCheckable(true);
    home_ = MakeAction(this, "homePosition", tr("Home position"), tr("Home"), tr("Home position"));
    horizontal_ = MakeAction(this, "editHorizontal", tr("Horizontal"), QString(), QString());
    vertical_ = MakeAction(this, "editVertical", tr("Vertical"), QString(), QString());
    horizontal_->setCheckable(true);
    vertical_->setCheckable(true);

    connect(undo_, &QAction::triggered, view_, &CKirikoView::OnEditUndo);
    connect(smaller_, &QAction::triggered, view_, &CKirikoView::OnCursorSmaller);
    connect(larger_, &QAction::triggered, view_, &CKirikoView::OnCursorLarger);
    connect(hide_, &QAction::triggered, view_, &CKirikoView::OnHideCursor);
    connect(mirror_, &QAction::triggered, view_, &CKirikoView::OnMirrorMode);
    connect(check_, &QAction::triggered, view_, &CKirikoView::OnCheckInvalidFigure);
    connect(home_, &QAction::triggered, view_, &CKirikoView::OnHomePosition);
    connect(horizontal_, &QAction::triggered, view_, &CKirikoView::OnEditHorizontal);
    connect(vertical_, &QAction::triggered, view_, &CKirikoView::OnEditVertical);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(undo_);
    QMenu* cursor = menuBar()->addMenu(tr("&Cursor"));
    cursor->addAction(smaller_);
    cursor->addAction(larger_);
    cursor->addAction(hide_);
    QMenu* setting = menuBar()->addMenu(tr("&Setting"));
    setting->addAction(check_);
    for (QMenu* menu : {edit, cursor, setting})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);

    QToolBar* tools = addToolBar(tr("Toolbar"));
    tools->setObjectName(QStringLiteral("toolbar"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(smaller_);
    tools->addAction(larger_);
    tools->addSeparator();
    tools->addAction(mirror_);
    tools->addAction(home_);
    tools->addAction(undo_);
    tools->addSeparator();
    tools->addAction(horizontal_);
    tools->addAction(vertical_);
    tools->addSeparator();
    tools->addAction(check_);
}

void CMainFrame::UpdateCommandStates() {
    const EditKeyHandler& keys = view_->Keys();
    const EditState& e = model_.edit;
    undo_->setEnabled(keys.CanEditUndo());
    smaller_->setEnabled(keys.CanCursorSmaller());
    larger_->setEnabled(keys.CanCursorLarger());
    hide_->setText(e.cursorVisible ? tr("Hide") : tr("Show"));
    mirror_->setChecked(e.mirrorMode);
    check_->setChecked(e.checkInvalidFigure);
    horizontal_->setChecked(e.editPlane == 0);
    vertical_->setChecked(e.editPlane == 1);
}

}  // namespace pw
