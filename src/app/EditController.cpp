#include "app/EditController.h"

#include <QKeyEvent>
#include <optional>

#include "app/ShownTexts.h"
#include "edit/CursorStatus.h"
#include "edit/EditedCard.h"
#include "view3d/FacePicking.h"
#include "view3d/KirikoView.h"

namespace pw {

namespace {

// Key combinations that belong to the frame's commands. When a command is
// disabled its shortcut does not fire and the key arrives here instead; it
// must then do nothing, so that Ctrl+Z with an empty history never lowers.
bool IsCommandKey(const QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    switch (e->key()) {
        case Qt::Key_Z:
            return mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier);
        case Qt::Key_Y:
        case Qt::Key_K:
        case Qt::Key_L:
            return mods == Qt::ControlModifier;
        case Qt::Key_Backspace:
            return mods == Qt::AltModifier;
        default:
            return false;
    }
}

}  // namespace

EditController::EditController(EditedCard& card, AppSettings& settings, SoundSink* sound, CKirikoView& view,
                               QObject* parent)
    : QObject(parent), card_(card), view_(view), ops_(card, settings, sound), keys_(card, ops_) {
    // About sixty steps a second; each one only asks for a redraw.
    foldTimer_.setInterval(16);
    connect(&foldTimer_, &QTimer::timeout, this, &EditController::AdvanceFoldAnimation);
    connect(&view_, &CKirikoView::KeyPressed, this, &EditController::KeyPressed);
    connect(&view_, &CKirikoView::KeyReleased, this, &EditController::KeyReleased);
    connect(&view_, &CKirikoView::Clicked, this, &EditController::Clicked);
    view_.SetFoldAngle(fold_.Angle());
}

int EditController::VirtualKeyFor(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Control: return KEY_CTRL;
        case Qt::Key_Space: return KEY_SPACE;
        case Qt::Key_Left: return KEY_LEFT;
        case Qt::Key_Up: return KEY_UP;
        case Qt::Key_Right: return KEY_RIGHT;
        case Qt::Key_Down: return KEY_DOWN;
        case Qt::Key_Z: return KEY_Z;
        default: return 0;
    }
}

QString EditController::CursorText() const { return CursorStatusShown(CursorStatusOf(card_)); }

void EditController::FoldMoved(bool changed) {
    if (!fold_.Moving()) foldTimer_.stop();
    if (!changed) return;
    view_.SetFoldAngle(fold_.Angle());
    emit FoldAngleChanged(fold_.Angle());
}

void EditController::SetFoldAngle(double degrees) { FoldMoved(fold_.Set(degrees)); }

void EditController::StepFoldAngle(int direction) { FoldMoved(fold_.Step(direction)); }

void EditController::OnOpenCard() { AnimateFoldTo(kOpenAngle); }

void EditController::OnCloseCard() { AnimateFoldTo(kClosedAngle); }

void EditController::AnimateFoldTo(double target) {
    if (!fold_.StartMoveTo(target)) {
        foldTimer_.stop();
        return;
    }
    foldClock_.start();
    foldTimer_.start();
}

void EditController::AdvanceFoldAnimation() {
    FoldMoved(fold_.Advance(static_cast<double>(foldClock_.elapsed())));
}

void EditController::OpenForEditing() { FoldMoved(fold_.OpenForEditing()); }

void EditController::AfterEdit() {
    // Undoing or redoing a change of the card's size changes what the camera frames.
    if (card_.grid.gridWidth != framedWidth_ || card_.grid.gridHeight != framedHeight_) {
        framedWidth_ = card_.grid.gridWidth;
        framedHeight_ = card_.grid.gridHeight;
        view_.SetupCamera();
    }
    view_.update();
    emit CommandStateChanged();
}

void EditController::AfterViewCommand() {
    view_.SetupCamera();
    AfterEdit();
}

void EditController::OnEditHorizontal() {
    keys_.OnEditHorizontal();
    AfterEdit();
}

void EditController::OnEditVertical() {
    keys_.OnEditVertical();
    AfterEdit();
}

void EditController::OnCursorSmaller() {
    keys_.OnCursorSmaller();
    AfterViewCommand();
}

void EditController::OnCursorLarger() {
    keys_.OnCursorLarger();
    AfterViewCommand();
}

void EditController::OnMirrorMode() {
    keys_.OnMirrorMode();
    AfterViewCommand();
}

void EditController::OnHideCursor() {
    keys_.OnHideCursor();
    AfterViewCommand();
}

void EditController::OnCheckInvalidFigure() {
    keys_.OnCheckInvalidFigure();
    AfterViewCommand();
}

void EditController::OnCheckClosing() {
    keys_.OnCheckClosing();
    AfterViewCommand();
}

void EditController::OnEditUndo() {
    OpenForEditing();
    keys_.OnEditUndo();
    AfterEdit();
}

void EditController::OnEditRedo() {
    OpenForEditing();
    keys_.OnEditRedo();
    AfterEdit();
}

void EditController::KeyPressed(QKeyEvent* event) {
    event->accept();
    if (IsCommandKey(event)) return;
    const int key = VirtualKeyFor(event->key());
    if (!editable_) {
        if (key != 0 && key != KEY_CTRL)
            emit EditRefused(tr("This is a free-form card: draw its flats in the front view."));
        return;
    }
    if (key != 0 && key != KEY_CTRL) OpenForEditing();
    // Held keys repeat: every repeat is an edit of its own with its own undo step.
    if (!keys_.OnKeyDown(key)) return;
    AfterEdit();
    if (keys_.LastRefusal() == EditRefusal::None) return;
    const QString reason = RefusalShown(keys_.LastRefusal());
    if (!reason.isEmpty()) emit EditRefused(reason);
}

void EditController::KeyReleased(QKeyEvent* event) {
    // The window system reports a held key as release/press pairs; only the
    // real release lets go of Ctrl.
    if (event->isAutoRepeat()) return;
    if (event->key() == Qt::Key_Control) {
        keys_.OnKeyUp(KEY_CTRL);
        event->accept();
        return;
    }
    event->ignore();  // as a widget does with a key it has no use for
}

void EditController::Clicked(double x, double y) {
    const std::optional<FaceHit> hit = view_.FaceAt(x, y);
    if (!hit) return;
    // The cursor is placed on the opened card, where it is edited.
    OpenForEditing();
    const CursorTarget target = CursorTargetOf(*hit);
    keys_.OnPlaceCursor(target.plane, target.column, target.row);
    AfterEdit();
}

}  // namespace pw
