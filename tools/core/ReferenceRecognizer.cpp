#include "core/ReferenceRecognizer.h"

#include "core/TemplatePipeline.h"

#include <cmath>
#include <limits>
#include <utility>

namespace scriblo::reference {

namespace {

constexpr int32_t resampledPointCount = 160;
constexpr float largestFloat = 3.4028235e38f;
constexpr int32_t minimumCandidatePoints = 11;
constexpr double phi = 0.6180339887498949;
constexpr double oneMinusPhi = 0.3819660112501051;
constexpr double halfDiagonal = 707.1067811865476;

float startDirectionTolerance()
{
    return float(40.0 * 3.141592653589793 / 180.0);
}

void permuteStrokeOrders(int k, std::vector<int>& order, std::vector<std::vector<int>>& result)
{
    if (k <= 0)
        return;
    if (k == 1) {
        result.push_back(order);
        return;
    }
    for (int i = 0; i < k; ++i) {
        permuteStrokeOrders(k - 1, order, result);
        if (k % 2 == 1)
            std::swap(order[0], order[size_t(k - 1)]);
        else
            std::swap(order[size_t(i)], order[size_t(k - 1)]);
    }
}

std::vector<GestureStroke> buildUnistrokes(const std::vector<GestureStroke>& strokes, const std::vector<std::vector<int>>& orders)
{
    std::vector<GestureStroke> result;
    for (const auto& order : orders) {
        int n = int(order.size());
        for (int b = 0; b < (1 << n); ++b) {
            GestureStroke unistroke;
            for (int i = 0; i < n; ++i) {
                const GestureStroke& drawn = strokes[size_t(order[size_t(i)])];
                if (b & (1 << i)) {
                    for (int j = drawn.pointCount() - 1; j >= 0; --j)
                        unistroke.addPoint(drawn.pointAtIndex(j));
                } else {
                    for (int j = 0; j < drawn.pointCount(); ++j)
                        unistroke.addPoint(drawn.pointAtIndex(j));
                }
            }
            result.push_back(unistroke);
        }
    }
    return result;
}

GestureStroke joinStrokes(const std::vector<GestureStroke>& strokes)
{
    GestureStroke joined;
    for (const auto& stroke : strokes) {
        for (int i = 0; i < stroke.pointCount(); ++i)
            joined.addPoint(stroke.pointAtIndex(i));
    }
    return joined;
}

}

float pointDistance(const GesturePoint& p, const GesturePoint& q)
{
    int64_t dx = pipeline::truncateToInteger(q.x() - p.x());
    int64_t dy = pipeline::truncateToInteger(q.y() - p.y());
    // Unsigned, so that two differences of the most negative integer still add up.
    uint64_t sumOfSquares = uint64_t(dx * dx) + uint64_t(dy * dy);
    return float(std::sqrt(double(sumOfSquares)));
}

float strokeLength(const GestureStroke& stroke)
{
    float length = 0;
    for (int i = 1; i < stroke.pointCount(); ++i)
        length = length + pointDistance(stroke.pointAtIndex(i - 1), stroke.pointAtIndex(i));
    return length;
}

GestureStroke resampleStroke(const GestureStroke& u)
{
    GestureStroke resampled;
    if (u.pointCount() == 0)
        return resampled;
    GestureStroke walked(u.points());
    resampled.addPoint(u.pointAtIndex(0));
    float length = strokeLength(u);
    if (walked.pointCount() >= 2) {
        float interval = length / 159.0f;
        float travelled = 0;
        for (int i = 1; i < walked.pointCount(); ++i) {
            const GesturePoint previous = walked.pointAtIndex(i - 1);
            const GesturePoint current = walked.pointAtIndex(i);
            float d = pointDistance(previous, current);
            if (travelled + d > interval) {
                float t = (interval - travelled) / d;
                GesturePoint q(previous.x() + (current.x() - previous.x()) * t,
                    previous.y() + (current.y() - previous.y()) * t, previous.strokeId());
                resampled.addPoint(q);
                walked.insertPoint(q, i);
                travelled = 0;
            } else {
                travelled = travelled + d;
            }
        }
    }
    while (resampled.pointCount() < resampledPointCount)
        resampled.addPoint(u.pointAtIndex(u.pointCount() - 1));
    return resampled;
}

GestureStroke scaleStrokeToSquare(const GestureStroke& r)
{
    float minimumX = largestFloat;
    float minimumY = largestFloat;
    float maximumX = -largestFloat;
    float maximumY = -largestFloat;
    for (const auto& point : r.points()) {
        if (point.x() < minimumX)
            minimumX = point.x();
        if (point.y() < minimumY)
            minimumY = point.y();
        if (point.x() > maximumX)
            maximumX = point.x();
        if (point.y() > maximumY)
            maximumY = point.y();
    }
    double width = double(maximumX - minimumX);
    double height = double(maximumY - minimumY);
    double widthOverHeight = width / height;
    double heightOverWidth = height / width;
    double ratio = widthOverHeight < heightOverWidth ? widthOverHeight : heightOverWidth;
    GestureStroke scaled;
    if (ratio <= 0.25) {
        double larger = width > height ? width : height;
        float factor = float(1000.0 / larger);
        for (const auto& point : r.points())
            scaled.addPoint(GesturePoint(point.x() * factor, point.y() * factor, point.strokeId()));
    } else {
        for (const auto& point : r.points()) {
            float x = float(double(point.x()) * (1000.0 / width));
            float y = float(double(point.y()) * (1000.0 / height));
            scaled.addPoint(GesturePoint(x, y, point.strokeId()));
        }
    }
    return scaled;
}

GesturePoint strokeCentroid(const GestureStroke& stroke)
{
    float sumX = 0;
    float sumY = 0;
    for (const auto& point : stroke.points()) {
        sumX = sumX + point.x();
        sumY = sumY + point.y();
    }
    float count = float(stroke.pointCount());
    return GesturePoint(sumX / count, sumY / count, 0);
}

GestureStroke translateStrokeToOrigin(const GestureStroke& stroke)
{
    GesturePoint centroid = strokeCentroid(stroke);
    GestureStroke translated;
    for (const auto& point : stroke.points())
        translated.addPoint(GesturePoint(point.x() - centroid.x(), point.y() - centroid.y(), point.strokeId()));
    return translated;
}

GesturePoint strokeStartUnitVector(const GestureStroke& stroke)
{
    // Only an empty drawing is this short; it has no direction.
    if (stroke.pointCount() < 10) {
        float nan = std::numeric_limits<float>::quiet_NaN();
        return GesturePoint(nan, nan, 0);
    }
    float vx = stroke.pointAtIndex(9).x() - stroke.pointAtIndex(2).x();
    float vy = stroke.pointAtIndex(9).y() - stroke.pointAtIndex(2).y();
    float length = std::sqrt(vx * vx + vy * vy);
    return GesturePoint(vx / length, vy / length, 0);
}

ReferenceTemplate makeTemplate(const GestureStroke& unistroke)
{
    ReferenceTemplate made;
    made.originalStroke = unistroke;
    GestureStroke r = resampleStroke(unistroke);
    GestureStroke s = scaleStrokeToSquare(r);
    made.stroke = translateStrokeToOrigin(s);
    made.startUnitVector = strokeStartUnitVector(made.stroke);
    return made;
}

std::vector<ReferenceTemplate> generateTemplates(const std::vector<GestureStroke>& strokes)
{
    std::vector<int> order;
    for (int i = 0; i < int(strokes.size()); ++i)
        order.push_back(i);
    std::vector<std::vector<int>> orders;
    permuteStrokeOrders(int(strokes.size()), order, orders);
    std::vector<ReferenceTemplate> templates;
    for (const auto& unistroke : buildUnistrokes(strokes, orders))
        templates.push_back(makeTemplate(unistroke));
    return templates;
}

float angleBetweenVectors(const GesturePoint& u, const GesturePoint& v)
{
    float dot = u.x() * v.x() + u.y() * v.y();
    if (dot < -1.0f || dot > 1.0f)
        dot = std::round(dot * 100000.0f) / 100000.0f;
    return float(std::acos(double(dot)));
}

GestureStroke rotateStroke(const GestureStroke& stroke, float angle)
{
    GesturePoint c = strokeCentroid(stroke);
    float cosine = std::cos(angle);
    float sine = std::sin(angle);
    GestureStroke rotated;
    for (const auto& point : stroke.points()) {
        float x = (point.x() - c.x()) * cosine - (point.y() - c.y()) * sine + c.x();
        float y = (point.x() - c.x()) * sine + (point.y() - c.y()) * cosine + c.y();
        rotated.addPoint(GesturePoint(x, y, point.strokeId()));
    }
    return rotated;
}

float strokeDistance(const GestureStroke& a, const GestureStroke& b)
{
    float sum = 0;
    for (int i = 0; i < a.pointCount() && i < b.pointCount(); ++i)
        sum = sum + pointDistance(a.pointAtIndex(i), b.pointAtIndex(i));
    return sum / float(a.pointCount());
}

float distanceAtAngle(const GestureStroke& candidate, const GestureStroke& templateStroke, float angle)
{
    return strokeDistance(rotateStroke(candidate, angle), templateStroke);
}

float distanceAtBestAngle(const GestureStroke& candidate, const GestureStroke& templateStroke)
{
    float a = -0.5235988f;
    float b = 0.5235988f;
    float x1 = -0.12360491f;
    float x2 = 0.12360491f;
    float f1 = distanceAtAngle(candidate, templateStroke, x1);
    float f2 = distanceAtAngle(candidate, templateStroke, x2);
    for (;;) {
        if (f1 < f2) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = float(phi * double(a) + oneMinusPhi * double(b));
            f1 = distanceAtAngle(candidate, templateStroke, x1);
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = float(oneMinusPhi * double(a) + phi * double(b));
            f2 = distanceAtAngle(candidate, templateStroke, x2);
        }
        if (std::fabs(b - a) <= 0.034906585f)
            break;
    }
    return f1 < f2 ? f1 : f2;
}

int32_t scoreOfDistance(float distance)
{
    double percent = (double(distance) / -halfDiagonal + 1.0) * 100.0;
    float roundedUp = std::ceil(float(percent));
    // Far below zero the value only means "no result"; any non-positive number does.
    return int32_t(pipeline::truncateToInteger(roundedUp));
}

void ReferenceRecognizer::addGesture(std::string identity, std::vector<GestureStroke> strokes)
{
    removeGestureWithIdentity(identity);
    ReferenceGesture gesture;
    gesture.identity = std::move(identity);
    gesture.strokes = std::move(strokes);
    gesture.templates = generateTemplates(gesture.strokes);
    m_loadedGestures.push_back(std::move(gesture));
}

void ReferenceRecognizer::removeGestureWithIdentity(const std::string& identity)
{
    for (size_t i = 0; i < m_loadedGestures.size(); ++i) {
        if (m_loadedGestures[i].identity == identity) {
            m_loadedGestures.erase(m_loadedGestures.begin() + long(i));
            return;
        }
    }
}

ReferenceRecognition ReferenceRecognizer::recognizeGestureWithStrokes(const std::vector<GestureStroke>& strokes) const
{
    ReferenceRecognition recognition;
    GestureStroke joined = joinStrokes(strokes);
    if (joined.pointCount() < minimumCandidatePoints)
        return recognition;
    ReferenceTemplate candidate = makeTemplate(joined);
    float best = largestFloat;
    bool hasIdentity = false;
    for (size_t g = 0; g < m_loadedGestures.size(); ++g) {
        const ReferenceGesture& gesture = m_loadedGestures[g];
        if (gesture.strokes.size() != strokes.size())
            continue;
        for (size_t t = 0; t < gesture.templates.size(); ++t) {
            float angle = angleBetweenVectors(candidate.startUnitVector, gesture.templates[t].startUnitVector);
            if (!(angle <= startDirectionTolerance()))
                continue;
            float d = distanceAtBestAngle(candidate.stroke, gesture.templates[t].stroke);
            recognition.searched.push_back({ g, t, d });
            if (d < best) {
                recognition.identity = gesture.identity;
                recognition.score = scoreOfDistance(d);
                recognition.bestGestureIndex = g;
                recognition.bestTemplateIndex = t;
                hasIdentity = true;
                best = d;
            }
        }
    }
    recognition.bestDistance = best;
    recognition.hasResult = hasIdentity && !recognition.identity.empty() && recognition.score > 0;
    return recognition;
}

}
