// The main window: menus and toolbar with their texts, keys and prompts;
// command enabling and check marks; the File commands through the window;
// Help and About; the unsaved-changes question; settings, placement and
// toolbar surviving a restart; a card named on the command line.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QStatusTipEvent>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QToolBar>
#include <iterator>
#include <sstream>

#include "app/CommandTable.h"
#include "app/KirikoApp.h"
#include "app/KirikoDoc.h"
#include "app/MainFrame.h"
#include "app/QtSettingsStore.h"
#include "app/QtUserPrompts.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/CardFile.h"
#include "support/CardBuilder.h"
#include "support/RecordingPrompts.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

// The text of a menu entry as the menu shows it: the text, a tab and the
// first key, like "&New\tCtrl+N"; "-" for a separator, "name >" for a
// submenu. Hidden entries (recent cards not in use) are left out.
QStringList Entries(const QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        if (!a->isVisible()) continue;
        if (a->isSeparator())
            out << "-";
        else if (a->menu())
            out << a->text() + " >";
        else if (a->shortcut().isEmpty())
            out << a->text();
        else
            out << a->text() + "\t" + a->shortcut().toString(QKeySequence::PortableText);
    }
    return out;
}

QMenu* TopMenu(QMainWindow& w, int index) { return w.menuBar()->actions().at(index)->menu(); }

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : store(dir.filePath("settings.ini")) {}

    std::unique_ptr<CMainFrame> MakeFrame() {
        auto frame = std::make_unique<CMainFrame>(store, prompts);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        // Accelerators work in the active window only.
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        frame->View()->setFocus();
        return frame;
    }

    void Trigger(CMainFrame& frame, int id) { frame.Action(id)->trigger(); }

    // A raise at the cursor through the view's keyboard.
    void Raise(CMainFrame& frame) {
        frame.View()->setFocus();
        QTest::keyClick(frame.View(), Qt::Key_Space);
    }

    QString WriteCardFile(const char* name, int W, int H) {
        CellGrid g;
        g.NewCard(W, H);
        test::AddBox(g, 2, 2, 3);
        std::ostringstream text;
        WriteCard(text, g);
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(text.str()));
        return path;
    }

    QTemporaryDir dir;
    QtSettingsStore store;
    test::RecordingPrompts prompts;
};

TEST_F(MainWindowTest, MenusHaveTheirTextsSeparatorsAndKeysInOrder) {
    auto frame = MakeFrame();
    QStringList titles;
    for (QAction* a : frame->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Cursor", "&Setting", "&Help"}));

    EXPECT_EQ(Entries(TopMenu(*frame, 0)),
              QStringList({"&New\tCtrl+N", "New from &Gallery...", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save&As...", "-",
                           "&Export 3D Data...", "Export &Unfolded pattern...", "Export for Cutting &Machine...",
                           "Share as &Web Page...", "-", "&Print...\tCtrl+P",
                           "Print pre&view", "P&rint setup...", "-", "E&xit"}));
    EXPECT_EQ(Entries(TopMenu(*frame, 1)),
              QStringList({"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "&Copy unfolded pattern to Clipboard >", "-",
                           "Insert &Text...", "Insert &Picture...", "Insert &Model...", "-", "Card Si&ze...",
                           "S&hift Relief...", "-", "Te&xt as Flats...", "&Drawing as Flats...", "P&icture as Flats...", "Model as &Flats..."}));
    QMenu* copy = TopMenu(*frame, 1)->actions().at(2)->menu();
    EXPECT_EQ(Entries(copy), QStringList({"BMP format", "EMF format\tCtrl+C"}));
    EXPECT_EQ(Entries(TopMenu(*frame, 2)),
              QStringList({"&Smaller\tCtrl+K", "&Larger\tCtrl+L", "Hide", "-", "&Mirror mode"}));
    EXPECT_EQ(Entries(TopMenu(*frame, 3)), QStringList({"&Setting...", "Convert to &Free-Form Card", "&Check Invalid Figure",
                                                        "Check C&losing", "Check &Buildable", "&Toolbar", "&Pattern Pane", "Fl&at List",
                                                        "-", "&Home position", "F&old >"}));
    QMenu* fold = TopMenu(*frame, 3)->actions().at(10)->menu();
    EXPECT_EQ(Entries(fold), QStringList({"&Open card\tCtrl+PgUp", "&Close card\tCtrl+PgDown", "-",
                                          "Open &15 degrees\tPgUp", "Close 1&5 degrees\tPgDown"}));
    // The switches show their check mark in the menus, not their toolbar icon.
    EXPECT_TRUE(frame->Action(ID_MIRROR_MODE)->isCheckable());
    EXPECT_FALSE(frame->Action(ID_MIRROR_MODE)->isIconVisibleInMenu());
    EXPECT_EQ(Entries(TopMenu(*frame, 4)), QStringList({"&Welcome...", "&Help...", "&About..."}));

    // The second keys of Undo and of the EMF copy.
    EXPECT_EQ(frame->Action(ID_EDIT_UNDO)->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
    EXPECT_EQ(frame->Action(ID_EDIT_COPY)->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}));
    EXPECT_EQ(frame->Action(ID_EDIT_REDO)->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
}

TEST_F(MainWindowTest, ToolbarHasItsEntriesWithPrompts) {
    auto frame = MakeFrame();
    const QList<QAction*> entries = frame->ToolBar()->actions();
    // The original nineteen, with Redo after Undo, then the fold: Close
    // card, the angle's slider and its label (-1), Open card.
    const int expected[] = {57600, 57601, 57603, 0, 57634, 0, 57607, 0, 32783, 32802,
                            0, 32786, 32788, 57643, 57644, 0, 32795, 32794, 0, 32801,
                            0, 32842, -1, -1, 32841};
    ASSERT_EQ(entries.size(), static_cast<int>(std::size(expected)));
    EXPECT_EQ(frame->ToolBar()->widgetForAction(entries[22]), frame->FoldSlider());
    for (int i = 0; i < entries.size(); ++i) {
        if (expected[i] == -1) continue;
        if (expected[i] == 0) {
            EXPECT_TRUE(entries[i]->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(entries[i]->data().toInt(), expected[i]) << i;
        EXPECT_FALSE(entries[i]->icon().isNull()) << i;
        EXPECT_FALSE(entries[i]->icon().pixmap(16, 16).isNull()) << i;
    }
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(16, 16));

    // Status-bar prompt before the line feed, tooltip after it, with the
    // command's first key.
    const struct {
        int id;
        const char* status;
        const char* tip;
    } prompts_[] = {{ID_FILE_NEW, "Open New File", "Open New File (Ctrl+N)"},
                    {ID_FILE_OPEN, "Open File", " Open File (Ctrl+O)"},
                    {ID_EDIT_COPY, "Copy to Clipboard", "Copy to Clipboard (Ctrl+C)"},
                    {ID_EDIT_UNDO, "Undo", "Undo (Ctrl+Z)"},
                    {ID_EDIT_REDO, "Redo the last undone edit", "Redo (Ctrl+Y)"},
                    {ID_CURSOR_LARGER, "Larger", "Larger (Ctrl+L)"},
                    {ID_HOME_POSITION, "Home position", "Home"},
                    {ID_CHECK_INVALID_FIGURE, "Check the invalid figure", "Check"},
                    {ID_SETTING, "Size of the unfolded pattern", "Size"},
                    {ID_EXPORT_UNFOLDED, "Save the unfolded pattern.", "Save"},
                    {ID_VIEW_TOOLBAR, "Toolbar", "Toolbar"},
                    {ID_EDIT_HORIZONTAL, "Edit the top surfaces", "Edit the top surfaces"},
                    {ID_EDIT_VERTICAL, "Edit the front surfaces", "Edit the front surfaces"}};
    for (const auto& p : prompts_) {
        EXPECT_EQ(frame->Action(p.id)->statusTip(), p.status) << p.id;
        EXPECT_EQ(frame->Action(p.id)->toolTip(), p.tip) << p.id;
    }

    // A toolbar button carries its command's prompt and shows it in the
    // status bar when the pointer rests on it.
    QWidget* save = frame->ToolBar()->widgetForAction(frame->Action(ID_FILE_OPEN));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->statusTip(), "Open File");
    QStatusTipEvent tip(save->statusTip());
    QApplication::sendEvent(save, &tip);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "Open File");
    QStringList panes;
    for (QLabel* l : frame->statusBar()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) panes << l->text();
    for (const char* indicator : {"KANA", "CAP", "NUM", "SCRL"}) EXPECT_TRUE(panes.contains(indicator)) << indicator;
}

TEST_F(MainWindowTest, CommandsAreEnabledAndCheckedFromTheCardState) {
    auto frame = MakeFrame();
    EditedCard& model = frame->Model();
    ASSERT_EQ(model.grid.gridHeight, 9);  // cardHeight 8

    // Empty history: Undo is disabled and Ctrl+Z changes nothing.
    EXPECT_FALSE(frame->Action(ID_EDIT_UNDO)->isEnabled());
    const CellGrid flat = model.grid;
    frame->View()->setFocus();
    QTest::keyClick(frame->View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(model.grid.SameShape(flat));
    Raise(*frame);
    EXPECT_TRUE(frame->Action(ID_EDIT_UNDO)->isEnabled());
    QTest::keyClick(frame->View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(model.grid.SameShape(flat));
    EXPECT_FALSE(frame->Action(ID_EDIT_UNDO)->isEnabled());

    // Larger at sizes 1 and 2, not at 4; Smaller not at 1.
    EXPECT_FALSE(frame->Action(ID_CURSOR_SMALLER)->isEnabled());
    EXPECT_TRUE(frame->Action(ID_CURSOR_LARGER)->isEnabled());
    QTest::keyClick(frame->View(), Qt::Key_L, Qt::ControlModifier);
    QTest::keyClick(frame->View(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(model.edit.cursorSize, 4);
    EXPECT_FALSE(frame->Action(ID_CURSOR_LARGER)->isEnabled());
    EXPECT_TRUE(frame->Action(ID_CURSOR_SMALLER)->isEnabled());
    QTest::keyClick(frame->View(), Qt::Key_L, Qt::ControlModifier);  // disabled: nothing
    frame->Action(ID_CURSOR_LARGER)->trigger();
    EXPECT_EQ(model.edit.cursorSize, 4);

    // Hide / Show.
    EXPECT_EQ(frame->Action(ID_HIDE_CURSOR)->text(), "Hide");
    Trigger(*frame, ID_HIDE_CURSOR);
    EXPECT_FALSE(model.edit.cursorVisible);
    EXPECT_EQ(frame->Action(ID_HIDE_CURSOR)->text(), "Show");
    Trigger(*frame, ID_HIDE_CURSOR);
    EXPECT_EQ(frame->Action(ID_HIDE_CURSOR)->text(), "Hide");

    // Check marks: the invalid-figure check starts off, mirror mode, the planes.
    EXPECT_FALSE(frame->Action(ID_CHECK_INVALID_FIGURE)->isChecked());
    Trigger(*frame, ID_CHECK_INVALID_FIGURE);
    EXPECT_TRUE(model.edit.checkInvalidFigure);
    EXPECT_TRUE(frame->Action(ID_CHECK_INVALID_FIGURE)->isChecked());
    Trigger(*frame, ID_MIRROR_MODE);
    EXPECT_TRUE(frame->Action(ID_MIRROR_MODE)->isChecked());
    EXPECT_TRUE(frame->Action(ID_EDIT_HORIZONTAL)->isChecked());
    EXPECT_FALSE(frame->Action(ID_EDIT_VERTICAL)->isChecked());
    QTest::keyClick(frame->View(), Qt::Key_Space, Qt::ControlModifier);  // Ctrl+Space switches planes
    EXPECT_EQ(model.edit.editPlane, 1);
    EXPECT_TRUE(frame->Action(ID_EDIT_VERTICAL)->isChecked());
    EXPECT_FALSE(frame->Action(ID_EDIT_HORIZONTAL)->isChecked());
    Trigger(*frame, ID_EDIT_HORIZONTAL);
    EXPECT_EQ(model.edit.editPlane, 0);
    EXPECT_TRUE(frame->Action(ID_EDIT_HORIZONTAL)->isChecked());

    // The toolbar's menu entry shows and hides it.
    EXPECT_TRUE(frame->Action(ID_VIEW_TOOLBAR)->isChecked());
    Trigger(*frame, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame->ToolBar()->isVisible());
    EXPECT_FALSE(frame->Action(ID_VIEW_TOOLBAR)->isChecked());
}

TEST_F(MainWindowTest, FileCommandsSetTitleAndCardPath) {
    auto frame = MakeFrame();
    EXPECT_EQ(frame->windowTitle(), "Kiriko[*] - Popwright");
    const QString tree = WriteCardFile("tree.kpf", 14, 8);

    prompts.openNames = {tree};
    Trigger(*frame, ID_FILE_OPEN);
    EXPECT_EQ(frame->windowTitle(), "tree[*] - Popwright");
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_EQ(frame->Doc().currentCardPath(), tree);
    EXPECT_EQ(frame->Model().grid.gridWidth, 14);

    Raise(*frame);
    EXPECT_TRUE(frame->isWindowModified());
    Trigger(*frame, ID_FILE_SAVE);
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_EQ(prompts.saveDialogs, 0);

    const QString copy = dir.filePath("copy.kpf");
    prompts.saveNames = {copy};
    Trigger(*frame, ID_FILE_SAVE_AS);
    EXPECT_EQ(frame->windowTitle(), "copy[*] - Popwright");
    EXPECT_EQ(frame->Doc().currentCardPath(), copy);
    EXPECT_TRUE(QFile::exists(copy));

    Trigger(*frame, ID_FILE_NEW);
    EXPECT_EQ(frame->windowTitle(), "Untitled[*] - Popwright");
    EXPECT_TRUE(frame->Doc().currentCardPath().isEmpty());
    EXPECT_EQ(frame->Model().grid.gridWidth, 18);

    // Save of the untitled card names it after its new file.
    const QString fresh = dir.filePath("fresh.kpf");
    prompts.saveNames = {fresh};
    Trigger(*frame, ID_FILE_SAVE);
    EXPECT_EQ(frame->windowTitle(), "fresh[*] - Popwright");
    EXPECT_EQ(frame->Doc().currentCardPath(), fresh);
    EXPECT_EQ(prompts.saveDialogs, 2);

    // Undo back to the saved card clears the modified mark; Save needs no dialog now.
    Raise(*frame);
    Trigger(*frame, ID_FILE_SAVE);
    EXPECT_EQ(prompts.saveDialogs, 2);
    Raise(*frame);
    EXPECT_TRUE(frame->isWindowModified());
    Trigger(*frame, ID_EDIT_UNDO);
    EXPECT_FALSE(frame->isWindowModified());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(MainWindowTest, RecentCardsListTheLastFourNewestFirstAndSurviveARestart) {
    QStringList cards;
    for (const char* name : {"a.kpf", "b.kpf", "c.kpf", "d.kpf", "e&f.kpf"}) cards << WriteCardFile(name, 14, 8);
    const QStringList fileMenuHead = {"&New\tCtrl+N", "New from &Gallery...", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save&As...", "-",
                                      "&Export 3D Data...", "Export &Unfolded pattern...", "Export for Cutting &Machine...",
                                      "Share as &Web Page...", "-", "&Print...\tCtrl+P", "Print pre&view", "P&rint setup...", "-"};
    QStringList shown;
    {
        auto frame = MakeFrame();
        // Opened with the dialog, saved with Save As, opened again.
        prompts.openNames = {cards[0], cards[1], cards[2]};
        for (int i = 0; i < 3; ++i) Trigger(*frame, ID_FILE_OPEN);
        prompts.saveNames = {cards[3]};
        Trigger(*frame, ID_FILE_SAVE_AS);
        prompts.openNames = {cards[1]};
        Trigger(*frame, ID_FILE_OPEN);
        EXPECT_EQ(Entries(TopMenu(*frame, 0)),
                  fileMenuHead + QStringList({"&1 b.kpf", "&2 d.kpf", "&3 c.kpf", "&4 a.kpf", "-", "E&xit"}));

        // A fifth card pushes the oldest out; an entry opens its card.
        prompts.openNames = {cards[4]};
        Trigger(*frame, ID_FILE_OPEN);
        frame->RecentCardAction(2)->trigger();  // d
        EXPECT_EQ(frame->windowTitle(), "d[*] - Popwright");
        EXPECT_EQ(frame->Doc().currentCardPath(), cards[3]);
        shown = Entries(TopMenu(*frame, 0)).mid(fileMenuHead.size());
        EXPECT_EQ(shown, QStringList({"&1 d.kpf", "&2 e&&f.kpf", "&3 b.kpf", "&4 c.kpf", "-", "E&xit"}));
        EXPECT_EQ(frame->RecentCardAction(0)->statusTip(), cards[3]);
        EXPECT_TRUE(prompts.messages.isEmpty());
        EXPECT_TRUE(frame->close());
    }
    store.Sync();
    EXPECT_EQ(store.GetText("Recent File List", "File1"), cards[3].toStdString());
    EXPECT_EQ(store.GetText("Recent File List", "File4"), cards[2].toStdString());

    auto frame = MakeFrame();
    EXPECT_EQ(Entries(TopMenu(*frame, 0)).mid(fileMenuHead.size()), shown);
}

// Japanese names, of the card and of its folder, go through Open, Save As,
// the export and the recent cards, and the list survives a restart.
TEST_F(MainWindowTest, JapaneseFileNamesAreOpenedSavedExportedAndListed) {
    const QString opened = WriteCardFile("a.kpf", 14, 8), card = dir.filePath(QStringLiteral("カード 賀.kpf"));
    ASSERT_TRUE(QFile::rename(opened, card));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("年賀状")));
    const QString saved = dir.filePath(QStringLiteral("年賀状/往復はがき.kpf"));
    const QString pattern = dir.filePath(QStringLiteral("年賀状/型紙.bmp"));
    {
        auto frame = MakeFrame();
        prompts.openNames = {card};
        Trigger(*frame, ID_FILE_OPEN);
        EXPECT_EQ(frame->windowTitle(), QStringLiteral("カード 賀[*] - Popwright"));
        EXPECT_EQ(frame->Model().grid.gridWidth, 14);
        Raise(*frame);
        prompts.saveNames = {saved, pattern};
        Trigger(*frame, ID_FILE_SAVE_AS);
        Trigger(*frame, ID_EXPORT_UNFOLDED);
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
        EXPECT_GT(QFileInfo(pattern).size(), 54);
        EXPECT_TRUE(frame->close());
    }
    store.Sync();
    auto frame = MakeFrame();
    EXPECT_EQ(Entries(TopMenu(*frame, 0)).mid(15),
              QStringList({QStringLiteral("&1 往復はがき.kpf"), QStringLiteral("&2 カード 賀.kpf"), "-", "E&xit"}));
    frame->RecentCardAction(0)->trigger();
    EXPECT_EQ(frame->Doc().currentCardPath(), saved);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("往復はがき[*] - Popwright"));
    EXPECT_EQ(frame->Model().grid.gridWidth, 14);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join("|").toStdString();
}

TEST_F(MainWindowTest, ARecentCardThatCannotBeReadIsReportedAndLeavesTheList) {
    const QString a = WriteCardFile("a.kpf", 14, 8), b = WriteCardFile("b.kpf", 20, 8);
    auto frame = MakeFrame();
    prompts.openNames = {a, b};
    Trigger(*frame, ID_FILE_OPEN);
    Trigger(*frame, ID_FILE_OPEN);
    ASSERT_TRUE(QFile::remove(a));

    // A changed card is asked about first, as before Open.
    Raise(*frame);
    prompts.answers = {SaveChangesAnswer::Discard};
    frame->RecentCardAction(1)->trigger();
    EXPECT_EQ(prompts.questions.size(), 1);
    EXPECT_EQ(prompts.messages, QStringList{"This file could not be read."});
    EXPECT_EQ(frame->windowTitle(), "b[*] - Popwright");
    EXPECT_EQ(frame->Model().grid.gridWidth, 20);
    EXPECT_EQ(frame->Recent().Paths(), std::vector<std::string>{b.toStdString()});
    EXPECT_EQ(Entries(TopMenu(*frame, 0)).mid(15), QStringList({"&1 b.kpf", "-", "E&xit"}));
    EXPECT_TRUE(store.GetText("Recent File List", "File2").empty());
}

TEST_F(MainWindowTest, TheStatusBarShowsTheCursorAndWhyAnEditChangedNothing) {
    auto frame = MakeFrame();
    QLabel* pane = frame->CursorPane();
    QStatusBar* bar = frame->statusBar();
    EXPECT_EQ(pane->text(), "Top surfaces: column 1, row 1, height 0");
    QTest::keyClick(frame->View(), Qt::Key_Right);
    Raise(*frame);
    EXPECT_EQ(pane->text(), "Top surfaces: column 2, row 1, height 1");
    EXPECT_TRUE(bar->currentMessage().isEmpty());

    QTest::keyClick(frame->View(), Qt::Key_Z);
    QTest::keyClick(frame->View(), Qt::Key_Z);
    EXPECT_EQ(bar->currentMessage(), "There is no relief under the cursor to lower.");
    EXPECT_FALSE(pane->isVisible());  // the reason covers the position
    QTest::keyClick(frame->View(), Qt::Key_Left);  // the next key brings the position back
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->text(), "Top surfaces: column 1, row 1, height 0");

    // gridHeight 9: heights up to 7.
    for (int i = 0; i < 8; ++i) Raise(*frame);
    EXPECT_EQ(bar->currentMessage(), "The relief is already as high as the card allows.");
    EXPECT_EQ(pane->text(), "Top surfaces: column 1, row 1, height 7");
    Trigger(*frame, ID_EDIT_UNDO);  // commands clear the reason too
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    EXPECT_EQ(pane->text(), "Top surfaces: column 1, row 1, height 6");

    Trigger(*frame, ID_EDIT_VERTICAL);
    EXPECT_EQ(pane->text(), "Front surfaces: column 1, height 1, depth 1");
    QTest::keyClick(frame->View(), Qt::Key_Z);
    EXPECT_EQ(bar->currentMessage(), "Z lowers the top surfaces only; Ctrl+Space switches to them.");
    QTest::keyClick(frame->View(), Qt::Key_Right);
    Raise(*frame);  // the flat column 2 with nothing standing out above
    EXPECT_EQ(bar->currentMessage(), "Nothing to pull out: no relief stands out above the cursor.");
}

TEST_F(MainWindowTest, HelpOpensTheGuideOrSaysItCannot) {
    auto frame = MakeFrame();
    const QString guide = dir.filePath("help/index.html");
    ASSERT_TRUE(QDir().mkpath(dir.filePath("help")));
    frame->SetHelpCandidates({dir.filePath("nowhere/index.html"), guide});

    // No page at all: the message names where the guide belongs.
    Trigger(*frame, ID_HELP_PAGE);
    EXPECT_EQ(prompts.messages, QStringList{"Can't open Help file.\nSee " + guide + " with your browser."});
    EXPECT_TRUE(prompts.openedUrls.empty());

    QFile page(guide);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    Trigger(*frame, ID_HELP_PAGE);
    ASSERT_EQ(prompts.openedUrls.size(), 1u);
    EXPECT_EQ(prompts.openedUrls[0], QUrl::fromLocalFile(guide));
    EXPECT_EQ(prompts.messages.size(), 1);

    // No browser: the message gives the guide's path to open by hand.
    prompts.openUrlSucceeds = false;
    Trigger(*frame, ID_HELP_PAGE);
    EXPECT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages.last(), "Can't open Help file.\nSee " + guide + " with your browser.");
}

TEST_F(MainWindowTest, TheUserGuideLiesBesideTheBuiltProgram) {
    auto frame = MakeFrame();
    // The build copies help/index.html next to the program; the test program
    // lives two folders further down.
    const QString guide = QCoreApplication::applicationDirPath() + "/../../help/index.html";
    frame->SetHelpCandidates({guide});
    Trigger(*frame, ID_HELP_PAGE);
    ASSERT_EQ(prompts.openedUrls.size(), 1u);
    QFile page(guide);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    for (const char* topic : {"pop-up card", "Ctrl</kbd>+<kbd>Z", "Print", "Cut", "Fold", "Open"})
        EXPECT_TRUE(html.contains(topic)) << topic;
}

TEST_F(MainWindowTest, ClosingAChangedCardAsksFirst) {
    auto frame = MakeFrame();
    Raise(*frame);
    ASSERT_TRUE(frame->isWindowModified());

    prompts.answers = {SaveChangesAnswer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(prompts.questions, QStringList{"Save changes to Kiriko?"});
    EXPECT_TRUE(store.GetText("Settings", "WindowPos").empty());  // nothing saved yet

    // File, "E&xit" takes the same road.
    prompts.answers = {SaveChangesAnswer::Cancel};
    Trigger(*frame, ID_APP_EXIT);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(prompts.questions.size(), 2);

    prompts.answers = {SaveChangesAnswer::Discard};
    Trigger(*frame, ID_APP_EXIT);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_FALSE(store.GetText("Settings", "WindowPos").empty());
}

TEST_F(MainWindowTest, AnUnchangedCardClosesWithoutAQuestion) {
    auto frame = MakeFrame();
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(prompts.questions.isEmpty());
}

TEST_F(MainWindowTest, SettingsPlacementAndToolbarSurviveARestart) {
    QRect geometry;
    {
        auto frame = MakeFrame();
        EXPECT_FALSE(frame->PlacementRestored());
        frame->setGeometry(60, 70, 640, 480);
        QTest::qWait(20);
        geometry = frame->geometry();
        prompts.onDialog = [](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("gridWidth")->setText("24");
            dialog.findChild<QLineEdit*>("bmpWidth")->setText("900");
            QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
            return dialog.result();
        };
        Trigger(*frame, ID_SETTING);
        EXPECT_EQ(prompts.messages, QStringList{"Please select [File]-[New] to reflect the change."});
        frame->addToolBar(Qt::LeftToolBarArea, frame->ToolBar());
        EXPECT_TRUE(frame->close());
    }
    store.Sync();
    const std::string pos = store.GetText("Settings", "WindowPos");
    EXPECT_EQ(pos.substr(0, 4), "2:1:");  // restore-to-maximized flag, shown normally
    EXPECT_FALSE(store.GetText("ControlBars", "State").empty());

    auto frame = MakeFrame();
    EXPECT_TRUE(frame->PlacementRestored());
    EXPECT_EQ(frame->geometry(), geometry);
    EXPECT_EQ(frame->Settings().newCard.width, 24);
    EXPECT_EQ(frame->Settings().bitmap.widthPx, 900);
    EXPECT_EQ(frame->Model().grid.gridWidth, 26);  // the first card has the stored size
    EXPECT_EQ(frame->toolBarArea(frame->ToolBar()), Qt::LeftToolBarArea);
}

TEST_F(MainWindowTest, AMaximisedWindowComesBackAtItsNormalPlaceWithTheFlag) {
    {
        auto frame = MakeFrame();
        frame->setGeometry(50, 60, 500, 400);
        QTest::qWait(20);
        frame->showMaximized();
        QTest::qWait(50);
        EXPECT_TRUE(frame->close());
    }
    const std::string pos = store.GetText("Settings", "WindowPos");
    EXPECT_EQ(pos.substr(0, 4), "2:3:");
    auto frame = MakeFrame();
    EXPECT_FALSE(frame->isMaximized());
    EXPECT_EQ(frame->size(), QSize(500, 400));
}

TEST(MainFrameRestart, TheDefaultStoreLivesUnderTheConfigFolder) {
    // The program's own store, under XDG_CONFIG_HOME (a fresh folder for tests).
    const QByteArray home = qgetenv("XDG_CONFIG_HOME");
    ASSERT_FALSE(home.isEmpty());
    ASSERT_TRUE(home.startsWith("/tmp/popwright-test-config-"));
    test::RecordingPrompts prompts;
    {
        QtSettingsStore store;
        store.Settings().clear();
        CMainFrame frame(store, prompts);
        frame.show();
        frame.Settings().newCard.height = 12;
        EXPECT_TRUE(frame.close());
    }
    EXPECT_TRUE(QFile::exists(QString::fromLocal8Bit(home) + "/Ovu_Rudovo/Popwright.conf"));
    QtSettingsStore store;
    CMainFrame frame(store, prompts);
    EXPECT_TRUE(frame.PlacementRestored());
    EXPECT_EQ(frame.Settings().newCard.height, 12);
    EXPECT_EQ(frame.Model().grid.gridHeight, 13);
}

class KirikoAppTest : public MainWindowTest {
protected:
    // Windows of earlier tests may have left recovery copies, which the
    // start would offer.
    void SetUp() override {
        // Only ever the test program's own data folder (see TempConfigHome.cpp).
        const QString data = qEnvironmentVariable("XDG_DATA_HOME");
        ASSERT_TRUE(data.startsWith("/tmp/popwright-test-config-")) << data.toStdString();
        QDir(data).removeRecursively();
    }
};

TEST_F(KirikoAppTest, OpensTheCardNamedOnTheCommandLine) {
    const QString card = WriteCardFile("garden.kpf", 20, 10);
    CKirikoApp app(store, prompts);
    ASSERT_TRUE(app.InitInstance({"popwright", card}));
    CMainFrame* frame = app.MainFrame();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "garden[*] - Popwright");
    EXPECT_EQ(frame->Doc().currentCardPath(), card);
    EXPECT_EQ(frame->Model().grid.gridWidth, 20);
    EXPECT_TRUE(frame->Model().grid.IsSolid(2, 2, 3));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(frame->Recent().Paths(), std::vector<std::string>{card.toStdString()});
}

TEST_F(KirikoAppTest, AnUnreadableCardOnTheCommandLineIsReported) {
    QFile bad(dir.filePath("bad.kpf"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a card\n");
    bad.close();
    CKirikoApp app(store, prompts);
    ASSERT_TRUE(app.InitInstance({"popwright", bad.fileName()}));
    EXPECT_EQ(prompts.messages, QStringList{"This file could not be read."});
    EXPECT_EQ(app.MainFrame()->windowTitle(), "Kiriko[*] - Popwright");
    EXPECT_TRUE(app.MainFrame()->Doc().currentCardPath().isEmpty());
    EXPECT_EQ(app.MainFrame()->Model().grid.gridWidth, 18);
}

TEST_F(KirikoAppTest, AboutShowsTheVersion) {
    CKirikoApp app(store, prompts);
    ASSERT_TRUE(app.InitInstance({"popwright"}));
    QString version;
    prompts.onDialog = [&version](QDialog& dialog) {
        version = dialog.findChild<QLabel*>("version")->text();
        EXPECT_FALSE(dialog.findChild<QLabel*>("icon")->pixmap().isNull());
        QTest::mouseClick(dialog.findChild<QPushButton*>("ok"), Qt::LeftButton);
        return dialog.result();
    };
    app.MainFrame()->Action(ID_APP_ABOUT)->trigger();
    EXPECT_EQ(prompts.dialogTitles, QStringList{"Popwright Version Information"});
    EXPECT_EQ(version, "Popwright  Version 1.2.1");
}

// The arrow keys move the cursor from the start and again as soon as a
// message box is closed, wherever the pointer is: the 3D view holds the
// keyboard focus without a click. (No window manager runs here, which
// leaves the focus to the program.)
TEST_F(KirikoAppTest, TheViewHasTheKeyboardFocusAtStartAndAfterAMessage) {
    QCursor::setPos(1279, 1023);  // away from the window
    QtUserPrompts real;
    CKirikoApp app(store, real);
    ASSERT_TRUE(app.InitInstance({"popwright"}));
    CMainFrame* frame = app.MainFrame();
    auto viewHasFocus = [frame] { return QApplication::focusWidget() == frame->View(); };
    EXPECT_TRUE(QTest::qWaitFor(viewHasFocus, 5000));

    // Help with no guide anywhere: a real message box, closed with its OK button.
    frame->SetHelpCandidates({});
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->defaultButton()->click();
    });
    closer.start(50);
    frame->OnHelp();
    closer.stop();
    EXPECT_TRUE(QTest::qWaitFor(viewHasFocus, 5000));
}

}  // namespace
}  // namespace pw
