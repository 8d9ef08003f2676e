#include "app/FlatListDock.h"

#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "app/KirikoDoc.h"
#include "edit/FlatOperations.h"

namespace pw {

FlatListDock::FlatListDock(CKirikoDoc& doc, QWidget* parent) : QDockWidget(tr("Flats"), parent), doc_(doc) {
    setObjectName(QStringLiteral("flatListDock"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    table_ = new QTableWidget(0, kColumns, body);
    table_->setHorizontalHeaderLabels({tr("Name"), tr("Depth (mm)"), tr("Hidden"), tr("Locked")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    for (int c : {kDepth, kHidden, kLocked}) table_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    layout->addWidget(table_);

    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(new QLabel(tr("Depth:"), body));
    depth_ = new QDoubleSpinBox(body);
    depth_->setDecimals(2);
    depth_->setSingleStep(0.01);
    depth_->setSuffix(tr(" mm"));
    // A typed depth is one edit when it is finished, not one per key.
    depth_->setKeyboardTracking(false);
    depthRow->addWidget(depth_, 1);
    layout->addLayout(depthRow);

    auto* buttons = new QHBoxLayout;
    up_ = new QPushButton(tr("Up"), body);
    down_ = new QPushButton(tr("Down"), body);
    duplicate_ = new QPushButton(tr("Duplicate"), body);
    delete_ = new QPushButton(tr("Delete"), body);
    for (QPushButton* b : {up_, down_, duplicate_, delete_}) buttons->addWidget(b);
    layout->addLayout(buttons);
    setWidget(body);

    connect(table_, &QTableWidget::cellChanged, this, &FlatListDock::OnItemChanged);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &FlatListDock::OnSelectionChanged);
    connect(depth_, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, [this](double mm) {
        if (refreshing_) return;
        const int i = selected_;
        EditCard([&](FreeformCard& card) { return SetFlatDepth(card, i, mm); }, i);
    });
    // The flat list is shown front to back as the file holds it; "up" is towards its start.
    connect(up_, &QPushButton::clicked, this, [this] {
        const int i = selected_;
        EditCard([&](FreeformCard& card) { return MoveFlatInOrder(card, i, i - 1); }, i - 1);
    });
    connect(down_, &QPushButton::clicked, this, [this] {
        const int i = selected_;
        EditCard([&](FreeformCard& card) { return MoveFlatInOrder(card, i, i + 1); }, i + 1);
    });
    connect(duplicate_, &QPushButton::clicked, this, [this] {
        const int i = selected_;
        EditCard([&](FreeformCard& card) { return DuplicateFlat(card, i); }, i + 1);
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        const int i = selected_;
        const int left = static_cast<int>(doc_.Document().Freeform().flats.size()) - 1;
        EditCard([&](FreeformCard& card) { return DeleteFlat(card, i); }, std::min(i, left - 1));
    });
    connect(&doc_, &CKirikoDoc::freeformEdited, this, &FlatListDock::Refresh);
    connect(&doc_, &CKirikoDoc::updateAllViews, this, &FlatListDock::Refresh);
    Refresh();
}

template <typename Edit>
void FlatListDock::EditCard(Edit edit, int select) {
    if (!doc_.IsFreeform()) return;
    FreeformCard card = doc_.Document().Freeform();
    if (!edit(card)) return;
    // Selected first, so the refresh the edit brings shows it selected.
    selected_ = select;
    doc_.EditFreeform(std::move(card));
    emit selectedFlatChanged(selected_);
}

void FlatListDock::Refresh() {
    refreshing_ = true;
    const QSignalBlocker blockTable(table_);
    const bool freeform = doc_.IsFreeform();
    setEnabled(freeform);
    const FreeformCard empty;
    const FreeformCard& card = freeform ? doc_.Document().Freeform() : empty;
    const int n = static_cast<int>(card.flats.size());
    table_->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const FreeformFlat& flat = card.flats[static_cast<std::size_t>(i)];
        auto* name = new QTableWidgetItem(QString::fromStdString(FlatLabel(card, i)));
        name->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        table_->setItem(i, kName, name);
        auto* depth = new QTableWidgetItem(QLocale().toString(flat.depth, 'f', 2));
        depth->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        depth->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(i, kDepth, depth);
        for (const auto& [column, on] : {std::pair{kHidden, flat.hidden}, std::pair{kLocked, flat.locked}}) {
            auto* mark = new QTableWidgetItem;
            mark->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            mark->setCheckState(on ? Qt::Checked : Qt::Unchecked);
            table_->setItem(i, column, mark);
        }
    }
    if (selected_ >= n) selected_ = n - 1;
    if (!freeform) selected_ = -1;
    if (selected_ >= 0) table_->selectRow(selected_);
    else table_->clearSelection();
    depth_->setRange(0, freeform ? card.half : 0);
    if (selected_ >= 0) depth_->setValue(card.flats[static_cast<std::size_t>(selected_)].depth);
    UpdateButtons();
    refreshing_ = false;
}

void FlatListDock::setSelectedFlat(int index) {
    const int n = table_->rowCount();
    const int wanted = index >= 0 && index < n ? index : -1;
    if (wanted == selected_) return;
    selected_ = wanted;
    Refresh();
}

void FlatListDock::OnSelectionChanged() {
    if (refreshing_) return;
    const QList<QTableWidgetSelectionRange> ranges = table_->selectedRanges();
    const int row = ranges.isEmpty() ? -1 : ranges.front().topRow();
    if (row == selected_) return;
    selected_ = row;
    refreshing_ = true;
    if (row >= 0) depth_->setValue(doc_.Document().Freeform().flats[static_cast<std::size_t>(row)].depth);
    refreshing_ = false;
    UpdateButtons();
    emit selectedFlatChanged(selected_);
}

void FlatListDock::OnItemChanged(int row, int column) {
    if (refreshing_) return;
    QTableWidgetItem* item = table_->item(row, column);
    if (!item) return;
    switch (column) {
        case kName: {
            // The label "flat N" shown for an unnamed flat stays no name.
            const FreeformCard& card = doc_.Document().Freeform();
            const std::string text = item->text().trimmed().toStdString();
            if (text == FlatLabel(card, row)) return;
            EditCard([&](FreeformCard& c) { return RenameFlat(c, row, text); }, row);
            break;
        }
        case kHidden: {
            const bool on = item->checkState() == Qt::Checked;
            EditCard([&](FreeformCard& c) { return SetFlatHidden(c, row, on); }, row);
            break;
        }
        case kLocked: {
            const bool on = item->checkState() == Qt::Checked;
            EditCard([&](FreeformCard& c) { return SetFlatLocked(c, row, on); }, row);
            break;
        }
        default: break;
    }
}

void FlatListDock::UpdateButtons() {
    const int n = table_->rowCount();
    const bool any = selected_ >= 0 && selected_ < n;
    up_->setEnabled(any && selected_ > 0);
    down_->setEnabled(any && selected_ < n - 1);
    duplicate_->setEnabled(any);
    delete_->setEnabled(any);
    depth_->setEnabled(any);
}

void FlatListDock::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    if (event->isAccepted()) emit closedByUser();
}

}  // namespace pw
