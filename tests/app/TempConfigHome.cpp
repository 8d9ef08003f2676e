// Points the per-user settings and data (the recovery copies) of the whole
// test program at a fresh folder before anything can read them, so that no
// test sees or changes the real user's files. Runs before main(): QSettings
// fixes its folders the first time it is used.
#include <cstdlib>
#include <string>

#include <QDir>

namespace {

struct TempConfigHome {
    TempConfigHome() {
        char pattern[] = "/tmp/popwright-test-config-XXXXXX";
        if (const char* dir = mkdtemp(pattern)) {
            path = dir;
            setenv("XDG_CONFIG_HOME", dir, 1);
            setenv("XDG_DATA_HOME", (path + "/data").c_str(), 1);
        }
    }
    ~TempConfigHome() {
        if (!path.empty()) QDir(QString::fromStdString(path)).removeRecursively();
    }
    std::string path;
};

const TempConfigHome configHome;

}  // namespace
