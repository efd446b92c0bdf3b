#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace scriblo::testing {

// A left-button mouse event at `position` in `widget`, handed to it as the window
// system's would be; `buttons` are those held once it has happened.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, position, widget->mapToGlobal(position), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

}
