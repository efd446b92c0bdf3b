#pragma once

#include <QListView>

namespace scriblo {

// The list of targets: one column of rows with an icon and a name, which reports each
// time it gains or loses the keyboard focus, so that the buttons that act on its
// selection follow.
class AppTableView : public QListView {
    Q_OBJECT
public:
    explicit AppTableView(QWidget* parent = nullptr);

Q_SIGNALS:
    // `lost` is true when a click or the program took the focus elsewhere, false when the
    // table took it.
    void tableViewFocus(bool lost);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}
