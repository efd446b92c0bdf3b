#include "sheet/GestureSheet.h"

#include "appearance/IconResolver.h"
#include "sheet/DrawingThumbnail.h"
#include "sheet/TextLines.h"

#include <QFontMetricsF>
#include <QPainter>

namespace scriblo {

namespace {

constexpr double margin = 48;
constexpr double headerHeight = 48;
constexpr double headingHeight = 36;
constexpr double columnGap = 16;
constexpr double rowGap = 14;
constexpr double wellHeight = 112;
// A gesture of several drawings shows the first above a row of the others, each in a
// small well of its own; one of a single drawing keeps the whole well.
constexpr double furtherWellHeight = 34;
constexpr double furtherWellGap = 4;
// Room for a name on two lines below the well; a longer one is cut short on the second.
constexpr int nameLineCount = 2;
constexpr double nameLineHeight = 16;
constexpr double nameHeight = nameLineCount * nameLineHeight + 6;
constexpr double iconSide = 20;
// Room for three lines of the reason an unavailable gesture gives, more with a short name.
constexpr double reasonHeight = 42;
constexpr double cellHeight = wellHeight + nameHeight + reasonHeight;
constexpr double contentWidth = GestureSheet::pageSize.width() - 2 * margin;
constexpr double cellWidth = (contentWidth - (GestureSheet::columnCount - 1) * columnGap) / GestureSheet::columnCount;
constexpr double contentTop = margin + headerHeight;
constexpr double contentBottom = GestureSheet::pageSize.height() - margin;

// Sets `lines` one below the other, each in a row the size of `firstRow`, and says where
// the row after the last would start.
double paintLines(QPainter& painter, const QStringList& lines, QRectF firstRow)
{
    for (const QString& line : lines) {
        painter.drawText(firstRow, Qt::AlignLeft | Qt::AlignVCenter, line);
        firstRow.translate(0, firstRow.height());
    }
    return firstRow.top();
}

QFont fontOfSize(double pixels, bool bold = false)
{
    QFont font;
    font.setPixelSize(int(pixels));
    font.setBold(bold);
    return font;
}

}

GestureSheet::GestureSheet(std::vector<SheetGroup> groups, IconResolver& icons)
    : m_groups(std::move(groups))
    , m_icons(icons)
{
    layOut();
}

// A group's heading never ends a page: it moves to the next one with its first row,
// and a group that goes on over a page break is named again above the rest.
void GestureSheet::layOut()
{
    m_pages.emplace_back();
    double top = contentTop;
    for (const auto& group : m_groups) {
        if (top + headingHeight + cellHeight > contentBottom) {
            m_pages.emplace_back();
            top = contentTop;
        }
        m_pages.back().headings.push_back({ top, group.title });
        top += headingHeight;
        for (size_t index = 0; index < group.entries.size(); ++index) {
            size_t column = index % columnCount;
            if (column == 0 && index > 0) {
                top += cellHeight + rowGap;
                if (top + cellHeight > contentBottom) {
                    m_pages.emplace_back();
                    top = contentTop;
                    m_pages.back().headings.push_back({ top, tr("%1 (continued)").arg(group.title) });
                    top += headingHeight;
                }
            }
            QPointF origin(margin + double(column) * (cellWidth + columnGap), top);
            m_pages.back().cells.push_back({ origin, &group.entries[index] });
        }
        top += cellHeight + rowGap;
    }
}

void GestureSheet::paintPage(QPainter& painter, int index) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), pageSize), Qt::white);
    paintHeader(painter, index);
    const Page& page = m_pages.at(size_t(index));
    for (const auto& heading : page.headings)
        paintHeading(painter, heading);
    for (const auto& cell : page.cells)
        paintCell(painter, cell);
    if (m_groups.empty()) {
        painter.setFont(fontOfSize(14));
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(QRectF(margin, contentTop, contentWidth, headingHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         tr("No gestures are stored yet. Assign one in the setup window."));
    }
    painter.restore();
}

void GestureSheet::paintHeader(QPainter& painter, int index) const
{
    const QRectF header(margin, margin, contentWidth, headerHeight - 12);
    painter.setPen(Qt::black);
    painter.setFont(fontOfSize(20, true));
    painter.drawText(header, Qt::AlignLeft | Qt::AlignTop, tr("Scriblo Gestures"));
    painter.setPen(QColor(90, 90, 90));
    painter.setFont(fontOfSize(11));
    painter.drawText(header, Qt::AlignRight | Qt::AlignTop, tr("Page %1 of %2").arg(index + 1).arg(pageCount()));
}

void GestureSheet::paintHeading(QPainter& painter, const Heading& heading) const
{
    const QRectF line(margin, heading.top, contentWidth, headingHeight - 10);
    painter.setPen(QColor(40, 40, 40));
    painter.setFont(fontOfSize(15, true));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, heading.text);
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    painter.drawLine(QPointF(margin, line.bottom() + 2), QPointF(margin + contentWidth, line.bottom() + 2));
}

void GestureSheet::paintDrawings(QPainter& painter, const Gesture& gesture, QPointF origin) const
{
    const int further = gesture.drawingCount() - 1;
    if (further <= 0) {
        DrawingThumbnail::paint(painter, QRectF(origin, QSizeF(cellWidth, wellHeight)), gesture.strokes(), DrawingThumbnail::Look::Ink);
        return;
    }
    const double firstHeight = wellHeight - furtherWellHeight - furtherWellGap;
    DrawingThumbnail::paint(painter, QRectF(origin, QSizeF(cellWidth, firstHeight)), gesture.strokes(), DrawingThumbnail::Look::Ink);
    const double width = (cellWidth - (Gesture::maximumDrawingCount - 2) * furtherWellGap) / (Gesture::maximumDrawingCount - 1);
    for (int d = 1; d <= further; ++d) {
        QPointF at(origin.x() + (d - 1) * (width + furtherWellGap), origin.y() + firstHeight + furtherWellGap);
        DrawingThumbnail::paint(painter, QRectF(at, QSizeF(width, furtherWellHeight)), gesture.drawing(d), DrawingThumbnail::Look::Ink);
    }
}

void GestureSheet::paintCell(QPainter& painter, const Cell& cell) const
{
    const SheetEntry& entry = *cell.entry;
    paintDrawings(painter, *entry.gesture, cell.origin);
    const double nameTop = cell.origin.y() + wellHeight + 4;
    double textLeft = cell.origin.x();
    if (!entry.absence) {
        QIcon icon = entry.icon.empty() ? m_icons.fallbackIcon() : m_icons.iconFor(entry.icon);
        icon.paint(&painter, QRectF(textLeft, nameTop, iconSide, iconSide).toRect());
        textLeft += iconSide + 6;
    }
    const double textWidth = cell.origin.x() + cellWidth - textLeft;
    const QFont nameFont = fontOfSize(12, true);
    // The first line sits level with the icon's middle.
    const double firstLineTop = nameTop + (iconSide - nameLineHeight) / 2;
    painter.setFont(nameFont);
    painter.setPen(Qt::black);
    const double nameBottom = paintLines(painter, TextLines::of(entry.name, nameFont, textWidth, nameLineCount),
                                         QRectF(textLeft, firstLineTop, textWidth, nameLineHeight));
    if (!entry.absence)
        return;
    // The reason takes what the name leaves of the cell, and a longer one (a language's
    // longer words) is cut short on its last line instead of clipped through a line.
    const QFont reasonFont = fontOfSize(10);
    const double reasonLineHeight = QFontMetricsF(reasonFont).lineSpacing();
    const double reasonTop = nameBottom + 2;
    const int reasonLineCount = int((cell.origin.y() + cellHeight - reasonTop) / reasonLineHeight);
    painter.setFont(reasonFont);
    painter.setPen(QColor(150, 40, 30));
    paintLines(painter, TextLines::of(GestureSheetContents::reason(*entry.absence), reasonFont, cellWidth, reasonLineCount, Qt::ElideRight),
               QRectF(cell.origin.x(), reasonTop, cellWidth, reasonLineHeight));
}

}
