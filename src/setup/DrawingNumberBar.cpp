#include "setup/DrawingNumberBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace scriblo {

DrawingNumberBar::DrawingNumberBar(QWidget* parent)
    : QWidget(parent)
    , numberText(new QLabel(this))
    , removeButton(new QPushButton(tr("Remove Drawing"), this))
{
    numberText->setAccessibleName(tr("Drawing shown"));
    numberText->setAttribute(Qt::WA_TransparentForMouseEvents);
    removeButton->setAccessibleName(removeButton->text());
    removeButton->setFocusPolicy(Qt::TabFocus);
    removeButton->setMinimumHeight(26);
    auto row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(numberText, 1);
    row->addWidget(removeButton);
    showNumber(std::nullopt);
}

void DrawingNumberBar::showNumber(std::optional<std::pair<int, int>> numberOfCount)
{
    QString text = numberOfCount ? tr("Drawing %1 of %2").arg(numberOfCount->first).arg(numberOfCount->second) : QString();
    numberText->setText(text);
    // A screen reader reads a named label's name, not its text.
    numberText->setAccessibleDescription(text);
    removeButton->setAccessibleDescription(
        numberOfCount ? tr("Remove drawing %1 of %2 from the gesture").arg(numberOfCount->first).arg(numberOfCount->second)
                      : QString());
    setVisible(numberOfCount.has_value());
}

}
