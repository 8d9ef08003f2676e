#include "app/KirikoDoc.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sstream>
#include <string>
#include <utility>

#include "app/SettingsDialog.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "edit/CursorRules.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/CardFile.h"
#include "model/Messages.h"

namespace pw {

CKirikoDoc::CKirikoDoc(AppSettings& settings, UserPrompts& prompts, QObject* parent)
    : QObject(parent), settings_(settings), prompts_(prompts), title_(ShownMessage(msg::kDefaultDocumentName)) {
    // A replaced card is followed by SetSavedShape, which refreshes then.
    changeListener_ = model_.history.AddListener([this](CardChange change) {
        if (change != CardChange::Replaced) RefreshModified();
    });
}

CKirikoDoc::~CKirikoDoc() { model_.history.RemoveListener(changeListener_); }

QString CKirikoDoc::FileFilter() { return QCoreApplication::translate("FileFilters", "Popwright File(*.kpf)"); }

QString CKirikoDoc::OpenFileFilter() { return FileFilter() + QStringLiteral(";;") + QCoreApplication::translate("FileFilters", "All Files (*)"); }

bool CKirikoDoc::IsModified() const { return !model_.grid.SameShape(savedShape_); }

void CKirikoDoc::SetSavedShape() {
    savedShape_ = model_.grid;
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
    model_.NewCard(settings_.cardWidth + 2, settings_.cardHeight + 1);
    currentCardPath_.clear();
    model_.edit.cursor = EditCursor{};
    SetSavedShape();
    SetTitle(ShownMessage(msg::kUntitled));
    emit updateAllViews();
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
    CardReadError error = CardReadError::None;
    int held = 0;
    // ReadCard leaves the model untouched unless the whole file was read.
    if (!ReadCard(QFile::encodeName(path).toStdString(), model_, &error, &held)) {
        if (error == CardReadError::VersionTooNew) prompts_.ShowMessage(window_, ShownMessage(msg::kVersionTooNew));
        prompts_.ShowMessage(window_, ShownMessage(msg::kFileCouldNotBeRead));
        emit cardFileUnreadable(QFileInfo(path).absoluteFilePath());
        return false;
    }
    const QFileInfo info(path);
    currentCardPath_ = info.absoluteFilePath();
    SetSavedShape();
    SetTitle(info.completeBaseName());
    emit updateAllViews();
    emit cardFileUsed(currentCardPath_);
    // A file cut short opens as far as it goes; saving it would make the
    // lost columns flat for good, so the user is told which ones.
    const int columns = model_.grid.gridWidth - 2;
    if (held < columns)
        emit cardFileNote(ShownMessage(msg::kCardFileEndsEarly).arg(held).arg(columns));
    return true;
}

void CKirikoDoc::OpenRecoveredCard(CellGrid&& grid, const QString& title) {
    // No saved shape: no undo can make it match, only a save.
    savedShape_ = CellGrid();
    model_.AdoptReadCard(std::move(grid));
    currentCardPath_.clear();
    RefreshModified();
    SetTitle(title);
    emit updateAllViews();
}

bool CKirikoDoc::WriteCardFile(const QString& path) {
    // The card goes into memory first and then into a temporary file that
    // replaces the old one only when everything was written, so a full disk
    // never costs the old file.
    std::ostringstream text;
    WriteCard(text, model_.grid);
    const std::string bytes = text.str();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        prompts_.ShowMessage(window_, ShownMessage(msg::kFileOpenFailed));
        return false;
    }
    const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // The explicit flush matters: QSaveFile::commit() does not notice when
    // its own final flush writes only part of the buffer (a full disk), and
    // would then replace the old file with a truncated one.
    if (written != static_cast<qint64>(bytes.size()) || !file.flush() || !file.commit()) {
        file.cancelWriting();
        prompts_.ShowMessage(window_, ShownMessage(msg::kFileSaveFailed));
        return false;
    }
    return true;
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
    const QString path = prompts_.GetSaveFileName(window_, FileFilter());
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

void CKirikoDoc::OnSetting() {
    CSettingsDialog dialog(settings_, prompts_, window_);
    dialog.rudovozuSizeRatio = settings_.rudovozuSizeRatio;
    dialog.rudovozuSizeBMP = settings_.rudovozuSizeBMP;
    dialog.reverseMode = settings_.reverseMode;
    dialog.soundMode = settings_.soundMode;
    dialog.cardHeight = settings_.cardHeight;
    dialog.cardWidth = settings_.cardWidth;
    dialog.drawGrid = settings_.drawGrid;
    dialog.cellSizeMm = settings_.cellSizeMm;
    dialog.language = QString::fromStdString(settings_.language);
    const int oldWidth = settings_.cardWidth;
    const int oldHeight = settings_.cardHeight;

    if (prompts_.RunDialog(dialog) == QDialog::Accepted) {
        settings_.rudovozuSizeRatio = dialog.rudovozuSizeRatio;
        settings_.rudovozuSizeBMP = dialog.rudovozuSizeBMP;
        settings_.reverseMode = dialog.reverseMode;
        settings_.soundMode = dialog.soundMode;
        settings_.cardHeight = dialog.cardHeight;
        settings_.cardWidth = dialog.cardWidth;
        settings_.drawGrid = dialog.drawGrid != 0 ? 1 : 0;
        settings_.cellSizeMm = dialog.cellSizeMm;
        settings_.language = dialog.language.toStdString();
        settings_.colorBack = dialog.colorBack;
        settings_.colorPaper0 = dialog.colorPaper0;
        settings_.colorPaper1 = dialog.colorPaper1;
        settings_.colorEdge = dialog.colorEdge;
    }
    emit updateAllViews();
    if (settings_.cardWidth != oldWidth || settings_.cardHeight != oldHeight)
        prompts_.ShowMessage(window_, ShownMessage(msg::kSelectFileNew));
}

bool CKirikoDoc::CanCursorSmaller() const { return CanHalveCursor(model_.edit); }

bool CKirikoDoc::CanCursorLarger() const {
    return CanDoubleCursor(model_.edit, model_.grid.gridWidth, model_.grid.gridHeight);
}

}  // namespace pw
