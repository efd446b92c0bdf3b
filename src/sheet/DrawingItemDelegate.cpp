#include "sheet/DrawingItemDelegate.h"

#include "sheet/DrawingThumbnail.h"

#include <QPainter>

namespace scriblo {

DrawingItemDelegate::DrawingItemDelegate(QSize drawingSize, DrawingOf drawingOf, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_drawingSize(drawingSize)
    , m_drawingOf(std::move(drawingOf))
{
}

void DrawingItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* strokes = m_drawingOf(index);
    if (!strokes) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The selection's highlight first, then the drawing on it.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    QStyledItemDelegate::paint(painter, background, index);
    QRectF well(option.rect.topLeft() + QPointF(padding, padding), QSizeF(m_drawingSize));
    DrawingThumbnail::paint(*painter, well, *strokes);
}

QSize DrawingItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!m_drawingOf(index))
        return QStyledItemDelegate::sizeHint(option, index);
    return m_drawingSize + QSize(2 * padding, 2 * padding);
}

}
