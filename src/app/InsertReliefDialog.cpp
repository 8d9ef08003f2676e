#include "app/InsertReliefDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/ReliefPreview.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "document/ReliefMaps.h"
#include "document/ReliefPictures.h"
#include "import/ImportMessages.h"
#include "model/CellGrid.h"
#include "model/ReliefShape.h"

namespace pw {

namespace {

QSpinBox* NumberField(const char* name, int low, int high, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

}  // namespace

CInsertReliefDialog::CInsertReliefDialog(ReliefKind kind, const CellGrid& grid, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), kind_(kind), grid_(grid), prompts_(prompts) {
    setObjectName(QStringLiteral("insertReliefDialog"));
    setWindowTitle(kind == ReliefKind::Text ? tr("Insert Text") : kind == ReliefKind::Picture ? tr("Insert Picture")
                                                                                              : tr("Insert Model"));
    auto* form = new QFormLayout;
    BuildSourceFields(form);
    BuildAreaFields(form);

    preview_ = new CReliefPreview(this);
    closing_ = new QLabel(this);
    closing_->setObjectName(QStringLiteral("reliefClosing"));
    closing_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName(QStringLiteral("ok"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* view = new QVBoxLayout;
    view->addWidget(preview_, 1);
    view->addWidget(closing_);
    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addLayout(view, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(buttons);
    UpdatePreview();
}

void CInsertReliefDialog::BuildSourceFields(QFormLayout* form) {
    if (kind_ == ReliefKind::Text) {
        text_ = new QLineEdit(this);
        text_->setObjectName(QStringLiteral("reliefText"));
        text_->setMaxLength(kMaxTextCharacters);
        font_ = new QFontComboBox(this);
        font_->setObjectName(QStringLiteral("reliefFont"));
        font_->setFontFilters(QFontComboBox::ScalableFonts);
        font_->setCurrentFont(QFont(QStringLiteral("DejaVu Sans")));
        form->addRow(tr("&Text:"), text_);
        form->addRow(tr("&Font:"), font_);
        connect(text_, &QLineEdit::textChanged, this, &CInsertReliefDialog::UpdatePreview);
        connect(font_, &QFontComboBox::currentFontChanged, this, &CInsertReliefDialog::UpdatePreview);
        return;
    }
    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("reliefFile"));
    auto* browse = new QPushButton(tr("&Browse..."), this);
    browse->setObjectName(QStringLiteral("reliefBrowse"));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    // A label of its own: a row that is a layout gets no buddy for its shortcut.
    auto* fileLabel = new QLabel(tr("F&ile:"), this);
    fileLabel->setBuddy(file_);
    form->addRow(fileLabel, fileRow);
    // The view follows the name as it is typed, pasted or chosen; a file is
    // read again only when the name changed.
    connect(file_, &QLineEdit::textChanged, this, &CInsertReliefDialog::UpdatePreview);
    connect(browse, &QPushButton::clicked, this, &CInsertReliefDialog::Browse);
    if (kind_ == ReliefKind::Picture) {
        auto* silhouette = new QRadioButton(tr("&Silhouette: dark pixels stand out"), this);
        silhouette->setObjectName(QStringLiteral("reliefSilhouette"));
        silhouette->setChecked(true);
        depthMap_ = new QRadioButton(tr("&Depth map: black stands out farthest"), this);
        depthMap_->setObjectName(QStringLiteral("reliefDepthMap"));
        threshold_ = NumberField("reliefThreshold", 0, 100, 50, this);
        threshold_->setSuffix(tr(" %"));
        form->addRow(tr("Mode:"), silhouette);
        form->addRow(QString(), depthMap_);
        form->addRow(tr("Dar&ker than:"), threshold_);
        connect(depthMap_, &QRadioButton::toggled, this, &CInsertReliefDialog::UpdatePreview);
        connect(depthMap_, &QRadioButton::toggled, threshold_, [this](bool on) { threshold_->setEnabled(!on); });
        connect(threshold_, qOverload<int>(&QSpinBox::valueChanged), this, &CInsertReliefDialog::UpdatePreview);
    } else {
        up_ = new QComboBox(this);
        up_->setObjectName(QStringLiteral("reliefUp"));
        up_->addItem(tr("z (seen from -y)"));
        up_->addItem(tr("y (seen from +z)"));
        form->addRow(tr("&Up axis:"), up_);
        connect(up_, qOverload<int>(&QComboBox::currentIndexChanged), this, &CInsertReliefDialog::UpdatePreview);
    }
}

void CInsertReliefDialog::BuildAreaFields(QFormLayout* form) {
    const int columns = std::max(1, grid_.gridWidth - 2);
    const int heights = std::max(1, grid_.gridHeight - 2);
    firstColumn_ = NumberField("reliefFirstColumn", 1, columns, 1, this);
    width_ = NumberField("reliefWidth", 1, columns, columns, this);
    height_ = NumberField("reliefHeight", 1, heights, heights, this);
    // A model keeps its own proportions unless its depth is capped.
    const bool model = kind_ == ReliefKind::Model;
    depth_ = NumberField("reliefDepth", model ? 0 : 1, heights, model ? 0 : DefaultReliefDepth(grid_.gridHeight), this);
    if (model) depth_->setSpecialValueText(tr("the model's own"));
    keepInside_ = new QCheckBox(tr("&Keep inside the closed card"), this);
    keepInside_->setObjectName(QStringLiteral("reliefKeepInside"));
    // Most pictures, texts and models stick out of the closed card at the
    // card's full height; cutting them back is what a card needs.
    keepInside_->setChecked(true);
    form->addRow(tr("First &column:"), firstColumn_);
    form->addRow(tr("&Width:"), width_);
    form->addRow(tr("&Height:"), height_);
    form->addRow(model ? tr("&Largest depth:") : tr("D&epth:"), depth_);
    form->addRow(QString(), keepInside_);
    for (QSpinBox* box : {firstColumn_, width_, height_, depth_})
        connect(box, qOverload<int>(&QSpinBox::valueChanged), this, &CInsertReliefDialog::UpdatePreview);
    connect(keepInside_, &QCheckBox::toggled, this, &CInsertReliefDialog::UpdatePreview);
}

void CInsertReliefDialog::Browse() {
    const QString filter = kind_ == ReliefKind::Picture
                               ? tr("Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.svg *.svgz)")
                               : tr("3D models (*.obj *.stl *.ply *.gltf *.glb *.3mf)");
    const QString name = prompts_.GetOpenFileName(this, filter);
    if (name.isEmpty()) return;
    file_->setText(name);
}

bool CInsertReliefDialog::SourceEmpty() const {
    return text_ ? text_->text().isEmpty() : file_->text().trimmed().isEmpty();
}

void CInsertReliefDialog::ShowCardAsItIs() {
    std::vector<ColumnDepths> columns;
    for (int x = 1; x <= grid_.gridWidth - 2; ++x) columns.push_back(ReadColumnDepths(grid_, x));
    preview_->SetColumns(std::move(columns), 1, 0, grid_.gridHeight);
    closing_->clear();
}

ReliefSettings CInsertReliefDialog::Settings() const {
    ReliefSettings s;
    s.area = ReliefArea{firstColumn_->value(), width_->value(), height_->value()};
    s.depth = depth_->value();
    s.keepInside = keepInside_->isChecked();
    if (depthMap_) s.pictureMode = depthMap_->isChecked() ? PictureMode::DepthMap : PictureMode::Silhouette;
    if (threshold_) s.threshold = threshold_->value() / 100.0;
    if (font_) s.font = font_->currentFont().family().toStdString();
    if (up_) s.up = up_->currentIndex() == 1 ? ModelUp::Y : ModelUp::Z;
    return s;
}

bool CInsertReliefDialog::LoadSource(std::string& error) {
    const std::string path = file_->text().trimmed().toStdString();
    if (path != loadedFile_) {
        loadedFile_ = path;
        loadError_.clear();
        picture_ = GreyImage();
        mesh_ = Mesh();
        if (path.empty())
            loadError_ = kind_ == ReliefKind::Picture ? tr("Please choose a picture file.").toStdString()
                                                      : tr("Please choose a model file.").toStdString();
        else if (kind_ == ReliefKind::Picture)
            ReadReliefPicture(path, picture_, loadError_);
        else
            ReadReliefModel(path, mesh_, loadError_);
    }
    error = loadError_;
    return error.empty();
}

bool CInsertReliefDialog::MakeMap(DepthMap& map, std::string& error) {
    const int W = grid_.gridWidth, H = grid_.gridHeight;
    const ReliefSettings settings = Settings();
    switch (kind_) {
    case ReliefKind::Text: return TextReliefMap(text_->text().toStdString(), settings, W, H, map, error);
    case ReliefKind::Picture: return LoadSource(error) && PictureReliefMap(picture_, settings, W, H, map, error);
    case ReliefKind::Model: return LoadSource(error) && ModelReliefMap(mesh_, settings, W, H, map, error);
    }
    return false;
}

bool CInsertReliefDialog::KeepInside() const { return keepInside_->isChecked(); }

void CInsertReliefDialog::UpdatePreview() {
    if (!preview_) return;
    ok_->setEnabled(!SourceEmpty());
    if (SourceEmpty()) {
        ShowCardAsItIs();
        return;
    }
    DepthMap map;
    std::string error;
    if (!MakeMap(map, error)) {
        preview_->SetMessage(ShownMessage(error));
        closing_->clear();
        return;
    }
    const int H = grid_.gridHeight;
    std::vector<ColumnDepths> columns;
    for (int x = 1; x <= grid_.gridWidth - 2; ++x) {
        if (x < map.firstColumn || x >= map.firstColumn + map.width) {
            columns.push_back(ReadColumnDepths(grid_, x));
            continue;
        }
        ColumnDepths d = NearestValidColumn(map, x - map.firstColumn, H);
        if (KeepInside()) KeepInsideClosedCard(d, H);
        columns.push_back(std::move(d));
    }
    const ClosingReport closing = CheckClosingOfColumns(columns, H);
    QString note = ClosingStatusShown(closing);
    if (!closing.ClosesInside() && !KeepInside())
        note += QLatin1Char(' ') + tr("Tick \"Keep inside the closed card\" to cut it back.");
    closing_->setText(note);
    preview_->SetColumns(std::move(columns), map.firstColumn, map.width, H);
}

}  // namespace pw
