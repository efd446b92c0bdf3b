#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QVariantMap>

#include <map>
#include <optional>

namespace scriblo::testing {

// The tray icon's menu as a StatusNotifierItem host reaches it, over the dbusmenu
// interface the item names: the host announces that the menu opens, reads its entries
// and sends a click to one, and the program cannot tell it from a real panel.
class TrayMenu {
public:
    struct Entry {
        int id;
        bool checked;
    };

    // `item` is the item's "service/path" as the watcher lists it.
    TrayMenu(QDBusConnection bus, const QString& item)
        : m_bus(std::move(bus))
    {
        qsizetype slash = item.indexOf(QLatin1Char('/'));
        QString service = slash < 0 ? item : item.left(slash);
        QString path = slash < 0 ? QStringLiteral("/StatusNotifierItem") : item.mid(slash);
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

    // The entries by label, read afresh after telling the program the menu opens.
    std::map<QString, Entry> entries()
    {
        call(QStringLiteral("AboutToShow"), { 0 });
        QDBusMessage layout = call(QStringLiteral("GetLayout"), { 0, -1, QStringList() });
        std::map<QString, Entry> found;
        if (layout.type() == QDBusMessage::ReplyMessage && layout.arguments().size() == 2)
            collect(layout.arguments().at(1).value<QDBusArgument>(), found);
        return found;
    }

    // Clicks the entry with that label; false when there is none.
    bool click(const QString& label)
    {
        auto all = entries();
        auto entry = all.find(label);
        if (entry == all.end())
            return false;
        QDBusMessage reply = call(QStringLiteral("Event"), { entry->second.id, QStringLiteral("clicked"),
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
    static void collect(const QDBusArgument& argument, std::map<QString, Entry>& found)
    {
        int id = 0;
        QVariantMap properties;
        argument.beginStructure();
        argument >> id >> properties;
        argument.beginArray();
        while (!argument.atEnd()) {
            QDBusVariant child;
            argument >> child;
            collect(child.variant().value<QDBusArgument>(), found);
        }
        argument.endArray();
        argument.endStructure();
        if (properties.contains(QStringLiteral("label")))
            found[withoutMnemonic(properties.value(QStringLiteral("label")).toString())] = {
                id, properties.value(QStringLiteral("toggle-state")).toInt() == 1 };
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
