#pragma once

#include "core/CandidateMatcher.h"
#include "core/Gesture.h"
#include "core/GestureResult.h"
#include "core/GestureStroke.h"

#include <cmath>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

// Holds the recognisable gestures, each with its templates, and matches drawings
// against them. Recognitions run on an immutable snapshot of the list, taken under the
// lock, so they never wait for an addition's template generation and may run on any
// number of threads at once.
class GestureRecognizer {
public:
    using GestureList = std::vector<std::shared_ptr<const Gesture>>;

    static constexpr int32_t minimumCandidatePoints = 11;
    static constexpr float startDirectionTolerance = float(40.0 * 3.141592653589793 / 180.0);
    inline static const float startDirectionEdge = float(std::cos(double(startDirectionTolerance)));
    static constexpr double halfDiagonal = 707.1067811865476;

    // A drawing prepared for matching: resampled and normalised as one stroke, with the
    // direction it starts in and the number of strokes it was drawn in.
    struct Candidate {
        GestureStroke points;
        GesturePoint startUnitVector;
        size_t strokeCount = 0;
    };

    GestureRecognizer() = default;

    // Replaces any gesture of the same identity and moves it to the end of the list.
    // Returns the stored gesture, with its templates.
    std::shared_ptr<const Gesture> addGesture(Gesture gesture);
    // The same for many gestures whose templates are already generated, in one swap of
    // the list; within the list a later gesture replaces an earlier one of its identity.
    void addPreparedGestures(const GestureList& gestures);
    // Puts a changed gesture, templates generated, in the place of the one of its identity,
    // or at the end where there is none.
    void replacePreparedGesture(const std::shared_ptr<const Gesture>& gesture);
    void removeGestureWithIdentity(const std::string& identity);
    std::optional<GestureResult> recognizeGestureWithStrokes(const std::vector<GestureStroke>& strokes) const;
    // Each gesture's best score for the drawing, over all its drawings, highest first and
    // in list order among equals; at most `count`, and none for a drawing too short to
    // match. What a recognition would have chosen among, to show why it chose as it did.
    std::vector<GestureResult> closestGestures(const std::vector<GestureStroke>& strokes, size_t count) const;

    std::shared_ptr<const GestureList> loadedGestures() const;
    void setLoadedGestures(GestureList gestures);

    // Nothing for a drawing of fewer than `minimumCandidatePoints` points.
    static std::optional<Candidate> candidateOf(const std::vector<GestureStroke>& strokes);
    // The best of `gestures` for a prepared drawing, so that one drawing compared with
    // many gesture lists is prepared once.
    static std::optional<GestureResult> recognizeCandidate(const GestureList& gestures, const Candidate& candidate);
    // The templates of `gesture` that a recognition of `drawn` searches, in the order it
    // searches them: every drawing of the drawn stroke count, in order, and of each only
    // the templates that start in the drawn direction.
    static void appendSearchedTemplates(const Gesture& gesture, const Candidate& drawn,
                                        std::vector<CandidateMatcher::Points>& searched);

    static float angleBetweenVectors(const GesturePoint& u, const GesturePoint& v);
    // Whether a drawing starting along `u` may be matched with a template starting along
    // `v`. Away from the tolerance's cosine the dot product alone decides: near 40° an
    // arc cosine moves by about 1.6·10⁻⁴ for a change of 10⁻⁴ in its argument, thousands
    // of times more than its rounding and narrowing. Dot products near the edge, beyond
    // ±1 or NaN take the arc cosine as the test is defined. Inline, since a comparison of
    // two stores tests every template of one against every drawing of the other.
    static bool startsInTheSameDirection(const GesturePoint& u, const GesturePoint& v)
    {
        constexpr float margin = 1e-4f;
        float dot = u.x() * v.x() + u.y() * v.y();
        if (dot <= 1 && dot > startDirectionEdge + margin)
            return true;
        if (dot >= -1 && dot < startDirectionEdge - margin)
            return false;
        return startsAtTheEdgeInTheSameDirection(u, v);
    }
    static std::optional<int32_t> scoreOfDistance(float distance);

private:
    static bool startsAtTheEdgeInTheSameDirection(const GesturePoint& u, const GesturePoint& v);

    mutable std::mutex m_mutex;
    std::shared_ptr<const GestureList> m_gestures { std::make_shared<GestureList>() };
};

}
