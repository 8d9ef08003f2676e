#pragma once
#include <QObject>
#include <QStringList>
#include <memory>

namespace pw {

class CMainFrame;
class SettingsStore;
class UserPrompts;

// The application: creates the main frame, opens a card named on the
// command line and shows the window; shows the About box.
class CKirikoApp : public QObject {
    Q_OBJECT
public:
    CKirikoApp(SettingsStore& store, UserPrompts& prompts);
    ~CKirikoApp() override;

    // `arguments` as QCoreApplication::arguments(): the program, then
    // optionally a card file to open. Returns false when the program cannot start.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* MainFrame() const { return frame_.get(); }

    void OnAppAbout();

private:
    SettingsStore& store_;
    UserPrompts& prompts_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace pw
