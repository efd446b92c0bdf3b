#pragma once

#include <memory>
#include <optional>
#include <string>

namespace scriblo {

// Anything a gesture can be bound to. A target never changes after construction, so
// every accessor is safe from any thread without a lock. Targets are always owned
// through std::shared_ptr: a launch on its own thread keeps a share until it ends.
class Launchable : public std::enable_shared_from_this<Launchable> {
public:
    // `icon` is an icon-theme name or an absolute image path; it is turned into pixels
    // only when something draws it.
    Launchable(std::string displayName, std::string launchId, std::string icon);
    virtual ~Launchable() = default;
    Launchable(const Launchable&) = delete;
    Launchable& operator=(const Launchable&) = delete;

    const std::string& displayName() const { return m_displayName; }
    const std::string& launchId() const { return m_launchId; }
    const std::string& icon() const { return m_icon; }

    // With `newThread` the launch runs on a detached thread and this returns at once.
    // Any failure of the launch is dropped: the caller never hears of it.
    void launchWithNewThread(bool newThread);

    // Launches on the calling thread and says why it failed, for callers such as the
    // command line that must not report a failure as success.
    std::optional<std::string> launchHere();

    // What a launch would do, in words, for `--dry-run` and diagnostics.
    virtual std::string description() const;

protected:
    // Kinds without launch behaviour of their own (the root, WebPage) do nothing.
    virtual void launch() { }

private:
    const std::string m_displayName;
    const std::string m_launchId;
    const std::string m_icon;
};

}
