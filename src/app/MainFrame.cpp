#include "app/MainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <cmath>
#include <functional>

#include "app/AppLanguage.h"
#include "app/AppResources.h"
#include "app/CardRecovery.h"
#include "app/CommandTable.h"
#include "app/EditController.h"
#include "app/FlatDepthDrag.h"
#include "app/FlatListDock.h"
#include "app/FramePlacement.h"
#include "app/FrontViewDock.h"
#include "app/HelpPage.h"
#include "app/DrawingFlatsDialog.h"
#include "app/InsertReliefDialog.h"
#include "app/ModelFlatsDialog.h"
#include "app/PictureFlatsDialog.h"
#include "app/KirikoDoc.h"
#include "app/PatternClipboard.h"
#include "app/MachineExport.h"
#include "app/PatternExport.h"
#include "app/PatternPane.h"
#include "app/PatternPrinting.h"
#include "app/SettingsLoadSave.h"
#include "app/SettingsStore.h"
#include "app/ShownTexts.h"
#include "app/TextFlatsDialog.h"
#include "app/UserPrompts.h"
#include "model/ClosingCheck.h"
#include "view3d/KirikoView.h"

namespace pw {

namespace {

// Where the toolbar's state is kept: the section and entry that together
// make "ControlBars\State".
constexpr const char* kBarStateSection = "ControlBars";
constexpr const char* kBarStateEntry = "State";

// The command table's texts are marked in the context "Commands".
QString CommandText(const char* text) { return Translated("Commands", text); }

}  // namespace

CMainFrame::CMainFrame(SettingsStore& store, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent),
      store_(store),
      prompts_(prompts),
      helpCandidates_(HelpPageCandidates(QCoreApplication::applicationDirPath(), LanguageInUse())) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(AppIcon(QStringLiteral("popwright")));

    // The settings come next: loading them makes the card the view shows.
    doc_ = std::make_unique<CKirikoDoc>(settings_, prompts_);
    doc_->SetWindow(this);
    EditedCard& model_ = doc_->Card();
    WindowPlacement placement;
    const bool havePlacement = LoadSettings(store_, settings_, model_, &placement);
    doc_->MarkUnmodified();
    // From here on unsaved changes are kept in recovery copies.
    recovery_ = std::make_unique<CardRecovery>(*doc_, CardRecovery::DefaultFolder());
    printing_ = std::make_unique<PatternPrinting>(Model(), settings_, patternOptions_, prompts_);

    view_ = new CKirikoView(model_, settings_, this, &doc_->Document().KeptSheet());
    setCentralWidget(view_);
    editor_ = std::make_unique<EditController>(model_, settings_, &sound_, *view_);

    recent_.Load(store_);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreatePatternPane();
    // The front view of a free-form card, beside the 3D view.
    frontDock_ = new FrontViewDock(*doc_, this);
    addDockWidget(Qt::LeftDockWidgetArea, frontDock_);
    CreateFlatList();
    new FlatDepthDrag(*doc_, *view_, *statusBar(), this);
    ConnectCommands();

    connect(doc_.get(), &CKirikoDoc::titleChanged, this, &CMainFrame::UpdateTitle);
    connect(doc_.get(), &CKirikoDoc::modifiedChanged, this, &QWidget::setWindowModified);
    connect(doc_.get(), &CKirikoDoc::updateAllViews, this, [this] {
        // A free-form card is drawn from its sheet, and not edited here.
        view_->ShowSheet(doc_->ShownFreeform());
        printing_->PrintMillimetreSheet(doc_->IsFreeform() ? &doc_->Document().DeriveFreeform().sheet : nullptr);
        editor_->SetCardEditable(!doc_->IsFreeform());
        view_->OnUpdate();
        ShowClosingCheck();
    });
    connect(doc_.get(), &CKirikoDoc::freeformEdited, this, [this] {
        view_->ShowSheetKeepingCamera(doc_->ShownFreeform());
        printing_->PrintMillimetreSheet(&doc_->Document().DeriveFreeform().sheet);
        ShowClosingCheck();
    });
    connect(view_, &CKirikoView::CommandStateChanged, this, &CMainFrame::UpdateCommandStates);
    connect(view_, &CKirikoView::ClosingChecked, this, &CMainFrame::ShowClosingCheck);
    connect(editor_.get(), &EditController::CommandStateChanged, this, &CMainFrame::UpdateCommandStates);
    connect(editor_.get(), &EditController::FoldAngleChanged, this, &CMainFrame::ShowFoldAngle);
    connect(editor_.get(), &EditController::EditRefused, this, &CMainFrame::ShowEditRefusal);
    connect(doc_.get(), &CKirikoDoc::cardFileUsed, this, &CMainFrame::RecentCardUsed);
    connect(doc_.get(), &CKirikoDoc::cardFileUnreadable, this, &CMainFrame::RecentCardUnreadable);
    // A card named on the command line is read before the window shows, and
    // a message shown then would not hide the cursor pane under it.
    connect(doc_.get(), &CKirikoDoc::cardFileNote, this, [this](const QString& text) {
        QTimer::singleShot(0, this, [this, text] { statusBar()->showMessage(text); });
    });
    connect(recovery_.get(), &CardRecovery::cannotKeepCopies, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    recovery_->Start();

    // The stored placement, shown the program's own way (a plain show).
    if (havePlacement) {
        ApplyPlacement(*this, placement);
        placementRestored_ = true;
    } else {
        resize(800, 600);
    }
    const std::string barState = store_.GetText(kBarStateSection, kBarStateEntry);
    if (!barState.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(barState)));
    // The stored state may show the front view for a grid card.
    frontDock_->FollowCardKind();

    UpdateTitle();
    setWindowModified(doc_->IsModified());
    UpdateCommandStates();
    view_->setFocus();
}

CMainFrame::~CMainFrame() {
    // The widgets outlive the members they report to: hidden as the window
    // goes, a visible pattern pane would tell a frame whose document is gone.
    if (patternDock_) patternDock_->disconnect(this);
    // The flat list hides as the closing window does, after the members it
    // would update the commands from are gone: it reports to the window no more.
    if (flatList_) disconnect(flatList_, nullptr, this, nullptr);
}

EditedCard& CMainFrame::Model() { return doc_->Card(); }

QAction* CMainFrame::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
    for (const CommandSpec& c : Commands()) {
        if (c.id == ID_VIEW_TOOLBAR) continue;  // the toolbar's own show/hide action, made with it
        auto* action = new QAction(CommandText(c.text), this);
        action->setObjectName(QString::fromLatin1(c.name));
        action->setData(c.id);
        if (*c.keys) action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(c.keys)));
        // The prompt string: the status-bar text, then after a line feed the
        // tooltip, which also names the command's first key.
        const QString prompt = CommandText(c.prompt);
        if (!prompt.isEmpty()) {
            action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
            QString tip = prompt.section(QLatin1Char('\n'), 1);
            if (!action->shortcut().isEmpty())
                tip += tr(" (%1)").arg(action->shortcut().toString(QKeySequence::NativeText));
            action->setToolTip(tip);
        }
        if (c.icon) action->setIcon(AppIcon(QString::fromLatin1(c.icon)));
        action->setCheckable(c.checkable);
        // A menu shows an icon in place of the check mark; switches show the mark.
        if (c.checkable) action->setIconVisibleInMenu(false);
        actions_[c.id] = action;
    }
    // The two edit planes behave as a pair of radio buttons.
    auto* planes = new QActionGroup(this);
    planes->addAction(actions_[ID_EDIT_HORIZONTAL]);
    planes->addAction(actions_[ID_EDIT_VERTICAL]);

    toolBar_ = new QToolBar(tr("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    QAction* showBar = toolBar_->toggleViewAction();
    const CommandSpec* bar = FindCommand(ID_VIEW_TOOLBAR);
    const QString barPrompt = CommandText(bar->prompt);
    showBar->setText(CommandText(bar->text));
    showBar->setStatusTip(barPrompt.section(QLatin1Char('\n'), 0, 0));
    showBar->setToolTip(barPrompt.section(QLatin1Char('\n'), 1));
    showBar->setData(ID_VIEW_TOOLBAR);
    showBar->setObjectName(QString::fromLatin1(bar->name));
    actions_[ID_VIEW_TOOLBAR] = showBar;
}

void CMainFrame::CreateMenus() {
    for (const MenuSpec& popup : MenuBar()) {
        QMenu* menu = menuBar()->addMenu(CommandText(popup.title));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        for (const MenuEntry& entry : popup.entries) {
            if (entry.submenu) {
                QMenu* sub = menu->addMenu(CommandText(entry.submenu));
                for (const MenuEntry& item : entry.entries) {
                    if (item.id == ID_SEPARATOR)
                        sub->addSeparator();
                    else
                        sub->addAction(actions_.at(item.id));
                }
            } else if (entry.id == ID_SEPARATOR) {
                menu->addSeparator();
            } else {
                if (entry.id == ID_APP_EXIT) {
                    // The recent cards stand above "E&xit", shown only while
                    // the list has them.
                    for (std::size_t i = 0; i < RecentCards::kMaxCards; ++i) {
                        auto* recent = new QAction(this);
                        recent->setObjectName(QStringLiteral("recentCard%1").arg(i + 1));
                        const int index = static_cast<int>(i);
                        connect(recent, &QAction::triggered, this, [this, index] {
                            if (index >= static_cast<int>(recent_.Paths().size())) return;
                            doc_->OnFileOpenRecent(QString::fromStdString(recent_.Paths()[index]));
                            UpdateCommandStates();
                        });
                        menu->addAction(recent);
                        recentActions_.push_back(recent);
                    }
                    recentSeparator_ = menu->addSeparator();
                }
                menu->addAction(actions_.at(entry.id));
            }
        }
    }
    UpdateRecentMenu();
}

QAction* CMainFrame::RecentCardAction(int index) const {
    return index >= 0 && index < static_cast<int>(recentActions_.size()) ? recentActions_[index] : nullptr;
}

void CMainFrame::UpdateRecentMenu() {
    const std::vector<std::string>& paths = recent_.Paths();
    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_[i];
        if (i >= paths.size()) {
            action->setVisible(false);
            continue;
        }
        const QString path = QString::fromStdString(paths[i]);
        QString name = QFileInfo(path).fileName();
        // Two cards of the same name are told apart by their folders.
        for (std::size_t j = 0; j < paths.size(); ++j)
            if (j != i && QFileInfo(QString::fromStdString(paths[j])).fileName() == name) {
                name += tr("  (%1)").arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
                break;
            }
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));  // a name's own & is no mnemonic
        action->setText(tr("&%1 %2").arg(i + 1).arg(name));
        action->setStatusTip(QDir::toNativeSeparators(path));
        action->setVisible(true);
    }
    if (recentSeparator_) recentSeparator_->setVisible(!paths.empty());
}

void CMainFrame::RecentCardUsed(const QString& path) {
    recent_.Add(path.toStdString());
    recent_.Save(store_);
    UpdateRecentMenu();
}

void CMainFrame::RecentCardUnreadable(const QString& path) {
    if (!recent_.Remove(path.toStdString())) return;
    recent_.Save(store_);
    UpdateRecentMenu();
}

void CMainFrame::CreateToolBar() {
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    CreateFoldSlider();
    for (int id : ToolbarEntries()) {
        if (id == ID_SEPARATOR) {
            toolBar_->addSeparator();
        } else if (id == ID_FOLD_SLIDER) {
            toolBar_->addWidget(foldSlider_);
            toolBar_->addWidget(foldAngleLabel_);
        } else
            toolBar_->addAction(actions_.at(id));
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::CreateFoldSlider() {
    foldSlider_ = new QSlider(Qt::Horizontal, this);
    foldSlider_->setObjectName(QStringLiteral("foldSlider"));
    foldSlider_->setRange(0, 180);
    foldSlider_->setValue(90);
    foldSlider_->setPageStep(15);
    foldSlider_->setTickInterval(45);
    foldSlider_->setTickPosition(QSlider::TicksBelow);
    foldSlider_->setFixedWidth(140);
    // The keyboard stays with the view, where the edit keys go.
    foldSlider_->setFocusPolicy(Qt::NoFocus);
    foldSlider_->setToolTip(tr("Fold angle: 0 closed, 90 opened, 180 flat"));
    foldSlider_->setStatusTip(tr("Fold the card between closed (0 degrees), opened (90) and flat (180)"));
    connect(foldSlider_, &QSlider::valueChanged, editor_.get(), [this](int value) { editor_->SetFoldAngle(value); });
    foldAngleLabel_ = new QLabel(this);
    foldAngleLabel_->setObjectName(QStringLiteral("foldAngleLabel"));
    foldAngleLabel_->setMinimumWidth(foldAngleLabel_->fontMetrics().horizontalAdvance(QStringLiteral(" 180\u00B0 ")));
    foldAngleLabel_->setAlignment(Qt::AlignCenter);
    ShowFoldAngle(editor_->FoldAngle());
}

void CMainFrame::ShowFoldAngle(double degrees) {
    // The slider follows the view without sending the angle back.
    const QSignalBlocker quiet(foldSlider_);
    foldSlider_->setValue(static_cast<int>(std::lround(degrees)));
    foldAngleLabel_->setText(tr("%1\u00B0").arg(std::lround(degrees)));
}

void CMainFrame::ShowClosingCheck() {
    const bool on = Model().edit.checkClosing;
    const QString found = doc_->IsFreeform() ? FreeformClosingShown(doc_->Document().Freeform(), doc_->FreeformClosingFound())
                                             : ClosingStatusShown(view_->Closing());
    closingPane_->setText(on ? found : QString());
    closingPane_->setVisible(on);
}

void CMainFrame::CreateStatusBar() {
    // The message pane shows where the cursor is; the prompts and the
    // reasons of refused edits cover it while they show.
    cursorPane_ = new QLabel(this);
    cursorPane_->setObjectName(QStringLiteral("cursorPane"));
    statusBar()->addWidget(cursorPane_, 1);
    // What the closing check found stays beside it while the check is on.
    closingPane_ = new QLabel(this);
    closingPane_->setObjectName(QStringLiteral("closingPane"));
    closingPane_->setVisible(false);
    statusBar()->addWidget(closingPane_, 1);
    // The lock-key panes follow them.
    for (const char* indicator : {QT_TRANSLATE_NOOP("CMainFrame", "KANA"), QT_TRANSLATE_NOOP("CMainFrame", "CAP"),
                                   QT_TRANSLATE_NOOP("CMainFrame", "NUM"), QT_TRANSLATE_NOOP("CMainFrame", "SCRL")}) {
        auto* pane = new QLabel(Translated("CMainFrame", indicator), this);
        pane->setObjectName(QStringLiteral("indicator%1").arg(QLatin1String(indicator)));
        pane->setEnabled(false);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("KANAW")));
        statusBar()->addPermanentWidget(pane);
    }
}

void CMainFrame::ConnectCommands() {
    CKirikoDoc* doc = doc_.get();
    CKirikoView* view = view_;
    EditController* editor = editor_.get();
    const std::map<int, std::function<void()>> handlers = {
        {ID_FILE_NEW, [doc] { doc->OnFileNew(); }},
        {ID_FILE_OPEN, [doc] { doc->OnFileOpen(); }},
        {ID_FILE_SAVE, [doc] { doc->OnFileSave(); }},
        {ID_FILE_SAVE_AS, [doc] { doc->OnFileSaveAs(); }},
        {ID_EXPORT_3D_DATA, [this] { ExportDxf(); }},
        {ID_EXPORT_UNFOLDED, [this] { ExportUnfoldedPattern(); }},
        {ID_SHARE_WEB_PAGE, [this] { ShareWebPage(); }},
        {ID_EXPORT_FOR_MACHINE, [this] { MachineExport(doc_->Document(), settings_, store_, prompts_).ExportForMachine(this); }},
        {ID_CHECK_BUILDABLE,
         [this] {
             MachineExport(doc_->Document(), settings_, store_, prompts_).CheckBuildable(this, [this](std::vector<MarkedSpot> spots) {
                 // The pattern shows where they are; the pane opens for them.
                 if (!spots.empty() && patternDock_ && !patternDock_->isVisible()) patternDock_->show();
                 patternPane_->SetMarkedSpots(spots);
                 view_->SetMarkedSpots(std::move(spots));
             });
         }},
        {ID_FILE_PRINT, [this] { OnFilePrint(); }},
        {ID_CONVERT_FREEFORM, [this] { doc_->OnConvertToFreeform(); }},
        {ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); }},
        {ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); }},
        {ID_APP_EXIT, [this] { close(); }},
        {ID_EDIT_UNDO, [this, editor] { doc_->IsFreeform() ? doc_->UndoFreeformEdit() : editor->OnEditUndo(); }},
        {ID_EDIT_REDO, [this, editor] { doc_->IsFreeform() ? doc_->RedoFreeformEdit() : editor->OnEditRedo(); }},
        {ID_COPY_BMP, [this] { CopyPatternAsBmp(); }},
        {ID_EDIT_COPY, [this] { CopyPatternAsEmf(); }},
        {ID_CURSOR_SMALLER, [editor] { editor->OnCursorSmaller(); }},
        {ID_CURSOR_LARGER, [editor] { editor->OnCursorLarger(); }},
        {ID_HIDE_CURSOR, [editor] { editor->OnHideCursor(); }},
        {ID_SETTING, [doc] { doc->OnSetting(); }},
        {ID_CHECK_INVALID_FIGURE, [editor] { editor->OnCheckInvalidFigure(); }},
        {ID_HELP_PAGE, [this] { OnHelp(); }},
        {ID_APP_ABOUT, [this] { emit aboutRequested(); }},
        {ID_MIRROR_MODE, [editor] { editor->OnMirrorMode(); }},
        {ID_HOME_POSITION, [view] { view->OnHomePosition(); }},
        {ID_EDIT_HORIZONTAL, [editor] { editor->OnEditHorizontal(); }},
        {ID_EDIT_VERTICAL, [editor] { editor->OnEditVertical(); }},
        {ID_INSERT_TEXT, [this] { InsertRelief(static_cast<int>(ReliefKind::Text)); }},
        {ID_INSERT_PICTURE, [this] { InsertRelief(static_cast<int>(ReliefKind::Picture)); }},
        {ID_INSERT_MODEL, [this] { InsertRelief(static_cast<int>(ReliefKind::Model)); }},
        {ID_DRAWING_FLATS, [this] { BringDrawingAsFlats(*doc_, prompts_, this); }},
        {ID_PICTURE_FLATS, [this] { AddPictureFlats(*doc_, prompts_, this, statusBar()); }},
        {ID_MODEL_AS_FLATS, [this] { AddModelFlats(*doc_, prompts_, this); }},
        {ID_CHECK_CLOSING, [editor] { editor->OnCheckClosing(); }},
        {ID_NEW_FROM_GALLERY, [this] { NewFromGallery(); }},
        {ID_CARD_SIZE, [this] { ChangeCardSize(); }},
        {ID_SHIFT_RELIEF, [this] { ShiftAllRelief(); }},
        {ID_WELCOME, [this] { ShowWelcome(); }},
        {ID_TEXT_AS_FLATS, [this] { AddTextAsFlats(this, *doc_, prompts_, statusBar()); }},
        {ID_PATTERN_PANE, [this] { patternDock_->setVisible(!patternDock_->isVisible()); }},
        {ID_FLAT_LIST, [this] {
             flatListWanted_ = !flatList_->isVisible();
             flatList_->setVisible(flatListWanted_);
         }},
        {ID_OPEN_CARD, [editor] { editor->OnOpenCard(); }},
        {ID_CLOSE_CARD, [editor] { editor->OnCloseCard(); }},
        {ID_FOLD_OPEN_STEP, [editor] { editor->StepFoldAngle(+1); }},
        {ID_FOLD_CLOSE_STEP, [editor] { editor->StepFoldAngle(-1); }},
    };
    for (const auto& entry : handlers) {
        // Named copies rather than a structured binding: C++17 lambdas cannot
        // capture bindings.
        const int id = entry.first;
        const std::function<void()> handler = entry.second;
        // A command's enabling is checked again when it runs: an accelerator
        // of a disabled command must do nothing.
        connect(actions_.at(id), &QAction::triggered, this, [this, id, handler] {
            UpdateCommandStates();
            if (!actions_.at(id)->isEnabled()) return;
            handler();
            UpdateCommandStates();
        });
    }
}

void CMainFrame::UpdateCommandStates() {
    const EditedCard& card = doc_->Card();
    const EditState& e = card.edit;
    // A free-form card's flats are not edited in the window: the grid's
    // edit commands wait for a grid card.
    const bool grid = !doc_->IsFreeform();
    // The stack holds the shown card's steps alone, of either kind: a replaced card empties it.
    actions_.at(ID_EDIT_UNDO)->setEnabled(card.history.HasUndoSteps());
    actions_.at(ID_EDIT_REDO)->setEnabled(card.history.HasRedoSteps());
    actions_.at(ID_CURSOR_SMALLER)->setEnabled(grid && doc_->CanCursorSmaller());
    actions_.at(ID_CURSOR_LARGER)->setEnabled(grid && doc_->CanCursorLarger());
    actions_.at(ID_CONVERT_FREEFORM)->setEnabled(grid);
    actions_.at(ID_DRAWING_FLATS)->setEnabled(!grid);
    actions_.at(ID_MODEL_AS_FLATS)->setEnabled(!grid);
    actions_.at(ID_TEXT_AS_FLATS)->setEnabled(!grid);
    actions_.at(ID_PICTURE_FLATS)->setEnabled(!grid);
    for (int id : {ID_HIDE_CURSOR, ID_MIRROR_MODE, ID_EDIT_HORIZONTAL, ID_EDIT_VERTICAL, ID_CHECK_INVALID_FIGURE,
                   ID_INSERT_TEXT, ID_INSERT_PICTURE, ID_INSERT_MODEL, ID_CARD_SIZE, ID_SHIFT_RELIEF})
        if (QAction* action = Action(id)) action->setEnabled(grid);
    actions_.at(ID_HIDE_CURSOR)->setText(e.cursorVisible ? tr("Hide") : tr("Show"));
    actions_.at(ID_MIRROR_MODE)->setChecked(e.mirrorMode);
    actions_.at(ID_CHECK_INVALID_FIGURE)->setChecked(e.checkInvalidFigure);
    actions_.at(ID_CHECK_CLOSING)->setChecked(e.checkClosing);
    actions_.at(ID_EDIT_HORIZONTAL)->setChecked(e.editPlane == 0);
    actions_.at(ID_EDIT_VERTICAL)->setChecked(e.editPlane == 1);
    if (patternDock_) actions_.at(ID_PATTERN_PANE)->setChecked(patternDock_->isVisible());
    actions_.at(ID_FLAT_LIST)->setEnabled(!grid);
    if (flatList_) actions_.at(ID_FLAT_LIST)->setChecked(flatList_->isVisible());
    doc_->RefreshModified();
    UpdateCursorPane();
    // The pattern follows every change of the card.
    if (patternDock_ && patternDock_->isVisible()) patternPane_->update();
}

void CMainFrame::UpdateCursorPane() {
    if (!cursorPane_) return;
    // A refusal lasts until the next key or command; prompts of menus and
    // buttons are the status bar's own and stay.
    if (!shownRefusal_.isEmpty() && statusBar()->currentMessage() == shownRefusal_) statusBar()->clearMessage();
    shownRefusal_.clear();
    // A free-form card has no cursor: the pane says what kind of card it is.
    cursorPane_->setText(doc_->IsFreeform() ? tr("Free-form card: drawn in the front view") : editor_->CursorText());
}

void CMainFrame::ShowEditRefusal(const QString& reason) {
    shownRefusal_ = reason;
    statusBar()->showMessage(reason);
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(tr("%1[*] - Popwright").arg(doc_->Title()));
}

void CMainFrame::OnHelp() {
    QString guide;
    for (const QString& path : helpCandidates_)
        if (QFileInfo(path).isFile()) {
            guide = path;
            break;
        }
    if (!guide.isEmpty() && prompts_.OpenUrl(QUrl::fromLocalFile(guide))) return;
    // Without a guide anywhere, the place the package installs it.
    if (guide.isEmpty() && !helpCandidates_.isEmpty()) guide = helpCandidates_.last();
    prompts_.ShowMessage(this, CantOpenHelpMessage(guide));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!doc_->SaveModified()) {
        event->ignore();
        return;
    }
    recovery_->EndNormally();
    SaveFrameSettings();
    event->accept();
}

void CMainFrame::SaveFrameSettings() {
    WindowPlacement placement = PlacementOf(*this);
    placement.flags |= kRestoreToMaximized;
    SaveSettings(store_, settings_, placement);
    store_.SetText(kBarStateSection, kBarStateEntry, saveState().toBase64().toStdString());
}

// The output commands; their work is done by the pattern and export code.
void CMainFrame::ExportDxf() { PatternExport(doc_->Document(), settings_, prompts_, patternOptions_).ExportDxf(this); }
void CMainFrame::ExportUnfoldedPattern() {
    PatternExport(doc_->Document(), settings_, prompts_, patternOptions_).ExportUnfoldedPattern(this);
}
void CMainFrame::ShareWebPage() {
    PatternExport(doc_->Document(), settings_, prompts_, patternOptions_).ShareWebPage(this);
}
// A free-form card's pattern comes from its sheet, in millimetres.
void CMainFrame::CopyPatternAsEmf() {
    const Sheet* sheet = doc_->IsFreeform() ? &doc_->Document().DeriveFreeform().sheet : nullptr;
    PatternClipboard(Model(), settings_, prompts_, sheet, patternOptions_).CopyPatternAsEmf(this, QGuiApplication::clipboard());
}
void CMainFrame::CopyPatternAsBmp() {
    const Sheet* sheet = doc_->IsFreeform() ? &doc_->Document().DeriveFreeform().sheet : nullptr;
    PatternClipboard(Model(), settings_, prompts_, sheet, patternOptions_).CopyPatternAsBmp(this, QGuiApplication::clipboard());
}
void CMainFrame::InsertRelief(int kind) {
    EditedCard& card = Model();
    CInsertReliefDialog dialog(static_cast<ReliefKind>(kind), card.grid, prompts_, this);
    if (prompts_.RunDialog(dialog) != QDialog::Accepted) return;
    DepthMap map;
    std::string error;
    if (!dialog.MakeMap(map, error)) {
        prompts_.ShowMessage(this, ShownMessage(error));
        return;
    }
    doc_->Document().ApplyRelief(map, dialog.KeepInside());
    view_->RequestRedraw();
    UpdateCommandStates();
}
void CMainFrame::OnFilePrint() { printing_->OnFilePrint(this); }
void CMainFrame::OnFilePrintPreview() { printing_->OnFilePrintPreview(this); }
void CMainFrame::OnFilePrintSetup() { printing_->OnFilePrintSetup(this); }

}  // namespace pw
