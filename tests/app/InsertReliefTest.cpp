// Edit, Insert Text, Picture and Model: the dialogs with their live
// preview, the relief as one undoable edit, and bad input that leaves the
// card as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>
#include <fstream>
#include <memory>

#include "app/InsertReliefDialog.h"
#include "app/MainFrame.h"
#include "app/ReliefPreview.h"
#include "app/SettingsStore.h"
#include "edit/EditedCard.h"
#include "import/ImportMessages.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"
#include "model/ReliefShape.h"
#include "support/RecordingPrompts.h"

namespace pw {
namespace {

class InsertReliefTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.SetText("Settings", "cardSize", "40:16");
        store.SetText("Settings", "soundMode", "0");
        frame = std::make_unique<CMainFrame>(store, prompts);
    }
    QAction* Action(const char* name) { return frame->findChild<QAction*>(QString::fromLatin1(name)); }
    static void Set(QDialog& d, const char* name, const QString& text) {
        auto* edit = d.findChild<QLineEdit*>(QString::fromLatin1(name));
        ASSERT_NE(edit, nullptr) << name;
        edit->setText(text);
        emit edit->editingFinished();
    }
    static void Set(QDialog& d, const char* name, int value) {
        auto* box = d.findChild<QSpinBox*>(QString::fromLatin1(name));
        ASSERT_NE(box, nullptr) << name;
        box->setValue(value);
    }
    std::string WriteFile(const std::string& name, const std::string& text) {
        const std::string path = ::testing::TempDir() + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    MemorySettingsStore store;
    test::RecordingPrompts prompts;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(InsertReliefTest, TheEditMenuEndsWithTheThreeInsertsAndTheCardsSize) {
    QMenu* edit = nullptr;
    for (QAction* a : frame->menuBar()->actions())
        if (a->text() == "&Edit") edit = a->menu();
    ASSERT_NE(edit, nullptr);
    const QList<QAction*> items = edit->actions();
    ASSERT_GE(items.size(), 9);
    EXPECT_EQ(items[items.size() - 8]->text(), "Insert &Text...");
    EXPECT_EQ(items[items.size() - 7]->text(), "Insert &Picture...");
    EXPECT_EQ(items[items.size() - 6]->text(), "Insert &Model...");
    EXPECT_TRUE(items[items.size() - 9]->isSeparator());
    EXPECT_TRUE(items[items.size() - 5]->isSeparator());
    EXPECT_EQ(items[items.size() - 4]->text(), "Card Si&ze...");
    EXPECT_EQ(items[items.size() - 3]->text(), "S&hift Relief...");
    EXPECT_TRUE(items[items.size() - 2]->isSeparator());
    EXPECT_EQ(items[items.size() - 1]->text(), "Text as &Flats...");
}

TEST_F(InsertReliefTest, TextBecomesReliefAsOneUndoableEdit) {
    bool previewShown = false;
    prompts.onDialog = [&previewShown](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Insert Text");
        Set(d, "reliefText", "Hi");
        Set(d, "reliefHeight", 10);
        Set(d, "reliefDepth", 3);
        auto* preview = d.findChild<CReliefPreview*>();
        previewShown = preview && preview->Message().isEmpty() && preview->Columns().size() == 40;
        return static_cast<int>(QDialog::Accepted);
    };
    Action("insertText")->trigger();
    EXPECT_TRUE(previewShown);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(",").toStdString();
    EditedCard& card = frame->Model();
    ASSERT_EQ(card.history.Size(), 1u);
    RunRebuildPass(card.grid);
    EXPECT_EQ(CheckGridInvariants(card.grid), "");
    int highest = 0;
    for (int x = 1; x <= 40; ++x) highest = std::max(highest, card.grid.HeightAt(x, 1));
    EXPECT_EQ(highest, 10);
    EXPECT_TRUE(frame->isWindowModified());
    Action("editUndo")->trigger();
    for (int x = 1; x <= 40; ++x) ASSERT_EQ(card.grid.HeightAt(x, 1), 0);
}

TEST_F(InsertReliefTest, AModelFileBecomesABox) {
    const std::string path = WriteFile(
        "box.obj", "v 0 0 0\nv 2 0 0\nv 0 1 0\nv 2 1 0\nv 0 0 3\nv 2 0 3\nv 0 1 3\nv 2 1 3\n"
                   "f 1 2 4 3\nf 5 6 8 7\nf 1 2 6 5\nf 3 4 8 7\nf 1 3 7 5\nf 2 4 8 6\n");
    prompts.openNames.push_back(QString::fromStdString(path));
    prompts.onDialog = [](QDialog& d) {
        QTest::mouseClick(d.findChild<QWidget*>(QStringLiteral("reliefBrowse")), Qt::LeftButton);
        d.findChild<QCheckBox*>(QStringLiteral("reliefKeepInside"))->setChecked(false);
        return static_cast<int>(QDialog::Accepted);
    };
    Action("insertModel")->trigger();
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(",").toStdString();
    EXPECT_EQ(prompts.openDialogs, 1);
    // 2 x 1 x 3 on a card 40 wide and 15 high: 10 wide, 5 deep, 15 high.
    const EditedCard& card = frame->Model();
    for (int x = 1; x <= 40; ++x) {
        const ColumnDepths d = ReadColumnDepths(card.grid, x);
        EXPECT_EQ(d.front(), x >= 16 && x <= 25 ? 5 : 0) << x;
        EXPECT_EQ(d.back(), x >= 16 && x <= 25 ? 5 : 0) << x;
    }
}

// The dialogs open without a complaint, keeping the relief inside the closed
// card; the view follows a file name as it is typed and says whether the
// result sticks out of the closed card.
TEST_F(InsertReliefTest, TheDialogsStartQuietAndSayWhatSticksOut) {
    for (const char* action : {"insertText", "insertPicture", "insertModel"}) {
        prompts.onDialog = [action](QDialog& d) {
            EXPECT_EQ(d.findChild<CReliefPreview*>()->Message(), "") << action;
            EXPECT_EQ(d.findChild<CReliefPreview*>()->Columns().size(), 40u) << action;
            EXPECT_FALSE(d.findChild<QPushButton*>(QStringLiteral("ok"))->isEnabled()) << action;
            EXPECT_TRUE(d.findChild<QCheckBox*>(QStringLiteral("reliefKeepInside"))->isChecked()) << action;
            return static_cast<int>(QDialog::Rejected);
        };
        Action(action)->trigger();
    }
    const std::string path = WriteFile("tall.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 4\nf 1 2 3\nf 1 2 4\nf 1 3 4\nf 2 3 4\n");
    prompts.onDialog = [&path](QDialog& d) {
        auto* preview = d.findChild<CReliefPreview*>();
        auto* closing = d.findChild<QLabel*>(QStringLiteral("reliefClosing"));
        // Typed, not yet confirmed.
        d.findChild<QLineEdit*>(QStringLiteral("reliefFile"))->setText(QString::fromStdString(path));
        EXPECT_EQ(preview->Message(), "");
        EXPECT_TRUE(d.findChild<QPushButton*>(QStringLiteral("ok"))->isEnabled());
        int raised = 0;
        for (const ColumnDepths& c : preview->Columns()) raised += c.front() > 0;
        EXPECT_GT(raised, 0);
        EXPECT_EQ(closing->text(), "The card closes inside its cover.");
        d.findChild<QCheckBox*>(QStringLiteral("reliefKeepInside"))->setChecked(false);
        EXPECT_TRUE(closing->text().startsWith("Sticks out of the closed card by ")) << closing->text().toStdString();
        EXPECT_TRUE(closing->text().endsWith("Tick \"Keep inside the closed card\" to cut it back."));
        return static_cast<int>(QDialog::Rejected);
    };
    Action("insertModel")->trigger();
}

TEST_F(InsertReliefTest, BadInputIsAMessageAndTheCardStaysAsItWas) {
    const std::string broken = WriteFile("broken.png", "\x89PNG\r\n\x1a\n not really");
    struct Case {
        const char* action;
        std::function<void(QDialog&)> fill;
        std::string message;
    };
    const Case cases[] = {
        {"insertPicture", [&broken](QDialog& d) { Set(d, "reliefFile", QString::fromStdString(broken)); },
         msg::kPictureUnreadable},
        {"insertModel", [](QDialog& d) { Set(d, "reliefFile", QStringLiteral("/nonexistent/model.stl")); },
         msg::kModelUnreadable},
        {"insertText", [](QDialog& d) { Set(d, "reliefText", QStringLiteral("   ")); }, msg::kTextEmpty},
        {"insertText",
         [](QDialog& d) {
             Set(d, "reliefText", QStringLiteral("A"));
             Set(d, "reliefFirstColumn", 30);
             Set(d, "reliefWidth", 20);
         },
         msg::kAreaOutsideCard},
    };
    for (const Case& c : cases) {
        prompts.messages.clear();
        QString previewMessage;
        prompts.onDialog = [&c, &previewMessage](QDialog& d) {
            c.fill(d);
            previewMessage = d.findChild<CReliefPreview*>()->Message();
            return static_cast<int>(QDialog::Accepted);
        };
        Action(c.action)->trigger();
        EXPECT_EQ(previewMessage.toStdString(), c.message) << c.action;
        ASSERT_EQ(prompts.messages.size(), 1) << c.action;
        EXPECT_EQ(prompts.messages[0].toStdString(), c.message);
        EXPECT_FALSE(frame->Model().history.HasUndoSteps());
        EXPECT_FALSE(frame->isWindowModified());
    }
    // Cancel changes nothing either.
    prompts.messages.clear();
    prompts.onDialog = [](QDialog& d) {
        Set(d, "reliefText", QStringLiteral("Hello"));
        return static_cast<int>(QDialog::Rejected);
    };
    Action("insertText")->trigger();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_FALSE(frame->Model().history.HasUndoSteps());
}

}  // namespace
}  // namespace pw
