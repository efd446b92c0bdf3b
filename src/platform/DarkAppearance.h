#pragma once

#include <QObject>

namespace scriblo {

// Whether the desktop asks for a dark look; darkable images follow it while drawing.
class DarkAppearance : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isDark() const = 0;

Q_SIGNALS:
    void darkChanged(bool dark);
};

}
