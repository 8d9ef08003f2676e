#pragma once
#include <QIcon>
#include <QString>

namespace pw {

// Registers the program's icons, which live in the popwright_gui static
// library and so are not registered by themselves. Safe to call often.
void InitAppResources();

// An icon from the program's resources by its base name ("new", "undo", ...).
QIcon AppIcon(const QString& name);

}  // namespace pw
