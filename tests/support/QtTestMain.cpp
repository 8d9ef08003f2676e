// Entry point of the test programs that need Qt: the default surface format
// (a compatibility-profile context with a depth buffer) must be set before
// the application object exists.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "view3d/KirikoView.h"

// Qt unloads its plugins and the GL driver before the usual leak check at
// exit, which then cannot name the libraries that leaked, so the suppressions
// could not cover them. In sanitizer builds these programs look for leaks
// while everything is still loaded and skip the check at exit.
#if defined(__SANITIZE_ADDRESS__)
#define PW_QT_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PW_QT_LEAK_CHECK 1
#endif
#endif

#ifdef PW_QT_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
extern "C" const char* __asan_default_options() { return "leak_check_at_exit=0"; }
#endif

namespace {
bool LeaksFound() {
#ifdef PW_QT_LEAK_CHECK
    return __lsan_do_recoverable_leak_check() != 0;
#else
    return false;
#endif
}
}  // namespace

// A test program that runs a part of itself as a child process defines
// this; started with "--child" as its first argument, it runs that instead
// of the tests.
extern "C" int PopwrightTestChildMain(int argc, char** argv) __attribute__((weak));

int main(int argc, char** argv) {
    pw::CKirikoView::UseAsDefaultSurfaceFormat();
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0 && PopwrightTestChildMain)
        return PopwrightTestChildMain(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const int failed = RUN_ALL_TESTS();
    return LeaksFound() ? 1 : failed;
}
