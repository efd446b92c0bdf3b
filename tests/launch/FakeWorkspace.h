#pragma once

#include "launch/BrowserScripting.h"
#include "launch/LoginItems.h"
#include "launch/Workspace.h"

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace scriblo::testing {

// A browser whose windows and tabs are plain data and whose every call is written down
// in a log the test owns, so the log outlives a browser its page threw away.
class FakeBrowser final : public BrowserScripting {
public:
    explicit FakeBrowser(std::vector<std::string>& calls) : calls(calls) { }
    std::vector<std::vector<std::string>> windows;
    size_t documents { 0 };
    std::vector<std::string>& calls;

    void activate() override { calls.push_back("activate"); }
    std::vector<std::vector<std::string>> windowTabUrls() override { return windows; }
    size_t documentCount() override { return documents; }
    void makeWindow() override
    {
        windows.push_back({ "" });
        calls.push_back("makeWindow");
    }
    void makeDocument(const std::string& url) override { calls.push_back("makeDocument " + url); }
    void setActiveTabUrl(size_t window, const std::string& url) override { record("setActiveTabUrl", window, url); }
    size_t addTab(size_t window, const std::string& url) override
    {
        windows.at(window).push_back(url);
        record("addTab", window, url);
        return windows[window].size() - 1;
    }
    void setActiveTabIndex(size_t window, size_t index) override { record("setActiveTabIndex", window, std::to_string(index)); }
    void setCurrentTab(size_t window, size_t tab) override { record("setCurrentTab", window, std::to_string(tab)); }
    void setWindowIndex(size_t window, size_t index) override { record("setWindowIndex", window, std::to_string(index)); }

private:
    void record(const std::string& call, size_t window, const std::string& argument)
    {
        calls.push_back(call + " " + std::to_string(window) + " " + argument);
    }
};

// Writes down what would have been launched. `onLaunch`, when set, runs inside every
// launch call, on the launching thread.
class FakeWorkspace final : public Workspace {
public:
    std::function<void()> onLaunch;
    std::optional<std::string> fileManager;
    std::function<std::unique_ptr<BrowserScripting>(const std::string&)> makeBrowser;

    void launchApplication(const std::string& desktopId) override { note("application " + desktopId); }
    void runProgram(const std::filesystem::path& program) override { note("program " + program.string()); }
    std::unique_ptr<BrowserScripting> browserScripting(const std::string& browserId) override
    {
        note("browser " + browserId);
        return makeBrowser ? makeBrowser(browserId) : nullptr;
    }
    std::optional<std::string> defaultApplicationForType(const std::string&) override { return fileManager; }

    std::vector<std::string> launches()
    {
        std::lock_guard lock(m_mutex);
        return m_launches;
    }

private:
    void note(const std::string& launch)
    {
        {
            std::lock_guard lock(m_mutex);
            m_launches.push_back(launch);
        }
        if (onLaunch)
            onLaunch();
    }

    std::mutex m_mutex;
    std::vector<std::string> m_launches;
};

// The desktop's list of programs started at login, as a flag that a read-only list keeps.
class FakeLoginItems final : public LoginItems {
public:
    bool contains { false };
    bool writable { true };
    bool containsApplication() override { return contains; }
    void setContainsApplication(bool value) override { contains = value && writable; }
};

}
