#pragma once

#include "launch/Launchable.h"
#include "base/TargetAbsence.h"

#include <QtGlobal>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class Workspace;

using LaunchableList = std::vector<std::shared_ptr<Launchable>>;

// What every kind's list builder and gone check may draw on.
struct KindSource {
    std::shared_ptr<Workspace> workspace;
    std::filesystem::path builtInScriptsFolder;
};

// One fetch of a kind: the sorted list and what stood in its way without stopping it
// (a scripts folder that could not be made, bookmarks files that were skipped).
struct KindFetch {
    LaunchableList list;
    std::vector<std::string> problems;
};

// One kind of launch target, all there is to know about it in one place.
struct TargetKind {
    // Its name on the command line.
    const char* name;
    // Its segment in the setup window, marked with QT_TRANSLATE_NOOP in the setup
    // window's context, which translates it.
    const char* label;
    // What the setup window's list says when the kind has no targets: where they come
    // from. Marked as the label is.
    const char* emptyNote;
    // Lookups search kinds by this rank, smallest first, so an identity that two kinds
    // list resolves the same way every time.
    int lookupRank;
    // Choosing it in the setup window tells about the user's scripts folder.
    bool announcesScriptsFolder;
    std::function<KindFetch(const KindSource&)> fetch;
    // Whether a missed identity of this kind is really gone; nullopt when the identity is
    // not of this kind's shape.
    std::function<std::optional<TargetAbsence>(const std::string& launchId, const KindSource&)> absence;
};

}
