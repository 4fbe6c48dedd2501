// The main of every window test: Qt on the offscreen platform, one
// application object for the whole run, GoogleTest for the rest.

#include <gtest/gtest.h>

#include <QtGlobal>

#include "platform/Application.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    TApplication application;
    Application->Initialize();
    return RUN_ALL_TESTS();
}
