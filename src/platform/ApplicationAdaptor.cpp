#include "platform/ApplicationAdaptor.h"

#include "platform/SingleInstance.h"

#include <QLoggingCategory>

namespace scriblo {

Q_LOGGING_CATEGORY(applicationBus, "scriblo.application.bus")

ApplicationAdaptor::ApplicationAdaptor(SingleInstance* instance)
    : QDBusAbstractAdaptor(instance)
    , m_instance(instance)
{
}

void ApplicationAdaptor::Activate(const QVariantMap&)
{
    Q_EMIT m_instance->reopen();
}

void ApplicationAdaptor::Open(const QStringList&, const QVariantMap&)
{
    Q_EMIT m_instance->reopen();
}

void ApplicationAdaptor::ActivateAction(const QString& name, const QVariantList&, const QVariantMap&)
{
    qCInfo(applicationBus).noquote() << "Ignored a request for the unknown action" << name;
}

}
