#pragma once

#include "core/Gesture.h"

#include <map>
#include <memory>
#include <string>

namespace scriblo {

// All stored gestures by identity. The gesture objects are shared with the recognizer
// and never change once stored.
using GestureDictionary = std::map<std::string, std::shared_ptr<const Gesture>>;

}
