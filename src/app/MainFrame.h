#pragma once
#include <QMainWindow>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

#include "app/QtSoundPlayer.h"
#include "app/RecentCards.h"
#include "model/AppSettings.h"
#include "output/PatternOptions.h"

class QAction;
class QDockWidget;
class QLabel;
class QSlider;
class QToolBar;

namespace pw {

class CardRecovery;
class CKirikoDoc;
class EditController;
class FrontViewDock;
struct EditedCard;
class CKirikoView;
class PatternPrinting;
class PatternPane;
class FlatListDock;
class SettingsStore;
class UserPrompts;

// The main window: the menus, the toolbar, the status bar and the 3D view.
// It owns the settings, the sounds and the document (which owns the card). Creating it
// loads the settings (which makes the first card) and puts the window where
// it was; closing it asks about unsaved changes and then saves the settings,
// the window's placement and the toolbar's state.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(SettingsStore& store, UserPrompts& prompts, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKirikoView* View() const { return view_; }
    // The editor: the view's keys and clicks, the edit commands and the fold.
    EditController* Editor() const { return editor_.get(); }
    CKirikoDoc& Doc() { return *doc_; }
    // The recovery copies of the card's unsaved changes.
    CardRecovery& Recovery() { return *recovery_; }
    EditedCard& Model();
    AppSettings& Settings() { return settings_; }
    QToolBar* ToolBar() const { return toolBar_; }
    // The toolbar's fold angle slider (0 .. 180 degrees) and the status
    // bar's pane for the closing check.
    QSlider* FoldSlider() const { return foldSlider_; }
    QLabel* ClosingPane() const { return closingPane_; }
    // The printer that Print, Print preview and Print setup share.
    PatternPrinting& Printing() { return *printing_; }
    // The action of a command id (see CommandTable.h), or nullptr.
    QAction* Action(int id) const;
    // Whether creation found a stored placement and applied it.
    bool PlacementRestored() const { return placementRestored_; }
    // The recent cards the File menu lists, newest first.
    const RecentCards& Recent() const { return recent_; }
    // The File menu's entry of recent card `index` (0 is the newest).
    QAction* RecentCardAction(int index) const;
    // The status bar's pane that shows where the cursor is.
    QLabel* CursorPane() const { return cursorPane_; }

    // Enabling, check marks and texts of the commands from the current state.
    void UpdateCommandStates();
    // The places tried for the user guide, first existing one wins.
    void SetHelpCandidates(QStringList paths) { helpCandidates_ = std::move(paths); }

    // The pattern pane and the dock that holds it (hidden until asked for).
    PatternPane* Pattern() const { return patternPane_; }
    QDockWidget* PatternDock() const { return patternDock_; }
    // The front view of a free-form card and its dock.
    FrontViewDock* FrontDock() const { return frontDock_; }
    // The free-form card's flat list, shown for a free-form card unless the user closed it.
    FlatListDock* FlatList() const { return flatList_; }

    // The welcome, when the settings ask for it at start.
    void OfferWelcome();

public slots:
    void OnHelp();
    // New from Gallery: a new untitled card from the design picked.
    void NewFromGallery();
    // Card Size and Shift Relief: one undo step each, or a message why not.
    void ChangeCardSize();
    void ShiftAllRelief();
    void ShowWelcome();
    // Output commands: the unfolded pattern to a file, the clipboard or the
    // printer, and the relief as 3D data.
    void ExportDxf();
    void ExportUnfoldedPattern();
    void ShareWebPage();
    void CopyPatternAsEmf();
    void CopyPatternAsBmp();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    // Edit, Insert Text, Picture or Model: the insert dialog, then its
    // relief as one edit; a source that cannot be used is a message and
    // leaves the card as it was.
    void InsertRelief(int kind);

signals:
    // Help, "About...": the application shows the About box.
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreatePatternPane();
    void CreateFlatList();
    // After a change of the whole card: the camera fits it again.
    void AfterReshape(int refusal);
    void ConnectCommands();
    void UpdateTitle();
    void SaveFrameSettings();
    void CreateFoldSlider();
    void ShowFoldAngle(double degrees);
    void ShowClosingCheck();
    // The recent cards: the list changed, so the store and the File menu follow.
    void RecentCardUsed(const QString& path);
    void RecentCardUnreadable(const QString& path);
    void UpdateRecentMenu();
    // The cursor's place, or the reason why an edit key changed nothing.
    void UpdateCursorPane();
    void ShowEditRefusal(const QString& reason);

    SettingsStore& store_;
    UserPrompts& prompts_;
    AppSettings settings_;
    QtSoundPlayer sound_;
    std::unique_ptr<CKirikoDoc> doc_;
    std::unique_ptr<CardRecovery> recovery_;  // after doc_: it listens to the card
    std::unique_ptr<PatternPrinting> printing_;
    // The last choices of "Pattern options", for the next export in this run.
    PatternOptions patternOptions_;
    CKirikoView* view_ = nullptr;
    // After the document and the sounds, and gone before the view it listens to.
    std::unique_ptr<EditController> editor_;
    QToolBar* toolBar_ = nullptr;
    QDockWidget* patternDock_ = nullptr;
    PatternPane* patternPane_ = nullptr;
    FrontViewDock* frontDock_ = nullptr;
    FlatListDock* flatList_ = nullptr;
    bool flatListWanted_ = true;  // the user has not closed it
    QSlider* foldSlider_ = nullptr;
    QLabel* foldAngleLabel_ = nullptr;
    QLabel* closingPane_ = nullptr;
    std::map<int, QAction*> actions_;
    RecentCards recent_;
    std::vector<QAction*> recentActions_;
    QAction* recentSeparator_ = nullptr;
    QLabel* cursorPane_ = nullptr;
    QString shownRefusal_;  // the status bar's message while it tells a refusal
    QStringList helpCandidates_;
    bool placementRestored_ = false;
};

}  // namespace pw
