#include "app/CommandTable.h"

#include <QtGlobal>

namespace pw {

const std::vector<CommandSpec>& Commands() {
    static const std::vector<CommandSpec> commands = {
        {ID_FILE_NEW, "fileNew", QT_TRANSLATE_NOOP("Commands", "&New"), "Ctrl+N", QT_TRANSLATE_NOOP("Commands", "Open New File\nOpen New File"), "new", false},
        {ID_FILE_OPEN, "fileOpen", QT_TRANSLATE_NOOP("Commands", "&Open..."), "Ctrl+O", QT_TRANSLATE_NOOP("Commands", "Open File\n Open File"), "open", false},
        {ID_FILE_SAVE, "fileSave", QT_TRANSLATE_NOOP("Commands", "&Save"), "Ctrl+S", QT_TRANSLATE_NOOP("Commands", "Save\nSave"), "save", false},
        {ID_FILE_SAVE_AS, "fileSaveAs", QT_TRANSLATE_NOOP("Commands", "Save&As..."), "", QT_TRANSLATE_NOOP("Commands", "Save\nSave"), nullptr, false},
        {ID_EXPORT_3D_DATA, "export3dData", QT_TRANSLATE_NOOP("Commands", "&Export 3D Data..."), "", QT_TRANSLATE_NOOP("Commands", "Save the model data\nSave"), nullptr, false},
        {ID_EXPORT_UNFOLDED, "exportUnfoldedPattern", QT_TRANSLATE_NOOP("Commands", "Export &Unfolded pattern..."), "", QT_TRANSLATE_NOOP("Commands", "Save the unfolded pattern.\nSave"), nullptr, false},
        {ID_SHARE_WEB_PAGE, "shareWebPage", QT_TRANSLATE_NOOP("Commands", "Share as &Web Page..."), "", QT_TRANSLATE_NOOP("Commands", "Save the card as one web page that shows it in 3D in any browser\nShare as web page"), nullptr, false},
        {ID_FILE_PRINT, "filePrint", QT_TRANSLATE_NOOP("Commands", "&Print..."), "Ctrl+P", QT_TRANSLATE_NOOP("Commands", "Print\nPrint"), "print", false},
        {ID_FILE_PRINT_PREVIEW, "filePrintPreview", QT_TRANSLATE_NOOP("Commands", "Print pre&view"), "", QT_TRANSLATE_NOOP("Commands", "Print preview\nPrint preview"), nullptr, false},
        {ID_FILE_PRINT_SETUP, "filePrintSetup", QT_TRANSLATE_NOOP("Commands", "P&rint setup..."), "", QT_TRANSLATE_NOOP("Commands", "Print setup\nPrint setup"), nullptr, false},
        {ID_APP_EXIT, "appExit", QT_TRANSLATE_NOOP("Commands", "E&xit"), "", QT_TRANSLATE_NOOP("Commands", "Exit\nExit"), nullptr, false},
        {ID_EDIT_UNDO, "editUndo", QT_TRANSLATE_NOOP("Commands", "&Undo"), "Ctrl+Z; Alt+Backspace", QT_TRANSLATE_NOOP("Commands", "Undo\nUndo"), "undo", false},
        {ID_EDIT_REDO, "editRedo", QT_TRANSLATE_NOOP("Commands", "&Redo"), "Ctrl+Y; Ctrl+Shift+Z", QT_TRANSLATE_NOOP("Commands", "Redo the last undone edit\nRedo"), "redo", false},
        {ID_COPY_BMP, "copyPatternAsBmp", QT_TRANSLATE_NOOP("Commands", "BMP format"), "", QT_TRANSLATE_NOOP("Commands", "Copy to the Clipboard\nCopy to the Clipboard"), nullptr, false},
        {ID_EDIT_COPY, "copyPatternAsEmf", QT_TRANSLATE_NOOP("Commands", "EMF format"), "Ctrl+C; Ctrl+Ins", QT_TRANSLATE_NOOP("Commands", "Copy to Clipboard\nCopy to Clipboard"), "copy", false},
        {ID_CURSOR_SMALLER, "cursorSmaller", QT_TRANSLATE_NOOP("Commands", "&Smaller"), "Ctrl+K", QT_TRANSLATE_NOOP("Commands", "Smaller\nSmaller"), "smaller", false},
        {ID_CURSOR_LARGER, "cursorLarger", QT_TRANSLATE_NOOP("Commands", "&Larger"), "Ctrl+L", QT_TRANSLATE_NOOP("Commands", "Larger\nLarger"), "larger", false},
        {ID_HIDE_CURSOR, "hideCursor", QT_TRANSLATE_NOOP("Commands", "&Hide"), "", "", nullptr, false},
        {ID_SETTING, "setting", QT_TRANSLATE_NOOP("Commands", "&Setting..."), "", QT_TRANSLATE_NOOP("Commands", "Size of the unfolded pattern\nSize"), nullptr, false},
        {ID_CHECK_INVALID_FIGURE, "checkInvalidFigure", QT_TRANSLATE_NOOP("Commands", "&Check Invalid Figure"), "", QT_TRANSLATE_NOOP("Commands", "Check the invalid figure\nCheck"), "check", true},
        {ID_VIEW_TOOLBAR, "viewToolbar", QT_TRANSLATE_NOOP("Commands", "&Toolbar"), "", QT_TRANSLATE_NOOP("Commands", "Toolbar\nToolbar"), nullptr, true},
        {ID_HELP_PAGE, "helpPage", QT_TRANSLATE_NOOP("Commands", "&Help..."), "", "", nullptr, false},
        {ID_APP_ABOUT, "appAbout", QT_TRANSLATE_NOOP("Commands", "&About..."), "", QT_TRANSLATE_NOOP("Commands", "Version Information\nVersion Information"), nullptr, false},
        {ID_MIRROR_MODE, "mirrorMode", QT_TRANSLATE_NOOP("Commands", "&Mirror mode"), "", QT_TRANSLATE_NOOP("Commands", "Mirror mode\nMirror mode"), "mirror", true},
        {ID_HOME_POSITION, "homePosition", QT_TRANSLATE_NOOP("Commands", "&Home position"), "", QT_TRANSLATE_NOOP("Commands", "Home position\nHome"), "home", false},
        {ID_EDIT_HORIZONTAL, "editHorizontal", "", "", QT_TRANSLATE_NOOP("Commands", "Edit the top surfaces\nEdit the top surfaces"),
         "plane-horizontal", true},
        {ID_EDIT_VERTICAL, "editVertical", "", "", QT_TRANSLATE_NOOP("Commands", "Edit the front surfaces\nEdit the front surfaces"),
         "plane-vertical", true},
        {ID_INSERT_TEXT, "insertText", QT_TRANSLATE_NOOP("Commands", "Insert &Text..."), "", QT_TRANSLATE_NOOP("Commands", "Make relief of a line of text\nInsert text"), nullptr, false},
        {ID_INSERT_PICTURE, "insertPicture", QT_TRANSLATE_NOOP("Commands", "Insert &Picture..."), "", QT_TRANSLATE_NOOP("Commands", "Make relief of a picture\nInsert picture"), nullptr, false},
        {ID_TEXT_AS_FLATS, "textAsFlats", QT_TRANSLATE_NOOP("Commands", "Te&xt as Flats..."), "", QT_TRANSLATE_NOOP("Commands", "Add a line of text as flats of the free-form card\nText as flats"), nullptr, false},
        {ID_CONVERT_FREEFORM, "convertToFreeform", QT_TRANSLATE_NOOP("Commands", "Convert to &Free-Form Card"), "", QT_TRANSLATE_NOOP("Commands", "Make the grid card a free-form card with the same pattern\nConvert to free-form card"), nullptr, false},
        {ID_DRAWING_FLATS, "drawingAsFlats", QT_TRANSLATE_NOOP("Commands", "&Drawing as Flats..."), "", QT_TRANSLATE_NOOP("Commands", "Bring the layers of an SVG drawing in as flats\nDrawing as flats"), nullptr, false},
        {ID_PICTURE_FLATS, "pictureAsFlats", QT_TRANSLATE_NOOP("Commands", "P&icture as Flats..."), "", QT_TRANSLATE_NOOP("Commands", "Trace a picture into flats of the free-form card\nPicture as flats"), nullptr, false},
        {ID_INSERT_MODEL, "insertModel", QT_TRANSLATE_NOOP("Commands", "Insert &Model..."), "", QT_TRANSLATE_NOOP("Commands", "Make relief of a 3D model\nInsert model"), nullptr, false},
        {ID_MODEL_AS_FLATS, "modelAsFlats", QT_TRANSLATE_NOOP("Commands", "Model as &Flats..."), "", QT_TRANSLATE_NOOP("Commands", "Slice a 3D model into flats of the free-form card\nModel as flats"), nullptr, false},
        {ID_NEW_FROM_GALLERY, "newFromGallery", QT_TRANSLATE_NOOP("Commands", "New from &Gallery..."), "", QT_TRANSLATE_NOOP("Commands", "Start a new card from one of the gallery's designs\nNew from gallery"), nullptr, false},
        {ID_CARD_SIZE, "cardSize", QT_TRANSLATE_NOOP("Commands", "Card Si&ze..."), "", QT_TRANSLATE_NOOP("Commands", "Make the card wider, narrower, taller or shorter around its relief\nCard size"), nullptr, false},
        {ID_SHIFT_RELIEF, "shiftRelief", QT_TRANSLATE_NOOP("Commands", "S&hift Relief..."), "", QT_TRANSLATE_NOOP("Commands", "Move all relief by whole columns or rows\nShift relief"), nullptr, false},
        {ID_PATTERN_PANE, "patternPane", QT_TRANSLATE_NOOP("Commands", "&Pattern Pane"), "", QT_TRANSLATE_NOOP("Commands", "Show the unfolded pattern beside the card\nPattern pane"), nullptr, true},
        {ID_FLAT_LIST, "flatList", QT_TRANSLATE_NOOP("Commands", "Fl&at List"), "", QT_TRANSLATE_NOOP("Commands", "Show the free-form card's flats in a list\nFlat list"), nullptr, true},
        {ID_WELCOME, "welcome", QT_TRANSLATE_NOOP("Commands", "&Welcome..."), "", QT_TRANSLATE_NOOP("Commands", "First steps with Popwright\nWelcome"), nullptr, false},
        {ID_CHECK_CLOSING, "checkClosing", QT_TRANSLATE_NOOP("Commands", "Check C&losing"), "", QT_TRANSLATE_NOOP("Commands", "Check that the closed card hides its relief\nCheck closing"), nullptr, true},
        {ID_EXPORT_FOR_MACHINE, "exportForCuttingMachine", QT_TRANSLATE_NOOP("Commands", "Export for Cutting &Machine..."), "", QT_TRANSLATE_NOOP("Commands", "Save the pattern as a cutting machine takes it\nExport for cutting machine"), nullptr, false},
        {ID_CHECK_BUILDABLE, "checkBuildable", QT_TRANSLATE_NOOP("Commands", "Check &Buildable"), "", QT_TRANSLATE_NOOP("Commands", "Check that the card survives the cutter and the fold\nCheck buildable"), nullptr, false},
        {ID_OPEN_CARD, "openCard", QT_TRANSLATE_NOOP("Commands", "&Open card"), "Ctrl+PgUp", QT_TRANSLATE_NOOP("Commands", "Open the card to 90 degrees, where it is edited\nOpen card"), "open-card", false},
        {ID_CLOSE_CARD, "closeCard", QT_TRANSLATE_NOOP("Commands", "&Close card"), "Ctrl+PgDown", QT_TRANSLATE_NOOP("Commands", "Close the card\nClose card"), "close-card", false},
        {ID_FOLD_OPEN_STEP, "foldOpenStep", QT_TRANSLATE_NOOP("Commands", "Open &15 degrees"), "PgUp", QT_TRANSLATE_NOOP("Commands", "Open the card 15 degrees further\nOpen 15 degrees"), nullptr, false},
        {ID_FOLD_CLOSE_STEP, "foldCloseStep", QT_TRANSLATE_NOOP("Commands", "Close 1&5 degrees"), "PgDown", QT_TRANSLATE_NOOP("Commands", "Close the card 15 degrees further\nClose 15 degrees"), nullptr, false},
    };
    return commands;
}

const CommandSpec* FindCommand(int id) {
    for (const CommandSpec& c : Commands())
        if (c.id == id) return &c;
    return nullptr;
}

const std::vector<MenuSpec>& MenuBar() {
    static const std::vector<MenuSpec> menus = {
        {QT_TRANSLATE_NOOP("Commands", "&File"),
         {ID_FILE_NEW, ID_NEW_FROM_GALLERY, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_SEPARATOR,
          ID_EXPORT_3D_DATA, ID_EXPORT_UNFOLDED, ID_EXPORT_FOR_MACHINE, ID_SHARE_WEB_PAGE, ID_SEPARATOR,
          ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_SEPARATOR,
          ID_APP_EXIT}},
        {QT_TRANSLATE_NOOP("Commands", "&Edit"),
         {ID_EDIT_UNDO, ID_EDIT_REDO,
          MenuEntry(QT_TRANSLATE_NOOP("Commands", "&Copy unfolded pattern to Clipboard"), {ID_COPY_BMP, ID_EDIT_COPY}),
          ID_SEPARATOR, ID_INSERT_TEXT, ID_INSERT_PICTURE, ID_INSERT_MODEL, ID_SEPARATOR, ID_CARD_SIZE, ID_SHIFT_RELIEF,
          // the free-form card's sources of flats
          ID_SEPARATOR, ID_TEXT_AS_FLATS, ID_DRAWING_FLATS, ID_PICTURE_FLATS, ID_MODEL_AS_FLATS}},
        {QT_TRANSLATE_NOOP("Commands", "&Cursor"), {ID_CURSOR_SMALLER, ID_CURSOR_LARGER, ID_HIDE_CURSOR, ID_SEPARATOR, ID_MIRROR_MODE}},
        // Home position and the fold change what the view shows, next to the
        // other view settings; the menu bar keeps its five pop-ups.
        {QT_TRANSLATE_NOOP("Commands", "&Setting"), {ID_SETTING, ID_CONVERT_FREEFORM, ID_CHECK_INVALID_FIGURE, ID_CHECK_CLOSING, ID_CHECK_BUILDABLE, ID_VIEW_TOOLBAR, ID_PATTERN_PANE, ID_FLAT_LIST, ID_SEPARATOR,
                      ID_HOME_POSITION,
                      MenuEntry(QT_TRANSLATE_NOOP("Commands", "F&old"), {ID_OPEN_CARD, ID_CLOSE_CARD, ID_SEPARATOR, ID_FOLD_OPEN_STEP,
                                          ID_FOLD_CLOSE_STEP})}},
        {QT_TRANSLATE_NOOP("Commands", "&Help"), {ID_WELCOME, ID_HELP_PAGE, ID_APP_ABOUT}},
    };
    return menus;
}

const std::vector<int>& ToolbarEntries() {
    static const std::vector<int> entries = {
        ID_FILE_NEW,       ID_FILE_OPEN,      ID_FILE_SAVE,   ID_SEPARATOR,       ID_EDIT_COPY,
        ID_SEPARATOR,      ID_FILE_PRINT,     ID_SEPARATOR,   ID_CURSOR_SMALLER,  ID_CURSOR_LARGER,
        ID_SEPARATOR,      ID_MIRROR_MODE,    ID_HOME_POSITION, ID_EDIT_UNDO,     ID_EDIT_REDO,
        ID_SEPARATOR,
        ID_EDIT_HORIZONTAL, ID_EDIT_VERTICAL, ID_SEPARATOR,   ID_CHECK_INVALID_FIGURE,
        ID_SEPARATOR,      ID_CLOSE_CARD,     ID_FOLD_SLIDER, ID_OPEN_CARD,
    };
    return entries;
}

}  // namespace pw
