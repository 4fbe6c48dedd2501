// The main of every window test: Qt on the offscreen platform, GoogleTest for
// the rest. Tests that need the application object get it from
// window_application.cpp; start-up tests make their own.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
