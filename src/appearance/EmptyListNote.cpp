#include "appearance/EmptyListNote.h"

#include <QAbstractScrollArea>
#include <QLabel>
#include <QVBoxLayout>

namespace scriblo {

QLabel* EmptyListNote::inside(QAbstractScrollArea* list, const QString& accessibleName)
{
    auto note = new QLabel(list->viewport());
    note->setAccessibleName(accessibleName);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignCenter);
    note->setMargin(8);
    note->setForegroundRole(QPalette::PlaceholderText);
    note->hide();
    (new QVBoxLayout(list->viewport()))->addWidget(note);
    return note;
}

void EmptyListNote::show(QLabel* note, const QString& text)
{
    note->setText(text);
    note->setAccessibleDescription(text);
    note->setVisible(!text.isEmpty());
}

}
