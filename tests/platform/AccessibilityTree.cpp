#include "platform/AccessibilityTree.h"

#include "support/QtTestApplication.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace scriblo::testing {

namespace {

const QString registry = QStringLiteral("org.a11y.atspi.Registry");
const QString rootPath = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString accessibleInterface = QStringLiteral("org.a11y.atspi.Accessible");
const QString connectionName = QStringLiteral("accessibility-tree");
constexpr int replyTimeoutMilliseconds = 2000;

// A reference to an object: the bus name of its application and its path there.
std::vector<std::pair<QString, QString>> objectReferences(const QVariant& value)
{
    std::vector<std::pair<QString, QString>> references;
    const QDBusArgument argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        QString service;
        QDBusObjectPath path;
        argument.beginStructure();
        argument >> service >> path;
        argument.endStructure();
        references.emplace_back(service, path.path());
    }
    argument.endArray();
    return references;
}

}

AccessibleObject::AccessibleObject(QDBusConnection bus, QString service, QString path)
    : m_bus(std::move(bus))
    , m_service(std::move(service))
    , m_path(std::move(path))
{
}

QVariant AccessibleObject::answer(const QString& interface, const QString& method, const QVariantList& arguments) const
{
    auto message = QDBusMessage::createMethodCall(m_service, m_path, interface, method);
    message.setArguments(arguments);
    QDBusMessage reply = m_bus.call(message, QDBus::Block, replyTimeoutMilliseconds);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().front();
}

QVariant AccessibleObject::property(const QString& interface, const QString& name) const
{
    return answer(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"), { interface, name })
        .value<QDBusVariant>()
        .variant();
}

QString AccessibleObject::name() const
{
    return property(accessibleInterface, QStringLiteral("Name")).toString();
}

QString AccessibleObject::description() const
{
    return property(accessibleInterface, QStringLiteral("Description")).toString();
}

QString AccessibleObject::roleName() const
{
    return answer(accessibleInterface, QStringLiteral("GetRoleName")).toString();
}

bool AccessibleObject::has(AccessibleState state) const
{
    auto words = qdbus_cast<QList<uint>>(answer(accessibleInterface, QStringLiteral("GetState")));
    auto bit = unsigned(state);
    return qsizetype(bit / 32) < words.size() && (words[bit / 32] >> (bit % 32)) & 1;
}

std::vector<AccessibleObject> AccessibleObject::children() const
{
    std::vector<AccessibleObject> children;
    QVariant references = answer(accessibleInterface, QStringLiteral("GetChildren"));
    if (!references.isValid())
        return children;
    for (auto& [service, path] : objectReferences(references))
        children.emplace_back(m_bus, service, path);
    return children;
}

std::optional<AccessibleObject> AccessibleObject::find(const QString& name, const QString& roleName) const
{
    for (const AccessibleObject& child : children()) {
        if (child.name() == name && (roleName.isEmpty() || child.roleName() == roleName))
            return child;
        if (auto below = child.find(name, roleName))
            return below;
    }
    return std::nullopt;
}

ScreenRect AccessibleObject::extents() const
{
    constexpr uint screenCoordinates = 0;
    QVariant extents = answer(QStringLiteral("org.a11y.atspi.Component"), QStringLiteral("GetExtents"),
                              { QVariant::fromValue(screenCoordinates) });
    ScreenRect rect;
    if (!extents.isValid())
        return rect;
    const QDBusArgument argument = extents.value<QDBusArgument>();
    argument.beginStructure();
    argument >> rect.x >> rect.y >> rect.width >> rect.height;
    argument.endStructure();
    return rect;
}

bool AccessibleObject::doAction() const
{
    return answer(QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("DoAction"), { 0 }).toBool();
}

QString AccessibleObject::text() const
{
    return answer(QStringLiteral("org.a11y.atspi.Text"), QStringLiteral("GetText"), { 0, -1 }).toString();
}

bool AccessibleObject::setText(const QString& text) const
{
    return answer(QStringLiteral("org.a11y.atspi.EditableText"), QStringLiteral("SetTextContents"), { text }).toBool();
}

AccessibilityTree::AccessibilityTree(const QString& accessibilityBusAddress)
    : m_bus(QDBusConnection::connectToBus(accessibilityBusAddress, connectionName))
{
}

AccessibilityTree::~AccessibilityTree()
{
    QDBusConnection::disconnectFromBus(connectionName);
}

std::optional<AccessibleObject> AccessibilityTree::application(const QString& name, int timeoutMilliseconds) const
{
    AccessibleObject root(m_bus, registry, rootPath);
    std::optional<AccessibleObject> found;
    processEventsUntil([&] {
        for (const AccessibleObject& application : root.children())
            if (application.name() == name)
                found = application;
        return found.has_value();
    }, timeoutMilliseconds);
    return found;
}

std::optional<AccessibleObject> AccessibilityTree::waitFor(const AccessibleObject& root, const QString& name,
                                                           const QString& roleName, int timeoutMilliseconds) const
{
    std::optional<AccessibleObject> found;
    processEventsUntil([&] { return (found = root.find(name, roleName)).has_value(); }, timeoutMilliseconds);
    return found;
}

}
