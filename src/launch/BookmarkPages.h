#pragma once

#include "launch/LaunchableCatalogue.h"

namespace scriblo::BookmarkPages {

struct Pages {
    LaunchableList list;
    // One line per file that was there but could not be used: its path and why.
    std::vector<std::string> skipped;
};

// The pages of every installed browser's bookmarks bar, in file order: Google Chrome,
// Chromium, Firefox, then a Safari bookmarks file where one exists. A browser whose
// file cannot be read contributes nothing and hides nothing of the others.
Pages pages(const std::shared_ptr<Workspace>& workspace);

// ~/Library/Safari/Bookmarks.plist, where a home folder carried over from a Mac keeps it.
std::filesystem::path safariBookmarksFile();

}
