// What the real-OpenGL benchmarks share: the 3D view with its paint
// callable from the benchmark, shown at 800 by 600 on the display.
#pragma once
#include <GL/gl.h>

#include <QCoreApplication>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "view3d/KirikoView.h"

namespace pw::bench {

// The benchmarks time paintGL itself, without Qt's composition of the
// widget into the window.
class BenchView : public CKirikoView {
public:
    using CKirikoView::CKirikoView;
    void Paint() { paintGL(); }
};

// Shows the view at 800 by 600, makes its context current and returns the
// OpenGL renderer's name; ends the program when no window appears.
inline std::string ShowForBench(BenchView& view) {
    view.resize(800, 600);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        std::fprintf(stderr, "the view was never shown\n");
        std::exit(1);
    }
    QCoreApplication::processEvents();
    view.makeCurrent();
    return reinterpret_cast<const char*>(glGetString(GL_RENDERER));
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace pw::bench
