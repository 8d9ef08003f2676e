#include "app/KirikoApp.h"

#include <QCoreApplication>

#include "app/AboutDialog.h"
#include "app/AppLanguage.h"
#include "app/KirikoDoc.h"
#include "app/MainFrame.h"
#include "app/RecoverDialog.h"
#include "app/SettingsLoadSave.h"
#include "app/SettingsStore.h"
#include "app/UserPrompts.h"

namespace pw {

CKirikoApp::CKirikoApp(SettingsStore& store, UserPrompts& prompts) : store_(store), prompts_(prompts) {}

CKirikoApp::~CKirikoApp() = default;

bool CKirikoApp::InitInstance(const QStringList& arguments) {
    QCoreApplication::setOrganizationName(QStringLiteral("Ovu_Rudovo"));
    QCoreApplication::setApplicationName(QStringLiteral("Popwright"));
    // Before the first window, whose texts are translated as it is built.
    InstallTranslations(*QCoreApplication::instance(),
                        QString::fromStdString(store_.GetText(kSettingsSection, kLanguageEntry)));

    frame_ = std::make_unique<CMainFrame>(store_, prompts_);
    connect(frame_.get(), &CMainFrame::aboutRequested, this, &CKirikoApp::OnAppAbout);

    // A card named on the command line is read like one chosen with Open;
    // when it cannot be read the program starts with its first card.
    if (arguments.size() > 1 && !arguments.at(1).isEmpty()) frame_->Doc().OpenCardFile(arguments.at(1));

    frame_->show();
    // The keyboard to the new window (and in it to the 3D view), so that the
    // arrow keys work at once, wherever the pointer is.
    frame_->activateWindow();
    // Cards that a crash or a killed session left unsaved.
    OfferRecovery(frame_->Recovery(), frame_->Doc(), prompts_, frame_.get());
    return true;
}

void CKirikoApp::OnAppAbout() {
    CAboutDialog about(frame_.get());
    prompts_.RunDialog(about);
}

}  // namespace pw
