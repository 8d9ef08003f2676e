#pragma once
#include <string>

namespace pw {

struct Sheet;

// The card as one self-contained web page: the template with three.js and
// the sheet's JSON (SheetJsonText) written into it, nothing to load from
// elsewhere. `mmPerUnit` is the sheet unit's length in millimetres.
std::string WebPageText(const Sheet& sheet, double mmPerUnit, const std::string& title);

}  // namespace pw
