#pragma once

#include "sheet/GestureSheetContents.h"

#include <QCoreApplication>
#include <QPointF>
#include <QSizeF>

#include <vector>

class QPainter;

namespace scriblo {

class IconResolver;

// The stored gestures laid out on printable pages: A4 portrait, in page units of 1/96
// inch, a grid of cells under a heading for each group, each cell the drawing in ink in
// its frame, the target's icon and name, and for an unavailable target the reason.
class GestureSheet {
    Q_DECLARE_TR_FUNCTIONS(GestureSheet)
public:
    // A4 at 96 units an inch.
    static constexpr QSizeF pageSize { 793.7, 1122.5 };
    static constexpr int columnCount = 4;

    GestureSheet(std::vector<SheetGroup> groups, IconResolver& icons);

    int pageCount() const { return int(m_pages.size()); }
    // Paints page `index` (from 0) in page units onto a white page.
    void paintPage(QPainter& painter, int index) const;

private:
    struct Heading {
        double top;
        QString text;
    };
    struct Cell {
        QPointF origin;
        const SheetEntry* entry;
    };
    struct Page {
        std::vector<Heading> headings;
        std::vector<Cell> cells;
    };

    void layOut();
    void paintHeader(QPainter& painter, int index) const;
    void paintHeading(QPainter& painter, const Heading& heading) const;
    void paintCell(QPainter& painter, const Cell& cell) const;
    void paintDrawings(QPainter& painter, const Gesture& gesture, QPointF origin) const;

    std::vector<SheetGroup> m_groups;
    IconResolver& m_icons;
    std::vector<Page> m_pages;
};

}
