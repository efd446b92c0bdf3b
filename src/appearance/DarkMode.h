#pragma once

#include <QObject>

namespace scriblo {

// Whether the desktop shows its dark appearance, for the whole process. It starts false
// and stays false until something that watches the desktop says otherwise, so a session
// without that service simply looks light.
class DarkMode : public QObject {
    Q_OBJECT
public:
    // Safe from any thread: painting code asks on every draw.
    static bool isDark();
    // Call on the main thread. `darkChanged` fires only on a real change, so a watcher may
    // pass on every notice it gets.
    static void setDark(bool dark);
    // The object to connect to, made on first use.
    static DarkMode& notifier();

Q_SIGNALS:
    void darkChanged(bool dark);

private:
    DarkMode() = default;
};

}
