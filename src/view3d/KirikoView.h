#pragma once
#include <QOpenGLWidget>
#include <optional>

#include "edit/FoldMotion.h"
#include "view3d/Camera.h"
#include "view3d/CardRenderer.h"
#include "view3d/FacePicking.h"

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace pw {

struct AppSettings;
struct EditedCard;

// The 3D view: the card in an OpenGL window at the fold angle it is given,
// turned, panned and zoomed with the mouse. It tells which face lies under a
// point and hands keys and clicks on to the editor, which shapes the card.
// The card and the settings belong to the caller and must outlive the view. The GL
// context is current only while painting and inside SetupCamera.
class CKirikoView : public QOpenGLWidget {
    Q_OBJECT
public:
    // `sharedSheet`, when given, is the kept sheet the frames bring up to
    // date (the document's); it must outlive the view.
    CKirikoView(EditedCard& model, AppSettings& settings, QWidget* parent = nullptr,
                KeptGridSheet* sharedSheet = nullptr);

    // Rebuilds the projection for the current client size and grid width.
    void SetupCamera();
    // Repaints at the next chance, without erasing.
    void RequestRedraw() { update(); }

    // Draws `shown` (a free-form card's sheet) instead of the edited grid;
    // nullptr goes back to the grid. It must outlive the frames that show it.
    void ShowSheet(const ShownSheet* shown);
    // The shown sheet changed (an edit of a free-form card): drawn anew from
    // where the camera is.
    void ShowSheetKeepingCamera(const ShownSheet* shown);
    bool ShowsSheet() const { return renderer_.ShownSheetOrNull() != nullptr; }

    // The document changed the card or the settings.
    void OnUpdate();

    // The camera's command: back to the first view of the card.
    void OnHomePosition();

    // The fold angle the card is drawn at (held within 0 .. 180): 90 opened,
    // 0 closed, 180 laid flat. The editor decides it; the view only draws.
    double FoldAngle() const { return foldAngle_; }
    void SetFoldAngle(double degrees);
    // What the closing check found at the last frame it ran in.
    const ClosingReport& Closing() const { return renderer_.Closing(); }

    const Camera& ViewCamera() const { return camera_; }
    // Frames drawn so far, for tests of the redraw requests.
    int FrameCount() const { return frames_; }

    // The context the view draws in, made the default for every window: the
    // view draws with OpenGL 1.1, so a compatibility-profile, double-buffered
    // RGBA context with a depth buffer. Called before the application object
    // exists, by the program and alike by its tests and benchmarks, so that
    // they measure and compare pictures of the program's own context.
    static void UseAsDefaultSurfaceFormat();

    // The face drawn under the client point (x, y), if any. On a folded
    // card it is found where the fold takes it; closed or flat, faces lie on
    // each other and none can be told from the picture.
    std::optional<FaceHit> FaceAt(double x, double y) const;
    // The flat whose face or roof is drawn under the client point of a
    // free-form card's sheet, by index in the card; -1 for none.
    int FlatAt(double x, double y) const;

    // The piece of the card's sheet outlined on the opened card; -1 for none.
    void SetHighlightedPiece(int piece);
    // Rings the buildability check's findings on the opened card; empty for none.
    void SetMarkedSpots(std::vector<MarkedSpot> spots);
    const std::vector<MarkedSpot>& MarkedSpots() const { return renderer_.MarkedSpots(); }

signals:
    // Something that a command's enabling, check mark or text shows changed.
    void CommandStateChanged();
    // A frame ran the closing check, or the check was switched.
    void ClosingChecked();
    // The keys go to the editor, which accepts or ignores them; the view
    // keeps the keyboard focus so that they arrive here.
    void KeyPressed(QKeyEvent* event);
    void KeyReleased(QKeyEvent* event);
    // A press and release without a drag between them, at the client point.
    void Clicked(double x, double y);
    // The pointer moved over the view with no button down (mouse tracking on).
    void Hovered(double x, double y);
    // Ctrl + left drag on a flat of a free-form card: the pointer went
    // `pixelsUp` pixels up from the press (0 at the press), with Shift held
    // for `fine` steps; dropped at the release. Without a flat under the
    // press, Ctrl drags the camera as on a grid card.
    void FlatDepthDragged(int flat, double pixelsUp, bool fine);
    void FlatDepthDropped(int flat, double pixelsUp, bool fine);

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
    // The ray under the client point, taken back to the opened card; false
    // when there is none or the card is closed or laid flat.
    bool OpenedCardRay(double x, double y, PointerRay& ray) const;

    EditedCard& model_;
    CardRenderer renderer_;
    Camera camera_;
    int frames_ = 0;
    double foldAngle_ = kOpenAngle;
    bool closingShown_ = false;   // the check was on at the last frame
    ClosingReport closingFound_;  // and found this
    int draggedFlat_ = -1;        // the flat a depth drag moves, while one runs
    int dragPressY_ = 0;
};

}  // namespace pw
