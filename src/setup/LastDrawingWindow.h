#pragma once

#include "recognition/LastDrawing.h"
#include "setup/LastDrawingChoices.h"
#include "setup/UndoableAddition.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace scriblo {

class GestureRecognitionModel;
class LaunchableCatalogue;

// The drawing the user made last, what it launched or that it missed, and the gestures
// it came closest to, each with a button that adds the drawing to that gesture: a miss or
// a wrong launch is fixed where the user sees it, with one step of Undo.
class LastDrawingWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize drawingSize { 240, 160 };

    // Additions and their Undo write the store on `writes`.
    LastDrawingWindow(GestureRecognitionModel& model, WorkQueue& writes, const LaunchableCatalogue& catalogue,
                      QWidget* parent = nullptr);

    // Shows `drawing`, or says there is none yet; the store is read afresh for the choices.
    void showDrawing(const std::optional<LastDrawing>& drawing);
    void showAndRaise();
    // Adds the drawing to the gesture stored under `identity`, as its button does, whether
    // or not the choices are in yet.
    void addTo(const std::string& identity);
    // The store changed elsewhere: the choices are read again, and Undo, which could now
    // take that change back too, is gone.
    void storeChanged();

    QLabel* drawing() const { return m_drawing; }
    QLabel* outcome() const { return m_outcome; }
    const std::vector<QPushButton*>& addButtons() const { return m_addButtons; }
    QPushButton* undoButton() const { return m_undo; }
    QLabel* status() const { return m_status; }

Q_SIGNALS:
    // The store holds one more drawing of a gesture, or its Undo.
    void gestureChanged();

private:
    void fillChoices();
    void addChoice(const LastDrawingChoices::Choice& choice);
    QString outcomeText(const LastDrawing& drawing) const;
    QString nameOf(const std::string& identity) const;
    void added(const UndoableAddition::Added& added, const std::optional<GestureRefusal>& refusal);
    void undo();
    void undone(const UndoableAddition::Added& added, const Expected<Done>& saved);
    void showStatus(const QString& text);
    void enableButtons();

    GestureRecognitionModel& m_model;
    WorkQueue& m_writes;
    const LaunchableCatalogue& m_catalogue;
    UndoableAddition m_additions;
    std::optional<LastDrawing> m_last;
    std::vector<LastDrawingChoices::Choice> m_choices;
    int m_choicesAsked = 0;
    QLabel* m_drawing;
    QLabel* m_outcome;
    QVBoxLayout* m_choiceRows;
    std::vector<QPushButton*> m_addButtons;
    QPushButton* m_undo;
    QLabel* m_status;
};

}
