#pragma once

#include "setup/StatusNotifierWatcherStandIn.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QVariantMap>

#include <map>

namespace scriblo::testing {

// The tray icon's menu as a StatusNotifierItem host reaches it, over the dbusmenu
// interface the item names: the host announces that the menu opens, reads its entries
// and sends a click to one, and the program cannot tell it from a real panel.
class TrayMenu {
public:
    // `item` is the item's "service/path" as the watcher lists it.
    TrayMenu(QDBusConnection bus, const QString& item)
        : m_bus(std::move(bus))
    {
        auto [service, path] = StatusNotifierWatcherStandIn::serviceAndPath(item);
        auto get = QDBusMessage::createMethodCall(service, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                  QStringLiteral("Get"));
        get << QStringLiteral("org.kde.StatusNotifierItem") << QStringLiteral("Menu");
        QDBusReply<QDBusVariant> menu = m_bus.call(get, QDBus::BlockWithGui);
        if (menu.isValid()) {
            m_service = service;
            m_path = menu.value().variant().value<QDBusObjectPath>().path();
        }
    }

    bool valid() const { return !m_path.isEmpty(); }

    // Clicks the entry with that label, read afresh after telling the program the menu
    // opens; false when there is none.
    bool click(const QString& label)
    {
        call(QStringLiteral("AboutToShow"), { 0 });
        QDBusMessage layout = call(QStringLiteral("GetLayout"), { 0, -1, QStringList() });
        std::map<QString, int> ids;
        if (layout.type() == QDBusMessage::ReplyMessage && layout.arguments().size() == 2)
            collect(layout.arguments().at(1).value<QDBusArgument>(), ids);
        auto entry = ids.find(label);
        if (entry == ids.end())
            return false;
        QDBusMessage reply = call(QStringLiteral("Event"), { entry->second, QStringLiteral("clicked"),
                                                             QVariant::fromValue(QDBusVariant(0)), 0u });
        return reply.type() == QDBusMessage::ReplyMessage;
    }

private:
    QDBusMessage call(const QString& method, const QVariantList& arguments)
    {
        auto message = QDBusMessage::createMethodCall(m_service, m_path, QStringLiteral("com.canonical.dbusmenu"), method);
        message.setArguments(arguments);
        return m_bus.call(message, QDBus::BlockWithGui);
    }

    // An entry is (id, properties, children), each child a variant of the same.
    static void collect(const QDBusArgument& argument, std::map<QString, int>& ids)
    {
        int id = 0;
        QVariantMap properties;
        argument.beginStructure();
        argument >> id >> properties;
        argument.beginArray();
        while (!argument.atEnd()) {
            QDBusVariant child;
            argument >> child;
            collect(child.variant().value<QDBusArgument>(), ids);
        }
        argument.endArray();
        argument.endStructure();
        if (properties.contains(QStringLiteral("label")))
            ids[withoutMnemonic(properties.value(QStringLiteral("label")).toString())] = id;
    }

    // dbusmenu marks a mnemonic with "_" and writes a real underscore as "__".
    static QString withoutMnemonic(const QString& label)
    {
        QString text;
        for (qsizetype index = 0; index < label.size(); ++index) {
            if (label[index] == QLatin1Char('_') && ++index == label.size())
                break;
            text += label[index];
        }
        return text;
    }

    QDBusConnection m_bus;
    QString m_service;
    QString m_path;
};

}
