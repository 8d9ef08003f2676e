#include "app/KirikoDoc.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <string>
#include <utility>

#include "app/SettingsDialog.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "edit/CursorRules.h"
#include "model/AppSettings.h"
#include "model/Messages.h"
#include "view3d/FreeformShown.h"

namespace pw {

CKirikoDoc::CKirikoDoc(AppSettings& settings, UserPrompts& prompts, QObject* parent)
    : QObject(parent), settings_(settings), prompts_(prompts), title_(ShownMessage(msg::kDefaultDocumentName)) {
    // A replaced card is followed by SetSavedShape, which refreshes then.
    changeListener_ = model_.history.AddListener([this](CardChange change) {
        if (change != CardChange::Replaced) RefreshModified();
        emit gridCardChanged();
    });
}

CKirikoDoc::~CKirikoDoc() { model_.history.RemoveListener(changeListener_); }

QString CKirikoDoc::FileFilter() { return QCoreApplication::translate("FileFilters", "Popwright File(*.kpf)"); }

QString CKirikoDoc::FreeformFileFilter() {
    return QCoreApplication::translate("FileFilters", "Popwright Free-Form File(*.pwf)");
}

QString CKirikoDoc::OpenFileFilter() {
    return QCoreApplication::translate("FileFilters", "Popwright Cards(*.kpf *.pwf)") + QStringLiteral(";;") + FileFilter() +
           QStringLiteral(";;") + FreeformFileFilter() + QStringLiteral(";;") +
           QCoreApplication::translate("FileFilters", "All Files (*)");
}

void CKirikoDoc::RefreshFreeform() {
    if (!IsFreeform()) return;
    const FreeformSheet& built = doc_.DeriveFreeform();
    freeformProblems_ = CheckFreeformCard(doc_.Freeform(), built);
    freeformClosing_ = CheckFreeformClosing(doc_.Freeform(), built);
    shownFreeform_ = ShowFreeformSheet(built, freeformProblems_, shownFreeform_.revision + 1);
}

bool CKirikoDoc::IsModified() const {
    if (convertedUnsaved_) return true;
    return IsFreeform() ? doc_.RecoveryText() != savedFreeform_ : !model_.grid.SameShape(savedShape_);
}

void CKirikoDoc::SetSavedShape() {
    savedShape_ = model_.grid;
    savedFreeform_ = IsFreeform() ? doc_.RecoveryText() : std::string();
    convertedUnsaved_ = false;
    RefreshModified();
}

void CKirikoDoc::MarkUnmodified() { SetSavedShape(); }

void CKirikoDoc::RefreshModified() {
    const bool modified = IsModified();
    if (modified == reportedModified_) return;
    reportedModified_ = modified;
    emit modifiedChanged(modified);
}

void CKirikoDoc::SetTitle(const QString& title) {
    title_ = title;
    emit titleChanged(title_);
}

bool CKirikoDoc::SaveModified() {
    if (!IsModified()) return true;
    const QString question = ShownMessage(msg::kSaveChanges).arg(title_);
    switch (prompts_.AskSaveChanges(window_, question)) {
        case SaveChangesAnswer::Save: return SaveCard();
        case SaveChangesAnswer::Discard: return true;
        case SaveChangesAnswer::Cancel: break;
    }
    return false;
}

void CKirikoDoc::OnFileNew() {
    if (!SaveModified()) return;
    model_.NewCard(settings_.newCard.width + 2, settings_.newCard.height + 1);
    doc_.UseGridCard();
    currentCardPath_.clear();
    model_.edit.cursor = EditCursor{};
    SetSavedShape();
    SetTitle(ShownMessage(msg::kUntitled));
    emit updateAllViews();
}

bool CKirikoDoc::NewCardFrom(const QString& path) {
    if (!SaveModified()) return false;
    if (!doc_.Open(QFile::encodeName(path).toStdString()).Opened()) {
        prompts_.ShowMessage(window_, ShownMessage(msg::kFileCouldNotBeRead));
        return false;
    }
    // Saved as a card of its own, never over the gallery's file.
    currentCardPath_.clear();
    RefreshFreeform();
    SetSavedShape();
    SetTitle(ShownMessage(msg::kUntitled));
    emit updateAllViews();
    return true;
}

void CKirikoDoc::OnFileOpen() {
    if (!SaveModified()) return;
    const QString path = prompts_.GetOpenFileName(window_, OpenFileFilter());
    if (path.isEmpty()) return;
    OpenCardFile(path);
}

void CKirikoDoc::OnFileOpenRecent(const QString& path) {
    if (!SaveModified()) return;
    OpenCardFile(path);
}

bool CKirikoDoc::OpenCardFile(const QString& path) {
    // A failed read leaves the card untouched.
    const CardOpenResult opened = doc_.Open(QFile::encodeName(path).toStdString());
    if (!opened.Opened()) {
        if (opened.outcome == CardOpenOutcome::VersionTooNew) prompts_.ShowMessage(window_, ShownMessage(msg::kVersionTooNew));
        prompts_.ShowMessage(window_, ShownMessage(msg::kFileCouldNotBeRead));
        emit cardFileUnreadable(QFileInfo(path).absoluteFilePath());
        return false;
    }
    const QFileInfo info(path);
    currentCardPath_ = info.absoluteFilePath();
    RefreshFreeform();
    SetSavedShape();
    SetTitle(info.completeBaseName());
    emit updateAllViews();
    emit cardFileUsed(currentCardPath_);
    // A file cut short opens as far as it goes; saving it would make the
    // lost columns flat for good, so the user is told which ones.
    if (opened.EndsEarly())
        emit cardFileNote(ShownMessage(msg::kCardFileEndsEarly).arg(opened.columnsHeld).arg(opened.columns));
    return true;
}

void CKirikoDoc::OpenRecoveredCard(RecoveryCopy&& copy, const QString& title) {
    if (copy.kind == CardKind::Freeform) {
        // Not edited in the window, so only a save makes it unchanged.
        doc_.SetFreeform(std::move(copy.freeform));
        savedShape_ = model_.grid;
        convertedUnsaved_ = true;
        RefreshFreeform();
    } else {
        // No saved shape: no undo can make it match, only a save.
        savedShape_ = CellGrid();
        convertedUnsaved_ = false;
        model_.AdoptReadCard(std::move(copy.grid));
        doc_.UseGridCard();
    }
    currentCardPath_.clear();
    RefreshModified();
    SetTitle(title);
    emit updateAllViews();
}

bool CKirikoDoc::WriteCardFile(const QString& path) {
    switch (doc_.Save(QFile::encodeName(path).toStdString())) {
        case CardSaveOutcome::Saved: return true;
        case CardSaveOutcome::CannotCreate: prompts_.ShowMessage(window_, ShownMessage(msg::kFileOpenFailed)); break;
        case CardSaveOutcome::CannotWrite: prompts_.ShowMessage(window_, ShownMessage(msg::kFileSaveFailed)); break;
    }
    return false;
}

bool CKirikoDoc::SaveCard() {
    // A card without a file takes the file it is saved into, as with Save
    // As, so that the title names it and the next Save writes it again.
    if (currentCardPath_.isEmpty()) return SaveCardAs();
    if (!WriteCardFile(currentCardPath_)) return false;
    SetSavedShape();
    emit cardFileUsed(currentCardPath_);
    return true;
}

bool CKirikoDoc::SaveCardAs() {
    const QString path = prompts_.GetSaveFileName(window_, IsFreeform() ? FreeformFileFilter() : FileFilter());
    if (path.isEmpty()) return false;
    if (!WriteCardFile(path)) return false;
    const QFileInfo info(path);
    currentCardPath_ = info.absoluteFilePath();
    SetSavedShape();
    SetTitle(info.completeBaseName());
    emit cardFileUsed(currentCardPath_);
    return true;
}

void CKirikoDoc::OnFileSave() { SaveCard(); }

void CKirikoDoc::OnFileSaveAs() { SaveCardAs(); }

void CKirikoDoc::OnConvertToFreeform() {
    if (IsFreeform()) return;
    const int tunnels = doc_.ConvertToFreeform(settings_);
    // Its file, if any, holds the grid card: the free-form card is saved as a new file.
    currentCardPath_.clear();
    convertedUnsaved_ = true;
    RefreshFreeform();
    RefreshModified();
    emit updateAllViews();
    if (tunnels > 0)
        emit cardFileNote(tr("The grid card's tunnels have no folded-back floor in a free-form card; each is a plain hole."));
}

void CKirikoDoc::EditFreeform(FreeformCard edited) {
    if (!doc_.EditFreeform(std::move(edited))) return;
    RefreshFreeform();
    RefreshModified();
    emit freeformEdited();
}

void CKirikoDoc::UndoFreeformEdit() {
    if (!doc_.UndoFreeform()) return;
    RefreshFreeform();
    RefreshModified();
    emit freeformEdited();
}

void CKirikoDoc::RedoFreeformEdit() {
    if (!doc_.RedoFreeform()) return;
    RefreshFreeform();
    RefreshModified();
    emit freeformEdited();
}

void CKirikoDoc::OnSetting() {
    CSettingsDialog dialog(settings_, prompts_, window_);
    dialog.values.print.sizePercent = settings_.print.sizePercent;
    dialog.values.bitmap.widthPx = settings_.bitmap.widthPx;
    dialog.values.print.mirror = settings_.print.mirror;
    dialog.values.sound.on = settings_.sound.on;
    dialog.values.newCard.height = settings_.newCard.height;
    dialog.values.newCard.width = settings_.newCard.width;
    dialog.values.view.gridDisplay = settings_.view.gridDisplay;
    dialog.values.print.cellMm = settings_.print.cellMm;
    const int oldWidth = settings_.newCard.width;
    const int oldHeight = settings_.newCard.height;

    if (prompts_.RunDialog(dialog) == QDialog::Accepted) {
        settings_.print.sizePercent = dialog.values.print.sizePercent;
        settings_.bitmap.widthPx = dialog.values.bitmap.widthPx;
        settings_.print.mirror = dialog.values.print.mirror;
        settings_.sound.on = dialog.values.sound.on;
        settings_.newCard.height = dialog.values.newCard.height;
        settings_.newCard.width = dialog.values.newCard.width;
        settings_.view.gridDisplay = dialog.values.view.gridDisplay != 0 ? 1 : 0;
        settings_.print.cellMm = dialog.values.print.cellMm;
        settings_.colors.background = dialog.values.colors.background;
        settings_.colors.verticalFace = dialog.values.colors.verticalFace;
        settings_.colors.horizontalFace = dialog.values.colors.horizontalFace;
        settings_.colors.outline = dialog.values.colors.outline;
    dialog.values.language = settings_.language;
        settings_.language = dialog.values.language;
    }
    emit updateAllViews();
    if (settings_.newCard.width != oldWidth || settings_.newCard.height != oldHeight)
        prompts_.ShowMessage(window_, ShownMessage(msg::kSelectFileNew));
}

bool CKirikoDoc::CanCursorSmaller() const { return CanHalveCursor(model_.edit); }

bool CKirikoDoc::CanCursorLarger() const {
    return CanDoubleCursor(model_.edit, model_.grid.gridWidth, model_.grid.gridHeight);
}

}  // namespace pw
