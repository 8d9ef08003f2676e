#pragma once
#include "model/TranslatableText.h"

namespace pw::msg {

// The program's fixed user-facing texts.
inline constexpr const char* kFileCouldNotBeRead = PW_TRANSLATE_NOOP("Messages", "This file could not be read.");
inline constexpr const char* kVersionTooNew = PW_TRANSLATE_NOOP("Messages",
    "The version of this data is heigher than this application.\n Please get the latest version of Popwright.");
// A card file that stops before its last column; %1 is the last column it
// held, %2 the card's columns. Said after a read that succeeded.
inline constexpr const char* kCardFileEndsEarly = PW_TRANSLATE_NOOP("Messages", "The file ends after column %1 of %2; the columns after it are flat.");
inline constexpr const char* kFileOpenFailed = PW_TRANSLATE_NOOP("Messages", "File open failed.");
inline constexpr const char* kFileSaveFailed = PW_TRANSLATE_NOOP("Messages", "File save failed.");
inline constexpr const char* kSpecifyBmpOrEmf = PW_TRANSLATE_NOOP("Messages", "Please specify a *.bmp or *.emf file.");
// A name no export format takes; %1 lists the extensions the command
// accepts ("*.bmp, *.emf, *.svg, *.pdf, *.fold or *.dxf"), from the format registry.
inline constexpr const char* kSpecifyFileOf = PW_TRANSLATE_NOOP("Messages", "Please specify a %1 file.");
// What kSpecifyFileOf reads with the built-in formats: the command-line
// export's, which writes more kinds of file than the export dialog, ...
inline constexpr const char* kSpecifyExportFile = PW_TRANSLATE_NOOP("Messages", "Please specify a *.bmp, *.emf, *.svg, *.pdf, *.fold or *.dxf file.");
// ... and the export dialog's, which writes the pattern as BMP, EMF, SVG,
// PDF, FOLD and a flat DXF.
inline constexpr const char* kSpecifyPatternFile = PW_TRANSLATE_NOOP("Messages", "Please specify a *.bmp, *.emf, *.svg, *.pdf, *.fold or *.dxf file.");
inline constexpr const char* kCantCopyToClipboard = PW_TRANSLATE_NOOP("Messages", "Can't copy to Clipboard.");
inline constexpr const char* kCantOpenClipboard = PW_TRANSLATE_NOOP("Messages", "Can't open Clipboard.");
inline constexpr const char* kSelectFileNew = PW_TRANSLATE_NOOP("Messages", "Please select [File]-[New] to reflect the change.");
inline constexpr const char* kEnterInteger = PW_TRANSLATE_NOOP("Messages", "Please enter an integer.");
inline constexpr const char* kEnterIntegerBetween = PW_TRANSLATE_NOOP("Messages", "Please enter an integer between %1 and %2.");
// The cell size in millimetres, in the Setting dialog, the export options and on the command line.
inline constexpr const char* kEnterCellSize = PW_TRANSLATE_NOOP("Messages", "Please enter 0 or a number between %1 and %2.");
// The lengths of a perforation's dashes and gaps, in millimetres.
inline constexpr const char* kEnterLengthBetween = PW_TRANSLATE_NOOP("Messages", "Please enter a number between %1 and %2.");
inline constexpr const char* kCantOpenHelp = PW_TRANSLATE_NOOP("Messages", "Can't open Help file.\nSee /help/index.html with your browser.");
inline constexpr const char* kAboutVersion = PW_TRANSLATE_NOOP("Messages", "Popwright  Version 1.2.1");
inline constexpr const char* kUntitled = PW_TRANSLATE_NOOP("Messages", "Untitled");
// The document's name at start-up, before any New or Open.
inline constexpr const char* kDefaultDocumentName = PW_TRANSLATE_NOOP("Messages", "Kiriko");
// Asked before New, Open or closing replaces a card with unsaved changes; %1 is the title.
inline constexpr const char* kSaveChanges = PW_TRANSLATE_NOOP("Messages", "Save changes to %1?");

// The status bar's reasons why an edit key changed nothing.
inline constexpr const char* kRaiseAtHeightLimit = PW_TRANSLATE_NOOP("Messages", "The relief is already as high as the card allows.");
inline constexpr const char* kNothingToLower = PW_TRANSLATE_NOOP("Messages", "There is no relief under the cursor to lower.");
inline constexpr const char* kNothingToPullOut = PW_TRANSLATE_NOOP("Messages",
    "Nothing to pull out: no relief stands out above the cursor.");
inline constexpr const char* kLowerNeedsTopSurfaces = PW_TRANSLATE_NOOP("Messages",
    "Z lowers the top surfaces only; Ctrl+Space switches to them.");

}  // namespace pw::msg
