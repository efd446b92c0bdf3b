#include "sheet/GestureSheetContents.h"

#include "launch/LaunchableCatalogue.h"
#include "launch/TargetKinds.h"

#include <algorithm>
#include <unordered_map>

namespace scriblo {

namespace {

struct Place {
    size_t kind;
    size_t position;
};

// Where each target is listed, by the target itself: a lookup finds the target, and this
// says where it belongs without a second search by identity.
std::unordered_map<const Launchable*, Place> placesOfTargets(const LaunchableCatalogue& catalogue)
{
    std::unordered_map<const Launchable*, Place> places;
    for (size_t kind = 0; kind < TargetKinds::all().size(); ++kind) {
        auto list = catalogue.list(kind);
        for (size_t position = 0; position < list->size(); ++position)
            places.emplace((*list)[position].get(), Place { kind, position });
    }
    return places;
}

}

std::vector<SheetGroup> GestureSheetContents::of(const GestureRecognizer::GestureList& stored,
                                                  const LaunchableCatalogue& catalogue)
{
    const auto& kinds = TargetKinds::all();
    std::vector<SheetGroup> groups(kinds.size() + 1);
    for (size_t kind = 0; kind < kinds.size(); ++kind)
        groups[kind].title = QCoreApplication::translate("scriblo::GestureSetupWindow", kinds[kind].label);
    groups.back().title = tr("Unavailable");
    // Within a kind, gestures follow their targets' order in the setup window's list.
    std::vector<std::vector<std::pair<size_t, SheetEntry>>> placed(kinds.size());
    auto places = placesOfTargets(catalogue);
    for (const auto& gesture : stored) {
        auto target = catalogue.findLaunchableWithId(gesture->identity());
        auto place = target ? places.find(target.get()) : places.end();
        if (place == places.end()) {
            auto name = QString::fromStdString(gesture->identity());
            groups.back().entries.push_back({ gesture, name, {}, catalogue.absence(gesture->identity()) });
            continue;
        }
        placed[place->second.kind].emplace_back(
            place->second.position,
            SheetEntry { gesture, QString::fromStdString(target->displayName()), target->icon(), std::nullopt });
    }
    for (size_t kind = 0; kind < kinds.size(); ++kind) {
        std::sort(placed[kind].begin(), placed[kind].end(), [](const auto& left, const auto& right) { return left.first < right.first; });
        for (auto& [position, entry] : placed[kind])
            groups[kind].entries.push_back(std::move(entry));
    }
    std::sort(groups.back().entries.begin(), groups.back().entries.end(),
              [](const SheetEntry& left, const SheetEntry& right) { return left.identity() < right.identity(); });
    std::erase_if(groups, [](const SheetGroup& group) { return group.entries.empty(); });
    return groups;
}

std::vector<SheetGroup> GestureSheetContents::matching(const std::vector<SheetGroup>& groups, const QString& search)
{
    auto wanted = search.trimmed();
    std::vector<SheetGroup> found;
    for (const auto& group : groups) {
        SheetGroup kept { group.title, {} };
        std::copy_if(group.entries.begin(), group.entries.end(), std::back_inserter(kept.entries),
                     [&](const SheetEntry& entry) { return entry.name.contains(wanted, Qt::CaseInsensitive); });
        if (!kept.entries.empty())
            found.push_back(std::move(kept));
    }
    return found;
}

QString GestureSheetContents::reason(TargetAbsence absence)
{
    switch (absence) {
    case TargetAbsence::Gone:
        return tr("No longer on this computer");
    case TargetAbsence::CannotRun:
        return tr("Cannot run: the script is not executable");
    case TargetAbsence::OutOfReach:
        break;
    }
    return tr("Out of reach now: hidden, or on a disk that is not mounted");
}

size_t GestureSheetContents::entryCount(const std::vector<SheetGroup>& groups)
{
    size_t count = 0;
    for (const auto& group : groups)
        count += group.entries.size();
    return count;
}

}
