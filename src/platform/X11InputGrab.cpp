#include "platform/X11InputGrab.h"

namespace scriblo {

X11InputGrab::X11InputGrab(QObject* parent)
    : QObject(parent)
{
    m_retry.setInterval(retryIntervalMilliseconds);
    connect(&m_retry, &QTimer::timeout, this, &X11InputGrab::tryGrab);
}

void X11InputGrab::grab(QWindow* window)
{
    release();
    m_window = window;
    m_attemptsLeft = attempts;
    tryGrab();
}

void X11InputGrab::tryGrab()
{
    if (!m_window) {
        m_retry.stop();
        return;
    }
    // Qt's grabs on X11 are real server grabs and answer whether the server agreed;
    // one that already holds is not asked again.
    m_keyboard = m_keyboard || m_window->setKeyboardGrabEnabled(true);
    m_pointer = m_pointer || m_window->setMouseGrabEnabled(true);
    --m_attemptsLeft;
    if (isHeld() || m_attemptsLeft <= 0) {
        m_retry.stop();
        if (!isHeld())
            Q_EMIT grabRefused();
        return;
    }
    if (!m_retry.isActive())
        m_retry.start();
}

void X11InputGrab::release()
{
    m_retry.stop();
    if (m_window) {
        if (m_keyboard)
            m_window->setKeyboardGrabEnabled(false);
        if (m_pointer)
            m_window->setMouseGrabEnabled(false);
    }
    m_keyboard = m_pointer = false;
    m_window = nullptr;
}

}
