#pragma once

#include "core/GesturePoint.h"
#include "core/GestureStroke.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A deliberately naive recognizer, written step by step from the matching rules and
// sharing no code with the production matcher: every step makes new points, resampling
// inserts into the walked list, and the candidate is rotated afresh at every evaluation.
// It exists to be compared with the fast recognizer, bit for bit.
namespace scriblo::reference {

struct ReferenceTemplate {
    GestureStroke originalStroke;
    GestureStroke stroke;
    GesturePoint startUnitVector;
};

struct ReferenceGesture {
    std::string identity;
    std::vector<GestureStroke> strokes;
    std::vector<ReferenceTemplate> templates;
};

struct SearchedTemplate {
    size_t gestureIndex { 0 };
    size_t templateIndex { 0 };
    float distance { 0 };
};

struct ReferenceRecognition {
    bool hasResult { false };
    std::string identity;
    int32_t score { 0 };
    // The smallest distance found and where, whether or not it made a result.
    float bestDistance { 0 };
    std::optional<size_t> bestGestureIndex;
    std::optional<size_t> bestTemplateIndex;
    // Every template that passed the start-direction test, in search order.
    std::vector<SearchedTemplate> searched;
};

float pointDistance(const GesturePoint& p, const GesturePoint& q);
float strokeLength(const GestureStroke& stroke);
GestureStroke resampleStroke(const GestureStroke& stroke);
GestureStroke scaleStrokeToSquare(const GestureStroke& stroke);
GesturePoint strokeCentroid(const GestureStroke& stroke);
GestureStroke translateStrokeToOrigin(const GestureStroke& stroke);
GesturePoint strokeStartUnitVector(const GestureStroke& stroke);
ReferenceTemplate makeTemplate(const GestureStroke& unistroke);
std::vector<ReferenceTemplate> generateTemplates(const std::vector<GestureStroke>& strokes);

float angleBetweenVectors(const GesturePoint& u, const GesturePoint& v);
GestureStroke rotateStroke(const GestureStroke& stroke, float angle);
float strokeDistance(const GestureStroke& a, const GestureStroke& b);
float distanceAtAngle(const GestureStroke& candidate, const GestureStroke& templateStroke, float angle);
float distanceAtBestAngle(const GestureStroke& candidate, const GestureStroke& templateStroke);
int32_t scoreOfDistance(float distance);

class ReferenceRecognizer {
public:
    void addGesture(std::string identity, std::vector<GestureStroke> strokes);
    void removeGestureWithIdentity(const std::string& identity);
    ReferenceRecognition recognizeGestureWithStrokes(const std::vector<GestureStroke>& strokes) const;
    const std::vector<ReferenceGesture>& loadedGestures() const { return m_loadedGestures; }

private:
    std::vector<ReferenceGesture> m_loadedGestures;
};

}
