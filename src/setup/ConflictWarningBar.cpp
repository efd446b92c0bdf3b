#include "setup/ConflictWarningBar.h"

#include "appearance/AppPalette.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace scriblo {

namespace {

// Qt would present the bar as a plain frame; as an alert, a screen reader reads it out
// when it shows, wherever the user's attention is.
QAccessibleInterface* accessibleAsAlert(const QString& className, QObject* object)
{
    if (className != QLatin1String(ConflictWarningBar::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
}

}

ConflictWarningBar::ConflictWarningBar(QWidget* parent)
    : QFrame(parent)
    , message(new QLabel(this))
    , assignAnywayButton(new QPushButton(tr("Assign Anyway"), this))
    , drawAgainButton(new QPushButton(tr("Draw Again"), this))
{
    static const bool alertRoleInstalled = (QAccessible::installFactory(accessibleAsAlert), true);
    Q_UNUSED(alertRoleInstalled);
    setAccessibleName(tr("Gesture conflict"));
    message->setAccessibleName(tr("Conflict warning"));
    message->setWordWrap(true);
    assignAnywayButton->setAccessibleName(tr("Assign Anyway"));
    drawAgainButton->setAccessibleName(tr("Draw Again"));
    auto buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch(1);
    for (QPushButton* button : { assignAnywayButton, drawAgainButton }) {
        // As tall as the window's other buttons.
        button->setMinimumHeight(26);
        buttons->addWidget(button);
    }
    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(message);
    layout->addLayout(buttons);
    hide();
}

void ConflictWarningBar::warn(const QString& name, int score)
{
    // The window's look gives each widget its palette when it polishes it, so the colour
    // of a warning goes on after that.
    message->ensurePolished();
    QPalette warning = message->palette();
    warning.setColor(QPalette::WindowText, AppPalette::warning());
    message->setPalette(warning);
    message->setText(tr("This looks like the gesture for %1 (%2%).").arg(name, QLocale().toString(score)));
    // The name says what the label is, so a screen reader hears the warning itself here,
    // and in the alert that announces the bar.
    message->setAccessibleDescription(message->text());
    setAccessibleDescription(message->text());
    show();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    drawAgainButton->setFocus(Qt::OtherFocusReason);
}

}
