// Every text the window shows passes through Qt's translation functions: with
// a translator installed that marks whatever it is asked for, the menus, the
// prompts, a message box, the window title and the status texts (the cursor,
// an edit refusal, the closing check, a card file cut short) all come out
// marked. And the window's own wording of the core's reports is the English
// popwright-cli prints.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QGroupBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTranslator>
#include <QTreeWidget>
#include <random>

#include "app/AboutDialog.h"
#include "app/AppLanguage.h"
#include "app/CardRecovery.h"
#include "app/CommandTable.h"
#include "app/InsertReliefDialog.h"
#include "app/MainFrame.h"
#include "app/PatternOptionsDialog.h"
#include "app/QtSettingsStore.h"
#include "app/RecoverDialog.h"
#include "app/SettingsDialog.h"
#include "app/ShownTexts.h"
#include "model/AppSettings.h"
#include "model/CellGrid.h"
#include "model/ClosingCheck.h"
#include "model/GridSheet.h"
#include "output/CutterPattern.h"
#include "output/PatternOptions.h"
#include "support/RecordingPrompts.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

// Translates every text into "⟦text⟧", so that a text shown unmarked is
// one that never asked for a translation.
class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* sourceText, const char*, int) const override {
        if (!sourceText || !*sourceText) return QString();
        return QStringLiteral("\u27E6%1\u27E7").arg(QString::fromUtf8(sourceText));
    }
};

// A prompt is translated whole and split after, so its two halves each keep
// one bracket.
bool Marked(const QString& text) { return text.contains(QChar(0x27E6)) || text.contains(QChar(0x27E7)); }

// Installed for one test only, so that the other tests see the English.
struct InstalledTranslator {
    InstalledTranslator() { QCoreApplication::installTranslator(&translator); }
    ~InstalledTranslator() { QCoreApplication::removeTranslator(&translator); }
    MarkingTranslator translator;
};

// The menu's entries and their submenus' entries, depth first.
void CheckMenu(const QMenu* menu) {
    EXPECT_TRUE(Marked(menu->title())) << menu->title().toStdString();
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible()) continue;  // the recent cards not in use are empty
        if (a->menu()) {
            CheckMenu(a->menu());
            continue;
        }
        EXPECT_TRUE(Marked(a->text())) << a->text().toStdString();
        EXPECT_TRUE(a->statusTip().isEmpty() || Marked(a->statusTip())) << a->statusTip().toStdString();
    }
}

TEST(TranslationTest, EveryTextTheWindowShowsPassesThroughTheTranslator) {
    InstalledTranslator marking;
    QTemporaryDir dir;
    QtSettingsStore store(dir.filePath("settings.ini"));
    test::RecordingPrompts prompts;
    CMainFrame frame(store, prompts);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    frame.View()->setFocus();

    for (const QAction* top : frame.menuBar()->actions()) CheckMenu(top->menu());
    for (const QAction* a : frame.findChild<QToolBar*>()->actions())
        EXPECT_TRUE(a->isSeparator() || a->toolTip().isEmpty() || Marked(a->toolTip())) << a->toolTip().toStdString();
    EXPECT_TRUE(Marked(frame.windowTitle())) << frame.windowTitle().toStdString();
    EXPECT_TRUE(Marked(frame.CursorPane()->text())) << frame.CursorPane()->text().toStdString();

    QTest::keyClick(frame.View(), Qt::Key_Z);  // nothing to lower on the bare card
    EXPECT_TRUE(Marked(frame.statusBar()->currentMessage())) << frame.statusBar()->currentMessage().toStdString();

    frame.Action(ID_CHECK_CLOSING)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame.ClosingPane()->text().isEmpty(); }));
    EXPECT_TRUE(Marked(frame.ClosingPane()->text())) << frame.ClosingPane()->text().toStdString();

    QFile cut(dir.filePath("cut.kpf"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("kiriko\nv 1.0\n\nw 10\nh 5\n\n0 5 e\n2 5 e\n0 5 e\n");
    cut.close();
    prompts.openNames = {cut.fileName()};
    frame.Action(ID_FILE_OPEN)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame.statusBar()->currentMessage().isEmpty(); }));
    EXPECT_TRUE(Marked(frame.statusBar()->currentMessage())) << frame.statusBar()->currentMessage().toStdString();

    QFile garbage(dir.filePath("garbage.kpf"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a card");
    garbage.close();
    prompts.openNames = {garbage.fileName()};
    frame.Action(ID_FILE_OPEN)->trigger();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(Marked(prompts.messages.front())) << prompts.messages.front().toStdString();
    for (const QString& filter : prompts.fileFilters) EXPECT_TRUE(Marked(filter)) << filter.toStdString();
}

// Every label, button, group and tab title of a dialog, and its own title.
void CheckDialog(const QWidget& dialog) {
    SCOPED_TRACE(dialog.metaObject()->className());
    EXPECT_TRUE(Marked(dialog.windowTitle())) << dialog.windowTitle().toStdString();
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        EXPECT_TRUE(label->text().isEmpty() || Marked(label->text())) << label->text().toStdString();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        EXPECT_TRUE(button->text().isEmpty() || Marked(button->text())) << button->text().toStdString();
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        EXPECT_TRUE(group->title().isEmpty() || Marked(group->title())) << group->title().toStdString();
}

TEST(TranslationTest, EveryTextOfTheDialogsPassesThroughTheTranslator) {
    InstalledTranslator marking;
    test::RecordingPrompts prompts;
    AppSettings settings;
    CellGrid grid;
    grid.NewCard(20, 10);
    CheckDialog(CSettingsDialog(settings, prompts));
    CheckDialog(CAboutDialog());
    for (const PatternFileType type : {PatternFileType::Svg, PatternFileType::Pdf, PatternFileType::PatternDxf})
        CheckDialog(PatternOptionsDialog(type, PatternOptions{}, DeriveGridSheet(grid), 0, 100, prompts));
    for (const ReliefKind kind : {ReliefKind::Text, ReliefKind::Picture, ReliefKind::Model})
        CheckDialog(CInsertReliefDialog(kind, grid, prompts));
    RecoverableCard card;
    card.title = QStringLiteral("tree");
    const CRecoverDialog recover({card});
    CheckDialog(recover);
    const QTreeWidgetItem* header = recover.findChild<QTreeWidget*>()->headerItem();
    for (int column = 0; column < header->columnCount(); ++column)
        EXPECT_TRUE(Marked(header->text(column))) << header->text(column).toStdString();
}

// The window words the closing report, the finished size and the scored
// folds itself; untranslated, its English is popwright-cli's to the byte.
TEST(TranslationTest, TheWindowsWordingOfTheCoresReportsIsTheCommandLinesEnglish) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<int> overhangs(1 + random() % 12);
        for (int& o : overhangs) o = random() % 3 == 0 ? static_cast<int>(random() % 4) : 0;
        const ClosingReport report = ReportOfOverhangs(overhangs);
        EXPECT_EQ(ClosingStatusShown(report).toStdString(), ClosingStatusText(report));

        const double cell = std::uniform_real_distribution<double>(0.5, 50)(random);
        const FinishedSize size = FinishedSizeOf(cell, 3 + random() % 200, 3 + random() % 200);
        EXPECT_EQ(FinishedSizeShown(size).toStdString(), FinishedSizeText(size));

        const int folds = static_cast<int>(random() % 4);
        EXPECT_EQ(ScoredFoldsShown(folds).toStdString(), ScoredFoldsText(folds));
    }
}

// The stored choice, else the system's languages in order, pick a
// translation built into the program; English anywhere first means English.
TEST(TranslationTest, TheLanguageComesFromTheChoiceOrTheSystem) {
    ASSERT_TRUE(BuiltInLanguages().contains(QStringLiteral("ja")));
    EXPECT_EQ(LanguageFor(QString(), {"ja-JP", "en-US"}), "ja");
    EXPECT_EQ(LanguageFor(QString(), {"de-DE", "ja"}), "ja");
    EXPECT_EQ(LanguageFor(QString(), {"en-GB", "ja-JP"}), "");
    EXPECT_EQ(LanguageFor(QString(), {"de-DE"}), "");
    EXPECT_EQ(LanguageFor("en", {"ja-JP"}), "");
    EXPECT_EQ(LanguageFor("ja_JP", {"en-US"}), "ja");
    EXPECT_EQ(LanguageFor("xx", {"ja-JP"}), "");
}

// The Japanese translation is built into the program and, with Qt's own
// from the system, turns the window and the standard dialogs Japanese.
TEST(TranslationTest, JapaneseTurnsTheWindowAndQtsOwnDialogsJapanese) {
    ASSERT_EQ(InstallTranslations(*QCoreApplication::instance(), QStringLiteral("ja")), "ja");
    EXPECT_EQ(LanguageInUse(), "ja");
    {
        QTemporaryDir dir;
        QtSettingsStore store(dir.filePath("settings.ini"));
        test::RecordingPrompts prompts;
        CMainFrame frame(store, prompts);
        EXPECT_EQ(frame.Action(ID_FILE_NEW)->text(), QStringLiteral("新規作成(&N)"));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }
    RemoveTranslations(*QCoreApplication::instance());
    EXPECT_EQ(LanguageInUse(), "");
}

}  // namespace
}  // namespace pw
