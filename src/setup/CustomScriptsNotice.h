#pragma once

#include <QMessageBox>

namespace scriblo {

// The once-ever notice that the scripts list takes the user's own scripts too, and from
// which folder.
class CustomScriptsNotice : public QMessageBox {
    Q_OBJECT
public:
    // Deletes itself when closed.
    CustomScriptsNotice(const QString& scriptsFolder, QWidget* setupWindow);
};

}
