#pragma once

#include <QEvent>
#include <QObject>

namespace scriblo::benchmarks {

// Notes when the watched widget paints: a window is open for its user once its first
// frame is painted, not when show() returns.
class PaintWatcher final : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

}
