#include "app/ShownTexts.h"

#include <QCoreApplication>
#include <QStringList>

#include "edit/CursorStatus.h"
#include "edit/EditOperations.h"
#include "model/ClosingCheck.h"
#include "model/freeform/FreeformChecks.h"
#include "output/CutterPattern.h"
#include "output/ExportFormat.h"
#include "output/PatternOptions.h"

namespace pw {
namespace {


QString Decimal(double value) { return QString::fromStdString(FormatDecimal(value, 1)); }

}  // namespace

QString Translated(const char* context, const char* text) {
    if (!text || !*text) return QString();
    return QCoreApplication::translate(context, text);
}

QString ShownMessage(const char* text) { return Translated("Messages", text); }

QString ShownMessage(const std::string& text) { return ShownMessage(text.c_str()); }

QString ClosingStatusShown(const ClosingReport& r) {
    if (r.ClosesInside()) return QCoreApplication::translate("ShownTexts", "The card closes inside its cover.");
    const QString cells = r.overhang == 1 ? QCoreApplication::translate("ShownTexts", "1 cell") : QCoreApplication::translate("ShownTexts", "%1 cells").arg(r.overhang);
    const QString columns = QString::fromStdString(ColumnRunsText(r.columnRuns));
    const bool one = r.columnRuns.size() == 1 && r.columnRuns[0].first == r.columnRuns[0].second;
    return (one ? QCoreApplication::translate("ShownTexts", "Sticks out of the closed card by %1 in column %2.")
                : QCoreApplication::translate("ShownTexts", "Sticks out of the closed card by %1 in columns %2."))
        .arg(cells, columns);
}

QString FreeformClosingShown(const FreeformCard& card, const FreeformClosing& c) {
    if (c.ClosesInside()) return QCoreApplication::translate("ShownTexts", "The card closes inside its cover.");
    QStringList flats;
    for (int flat : c.flats) flats << QString::fromStdString(FlatLabel(card, flat));
    return QCoreApplication::translate("ShownTexts", "Sticks out of the closed card by %1 mm: %2.")
        .arg(QString::number(c.overhangMm, 'f', 2), flats.join(QStringLiteral(", ")));
}

QString CursorStatusShown(const CursorStatus& s) {
    return (s.plane == 0 ? QCoreApplication::translate("ShownTexts", "Top surfaces: column %1, row %2, height %3")
                         : QCoreApplication::translate("ShownTexts", "Front surfaces: column %1, height %2, depth %3"))
        .arg(s.column)
        .arg(s.row)
        .arg(s.level);
}

QString RefusalShown(EditRefusal refusal) { return ShownMessage(RefusalMessage(refusal)); }

QString FinishedSizeShown(const FinishedSize& s) {
    return QCoreApplication::translate("ShownTexts", "card %1 \u00D7 %2 mm (opened), sheet %3 \u00D7 %4 mm")
        .arg(Decimal(s.cardWidthMm), Decimal(s.cardHeightMm), Decimal(s.sheetWidthMm), Decimal(s.sheetHeightMm));
}

QString ScoredFoldsShown(int count) {
    if (count <= 0) return QString();
    if (count == 1) return QCoreApplication::translate("ShownTexts", "1 fold too short to perforate was written as a score line.");
    return QCoreApplication::translate("ShownTexts", "%1 folds too short to perforate were written as score lines.").arg(count);
}

LegendWording LegendWordingShown() {
    LegendWording words;
    for (std::string* text : words.Texts())
        *text = Translated("PatternLegend", text->c_str()).toStdString();
    return words;
}

}  // namespace pw

namespace pw {

ListWords ListWordsShown() {
    // The command-line tool's context: the same words there and here.
    return {QCoreApplication::translate("CliMessages", ", ").toStdString(),
            QCoreApplication::translate("CliMessages", " or ").toStdString(),
            QCoreApplication::translate("CliMessages", " and ").toStdString()};
}

}  // namespace pw
