#include "view3d/KirikoView.h"

#include <GL/gl.h>

#include <cmath>
#include <optional>

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "view3d/FacePicking.h"
#include "view3d/FoldMap.h"
#include "view3d/GlRenderSink.h"

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

CKirikoView::CKirikoView(EditedCard& model, AppSettings& settings, SoundSink* sound, QWidget* parent)
    : QOpenGLWidget(parent), model_(model), ops_(model, settings, sound), keys_(model, ops_), renderer_(model, settings) {
    setFocusPolicy(Qt::StrongFocus);
    // About sixty steps a second; each one only asks for a redraw.
    foldTimer_.setInterval(16);
    connect(&foldTimer_, &QTimer::timeout, this, &CKirikoView::AdvanceFoldAnimation);
}

void CKirikoView::UseAsDefaultSurfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    QSurfaceFormat::setDefaultFormat(format);
}

int CKirikoView::VirtualKeyFor(int qtKey) {
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

void CKirikoView::SetupCamera() {
    camera_.SetClientSize(width(), height());
    // A minimised window has no frustum; the last projection stays.
    if (!camera_.Setup(model_.grid.gridWidth) || !isValid()) return;
    const bool wasCurrent = QOpenGLContext::currentContext() == context();
    if (!wasCurrent) makeCurrent();
    ApplyProjection();
    if (!wasCurrent) doneCurrent();
}

void CKirikoView::ApplyProjection() {
    const qreal ratio = devicePixelRatioF();
    glViewport(0, 0, static_cast<GLsizei>(camera_.ClientWidth() * ratio),
               static_cast<GLsizei>(camera_.ClientHeight() * ratio));
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(camera_.Projection().data());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
}

void CKirikoView::initializeGL() {
    // A new context starts from the GL defaults.
    renderer_.ForgetGlState();
}

void CKirikoView::resizeGL(int, int) { SetupCamera(); }

void CKirikoView::paintGL() {
    // The context may have been created anew or the grid replaced since the
    // last set-up; the projection is cheap to load again.
    camera_.SetClientSize(width(), height());
    camera_.Setup(model_.grid.gridWidth);
    ApplyProjection();
    // The fold is one matrix over the kept geometry (the sink multiplies it
    // into the model-view matrix for the card alone); the opened card keeps
    // the identity, and nothing is derived again for a new angle.
    renderer_.SetFoldAngle(foldAngle_);
    GlRenderSink sink;
    renderer_.DrawFrame(sink);
    sink.Finish();
    ++frames_;
    const bool closing = model_.edit.checkClosing;
    const ClosingReport found = closing ? renderer_.Closing() : ClosingReport{};
    if (closing != closingShown_ || found.overhang != closingFound_.overhang ||
        found.columnRuns != closingFound_.columnRuns) {
        closingShown_ = closing;
        closingFound_ = found;
        emit ClosingChecked();
    }
}

void CKirikoView::SetFoldAngle(double degrees) {
    foldTimer_.stop();
    const double angle = std::isfinite(degrees) ? std::clamp(degrees, kClosedAngle, kFlatAngle) : kOpenAngle;
    if (angle == foldAngle_) return;
    foldAngle_ = angle;
    update();
    emit FoldAngleChanged(foldAngle_);
}

void CKirikoView::StepFoldAngle(int direction) {
    // Steps land on multiples of 15, so stepping back to 90 gives the opened card.
    const double from = foldAngle_;
    const double step = kFoldStep * (direction > 0 ? 1 : -1);
    double next = std::round(from / kFoldStep) * kFoldStep;
    if ((direction > 0 && next <= from) || (direction < 0 && next >= from)) next += step;
    SetFoldAngle(next);
}

void CKirikoView::OnOpenCard() { AnimateFoldTo(kOpenAngle); }

void CKirikoView::OnCloseCard() { AnimateFoldTo(kClosedAngle); }

void CKirikoView::AnimateFoldTo(double target) {
    if (foldAngle_ == target) {
        foldTimer_.stop();
        return;
    }
    foldFrom_ = foldAngle_;
    foldTo_ = target;
    foldClock_.start();
    foldTimer_.start();
}

void CKirikoView::AdvanceFoldAnimation() {
    const double t = std::min(1.0, static_cast<double>(foldClock_.elapsed()) / kFoldAnimationMs);
    // Eased at both ends, like a hand opening the card.
    const double eased = t * t * (3 - 2 * t);
    const double angle = t >= 1.0 ? foldTo_ : foldFrom_ + (foldTo_ - foldFrom_) * eased;
    if (t >= 1.0) foldTimer_.stop();
    if (angle == foldAngle_) return;
    foldAngle_ = angle;
    update();
    emit FoldAngleChanged(foldAngle_);
}

void CKirikoView::OpenForEditing() {
    if (foldAngle_ != kOpenAngle || foldTimer_.isActive()) {
        foldTimer_.stop();
        SetFoldAngle(kOpenAngle);
    }
}

void CKirikoView::OnUpdate() {
    SetupCamera();
    update();
    emit CommandStateChanged();
}

void CKirikoView::AfterViewCommand() {
    SetupCamera();
    update();
    emit CommandStateChanged();
}

void CKirikoView::OnHomePosition() {
    camera_.HomePosition();
    AfterViewCommand();
}

void CKirikoView::OnEditHorizontal() {
    keys_.OnEditHorizontal();
    update();
    emit CommandStateChanged();
}

void CKirikoView::OnEditVertical() {
    keys_.OnEditVertical();
    update();
    emit CommandStateChanged();
}

void CKirikoView::OnCursorSmaller() {
    keys_.OnCursorSmaller();
    AfterViewCommand();
}

void CKirikoView::OnCursorLarger() {
    keys_.OnCursorLarger();
    AfterViewCommand();
}

void CKirikoView::OnMirrorMode() {
    keys_.OnMirrorMode();
    AfterViewCommand();
}

void CKirikoView::OnHideCursor() {
    keys_.OnHideCursor();
    AfterViewCommand();
}

void CKirikoView::OnCheckInvalidFigure() {
    keys_.OnCheckInvalidFigure();
    AfterViewCommand();
}

void CKirikoView::OnCheckClosing() {
    keys_.OnCheckClosing();
    AfterViewCommand();
}

void CKirikoView::OnEditUndo() {
    OpenForEditing();
    keys_.OnEditUndo();
    update();
    emit CommandStateChanged();
}

void CKirikoView::OnEditRedo() {
    OpenForEditing();
    keys_.OnEditRedo();
    update();
    emit CommandStateChanged();
}

void CKirikoView::keyPressEvent(QKeyEvent* event) {
    if (IsCommandKey(event)) {
        event->accept();
        return;
    }
    const int key = VirtualKeyFor(event->key());
    if (key != 0 && key != KEY_CTRL) OpenForEditing();
    // Held keys repeat: every repeat is an edit of its own with its own undo step.
    if (keys_.OnKeyDown(key)) {
        update();
        emit CommandStateChanged();
        if (keys_.LastRefusal() != EditRefusal::None) emit EditRefused(keys_.LastRefusal());
    }
    event->accept();
}

void CKirikoView::keyReleaseEvent(QKeyEvent* event) {
    // The window system reports a held key as release/press pairs; only the
    // real release lets go of Ctrl.
    if (event->isAutoRepeat()) return;
    if (event->key() == Qt::Key_Control) {
        keys_.OnKeyUp(KEY_CTRL);
        event->accept();
        return;
    }
    QOpenGLWidget::keyReleaseEvent(event);
}

void CKirikoView::mousePressEvent(QMouseEvent* event) {
    // The widget keeps the mouse while a button is down, so the release always arrives.
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        camera_.BeginDrag(p.x(), p.y(), event->modifiers() & Qt::ShiftModifier, event->modifiers() & Qt::ControlModifier);
    }
    event->accept();
}

void CKirikoView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (camera_.DragTo(p.x(), p.y())) {
        SetupCamera();
        update();
    }
    event->accept();
}

void CKirikoView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPointF p = event->position();
        const QPoint at = p.toPoint();
        // A press and release without a drag between them is a click: it
        // picks the face under the pointer's pixel centre.
        if (camera_.EndDrag(at.x(), at.y())) OnClickAt(std::floor(p.x()) + 0.5, std::floor(p.y()) + 0.5);
    }
    event->accept();
}

bool CKirikoView::OnClickAt(double x, double y) {
    PointerRay ray;
    if (!camera_.RayThrough(x, y, ray)) return false;
    // On a folded card the ray is taken back to the opened card, where the
    // faces lie as the sheet holds them (the fold is affine, so the nearest
    // face stays the nearest). Closed or flat, faces lie on top of each
    // other and no face can be told from the picture: nothing is picked.
    if (foldAngle_ != kOpenAngle) {
        Matrix4 unfold;
        if (!UnfoldMatrix(foldAngle_, unfold)) return false;
        for (Point3* p : {&ray.nearPoint, &ray.farPoint}) {
            const Vertex v = Transform(unfold, {p->x, p->y, p->z});
            *p = {v.x, v.y, v.z};
        }
    }
    const std::optional<FaceHit> hit = PickFace(renderer_.Sheet().Cells(), ray);
    if (!hit) return false;
    // The cursor is placed on the opened card, where it is edited.
    OpenForEditing();
    const CursorTarget target = CursorTargetOf(*hit);
    keys_.OnPlaceCursor(target.plane, target.column, target.row);
    update();
    emit CommandStateChanged();
    return true;
}

void CKirikoView::wheelEvent(QWheelEvent* event) {
    // Away from the user brings the card closer, in the Shift-drag's steps.
    if (camera_.Wheel(event->angleDelta().y())) {
        SetupCamera();
        update();
    }
    event->accept();
}

}  // namespace pw
