// The "Setting" dialog: its fields and tab order, the checks on OK in
// exchange order, the colour buttons, "Default Setting" and the swatches.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <ostream>
#include <utility>
#include <string>

#include "app/ColorSwatch.h"
#include "app/SettingsDialog.h"
#include "model/AppSettings.h"
#include "support/RecordingPrompts.h"

namespace pw {
namespace {

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialogTest() : dialog(settings, prompts) {
        dialog.values.print.sizePercent = 50;
        dialog.values.bitmap.widthPx = 400;
        dialog.values.print.mirror = 0;
        dialog.values.sound.on = 1;
        dialog.values.newCard.height = 8;
        dialog.values.newCard.width = 16;
        dialog.values.view.gridDisplay = 0;
        dialog.show();
    }

    template <typename T>
    T* Child(const char* name) {
        T* w = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* Edit(const char* name) { return Child<QLineEdit>(name); }
    void Click(const char* name) { QTest::mouseClick(Child<QPushButton>(name), Qt::LeftButton); }

    AppSettings settings;
    test::RecordingPrompts prompts;
    CSettingsDialog dialog;
};

TEST_F(SettingsDialogTest, ShowsTheValuesItWasGivenEvenOutOfRange) {
    CSettingsDialog other(settings, prompts);
    other.values.print.sizePercent = 5;  // below the range: shown as it is, without a message
    other.values.bitmap.widthPx = 400;
    other.values.print.mirror = 1;
    other.values.newCard.height = 8;
    other.values.newCard.width = 99;
    other.values.view.gridDisplay = 1;
    other.show();
    EXPECT_EQ(other.findChild<QLineEdit*>("printSize")->text(), "5");
    EXPECT_EQ(other.findChild<QLineEdit*>("bmpWidth")->text(), "400");
    EXPECT_EQ(other.findChild<QLineEdit*>("gridHeight")->text(), "8");
    EXPECT_EQ(other.findChild<QLineEdit*>("gridWidth")->text(), "99");
    EXPECT_TRUE(other.findChild<QCheckBox*>("invert")->isChecked());
    EXPECT_FALSE(other.findChild<QCheckBox*>("sound")->isChecked());
    EXPECT_TRUE(other.findChild<QCheckBox*>("displayGrid")->isChecked());
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(other.windowTitle(), "Setting");
}

TEST_F(SettingsDialogTest, ControlTextsAndTabOrderFollowTheControlOrder) {
    EXPECT_EQ(Child<QPushButton>("background")->text(), "Background");
    EXPECT_EQ(Child<QPushButton>("verticalFace")->text(), "Vertical Face");
    EXPECT_EQ(Child<QPushButton>("horizontalFace")->text(), "Horizontal Face");
    EXPECT_EQ(Child<QPushButton>("outline")->text(), "Outline");
    EXPECT_EQ(Child<QPushButton>("defaultSetting")->text(), "Default Setting");
    EXPECT_EQ(Child<QCheckBox>("invert")->text(), "Invert");
    EXPECT_EQ(Child<QCheckBox>("sound")->text(), "Sound");
    EXPECT_EQ(Child<QCheckBox>("displayGrid")->text(), "Display the grid");
    EXPECT_EQ(Child<QPushButton>("ok")->text(), "OK");
    EXPECT_TRUE(Child<QPushButton>("ok")->isDefault());
    EXPECT_EQ(Child<QPushButton>("cancel")->text(), "Cancel");

    QStringList order;
    QWidget* w = Edit("printSize");
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty()) order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != Edit("printSize"));
    EXPECT_EQ(order, QStringList({"printSize", "bmpWidth", "invert", "background", "verticalFace",
                                  "horizontalFace", "outline", "defaultSetting", "sound", "ok", "cancel",
                                  "gridHeight", "gridWidth", "displayGrid", "cellSize", "language", "newCardPaper"}));
}

struct BadField {
    const char* field;
    const char* text;
    const char* message;
};

void PrintTo(const BadField& f, std::ostream* os) { *os << f.field << " = \"" << f.text << "\""; }

class SettingsDialogCheckTest : public SettingsDialogTest, public ::testing::WithParamInterface<BadField> {};

TEST_P(SettingsDialogCheckTest, RejectsTheFieldAndKeepsTheDialogOpen) {
    const BadField& bad = GetParam();
    Edit(bad.field)->setText(QString::fromUtf8(bad.text));
    Click("ok");
    EXPECT_EQ(prompts.messages, QStringList{QString::fromUtf8(bad.message)});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.focusWidget(), Edit(bad.field));
    // Nothing was taken over from the controls.
    EXPECT_EQ(dialog.values.print.sizePercent, 50);
    EXPECT_EQ(dialog.values.newCard.height, 8);
    EXPECT_EQ(dialog.values.newCard.width, 16);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, SettingsDialogCheckTest,
    ::testing::Values(BadField{"printSize", "5", "Please enter an integer between 10 and 90."},
                      BadField{"printSize", "91", "Please enter an integer between 10 and 90."},
                      BadField{"printSize", "", "Please enter an integer."},
                      BadField{"printSize", "5.5", "Please enter an integer."},
                      BadField{"bmpWidth", "1601", "Please enter an integer between 10 and 1600."},
                      BadField{"bmpWidth", "9", "Please enter an integer between 10 and 1600."},
                      BadField{"bmpWidth", "99999999999", "Please enter an integer."},
                      BadField{"gridHeight", "4", "Please enter an integer between 5 and 40."},
                      BadField{"gridHeight", "abc", "Please enter an integer."},
                      BadField{"gridWidth", "81", "Please enter an integer between 10 and 80."},
                      BadField{"gridWidth", "-10", "Please enter an integer between 10 and 80."},
                      BadField{"cellSize", "0.4", "Please enter 0 or a number between 0.5 and 50."},
                      BadField{"cellSize", "50.01", "Please enter 0 or a number between 0.5 and 50."},
                      BadField{"cellSize", "-2", "Please enter 0 or a number between 0.5 and 50."},
                      BadField{"cellSize", "", "Please enter 0 or a number between 0.5 and 50."},
                      BadField{"cellSize", "5 mm", "Please enter 0 or a number between 0.5 and 50."}),
    [](const ::testing::TestParamInfo<BadField>& info) {
        return std::string(info.param.field) + std::to_string(info.index);
    });

TEST_F(SettingsDialogTest, ReportsOnlyTheFirstBadFieldInExchangeOrder) {
    Edit("gridWidth")->setText("81");
    Edit("gridHeight")->setText("x");
    Edit("bmpWidth")->setText("5000");
    Click("ok");
    EXPECT_EQ(prompts.messages, QStringList{"Please enter an integer between 10 and 1600."});
    EXPECT_EQ(dialog.focusWidget(), Edit("bmpWidth"));

    Edit("bmpWidth")->setText("1600");
    Click("ok");
    EXPECT_EQ(prompts.messages.last(), "Please enter an integer.");
    EXPECT_EQ(dialog.focusWidget(), Edit("gridHeight"));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(SettingsDialogTest, OkTakesTheBoundsAndEveryControl) {
    Edit("printSize")->setText("90");
    Edit("bmpWidth")->setText(" 1600 ");
    Edit("gridHeight")->setText("5");
    Edit("gridWidth")->setText("80");
    QTest::mouseClick(Child<QCheckBox>("invert"), Qt::LeftButton);
    QTest::mouseClick(Child<QCheckBox>("sound"), Qt::LeftButton);
    QTest::mouseClick(Child<QCheckBox>("displayGrid"), Qt::LeftButton);
    Click("ok");
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.values.print.sizePercent, 90);
    EXPECT_EQ(dialog.values.bitmap.widthPx, 1600);
    EXPECT_EQ(dialog.values.newCard.height, 5);
    EXPECT_EQ(dialog.values.newCard.width, 80);
    EXPECT_EQ(dialog.values.print.mirror, 1);
    EXPECT_EQ(dialog.values.sound.on, 0);
    EXPECT_EQ(dialog.values.view.gridDisplay, 1);
}

TEST_F(SettingsDialogTest, CellSizeTakesMillimetresWithAPointOrAComma) {
    CSettingsDialog other(settings, prompts);
    other.values.print.cellMm = 3.175;
    other.values.newCard.height = 8;
    other.values.newCard.width = 16;
    other.values.print.sizePercent = 50;
    other.values.bitmap.widthPx = 400;
    other.show();
    QLineEdit* cell = other.findChild<QLineEdit*>("cellSize");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(), "3.175");
    for (const auto& [typed, taken] : {std::pair{" 2,5 ", 2.5}, std::pair{"0", 0.0}, std::pair{"50", 50.0},
                                       std::pair{".5", 0.5}, std::pair{"7.12345", 7.123}}) {
        other.show();
        cell->setText(QString::fromUtf8(typed));
        QTest::mouseClick(other.findChild<QPushButton*>("ok"), Qt::LeftButton);
        EXPECT_EQ(other.result(), QDialog::Accepted) << typed;
        EXPECT_DOUBLE_EQ(other.values.print.cellMm, taken) << typed;
    }
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(SettingsDialogTest, CancelAndEscapeCloseWithoutChecking) {
    Edit("printSize")->setText("nonsense");
    Click("cancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(prompts.messages.isEmpty());

    CSettingsDialog other(settings, prompts);
    other.show();
    QTest::keyClick(&other, Qt::Key_Escape);
    EXPECT_EQ(other.result(), QDialog::Rejected);
    EXPECT_FALSE(other.isVisible());
}

TEST_F(SettingsDialogTest, ColourButtonsChooseTheirColourAndRepaintTheirSwatch) {
    struct Pair {
        const char* button;
        const char* swatch;
        std::int32_t* value;
    };
    const Pair pairs[] = {{"background", "backgroundSwatch", &dialog.values.colors.background},
                          {"verticalFace", "verticalFaceSwatch", &dialog.values.colors.verticalFace},
                          {"horizontalFace", "horizontalFaceSwatch", &dialog.values.colors.horizontalFace},
                          {"outline", "outlineSwatch", &dialog.values.colors.outline}};
    int shade = 10;
    for (const Pair& p : pairs) {
        const std::int32_t before = *p.value;
        prompts.colors.push_back(std::nullopt);  // cancelled: nothing changes
        Click(p.button);
        EXPECT_EQ(*p.value, before) << p.button;

        prompts.colors.push_back(QColor(shade, 20, 30));
        Click(p.button);
        EXPECT_EQ(*p.value, RgbColor(shade, 20, 30)) << p.button;
        EXPECT_EQ(Child<ColorSwatch>(p.swatch)->Color(), RgbColor(shade, 20, 30)) << p.button;
        shade += 10;
    }
    // Only the chosen colours changed; the others are still the settings'.
    EXPECT_EQ(settings.colors.background, AppSettings{}.colors.background);
}

TEST_F(SettingsDialogTest, DefaultSettingResetsOnlyTheColours) {
    settings.colors.background = RgbColor(1, 2, 3);
    CSettingsDialog custom(settings, prompts);
    custom.values.print.sizePercent = 50;
    custom.values.bitmap.widthPx = 400;
    custom.values.newCard.height = 8;
    custom.values.newCard.width = 16;
    custom.show();
    EXPECT_EQ(custom.findChild<ColorSwatch*>("backgroundSwatch")->Color(), RgbColor(1, 2, 3));
    prompts.colors.push_back(QColor(9, 9, 9));
    QTest::mouseClick(custom.findChild<QPushButton*>("outline"), Qt::LeftButton);
    custom.findChild<QLineEdit*>("printSize")->setText("77");

    QTest::mouseClick(custom.findChild<QPushButton*>("defaultSetting"), Qt::LeftButton);
    EXPECT_EQ(custom.values.colors.background, 16757683);
    EXPECT_EQ(custom.values.colors.verticalFace, 13426139);
    EXPECT_EQ(custom.values.colors.horizontalFace, 16775413);
    EXPECT_EQ(custom.values.colors.outline, 6710886);
    EXPECT_EQ(custom.findChild<ColorSwatch*>("backgroundSwatch")->Color(), 16757683);
    EXPECT_EQ(custom.findChild<ColorSwatch*>("outlineSwatch")->Color(), 6710886);
    EXPECT_EQ(custom.findChild<QLineEdit*>("printSize")->text(), "77");
    EXPECT_EQ(custom.values.print.sizePercent, 50);
}

TEST_F(SettingsDialogTest, SwatchesShowTheirColourAndCannotBeFocused) {
    Edit("gridWidth")->setFocus();
    for (const char* name : {"backgroundSwatch", "verticalFaceSwatch", "horizontalFaceSwatch", "outlineSwatch"}) {
        ColorSwatch* swatch = Child<ColorSwatch>(name);
        EXPECT_EQ(swatch->focusPolicy(), Qt::NoFocus) << name;
        Edit("gridWidth")->setFocus();
        QTest::mouseClick(swatch, Qt::LeftButton);
        EXPECT_EQ(dialog.focusWidget(), Edit("printSize")) << name;
    }
    // The swatch paints its colour.
    ColorSwatch* back = Child<ColorSwatch>("backgroundSwatch");
    const QImage image = back->grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(179, 179, 255));
}

}  // namespace
}  // namespace pw
