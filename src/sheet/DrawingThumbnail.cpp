#include "sheet/DrawingThumbnail.h"

#include "appearance/StrokePainter.h"
#include "sheet/RoundPenOutline.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace scriblo {

namespace {

constexpr double cornerRadius = 4;
const QColor wellColour = QColor::fromRgbF(0.09f, 0.09f, 0.09f);
const QColor inkColour(25, 25, 25);
const QColor frameColour(200, 200, 200);
// A point that moves the line less than this, in the painter's units, adds nothing a
// reader sees: a stroke of 1,024 points crosses a well of some 170 units, and every
// point kept is a round join to draw, twice, and a curve in a printed page.
constexpr double tolerance = 0.3;

struct Point {
    double x;
    double y;
};

// Distances from the line through two points. The line's length is taken once, not once
// a point: std::hypot is careful and slow, and it took an eighth of a full store's sheet.
auto distancesFromLine(const Point& from, const Point& to)
{
    double dx = to.x - from.x;
    double dy = to.y - from.y;
    double length = std::hypot(dx, dy);
    return [from, dx, dy, length](const Point& point) {
        if (length == 0)
            return std::hypot(point.x - from.x, point.y - from.y);
        return std::abs(dy * (point.x - from.x) - dx * (point.y - from.y)) / length;
    };
}

// Keeps the points between `first` and `last` that stand further than the tolerance
// from the line through the two, and so on within each part (Douglas and Peucker).
void keepFarPoints(const std::vector<Point>& points, size_t first, size_t last, std::vector<bool>& kept)
{
    std::vector<std::pair<size_t, size_t>> parts { { first, last } };
    while (!parts.empty()) {
        auto [from, to] = parts.back();
        parts.pop_back();
        double farthest = tolerance;
        size_t far = from;
        auto distanceFromLine = distancesFromLine(points[from], points[to]);
        for (size_t i = from + 1; i < to; ++i)
            if (double distance = distanceFromLine(points[i]); distance > farthest) {
                farthest = distance;
                far = i;
            }
        if (far == from)
            continue;
        kept[far] = true;
        parts.emplace_back(from, far);
        parts.emplace_back(far, to);
    }
}

std::vector<Point> simplified(const std::vector<Point>& points)
{
    if (points.size() < 3)
        return points;
    std::vector<bool> kept(points.size(), false);
    kept.front() = kept.back() = true;
    keepFarPoints(points, 0, points.size() - 1, kept);
    std::vector<Point> result;
    for (size_t i = 0; i < points.size(); ++i)
        if (kept[i])
            result.push_back(points[i]);
    return result;
}

}

QRectF DrawingThumbnail::extent(const std::vector<GestureStroke>& strokes)
{
    double left = std::numeric_limits<double>::max();
    double top = left;
    double right = std::numeric_limits<double>::lowest();
    double bottom = right;
    for (const auto& stroke : strokes)
        for (const auto& point : stroke.points()) {
            left = std::min(left, double(point.x()));
            right = std::max(right, double(point.x()));
            top = std::min(top, double(point.y()));
            bottom = std::max(bottom, double(point.y()));
        }
    return left > right ? QRectF() : QRectF(QPointF(left, top), QPointF(right, bottom));
}

void DrawingThumbnail::paintWell(QPainter& painter, const QRectF& well, Look look)
{
    switch (look) {
    case Look::Screen:
        painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.08f), 1));
        painter.setBrush(wellColour);
        break;
    case Look::Ink:
        // On pixels the frame is filled as the ring its pen would cover: Qt strokes a
        // rounded corner as dozens of tiny segments and measures the angle of every join
        // between them, which took a fifth of a page's painting. A printed page keeps the
        // pen, one stroke operator.
        if (painter.paintEngine()->type() == QPaintEngine::Raster) {
            QPainterPath ring;
            ring.addRoundedRect(well, cornerRadius + 0.5, cornerRadius + 0.5);
            ring.addRoundedRect(well.adjusted(1, 1, -1, -1), cornerRadius - 0.5, cornerRadius - 0.5);
            painter.fillPath(ring, frameColour);
            painter.setBrush(Qt::NoBrush);
            return;
        }
        painter.setPen(QPen(frameColour, 1));
        painter.setBrush(Qt::NoBrush);
        break;
    }
    painter.drawRoundedRect(well.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    painter.setBrush(Qt::NoBrush);
}

void DrawingThumbnail::paintLine(QPainter& painter, const QPainterPath& path, double lineWidth, Look look)
{
    switch (look) {
    case Look::Screen:
        StrokePainter::paintStroke(painter, path, lineWidth, wellColour);
        return;
    case Look::Ink:
        if (painter.paintEngine()->type() == QPaintEngine::Raster) {
            const double pixelsPerUnit = std::sqrt(std::abs(painter.deviceTransform().determinant()));
            painter.fillPath(RoundPenOutline::of(path, lineWidth, pixelsPerUnit), inkColour);
            return;
        }
        // One opaque pen: a printed page keeps it as a single stroke operator.
        painter.setPen(QPen(inkColour, lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
        return;
    }
}

void DrawingThumbnail::paint(QPainter& painter, const QRectF& well, const std::vector<GestureStroke>& strokes, Look look)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintWell(painter, well, look);
    const double lineWidth = std::clamp(well.height() / 40, 1.5, 6.0);
    const QRectF room = well.adjusted(lineWidth * 3, lineWidth * 3, -lineWidth * 3, -lineWidth * 3);
    const QRectF drawn = extent(strokes);
    // A straight line has no extent across it; it is scaled along its length only.
    const double scale = std::min(drawn.width() > 0 ? room.width() / drawn.width() : std::numeric_limits<double>::max(),
                                  drawn.height() > 0 ? room.height() / drawn.height() : std::numeric_limits<double>::max());
    const double fit = scale == std::numeric_limits<double>::max() ? 1 : scale;
    for (const auto& stroke : strokes) {
        std::vector<Point> points;
        points.reserve(stroke.points().size());
        // Stored points grow upward; the page's y grows downward.
        const auto& stored = stroke.points();
        for (const auto& point : stored)
            points.push_back({ room.center().x() + (point.x() - drawn.center().x()) * fit,
                               room.center().y() - (point.y() - drawn.center().y()) * fit });
        paintLine(painter, StrokePainter::pathThrough(simplified(points)), lineWidth, look);
    }
    painter.restore();
}

QPixmap DrawingThumbnail::pixmap(const std::vector<GestureStroke>& strokes, QSize size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)), strokes);
    return pixmap;
}

}
