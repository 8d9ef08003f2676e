#pragma once
#include <string>

namespace pw {

struct EditedCard;

// Where the cursor stands, for the status bar: its plane, its first column
// and row, and the height of the relief under it on the top surfaces or the
// depth in front of it on the front surfaces (the level the cursor sits at).
std::string CursorStatusText(const EditedCard& card);

}  // namespace pw
