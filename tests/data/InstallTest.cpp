#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The build's install rules and `make uninstall`'s script, run into a throw-away DESTDIR
// as `make install` and `make uninstall` run them.
class InstallTest : public ::testing::Test {
protected:
    void run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), m_root.path());
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    }
    void install(const QString& prefix)
    {
        run(QStringLiteral(SCRIBLO_CMAKE), { QStringLiteral("--install"), QStringLiteral(SCRIBLO_BINARY_DIR),
                                             QStringLiteral("--prefix"), prefix });
    }
    void uninstall(const QString& prefix)
    {
        run(QStringLiteral(SCRIBLO_SOURCE_DIR "/scripts/uninstall.sh"), { QStringLiteral(SCRIBLO_BINARY_DIR), prefix });
    }
    bool installed(const QString& path) const { return QFileInfo::exists(m_root.path() + path); }
    QStringList filesLeft() const
    {
        QStringList files;
        for (QDirIterator it(m_root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
            files << it.next();
        return files;
    }

    QTemporaryDir m_root;
};

}

TEST_F(InstallTest, underUsrEverythingGoesWhereThePackageHasIt)
{
    ASSERT_NO_FATAL_FAILURE(install(QStringLiteral("/usr")));
    EXPECT_TRUE(installed(QStringLiteral("/usr/lib/udev/rules.d/70-scriblo-touchpad.rules")));
    EXPECT_TRUE(installed(QStringLiteral("/usr/share/man/man1/scriblo.1.gz")));
    for (const char* language : { "de", "es", "fr" })
        EXPECT_TRUE(installed(QStringLiteral("/usr/share/scriblo/translations/scriblo_%1.qm").arg(QLatin1String(language))))
            << language;
}

TEST_F(InstallTest, elsewhereTheRuleGoesWhereUdevReadsItAndUninstallTakesEverythingBack)
{
    ASSERT_NO_FATAL_FAILURE(install(QStringLiteral("/usr/local")));
    EXPECT_TRUE(installed(QStringLiteral("/etc/udev/rules.d/70-scriblo-touchpad.rules")));
    EXPECT_FALSE(installed(QStringLiteral("/usr/local/lib/udev")));
    EXPECT_TRUE(installed(QStringLiteral("/usr/local/bin/scriblo")));
    ASSERT_NO_FATAL_FAILURE(uninstall(QStringLiteral("/usr/local")));
    EXPECT_EQ(filesLeft(), QStringList());
    EXPECT_FALSE(installed(QStringLiteral("/usr/local/share/scriblo"))) << "Scriblo's own folders go too";
}
