#pragma once

#include "launch/TargetKind.h"

#include <vector>

// The one table of the kinds of launch target. A new kind is a file pair that describes
// it and one line in this table.
namespace scriblo::TargetKinds {

// In the order of the setup window's segments.
const std::vector<TargetKind>& all();
// Indices into all(), by lookup rank.
const std::vector<size_t>& lookupOrder();
// The index of the kind with this command-line name, if any.
std::optional<size_t> indexOf(const std::string& name);

// Plain comparison by character value: capitals before small letters, "10" before "9".
void sortByDisplayName(LaunchableList& list);

}
