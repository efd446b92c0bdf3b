#include "sheet/GestureSheetContents.h"

#include "launch/LaunchableCatalogue.h"
#include "launch/TargetKinds.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace scriblo {

namespace {

// Which kind lists each target, by the target itself: a lookup finds the target, and this
// says where it belongs without a second search by identity.
std::unordered_map<const Launchable*, size_t> kindsOfTargets(const LaunchableCatalogue& catalogue)
{
    std::unordered_map<const Launchable*, size_t> kinds;
    for (size_t kind = 0; kind < TargetKinds::all().size(); ++kind) {
        for (const auto& target : *catalogue.list(kind))
            kinds.emplace(target.get(), kind);
    }
    return kinds;
}

// A sheet is read by people looking for a name: "Track 2" comes before "Track 10", case
// does not part names, and the user's locale places its own letters. Equal names keep
// one order from run to run by their identities.
void sortByName(std::vector<SheetEntry>& entries)
{
    QLocale locale;
    // Qt compares by code point for the C locale, numbers and accents included; a user
    // without a language set still reads names as people do.
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(entries.begin(), entries.end(), [&](const SheetEntry& left, const SheetEntry& right) {
        int order = collator.compare(left.name, right.name);
        return order != 0 ? order < 0 : left.identity() < right.identity();
    });
}

QString unavailableName(const std::string& identity, const TargetNameCache::Names& lastKnown)
{
    if (auto known = lastKnown.find(identity); known != lastKnown.end())
        return QString::fromStdString(known->second);
    std::string_view path = identity;
    while (path.size() > 1 && path.ends_with('/'))
        path.remove_suffix(1);
    std::string_view last = path.substr(path.find_last_of('/') + 1);
    if (last.empty())
        last = path;
    return QString::fromUtf8(last.data(), qsizetype(last.size()));
}

}

std::vector<SheetGroup> GestureSheetContents::of(const GestureRecognizer::GestureList& stored,
                                                  const LaunchableCatalogue& catalogue, const TargetNameCache::Names& lastKnown)
{
    const auto& kinds = TargetKinds::all();
    std::vector<SheetGroup> groups(kinds.size() + 1);
    for (size_t kind = 0; kind < kinds.size(); ++kind)
        groups[kind].title = QCoreApplication::translate("scriblo::GestureSetupWindow", kinds[kind].label);
    groups.back().title = tr("Unavailable");
    auto kindOf = kindsOfTargets(catalogue);
    for (const auto& gesture : stored) {
        auto target = catalogue.findLaunchableWithId(gesture->identity());
        auto kind = target ? kindOf.find(target.get()) : kindOf.end();
        if (kind == kindOf.end()) {
            groups.back().entries.push_back(
                { gesture, unavailableName(gesture->identity(), lastKnown), {}, catalogue.absence(gesture->identity()) });
            continue;
        }
        groups[kind->second].entries.push_back(
            { gesture, QString::fromStdString(target->displayName()), target->icon(), std::nullopt });
    }
    for (auto& group : groups)
        sortByName(group.entries);
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
                     [&](const SheetEntry& entry) {
                         // An unavailable target's name may be a guess; its identity is sure.
                         return entry.name.contains(wanted, Qt::CaseInsensitive)
                             || (entry.absence && QString::fromStdString(entry.identity()).contains(wanted, Qt::CaseInsensitive));
                     });
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
    case TargetAbsence::NoBrowser:
        return tr("Its browser is not installed");
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
