#pragma once

#include <string>

namespace scriblo {

class BrowserScripting;

// Shows an address in a browser: the first open tab whose stripped address equals the
// stripped `url` is selected and its window brought to the front; otherwise the address
// opens in a new tab of the first window, or in a new window when there is none.
// Chrome, Chromium and Firefox take the Chrome form; Safari its own.
void showUrlChromeStyle(BrowserScripting& browser, const std::string& url);
void showUrlSafariStyle(BrowserScripting& browser, const std::string& url);

}
