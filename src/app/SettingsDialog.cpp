#include "app/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QColor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

#include "app/AppLanguage.h"
#include "app/ColorSwatch.h"
#include "app/ShownTexts.h"
#include "app/UserPrompts.h"
#include "model/AppSettings.h"
#include "model/IntegerText.h"
#include "model/Messages.h"
#include "output/CutterPattern.h"
#include "output/PaperGrid.h"
#include "output/PatternOptions.h"

namespace pw {

namespace {

QLineEdit* NumberEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(52);
    return edit;
}

// The dialog's starting values: the settings' colours, zero for the rest,
// which the caller fills.
AppSettings ColoursOnly(const AppSettings& settings) {
    AppSettings v;
    v.newCard.width = v.newCard.height = 0;
    v.sound.on = v.print.mirror = 0;
    v.print.sizePercent = v.bitmap.widthPx = 0;
    v.view.gridDisplay = 0;
    v.print.cellMm = 0;
    v.colors.background = settings.colors.background;
    v.colors.verticalFace = settings.colors.verticalFace;
    v.colors.horizontalFace = settings.colors.horizontalFace;
    v.colors.outline = settings.colors.outline;
    return v;
}

}  // namespace

bool ParseDialogInteger(const QString& text, std::int32_t& value) {
    // Qt trims every kind of blank a field may hold, not only ASCII ones.
    return ParseWholeNumber(text.trimmed().toStdString(), value);
}

bool ParseCellSize(const QString& text, double& cellMm) {
    // A decimal comma is taken as the point.
    QString typed = text.trimmed();
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    double value = 0;
    if (!ParseDecimal(typed.toStdString(), value)) return false;
    value = std::round(value * 1000) / 1000;
    if (!CellSizeAllowed(value)) return false;
    cellMm = value;
    return true;
}

QString CellSizeMessage() {
    return ShownMessage(msg::kEnterCellSize)
        .arg(QString::fromStdString(FormatDecimal(kMinCellMm, 3)))
        .arg(QString::fromStdString(FormatDecimal(kMaxCellMm, 3)));
}

CSettingsDialog::CSettingsDialog(const AppSettings& settings, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      values(ColoursOnly(settings)),
      prompts_(prompts) {
    setWindowTitle(tr("Setting"));
    setModal(true);
    BuildLayout();

    connect(background_, &QPushButton::clicked, this, [this] { ChooseColor(values.colors.background, backgroundSwatch_); });
    connect(verticalFace_, &QPushButton::clicked, this, [this] { ChooseColor(values.colors.verticalFace, verticalFaceSwatch_); });
    connect(horizontalFace_, &QPushButton::clicked, this,
            [this] { ChooseColor(values.colors.horizontalFace, horizontalFaceSwatch_); });
    connect(outline_, &QPushButton::clicked, this, [this] { ChooseColor(values.colors.outline, outlineSwatch_); });
    connect(defaultSetting_, &QPushButton::clicked, this, &CSettingsDialog::OnDefaultSetting);
    connect(ok_, &QPushButton::clicked, this, &CSettingsDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &CSettingsDialog::reject);
    // A click into a swatch puts the caret into the print-size field.
    for (ColorSwatch* swatch : {backgroundSwatch_, verticalFaceSwatch_, horizontalFaceSwatch_, outlineSwatch_})
        connect(swatch, &ColorSwatch::pressed, this, [this] { printSize_->setFocus(Qt::MouseFocusReason); });
}

void CSettingsDialog::BuildLayout() {
    // Output: print size, bitmap width and the Invert option.
    auto* output = new QGroupBox(tr("Output"), this);
    auto* printBox = new QGroupBox(tr("Print Size"), output);
    printSize_ = NumberEdit(printBox, "printSize");
    auto* printGrid = new QGridLayout(printBox);
    printGrid->addWidget(printSize_, 0, 0);
    printGrid->addWidget(new QLabel(tr("%"), printBox), 0, 1);
    printGrid->addWidget(new QLabel(tr("of A4 paper size"), printBox), 1, 0, 1, 2);
    printGrid->setColumnStretch(2, 1);

    auto* bmpBox = new QGroupBox(tr("BMP Size"), output);
    bmpWidth_ = NumberEdit(bmpBox, "bmpWidth");
    auto* bmpRow = new QHBoxLayout(bmpBox);
    bmpRow->addWidget(new QLabel(tr("Width"), bmpBox));
    bmpRow->addWidget(bmpWidth_);
    bmpRow->addWidget(new QLabel(tr("Pixels"), bmpBox));
    bmpRow->addStretch(1);

    invert_ = new QCheckBox(tr("Invert"), output);
    invert_->setObjectName(QStringLiteral("invert"));
    auto* outputGrid = new QGridLayout(output);
    outputGrid->addWidget(printBox, 0, 0);
    outputGrid->addWidget(bmpBox, 0, 1);
    outputGrid->addWidget(invert_, 1, 0, 1, 2, Qt::AlignHCenter);

    // The real size of the cutter-ready files and the printout.
    cellSize_ = NumberEdit(output, "cellSize");
    auto* cellRow = new QHBoxLayout;
    cellRow->addWidget(new QLabel(tr("Cell size (mm)"), output));
    cellRow->addWidget(cellSize_);
    cellRow->addWidget(new QLabel(tr("(0 = from the print size, or 0.5 - 50)"), output));
    cellRow->addStretch(1);
    outputGrid->addLayout(cellRow, 2, 0, 1, 2);

    // Display Color: a button and its swatch for each of the four colours.
    auto* colours = new QGroupBox(tr("Display Color"), this);
    auto makeButton = [colours](const QString& text, const char* name) {
        auto* button = new QPushButton(text, colours);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        return button;
    };
    auto makeSwatch = [colours](std::int32_t rgb, const char* name) {
        auto* swatch = new ColorSwatch(colours);
        swatch->setObjectName(QLatin1String(name));
        swatch->SetColor(rgb);
        return swatch;
    };
    background_ = makeButton(tr("Background"), "background");
    verticalFace_ = makeButton(tr("Vertical Face"), "verticalFace");
    horizontalFace_ = makeButton(tr("Horizontal Face"), "horizontalFace");
    outline_ = makeButton(tr("Outline"), "outline");
    defaultSetting_ = makeButton(tr("Default Setting"), "defaultSetting");
    backgroundSwatch_ = makeSwatch(values.colors.background, "backgroundSwatch");
    verticalFaceSwatch_ = makeSwatch(values.colors.verticalFace, "verticalFaceSwatch");
    horizontalFaceSwatch_ = makeSwatch(values.colors.horizontalFace, "horizontalFaceSwatch");
    outlineSwatch_ = makeSwatch(values.colors.outline, "outlineSwatch");
    auto* colourGrid = new QGridLayout(colours);
    colourGrid->addWidget(background_, 0, 0);
    colourGrid->addWidget(backgroundSwatch_, 0, 1);
    colourGrid->addWidget(horizontalFace_, 0, 3);
    colourGrid->addWidget(horizontalFaceSwatch_, 0, 4);
    colourGrid->addWidget(verticalFace_, 1, 0);
    colourGrid->addWidget(verticalFaceSwatch_, 1, 1);
    colourGrid->addWidget(outline_, 1, 3);
    colourGrid->addWidget(outlineSwatch_, 1, 4);
    colourGrid->setColumnMinimumWidth(2, 16);
    colourGrid->addWidget(defaultSetting_, 2, 0, 1, 5, Qt::AlignHCenter);

    // The number of Grid: the card size for new cards.
    auto* gridBox = new QGroupBox(tr("The number of Grid"), this);
    gridHeight_ = NumberEdit(gridBox, "gridHeight");
    gridWidth_ = NumberEdit(gridBox, "gridWidth");
    auto* sizeGrid = new QGridLayout(gridBox);
    sizeGrid->addWidget(new QLabel(tr("Height"), gridBox), 0, 0);
    sizeGrid->addWidget(gridHeight_, 0, 1);
    sizeGrid->addWidget(new QLabel(tr("(5 - 40)"), gridBox), 0, 2);
    sizeGrid->addWidget(new QLabel(tr("Width"), gridBox), 1, 0);
    sizeGrid->addWidget(gridWidth_, 1, 1);
    sizeGrid->addWidget(new QLabel(tr("(10 - 80)"), gridBox), 1, 2);
    // A postcard paper fills in the size, and the cell that makes the flat
    // sheet that paper folded across its long side. The choice itself is not
    // kept: the numbers it fills in are what New and the exports use.
    auto* paper = new QComboBox(gridBox);
    paper->setObjectName(QStringLiteral("newCardPaper"));
    paper->addItem(tr("Custom"), QString());
    paper->addItem(tr("Postcard (100 × 148 mm)"), QStringLiteral("postcard"));
    paper->addItem(tr("Reply postcard (148 × 200 mm)"), QStringLiteral("reply-postcard"));
    sizeGrid->addWidget(new QLabel(tr("Paper"), gridBox), 2, 0);
    sizeGrid->addWidget(paper, 2, 1, 1, 2);
    connect(paper, QOverload<int>::of(&QComboBox::activated), this, [this, paper](int index) {
        const std::optional<PaperSize> named = PaperNamed(paper->itemData(index).toString().toStdString());
        if (!named) return;
        const PaperGrid grid = GridForPaper(*named);
        gridWidth_->setText(QString::number(grid.width));
        gridHeight_->setText(QString::number(grid.height));
        cellSize_->setText(QString::fromStdString(FormatDecimal(grid.cellMm, 3)));
    });

    // Others: grid display and sound.
    auto* others = new QGroupBox(tr("Others"), this);
    displayGrid_ = new QCheckBox(tr("Display the grid"), others);
    displayGrid_->setObjectName(QStringLiteral("displayGrid"));
    sound_ = new QCheckBox(tr("Sound"), others);
    sound_->setObjectName(QStringLiteral("sound"));
    auto* othersColumn = new QVBoxLayout(others);
    othersColumn->addWidget(displayGrid_);
    othersColumn->addWidget(sound_);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(gridBox);
    bottom->addWidget(others);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addStretch(2);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(output);
    column->addWidget(colours);
    column->addLayout(bottom);
    // The language, taken at the next start; each translation names itself
    // in its own language.
    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("language"));
    language_->addItem(tr("System language"), QString());
    language_->addItem(QStringLiteral("English"), QStringLiteral("en"));
    for (const QString& code : BuiltInLanguages()) language_->addItem(QLocale(code).nativeLanguageName(), code);
    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(new QLabel(tr("Language"), this));
    languageRow->addWidget(language_);
    languageRow->addStretch(1);
    column->addLayout(languageRow);
    column->addSpacing(6);
    column->addLayout(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The tab order of the original control order: the grid counts and the
    // grid display come after OK and Cancel.
    // The cell size came later and comes last.
    QWidget* const order[] = {printSize_, bmpWidth_, invert_, background_, verticalFace_,
                              horizontalFace_, outline_, defaultSetting_, sound_, ok_,
                              cancel_, gridHeight_, gridWidth_, displayGrid_, cellSize_, language_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void CSettingsDialog::showEvent(QShowEvent* event) {
    if (!controlsFilled_) {
        // Values go into the controls as they are, in or out of range.
        ValuesIntoControls();
        controlsFilled_ = true;
        printSize_->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void CSettingsDialog::ValuesIntoControls() {
    printSize_->setText(QString::number(values.print.sizePercent));
    bmpWidth_->setText(QString::number(values.bitmap.widthPx));
    invert_->setChecked(values.print.mirror != 0);
    sound_->setChecked(values.sound.on != 0);
    gridHeight_->setText(QString::number(values.newCard.height));
    gridWidth_->setText(QString::number(values.newCard.width));
    displayGrid_->setChecked(values.view.gridDisplay != 0);
    cellSize_->setText(QString::fromStdString(FormatDecimal(values.print.cellMm, 3)));
    backgroundSwatch_->SetColor(values.colors.background);
    verticalFaceSwatch_->SetColor(values.colors.verticalFace);
    horizontalFaceSwatch_->SetColor(values.colors.horizontalFace);
    outlineSwatch_->SetColor(values.colors.outline);
    language_->setCurrentIndex(std::max(0, language_->findData(QString::fromStdString(values.language))));
}

bool CSettingsDialog::ReadRangedField(QLineEdit* edit, const WholeSetting& setting, std::int32_t& out) {
    const int low = setting.low, high = setting.high;
    std::int32_t value = 0;
    QString problem;
    if (!ParseDialogInteger(edit->text(), value))
        problem = ShownMessage(msg::kEnterInteger);
    else if (value < low || value > high)
        problem = ShownMessage(msg::kEnterIntegerBetween).arg(low).arg(high);
    if (problem.isEmpty()) {
        out = value;
        return true;
    }
    prompts_.ShowMessage(this, problem);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    return false;
}

void CSettingsDialog::accept() {
    // Read into temporaries first, so a failed check leaves every value as it was.
    std::int32_t ratio = 0, bmp = 0, height = 0, width = 0;
    if (!ReadRangedField(printSize_, kPrintSizeSetting, ratio)) return;
    if (!ReadRangedField(bmpWidth_, kBitmapWidthSetting, bmp)) return;
    if (!ReadRangedField(gridHeight_, kNewCardHeightSetting, height)) return;
    if (!ReadRangedField(gridWidth_, kNewCardWidthSetting, width)) return;
    double cell = 0;
    if (!ParseCellSize(cellSize_->text(), cell)) {
        prompts_.ShowMessage(this, CellSizeMessage());
        cellSize_->setFocus(Qt::OtherFocusReason);
        cellSize_->selectAll();
        return;
    }
    values.print.sizePercent = ratio;
    values.bitmap.widthPx = bmp;
    values.print.mirror = invert_->isChecked() ? 1 : 0;
    values.sound.on = sound_->isChecked() ? 1 : 0;
    values.newCard.height = height;
    values.newCard.width = width;
    values.view.gridDisplay = displayGrid_->isChecked() ? 1 : 0;
    values.print.cellMm = cell;
    values.language = language_->currentData().toString().toStdString();
    QDialog::accept();
}

void CSettingsDialog::ChooseColor(std::int32_t& value, ColorSwatch* swatch) {
    QColor chosen;
    if (!prompts_.GetColor(this, chosen)) return;
    value = FromQColor(chosen);
    swatch->SetColor(value);
}

void CSettingsDialog::OnDefaultSetting() {
    const AppSettings defaults;
    values.colors.background = defaults.colors.background;
    values.colors.verticalFace = defaults.colors.verticalFace;
    values.colors.horizontalFace = defaults.colors.horizontalFace;
    values.colors.outline = defaults.colors.outline;
    backgroundSwatch_->SetColor(values.colors.background);
    verticalFaceSwatch_->SetColor(values.colors.verticalFace);
    horizontalFaceSwatch_->SetColor(values.colors.horizontalFace);
    outlineSwatch_->SetColor(values.colors.outline);
}

}  // namespace pw
