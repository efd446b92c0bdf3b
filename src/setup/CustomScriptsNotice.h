#pragma once

#include <QMessageBox>

namespace scriblo {

class UserDefaults;

// The once-ever notice that the scripts list takes the user's own scripts too, and from
// which folder.
class CustomScriptsNotice : public QMessageBox {
    Q_OBJECT
public:
    static constexpr const char* shownCustomScriptsAlertKey = "shownCustomScriptsAlert";

    // Deletes itself when closed.
    CustomScriptsNotice(const QString& scriptsFolder, QWidget* setupWindow);

    // Opens the notice unless `storage` says it was shown before; what was opened, or
    // nothing.
    static CustomScriptsNotice* openOnceEver(UserDefaults& storage, QWidget* setupWindow);
};

}
