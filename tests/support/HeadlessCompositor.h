#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace scriblo::testing {

// A Wayland compositor with no screen of its own and XWayland beside it, as a user's
// Wayland session has them, for the real program to run in.
class HeadlessCompositor {
public:
    enum class Kind { Weston, Mutter };

    // Mutter also wants a session bus for its own services.
    HeadlessCompositor(Kind kind, const QString& busAddress);
    ~HeadlessCompositor();
    HeadlessCompositor(const HeadlessCompositor&) = delete;
    HeadlessCompositor& operator=(const HeadlessCompositor&) = delete;

    // Empty when it started; otherwise why not, in a line.
    const QString& failure() const { return m_failure; }
    QString name() const { return m_kind == Kind::Weston ? QStringLiteral("weston") : QStringLiteral("mutter"); }
    // The X display its XWayland listens on, the Wayland socket's name and the folder
    // the socket lies in.
    const QString& xDisplay() const { return m_xDisplay; }
    const QString& waylandDisplay() const { return m_waylandDisplay; }
    QString runtimeDirectory() const { return m_runtime.path(); }
    // The key X clients must show its XWayland (mutter's asks for one), or empty.
    QString xAuthority() const;

private:
    QStringList arguments() const;
    bool waitForXDisplay();

    Kind m_kind;
    QTemporaryDir m_runtime;
    QProcess m_process;
    QString m_waylandDisplay;
    QString m_xDisplay;
    QString m_failure;
    QByteArray m_log;
};

}
