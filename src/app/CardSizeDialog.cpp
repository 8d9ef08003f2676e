#include "app/CardSizeDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace pw {

namespace {

QSpinBox* NumberBox(QWidget* parent, const char* name, int low, int high, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

void AddButtons(QDialog* dialog, QFormLayout* form) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    form->addRow(buttons);
}

}  // namespace

CardSizeDialog::CardSizeDialog(int columns, int rows, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("cardSizeDialog"));
    setWindowTitle(tr("Card Size"));
    auto* form = new QFormLayout(this);
    columns_ = NumberBox(this, "columns", MinCardColumns(), MaxCardColumns(), columns);
    rows_ = NumberBox(this, "rows", MinCardRows(), MaxCardRows(), rows);
    anchor_ = new QComboBox(this);
    anchor_->setObjectName(QStringLiteral("anchor"));
    anchor_->addItem(tr("Left: columns come or go on the right"));
    anchor_->addItem(tr("Centre: columns come or go on both sides"));
    anchor_->addItem(tr("Right: columns come or go on the left"));
    anchor_->setCurrentIndex(1);
    form->addRow(tr("&Width (columns):"), columns_);
    form->addRow(tr("&Height (cells):"), rows_);
    form->addRow(tr("&Keep the relief at:"), anchor_);
    AddButtons(this, form);
}

int CardSizeDialog::Columns() const { return columns_->value(); }
int CardSizeDialog::Rows() const { return rows_->value(); }
ColumnAnchor CardSizeDialog::Anchor() const { return static_cast<ColumnAnchor>(anchor_->currentIndex()); }

ShiftReliefDialog::ShiftReliefDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("shiftReliefDialog"));
    setWindowTitle(tr("Shift Relief"));
    auto* form = new QFormLayout(this);
    columns_ = NumberBox(this, "columns", -MaxCardColumns(), MaxCardColumns(), 0);
    rows_ = NumberBox(this, "rows", -MaxCardRows(), MaxCardRows(), 0);
    form->addRow(tr("&Columns to the right (left below 0):"), columns_);
    form->addRow(tr("&Rows up (down below 0):"), rows_);
    AddButtons(this, form);
}

int ShiftReliefDialog::Columns() const { return columns_->value(); }
int ShiftReliefDialog::Rows() const { return rows_->value(); }

}  // namespace pw
