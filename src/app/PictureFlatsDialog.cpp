#include "app/PictureFlatsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "app/KirikoDoc.h"
#include "app/ShownTexts.h"
#include "app/TracePreview.h"
#include "app/UserPrompts.h"
#include "document/ReliefPictures.h"
#include "import/TraceBitmap.h"
#include "import/TracedFlats.h"

namespace pw {

namespace {

// The preview traces at most this many pixels: a few milliseconds a trace.
constexpr long long kPreviewPixels = 250'000;

QDoubleSpinBox* Millimetres(QWidget* parent, const char* name, double lo, double hi, double value) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(lo, hi);
    box->setDecimals(1);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

QImage Shown(const GreyImage& g) {
    QImage image(g.width, g.height, QImage::Format_Grayscale8);
    for (int y = 0; y < g.height; ++y) std::copy_n(&g.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(g.width)], g.width, image.scanLine(y));
    return image;
}

}  // namespace

CPictureFlatsDialog::CPictureFlatsDialog(const FreeformCard& card, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
    setWindowTitle(tr("Picture as Flats"));
    auto* form = new QFormLayout;

    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("file"));
    auto* browse = new QPushButton(tr("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, &CPictureFlatsDialog::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_);
    fileRow->addWidget(browse);
    // A row holding a layout takes no buddy of its own: the label is made here.
    auto* fileLabel = new QLabel(tr("&Picture:"), this);
    fileLabel->setBuddy(file_);
    form->addRow(fileLabel, fileRow);

    threshold_ = new QSlider(Qt::Horizontal, this);
    threshold_->setObjectName(QStringLiteral("threshold"));
    threshold_->setRange(0, 255);
    threshold_->setValue(TraceSettings{}.threshold);
    thresholdShown_ = new QLabel(this);
    thresholdShown_->setMinimumWidth(30);
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(threshold_);
    thresholdRow->addWidget(thresholdShown_);
    auto* thresholdLabel = new QLabel(tr("&Threshold (darker is paper):"), this);
    thresholdLabel->setBuddy(threshold_);
    form->addRow(thresholdLabel, thresholdRow);

    speckle_ = new QSpinBox(this);
    speckle_->setObjectName(QStringLiteral("speckle"));
    speckle_->setRange(0, 100000);
    speckle_->setValue(static_cast<int>(TraceSettings{}.speckPixels));
    speckle_->setSuffix(tr(" pixels"));
    form->addRow(tr("Drop &speckles up to:"), speckle_);

    depthMap_ = new QCheckBox(tr("Depth &map: black is near, white the back sheet"), this);
    depthMap_->setObjectName(QStringLiteral("depthMap"));
    levels_ = new QSpinBox(this);
    levels_->setObjectName(QStringLiteral("levels"));
    levels_->setRange(2, kMaxDepthLevels);
    levels_->setValue(4);
    levels_->setEnabled(false);
    form->addRow(QString(), depthMap_);
    form->addRow(tr("&Levels:"), levels_);

    const double half = card.half > 0 ? card.half : 100;
    depth_ = Millimetres(this, "depth", 0.5, half, std::min(30.0, half / 2));
    size_ = Millimetres(this, "size", 1, half, std::min(40.0, half / 2));
    atX_ = Millimetres(this, "atX", -card.width, card.width, card.width > 0 ? card.width / 4 : 10);
    atZ_ = Millimetres(this, "atZ", 0, half, 0);
    form->addRow(tr("&Depth (nearest):"), depth_);
    form->addRow(tr("&Height:"), size_);
    form->addRow(tr("Lower left &x:"), atX_);
    form->addRow(tr("Lower left &z:"), atZ_);

    preview_ = new CTracePreview(this);
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("notes"));
    notes_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QHBoxLayout;
    side->addLayout(form);
    side->addWidget(preview_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(side, 1);
    layout->addWidget(notes_);
    layout->addWidget(buttons);

    // A slider's drag sends many values: trace once the events settle.
    retrace_ = new QTimer(this);
    retrace_->setSingleShot(true);
    retrace_->setInterval(15);
    connect(retrace_, &QTimer::timeout, this, &CPictureFlatsDialog::UpdatePreview);
    connect(file_, &QLineEdit::editingFinished, this, &CPictureFlatsDialog::ScheduleTrace);
    connect(threshold_, &QSlider::valueChanged, this, &CPictureFlatsDialog::ScheduleTrace);
    connect(speckle_, qOverload<int>(&QSpinBox::valueChanged), this, &CPictureFlatsDialog::ScheduleTrace);
    connect(levels_, qOverload<int>(&QSpinBox::valueChanged), this, &CPictureFlatsDialog::ScheduleTrace);
    connect(depthMap_, &QCheckBox::toggled, levels_, &QWidget::setEnabled);
    connect(depthMap_, &QCheckBox::toggled, threshold_, &QWidget::setDisabled);
    connect(depthMap_, &QCheckBox::toggled, this, &CPictureFlatsDialog::ScheduleTrace);
    UpdatePreview();
}

void CPictureFlatsDialog::Browse() {
    const QString name = prompts_.GetOpenFileName(this, tr("Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.svg *.svgz)"));
    if (name.isEmpty()) return;
    file_->setText(name);
    UpdatePreview();
}

void CPictureFlatsDialog::ScheduleTrace() { retrace_->start(); }

bool CPictureFlatsDialog::LoadPicture(std::string& error) {
    const std::string path = file_->text().trimmed().toStdString();
    if (path != loadedPath_) {
        loadedPath_ = path;
        loadError_.clear();
        picture_ = GreyImage();
        previewPicture_ = GreyImage();
        if (path.empty())
            loadError_ = tr("Please choose a picture file.").toStdString();
        else if (ReadReliefPicture(path, picture_, loadError_)) {
            const long long pixels = static_cast<long long>(picture_.width) * picture_.height;
            previewFactor_ = 1;
            while (pixels > kPreviewPixels * previewFactor_ * previewFactor_) ++previewFactor_;
            previewPicture_ = ShrunkBy(picture_, previewFactor_);
            preview_->SetPicture(Shown(previewPicture_));
        }
    }
    error = loadError_;
    return error.empty();
}

void CPictureFlatsDialog::UpdatePreview() {
    thresholdShown_->setText(QString::number(threshold_->value()));
    std::string error;
    if (!LoadPicture(error)) {
        preview_->SetPicture(QImage());
        preview_->SetMessage(file_->text().trimmed().isEmpty() ? QString() : ShownMessage(error));
        notes_->clear();
        ok_->setEnabled(false);
        return;
    }
    TraceSettings settings;
    settings.threshold = threshold_->value();
    settings.speckPixels = speckle_->value() / (previewFactor_ * previewFactor_);
    settings.levels = depthMap_->isChecked() ? levels_->value() : 0;
    const FlatsFromSource traced = TraceFlats(previewPicture_, settings);
    if (!traced.error.empty()) {
        preview_->SetMessage(ShownMessage(traced.error));
        notes_->clear();
        ok_->setEnabled(false);
        return;
    }
    preview_->SetOutlines(traced.flats, previewPicture_.height);
    notes_->setText(tr("Flats: %1").arg(traced.flats.size()));
    ok_->setEnabled(true);
}

FlatsFromSource CPictureFlatsDialog::MakeFlats() {
    FlatsFromSource out;
    if (!LoadPicture(out.error)) return out;
    TraceSettings settings;
    settings.threshold = threshold_->value();
    settings.speckPixels = speckle_->value();
    settings.levels = depthMap_->isChecked() ? levels_->value() : 0;
    settings.depthMm = depth_->value();
    out = TraceFlats(picture_, settings);
    if (out.Made()) PlaceFlats(out.flats, size_->value(), atX_->value(), atZ_->value());
    return out;
}

}  // namespace pw

namespace pw {

void AddPictureFlats(CKirikoDoc& doc, UserPrompts& prompts, QWidget* parent, QStatusBar* status) {
    if (!doc.IsFreeform()) return;
    CPictureFlatsDialog dialog(doc.Document().Freeform(), prompts, parent);
    if (prompts.RunDialog(dialog) != QDialog::Accepted) return;
    const FlatsFromSource traced = dialog.MakeFlats();
    if (!traced.Made()) {
        prompts.ShowMessage(parent, ShownMessage(traced.error));
        return;
    }
    FreeformCard card = doc.Document().Freeform();
    card.flats.insert(card.flats.end(), traced.flats.begin(), traced.flats.end());
    doc.EditFreeform(std::move(card));
    QStringList notes;
    for (const std::string& note : traced.notes) notes << ShownMessage(note);
    if (status && !notes.isEmpty()) status->showMessage(notes.join(QLatin1Char(' ')));
}

}  // namespace pw
