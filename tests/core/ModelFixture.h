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

    // The gesture as a store started afresh on the same preferences loads it.
    std::shared_ptr<const Gesture> reloaded(const std::string& identity, std::vector<std::string>* problems = nullptr)
    {
        GestureRecognitionModel restarted(defaults);
        restarted.setup();
        if (problems)
            *problems = restarted.loadProblems();
        return restarted.getGestureWithIdentity(identity);
    }

    MemoryUserDefaults defaults;
    GestureRecognitionModel model { defaults };
};

}
