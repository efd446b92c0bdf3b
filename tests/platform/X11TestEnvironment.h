#pragma once

#include "XvfbServer.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <memory>

namespace scriblo::testing {

// One Xvfb and one Qt application on it for the whole executable: Qt's X11 platform
// cannot move to another server once it has connected.
class X11TestEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        server = std::make_unique<XvfbServer>();
        if (server->display().isEmpty())
            return;
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char name[] = "test";
        static char* argv[] = { name, nullptr };
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override
    {
        application.reset();
        server.reset();
    }
    static bool available() { return instance && instance->application; }

    static inline X11TestEnvironment* instance = nullptr;
    std::unique_ptr<XvfbServer> server;
    std::unique_ptr<QGuiApplication> application;
};

}

// Skips the current test, with the reason, when no X server could be started.
#define SKIP_WITHOUT_X_SERVER()                                                                  \
    if (!scriblo::testing::X11TestEnvironment::available())                                      \
    GTEST_SKIP() << "Xvfb could not start; install the xvfb package to run the X11 tests"
