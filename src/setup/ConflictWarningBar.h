#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace scriblo {

// The bar below the drawing area that says a new drawing looks like another target's
// gesture and asks whether to keep it. It is part of the window, so the drawing area and
// the list stay usable, and the question never stalls the event loop.
class ConflictWarningBar : public QFrame {
    Q_OBJECT
public:
    explicit ConflictWarningBar(QWidget* parent = nullptr);

    // Shows the question about the target `name` at `score` percent and moves the
    // keyboard to Draw Again, the choice that changes nothing.
    void warn(const QString& name, int score);

    QLabel* message;
    QPushButton* assignAnywayButton;
    QPushButton* drawAgainButton;
};

}
