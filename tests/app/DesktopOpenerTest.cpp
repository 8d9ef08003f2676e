// Opening the user guide through the desktop's opener: what xdg-open
// answers is heard, so a desktop with no browser for the guide is a failure
// that Help reports, not a silent nothing. A stand-in xdg-open on the PATH
// plays the desktop.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "app/DesktopOpener.h"
#include "app/QtUserPrompts.h"

namespace pw {
namespace {

class DesktopOpenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        savedPath = qgetenv("PATH");
        qputenv("PATH", dir.path().toLocal8Bit() + ":" + savedPath);
        guide = dir.filePath("guide.html");
        QFile page(guide);
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    // xdg-open that notes the file it was asked for and then runs `body`.
    void StandIn(const char* body) {
        QFile script(dir.filePath("xdg-open"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$1\" > '" + dir.filePath("asked").toLocal8Bit() + "'\n" + body + "\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    QByteArray Asked() const {
        QFile f(dir.filePath("asked"));
        return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
    }

    QTemporaryDir dir;
    QByteArray savedPath;
    QString guide;
};

TEST_F(DesktopOpenerTest, NoProgramForTheGuideIsAFailureAndAnOpenedGuideIsNot) {
    QtUserPrompts prompts;
    // What xdg-open does when no browser is set: it says so and exits with 3.
    StandIn("echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3");
    EXPECT_FALSE(prompts.OpenUrl(QUrl::fromLocalFile(guide)));
    EXPECT_EQ(Asked(), guide.toLocal8Bit());

    StandIn("exit 0");
    EXPECT_TRUE(prompts.OpenUrl(QUrl::fromLocalFile(guide)));
}

TEST_F(DesktopOpenerTest, AnOpenerThatKeepsRunningHasOpenedTheGuide) {
    // A browser started in the foreground: the wait ends, the browser stays.
    StandIn("exec sleep 30");
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(OpenLocalFileWith(dir.filePath("xdg-open"), guide, 300));
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(OpenLocalFileWith(dir.filePath("no-such-opener"), guide, 300));
}

}  // namespace
}  // namespace pw
