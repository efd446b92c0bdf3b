// Runs the single-instance check the way the application does and says what came of
// it on standard output, so a test can start it twice against one bus.
#include "platform/DBusSingleInstance.h"

#include <QCoreApplication>

#include <iostream>

using namespace scriblo;

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    DBusSingleInstance instance(QDBusConnection::sessionBus());
    auto role = instance.claim();
    if (!role) {
        std::cerr << role.error() << std::endl;
        std::cout << "unchecked" << std::endl;
        return 0;
    }
    if (*role == SingleInstance::Role::Second) {
        std::cout << "second" << std::endl;
        return 0;
    }
    QObject::connect(&instance, &SingleInstance::reopen, [] { std::cout << "reopen" << std::endl; });
    std::cout << "first" << std::endl;
    return application.exec();
}
