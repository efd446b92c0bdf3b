#include "setup/ConflictWarningBar.h"

#include <QHBoxLayout>
#include <QLabel>
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
    auto layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(message, 1);
    layout->addWidget(assignAnywayButton);
    layout->addWidget(drawAgainButton);
    hide();
}

void ConflictWarningBar::warn(const QString& name, int score)
{
    message->setText(tr("This looks like the gesture for %1 (%2%).").arg(name).arg(score));
    // The name says what the label is, so a screen reader hears the warning itself here.
    message->setAccessibleDescription(message->text());
    show();
    drawAgainButton->setFocus(Qt::OtherFocusReason);
}

}
