#pragma once
#include <QString>
#include <string>

namespace pw {

struct ClosingReport;
struct CursorStatus;
struct FinishedSize;
struct FreeformCard;
struct FreeformClosing;
struct LegendWording;
struct ListWords;
enum class EditRefusal;

// Every text the window shows passes through Qt's translation functions, so
// that a translation file loaded into the application replaces it; without
// one the English stays as written. The core hands over fixed texts marked
// with PW_TRANSLATE_NOOP or plain codes and numbers, and these functions word
// them here, never English assembled in the core.

// A text of a table marked with QT_TRANSLATE_NOOP(context, ...), or one of
// the core's fixed texts; an empty text stays empty.
QString Translated(const char* context, const char* text);
// One of the core's fixed texts (the msg:: constants, context "Messages").
QString ShownMessage(const char* text);
// A message the core returned as a string that is one of its fixed texts;
// any other (a text with a number already filled in) is shown as it is.
QString ShownMessage(const std::string& text);

// The closing check's sentence in the status bar and the insert dialog.
QString ClosingStatusShown(const ClosingReport& report);
// The same of a free-form card: the millimetres it sticks out by and the flats.
QString FreeformClosingShown(const FreeformCard& card, const FreeformClosing& closing);
// "Top surfaces: column 3, row 4, height 2" and the front surfaces' form.
QString CursorStatusShown(const CursorStatus& status);
// Why an edit key changed nothing; empty for EditRefusal::None.
QString RefusalShown(EditRefusal refusal);
// "card 93.3 × 46.7 mm (opened), sheet 93.3 × 93.3 mm".
QString FinishedSizeShown(const FinishedSize& size);
// The note of folds written as score lines; empty for none.
QString ScoredFoldsShown(int count);
// The pattern legend's words in the language the window shows.
LegendWording LegendWordingShown();
// The words that join a list inside a sentence ("a, b or c"), in the same language.
ListWords ListWordsShown();

}  // namespace pw
