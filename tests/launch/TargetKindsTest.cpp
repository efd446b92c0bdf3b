#include "launch/TargetKinds.h"

#include <gtest/gtest.h>

using namespace scriblo;

// The setup window's segments and the lookups read the same table in two orders; a
// stored identity that two kinds list must resolve as it always did.
TEST(TargetKindsTest, segmentsAndLookupsKeepTheirOwnOrders)
{
    std::vector<std::string> segments;
    for (const auto& kind : TargetKinds::all())
        segments.push_back(kind.label);
    EXPECT_EQ(segments, (std::vector<std::string> { "Applications", "Web Pages", "Scripts", "Utilities", "System" }));
    std::vector<std::string> lookups;
    for (size_t kind : TargetKinds::lookupOrder())
        lookups.push_back(TargetKinds::all()[kind].name);
    EXPECT_EQ(lookups, (std::vector<std::string> { "scripts", "webpages", "applications", "utilities", "system" }));
    EXPECT_EQ(TargetKinds::indexOf("scripts"), 2u);
    EXPECT_FALSE(TargetKinds::indexOf("Scripts"));
}
