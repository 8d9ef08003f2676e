#pragma once
#include <QOpenGLWidget>

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
    void OnEditUndo();
    void OnEditRedo();

    const EditKeyHandler& Keys() const { return keys_; }
    const Camera& ViewCamera() const { return camera_; }
    // Frames drawn so far, for tests of the redraw requests.
    int FrameCount() const { return frames_; }

    // The edit handler's code for a Qt key; 0 for keys it does not know.
    static int VirtualKeyFor(int qtKey);

    // A click at the client point (x, y): the edit cursor goes onto the
    // cell of the face under it, in that face's plane; a click on nothing
    // changes nothing. True when a face was hit.
    bool OnClickAt(double x, double y);

signals:
    // Something that a command's enabling, check mark or text shows changed.
    void CommandStateChanged();
    // An edit key changed nothing, for the reason given.
    void EditRefused(const QString& reason);

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

    EditedCard& model_;
    EditOperations ops_;
    EditKeyHandler keys_;
    CardRenderer renderer_;
    Camera camera_;
    int frames_ = 0;
};

}  // namespace pw
