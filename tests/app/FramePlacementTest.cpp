// The window placement kept in "WindowPos" and where the user guide is found.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
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

    // Far off every screen: the size is kept, the position is not.
    p = WindowPlacement{2, 1, -1, -1, -1, -1, 90000, 90000, 90700, 90500};
    ApplyPlacement(window, p);
    EXPECT_EQ(window.size(), QSize(700, 500));
    EXPECT_NE(window.pos(), QPoint(90000, 90000));

    // An empty rectangle changes nothing.
    p = WindowPlacement{2, 1, -1, -1, -1, -1, 10, 10, 10, 300};
    ApplyPlacement(window, p);
    EXPECT_EQ(window.size(), QSize(700, 500));
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
}

}  // namespace
}  // namespace pw
