#pragma once

namespace pw::msg {

// The program's fixed user-facing texts.
inline constexpr const char* kFileCouldNotBeRead = "This file could not be read.";
inline constexpr const char* kVersionTooNew =
    "The version of this data is heigher than this application.\n Please get the latest version of Popwright.";
// A card file that stops before its last column; %1 is the last column it
// held, %2 the card's columns. Said after a read that succeeded.
inline constexpr const char* kCardFileEndsEarly = "The file ends after column %1 of %2; the columns after it are flat.";
inline constexpr const char* kFileOpenFailed = "File open failed.";
inline constexpr const char* kFileSaveFailed = "File save failed.";
inline constexpr const char* kSpecifyBmpOrEmf = "Please specify a *.bmp or *.emf file.";
// The command-line export, which writes more kinds of file than the export dialog.
inline constexpr const char* kSpecifyExportFile = "Please specify a *.bmp, *.emf, *.svg, *.pdf or *.dxf file.";
// The export dialog, which also writes the pattern as SVG, PDF and a flat DXF.
inline constexpr const char* kSpecifyPatternFile = "Please specify a *.bmp, *.emf, *.svg, *.pdf or *.dxf file.";
inline constexpr const char* kCantCopyToClipboard = "Can't copy to Clipboard.";
inline constexpr const char* kCantOpenClipboard = "Can't open Clipboard.";
inline constexpr const char* kSelectFileNew = "Please select [File]-[New] to reflect the change.";
inline constexpr const char* kEnterInteger = "Please enter an integer.";
inline constexpr const char* kEnterIntegerBetween = "Please enter an integer between %1 and %2.";
// The cell size in millimetres, in the Setting dialog, the export options and on the command line.
inline constexpr const char* kEnterCellSize = "Please enter 0 or a number between %1 and %2.";
// The lengths of a perforation's dashes and gaps, in millimetres.
inline constexpr const char* kEnterLengthBetween = "Please enter a number between %1 and %2.";
inline constexpr const char* kCantOpenHelp = "Can't open Help file.\nSee /help/index.html with your browser.";
inline constexpr const char* kAboutVersion = "Popwright  Version 1.2.1";
inline constexpr const char* kUntitled = "Untitled";
// The document's name at start-up, before any New or Open.
inline constexpr const char* kDefaultDocumentName = "Kiriko";
// Asked before New, Open or closing replaces a card with unsaved changes; %1 is the title.
inline constexpr const char* kSaveChanges = "Save changes to %1?";

// The status bar's reasons why an edit key changed nothing.
inline constexpr const char* kRaiseAtHeightLimit = "The relief is already as high as the card allows.";
inline constexpr const char* kNothingToLower = "There is no relief under the cursor to lower.";
inline constexpr const char* kNothingToPullOut =
    "Nothing to pull out: no relief stands out above the cursor.";
inline constexpr const char* kLowerNeedsTopSurfaces =
    "Z lowers the top surfaces only; Ctrl+Space switches to them.";

}  // namespace pw::msg
