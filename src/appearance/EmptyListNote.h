#pragma once

#include <QString>

class QAbstractScrollArea;
class QLabel;

namespace scriblo {

// A few words across a list that has no rows, saying why, where the user looks for the
// rows; in the grey of a placeholder, so that it never reads as a row.
class EmptyListNote {
public:
    // Hidden until shown.
    static QLabel* inside(QAbstractScrollArea* list, const QString& accessibleName);
    // Shows `text`, or hides the note when it is empty; a screen reader hears the text.
    static void show(QLabel* note, const QString& text);
};

}
