#pragma once
#include <utility>
#include <vector>

namespace pw {

// The program's command ids.
enum CommandId : int {
    ID_SEPARATOR = 0,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_EXPORT_3D_DATA = 32789,
    ID_EXPORT_UNFOLDED = 32772,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_PRINT_SETUP = 57606,
    ID_APP_EXIT = 57665,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_COPY_BMP = 32790,
    ID_EDIT_COPY = 57634,  // the pattern as EMF
    ID_CURSOR_SMALLER = 32783,
    ID_CURSOR_LARGER = 32802,
    ID_HIDE_CURSOR = 32787,
    ID_SETTING = 32785,
    ID_CHECK_INVALID_FIGURE = 32801,
    ID_VIEW_TOOLBAR = 59392,
    ID_HELP_PAGE = 32782,
    ID_APP_ABOUT = 57664,
    ID_MIRROR_MODE = 32786,
    ID_HOME_POSITION = 32788,
    ID_EDIT_VERTICAL = 32794,
    ID_EDIT_HORIZONTAL = 32795,
    // The fold of the card in the 3D view and the closing check.
    ID_CHECK_CLOSING = 32840,
    ID_OPEN_CARD = 32841,
    ID_CLOSE_CARD = 32842,
    ID_FOLD_OPEN_STEP = 32843,
    ID_FOLD_CLOSE_STEP = 32844,
    // Not a command: where the toolbar holds the fold angle's slider.
    ID_FOLD_SLIDER = -1,
    ID_INSERT_TEXT = 32850,
    ID_INSERT_PICTURE = 32851,
    ID_INSERT_MODEL = 32852,
    ID_SHARE_WEB_PAGE = 32860,
    ID_EXPORT_FOR_MACHINE = 32861,
    ID_CHECK_BUILDABLE = 32862,
    ID_CONVERT_FREEFORM = 32863,  // the grid card made a free-form card
    ID_NEW_FROM_GALLERY = 32864,
    ID_CARD_SIZE = 32865,
    ID_SHIFT_RELIEF = 32866,
    ID_PATTERN_PANE = 32867,
    ID_WELCOME = 32868,
    ID_DRAWING_FLATS = 32905,  // a drawing's layers as a free-form card's flats
    ID_MODEL_AS_FLATS = 32915,  // a model sliced into flats of a free-form card
    ID_FLAT_LIST = 32870,  // the free-form card's flat list dock
    ID_TEXT_AS_FLATS = 32900,  // a line of text as flats of a free-form card
    ID_PICTURE_FLATS = 32912,  // a picture traced into free-form flats
};

// One command: a name for finding its action, its menu text (empty for toolbar-only commands), its keys
// (Qt's portable key text, several separated by "; "), its prompt string
// ("status-bar text\ntooltip", empty when it has none), the toolbar icon's
// name and whether it shows a check mark. The texts and prompts are marked
// for translation in the context "Commands", where the window looks them up.
struct CommandSpec {
    int id;
    const char* name;
    const char* text;
    const char* keys;
    const char* prompt;
    const char* icon;
    bool checkable;
};

const std::vector<CommandSpec>& Commands();
const CommandSpec* FindCommand(int id);

// A menu entry: a command, a separator, or a submenu with its own entries.
struct MenuEntry {
    MenuEntry(int command) : id(command) {}  // NOLINT: entries are written as bare ids
    MenuEntry(const char* title, std::vector<MenuEntry> items) : submenu(title), entries(std::move(items)) {}
    int id = ID_SEPARATOR;
    const char* submenu = nullptr;
    std::vector<MenuEntry> entries;
};

struct MenuSpec {
    const char* title;
    std::vector<MenuEntry> entries;
};

// The menu bar, pop-up by pop-up in order; titles in the context "Commands".
const std::vector<MenuSpec>& MenuBar();

// The toolbar's entries in order, ID_SEPARATOR for a separator.
const std::vector<int>& ToolbarEntries();

}  // namespace pw
