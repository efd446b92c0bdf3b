#pragma once

#include "core/GestureStroke.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class ConflictWarningBar;
class GestureSetupWindow;
class GestureRecognitionModel;
class TargetsAndSettings;

// Holds a new drawing back from the store while the setup window asks whether it should
// go in although the matcher would confuse it with another target's gesture.
class AssignConflictPrompt : public QObject {
    Q_OBJECT
public:
    struct Choices {
        // Stores the held drawing as Assign does without a conflict.
        std::function<void(std::vector<GestureStroke>)> assignAnyway;
        // The held drawing is gone; the target gets a new capture.
        std::function<void()> drawAgain;
    };

    // The question goes, with the drawing, when another kind or target is chosen or
    // Assign starts over.
    AssignConflictPrompt(GestureSetupWindow& window, const TargetsAndSettings& targetsAndSettings, Choices choices, QObject* parent = nullptr);

    // True when `strokes` conflict at the recognition window's minimum score and are now
    // held for the user's choice; `identity` and `earlierIdentity` are where the target's
    // gesture is stored, so a redraw is no conflict.
    bool holdBack(std::vector<GestureStroke>& strokes, const std::string& identity,
                  const std::optional<std::string>& earlierIdentity, const GestureRecognitionModel& model);
    // Shows the question about the held drawing.
    void ask();
    void dismiss();
    bool isAsking() const { return m_held.has_value(); }

private:
    QString nameOf(const std::string& identity) const;
    std::vector<GestureStroke> release();

    GestureSetupWindow& m_window;
    ConflictWarningBar& m_bar;
    const TargetsAndSettings& m_targetsAndSettings;
    Choices m_choices;
    std::optional<std::vector<GestureStroke>> m_held;
    QString m_conflictName;
    int m_conflictScore = 0;
    // The look-alike's drawing, shown beside the held one.
    std::vector<GestureStroke> m_conflictStrokes;
};

}
