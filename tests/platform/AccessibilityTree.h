#pragma once

#include "platform/ScreenRect.h"

#include <QDBusConnection>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace scriblo::testing {

// The states of AT-SPI that the tests read, numbered as the protocol numbers its bits.
enum class AccessibleState {
    Enabled = 8,
    Focused = 12,
    Selected = 23,
    Showing = 25,
};

// One object of an application's accessibility tree, read and driven over the
// accessibility bus as a screen reader would. Every call asks the application afresh,
// since its toolkit builds the tree lazily and changes it as windows come and go.
class AccessibleObject {
public:
    AccessibleObject(QDBusConnection bus, QString service, QString path);

    QString name() const;
    QString description() const;
    // As the protocol names roles: "push button", "list item", "text", "alert message".
    QString roleName() const;
    bool has(AccessibleState state) const;
    std::vector<AccessibleObject> children() const;
    // Depth first, the first object below this one with that name and, when given, role.
    std::optional<AccessibleObject> find(const QString& name, const QString& roleName = {}) const;

    // In screen coordinates.
    ScreenRect extents() const;
    // The object's first action: a button's press, a check box's toggle.
    bool doAction() const;
    QString text() const;
    // Replaces an editable text's contents, as a screen reader's text entry does.
    bool setText(const QString& text) const;

private:
    // The first value of the reply to a call, or an invalid one when no reply with a value came.
    QVariant answer(const QString& interface, const QString& method, const QVariantList& arguments = {}) const;
    QVariant property(const QString& interface, const QString& name) const;

    QDBusConnection m_bus;
    QString m_service;
    QString m_path;
};

// The accessibility bus's registry, from which the running applications are found.
class AccessibilityTree {
public:
    explicit AccessibilityTree(const QString& accessibilityBusAddress);
    ~AccessibilityTree();
    bool connected() const { return m_bus.isConnected(); }

    // Polls until an application of that name has registered or the time is up.
    std::optional<AccessibleObject> application(const QString& name, int timeoutMilliseconds = 5000) const;
    // Polls until an object of that name and role shows below `root`, or the time is up.
    std::optional<AccessibleObject> waitFor(const AccessibleObject& root, const QString& name,
                                            const QString& roleName = {}, int timeoutMilliseconds = 5000) const;

private:
    QDBusConnection m_bus;
};

}
