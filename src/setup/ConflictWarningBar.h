#pragma once

#include "core/GestureStroke.h"

#include <QFrame>

#include <vector>

class QLabel;
class QLayout;
class QPushButton;

namespace scriblo {

// The bar below the drawing area that says a new drawing looks like another target's
// gesture and asks whether to keep it. It is part of the window, so the drawing area and
// the list stay usable, and the question never stalls the event loop.
class ConflictWarningBar : public QFrame {
    Q_OBJECT
public:
    explicit ConflictWarningBar(QWidget* parent = nullptr);

    // Shows the question about the target `name` at `score` percent, with the new
    // drawing beside `storedStrokes`, the gesture it looks like, and moves the keyboard
    // to Draw Again, the choice that changes nothing.
    void warn(const QString& name, int score, const std::vector<GestureStroke>& drawnStrokes,
              const std::vector<GestureStroke>& storedStrokes);

    QLabel* message;
    // The two drawings side by side, each with its caption below.
    QLabel* drawnPicture;
    QLabel* storedPicture;
    QPushButton* assignAnywayButton;
    QPushButton* drawAgainButton;

private:
    QLayout* captioned(QLabel* picture, const QString& caption);
    static void draw(QLabel& picture, const std::vector<GestureStroke>& strokes);
};

}
