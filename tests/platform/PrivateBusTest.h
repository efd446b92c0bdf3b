#pragma once

#include "PrivateSessionBus.h"
#include "support/QtTestApplication.h"

#include <QDBusConnection>
#include <gtest/gtest.h>

namespace scriblo::testing {

// A fixture whose services and clients meet on a bus of the test's own; the test is
// skipped where dbus-daemon cannot start one.
template <typename Base = ::testing::Test>
class PrivateBusTest : public Base {
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        if (bus.address().isEmpty())
            GTEST_SKIP() << "dbus-daemon could not start a private bus";
    }
    // Services and clients use separate connections, as separate processes would.
    QDBusConnection connect(const QString& name) { return QDBusConnection::connectToBus(bus.address(), name); }

    PrivateSessionBus bus;
};

}
