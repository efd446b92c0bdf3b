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
    // Qt keeps a named connection after its bus is gone and hands it out again for the
    // same name, dead: the next test's calls on it would abort in libdbus.
    void TearDown() override
    {
        for (const QString& name : m_names)
            QDBusConnection::disconnectFromBus(name);
        Base::TearDown();
    }
    // Services and clients use separate connections, as separate processes would.
    QDBusConnection connect(const QString& name)
    {
        m_names.append(name);
        return QDBusConnection::connectToBus(bus.address(), name);
    }

    PrivateSessionBus bus;

private:
    QStringList m_names;
};

}
