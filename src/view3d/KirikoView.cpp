#include "view3d/KirikoView.h"

#include <GL/gl.h>

#include <cmath>
#include <optional>

#include <QKeyEvent>
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
#include "view3d/SheetPicking.h"

namespace pw {

CKirikoView::CKirikoView(EditedCard& model, AppSettings& settings, QWidget* parent, KeptGridSheet* sharedSheet)
    : QOpenGLWidget(parent), model_(model), renderer_(model, settings, sharedSheet) {
    setFocusPolicy(Qt::StrongFocus);
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

void CKirikoView::SetupCamera() {
    camera_.SetClientSize(width(), height());
    // A minimised window has no frustum; the last projection stays.
    if (!camera_.Setup(renderer_.ViewWidth()) || !isValid()) return;
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
    camera_.Setup(renderer_.ViewWidth());
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
    const double angle = std::isfinite(degrees) ? std::clamp(degrees, kClosedAngle, kFlatAngle) : kOpenAngle;
    if (angle == foldAngle_) return;
    foldAngle_ = angle;
    update();
}

void CKirikoView::ShowSheet(const ShownSheet* shown) {
    renderer_.ShowSheet(shown);
    SetupCamera();
    update();
}

void CKirikoView::ShowSheetKeepingCamera(const ShownSheet* shown) {
    renderer_.ShowSheet(shown);
    update();
    emit CommandStateChanged();
}

void CKirikoView::OnUpdate() {
    SetupCamera();
    update();
    emit CommandStateChanged();
}

void CKirikoView::OnHomePosition() {
    camera_.HomePosition();
    SetupCamera();
    update();
    emit CommandStateChanged();
}

void CKirikoView::keyPressEvent(QKeyEvent* event) { emit KeyPressed(event); }

void CKirikoView::keyReleaseEvent(QKeyEvent* event) { emit KeyReleased(event); }

void CKirikoView::mousePressEvent(QMouseEvent* event) {
    // The widget keeps the mouse while a button is down, so the release always arrives.
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        const bool shift = event->modifiers() & Qt::ShiftModifier;
        if (event->modifiers() & Qt::ControlModifier) draggedFlat_ = FlatAt(event->position().x(), event->position().y());
        if (draggedFlat_ >= 0) {
            dragPressY_ = p.y();
            emit FlatDepthDragged(draggedFlat_, 0, shift);
            event->accept();
            return;
        }
        camera_.BeginDrag(p.x(), p.y(), event->modifiers() & Qt::ShiftModifier, event->modifiers() & Qt::ControlModifier);
    }
    event->accept();
}

void CKirikoView::SetHighlightedPiece(int piece) {
    if (renderer_.HighlightedPiece() == piece) return;
    renderer_.SetHighlightedPiece(piece);
    update();
}

void CKirikoView::SetMarkedSpots(std::vector<MarkedSpot> spots) {
    if (spots.empty() && renderer_.MarkedSpots().empty()) return;
    renderer_.SetMarkedSpots(std::move(spots));
    update();
}

void CKirikoView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (draggedFlat_ >= 0) {
        emit FlatDepthDragged(draggedFlat_, dragPressY_ - p.y(), event->modifiers() & Qt::ShiftModifier);
    } else if (camera_.DragTo(p.x(), p.y())) {
        SetupCamera();
        update();
    } else if (event->buttons() == Qt::NoButton) {
        emit Hovered(event->position().x(), event->position().y());
    }
    event->accept();
}

void CKirikoView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && draggedFlat_ >= 0) {
        const int flat = draggedFlat_;
        draggedFlat_ = -1;
        emit FlatDepthDropped(flat, dragPressY_ - event->position().toPoint().y(),
                              event->modifiers() & Qt::ShiftModifier);
    } else if (event->button() == Qt::LeftButton) {
        const QPointF p = event->position();
        const QPoint at = p.toPoint();
        // A press and release without a drag between them is a click: it
        // picks the face under the pointer's pixel centre.
        if (camera_.EndDrag(at.x(), at.y())) emit Clicked(std::floor(p.x()) + 0.5, std::floor(p.y()) + 0.5);
    }
    event->accept();
}

bool CKirikoView::OpenedCardRay(double x, double y, PointerRay& ray) const {
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
    return true;
}

std::optional<FaceHit> CKirikoView::FaceAt(double x, double y) const {
    // A card drawn from its sheet has no cells to pick (its flats: FlatAt).
    if (renderer_.ShownSheetOrNull()) return std::nullopt;
    PointerRay ray;
    if (!OpenedCardRay(x, y, ray)) return std::nullopt;
    return PickFace(renderer_.Sheet().Cells(), ray);
}

int CKirikoView::FlatAt(double x, double y) const {
    const ShownSheet* shown = renderer_.ShownSheetOrNull();
    PointerRay ray;
    if (!shown || !shown->sheet || !OpenedCardRay(x, y, ray)) return -1;
    return FlatOfPiece(shown->pieceFlats, PickSheetPiece(*shown->sheet, ray));
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
