#include "PrivateBusTest.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

using namespace scriblo::testing;

namespace {

class SingleInstanceTest : public PrivateBusTest<> {
protected:
    void startProbe(QProcess& probe, const QString& busAddress)
    {
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        probe.setProcessEnvironment(environment);
        probe.start(QStringLiteral(SCRIBLO_BINARY_DIR "/tests/platform/single_instance_probe"), {});
        ASSERT_TRUE(probe.waitForStarted());
    }
    static QString nextLine(QProcess& probe)
    {
        if (!probe.canReadLine())
            probe.waitForReadyRead(5000);
        return QString::fromUtf8(probe.readLine()).trimmed();
    }
};

}

TEST_F(SingleInstanceTest, aSecondStartReopensTheFirstAndLeavesItRunning)
{
    QProcess first, second, third;
    startProbe(first, bus.address());
    ASSERT_EQ(nextLine(first), "first");

    startProbe(second, bus.address());
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(second.readAllStandardOutput()).trimmed(), "second");
    EXPECT_EQ(nextLine(first), "reopen");

    startProbe(third, bus.address());
    ASSERT_TRUE(third.waitForFinished(10000));
    EXPECT_EQ(nextLine(first), "reopen") << "every later start reopens, not only the first";
    EXPECT_EQ(first.state(), QProcess::Running);

    // The bus frees the name when its owner dies, so a crash leaves no stale lock.
    first.kill();
    first.waitForFinished();
    QProcess successor;
    startProbe(successor, bus.address());
    EXPECT_EQ(nextLine(successor), "first");
    successor.kill();
    successor.waitForFinished();
}

TEST_F(SingleInstanceTest, withoutASessionBusItSaysSoAndRunsAnyway)
{
    QProcess lonely;
    startProbe(lonely, QStringLiteral("unix:path=/nonexistent/scriblo-bus"));
    ASSERT_TRUE(lonely.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(lonely.readAllStandardOutput()).trimmed(), "unchecked");
    EXPECT_TRUE(lonely.readAllStandardError().contains("session bus"));
}
