#pragma once
#include <string>

#include "model/TranslatableText.h"

namespace pw {

struct Sheet;

// What the page's controls say, in the language of the program that wrote
// it; English by default. Each text is marked for translation here, and
// `language` is the page's language code.
struct WebPageWords {
    std::string language = "en";
    std::string play = PW_TRANSLATE_NOOP("CliMessages", "Play the opening");
    std::string foldAngle = PW_TRANSLATE_NOOP("CliMessages", "Fold angle");
    std::string switchView = PW_TRANSLATE_NOOP("CliMessages", "Switch between the card and its flat pattern");
    std::string pattern = PW_TRANSLATE_NOOP("CliMessages", "Pattern");
    std::string download = PW_TRANSLATE_NOOP("CliMessages", "Download the flat pattern as SVG");
};

// The card as one self-contained web page: the template with three.js and
// the sheet's JSON (SheetJsonText) written into it, nothing to load from
// elsewhere. `mmPerUnit` is the sheet unit's length in millimetres.
std::string WebPageText(const Sheet& sheet, double mmPerUnit, const std::string& title,
                        const WebPageWords& words = WebPageWords());

}  // namespace pw
