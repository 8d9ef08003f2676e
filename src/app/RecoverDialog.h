#pragma once
#include <QDialog>
#include <vector>

#include "app/CardRecovery.h"

class QTreeWidget;

namespace pw {

class CKirikoDoc;
class UserPrompts;

// "Recover unsaved card": the cards that programs which are no longer
// running left in the recovery folder, each with when it last changed,
// newest first, and the choice for the selected one.
class CRecoverDialog : public QDialog {
    Q_OBJECT
public:
    // The dialog's results; closing it counts as Later.
    enum Choice { Later = QDialog::Rejected, Recover = QDialog::Accepted, Discard = 2 };

    CRecoverDialog(const std::vector<RecoverableCard>& cards, QWidget* parent = nullptr);

    // The selected card's index in the list given, or -1.
    int SelectedIndex() const;

private:
    QTreeWidget* list_ = nullptr;
};

// At start: offers each recovery copy that no running program owns. Recover
// opens the chosen card in the window (the others wait for the next start),
// Discard deletes it and asks about the rest, Later keeps them all.
void OfferRecovery(CardRecovery& recovery, CKirikoDoc& doc, UserPrompts& prompts, QWidget* window);

}  // namespace pw
