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
    Q_EMIT tableViewFocus(false);
}

void AppTableView::focusOutEvent(QFocusEvent* event)
{
    QListView::focusOutEvent(event);
    // A menu or another window taking the keyboard for a moment does not take the
    // selection's buttons away, and nor does a walk with Tab, which reads on past the
    // list without choosing anything else, so that it reaches the buttons from either
    // side; a click on another control or a program's move does.
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
        return;
    default:
        Q_EMIT tableViewFocus(true);
    }
}

}
