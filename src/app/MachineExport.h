#pragma once
#include <functional>
#include <vector>

#include "model/buildable/BuildableCheck.h"
#include <QString>

class QWidget;

namespace pw {

class CardDocument;
class SettingsStore;
class UserPrompts;
struct AppSettings;

// "Export for Cutting Machine..." and "Check Buildable": the machine, its
// kerf and its dash are asked once and kept in the settings store (section
// "cutting"), so that the next export and every check use the same machine.
class MachineExport {
public:
    MachineExport(CardDocument& doc, const AppSettings& settings, SettingsStore& store, UserPrompts& prompts)
        : doc_(doc), settings_(settings), store_(store), prompts_(prompts) {}

    // Asks for the machine and its settings, then the file among the
    // machine's kinds; writes it and says in a message box when it could not.
    void ExportForMachine(QWidget* window);
    // Checks the card's sheet for the remembered machine, hands the places
    // of the findings to `mark` (in the sheet's units; empty when there are
    // none) and shows the findings (or that it is buildable) in a short report.
    void CheckBuildable(QWidget* window, const std::function<void(std::vector<MarkedSpot>)>& mark);

private:
    CardDocument& doc_;
    const AppSettings& settings_;
    SettingsStore& store_;
    UserPrompts& prompts_;
};

}  // namespace pw
