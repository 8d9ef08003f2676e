#include "cli/EditCommand.h"

#include <map>
#include <ostream>

#include "cli/CardFiles.h"
#include "cli/Cli.h"
#include "document/CardDocument.h"
#include "edit/EditKeys.h"
#include "edit/EditOperations.h"
#include "model/AppSettings.h"

namespace pw {

namespace {

enum class Key { Left, Right, Up, Down, Space, Z, CtrlSpace, Undo, Redo, Larger, Smaller, Mirror, Horizontal, Vertical };

const std::map<std::string, Key>& KeyNames() {
    static const std::map<std::string, Key> names = {
        {"left", Key::Left},     {"right", Key::Right},     {"up", Key::Up},
        {"down", Key::Down},     {"space", Key::Space},     {"z", Key::Z},
        {"ctrl+space", Key::CtrlSpace}, {"undo", Key::Undo}, {"redo", Key::Redo}, {"larger", Key::Larger},
        {"smaller", Key::Smaller}, {"mirror", Key::Mirror}, {"horizontal", Key::Horizontal},
        {"vertical", Key::Vertical},
    };
    return names;
}

// One key or command as the view delivers it; the view repaints after each.
void Apply(Key key, EditKeyHandler& keys) {
    switch (key) {
    case Key::Left: keys.OnKeyDown(KEY_LEFT); break;
    case Key::Right: keys.OnKeyDown(KEY_RIGHT); break;
    case Key::Up: keys.OnKeyDown(KEY_UP); break;
    case Key::Down: keys.OnKeyDown(KEY_DOWN); break;
    case Key::Space: keys.OnKeyDown(KEY_SPACE); break;
    case Key::Z: keys.OnKeyDown(KEY_Z); break;
    case Key::CtrlSpace:
        keys.OnKeyDown(KEY_CTRL);
        keys.OnKeyDown(KEY_SPACE);
        keys.OnKeyUp(KEY_CTRL);
        break;
    // Menu commands run only while enabled, as in the menus.
    case Key::Undo:
        if (keys.CanEditUndo()) keys.OnEditUndo();
        break;
    case Key::Redo:
        if (keys.CanEditRedo()) keys.OnEditRedo();
        break;
    case Key::Larger:
        if (keys.CanCursorLarger()) keys.OnCursorLarger();
        break;
    case Key::Smaller:
        if (keys.CanCursorSmaller()) keys.OnCursorSmaller();
        break;
    case Key::Mirror: keys.OnMirrorMode(); break;
    case Key::Horizontal: keys.OnEditHorizontal(); break;
    case Key::Vertical: keys.OnEditVertical(); break;
    }
}

}  // namespace

int RunEditCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() < 2) return UsageError(err, "edit needs an input and an output file");
    std::vector<Key> sequence;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const auto it = KeyNames().find(args[i]);
        if (it == KeyNames().end()) return UsageError(err, "unknown key \"" + args[i] + "\"");
        sequence.push_back(it->second);
    }

    // Editing starts as in the view after a card was read: cursor at (1, 1)
    // of size 1, horizontal plane, mirror mode off, no sound.
    CardDocument doc;
    if (!ReadCardOrReport(args[0], doc, err)) return kExitFileError;
    EditedCard& model = doc.Card();
    model.edit = EditState{};
    AppSettings settings;
    settings.sound.on = 0;
    EditOperations ops(model, settings, nullptr);
    EditKeyHandler keys(model, ops);

    doc.Derive();
    for (Key key : sequence) {
        Apply(key, keys);
        doc.Derive();
    }
    return WriteCardOrReport(args[1], doc, err) ? kExitOk : kExitFileError;
}

}  // namespace pw
