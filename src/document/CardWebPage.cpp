#include "document/CardWebPage.h"

#include "document/CardDocument.h"
#include "model/AppSettings.h"
#include "output/PatternOptions.h"
#include "output/SafeFileWriter.h"
#include "output/UnfoldedPattern.h"
#include "output/WebPage.h"

namespace pw {

bool WriteCardWebPage(CardDocument& doc, const AppSettings& settings, const std::string& path,
                      const std::string& title, const WebPageWords& words) {
    const Sheet& sheet = doc.Derive();
    const double cellMm = PatternCellMm(settings.print.cellMm, settings.print.sizePercent, SheetGridWidth(sheet));
    return WriteFileReplacing(path, WebPageText(sheet, cellMm, title, words));
}

}  // namespace pw
