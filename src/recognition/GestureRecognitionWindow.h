#pragma once

#include "recognition/RecognitionWindowGeometry.h"

#include <QIcon>
#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;

namespace scriblo {

class GestureRecognitionView;
class RoundedCornerView;

// The frameless window the user draws in: above every other window and on every
// desktop, without asking the window manager (override-redirect on X11). It holds the
// dark background, the capture view and the four result controls, the launched target's
// icon and name in the middle and the partial match's near the lower left.
class GestureRecognitionWindow : public QWidget {
    Q_OBJECT
public:
    // The window always has an alpha channel, since a compositor may start or stop
    // while it exists and an X11 window's visual is fixed when it is made; without a
    // compositor the background view paints it opaque instead.
    explicit GestureRecognitionWindow(GestureRecognitionView* recognitionView);

    GestureRecognitionView* recognitionView() const { return m_recognitionView; }
    RoundedCornerView* backgroundView() const { return m_backgroundView; }
    QLabel* appIconAlert() const { return m_appIconAlert; }
    QLabel* appDescriptionAlert() const { return m_appDescriptionAlert; }
    QLabel* appFailureAlert() const { return m_appFailureAlert; }
    QLabel* partialIconAlert() const { return m_partialIconAlert; }
    QLabel* partialDescriptionAlert() const { return m_partialDescriptionAlert; }
    QPushButton* addToGestureButton() const { return m_addToGesture; }

    // The layout on the screen that holds the pointer, all in Qt's y-down desktop
    // coordinates; the window's geometry rules are stated y-up, hence the flips.
    static RecognitionWindowLayout layoutFor(const std::vector<QRect>& screens, QPoint pointer, WindowSize size);
    // A layout in y-down coordinates.
    void applyLayout(const RecognitionWindowLayout& layout);
    // A new result clears the failure line.
    // `line` shows the result, with `name` in place of its %1: a name too long for the
    // line is cut at its end, never the rest of the line (a score, a reason). Screen
    // readers hear it whole.
    // A miss is told from a launch at a glance: its icon dimmed, its line muted.
    enum class Result { Launch, Miss };
    void setAppResult(const QString& name, const QIcon& icon, const QString& line = QStringLiteral("%1"),
                      Result result = Result::Launch);
    void setAppFailure(const QString& failure);
    void setPartialResult(const QString& text, const QIcon& icon);
    // Offers, below a miss, to add the drawing to the gesture of `name`; nothing withdraws
    // the offer. A new result withdraws it too.
    void offerAddition(const std::optional<QString>& name);

Q_SIGNALS:
    // The user took the offer.
    void additionChosen();

    // The window lost the keyboard focus it had while shown.
    void resignedKey();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* makeLabel(const QString& accessibleName);
    static void showIcon(QLabel* label, const QIcon& icon, QIcon::Mode mode = QIcon::Normal);
    static QColor resultColour(Result result);

    bool m_hadFocus = false;
    RoundedCornerView* m_backgroundView;
    QLabel* m_appIconAlert;
    QLabel* m_appDescriptionAlert;
    QLabel* m_appFailureAlert;
    QLabel* m_partialIconAlert;
    QLabel* m_partialDescriptionAlert;
    QPushButton* m_addToGesture;
    GestureRecognitionView* m_recognitionView;
};

}
