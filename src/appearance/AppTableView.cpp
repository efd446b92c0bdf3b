#include "appearance/AppTableView.h"

#include <QFocusEvent>

namespace scriblo {

AppTableView::AppTableView(QWidget* parent)
    : QListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setIconSize(QSize(18, 18));
    setFrameShape(QFrame::NoFrame);
}

void AppTableView::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    emit tableViewFocus(false);
}

void AppTableView::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    // A menu or another window taking the keyboard for a moment does not take the
    // selection's buttons away; only a move to another control does.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit tableViewFocus(true);
}

}
