#include "app/AppResources.h"


// Q_INIT_RESOURCE must be called outside any namespace.
static void InitPopwrightQrc() { Q_INIT_RESOURCE(popwright); }

namespace pw {

void InitAppResources() {
    static const bool done = (InitPopwrightQrc(), true);
    (void)done;
}

QIcon AppIcon(const QString& name) {
    InitAppResources();
    return QIcon(QStringLiteral(":/popwright/icons/%1.svg").arg(name));
}

}  // namespace pw
