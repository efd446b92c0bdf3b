#pragma once

#include "core/GestureRefusal.h"
#include "setup/GestureAssignment.h"
#include "setup/SetupButtonRules.h"

#include <QRect>
#include <QWidget>

#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace scriblo {

class AppSegmentedControl;
class AppStyle;
class AppTableView;
class CommandMenu;
class ConflictWarningBar;
class DrawingNumberBar;
class GestureSetupView;
class RepeatedImageView;

// The setup panel: a frameless window that stays above others and is built in code with
// every control the setup controller drives, in the dark look. It reports when it stops
// being the active window, so the controller can close it.
class GestureSetupWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int windowWidth = 600;
    static constexpr int windowHeight = 430;
    static constexpr float cornerRadius = 6;

    // Takes ownership of `setupView`, which needs the controller's clock and timers.
    explicit GestureSetupWindow(GestureSetupView* setupView, QWidget* parent = nullptr);
    ~GestureSetupWindow() override;

    // Where nothing can show through a window, clear corners would show stale pixels.
    void setTranslucent(bool translucent);
    // Says in the drawing area why Assign saved nothing; nothing hides what was said.
    void showAssignRefusal(const std::optional<GestureRefusal>& refusal, DrawingUse use = DrawingUse::Assign);
    void enableButtons(SetupButtons buttons);
    // Undo is on while a cleared drawing can come back; `clearedName` is its target's name.
    void offerUndo(const std::optional<std::string>& clearedName);
    // Shows the window see-through, for a fade to bring in, without taking the keyboard:
    // by the end of the fade a recognition may have begun.
    void present();
    void takeKeyboard();
    // Hidden, and off every screen.
    void putAway();
    // Asks for a drawing on the touchpad or here in the window.
    void showDrawPrompt(bool show, bool touchpad);
    // Hangs below the tray icon where the tray says where it is, otherwise clear of the
    // pointer at the click, kept on that screen.
    void placeNear(const std::optional<QRect>& trayIcon, QPoint pointer);
    // Without a tray, the window says so and offers the tray menu's commands itself.
    void showTrayAbsence(bool absent);
    // From now on an empty list of targets says, in the list, where its kind's targets
    // come from. Call once the list has its model.
    void sayWhyTheListIsEmpty();

    RepeatedImageView* backgroundView;
    QLabel* trayHint;
    QPushButton* moreButton;
    CommandMenu* commands;
    AppSegmentedControl* launchableTypePicker;
    AppTableView* launchableTableView;
    GestureSetupView* setupView;
    QLabel* drawNotificationText;
    QLabel* assignMessageText;
    QLabel* emptyListNote = nullptr;
    ConflictWarningBar* conflictWarning;
    QPushButton* assignGestureButton;
    QPushButton* addDrawingButton;
    QPushButton* showGestureButton;
    QPushButton* clearGestureButton;
    QPushButton* undoClearButton;
    DrawingNumberBar* drawingNumber;
    QLineEdit* minimumRecognitionScoreField;
    QLineEdit* readingDelayTimeField;
    QLabel* multitouchRecognitionLabel;
    QCheckBox* multitouchOptionField;
    QCheckBox* fullscreenOptionField;
    QCheckBox* quickdrawOptionField;
    QCheckBox* loginStartOptionField;

Q_SIGNALS:
    void resignedKey();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLayout* buildTrayAbsence();
    QWidget* buildDrawingColumn();
    QLayout* buildGestureButtons();
    QWidget* buildSettings();
    QPushButton* actionButton(const QString& label, const QString& description, QWidget* parent);
    QLineEdit* numberField(const QString& label, const QString& description);
    QCheckBox* checkBox(const QString& text, const QString& description);
    // `buddy` is the control the label names, for screen readers' label relation.
    QLabel* fieldLabel(const QString& text, QWidget* buddy = nullptr);
    void orderKeyboardWalk();
    void applyLook(QWidget* root);
    static QString refusalText(const GestureRefusal& refusal, DrawingUse use);

    std::unique_ptr<AppStyle> m_style;
};

}
