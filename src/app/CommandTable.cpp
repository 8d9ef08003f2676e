#include "app/CommandTable.h"

namespace pw {

const std::vector<CommandSpec>& Commands() {
    static const std::vector<CommandSpec> commands = {
        {ID_FILE_NEW, "fileNew", "&New", "Ctrl+N", "Open New File\nOpen New File", "new", false},
        {ID_FILE_OPEN, "fileOpen", "&Open...", "Ctrl+O", "Open File\n Open File", "open", false},
        {ID_FILE_SAVE, "fileSave", "&Save", "Ctrl+S", "Save\nSave", "save", false},
        {ID_FILE_SAVE_AS, "fileSaveAs", "Save&As...", "", "Save\nSave", nullptr, false},
        {ID_EXPORT_3D_DATA, "export3dData", "&Export 3D Data...", "", "Save the model data\nSave", nullptr, false},
        {ID_EXPORT_UNFOLDED, "exportUnfoldedPattern", "Export &Unfolded pattern...", "", "Save the unfolded pattern.\nSave", nullptr, false},
        {ID_FILE_PRINT, "filePrint", "&Print...", "Ctrl+P", "Print\nPrint", "print", false},
        {ID_FILE_PRINT_PREVIEW, "filePrintPreview", "Print pre&view", "", "Print preview\nPrint preview", nullptr, false},
        {ID_FILE_PRINT_SETUP, "filePrintSetup", "P&rint setup...", "", "Print setup\nPrint setup", nullptr, false},
        {ID_APP_EXIT, "appExit", "E&xit", "", "Exit\nExit", nullptr, false},
        {ID_EDIT_UNDO, "editUndo", "&Undo", "Ctrl+Z; Alt+Backspace", "Undo\nUndo", "undo", false},
        {ID_EDIT_REDO, "editRedo", "&Redo", "Ctrl+Y; Ctrl+Shift+Z", "Redo the last undone edit\nRedo", "redo", false},
        {ID_COPY_BMP, "copyPatternAsBmp", "BMP format", "", "Copy to the Clipboard\nCopy to the Clipboard", nullptr, false},
        {ID_EDIT_COPY, "copyPatternAsEmf", "EMF format", "Ctrl+C; Ctrl+Ins", "Copy to Clipboard\nCopy to Clipboard", "copy", false},
        {ID_CURSOR_SMALLER, "cursorSmaller", "&Smaller", "Ctrl+K", "Smaller\nSmaller", "smaller", false},
        {ID_CURSOR_LARGER, "cursorLarger", "&Larger", "Ctrl+L", "Larger\nLarger", "larger", false},
        {ID_HIDE_CURSOR, "hideCursor", "&Hide", "", "", nullptr, false},
        {ID_SETTING, "setting", "&Setting...", "", "Size of the unfolded pattern\nSize", nullptr, false},
        {ID_CHECK_INVALID_FIGURE, "checkInvalidFigure", "&Check Invalid Figure", "", "Check the invalid figure\nCheck", "check", true},
        {ID_VIEW_TOOLBAR, "viewToolbar", "&Toolbar", "", "Toolbar\nToolbar", nullptr, true},
        {ID_HELP_PAGE, "helpPage", "&Help...", "", "", nullptr, false},
        {ID_APP_ABOUT, "appAbout", "&About...", "", "Version Information\nVersion Information", nullptr, false},
        {ID_MIRROR_MODE, "mirrorMode", "&Mirror mode", "", "Mirror mode\nMirror mode", "mirror", true},
        {ID_HOME_POSITION, "homePosition", "&Home position", "", "Home position\nHome", "home", false},
        {ID_EDIT_HORIZONTAL, "editHorizontal", "", "", "Edit the top surfaces\nEdit the top surfaces",
         "plane-horizontal", true},
        {ID_EDIT_VERTICAL, "editVertical", "", "", "Edit the front surfaces\nEdit the front surfaces",
         "plane-vertical", true},
        {ID_INSERT_TEXT, "insertText", "Insert &Text...", "", "Make relief of a line of text\nInsert text", nullptr, false},
        {ID_INSERT_PICTURE, "insertPicture", "Insert &Picture...", "", "Make relief of a picture\nInsert picture", nullptr, false},
        {ID_INSERT_MODEL, "insertModel", "Insert &Model...", "", "Make relief of a 3D model\nInsert model", nullptr, false},
        {ID_CHECK_CLOSING, "checkClosing", "Check C&losing", "", "Check that the closed card hides its relief\nCheck closing", nullptr, true},
        {ID_OPEN_CARD, "openCard", "&Open card", "Ctrl+PgUp", "Open the card to 90 degrees, where it is edited\nOpen card", "open-card", false},
        {ID_CLOSE_CARD, "closeCard", "&Close card", "Ctrl+PgDown", "Close the card\nClose card", "close-card", false},
        {ID_FOLD_OPEN_STEP, "foldOpenStep", "Open &15 degrees", "PgUp", "Open the card 15 degrees further\nOpen 15 degrees", nullptr, false},
        {ID_FOLD_CLOSE_STEP, "foldCloseStep", "Close 1&5 degrees", "PgDown", "Close the card 15 degrees further\nClose 15 degrees", nullptr, false},
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
        {"&File",
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_SEPARATOR,
          ID_EXPORT_3D_DATA, ID_EXPORT_UNFOLDED, ID_SEPARATOR,
          ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_SEPARATOR,
          ID_APP_EXIT}},
        {"&Edit",
         {ID_EDIT_UNDO, ID_EDIT_REDO,
          MenuEntry("&Copy unfolded pattern to Clipboard", {ID_COPY_BMP, ID_EDIT_COPY}),
          ID_SEPARATOR, ID_INSERT_TEXT, ID_INSERT_PICTURE, ID_INSERT_MODEL}},
        {"&Cursor", {ID_CURSOR_SMALLER, ID_CURSOR_LARGER, ID_HIDE_CURSOR, ID_SEPARATOR, ID_MIRROR_MODE}},
        // Home position and the fold change what the view shows, next to the
        // other view settings; the menu bar keeps its five pop-ups.
        {"&Setting", {ID_SETTING, ID_CHECK_INVALID_FIGURE, ID_CHECK_CLOSING, ID_VIEW_TOOLBAR, ID_SEPARATOR,
                      ID_HOME_POSITION,
                      MenuEntry("F&old", {ID_OPEN_CARD, ID_CLOSE_CARD, ID_SEPARATOR, ID_FOLD_OPEN_STEP,
                                          ID_FOLD_CLOSE_STEP})}},
        {"&Help", {ID_HELP_PAGE, ID_APP_ABOUT}},
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
