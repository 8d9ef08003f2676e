#include "cli/CardFiles.h"

#include <ostream>
#include <string>

#include "cli/CliMessages.h"
#include "document/CardDocument.h"
#include "model/Messages.h"

namespace pw {

std::string EndsEarlyNote(int columnsHeld, int columns) {
    if (columnsHeld >= columns) return {};
    std::string text = msg::kCardFileEndsEarly;
    text.replace(text.find("%1"), 2, std::to_string(columnsHeld));
    text.replace(text.find("%2"), 2, std::to_string(columns));
    return text;
}

bool ReadCardOrReport(const std::string& path, CardDocument& doc, std::ostream& err) {
    const CardOpenResult result = doc.Open(path);
    if (result.Opened()) {
        if (result.EndsEarly()) PrintWarning(err, path, EndsEarlyNote(result.columnsHeld, result.columns));
        return true;
    }
    if (!result.error.empty()) {
        PrintError(err, path, result.error);
        return false;
    }
    PrintError(err, path,
               result.outcome == CardOpenOutcome::VersionTooNew ? msg::kVersionTooNew : msg::kFileCouldNotBeRead);
    return false;
}

bool WriteCardOrReport(const std::string& path, const CardDocument& doc, std::ostream& err) {
    if (doc.Save(path) == CardSaveOutcome::Saved) return true;
    PrintError(err, path, msg::kFileOpenFailed);
    return false;
}

}  // namespace pw
