// Every test binary: a QApplication on the offscreen platform unless a display is asked for
// (QT_QPA_PLATFORM=xcb under Xvfb), and the settings folders in a temporary place so that no
// test reads or writes the user's own settings; modal windows are answered without showing.
#include "TestSupport.h"
#include "platform/widgets/ModalWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string_view>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with("--gtest_list_tests"))
            return RUN_ALL_TESTS(); // discovery: no window system needed

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        // Programs of GL tests ask for the display themselves (UseDisplayPlatform).
        const bool display = WantsDisplayPlatform() && !qEnvironmentVariableIsEmpty("DISPLAY");
        qputenv("QT_QPA_PLATFORM", display ? "xcb" : "offscreen");
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toUtf8());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toUtf8());
        QDir().mkpath(home.path() + "/runtime");
        QFile::setPermissions(home.path() + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QApplication app(argc, argv);
    // A modal window waits for a person (the splash for a click): no test may wait on one
    // that it did not ask to see.
    platform::SetModalHandler([](QDialog&) {});
    return RUN_ALL_TESTS();
}
