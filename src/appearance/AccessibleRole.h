#pragma once

#include <QAccessible>

namespace scriblo {

// Qt presents a widget class it does not know as a plain client area; a screen reader
// then finds no window to name, or no alert to read out. Classes assigned a role here are
// presented with it. Main thread only, as for any widget.
class AccessibleRole {
public:
    // Every widget of `type`, not of its subclasses, is presented as `role`. Call it
    // before a widget of the type is first presented (named, shown, focused): Qt keeps
    // the presentation it made first.
    static void assign(const QMetaObject& type, QAccessible::Role role);
};

}
