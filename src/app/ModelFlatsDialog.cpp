#include "app/ModelFlatsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/KirikoDoc.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "document/CardDocument.h"
#include "document/ModelFlatsFile.h"
#include "import/ImportMessages.h"

namespace pw {

namespace {

QDoubleSpinBox* MillimetreField(const char* name, double low, double high, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setDecimals(1);
    box->setValue(value);
    box->setSuffix(CModelFlatsDialog::tr(" mm"));
    return box;
}

}  // namespace

CModelFlatsDialog::CModelFlatsDialog(UserPrompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts) {
    setWindowTitle(tr("Model as Flats"));
    auto* form = new QFormLayout;

    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("modelFlatsFile"));
    auto* browse = new QPushButton(tr("&Browse..."), this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    auto* fileLabel = new QLabel(tr("F&ile:"), this);
    fileLabel->setBuddy(file_);
    form->addRow(fileLabel, fileRow);
    connect(browse, &QPushButton::clicked, this, &CModelFlatsDialog::Browse);

    up_ = new QComboBox(this);
    up_->addItem(tr("z (seen from -y)"));
    up_->addItem(tr("y (seen from +z)"));
    form->addRow(tr("&Up axis:"), up_);

    automatic_ = new QRadioButton(tr("&At the model's steps, at most"), this);
    automatic_->setChecked(true);
    count_ = new QSpinBox(this);
    count_->setRange(1, kMaxModelFlats);
    count_->setValue(4);
    count_->setSuffix(tr(" flats"));
    auto* automaticRow = new QHBoxLayout;
    automaticRow->addWidget(automatic_);
    automaticRow->addWidget(count_, 1);
    form->addRow(tr("Depths:"), automaticRow);
    auto* listed = new QRadioButton(tr("At &these depths (mm):"), this);
    depths_ = new QLineEdit(this);
    depths_->setObjectName(QStringLiteral("modelFlatsDepths"));
    depths_->setPlaceholderText(QStringLiteral("40, 25, 10"));
    depths_->setEnabled(false);
    auto* listedRow = new QHBoxLayout;
    listedRow->addWidget(listed);
    listedRow->addWidget(depths_, 1);
    form->addRow(QString(), listedRow);
    connect(automatic_, &QRadioButton::toggled, this, [this](bool on) {
        count_->setEnabled(on);
        depths_->setEnabled(!on);
    });

    size_ = MillimetreField("modelFlatsSize", 1, 1000, 50, this);
    atX_ = MillimetreField("modelFlatsAtX", -1000, 1000, 20, this);
    atZ_ = MillimetreField("modelFlatsAtZ", 0, 1000, 0, this);
    form->addRow(tr("&Height:"), size_);
    form->addRow(tr("Lower left &x:"), atX_);
    form->addRow(tr("Lower left &z:"), atZ_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString CModelFlatsDialog::File() const { return file_->text().trimmed(); }

bool CModelFlatsDialog::Slicing(ModelSlicing& how) const {
    how.up = up_->currentIndex() == 1 ? ModelUp::Y : ModelUp::Z;
    how.heightMm = size_->value();
    how.automaticCount = count_->value();
    how.depthsMm.clear();
    return automatic_->isChecked() || ParseDepthList(depths_->text().toStdString(), how.depthsMm);
}

double CModelFlatsDialog::AtX() const { return atX_->value(); }
double CModelFlatsDialog::AtZ() const { return atZ_->value(); }

void CModelFlatsDialog::Browse() {
    const QString name = prompts_.GetOpenFileName(this, tr("3D models (*.obj *.stl *.ply *.gltf *.glb *.3mf)"));
    if (!name.isEmpty()) file_->setText(name);
}

void AddModelFlats(CKirikoDoc& doc, UserPrompts& prompts, QWidget* parent) {
    CModelFlatsDialog dialog(prompts, parent);
    if (prompts.RunDialog(dialog) != QDialog::Accepted) return;
    ModelSlicing how;
    if (!dialog.Slicing(how)) {
        prompts.ShowMessage(parent, ShownMessage(msg::kModelFlatsDepthList));
        return;
    }
    ModelFlatsOutcome outcome = MakeModelFlats(dialog.File().toStdString(), how);
    if (!outcome.made.Made()) {
        prompts.ShowMessage(parent, ShownMessage(outcome.made.error));
        return;
    }
    PlaceFlats(outcome.made.flats, how.heightMm, dialog.AtX(), dialog.AtZ());
    FreeformCard card = doc.Document().Freeform();
    for (FreeformFlat& flat : outcome.made.flats) card.flats.push_back(std::move(flat));
    doc.EditFreeform(std::move(card));
}

}  // namespace pw
