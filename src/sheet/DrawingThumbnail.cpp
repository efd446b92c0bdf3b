#include "sheet/DrawingThumbnail.h"

#include "appearance/StrokePainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace scriblo {

namespace {

constexpr double cornerRadius = 4;
const QColor wellColour = QColor::fromRgbF(0.09f, 0.09f, 0.09f);
// Points closer together than this, in the painter's units, add nothing a reader sees:
// a stroke of 1,024 points crosses a well of some 170 units, and every point kept is
// a curve in the printed page's content, to be compressed and drawn.
constexpr double smallestStep = 0.75;

struct Point {
    double x;
    double y;
};

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

void DrawingThumbnail::paint(QPainter& painter, const QRectF& well, const std::vector<GestureStroke>& strokes)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.08f), 1));
    painter.setBrush(wellColour);
    painter.drawRoundedRect(well.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    const double lineWidth = std::clamp(well.height() / 40, 1.5, 6.0);
    const QRectF room = well.adjusted(lineWidth * 3, lineWidth * 3, -lineWidth * 3, -lineWidth * 3);
    const QRectF drawn = extent(strokes);
    // A straight line has no extent across it; it is scaled along its length only.
    const double scale = std::min(drawn.width() > 0 ? room.width() / drawn.width() : std::numeric_limits<double>::max(),
                                  drawn.height() > 0 ? room.height() / drawn.height() : std::numeric_limits<double>::max());
    const double fit = scale == std::numeric_limits<double>::max() ? 1 : scale;
    painter.setBrush(Qt::NoBrush);
    for (const auto& stroke : strokes) {
        std::vector<Point> points;
        points.reserve(stroke.points().size());
        // Stored points grow upward; the page's y grows downward.
        const auto& stored = stroke.points();
        for (size_t i = 0; i < stored.size(); ++i) {
            Point placed { room.center().x() + (stored[i].x() - drawn.center().x()) * fit,
                           room.center().y() - (stored[i].y() - drawn.center().y()) * fit };
            bool last = i + 1 == stored.size();
            if (!points.empty() && !last && std::hypot(placed.x - points.back().x, placed.y - points.back().y) < smallestStep)
                continue;
            points.push_back(placed);
        }
        StrokePainter::paintStroke(painter, StrokePainter::pathThrough(points), lineWidth, wellColour);
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
