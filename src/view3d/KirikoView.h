#pragma once
#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QTimer>

#include "edit/EditKeys.h"
#include "edit/EditOperations.h"
#include "view3d/Camera.h"
#include "view3d/CardRenderer.h"

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace pw {

struct AppSettings;
struct EditedCard;
class SoundSink;

// The 3D view: the opened card in an OpenGL window, turned, panned and
// zoomed with the mouse and shaped from the keyboard. The card, its history
// and the settings belong to the caller and must outlive the view. The GL
// context is current only while painting and inside SetupCamera.
class CKirikoView : public QOpenGLWidget {
    Q_OBJECT
public:
    CKirikoView(EditedCard& model, AppSettings& settings, SoundSink* sound, QWidget* parent = nullptr);

    // Rebuilds the projection for the current client size and grid width.
    void SetupCamera();
    // Repaints at the next chance, without erasing.
    void RequestRedraw() { update(); }

    // The document changed the card or the settings.
    void OnUpdate();

    // Commands of the view.
    void OnHomePosition();
    void OnEditHorizontal();
    void OnEditVertical();
    void OnCursorSmaller();
    void OnCursorLarger();
    void OnMirrorMode();
    void OnHideCursor();
    void OnCheckInvalidFigure();
    void OnCheckClosing();
    void OnEditUndo();
    void OnEditRedo();

    // The fold angle the card is shown at: 90 opened (the only angle at
    // which it is edited), 0 closed, 180 laid flat. It belongs to the view
    // alone and is never stored.
    double FoldAngle() const { return foldAngle_; }
    // Shows the card at the angle (held within 0 .. 180); stops an animation.
    void SetFoldAngle(double degrees);
    // One step of the fold keys: 15 degrees further open (+1) or closed (-1).
    void StepFoldAngle(int direction);
    // Open card, Close card: the fold moves to 90 or 0 degrees over about a
    // second, driven by a timer, so input goes on meanwhile.
    void OnOpenCard();
    void OnCloseCard();
    bool FoldAnimating() const { return foldTimer_.isActive(); }
    static constexpr double kFoldStep = 15.0;
    static constexpr int kFoldAnimationMs = 1000;
    // What the closing check found at the last frame it ran in.
    const ClosingReport& Closing() const { return renderer_.Closing(); }

    const EditKeyHandler& Keys() const { return keys_; }
    const Camera& ViewCamera() const { return camera_; }
    // Frames drawn so far, for tests of the redraw requests.
    int FrameCount() const { return frames_; }

    // The edit handler's code for a Qt key; 0 for keys it does not know.
    static int VirtualKeyFor(int qtKey);

    // The context the view draws in, made the default for every window: the
    // view draws with OpenGL 1.1, so a compatibility-profile, double-buffered
    // RGBA context with a depth buffer. Called before the application object
    // exists, by the program and alike by its tests and benchmarks, so that
    // they measure and compare pictures of the program's own context.
    static void UseAsDefaultSurfaceFormat();

    // A click at the client point (x, y): the edit cursor goes onto the
    // cell of the face under it, in that face's plane; a click on nothing
    // changes nothing. True when a face was hit.
    bool OnClickAt(double x, double y);

signals:
    // Something that a command's enabling, check mark or text shows changed.
    void CommandStateChanged();
    // The fold angle changed (by a command, a key, the animation or the slider).
    void FoldAngleChanged(double degrees);
    // A frame ran the closing check, or the check was switched.
    void ClosingChecked();
    // An edit key changed nothing, for the reason given; the window words it.
    void EditRefused(pw::EditRefusal reason);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Viewport and projection matrix; the context must be current.
    void ApplyProjection();
    void AfterViewCommand();  // camera, redraw and command states
    void AnimateFoldTo(double target);
    void AdvanceFoldAnimation();
    // Editing is done on the opened card: an edit key or Undo first brings it back.
    void OpenForEditing();

    EditedCard& model_;
    EditOperations ops_;
    EditKeyHandler keys_;
    CardRenderer renderer_;
    Camera camera_;
    int frames_ = 0;
    double foldAngle_ = 90.0;
    double foldFrom_ = 90.0, foldTo_ = 90.0;
    QTimer foldTimer_;
    QElapsedTimer foldClock_;
    bool closingShown_ = false;   // the check was on at the last frame
    ClosingReport closingFound_;  // and found this
};

}  // namespace pw
