// The main of every window test: Qt on the offscreen platform, GoogleTest for
// the rest. Tests that need the application object get it from
// window_application.cpp; start-up tests make their own.
//
// The offscreen platform gets two screens: the primary one, 1280x1024 at 100%,
// where windows open as on a common desktop, and beside it a 1280x1024 screen
// at 200% (640x512 in the window's own pixels), on which a window placed there
// must fit.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtGlobal>

int main(int argc, char** argv) {
    // Qt's settings of the user running the tests stay out of them, and the
    // tests' out of the user's: a file dialog opens where the last one was
    // left, and one left in /proc by another program made a test hang.
    QTemporaryDir settings;
    if (!settings.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    // In the working folder: the platform's options are separated by ':', so
    // its name must hold none (as Windows' C:\ would).
    QTemporaryFile screens("screens-XXXXXX.json");
    if (!screens.open()) return 1;
    screens.write(R"({"screens": [
        {"name": "Desktop", "x": 0, "y": 0, "width": 1280, "height": 1024},
        {"name": "Laptop200", "x": 1280, "y": 0, "width": 1280, "height": 1024,
         "logicalDpi": 192, "logicalBaseDpi": 96}
    ]})");
    screens.close();
    qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" +
                QDir::current().relativeFilePath(screens.fileName()).toLocal8Bit());
    // No desktop theme, so that the file dialogs are Qt's own, which the tests drive.
    qunsetenv("QT_QPA_PLATFORMTHEME");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
