#pragma once
#include <QMainWindow>

#include "app/AppSettings.h"
#include "app/QtSoundPlayer.h"
#include "model/CardModel.h"

class QAction;

namespace pw {

class CKirikoView;
class SettingsStore;

// The main window: the 3D view of the card with the view's commands in the
// menus and on the toolbar. It owns the card, the settings and the sounds
// that the view works on.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Loads the settings from the store, which also makes the first card.
    explicit CMainFrame(const SettingsStore& store, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKirikoView* View() const { return view_; }
    CardModel& Model() { return model_; }
    AppSettings& Settings() { return settings_; }

    // Enabling, check marks and texts of the commands from the current state.
    void UpdateCommandStates();

private:
    void CreateCommands();

    AppSettings settings_;
    CardModel model_;
    QtSoundPlayer sound_;
    CKirikoView* view_ = nullptr;

    QAction* undo_ = nullptr;
    QAction* smaller_ = nullptr;
    QAction* larger_ = nullptr;
    QAction* hide_ = nullptr;
    QAction* mirror_ = nullptr;
    QAction* check_ = nullptr;
    QAction* home_ = nullptr;
    QAction* horizontal_ = nullptr;
    QAction* vertical_ = nullptr;
};

}  // namespace pw
