// The window placement kept in "WindowPos" and where the user guide is found.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "app/FramePlacement.h"
#include "app/HelpPage.h"

namespace pw {
namespace {

TEST(FramePlacement, KeepsTheNormalGeometryAndTheState) {
    QWidget window;
    window.setGeometry(100, 120, 500, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    WindowPlacement p = PlacementOf(window);
    EXPECT_EQ(p.showCmd, kShowNormal);
    EXPECT_EQ(p.right - p.left, 500);
    EXPECT_EQ(p.bottom - p.top, 300);
    EXPECT_EQ(p.minX, -1);
    EXPECT_EQ(p.maxY, -1);

    window.showMaximized();
    QTest::qWait(50);
    p = PlacementOf(window);
    EXPECT_EQ(p.showCmd, kShowMaximized);
    // The normal geometry, not the maximised one, is what comes back.
    EXPECT_EQ(p.right - p.left, 500);
    EXPECT_EQ(p.bottom - p.top, 300);
}

TEST(FramePlacement, AppliesOnlyRectanglesThatCanBeSeen) {
    QWidget window;
    window.resize(200, 100);
    WindowPlacement p{kRestoreToMaximized, kShowMaximized, -1, -1, -1, -1, 30, 40, 630, 440};
    ApplyPlacement(window, p);
    EXPECT_EQ(window.geometry(), QRect(30, 40, 600, 400));
    EXPECT_FALSE(window.isMaximized());  // the show command is the program's own

    // Far off every screen: the size is kept, the place is on the screen.
    p = WindowPlacement{2, 1, -1, -1, -1, -1, 90000, 90000, 90700, 90500};
    ApplyPlacement(window, p);
    EXPECT_EQ(window.size(), QSize(700, 500));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window.geometry())) << window.geometry().x() << "," << window.geometry().y();

    // An empty rectangle changes nothing.
    p = WindowPlacement{2, 1, -1, -1, -1, -1, 10, 10, 10, 300};
    ApplyPlacement(window, p);
    EXPECT_EQ(window.size(), QSize(700, 500));
    // Larger than the screen: shrunk into it.
    p = WindowPlacement{2, 1, -1, -1, -1, -1, -50, -50, screen.width() + 400, screen.height() + 300};
    ApplyPlacement(window, p);
    EXPECT_EQ(window.geometry(), screen);
}

TEST(FramePlacement, APlacementThatNoLongerFitsIsBroughtInsideTheScreens) {
    const QRect laptop(0, 0, 1366, 740), monitor(1366, 0, 1920, 1050);
    const QList<QRect> both = {laptop, monitor};
    // Inside one screen, or across two side by side: as it was.
    EXPECT_EQ(FitIntoScreens(QRect(100, 50, 800, 600), both), QRect(100, 50, 800, 600));
    EXPECT_EQ(FitIntoScreens(QRect(1000, 50, 800, 600), both), QRect(1000, 50, 800, 600));
    // Saved on the monitor, which is gone: onto the laptop, shrunk to it.
    EXPECT_EQ(FitIntoScreens(QRect(1500, 100, 1600, 900), {laptop}), QRect(0, 0, 1366, 740));
    // Partly below the monitor's area: moved up just enough.
    EXPECT_EQ(FitIntoScreens(QRect(1400, 700, 800, 600), both), QRect(1400, 450, 800, 600));
    // Mostly on the monitor but off its right edge: stays on the monitor.
    EXPECT_EQ(FitIntoScreens(QRect(3000, 100, 800, 600), both), QRect(2486, 100, 800, 600));
    // On no screen at all: onto the primary one, the first.
    EXPECT_EQ(FitIntoScreens(QRect(-5000, -5000, 300, 200), both), QRect(0, 0, 300, 200));
    // A smaller screen area after a larger scale factor: shrunk and moved.
    EXPECT_EQ(FitIntoScreens(QRect(200, 100, 1280, 1000), {QRect(0, 0, 960, 540)}), QRect(0, 0, 960, 540));
}

TEST(HelpPage, PrefersTheFolderBesideTheProgram) {
    QTemporaryDir dir;
    const QString program = dir.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(program + "/help"));
    const QStringList candidates = HelpPageCandidates(program);
    ASSERT_GE(candidates.size(), 2);
    EXPECT_EQ(candidates[0], program + "/help/index.html");
    EXPECT_EQ(candidates[1], dir.filePath("share/popwright/help/index.html"));

    // The installed layout: <prefix>/bin and <prefix>/share/popwright/help.
    ASSERT_TRUE(QDir().mkpath(dir.filePath("share/popwright/help")));
    QFile installed(candidates[1]);
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(FindHelpPage(program), candidates[1]);

    QFile beside(candidates[0]);
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.close();
    EXPECT_EQ(FindHelpPage(program), candidates[0]);

    // The guide in the language in use, where there is one; else the English.
    EXPECT_EQ(FindHelpPage(program, "ja"), candidates[0]);
    ASSERT_TRUE(QDir().mkpath(dir.filePath("share/popwright/help/ja")));
    QFile translated(dir.filePath("share/popwright/help/ja/index.html"));
    ASSERT_TRUE(translated.open(QIODevice::WriteOnly));
    translated.close();
    EXPECT_EQ(FindHelpPage(program, "ja"), translated.fileName());
    EXPECT_EQ(FindHelpPage(program, "zh_TW"), candidates[0]);
}

}  // namespace
}  // namespace pw
