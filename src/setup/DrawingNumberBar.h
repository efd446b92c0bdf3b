#pragma once

#include <QWidget>

#include <optional>
#include <utility>

class QLabel;
class QPushButton;

namespace scriblo {

// Along the foot of the drawing area while Show replays one of several drawings: which
// one it is ("Drawing 2 of 3") and the button that removes it from the gesture. Hidden
// for a gesture of one drawing, which Clear removes whole.
class DrawingNumberBar : public QWidget {
    Q_OBJECT
public:
    explicit DrawingNumberBar(QWidget* parent = nullptr);

    // `number` of `count`, or nothing to hide the bar.
    void showNumber(std::optional<std::pair<int, int>> numberOfCount);

    QLabel* numberText;
    QPushButton* removeButton;
};

}
