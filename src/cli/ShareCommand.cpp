#include "cli/ShareCommand.h"

#include <ostream>

#include "cli/CardFiles.h"
#include "cli/Cli.h"
#include "cli/CliLanguage.h"
#include "cli/CliMessages.h"
#include "cli/CommandWords.h"
#include "document/CardDocument.h"
#include "document/CardWebPage.h"
#include "model/AppSettings.h"
#include "model/Messages.h"

namespace pw {

namespace {

// The page names the card by its file's name.
std::string CardName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

int RunShareCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    CommandWords words(args);
    while (words.NextOption()) {
        PrintError(err, "", "unknown option \"" + words.Word() + "\" for share");
        return kExitUsage;
    }
    const std::vector<std::string>& files = words.Files();
    if (files.size() != 2) {
        PrintError(err, "", "share needs an input card and an output page: share IN.kpf OUT.html");
        return kExitUsage;
    }
    CardDocument doc;
    if (!ReadCardOrReport(files[0], doc, err)) return kExitFileError;
    WebPageWords shown;
    shown.language = CliLanguageCode(err);
    for (std::string* text : {&shown.play, &shown.foldAngle, &shown.switchView, &shown.pattern, &shown.download})
        *text = CliText(err, *text);
    if (!WriteCardWebPage(doc, AppSettings{}, files[1], CardName(files[0]), shown)) {
        PrintError(err, files[1], msg::kFileSaveFailed);
        return kExitFileError;
    }
    return kExitOk;
}

}  // namespace pw
