#pragma once

#include "app/demo/PrivateXServer.h"
#include "platform/OpenboxWindowManager.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace scriblo::testing {

// A desktop with no screen of its own for the real program to run in: a Wayland
// compositor with XWayland beside it, as a user's Wayland session has them, or a plain
// X server under openbox, an X11 session without a compositor.
class HeadlessCompositor {
public:
    enum class Kind { X11, Weston, Mutter };

    // Mutter also wants a session bus for its own services.
    HeadlessCompositor(Kind kind, const QString& busAddress);
    ~HeadlessCompositor();
    HeadlessCompositor(const HeadlessCompositor&) = delete;
    HeadlessCompositor& operator=(const HeadlessCompositor&) = delete;

    // Empty when it started; otherwise why not, in a line.
    const QString& failure() const { return m_failure; }
    QString name() const { return kindName(m_kind); }
    // "x11", "weston" or "mutter".
    static QString kindName(Kind kind);
    bool wayland() const { return m_kind != Kind::X11; }
    // The X display the program uses (XWayland's, in a Wayland session), the Wayland
    // socket's name and the folder the socket lies in.
    const QString& xDisplay() const { return m_xDisplay; }
    const QString& waylandDisplay() const { return m_waylandDisplay; }
    QString runtimeDirectory() const { return m_runtime.path(); }
    // The key X clients must show its XWayland (mutter's asks for one), or empty.
    QString xAuthority() const;

private:
    QStringList arguments() const;
    bool waitForXDisplay();
    void startX11(const QProcessEnvironment& environment);

    Kind m_kind;
    std::unique_ptr<PrivateXServer> m_xServer;
    std::unique_ptr<OpenboxWindowManager> m_windowManager;
    QTemporaryDir m_runtime;
    QProcess m_process;
    QString m_waylandDisplay;
    QString m_xDisplay;
    QString m_failure;
    QByteArray m_log;
};

}
