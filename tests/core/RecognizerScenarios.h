#pragma once

#include "core/Gesture.h"
#include "core/GestureStroke.h"

#include <functional>
#include <string>
#include <vector>

namespace scriblo::equivalence {

// What a scenario asks of a recognizer. The pinned test answers with the recognizer
// alone and compares with the pins; the tool that writes the pins answers with the
// recognizer and the literal reference side by side.
class ScenarioSteps {
public:
    virtual ~ScenarioSteps() = default;
    virtual void addGesture(const Gesture& gesture) = 0;
    virtual void removeGestureWithIdentity(const std::string& identity) = 0;
    virtual void check(const std::vector<GestureStroke>& strokes) = 0;
    // Two strokes straight from the drawing space, measured at the best angle.
    virtual void measure(const GestureStroke& candidate, const GestureStroke& templateStroke) = 0;
};

struct RecognizerScenario {
    std::string name;
    // The large real sets are pinned a hundred drawings to a line, the rest one each.
    size_t checksPerLine { 1 };
    bool needsSharedData { false };
    // Fewer drawings with a result would mean the scenario no longer reaches the search.
    int minimumResults { 0 };
    std::function<void(ScenarioSteps&)> run;
};

const std::vector<RecognizerScenario>& recognizerScenarios();

}
