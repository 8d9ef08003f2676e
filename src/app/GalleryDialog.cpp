#include "app/GalleryDialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw {

namespace {

constexpr int kPictureSide = 96;

QString ShownName(const std::string& name) {
    QString text = QString::fromStdString(name);
    text.replace(QLatin1Char('-'), QLatin1Char(' '));
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

}  // namespace

QString GalleryDialog::DifficultyTitle(const std::string& difficulty) {
    if (difficulty == "easy") return tr("Easy");
    if (difficulty == "medium") return tr("Medium");
    return tr("Hard");
}

GalleryDialog::GalleryDialog(const Gallery& gallery, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("galleryDialog"));
    setWindowTitle(tr("New from Gallery"));
    auto* column = new QVBoxLayout(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    for (const std::string& difficulty : GalleryDifficulties()) {
        auto* list = new QListWidget(this);
        list->setObjectName(QString::fromStdString(difficulty));
        list->setViewMode(QListView::IconMode);
        list->setIconSize(QSize(kPictureSide, kPictureSide));
        list->setGridSize(QSize(kPictureSide + 40, kPictureSide + 28));
        list->setMovement(QListView::Static);
        list->setResizeMode(QListView::Adjust);
        list->setWrapping(true);
        list->setMinimumHeight(kPictureSide + 40);
        for (const GalleryCard& card : gallery.cards) {
            if (card.difficulty != difficulty) continue;
            auto* item = new QListWidgetItem(QIcon(QString::fromStdString(card.picture)), ShownName(card.name), list);
            item->setData(Qt::UserRole, QFile::decodeName(card.path.c_str()));
            item->setToolTip(QString::fromStdString(card.name));
        }
        if (list->count() == 0) {
            delete list;
            continue;
        }
        column->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(DifficultyTitle(difficulty)), this));
        column->addWidget(list);
        // One card picked in all rows together.
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list, buttons] {
            if (list->selectedItems().isEmpty()) return;
            for (QListWidget* other : lists_)
                if (other != list) other->clearSelection();
            buttons->button(QDialogButtonBox::Ok)->setEnabled(true);
        });
        connect(list, &QListWidget::itemActivated, this, &QDialog::accept);
        lists_.push_back(list);
    }
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(760, 620);
}

QString GalleryDialog::PickedPath() const {
    for (const QListWidget* list : lists_)
        if (!list->selectedItems().isEmpty()) return list->selectedItems().front()->data(Qt::UserRole).toString();
    return {};
}

}  // namespace pw
