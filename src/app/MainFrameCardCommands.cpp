// The main window's commands for starting and reshaping a card: the
// gallery, the welcome, Card Size, Shift Relief and the pattern pane.
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>

#include "app/CardSizeDialog.h"
#include "app/EditController.h"
#include "app/FlatListDock.h"
#include "app/FrontView.h"
#include "app/FrontViewDock.h"
#include "app/GalleryDialog.h"
#include "app/KirikoDoc.h"
#include "app/MainFrame.h"
#include "app/PatternPane.h"
#include "app/SettingsLoadSave.h"
#include "app/UserPrompts.h"
#include "app/WelcomeDialog.h"
#include "document/CardDocument.h"
#include "document/Gallery.h"
#include "edit/CardReshape.h"
#include "edit/EditedCard.h"
#include "model/PieceLines.h"
#include "view3d/KirikoView.h"

namespace pw {

namespace {

Gallery InstalledGallery() {
    return FindGallery(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(), POPWRIGHT_DATADIR);
}

// The piece of the sheet holding the face's middle, as the sheet counts: a
// face of cell (x, y, z) lies a cell back and down from the grid's space.
int PieceOfFace(const Sheet& sheet, const FaceHit& hit) {
    const double y = hit.horizontal ? hit.y + 0.5 : hit.y;
    const double z = hit.horizontal ? hit.z : hit.z + 0.5;
    return PieceAt(sheet, SheetPoint{hit.x + 0.5, y - z});
}

}  // namespace

void CMainFrame::CreateFlatList() {
    flatList_ = new FlatListDock(*doc_, this);
    addDockWidget(Qt::LeftDockWidgetArea, flatList_);
    flatList_->hide();
    // Shown with a free-form card, unless the user closed it; a grid card has no flats.
    connect(doc_.get(), &CKirikoDoc::updateAllViews, this, [this] {
        flatList_->setVisible(doc_->IsFreeform() && flatListWanted_);
        UpdateCommandStates();
    });
    connect(flatList_, &QDockWidget::visibilityChanged, this, [this] { UpdateCommandStates(); });
    // Closed, it stays closed, through edits and other cards, until Setting > Flat List brings it back.
    connect(flatList_, &FlatListDock::closedByUser, this, [this] { flatListWanted_ = false; });
    // One selection: a flat picked in the front view is picked in the list, and back.
    connect(frontDock_->View(), &FrontView::selectedFlatChanged, flatList_, &FlatListDock::setSelectedFlat);
    connect(flatList_, &FlatListDock::selectedFlatChanged, frontDock_->View(), &FrontView::setSelectedFlat);
}

void CMainFrame::CreatePatternPane() {
    patternPane_ = new PatternPane(doc_->Document(), this);
    patternDock_ = new QDockWidget(tr("Pattern"), this);
    patternDock_->setObjectName(QStringLiteral("patternDock"));
    patternDock_->setWidget(patternPane_);
    addDockWidget(Qt::RightDockWidgetArea, patternDock_);
    patternDock_->hide();
    connect(patternDock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        // A hidden pane points at nothing.
        if (!visible) view_->SetHighlightedPiece(-1);
        UpdateCommandStates();
    });
    connect(doc_.get(), &CKirikoDoc::updateAllViews, patternPane_, QOverload<>::of(&QWidget::update));
    // The buildability check's findings hold for the card it checked only.
    auto dropFindings = [this] {
        patternPane_->SetMarkedSpots({});
        view_->SetMarkedSpots({});
    };
    connect(doc_.get(), &CKirikoDoc::updateAllViews, this, dropFindings);
    connect(doc_.get(), &CKirikoDoc::freeformEdited, this, dropFindings);
    connect(doc_.get(), &CKirikoDoc::gridCardChanged, this, dropFindings);
    // A line pointed at in the pane outlines its piece on the card ...
    connect(patternPane_, &PatternPane::PieceHovered, view_, &CKirikoView::SetHighlightedPiece);
    // ... and a face pointed at on the card outlines its lines in the pane.
    view_->setMouseTracking(true);
    connect(view_, &CKirikoView::Hovered, this, [this](double x, double y) {
        if (!patternDock_->isVisible()) return;
        const std::optional<FaceHit> hit = view_->FaceAt(x, y);
        const int piece = hit ? PieceOfFace(doc_->Document().KeptSheet().Current(), *hit) : -1;
        patternPane_->SetHighlightedPiece(piece);
        view_->SetHighlightedPiece(piece);
    });
}

void CMainFrame::NewFromGallery() {
    const Gallery gallery = InstalledGallery();
    if (gallery.cards.empty()) {
        prompts_.ShowMessage(this, tr("The gallery is not installed."));
        return;
    }
    GalleryDialog dialog(gallery, this);
    if (prompts_.RunDialog(dialog) != QDialog::Accepted || dialog.PickedPath().isEmpty()) return;
    doc_->NewCardFrom(dialog.PickedPath());
    UpdateCommandStates();
}

void CMainFrame::AfterReshape(int refusal) {
    switch (static_cast<ReshapeRefusal>(refusal)) {
        case ReshapeRefusal::None:
            // The card's size may have changed: the camera takes it in again.
            view_->OnUpdate();
            break;
        case ReshapeRefusal::ReliefCutOff:
            prompts_.ShowMessage(this, tr("Some relief would be cut off. Nothing was changed."));
            break;
        case ReshapeRefusal::SizeOutOfRange:
            prompts_.ShowMessage(this, tr("A card is %1 to %2 columns wide and %3 to %4 cells high.")
                                           .arg(MinCardColumns()).arg(MaxCardColumns())
                                           .arg(MinCardRows()).arg(MaxCardRows()));
            break;
        case ReshapeRefusal::NothingToDo: break;
    }
    UpdateCommandStates();
}

void CMainFrame::ChangeCardSize() {
    const CellGrid& g = Model().grid;
    CardSizeDialog dialog(g.gridWidth - 2, g.gridHeight - 1, this);
    if (prompts_.RunDialog(dialog) != QDialog::Accepted) return;
    AfterReshape(static_cast<int>(ResizeCard(Model(), dialog.Columns(), dialog.Rows(), dialog.Anchor())));
}

void CMainFrame::ShiftAllRelief() {
    ShiftReliefDialog dialog(this);
    if (prompts_.RunDialog(dialog) != QDialog::Accepted) return;
    AfterReshape(static_cast<int>(ShiftRelief(Model(), dialog.Columns(), dialog.Rows())));
}

void CMainFrame::OfferWelcome() {
    // A start that brought back a crashed session's card goes straight on
    // with it: the welcome's choices would only ask to save it first.
    if (settings_.view.showWelcome && !doc_->IsModified()) ShowWelcome();
}

void CMainFrame::ShowWelcome() {
    WelcomeDialog dialog(settings_.view.showWelcome != 0, this);
    prompts_.RunDialog(dialog);
    settings_.view.showWelcome = dialog.ShowAtStart() ? 1 : 0;
    switch (dialog.Chosen()) {
        case WelcomeDialog::Choice::FirstCard: doc_->OnFileNew(); break;
        case WelcomeDialog::Choice::OpenExample: {
            // The Open dialog starts among the examples installed with the program.
            const QString here = QCoreApplication::applicationDirPath();
            for (const QString& folder : {here + QStringLiteral("/../share/popwright/examples"),
                                          QStringLiteral(POPWRIGHT_DATADIR "/popwright/examples")})
                if (QFileInfo(folder).isDir()) {
                    QDir::setCurrent(folder);
                    break;
                }
            doc_->OnFileOpen();
            break;
        }
        case WelcomeDialog::Choice::Gallery: NewFromGallery(); break;
        case WelcomeDialog::Choice::Guide: OnHelp(); break;
        case WelcomeDialog::Choice::None: break;
    }
    UpdateCommandStates();
}

}  // namespace pw
