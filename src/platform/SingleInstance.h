#pragma once

#include "base/Expected.h"

#include <QObject>

namespace scriblo {

// Keeps one Scriblo running per user session: a later start hands itself over to the
// running one, which then reopens (shows or hides its setup window).
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        // No other instance runs; this one carries on and hears later starts as reopen().
        First,
        // Another instance runs and has been told; this process should exit with status 0.
        Second,
    };

    using QObject::QObject;
    // A failure says why the check could not be made; the caller runs anyway.
    virtual Expected<Role> claim() = 0;

Q_SIGNALS:
    void reopen();
};

}
