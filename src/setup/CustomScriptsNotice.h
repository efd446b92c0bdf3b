#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

namespace scriblo {

class AppStyle;
class UserDefaults;

// The once-ever notice that the scripts list takes the user's own scripts too, and from
// which folder, drawn in the setup window's dark look since it speaks for that window.
class CustomScriptsNotice : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* shownCustomScriptsAlertKey = "shownCustomScriptsAlert";

    // Deletes itself when closed.
    CustomScriptsNotice(const QString& scriptsFolder, QWidget* setupWindow);
    ~CustomScriptsNotice() override;

    // Opens the notice unless `storage` says it was shown before; what was opened, or
    // nothing.
    static CustomScriptsNotice* openOnceEver(UserDefaults& storage, QWidget* setupWindow);

    // The folder as the notice shows it: the home folder as "~", and a line broken only
    // after a slash, never inside a name at a hyphen.
    static QString folderAsShown(const QString& folder);

    QLabel* heading;
    QLabel* body;
    QLabel* folderLabel;
    QPushButton* coolButton;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<AppStyle> m_style;
};

}
