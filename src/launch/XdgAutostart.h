#pragma once

#include "launch/LoginItems.h"

#include <filesystem>
#include <optional>

namespace scriblo {

// Login items as XDG autostart entries in $XDG_CONFIG_HOME/autostart. An entry counts as
// Scriblo's when its Exec program resolves to the running executable, whatever the
// entry file is called; a switched-off entry (Hidden=true) does not count. Entries that
// do not count are never removed or overwritten.
class XdgAutostart final : public LoginItems {
public:
    static constexpr const char* entryFileName = "org.scriblo.Scriblo.desktop";

    explicit XdgAutostart(std::filesystem::path executable);

    bool containsApplication() override;
    void setContainsApplication(bool contains) override;

    static std::filesystem::path folder();
    // The running program, /proc/self/exe resolved, or the AppImage file it runs from.
    static std::filesystem::path runningExecutable();

private:
    std::optional<std::filesystem::path> applicationEntry() const;
    bool startsApplication(const std::filesystem::path& entry) const;
    void writeEntry() const;
    static std::optional<std::filesystem::path> freeEntryFile();

    std::filesystem::path m_executable;
};

}
