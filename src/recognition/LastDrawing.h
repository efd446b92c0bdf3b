#pragma once

#include "core/GestureStroke.h"
#include "recognition/MatchDecider.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scriblo {

// The drawing the user made last and what came of it, kept so that a miss or a wrong
// launch can be fixed afterwards by adding the very drawing to the gesture it was meant for.
struct LastDrawing {
    std::vector<GestureStroke> strokes;
    MatchOutcome outcome = MatchOutcome::NoMatch;
    // The best match, launched or not; empty when no gesture is stored.
    std::string identity;
    int32_t score = 0;
    // The minimum score at the time, for saying by how much a miss fell short.
    int32_t minimumScore = 0;

    bool launched() const { return outcome == MatchOutcome::TargetFound; }
};

}
