#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace scriblo {

// One browser as its scripting interface shows it. Windows and tabs are addressed by
// their position in the browser's own order, counting from 0, except where a method
// says otherwise.
class BrowserScripting {
public:
    virtual ~BrowserScripting() = default;

    // Starts the browser if needed and brings it forward.
    virtual void activate() = 0;
    // The address of every tab, window by window, in the browser's order.
    virtual std::vector<std::vector<std::string>> windowTabUrls() = 0;
    virtual size_t documentCount() = 0;

    virtual void makeWindow() = 0;
    virtual void makeDocument(const std::string& url) = 0;
    virtual void setActiveTabUrl(size_t window, const std::string& url) = 0;
    // Adds a tab at the end of a window's tabs and returns its position.
    virtual size_t addTab(size_t window, const std::string& url) = 0;
    // Chrome's form: the tab's position counting from 1.
    virtual void setActiveTabIndex(size_t window, size_t oneBasedIndex) = 0;
    // Safari's form: the tab itself.
    virtual void setCurrentTab(size_t window, size_t tab) = 0;
    // 1 brings the window to the front.
    virtual void setWindowIndex(size_t window, size_t index) = 0;
};

}
