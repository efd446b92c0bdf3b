#include "app/demo/DemoSamples.h"
#include "app/demo/DesktopHand.h"
#include "platform/FakeSettingsPortal.h"
#include "setup/StatusNotifierWatcherStandIn.h"
#include "support/DesktopSessionTest.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

using scriblo::DesktopHand;
using scriblo::ScreenRect;
using scriblo::DemoSamples::zigzag;
using namespace scriblo::testing;

namespace {

// The panel along the top edge, mid-grey so that both the icon and its inverted copy stand out.
const ScreenRect panel { 0, 0, 1024, 32 };
const QString& watcherService = StatusNotifierWatcherStandIn::service;
const QString itemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString symbolicIconName = QStringLiteral("org.scriblo.Scriblo-symbolic");
const QString setupWindowTitle = QStringLiteral("Scriblo Setup");
constexpr uint lightScheme = 0;
constexpr uint darkScheme = 1;

// What a host is given to draw: the theme name, and whether the largest of the pixmaps
// has light strokes, as the icon inverted for a dark panel has.
struct PublishedIcon {
    QString name;
    bool lightStrokes = false;
};

// The brightest opaque pixel of the largest pixmap decides; each pixel is ARGB in network
// byte order.
bool largestHasLightStrokes(const QVariant& pixmaps)
{
    int largestWidth = 0;
    int brightest = -1;
    const QDBusArgument argument = pixmaps.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        int width = 0;
        int height = 0;
        QByteArray argb;
        argument.beginStructure();
        argument >> width >> height >> argb;
        argument.endStructure();
        if (width <= largestWidth || argb.size() != qsizetype(width) * height * 4)
            continue;
        largestWidth = width;
        brightest = -1;
        for (qsizetype pixel = 0; pixel < argb.size(); pixel += 4)
            if (uchar(argb[pixel]) == 255)
                brightest = std::max(brightest, qGray(uchar(argb[pixel + 1]), uchar(argb[pixel + 2]), uchar(argb[pixel + 3])));
    }
    argument.endArray();
    return brightest > 128;
}

bool overlaps(const ScreenRect& a, const ScreenRect& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Windows as the X server has them, embedded ones included, by name: where each is on the screen.
std::vector<std::pair<QString, ScreenRect>> windows()
{
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"), { QStringLiteral("-root"), QStringLiteral("-tree") });
    xwininfo.waitForFinished(5000);
    static const QRegularExpression line(QString::fromLatin1(R"re(0x[0-9a-f]+ "([^"]*)": \([^)]*\)\s+(\d+)x(\d+)\S*\s+\+(-?\d+)\+(-?\d+))re"));
    std::vector<std::pair<QString, ScreenRect>> found;
    for (const auto& match : line.globalMatch(QString::fromLocal8Bit(xwininfo.readAllStandardOutput())))
        found.push_back({ match.captured(1), { match.captured(4).toInt(), match.captured(5).toInt(),
                                               match.captured(2).toInt(), match.captured(3).toInt() } });
    return found;
}

// xfce4-panel with its systray plugin alone on a panel along the top, in a home of its
// own; the plugin is a StatusNotifierItem host and an XEmbed tray at once.
class XfcePanel {
public:
    XfcePanel(const QString& display, const QString& busAddress, QDBusConnection bus)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xfce4-panel")).isEmpty())
            return;
        QString config = m_home.filePath(QStringLiteral(".config"));
        QString channels = config + QStringLiteral("/xfce4/xfconf/xfce-perchannel-xml");
        QDir().mkpath(channels);
        QFile layout(channels + QStringLiteral("/xfce4-panel.xml"));
        if (!layout.open(QIODevice::WriteOnly))
            return;
        layout.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="background-style" type="uint" value="1"/>
      <property name="background-rgba" type="array">
        <value type="double" value="0.3"/><value type="double" value="0.3"/>
        <value type="double" value="0.3"/><value type="double" value="1"/>
      </property>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty"><property name="plugin-1" type="string" value="systray"/></property>
</channel>
)");
        layout.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.filePath(QStringLiteral(".cache")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral(".local/share")));
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), installedData());
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        environment.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
        // The settings daemon is started by the bus, which must hand it the panel's home.
        auto update = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                     QStringLiteral("/org/freedesktop/DBus"),
                                                     QStringLiteral("org.freedesktop.DBus"),
                                                     QStringLiteral("UpdateActivationEnvironment"));
        QMap<QString, QString> activation { { QStringLiteral("HOME"), m_home.path() },
                                            { QStringLiteral("XDG_CONFIG_HOME"), config } };
        qDBusRegisterMetaType<QMap<QString, QString>>();
        update << QVariant::fromValue(activation);
        bus.call(update);
        m_panel.setProcessEnvironment(environment);
        // It complains of the missing session manager, which the test does not need.
        m_panel.setStandardErrorFile(QProcess::nullDevice());
        m_panel.setStandardOutputFile(QProcess::nullDevice());
        m_panel.start(QStringLiteral("xfce4-panel"), { QStringLiteral("--disable-wm-check") });
        m_running = m_panel.waitForStarted()
            && processEventsUntil([&] { return bus.interface()->isServiceRegistered(watcherService).value(); }, 15000);
        // A panel that comes up late would take the watcher's name from the stand-in.
        if (!m_running)
            stop();
    }
    ~XfcePanel() { stop(); }
    bool running() const { return m_running; }

    // Where the package puts its data: the icon in every size, by its theme name.
    static QString installedData()
    {
        return QStringLiteral(SCRIBLO_BINARY_DIR "/data:/usr/local/share:/usr/share");
    }

private:
    void stop()
    {
        if (m_panel.state() == QProcess::NotRunning)
            return;
        m_panel.terminate();
        if (!m_panel.waitForFinished(3000))
            m_panel.kill();
    }

    QTemporaryDir m_home;
    QProcess m_panel;
    bool m_running = false;
};

// The tray icon as hosts meet it: its published properties, its place on the panel,
// and the setup window that a click on it opens, on the panel that really draws it.
class TrayEndToEndTest : public DesktopSessionTest {
protected:
    static void SetUpTestSuite()
    {
        startDesktop(QStringLiteral("%1x%2x24").arg(screen.width).arg(screen.height));
        if (!desktopRunning())
            return;
        testBus = new QDBusConnection(QDBusConnection::connectToBus(bus->address(), QStringLiteral("tray-test")));
        xfcePanel = new XfcePanel(server->display(), bus->address(), *testBus);
    }
    static void TearDownTestSuite()
    {
        delete xfcePanel;
        xfcePanel = nullptr;
        if (testBus) {
            QDBusConnection::disconnectFromBus(QStringLiteral("tray-test"));
            delete testBus;
            testBus = nullptr;
        }
        stopDesktop();
    }

    void SetUp() override
    {
        DesktopSessionTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(hand.connected());
        if (!xfcePanel->running())
            standInWatcher = std::make_unique<StatusNotifierWatcherStandIn>(*testBus);
        session->environment().insert(QStringLiteral("XDG_DATA_DIRS"), XfcePanel::installedData());
    }

    void TearDown() override
    {
        DesktopSessionTest::TearDown();
        portal.reset();
        standInWatcher.reset();
    }

    void startWithPortal(uint colorScheme)
    {
        portal = std::make_unique<FakeSettingsPortal>(*testBus, 2, colorScheme);
        ASSERT_NO_FATAL_FAILURE(session->startApplication());
    }

    void switchScheme(uint colorScheme)
    {
        portal->change(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"), colorScheme);
    }

    // The item the host holds now, as "service" and "path".
    std::optional<std::pair<QString, QString>> registeredItem()
    {
        auto get = QDBusMessage::createMethodCall(watcherService, QStringLiteral("/StatusNotifierWatcher"),
                                                  QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << watcherService << QStringLiteral("RegisteredStatusNotifierItems");
        QDBusReply<QDBusVariant> items = testBus->call(get, QDBus::BlockWithGui);
        QStringList list = items.isValid() ? items.value().variant().toStringList() : QStringList();
        if (list.isEmpty())
            return std::nullopt;
        return StatusNotifierWatcherStandIn::serviceAndPath(list.last());
    }

    std::optional<PublishedIcon> published()
    {
        auto item = registeredItem();
        if (!item)
            return std::nullopt;
        auto getAll = QDBusMessage::createMethodCall(item->first, item->second, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("GetAll"));
        getAll << itemInterface;
        QDBusReply<QVariantMap> properties = testBus->call(getAll, QDBus::BlockWithGui);
        if (!properties.isValid())
            return std::nullopt;
        return PublishedIcon { properties.value().value(QStringLiteral("IconName")).toString(),
                               largestHasLightStrokes(properties.value().value(QStringLiteral("IconPixmap"))) };
    }

    // The published icon once `holds` is true of it.
    PublishedIcon publishedOnce(const std::function<bool(const PublishedIcon&)>& holds)
    {
        std::optional<PublishedIcon> icon;
        EXPECT_TRUE(processEventsUntil([&] { return (icon = published()) && holds(*icon); }))
            << "published name: " << (icon ? icon->name.toStdString() : "no item");
        return icon.value_or(PublishedIcon {});
    }

    // Where the panel draws the icon: what differs from the panel's own colour.
    std::optional<ScreenRect> drawnIcon()
    {
        auto pixels = hand.picture(panel);
        unsigned long background = pixels.front();
        int left = panel.width, top = panel.height, right = -1, bottom = -1;
        for (int y = 0; y < panel.height; ++y)
            for (int x = 0; x < panel.width; ++x)
                if (pixels[size_t(y * panel.width + x)] != background) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        if (right < 0)
            return std::nullopt;
        return ScreenRect { panel.x + left, panel.y + top, right - left + 1, bottom - top + 1 };
    }

    std::optional<ScreenRect> window(const QString& name)
    {
        for (const auto& [windowName, rect] : windows())
            if (windowName.compare(name, Qt::CaseInsensitive) == 0 && rect.width > 1)
                return rect;
        return std::nullopt;
    }

    std::optional<ScreenRect> shownSetupWindow()
    {
        auto rect = window(setupWindowTitle);
        if (rect && screen.contains(*rect) && hand.windowMapped(*rect))
            return rect;
        return std::nullopt;
    }

    // A click where the user would make it; the stand-in host passes it on as a host does.
    void clickIcon(int x, int y)
    {
        if (!standInWatcher) {
            hand.click(x, y);
            return;
        }
        hand.moveTo(x, y);
        auto item = registeredItem();
        ASSERT_TRUE(item);
        auto activate = QDBusMessage::createMethodCall(item->first, item->second, itemInterface, QStringLiteral("Activate"));
        activate << x << y;
        testBus->call(activate, QDBus::BlockWithGui);
    }

    static inline QDBusConnection* testBus = nullptr;
    static inline XfcePanel* xfcePanel = nullptr;
    std::unique_ptr<StatusNotifierWatcherStandIn> standInWatcher;
    std::unique_ptr<FakeSettingsPortal> portal;
    // A bus the program may have instead of the suite's; it outlives the program.
    std::unique_ptr<PrivateSessionBus> ownBus;
    DesktopHand hand;
};

}

TEST_F(TrayEndToEndTest, theHostIsGivenTheSymbolicIconInEitherSchemeAndTheWindowOpensClearOfIt)
{
    // A stored gesture keeps the window shut at start, so the first click opens it.
    session->importGesture(session->makeScript(QStringLiteral("Other")), zigzag());
    ASSERT_NO_FATAL_FAILURE(startWithPortal(darkScheme));

    // Installed, the icon has a symbolic name, which a host draws in its own panel's
    // foreground, light or dark; the pixels, for hosts without the name, follow the scheme
    // (how exactly they are inverted is the darkable image's own test).
    PublishedIcon dark = publishedOnce([](const PublishedIcon& icon) { return icon.lightStrokes; });
    EXPECT_EQ(dark.name, symbolicIconName);
    switchScheme(lightScheme);
    PublishedIcon light = publishedOnce([](const PublishedIcon& icon) { return !icon.lightStrokes; });
    EXPECT_EQ(light.name, symbolicIconName);
    std::optional<ScreenRect> icon;
    if (!standInWatcher) {
        ASSERT_TRUE(processEventsUntil([&] { return (icon = drawnIcon()).has_value(); }));
        auto drawnInLight = hand.picture(*icon);
        switchScheme(darkScheme);
        publishedOnce([](const PublishedIcon& published) { return published.lightStrokes; });
        // The panel redraws the icon at the change; what it draws is its own colour.
        EXPECT_FALSE(processEventsUntil([&] { return hand.picture(*icon) != drawnInLight; }, 1500))
            << "the panel draws the symbolic icon in its own colours, whatever the desktop's scheme";
    } else {
        switchScheme(darkScheme);
        icon = ScreenRect { 990, 4, 24, 24 };
    }

    // No host gives the icon's geometry; the window must leave the icon and the point clear.
    const int clickX = icon->centreX();
    const int clickY = icon->y + icon->height - 2;
    ASSERT_NO_FATAL_FAILURE(clickIcon(clickX, clickY));
    std::optional<ScreenRect> opened;
    ASSERT_TRUE(processEventsUntil([&] { return (opened = shownSetupWindow()).has_value(); })) << "a click opens the window";
    EXPECT_FALSE(overlaps(*opened, *icon)) << "the window covers the icon at " << opened->x << "," << opened->y;
    EXPECT_FALSE(overlaps(*opened, panel)) << "the window covers the panel at " << opened->x << "," << opened->y;
    EXPECT_GT(opened->y, clickY);
    // The next click reaches the icon again, and closes the window.
    ASSERT_NO_FATAL_FAILURE(clickIcon(clickX, clickY));
    EXPECT_TRUE(processEventsUntil([&] { return !shownSetupWindow(); })) << "a second click closes the window";
}

TEST_F(TrayEndToEndTest, theWindowOpenedAtStartMovesUnderTheIconOnceAnXEmbedTrayHasIt)
{
    if (standInWatcher)
        GTEST_SKIP() << "no XEmbed tray: xfce4-panel did not start";
    // On a bus of its own the program sees no StatusNotifierItem host and docks in the
    // panel's XEmbed tray instead; with no gesture stored, the window opens at start.
    ownBus = std::make_unique<PrivateSessionBus>();
    ASSERT_FALSE(ownBus->address().isEmpty());
    session->environment().insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), ownBus->address());
    hand.moveTo(screen.width / 2, screen.height - 10);
    ASSERT_NO_FATAL_FAILURE(session->startApplication());

    std::optional<ScreenRect> icon;
    std::optional<ScreenRect> opened;
    ASSERT_TRUE(processEventsUntil([&] {
        // The docked icon's window bears the program's name.
        icon = window(QStringLiteral("Scriblo"));
        opened = shownSetupWindow();
        return icon && panel.contains(*icon) && opened && opened->y == icon->y + icon->height;
    })) << "the window must hang from the docked icon's bottom edge; it is at "
        << (opened ? opened->y : -1) << ", the icon's bottom at " << (icon ? icon->y + icon->height : -1);
    int centred = std::clamp(icon->centreX() - opened->width / 2, 0, screen.width - opened->width);
    EXPECT_NEAR(opened->x, centred, 1);
}
