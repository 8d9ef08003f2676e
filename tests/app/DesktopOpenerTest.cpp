// Opening the user guide through the desktop's opener: what xdg-open
// answers is heard, so a desktop with no browser for the guide is a failure
// that Help reports, not a silent nothing. A stand-in xdg-open on the PATH
// plays the desktop.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "app/DesktopOpener.h"
#include "app/QtUserPrompts.h"

namespace pw {
namespace {

TEST(DesktopOpener, NoProgramForTheGuideIsAFailureAndAnOpenedOrOpeningGuideIsNot) {
    QTemporaryDir dir;
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit() + ":" + savedPath);
    const QString opener = dir.filePath("xdg-open"), guide = dir.filePath("guide.html");
    auto standIn = [&](const QByteArray& body) {
        QFile script(opener);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n" + body + "\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    };
    QtUserPrompts prompts;
    // What xdg-open does when no browser is set: it says so and exits with 3.
    standIn("echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3");
    EXPECT_FALSE(prompts.OpenUrl(QUrl::fromLocalFile(guide)));
    standIn("[ \"$1\" = '" + guide.toLocal8Bit() + "' ]");
    EXPECT_TRUE(prompts.OpenUrl(QUrl::fromLocalFile(guide)));
    // A browser started in the foreground: the wait ends, the browser stays.
    standIn("exec sleep 1");
    EXPECT_TRUE(OpenLocalFileWith(opener, guide, 300));
    EXPECT_FALSE(OpenLocalFileWith(dir.filePath("no-such-opener"), guide, 300));
    qputenv("PATH", savedPath);
}

}  // namespace
}  // namespace pw
