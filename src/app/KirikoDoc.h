#pragma once
#include <QObject>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "document/CardDocument.h"
#include "document/RecoveryCopy.h"
#include "model/CellGrid.h"
#include "model/freeform/FreeformChecks.h"
#include "view3d/SheetGeometry.h"

class QWidget;

namespace pw {

struct AppSettings;
class UserPrompts;

// The single document: the card with its edits, the card's title and file,
// the File commands, the Setting command and the enabling of the cursor size
// commands. The document owns the card; the view edits it through its
// command stack, which tells the document of every change.
//
// The document remembers the card's shape as it was last created, opened or
// saved; the card counts as modified while it differs from that shape, so an
// undo back to it counts as unchanged.
class CKirikoDoc : public QObject {
    Q_OBJECT
public:
    CKirikoDoc(AppSettings& settings, UserPrompts& prompts, QObject* parent = nullptr);
    ~CKirikoDoc() override;

    // The card, its edits and its cursor.
    EditedCard& Card() { return doc_.Card(); }
    const EditedCard& Card() const { return doc_.Card(); }
    // The document core that reads, saves, derives and exports the card.
    CardDocument& Document() { return doc_; }

    // The window that dialogs and message boxes belong to.
    void SetWindow(QWidget* window) { window_ = window; }

    const QString& Title() const { return title_; }
    // Full path of the card file last opened or saved; empty when the card
    // has no file.
    const QString& currentCardPath() const { return currentCardPath_; }

    bool IsModified() const;
    // Takes the current card as the unchanged state (after the first card of
    // a run was made).
    void MarkUnmodified();
    // Re-evaluates IsModified after an edit or undo and reports a change.
    void RefreshModified();
    // Asks Save / Discard / Cancel when the card has unsaved changes; true
    // when the caller may go on replacing or closing it.
    bool SaveModified();

    // File New: a new card of the settings' size without a file, "Untitled".
    void OnFileNew();
    void OnFileOpen();
    // A new card without a file, "Untitled", read from the card file at
    // `path` (a design of the gallery); after the unsaved-changes question.
    // A file that cannot be read leaves the card as it was, with a message.
    bool NewCardFrom(const QString& path);
    // Opens a card from the recent-card list, after the unsaved-changes question.
    void OnFileOpenRecent(const QString& path);
    // Save: into the card's file, or, for a card without one, as Save As.
    void OnFileSave();
    void OnFileSaveAs();
    // Convert to Free-Form Card: the grid card becomes a free-form card with
    // the same pattern, unsaved and without a file; its tunnels become
    // plain holes, which the status bar says.
    void OnConvertToFreeform();
    // One change of the free-form card (from the front view, the flat list
    // or flats brought in from text, drawings, pictures or models): the
    // document holds `edited` from now on, and freeformEdited() tells the
    // views. Ignored for a grid card.
    void EditFreeform(FreeformCard edited);
    // Edit > Undo and Redo for a free-form card: the card before its newest
    // edit, or after its newest undone one, shown as an edit is.
    void UndoFreeformEdit();
    void RedoFreeformEdit();
    // Runs the settings dialog and applies it after OK.
    void OnSetting();

    // Reads the card file at `path` into the model; on success it becomes
    // the document's file. Shows the messages of a failed read.
    bool OpenCardFile(const QString& path);
    // Takes over a card recovered after a crash, of the kind it was: it has
    // no file, counts as changed until saved, and is called `title`.
    void OpenRecoveredCard(RecoveryCopy&& copy, const QString& title);

    // A free-form card is shown from its sheet and edited whole (EditFreeform).
    bool IsFreeform() const { return doc_.Kind() == CardKind::Freeform; }
    // What the 3D view draws of a free-form card (its sheet, the pieces at
    // fault marked); nullptr for a grid card.
    const ShownSheet* ShownFreeform() const { return IsFreeform() ? &shownFreeform_ : nullptr; }
    // Whether the free-form card's closed card holds it, and what sticks out.
    const FreeformClosing& FreeformClosingFound() const { return freeformClosing_; }

    bool CanCursorSmaller() const;
    bool CanCursorLarger() const;

    // The file dialogs' filter; the Open dialog offers all files too.
    static QString FileFilter();
    static QString OpenFileFilter();
    static QString FreeformFileFilter();

signals:
    void titleChanged(const QString& title);
    void modifiedChanged(bool modified);
    // The card was replaced or the settings changed: views set up their
    // camera again and repaint.
    void updateAllViews();
    // A card file was read or written whole (full path): it is a recent card.
    void cardFileUsed(const QString& path);
    // A card file could not be read: it is no longer a recent card.
    void cardFileUnreadable(const QString& path);
    // Something to say of a card file that was read, for the status bar.
    void cardFileNote(const QString& text);
    // The grid card was edited, undone, redone or replaced.
    void gridCardChanged();
    // The free-form card was edited: views draw it anew, keeping their camera.
    void freeformEdited();

private:
    // Saves the card to `path` through the document core's safe write path;
    // shows "File open failed." or "File save failed." and returns false on failure.
    bool WriteCardFile(const QString& path);
    // Save's work; false when cancelled or failed.
    bool SaveCard();
    bool SaveCardAs();
    void SetTitle(const QString& title);
    void SetSavedShape();
    // Builds the free-form card's sheet and checks anew for the view.
    void RefreshFreeform();

    CardDocument doc_;
    EditedCard& model_ = doc_.Card();
    int changeListener_ = 0;
    AppSettings& settings_;
    UserPrompts& prompts_;
    QWidget* window_ = nullptr;
    QString title_;
    QString currentCardPath_;
    CellGrid savedShape_;  // the card as last created, opened or saved
    std::string savedFreeform_;  // a free-form card's file bytes then
    bool reportedModified_ = false;
    bool convertedUnsaved_ = false;  // a conversion or a recovered free-form card not yet saved
    std::vector<FlatProblem> freeformProblems_;
    FreeformClosing freeformClosing_;
    ShownSheet shownFreeform_;
};

}  // namespace pw
