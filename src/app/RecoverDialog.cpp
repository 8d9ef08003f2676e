#include "app/RecoverDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/KirikoDoc.h"
#include "app/RecoveryTexts.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "model/Messages.h"

namespace pw {

CRecoverDialog::CRecoverDialog(const std::vector<RecoverableCard>& cards, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("recoverDialog"));
    setWindowTitle(ShownMessage(msg::kRecoverTitle));

    auto* intro =
        new QLabel(ShownMessage(cards.size() == 1 ? msg::kRecoverIntroOne : msg::kRecoverIntroMany), this);
    intro->setObjectName(QStringLiteral("intro"));
    intro->setWordWrap(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("cards"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels({ShownMessage(msg::kRecoverColumnCard), ShownMessage(msg::kRecoverColumnChanged)});
    const QLocale locale;
    for (const RecoverableCard& card : cards) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, card.Name());
        item->setToolTip(0, card.cardPath.isEmpty() ? card.Name() : card.cardPath);
        item->setText(1, locale.toString(card.changed.toLocalTime(), QLocale::ShortFormat));
    }
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    if (!cards.empty()) list_->setCurrentItem(list_->topLevelItem(0));

    auto* buttons = new QDialogButtonBox(this);
    auto* recover = buttons->addButton(ShownMessage(msg::kRecoverButton), QDialogButtonBox::AcceptRole);
    auto* discard = buttons->addButton(ShownMessage(msg::kDiscardButton), QDialogButtonBox::DestructiveRole);
    auto* later = buttons->addButton(ShownMessage(msg::kLaterButton), QDialogButtonBox::RejectRole);
    recover->setObjectName(QStringLiteral("recover"));
    discard->setObjectName(QStringLiteral("discard"));
    later->setObjectName(QStringLiteral("later"));
    recover->setDefault(true);
    connect(recover, &QPushButton::clicked, this, [this] { done(Recover); });
    connect(discard, &QPushButton::clicked, this, [this] { done(Discard); });
    connect(later, &QPushButton::clicked, this, [this] { done(Later); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { done(Recover); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(480, 260);
}

int CRecoverDialog::SelectedIndex() const {
    QTreeWidgetItem* item = list_->currentItem();
    return item ? list_->indexOfTopLevelItem(item) : -1;
}

void OfferRecovery(CardRecovery& recovery, CKirikoDoc& doc, UserPrompts& prompts, QWidget* window) {
    std::vector<RecoverableCard> cards = recovery.FindOrphanedCards();
    while (!cards.empty()) {
        CRecoverDialog dialog(cards, window);
        const int choice = prompts.RunDialog(dialog);
        const int index = dialog.SelectedIndex();
        if (choice == CRecoverDialog::Later || index < 0 || index >= static_cast<int>(cards.size())) return;
        const RecoverableCard card = cards[static_cast<std::size_t>(index)];
        cards.erase(cards.begin() + index);
        if (choice == CRecoverDialog::Discard) {
            recovery.DiscardCard(card);
            continue;
        }
        if (!doc.SaveModified()) return;
        switch (recovery.RecoverCard(card)) {
            case CardRecovery::RecoverResult::Recovered: return;  // the others wait for the next start
            case CardRecovery::RecoverResult::Unreadable:
                // It stays, to be discarded another time.
                prompts.ShowMessage(window, ShownMessage(msg::kFileCouldNotBeRead));
                break;
            case CardRecovery::RecoverResult::Gone: break;  // another program took it first
        }
    }
}

}  // namespace pw
