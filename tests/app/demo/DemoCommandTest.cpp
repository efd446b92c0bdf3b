#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString program = QStringLiteral(SCRIBLO_BINARY_DIR "/scriblo");

// The steps in the order they must be told; each a line's beginning.
const QStringList narration {
    "start pattern seen: four-finger tap",
    "recognition window shown at ",
    "partial match: Lock Screen (score ",
    "strokes captured: 1",
    "final match: Lock Screen (score ",
    "would launch: run program ",
    "dry run: nothing was started",
    "setup window shown",
    "segment: Applications",
    "segment: Web Pages",
    "segment: Utilities",
    "segment: System",
    "segment: Scripts",
    "notice shown: Custom Scripts",
    "notice dismissed with Cool!",
    "drawing with the mouse",
    "selected: Log Out",
    "assign pressed",
    "assigned gesture to Log Out",
    "replaying",
    "selected: Suspend",
    "look-alike: This looks like the gesture for Log Out (",
    "selected: Log Out",
    "add drawing pressed",
    "drawings of the gesture: 2",
    "gesture sheet shown: 5 gestures",
    "searched for trash: 1 gesture",
    "last drawing shown: It launched Lock Screen (",
    "import preview: 1 to add, 1 to replace, 1 to skip. Look-alikes of another target's gesture: 2.",
    "screenshots in ",
};

class DemoCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
            GTEST_SKIP() << "Xvfb is not installed (Debian package xvfb); the demonstration cannot run";
        ASSERT_TRUE(temporary.isValid() && screenshots.isValid());
        // The demonstration's throw-away home is made here, so a leftover is seen.
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), temporary.path());
        // The narration names what the windows show, so the tour runs in English here
        // whatever language the machine speaks.
        environment.remove(QStringLiteral("LC_ALL"));
        environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
        demo.setProcessEnvironment(environment);
    }

    void start()
    {
        demo.start(program, { QStringLiteral("demo"), QStringLiteral("--screenshots"), screenshots.path() });
        ASSERT_TRUE(demo.waitForStarted());
    }

    QStringList leftovers() const { return QDir(temporary.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    QTemporaryDir temporary;
    QTemporaryDir screenshots;
    QProcess demo;
};

bool allOneColour(const QImage& image)
{
    QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) {
            if (image.pixel(x, y) != first)
                return false;
        }
    }
    return true;
}

}

TEST_F(DemoCommandTest, tellsEveryStepInOrderKeepsRealScreenshotsAndLeavesNothingBehind)
{
    start();
    ASSERT_TRUE(demo.waitForFinished(60000)) << "the demonstration must end by itself";
    QString output = QString::fromUtf8(demo.readAllStandardOutput());
    QString errors = QString::fromUtf8(demo.readAllStandardError());
    EXPECT_EQ(demo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(demo.exitCode(), 0) << errors.toStdString();

    QStringList lines = output.split(QLatin1Char('\n'));
    int next = 0;
    for (const QString& step : narration) {
        while (next < lines.size() && !lines[next].startsWith(step))
            ++next;
        ASSERT_LT(next, lines.size()) << "not told, or out of order: " << step.toStdString() << "\n"
                                      << output.toStdString();
        ++next;
    }

    QStringList shots = QDir(screenshots.path()).entryList({ QStringLiteral("*.png") }, QDir::Files, QDir::Name);
    ASSERT_GE(shots.size(), 10) << shots.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(shots.front().startsWith(QStringLiteral("01-recognition-drawing")));
    for (const QString& shot : shots) {
        QImage image(QDir(screenshots.path()).filePath(shot), "PNG");
        ASSERT_FALSE(image.isNull()) << shot.toStdString() << " is not a PNG";
        EXPECT_EQ(image.size(), QSize(1024, 768)) << shot.toStdString();
        EXPECT_FALSE(allOneColour(image)) << shot.toStdString() << " shows nothing";
    }
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(QLatin1Char(' ')).toStdString();
}

TEST_F(DemoCommandTest, anInterruptEndsItWithAFailureAndTheTemporaryHomeGoes)
{
    start();
    QByteArray output;
    while (!output.contains("start pattern seen") && demo.waitForReadyRead(20000))
        output += demo.readAllStandardOutput();
    ASSERT_TRUE(output.contains("start pattern seen")) << output.constData();
    kill(pid_t(demo.processId()), SIGINT);
    ASSERT_TRUE(demo.waitForFinished(15000));
    EXPECT_EQ(demo.exitCode(), 1);
    EXPECT_TRUE(demo.readAllStandardError().contains("interrupted"));
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(QLatin1Char(' ')).toStdString();
}
