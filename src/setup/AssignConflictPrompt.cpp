#include "setup/AssignConflictPrompt.h"

#include "appearance/AppSegmentedControl.h"
#include "appearance/AppTableView.h"
#include "core/GestureConflicts.h"
#include "core/GestureRecognitionModel.h"
#include "launch/TargetsAndSettings.h"
#include "setup/ConflictWarningBar.h"
#include "setup/GestureSetupWindow.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QPushButton>

namespace scriblo {

AssignConflictPrompt::AssignConflictPrompt(GestureSetupWindow& window, const TargetsAndSettings& targetsAndSettings, Choices choices, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_bar(*window.conflictWarning)
    , m_targetsAndSettings(targetsAndSettings)
    , m_choices(std::move(choices))
{
    connect(m_bar.assignAnywayButton, &QPushButton::clicked, this, [this] {
        if (m_held)
            m_choices.assignAnyway(release());
    });
    connect(m_bar.drawAgainButton, &QPushButton::clicked, this, [this] {
        if (!m_held)
            return;
        release();
        m_choices.drawAgain();
    });
    connect(window.launchableTypePicker, &AppSegmentedControl::segmentChosen, this, &AssignConflictPrompt::dismiss);
    connect(window.launchableTableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AssignConflictPrompt::dismiss);
    connect(window.assignGestureButton, &QPushButton::clicked, this, &AssignConflictPrompt::dismiss);
}

bool AssignConflictPrompt::holdBack(std::vector<GestureStroke>& strokes, const std::string& identity,
                                    const std::optional<std::string>& earlierIdentity, const GestureRecognitionModel& model)
{
    auto stored = model.recognizer()->loadedGestures();
    auto conflict = GestureConflicts::find(strokes, identity, earlierIdentity, *stored, m_targetsAndSettings.settings().minimumRecognitionScore());
    if (!conflict)
        return false;
    m_held = std::move(strokes);
    m_conflictName = nameOf(conflict->identity);
    m_conflictScore = conflict->score;
    m_conflictStrokes.clear();
    for (const auto& gesture : *stored)
        if (gesture->identity() == conflict->identity)
            m_conflictStrokes = gesture->strokes();
    return true;
}

void AssignConflictPrompt::ask()
{
    if (m_held)
        m_bar.warn(m_conflictName, m_conflictScore, *m_held, m_conflictStrokes);
}

void AssignConflictPrompt::dismiss()
{
    m_held.reset();
    // Hidden with the keyboard on one of its buttons, the bar would hand it to whatever
    // comes next, the drawing area among them, whose loss of it ends a capture; the list
    // is where the keyboard is while the user assigns.
    if (m_bar.isAncestorOf(QApplication::focusWidget()))
        m_window.launchableTableView->setFocus(Qt::OtherFocusReason);
    m_bar.hide();
}

std::vector<GestureStroke> AssignConflictPrompt::release()
{
    auto strokes = std::move(*m_held);
    dismiss();
    return strokes;
}

// A gesture whose target is gone now (an uninstalled application, a removed script) is
// still recognised, so it is named by what it was stored under.
QString AssignConflictPrompt::nameOf(const std::string& identity) const
{
    auto target = m_targetsAndSettings.findLaunchableWithId(identity);
    return QString::fromStdString(target ? target->displayName() : identity);
}

}
