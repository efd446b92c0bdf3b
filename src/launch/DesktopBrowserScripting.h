#pragma once

#include "launch/BrowserScripting.h"

#include <filesystem>
#include <optional>

namespace scriblo {

// A browser reached through its desktop entry. Linux browsers offer no way to list
// their tabs, so the browser always looks empty and every address is opened by
// launching the entry with it; the browser itself decides on a tab or a window.
class DesktopBrowserScripting final : public BrowserScripting {
public:
    // Without an entry file, addresses open in the desktop's default browser.
    explicit DesktopBrowserScripting(std::optional<std::filesystem::path> entryFile);

    void activate() override { }
    std::vector<std::vector<std::string>> windowTabUrls() override { return {}; }
    size_t documentCount() override { return 0; }
    void makeWindow() override { }
    void makeDocument(const std::string& url) override { open(url); }
    void setActiveTabUrl(size_t, const std::string& url) override { open(url); }
    size_t addTab(size_t, const std::string& url) override;
    void setActiveTabIndex(size_t, size_t) override { }
    void setCurrentTab(size_t, size_t) override { }
    void setWindowIndex(size_t, size_t) override { }

private:
    void open(const std::string& url);

    std::optional<std::filesystem::path> m_entryFile;
};

}
