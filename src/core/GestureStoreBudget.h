#pragma once

#include "core/Gesture.h"
#include "core/GestureDictionary.h"
#include "core/KeyedUnarchiver.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace scriblo {

// What the drawings of a store take of its limits on points and templates, counted over
// every drawing of every gesture. Saves ask it before they change the store, and a load
// stops attaching further drawings where it runs out.
class GestureStoreBudget {
public:
    explicit GestureStoreBudget(const GestureDictionary& gestures);

    void add(const Gesture& gesture);
    void remove(const Gesture& gesture);
    // Whether one more drawing of `strokeCount` strokes and `pointCount` points fits.
    bool fitsDrawing(size_t strokeCount, int64_t pointCount) const;
    void addDrawing(size_t strokeCount, int64_t pointCount);
    // Why the store as counted is past its limits, in words for the user; nothing when
    // it is within them.
    std::optional<std::string> excess() const;

    // Adds to each gesture the further drawings stored for it, where they were added to
    // its present first drawing, as far as the limits allow. False, with the reason among
    // `problems`, when some were left out for the limits.
    static bool attachMoreDrawings(GestureDictionary& gestures, std::map<std::string, KeyedUnarchiver::MoreDrawings>& more,
                                   std::vector<std::string>& problems);

private:
    int64_t m_points { 0 };
    int64_t m_templates { 0 };
};

}
