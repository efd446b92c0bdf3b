#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace scriblo {

// Keyboard and pointer grabbed by one window, so input goes to it whatever the window
// manager thinks of focus. Another program may hold a grab for a moment (a menu closing,
// a key held by a shortcut daemon), so a refused grab is tried again a few times.
class X11InputGrab final : public QObject {
    Q_OBJECT
public:
    static constexpr int retryIntervalMilliseconds = 20;
    static constexpr int attempts = 6;

    explicit X11InputGrab(QObject* parent = nullptr);
    void grab(QWindow* window);
    void release();
    bool isHeld() const { return m_keyboard && m_pointer; }

Q_SIGNALS:
    // Every attempt was refused; the capture goes on without exclusivity.
    void grabRefused();

private:
    void tryGrab();

    QPointer<QWindow> m_window;
    QTimer m_retry;
    int m_attemptsLeft = 0;
    bool m_keyboard = false;
    bool m_pointer = false;
};

}
