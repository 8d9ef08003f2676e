#include "output/WebPage.h"

#include "output/SheetJson.h"
#include "output/WebPageParts.h"

namespace pw {

namespace {

// The page draws at screen resolution; a twentieth of a millimetre is finer
// than any pixel of it and keeps a free-form card's curves few in points.
constexpr double kPageToleranceMm = 0.05;

void Replace(std::string& text, const std::string& mark, const std::string& with) {
    const auto at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), with);
}

// Text inside a script or a title element that cannot end it or start markup.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else if (c == '@') out += "&#64;";  // no mark of the template
        else if (c == '"') out += "&quot;";  // nor the end of an attribute
        else out += c;
    }
    return out;
}

// Text inside a JavaScript string in double quotes.
std::string ScriptString(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out += std::string("\\") + c;
        else if (c == '<') out += "\\u003c";
        else if (c == '@') out += "\\u0040";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

}  // namespace

std::string WebPageText(const Sheet& sheet, double mmPerUnit, const std::string& title, const WebPageWords& words) {
    std::string page = WebPageTemplate();
    std::string card = SheetJsonText(sheet, mmPerUnit, kPageToleranceMm);
    // JSON of numbers and fixed names; "</" still cannot close the script.
    for (auto at = card.find("</"); at != std::string::npos; at = card.find("</", at)) card.replace(at, 2, "<\\/");
    // Neither the title nor the card holds an @, so each mark is found in
    // the template's own text; three.js, which may, goes in last.
    Replace(page, "@TITLE@", Escaped(title));
    Replace(page, "@LANGUAGE@", Escaped(words.language));
    Replace(page, "@PLAY@", Escaped(words.play));
    Replace(page, "@FOLD_ANGLE@", Escaped(words.foldAngle));
    Replace(page, "@SWITCH_VIEW@", Escaped(words.switchView));
    Replace(page, "@PATTERN@", Escaped(words.pattern));
    Replace(page, "@DOWNLOAD@", Escaped(words.download));
    Replace(page, "@PATTERN_SCRIPT@", ScriptString(words.pattern));
    Replace(page, "@CARD_JSON@", card);
    Replace(page, "@THREE_JS@", ThreeJs());
    return page;
}

}  // namespace pw
