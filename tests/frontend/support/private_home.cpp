// Every test program of the window keeps its settings and working files in
// the build tree, also when it is started by hand instead of by ctest:
// before main() runs, XDG_CONFIG_HOME (where QSettings writes) and
// XDG_DATA_HOME (where a session takes its working folder) are pointed at
// the program's own folder, unless ctest has pointed them into the tests'
// home already.
#include <QByteArray>
#include <QtGlobal>

namespace {

struct PrivateHome {
    PrivateHome() {
        const QByteArray home = ROVENA_TEST_HOME;
        if (qgetenv("XDG_CONFIG_HOME").startsWith(home) && qgetenv("XDG_DATA_HOME").startsWith(home)) return;
        qputenv("XDG_CONFIG_HOME", home + "/" ROVENA_TEST_NAME "/config");
        qputenv("XDG_DATA_HOME", home + "/" ROVENA_TEST_NAME "/data");
    }
};

const PrivateHome privateHome;

} // namespace
