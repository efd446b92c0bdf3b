#include "setup/ConflictWarningBar.h"

#include "appearance/AppPalette.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace scriblo {

ConflictWarningBar::ConflictWarningBar(QWidget* parent)
    : QFrame(parent)
    , message(new QLabel(this))
    , assignAnywayButton(new QPushButton(tr("Assign Anyway"), this))
    , drawAgainButton(new QPushButton(tr("Draw Again"), this))
{
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
    // The name says what the label is, so a screen reader hears the warning itself here.
    message->setAccessibleDescription(message->text());
    show();
    drawAgainButton->setFocus(Qt::OtherFocusReason);
}

}
