#pragma once
#include <memory>

#include "output/PatternOptions.h"

class QClipboard;
class QMimeData;
class QWidget;

namespace pw {

class CellGrid;
class UserPrompts;
struct AppSettings;
struct Sheet;
struct EditedCard;
struct ScreenResolution;

// The clipboard types of the metafile copy. Linux programs that take
// metafiles read them under these names (LibreOffice under its own, with the
// Windows format name), and the SVG of the same pattern serves the programs
// that read vector drawings, Inkscape among them.
inline constexpr const char* kEmfMimeType = "image/x-emf";
inline constexpr const char* kOpenOfficeEmfMimeType = "application/x-openoffice-emf;windows_formatname=\"Image EMF\"";
inline constexpr const char* kSvgMimeType = "image/svg+xml";

// The metafile for the screen as reference device under both metafile types,
// with the SVG beside it; nothing when the metafile cannot be made.
std::unique_ptr<QMimeData> MakeEmfClipboardData(const CellGrid& grid, const AppSettings& settings,
                                                const ScreenResolution& screen);
// The clipboard bitmap (one cell taller than the bitmap file) as an image,
// which the clipboard offers as PNG, BMP and the other image types; nothing
// when the bitmap cannot be made.
std::unique_ptr<QMimeData> MakeBitmapClipboardData(const CellGrid& grid, const AppSettings& settings);

// The same of a sheet drawn in millimetres (a free-form card's), as its
// EMF, SVG and BMP exports draw it: the SVG at the design's real size.
std::unique_ptr<QMimeData> MakeEmfClipboardData(const Sheet& millimetreSheet, const AppSettings& settings,
                                                const ScreenResolution& screen, const PatternOptions& options);
std::unique_ptr<QMimeData> MakeBitmapClipboardData(const Sheet& millimetreSheet, const AppSettings& settings);

// The two Edit copy commands. The clipboard is passed in; nullptr stands for
// a clipboard that cannot be opened. With a sheet in millimetres (a
// free-form card's) they copy its pattern instead of the grid card's.
class PatternClipboard {
public:
    PatternClipboard(EditedCard& model, const AppSettings& settings, UserPrompts& prompts,
                     const Sheet* millimetreSheet = nullptr, const PatternOptions& options = {})
        : model_(model), settings_(settings), prompts_(prompts), millimetreSheet_(millimetreSheet), options_(options) {}

    // "EMF format" (also Ctrl+C, Ctrl+Insert and the toolbar).
    void CopyPatternAsEmf(QWidget* window, QClipboard* clipboard);
    // "BMP format".
    void CopyPatternAsBmp(QWidget* window, QClipboard* clipboard);

private:
    // Hands the data to the clipboard and checks that the clipboard took it:
    // that it now offers the image, or the data under `type`.
    void Put(QWidget* window, QClipboard* clipboard, std::unique_ptr<QMimeData> data, const char* type);

    EditedCard& model_;
    const AppSettings& settings_;
    UserPrompts& prompts_;
    const Sheet* millimetreSheet_;
    PatternOptions options_;
};

}  // namespace pw
