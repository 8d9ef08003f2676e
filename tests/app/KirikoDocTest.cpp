// The document's File and Setting commands on files in a temporary folder:
// titles, the card's file, every message, what survives each failure, the
// modified state and the save-changes question.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <map>
#include <random>
#include <sstream>

#include "app/KirikoDoc.h"
#include "app/SettingsDialog.h"
#include "edit/EditedCard.h"
#include "edit/UndoHistory.h"
#include "model/AppSettings.h"
#include "model/CardFile.h"
#include "support/CardBuilder.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingPrompts.h"

namespace pw {
namespace {

constexpr const char* kCouldNotRead = "This file could not be read.";

class KirikoDocTest : public ::testing::Test {
protected:
    KirikoDocTest() : doc(settings, prompts), model(doc.Card()) {
        model.NewCard(settings.newCard.width + 2, settings.newCard.height + 1);
        doc.MarkUnmodified();
        doc.SetWindow(&window);
    }

    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    static QByteArray Contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static QByteArray CardText(const CellGrid& grid) {
        std::ostringstream out;
        WriteCard(out, grid);
        return QByteArray::fromStdString(out.str());
    }

    // One raise at (1, 1), saved for undo as an edit saves it.
    void EditCard() {
        UndoStep step;
        step.lines.push_back(SaveLine(model.grid, 1, 1));
        model.grid.SetSolid(1, 1, 1, true);
        model.grid.MarkColumnsDirty(1, 2);
        model.grid.gridChanged = true;
        model.history.PushStep(std::move(step));
        doc.RefreshModified();
    }

    // A card file of a different shape.
    QString WriteTreeFile(const char* name = "tree.kpf") {
        CellGrid g;
        g.NewCard(12, 7);
        test::AddBox(g, 3, 2, 4);
        const QString path = Path(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(CardText(g));
        return path;
    }

    QTemporaryDir dir;
    AppSettings settings;
    test::RecordingPrompts prompts;
    QWidget window;
    CKirikoDoc doc;
    EditedCard& model;
};

TEST_F(KirikoDocTest, StartsUnmodifiedWithTheDefaultName) {
    EXPECT_EQ(doc.Title(), "Kiriko");
    EXPECT_TRUE(doc.currentCardPath().isEmpty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(CKirikoDoc::FileFilter(), "Popwright File(*.kpf)");
}

TEST_F(KirikoDocTest, FileNewMakesAnUntitledCardOfTheSettingsSize) {
    doc.OpenCardFile(WriteTreeFile());
    settings.newCard.width = 20;
    settings.newCard.height = 10;
    model.edit.cursor = {5, 3};
    model.edit.cursorSize = 2;
    QSignalSpy updates(&doc, &CKirikoDoc::updateAllViews);
    doc.OnFileNew();
    EXPECT_EQ(doc.Title(), "Untitled");
    EXPECT_TRUE(doc.currentCardPath().isEmpty());
    EXPECT_EQ(model.grid.gridWidth, 22);
    EXPECT_EQ(model.grid.gridHeight, 11);
    EXPECT_EQ(model.edit.cursor.column, 1);
    EXPECT_EQ(model.edit.cursor.row, 1);
    EXPECT_EQ(model.edit.cursorSize, 2);
    EXPECT_FALSE(model.history.HasUndoSteps());
    EXPECT_EQ(updates.count(), 1);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(KirikoDocTest, OpenReadsTheCardAndNamesTheDocumentAfterTheFile) {
    const QString path = WriteTreeFile();
    prompts.openNames = {path};
    QSignalSpy titles(&doc, &CKirikoDoc::titleChanged);
    QSignalSpy updates(&doc, &CKirikoDoc::updateAllViews);
    doc.OnFileOpen();
    EXPECT_EQ(prompts.fileFilters,
              QStringList{"Popwright Cards(*.kpf *.pwf);;Popwright File(*.kpf);;Popwright Free-Form File(*.pwf);;All Files (*)"});
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(doc.Title(), "tree");
    EXPECT_EQ(titles.count(), 1);
    EXPECT_EQ(doc.currentCardPath(), path);
    EXPECT_EQ(model.grid.gridWidth, 12);
    EXPECT_TRUE(model.grid.IsSolid(3, 2, 4));
    EXPECT_EQ(updates.count(), 1);
    EXPECT_FALSE(doc.IsModified());

    // Save then writes to that same path without a dialog.
    EditCard();
    doc.OnFileSave();
    EXPECT_EQ(prompts.saveDialogs, 0);
    EXPECT_EQ(Contents(path), CardText(model.grid));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(KirikoDocTest, FailedOpensLeaveCardTitleAndPathAsTheyWere) {
    const QString tree = WriteTreeFile();
    ASSERT_TRUE(doc.OpenCardFile(tree));
    const CellGrid before = model.grid;

    QFile newer(Path("newer.kpf"));
    ASSERT_TRUE(newer.open(QIODevice::WriteOnly));
    newer.write("kiriko\nv 2.0\n\nw 10\nh 5\n");
    newer.close();
    QFile junk(Path("junk.kpf"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("kiriko\nv 1.0\nw 10\nh 5\n3 2 x e\n");
    junk.close();

    struct Case {
        QString path;
        QStringList messages;
    };
    const Case cases[] = {
        {newer.fileName(),
         {"The version of this data is heigher than this application.\n Please get the latest version of Popwright.",
          kCouldNotRead}},
        {junk.fileName(), {kCouldNotRead}},
        {Path("missing.kpf"), {kCouldNotRead}},
        {dir.path(), {kCouldNotRead}},
    };
    for (const Case& c : cases) {
        prompts.messages.clear();
        prompts.openNames = {c.path};
        doc.OnFileOpen();
        EXPECT_EQ(prompts.messages, c.messages) << c.path.toStdString();
        EXPECT_EQ(doc.Title(), "tree");
        EXPECT_EQ(doc.currentCardPath(), tree);
        EXPECT_TRUE(model.grid.SameShape(before));
    }
}

// A file that stops after a column opens without a message box; the
// status bar is told how far it went.
TEST_F(KirikoDocTest, OpeningAFileCutShortSaysWhereItEnds) {
    QFile cut(Path("cut.kpf"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("kiriko\nv 1.0\n\nw 10\nh 5\n\n0 5 e\n2 5 e\n0 5 e\n");
    cut.close();
    QSignalSpy notes(&doc, &CKirikoDoc::cardFileNote);
    EXPECT_TRUE(doc.OpenCardFile(cut.fileName()));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(model.grid.IsSolid(2, 5, 2));
    ASSERT_EQ(notes.count(), 1);
    EXPECT_EQ(notes.at(0).at(0).toString(), "The file ends after column 3 of 10; the columns after it are flat.");

    EXPECT_TRUE(doc.OpenCardFile(WriteTreeFile()));
    EXPECT_EQ(notes.count(), 1);  // a whole file says nothing
}

TEST_F(KirikoDocTest, CancelledDialogsChangeNothing) {
    EditCard();
    const CellGrid before = model.grid;
    prompts.answers = {SaveChangesAnswer::Discard};
    prompts.openNames = {""};
    doc.OnFileOpen();
    prompts.saveNames = {"", ""};
    doc.OnFileSave();
    doc.OnFileSaveAs();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(doc.Title(), "Kiriko");
    EXPECT_TRUE(doc.currentCardPath().isEmpty());
    EXPECT_TRUE(model.grid.SameShape(before));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(KirikoDocTest, SaveOfACardWithoutFileNamesItLikeSaveAs) {
    QSignalSpy used(&doc, &CKirikoDoc::cardFileUsed);
    doc.OnFileNew();
    EditCard();
    const QString first = Path("first.kpf");
    prompts.saveNames = {first};
    doc.OnFileSave();
    EXPECT_EQ(Contents(first), CardText(model.grid));
    // The card now has the file: its title names it and the next Save needs no dialog.
    EXPECT_EQ(doc.Title(), "first");
    EXPECT_EQ(doc.currentCardPath(), first);
    EXPECT_FALSE(doc.IsModified());
    EditCard();
    doc.OnFileSave();
    EXPECT_EQ(prompts.saveDialogs, 1);
    EXPECT_EQ(Contents(first), CardText(model.grid));

    const QString named = Path("my.card.kpf");
    prompts.saveNames = {named};
    doc.OnFileSaveAs();
    EXPECT_EQ(doc.Title(), "my.card");
    EXPECT_EQ(doc.currentCardPath(), named);
    EXPECT_EQ(Contents(named), CardText(model.grid));
    EXPECT_EQ(prompts.fileFilters, QStringList(2, "Popwright File(*.kpf)"));
    EXPECT_TRUE(prompts.messages.isEmpty());
    // Every write told of its file, for the recent cards.
    ASSERT_EQ(used.count(), 3);
    EXPECT_EQ(used.at(1).at(0).toString(), first);
    EXPECT_EQ(used.at(2).at(0).toString(), named);

    // A failed Save of a card without a file leaves it without one.
    doc.OnFileNew();
    EditCard();
    prompts.saveNames = {Path("no/such/folder/x.kpf")};
    doc.OnFileSave();
    EXPECT_EQ(prompts.messages, QStringList{"File open failed."});
    EXPECT_EQ(doc.Title(), "Untitled");
    EXPECT_TRUE(doc.currentCardPath().isEmpty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(KirikoDocTest, SaveIntoAFolderThatDoesNotExistReportsOpenFailed) {
    const QString tree = WriteTreeFile();
    ASSERT_TRUE(doc.OpenCardFile(tree));
    EditCard();
    prompts.saveNames = {Path("no/such/folder/x.kpf")};
    doc.OnFileSaveAs();
    EXPECT_EQ(prompts.messages, QStringList{"File open failed."});
    EXPECT_EQ(doc.Title(), "tree");
    EXPECT_EQ(doc.currentCardPath(), tree);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(QFile::exists(Path("no/such/folder/x.kpf")));
}

using test::FileSizeLimit;

TEST_F(KirikoDocTest, FailedWriteLeavesTheOldFileWhole) {
    const QString tree = WriteTreeFile();
    ASSERT_TRUE(doc.OpenCardFile(tree));
    const QByteArray old = Contents(tree);
    // A card whose file is far larger than the limit.
    settings.newCard.width = 80;
    settings.newCard.height = 40;
    doc.OnFileNew();
    std::mt19937 rng(7);
    test::RandomCard(model.grid, rng, 82, 41);
    prompts.saveNames = {tree};
    {
        FileSizeLimit limit(static_cast<rlim_t>(old.size()) + 16);
        ASSERT_GT(CardText(model.grid).size(), old.size() + 16);
        doc.OnFileSaveAs();
    }
    EXPECT_EQ(prompts.messages, QStringList{"File save failed."});
    EXPECT_EQ(Contents(tree), old);
    EXPECT_EQ(doc.Title(), "Untitled");
    EXPECT_TRUE(doc.currentCardPath().isEmpty());
    EXPECT_TRUE(doc.IsModified());
    // No temporary file is left behind either.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"tree.kpf"});
}

TEST_F(KirikoDocTest, UndoBackToTheSavedShapeCountsAsUnchanged) {
    QSignalSpy modified(&doc, &CKirikoDoc::modifiedChanged);
    EditCard();
    EXPECT_TRUE(doc.IsModified());
    model.history.UndoLastStep(model.grid);
    doc.RefreshModified();
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(modified.count(), 2);
    EXPECT_TRUE(modified.at(0).at(0).toBool());
    EXPECT_FALSE(modified.at(1).at(0).toBool());

    // After a save the saved shape moves: undoing past it is a change again.
    EditCard();
    prompts.saveNames = {Path("a.kpf")};
    doc.OnFileSaveAs();
    EXPECT_FALSE(doc.IsModified());
    model.history.UndoLastStep(model.grid);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(KirikoDocTest, ReplacingAChangedCardAsksFirst) {
    const QString tree = WriteTreeFile();
    ASSERT_TRUE(doc.OpenCardFile(tree));
    EditCard();
    const CellGrid edited = model.grid;

    // Cancel: New does nothing.
    prompts.answers = {SaveChangesAnswer::Cancel};
    doc.OnFileNew();
    EXPECT_EQ(prompts.questions, QStringList{"Save changes to tree?"});
    EXPECT_TRUE(model.grid.SameShape(edited));
    EXPECT_EQ(doc.Title(), "tree");

    // Cancel before the Open dialog: no dialog at all.
    prompts.answers = {SaveChangesAnswer::Cancel};
    doc.OnFileOpen();
    EXPECT_EQ(prompts.openDialogs, 0);

    // Save: the card goes to its file, then New goes on.
    prompts.answers = {SaveChangesAnswer::Save};
    doc.OnFileNew();
    EXPECT_EQ(Contents(tree), CardText(edited));
    EXPECT_EQ(doc.Title(), "Untitled");

    // Discard: the changes are dropped and the file is opened.
    EditCard();
    prompts.answers = {SaveChangesAnswer::Discard};
    prompts.openNames = {tree};
    doc.OnFileOpen();
    EXPECT_EQ(doc.Title(), "tree");
    EXPECT_TRUE(model.grid.SameShape(edited));

    // Save on a card without a file asks for a name; cancelling it stops New.
    doc.OnFileNew();
    EditCard();
    prompts.answers = {SaveChangesAnswer::Save};
    prompts.saveNames = {""};
    doc.OnFileNew();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(prompts.questions.last(), "Save changes to Untitled?");

    // An unchanged card is replaced without a question.
    const int asked = prompts.questions.size();
    prompts.answers = {SaveChangesAnswer::Discard};
    doc.OnFileNew();
    doc.OnFileNew();
    EXPECT_EQ(prompts.questions.size(), asked + 1);
    EXPECT_TRUE(doc.SaveModified());
}

// Plays the settings dialog: types into the named fields and presses OK or Cancel.
std::function<int(QDialog&)> TypeAndPress(std::map<QString, QString> fields, const char* button) {
    return [fields, button](QDialog& dialog) {
        for (const auto& [name, text] : fields) dialog.findChild<QLineEdit*>(name)->setText(text);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
        return dialog.result();
    };
}

TEST_F(KirikoDocTest, SettingAppliesTheDialogOnlyAfterOk) {
    QSignalSpy updates(&doc, &CKirikoDoc::updateAllViews);
    prompts.colors = {QColor(1, 2, 3)};
    prompts.onDialog = [](QDialog& dialog) {
        auto& d = static_cast<CSettingsDialog&>(dialog);
        EXPECT_EQ(d.findChild<QLineEdit*>("printSize")->text(), "50");
        EXPECT_EQ(d.findChild<QLineEdit*>("bmpWidth")->text(), "400");
        EXPECT_EQ(d.findChild<QLineEdit*>("gridWidth")->text(), "16");
        QTest::mouseClick(d.findChild<QPushButton*>("background"), Qt::LeftButton);
        return TypeAndPress({{"printSize", "60"}, {"bmpWidth", "800"}}, "cancel")(dialog);
    };
    doc.OnSetting();
    EXPECT_EQ(prompts.dialogTitles, QStringList{"Setting"});
    EXPECT_EQ(settings.print.sizePercent, 50);
    EXPECT_EQ(settings.colors.background, AppSettings{}.colors.background);
    EXPECT_EQ(updates.count(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());

    prompts.colors = {QColor(1, 2, 3)};
    prompts.onDialog = [](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>("background"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QCheckBox*>("displayGrid"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QCheckBox*>("invert"), Qt::LeftButton);
        return TypeAndPress({{"printSize", "60"}, {"bmpWidth", "800"}, {"cellSize", "4.5"}}, "ok")(dialog);
    };
    doc.OnSetting();
    EXPECT_EQ(settings.print.sizePercent, 60);
    EXPECT_DOUBLE_EQ(settings.print.cellMm, 4.5);
    EXPECT_EQ(settings.bitmap.widthPx, 800);
    EXPECT_EQ(settings.colors.background, RgbColor(1, 2, 3));
    EXPECT_EQ(settings.view.gridDisplay, 1);
    EXPECT_EQ(settings.print.mirror, 1);
    EXPECT_EQ(settings.sound.on, 1);
    EXPECT_EQ(updates.count(), 2);
    EXPECT_TRUE(prompts.messages.isEmpty());  // the card size did not change
}

TEST_F(KirikoDocTest, ChangedCardSizeAsksForFileNewAndKeepsTheCard) {
    EditCard();
    const CellGrid before = model.grid;
    prompts.onDialog = TypeAndPress({{"gridHeight", "12"}, {"gridWidth", "30"}}, "ok");
    doc.OnSetting();
    EXPECT_EQ(prompts.messages, QStringList{"Please select [File]-[New] to reflect the change."});
    EXPECT_EQ(settings.newCard.width, 30);
    EXPECT_EQ(settings.newCard.height, 12);
    EXPECT_TRUE(model.grid.SameShape(before));

    prompts.answers = {SaveChangesAnswer::Discard};
    doc.OnFileNew();
    EXPECT_EQ(model.grid.gridWidth, 32);
    EXPECT_EQ(model.grid.gridHeight, 13);
}

TEST_F(KirikoDocTest, CursorSizeCommandsFollowTheCardHeight) {
    // cardHeight 8: gridHeight 9.
    const struct {
        int size;
        bool smaller, larger;
    } cases[] = {{1, false, true}, {2, true, true}, {4, true, false}, {8, true, false}};
    for (const auto& c : cases) {
        model.edit.cursorSize = c.size;
        EXPECT_EQ(doc.CanCursorSmaller(), c.smaller) << c.size;
        EXPECT_EQ(doc.CanCursorLarger(), c.larger) << c.size;
    }
}

}  // namespace
}  // namespace pw
