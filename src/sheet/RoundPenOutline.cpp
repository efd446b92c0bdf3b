#include "sheet/RoundPenOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace scriblo {

namespace {

// How far a chord of an arc may fall inside the circle, in pixels: Qt's own tolerance
// when it flattens the curves of a round join.
constexpr double chordDepth = 0.25;

double cross(QPointF a, QPointF b) { return a.x() * b.y() - a.y() * b.x(); }

double dot(QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); }

// Traces the outline as the pen's right-hand edge (its direction turned a quarter towards
// +y) going out and the other edge coming back; every arc then turns the same way,
// negatively, and the whole outline winds one way.
class Tracer {
public:
    Tracer(double radius, double pixelsPerUnit)
        : m_radius(radius)
        , m_step(radius * pixelsPerUnit > chordDepth ? 2 * std::acos(1 - chordDepth / (radius * pixelsPerUnit))
                                                     : std::numbers::pi / 2)
    {
        m_path.setFillRule(Qt::WindingFill);
    }

    // The edge's offset from the line along a segment's direction.
    QPointF side(QPointF from, QPointF to) const
    {
        QPointF along = to - from;
        return QPointF(-along.y(), along.x()) * (m_radius / std::hypot(along.x(), along.y()));
    }

    void start(QPointF point) { m_path.moveTo(point); }

    void lineTo(QPointF point) { m_path.lineTo(point); }

    // Round `centre` from the offset `from` to `to`, turning by `angle`.
    void arc(QPointF centre, QPointF from, QPointF to, double angle)
    {
        const int steps = std::max(1, int(std::ceil(std::abs(angle) / m_step)));
        const double c = std::cos(angle / steps);
        const double s = std::sin(angle / steps);
        QPointF v = from;
        for (int i = 1; i < steps; ++i) {
            v = QPointF(v.x() * c - v.y() * s, v.x() * s + v.y() * c);
            m_path.lineTo(centre + v);
        }
        m_path.lineTo(centre + to);
    }

    // At a turn from offset `before` to `after` on the edge being traced: an arc where the
    // edge is on the outside; inside, the edge goes by the point itself, so that the
    // overlap of the two segments stays filled however sharp the turn.
    void join(QPointF point, QPointF before, QPointF after)
    {
        const double turn = cross(before, after);
        if (turn > 0) {
            m_path.lineTo(point);
            m_path.lineTo(point + after);
        } else if (turn < 0 || dot(before, after) < 0) {
            arc(point, before, after, -std::atan2(std::abs(turn), dot(before, after)));
        }
    }

    QPainterPath finished()
    {
        m_path.closeSubpath();
        return m_path;
    }

private:
    double m_radius;
    double m_step;
    QPainterPath m_path;
};

}

QPainterPath RoundPenOutline::of(const QPainterPath& polyline, double width, double pixelsPerUnit)
{
    std::vector<QPointF> points;
    points.reserve(size_t(polyline.elementCount()));
    for (int i = 0; i < polyline.elementCount(); ++i) {
        QPointF point = polyline.elementAt(i);
        // A point on top of the last one turns nowhere.
        if (points.empty() || point != points.back())
            points.push_back(point);
    }
    if (points.empty())
        return QPainterPath();
    Tracer tracer(width / 2, pixelsPerUnit);
    if (points.size() == 1) {
        const QPointF right(width / 2, 0);
        tracer.start(points.front() + right);
        tracer.arc(points.front(), right, -right, -std::numbers::pi);
        tracer.arc(points.front(), -right, right, -std::numbers::pi);
        return tracer.finished();
    }
    const size_t last = points.size() - 1;
    std::vector<QPointF> sides;
    sides.reserve(last);
    for (size_t i = 0; i < last; ++i)
        sides.push_back(tracer.side(points[i], points[i + 1]));
    tracer.start(points[0] + sides[0]);
    for (size_t i = 1; i <= last; ++i) {
        tracer.lineTo(points[i] + sides[i - 1]);
        if (i < last)
            tracer.join(points[i], sides[i - 1], sides[i]);
    }
    // Round the far end by its front, back along the other edge, round the near end.
    tracer.arc(points[last], sides[last - 1], -sides[last - 1], -std::numbers::pi);
    for (size_t i = last; i-- > 0;) {
        tracer.lineTo(points[i] - sides[i]);
        if (i > 0)
            tracer.join(points[i], -sides[i], -sides[i - 1]);
    }
    tracer.arc(points[0], -sides[0], sides[0], -std::numbers::pi);
    return tracer.finished();
}

}
