#pragma once

#include <QObject>

namespace scriblo {

// Whether something composites the screen: only then do translucent windows and fades
// look right; otherwise a window is painted opaque and shown without fading.
class Compositor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isCompositing() const = 0;

Q_SIGNALS:
    void compositingChanged(bool compositing);
};

}
