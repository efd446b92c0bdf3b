#include "app/demo/PrivateXServer.h"
#include "support/QtTestApplication.h"

#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace scriblo;

namespace {

QString lockFile(int number)
{
    return QStringLiteral("/tmp/.X%1-lock").arg(number);
}

// The ID of a process that has ended, as a killed server's lock file names it.
pid_t endedProcess()
{
    pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

}

// Killed servers leave lock files behind; once enough had piled up in /tmp, every number
// tried looked taken and the end-to-end tests skipped themselves.
TEST(PrivateXServerTest, startsOverLockFilesOfEndedServersAndLeavesNoneBehind)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb)";
    scriblo::testing::ensureCoreApplication();
    QByteArray stale = QByteArray::number(endedProcess()).rightJustified(10, ' ') + '\n';
    std::vector<int> planted;
    for (int number = 100; number < 900; ++number) {
        QFile lock(lockFile(number));
        if (!lock.exists() && lock.open(QIODevice::WriteOnly) && lock.write(stale) == stale.size())
            planted.push_back(number);
    }

    auto server = PrivateXServer::start(QStringLiteral("320x240x24"));
    ASSERT_TRUE(server) << server.error();
    int number = (*server)->display().mid(1).toInt();
    EXPECT_TRUE(QFile::exists(lockFile(number)));
    server->reset();
    EXPECT_FALSE(QFile::exists(lockFile(number))) << "an ended server leaves its lock file";

    for (int planted : planted) {
        QFile lock(lockFile(planted));
        if (lock.open(QIODevice::ReadOnly) && lock.readAll() == stale)
            QFile::remove(lockFile(planted));
    }
}
