#pragma once

#include "MemoryUserDefaults.h"
#include "core/GestureRecognitionModel.h"
#include "core/KeyedUnarchiver.h"

#include <gtest/gtest.h>

namespace scriblo::testing {

// A gesture store over preferences held in memory.
class ModelFixture : public ::testing::Test {
protected:
    // The gestures as the store wrote them, each with its first drawing.
    GestureDictionary storedGestures() const
    {
        auto value = defaults.objectForKey(GestureRecognitionModel::gesturesKey);
        return *KeyedUnarchiver::unarchiveGestures(*value->dataValue()).gestures;
    }

    // The gesture as a store started afresh on the same preferences loads it; one that is
    // not loaded again fails the test and reads as a gesture without drawings, so that the
    // checks after it fail instead of crashing.
    std::shared_ptr<const Gesture> reloaded(const std::string& identity, std::vector<std::string>* problems = nullptr)
    {
        GestureRecognitionModel restarted(defaults);
        restarted.setup();
        if (problems)
            *problems = restarted.loadProblems();
        auto gesture = restarted.getGestureWithIdentity(identity);
        EXPECT_TRUE(gesture) << identity << " is not loaded again";
        return gesture ? gesture : std::make_shared<const Gesture>(identity, std::vector<GestureStroke> {});
    }

    MemoryUserDefaults defaults;
    GestureRecognitionModel model { defaults };
};

}
