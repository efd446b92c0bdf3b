#include "setup/ConflictWarningBar.h"

#include "appearance/AccessibleRole.h"
#include "appearance/AppPalette.h"
#include "sheet/DrawingThumbnail.h"

#include <QAccessible>
#include <QBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace scriblo {

namespace {

// Small enough to leave the drawing area most of the column, large enough to tell a
// loop from a hook.
constexpr QSize pictureSize(72, 48);
constexpr int buttonPadding = 14;

}

ConflictWarningBar::ConflictWarningBar(QWidget* parent)
    : QFrame(parent)
    , message(new QLabel(this))
    , drawnPicture(new QLabel(this))
    , storedPicture(new QLabel(this))
    , assignAnywayButton(new QPushButton(tr("Assign Anyway"), this))
    , drawAgainButton(new QPushButton(tr("Draw Again"), this))
{
    // As an alert, a screen reader reads the bar out when it shows, wherever the user's
    // attention is.
    AccessibleRole::assign(staticMetaObject, QAccessible::AlertMessage);
    setAccessibleName(tr("Gesture conflict"));
    message->setAccessibleName(tr("Conflict warning"));
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
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
    auto drawings = new QHBoxLayout;
    drawings->setSpacing(6);
    drawings->addLayout(captioned(drawnPicture, tr("New")));
    drawings->addLayout(captioned(storedPicture, tr("Stored")));
    drawings->addWidget(message, 1);
    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addLayout(drawings);
    layout->addLayout(buttons);
    hide();
}

// The picture is named by its caption, which a screen reader reads as its label.
QLayout* ConflictWarningBar::captioned(QLabel* picture, const QString& caption)
{
    picture->setFixedSize(pictureSize);
    picture->setAccessibleName(caption);
    auto label = new QLabel(caption, this);
    label->setAccessibleName(caption);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setBuddy(picture);
    auto column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(picture);
    column->addWidget(label);
    column->addStretch(1);
    return column;
}

void ConflictWarningBar::draw(QLabel& picture, const std::vector<GestureStroke>& strokes)
{
    picture.setPixmap(DrawingThumbnail::pixmap(strokes, pictureSize, picture.devicePixelRatioF()));
}

void ConflictWarningBar::warn(const QString& name, int score, const std::vector<GestureStroke>& drawnStrokes,
                              const std::vector<GestureStroke>& storedStrokes)
{
    // The window's look gives each widget its palette when it polishes it, so the colour
    // of a warning goes on after that.
    message->ensurePolished();
    QPalette warning = message->palette();
    warning.setColor(QPalette::WindowText, AppPalette::warning());
    message->setPalette(warning);
    message->setText(tr("This looks like the gesture for %1 (%2%).").arg(name, QLocale().toString(score)));
    // The look's buttons hug their titles; these stand alone, so they get room beside them.
    for (QPushButton* button : { assignAnywayButton, drawAgainButton }) {
        button->ensurePolished();
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 2 * buttonPadding);
    }
    draw(*drawnPicture, drawnStrokes);
    draw(*storedPicture, storedStrokes);
    storedPicture->setAccessibleDescription(tr("The gesture for %1").arg(name));
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
