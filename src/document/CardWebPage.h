#pragma once
#include <string>

#include "output/WebPage.h"

namespace pw {

struct AppSettings;
class CardDocument;

// Writes the card as one self-contained web page that folds it in 3D
// (output/WebPage.h), at the printed size the settings give a cell; whole
// or not at all. `title` names the card on the page; `words` are its
// controls' texts in the writing program's language.
bool WriteCardWebPage(CardDocument& doc, const AppSettings& settings, const std::string& path,
                      const std::string& title, const WebPageWords& words = WebPageWords());

}  // namespace pw
