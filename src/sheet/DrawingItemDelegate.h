#pragma once

#include "core/GestureStroke.h"

#include <QStyledItemDelegate>

#include <functional>
#include <vector>

namespace scriblo {

// Paints a row's drawing straight into the list when the row comes into view, so a
// store of a thousand gestures costs no more to open than the rows a window shows.
class DrawingItemDelegate : public QStyledItemDelegate {
public:
    // The drawing of a row, or null for a row without one.
    using DrawingOf = std::function<const std::vector<GestureStroke>*(const QModelIndex&)>;

    DrawingItemDelegate(QSize drawingSize, DrawingOf drawingOf, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    static constexpr int padding = 3;

    QSize m_drawingSize;
    DrawingOf m_drawingOf;
};

}
