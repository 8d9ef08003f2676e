#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include "edit/EditKeys.h"
#include "edit/EditOperations.h"
#include "edit/FoldMotion.h"

class QKeyEvent;

namespace pw {

struct AppSettings;
struct EditedCard;
class CKirikoView;
class SoundSink;

// The editor of the main window: the view's keys and clicks and the edit
// commands become edits of the card, the fold angle moves (and the view is
// told where to draw it), and the status texts of the cursor and of refused
// edits are worded. The rules live in the edit core (EditKeyHandler,
// FoldMotion); this adapter brings them Qt's events, timer and signals. The
// card, the settings and the view must outlive it.
class EditController : public QObject {
    Q_OBJECT
public:
    EditController(EditedCard& card, AppSettings& settings, SoundSink* sound, CKirikoView& view,
                   QObject* parent = nullptr);

    // The edit commands.
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

    // The fold angle the card is shown at; see FoldMotion.
    double FoldAngle() const { return fold_.Angle(); }
    // Shows the card at the angle (held within 0 .. 180); stops an animation.
    void SetFoldAngle(double degrees);
    // One step of the fold keys: 15 degrees further open (+1) or closed (-1).
    void StepFoldAngle(int direction);
    // Open card, Close card: the fold moves to 90 or 0 degrees over about a
    // second, driven by a timer, so input goes on meanwhile.
    void OnOpenCard();
    void OnCloseCard();
    bool FoldAnimating() const { return foldTimer_.isActive(); }

    // A free-form card is not edited in the window: its edit keys only say so.
    void SetCardEditable(bool editable) { editable_ = editable; }

    const EditKeyHandler& Keys() const { return keys_; }
    // Where the cursor stands, worded for the status bar.
    QString CursorText() const;

    // The edit handler's code for a Qt key; 0 for keys it does not know.
    static int VirtualKeyFor(int qtKey);

signals:
    // Something that a command's enabling, check mark or text shows changed.
    void CommandStateChanged();
    // The fold angle changed (by a command, a key, the animation or the slider).
    void FoldAngleChanged(double degrees);
    // An edit key changed nothing, for the reason worded here.
    void EditRefused(const QString& reason);

private:
    void KeyPressed(QKeyEvent* event);
    void KeyReleased(QKeyEvent* event);
    // A click: the cursor goes onto the cell of the face under it, in that
    // face's plane; a click on nothing changes nothing.
    void Clicked(double x, double y);
    void AdvanceFoldAnimation();
    void AnimateFoldTo(double target);
    // Editing is done on the opened card: an edit key, Undo or a click first brings it back.
    void OpenForEditing();
    // After a move of the fold: the timer runs while it moves, the view draws the angle.
    void FoldMoved(bool changed);
    void AfterEdit();  // redraw and command states
    void AfterViewCommand();  // camera, redraw and command states

    EditedCard& card_;
    CKirikoView& view_;
    EditOperations ops_;
    EditKeyHandler keys_;
    FoldMotion fold_;
    QTimer foldTimer_;
    bool editable_ = true;
    QElapsedTimer foldClock_;
    int framedWidth_ = 0, framedHeight_ = 0;  // the card size the camera was last set up for
};

}  // namespace pw
