#pragma once

#include "base/Expected.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;
struct _XDisplay;
union _XEvent;

namespace scriblo {

// A connection of our own to the X server, read through the event loop when the server
// has something to say, so watching costs nothing while nothing happens.
class X11Connection final : public QObject {
    Q_OBJECT
public:
    using EventHandler = std::function<void(_XEvent& event)>;

    // Fails when no X server can be reached, saying which display was tried.
    static Expected<std::unique_ptr<X11Connection>> open(QObject* parent = nullptr);
    // Fails, saying why, when no X server can be reached; makes no connection object
    // (which needs a running Qt application).
    static Expected<Done> checkDisplay();
    ~X11Connection() override;

    _XDisplay* display() const { return m_display; }
    unsigned long rootWindow() const;
    // Every event read from now on goes to `handler`.
    void setEventHandler(EventHandler handler);

private:
    X11Connection(_XDisplay* display, QObject* parent);
    void readEvents();

    _XDisplay* m_display;
    QSocketNotifier* m_notifier;
    EventHandler m_handler;
};

}
