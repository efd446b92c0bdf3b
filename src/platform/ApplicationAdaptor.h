#pragma once

#include <QDBusAbstractAdaptor>
#include <QStringList>
#include <QVariantMap>

namespace scriblo {

class SingleInstance;

// The freedesktop application interface on the running instance, which launchers and a
// second start use to bring it forward.
class ApplicationAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(SingleInstance* instance);

public Q_SLOTS:
    void Activate(const QVariantMap& platformData);
    // Scriblo opens no documents; being asked to is still a request to come forward.
    void Open(const QStringList& uris, const QVariantMap& platformData);
    // Scriblo declares no actions, so none can be asked for by name.
    void ActivateAction(const QString& name, const QVariantList& parameter, const QVariantMap& platformData);

private:
    SingleInstance* m_instance;
};

}
