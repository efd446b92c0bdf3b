#include "launch/TargetKinds.h"

#include "launch/ApplicationKinds.h"
#include "launch/ScriptKind.h"
#include "launch/WebPageKind.h"

#include <algorithm>
#include <numeric>

namespace scriblo::TargetKinds {

const std::vector<TargetKind>& all()
{
    static const std::vector<TargetKind> kinds {
        ApplicationKinds::normal(),
        WebPageKind::kind(),
        ScriptKind::kind(),
        ApplicationKinds::utilities(),
        ApplicationKinds::system(),
    };
    return kinds;
}

const std::vector<size_t>& lookupOrder()
{
    static const std::vector<size_t> order = [] {
        std::vector<size_t> indices(all().size());
        std::iota(indices.begin(), indices.end(), 0);
        std::stable_sort(indices.begin(), indices.end(), [](size_t left, size_t right) { return all()[left].lookupRank < all()[right].lookupRank; });
        return indices;
    }();
    return order;
}

std::optional<size_t> indexOf(const std::string& name)
{
    for (size_t index = 0; index < all().size(); ++index) {
        if (all()[index].name == name)
            return index;
    }
    return std::nullopt;
}

void sortByDisplayName(LaunchableList& list)
{
    std::stable_sort(list.begin(), list.end(), [](const auto& left, const auto& right) {
        return left->displayName() < right->displayName();
    });
}

}
