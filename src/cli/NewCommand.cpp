#include "cli/NewCommand.h"

#include <optional>
#include <ostream>

#include "cli/CardFiles.h"
#include "cli/CliLanguage.h"
#include "cli/CliMessages.h"
#include "cli/Cli.h"
#include "document/CardDocument.h"
#include "model/AppSettings.h"
#include "model/IntegerText.h"
#include "output/CutterPattern.h"
#include "output/PaperGrid.h"

namespace pw {

namespace {

// A whole number within [low, high], written without a sign.
bool ParseSize(const std::string& text, long low, long high, int& value) {
    std::int32_t v = 0;
    if (text.empty() || text[0] == '+' || text[0] == '-' || !ParseWholeNumber(text, v) || v < low || v > high)
        return false;
    value = v;
    return true;
}

}  // namespace

int RunNewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    // The card must be one the card reader accepts again: at least one
    // column, a stored extent h = height - 1 of at least 1, and no more
    // cells than a card file may describe.
    constexpr long kMaxSide = 4096;
    std::string outPath;
    int width = 16;
    int height = 8;
    bool sized = false;
    std::optional<PaperGrid> paper;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--width" || a == "--height") {
            if (i + 1 >= args.size()) return UsageError(err, a + " needs a number");
            const bool isWidth = a == "--width";
            int& target = isWidth ? width : height;
            sized = true;
            if (!ParseSize(args[++i], isWidth ? 1 : 2, kMaxSide, target))
                return UsageError(err, a + " must be a whole number from " + (isWidth ? "1" : "2") + " to " +
                                           std::to_string(kMaxSide));
        } else if (a == "--paper") {
            if (i + 1 >= args.size()) return UsageError(err, a + " needs a value");
            const std::string& name = args[++i];
            // Only the postcards are folded as a card from one whole sheet.
            if (name != "postcard" && name != "reply-postcard")
                return UsageError(err, "--paper must be postcard or reply-postcard");
            paper = GridForPaper(*PaperNamed(name));
        } else if (!a.empty() && a[0] == '-') {
            return UsageError(err, "unknown option \"" + a + "\" for new");
        } else if (outPath.empty()) {
            outPath = a;
        } else {
            return UsageError(err, "new takes one output file");
        }
    }
    if (outPath.empty()) return UsageError(err, "new needs an output file");
    if (paper && sized) return UsageError(err, "--paper sets the size: leave out --width and --height");
    if (paper) {
        width = paper->width;
        height = paper->height;
    }
    const long long W = width + 2LL, H = height + 1LL;
    if (!CardFileCanHold(W, H)) return UsageError(err, "the card is too large");

    CardDocument doc;
    doc.Card().NewCard(static_cast<int>(W), static_cast<int>(H));
    if (!WriteCardOrReport(outPath, doc, err)) return kExitFileError;
    if (paper) {
        // The cell is the export's choice, not the card's: say which one
        // makes the sheet the paper, and how close it comes.
        std::string line = CliText(
            out, "%1 × %2 cells of %3 mm: the sheet is %4 × %5 mm, folded at %6 mm; export with --cell-mm %3.");
        const std::string parts[] = {std::to_string(width), std::to_string(height), FormatMm(paper->cellMm),
                                     FormatMm(paper->size.sheetWidthMm), FormatMm(paper->size.sheetHeightMm),
                                     FormatMm(paper->size.cardHeightMm)};
        for (int k = 6; k >= 1; --k)
            for (std::size_t at; (at = line.find("%" + std::to_string(k))) != std::string::npos;)
                line.replace(at, 2, parts[k - 1]);
        out << line << "\n";
    }
    // Such a card is a good card file, but the desktop program's settings
    // would not make it: say so, in case the size was a slip.
    const auto outside = [&](const char* what, int value, int low, int high) {
        if (value < low || value > high)
            PrintWarning(err, outPath,
                         std::string("The ") + what + " " + std::to_string(value) + " is outside the settings' range of " +
                             std::to_string(low) + " to " + std::to_string(high) + ".");
    };
    outside("width", width, kNewCardWidthSetting.low, kNewCardWidthSetting.high);
    outside("height", height, kNewCardHeightSetting.low, kNewCardHeightSetting.high);
    return kExitOk;
}

}  // namespace pw
