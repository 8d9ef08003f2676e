// The desktop program: one main window with the 3D view of the card.
#include <QApplication>
#include <QSurfaceFormat>

#include "app/KirikoApp.h"
#include "app/QtSettingsStore.h"
#include "app/QtUserPrompts.h"

int main(int argc, char** argv) {
    // The view draws with OpenGL 1.1 immediate mode: a compatibility-profile,
    // double-buffered RGBA context with a depth buffer, chosen before the
    // application object exists.
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication app(argc, argv);
    pw::QtSettingsStore store;
    pw::QtUserPrompts prompts;
    pw::CKirikoApp kiriko(store, prompts);
    if (!kiriko.InitInstance(QApplication::arguments())) return 1;
    return app.exec();
}
