#include "launch/WebPageKind.h"

#include "launch/BookmarkPages.h"
#include "launch/TargetGoneCheck.h"
#include "launch/TargetKinds.h"

namespace scriblo::WebPageKind {

namespace {

KindFetch fetch(const KindSource& source)
{
    auto pages = BookmarkPages::pages(source.workspace);
    TargetKinds::sortByDisplayName(pages.list);
    return { std::move(pages.list), std::move(pages.skipped) };
}

std::optional<TargetAbsence> absence(const std::string& launchId, const KindSource&)
{
    if (!TargetGoneCheck::isPage(launchId))
        return std::nullopt;
    return TargetGoneCheck::pageAbsence(launchId);
}

}

TargetKind kind()
{
    return { "webpages", QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow", "Web Pages"),
             QT_TRANSLATE_NOOP("scriblo::GestureSetupWindow",
                               "No bookmarked pages were found. Web pages come from the bookmarks toolbar of Firefox and "
                               "the bookmarks bar of Chrome and Chromium, where the browser is installed."), 1, false, fetch, absence };
}

}
