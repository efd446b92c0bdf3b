#pragma once

#include <QObject>

#include <functional>

namespace scriblo {

// Calls back when the machine wakes (logind's PrepareForSleep with false on the system
// bus). Without a system bus it stays silent.
class LogindSleepWatcher : public QObject {
    Q_OBJECT

public:
    LogindSleepWatcher(std::function<void()> onWake, QObject* parent);

private Q_SLOTS:
    void prepareForSleep(bool sleeping);

private:
    std::function<void()> m_onWake;
};

}
