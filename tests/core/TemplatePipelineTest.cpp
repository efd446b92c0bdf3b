#include "core/Gesture.h"
#include "core/TemplatePipeline.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::pipeline;

TEST(TemplatePipelineTest, truncatesDifferencesBeforeMeasuring)
{
    EXPECT_EQ(pointDistance(0, 0, 0.9f, 0.9f), 0.0f);
    EXPECT_EQ(pointDistance(0, 0, 1.9f, 1.9f), std::sqrt(2.0f));
}
