#pragma once

#include "base/Expected.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>

namespace scriblo {

// A launch that was set going, or why it could not be.
using LaunchResult = Expected<Done>;

enum class LaunchThread { Calling, New };
using LaunchFinished = std::function<void(const LaunchResult&)>;

// Anything a gesture can be bound to. A target never changes after construction, so
// every accessor is safe from any thread without a lock. Targets are always owned
// through std::shared_ptr: a launch on its own thread keeps a share until it ends.
class Launchable : public std::enable_shared_from_this<Launchable> {
public:
    // `icon` is an icon-theme name or an absolute image path; it is turned into pixels
    // only when something draws it.
    // A blank name is replaced by the last part of the identity, so no target is nameless.
    Launchable(std::string displayName, std::string launchId, std::string icon);
    virtual ~Launchable() = default;
    Launchable(const Launchable&) = delete;
    Launchable& operator=(const Launchable&) = delete;

    const std::string& displayName() const { return m_displayName; }
    const std::string& launchId() const { return m_launchId; }
    const std::string& icon() const { return m_icon; }

    // On a new thread the launch runs detached and this returns at once. `finished`, when
    // given, hears how it went, on the launching thread: a launch that failed must never
    // pass for one that worked.
    void launchWithNewThread(LaunchThread thread, LaunchFinished finished = {});

    // Launches on the calling thread and says why it failed.
    LaunchResult launchHere();

    // What a launch would do, in words, for `--dry-run` and diagnostics.
    virtual std::string description() const;

protected:
    // Kinds without launch behaviour of their own (the root, WebPage) do nothing. A
    // failure is thrown, with why in words.
    virtual void launch() { }

private:
    const std::string m_displayName;
    const std::string m_launchId;
    const std::string m_icon;
};

}
