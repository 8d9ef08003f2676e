// The desktop program: one main window with the 3D view of the card.
#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include "app/AppLanguage.h"
#include "app/KirikoApp.h"
#include "app/MainFrame.h"
#include "app/QtSettingsStore.h"
#include "app/QtUserPrompts.h"
#include "app/SettingsLoadSave.h"
#include "view3d/KirikoView.h"

namespace {

// The usage in the language the window would show: the stored choice, else
// the system's. A core application reads the settings and the translations
// without a display, which scripts and package checks do not have.
int PrintUsage(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Ovu_Rudovo"));
    QCoreApplication::setApplicationName(QStringLiteral("Popwright"));
    pw::QtSettingsStore store;
    pw::InstallTranslations(core, QString::fromStdString(store.GetText(pw::kSettingsSection, pw::kLanguageEntry)));
    const QString usage = QCoreApplication::translate(
        "CommandLineHelp",
        "Usage: popwright [CARD.kpf]\n"
        "Opens the pop-up card designer, with the card file CARD.kpf if one is named.\n"
        "  --help     show this text and exit\n"
        "  --version  show the program's version and exit\n"
        "Qt's own options (for example -platform NAME) are accepted too.\n"
        "The command-line tool popwright-cli makes, edits and exports cards without a window.\n");
    std::fputs(usage.toUtf8().constData(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before QApplication exists, because that needs a display and
    // scripts and package checks ask for these on machines without one.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("popwright " POPWRIGHT_VERSION "\n", stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return PrintUsage(argc, argv);
        }
    }

    pw::CKirikoView::UseAsDefaultSurfaceFormat();

    QApplication app(argc, argv);
    // Wayland compositors and docks find the menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.popwright.Popwright"));
    pw::QtSettingsStore store;
    pw::QtUserPrompts prompts;
    pw::CKirikoApp kiriko(store, prompts);
    if (!kiriko.InitInstance(QApplication::arguments())) return 1;
    // The welcome greets a start without a card named, once the window shows.
    if (QApplication::arguments().size() < 2)
        QTimer::singleShot(0, kiriko.MainFrame(), [&kiriko] { kiriko.MainFrame()->OfferWelcome(); });
    return app.exec();
}
