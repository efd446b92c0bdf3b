#include "recognition/GestureRecognitionWindow.h"

#include "appearance/RoundedCornerView.h"
#include "recognition/GestureRecognitionView.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace scriblo {

namespace {

QRect rectOf(const GeometryRect& rect)
{
    return QRectF(rect.x, rect.y, rect.width, rect.height).toRect();
}

// Geometry is in pixels, so the sizes are pixel sizes of the desktop's own UI font.
QFont uiFont(double pixelSize)
{
    QFont font = QApplication::font();
    font.setPixelSize(std::max(1, int(pixelSize + 0.5)));
    return font;
}

}

GestureRecognitionWindow::GestureRecognitionWindow(GestureRecognitionView* recognitionView)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint | Qt::Tool)
    , m_backgroundView(new RoundedCornerView(this))
    , m_appIconAlert(makeLabel(tr("Launched target's icon")))
    , m_appDescriptionAlert(makeLabel(tr("Launched target")))
    , m_appFailureAlert(makeLabel(tr("Why the target did not start")))
    , m_partialIconAlert(makeLabel(tr("Best match's icon")))
    , m_partialDescriptionAlert(makeLabel(tr("Best match so far")))
    , m_addToGesture(new QPushButton(this))
    , m_recognitionView(recognitionView)
{
    setAccessibleName(tr("Gesture drawing window"));
    setWindowTitle(tr("Scriblo"));
    setAttribute(Qt::WA_TranslucentBackground);
    m_backgroundView->setAccessibleName(tr("Background"));
    m_appDescriptionAlert->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_appFailureAlert->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    // A failure must not read as a launch: the line is the colour of a warning.
    QPalette failurePalette = m_appFailureAlert->palette();
    failurePalette.setColor(QPalette::WindowText, QColor(255, 138, 128));
    m_appFailureAlert->setPalette(failurePalette);
    m_partialDescriptionAlert->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The capture view lies on top, so every press and move reaches it.
    m_recognitionView->setParent(this);
    m_recognitionView->raise();
    // Above the capture view, which would otherwise take its click.
    m_addToGesture->raise();
    // Named before any miss names its gesture.
    m_addToGesture->setText(tr("Add to Gesture"));
    m_addToGesture->setAccessibleName(m_addToGesture->text());
    m_addToGesture->hide();
    connect(m_addToGesture, &QPushButton::clicked, this, &GestureRecognitionWindow::additionChosen);
}

QLabel* GestureRecognitionWindow::makeLabel(const QString& accessibleName)
{
    auto* label = new QLabel(this);
    label->setAccessibleName(accessibleName);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, resultColour(Result::Launch));
    label->setPalette(palette);
    return label;
}

RecognitionWindowLayout GestureRecognitionWindow::layoutFor(const std::vector<QRect>& screens, QPoint pointer,
                                                            WindowSize size)
{
    double desktopBottom = 0;
    for (const QRect& screen : screens)
        desktopBottom = std::max(desktopBottom, double(screen.y() + screen.height()));
    std::vector<GeometryRect> upward;
    for (const QRect& screen : screens)
        upward.push_back(flipRect({ double(screen.x()), double(screen.y()), double(screen.width()), double(screen.height()) }, desktopBottom));
    auto layout = layoutRecognitionWindow(upward, flipPoint({ double(pointer.x()), double(pointer.y()) }, desktopBottom), size);
    return layoutTopDown(layout, desktopBottom);
}

void GestureRecognitionWindow::applyLayout(const RecognitionWindowLayout& layout)
{
    setGeometry(rectOf(layout.frame));
    QRect content(0, 0, int(layout.frame.width + 0.5), int(layout.frame.height + 0.5));
    m_backgroundView->setGeometry(content);
    m_backgroundView->setAlpha(layout.backgroundAlpha);
    m_backgroundView->setRoundRadius(layout.cornerRadius);
    m_recognitionView->setGeometry(content);
    m_appIconAlert->setGeometry(rectOf(layout.appIcon));
    m_appDescriptionAlert->setGeometry(rectOf(layout.appDescription));
    m_appDescriptionAlert->setFont(uiFont(layout.appDescriptionFontSize));
    m_appFailureAlert->setGeometry(rectOf(layout.appFailure));
    m_appFailureAlert->setFont(uiFont(layout.appFailureFontSize));
    m_addToGesture->setFont(uiFont(layout.appFailureFontSize));
    m_partialIconAlert->setGeometry(rectOf(layout.partialIcon));
    m_partialDescriptionAlert->setGeometry(rectOf(layout.partialDescription));
    m_partialDescriptionAlert->setFont(uiFont(layout.partialDescriptionFontSize));
}

QColor GestureRecognitionWindow::resultColour(Result result)
{
    return result == Result::Miss ? QColor(160, 160, 160) : QColor(242, 242, 242);
}

void GestureRecognitionWindow::setAppResult(const QString& name, const QIcon& icon, const QString& line, Result result)
{
    QPalette palette = m_appDescriptionAlert->palette();
    palette.setColor(QPalette::WindowText, resultColour(result));
    m_appDescriptionAlert->setPalette(palette);
    QFontMetrics metrics(m_appDescriptionAlert->font());
    int room = m_appDescriptionAlert->width() - metrics.horizontalAdvance(QString(line).remove(QStringLiteral("%1")));
    QString whole = line.arg(name);
    m_appDescriptionAlert->setText(line.arg(metrics.elidedText(name, Qt::ElideRight, std::max(room, 0))));
    m_appDescriptionAlert->setToolTip(whole);
    // A screen reader reads a named label's name, not its text.
    m_appDescriptionAlert->setAccessibleDescription(whole);
    m_appFailureAlert->clear();
    offerAddition(std::nullopt);
    showIcon(m_appIconAlert, icon, result == Result::Miss ? QIcon::Disabled : QIcon::Normal);
}

void GestureRecognitionWindow::offerAddition(const std::optional<QString>& name)
{
    m_addToGesture->setVisible(name.has_value());
    if (!name)
        return;
    m_addToGesture->setText(tr("Add to %1").arg(*name));
    m_addToGesture->setAccessibleName(m_addToGesture->text());
    m_addToGesture->setAccessibleDescription(tr("Add this drawing to the gesture for %1").arg(*name));
    m_addToGesture->adjustSize();
    // Where a failure would be said: a miss has none.
    QPoint centre = m_appFailureAlert->geometry().center();
    m_addToGesture->move(centre - QPoint(m_addToGesture->width() / 2, m_addToGesture->height() / 2));
    m_addToGesture->raise();
    // Enter or Space takes the offer while the window has the keyboard.
    m_addToGesture->setFocus(Qt::OtherFocusReason);
}

void GestureRecognitionWindow::setAppFailure(const QString& failure)
{
    m_appFailureAlert->setText(failure);
}

void GestureRecognitionWindow::setPartialResult(const QString& text, const QIcon& icon)
{
    m_partialDescriptionAlert->setText(text);
    showIcon(m_partialIconAlert, icon);
}

void GestureRecognitionWindow::showIcon(QLabel* label, const QIcon& icon, QIcon::Mode mode)
{
    label->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(label->size(), label->devicePixelRatioF(), mode));
}

void GestureRecognitionWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_hadFocus = false;
}

void GestureRecognitionWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    // Only a focus the window had counts as lost: a window manager that never hands an
    // override-redirect window the focus must not end every capture at once.
    if (isActiveWindow())
        m_hadFocus = true;
    else if (m_hadFocus && isVisible())
        Q_EMIT resignedKey();
}

}
