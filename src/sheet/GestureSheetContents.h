#pragma once

#include "base/TargetAbsence.h"
#include "core/GestureRecognizer.h"
#include "launch/TargetNameCache.h"

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class LaunchableCatalogue;

// One stored gesture as the sheet shows it: with its target's name and icon, or, when no
// target has its identity now, with the name it was last seen under and what a fresh
// look at the disk says.
struct SheetEntry {
    std::shared_ptr<const Gesture> gesture;
    QString name;
    std::string icon;
    std::optional<TargetAbsence> absence;

    const std::string& identity() const { return gesture->identity(); }
};

struct SheetGroup {
    QString title;
    std::vector<SheetEntry> entries;
};

// What the gesture sheet lists: the stored gestures grouped by the kind of their target,
// in the setup window's segment order, then those whose target is unavailable, which the
// setup window cannot reach at all; within a group by name, as people sort names.
class GestureSheetContents {
    Q_DECLARE_TR_FUNCTIONS(GestureSheetContents)
public:
    // Groups without gestures are left out. Looking at the disk for the unavailable ones
    // is cheap per gesture (a few file checks), and only they pay it. An unavailable
    // target goes by its name in `lastKnown`, or else by the last part of its identity's
    // path: a script's file name, a page's last step.
    static std::vector<SheetGroup> of(const GestureRecognizer::GestureList& stored, const LaunchableCatalogue& catalogue,
                                      const TargetNameCache::Names& lastKnown);

    // The entries whose name, or an unavailable one's identity, holds `search`, ignoring
    // case; empty groups go.
    static std::vector<SheetGroup> matching(const std::vector<SheetGroup>& groups, const QString& search);

    static QString reason(TargetAbsence absence);
    static size_t entryCount(const std::vector<SheetGroup>& groups);
};

}
