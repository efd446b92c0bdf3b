#include "app/demo/DemoNarrator.h"

#include "recognition/GestureRecognitionController.h"
#include "setup/GestureSetupController.h"

#include <iostream>

namespace scriblo {

void DemoNarrator::follow(GestureRecognitionController& recognition, GestureSetupController& setup)
{
    connect(&recognition, &GestureRecognitionController::startPatternSeen, this, &DemoNarrator::startPatternSeen);
    connect(&recognition, &GestureRecognitionController::recognitionWindowShown, this,
            &DemoNarrator::recognitionWindowShown);
    connect(&recognition, &GestureRecognitionController::strokesCaptured, this,
            [this](int count) { say(QStringLiteral("strokes captured: %1").arg(count)); });
    connect(&recognition, &GestureRecognitionController::matchShown, this, &DemoNarrator::matchShown);
    connect(&recognition, &GestureRecognitionController::launchRequested, this,
            [this](const QString& description) { say(QStringLiteral("would launch: ") + description); });
    connect(&setup, &GestureSetupController::gestureAssigned, this,
            [this](const QString& name) { say(QStringLiteral("assigned gesture to ") + name); });
}

void DemoNarrator::say(const QString& line)
{
    m_lines.append(line);
    std::cout << line.toStdString() << std::endl;
}

bool DemoNarrator::said(const QString& prefix) const
{
    for (const QString& line : m_lines) {
        if (line.startsWith(prefix))
            return true;
    }
    return false;
}

void DemoNarrator::launchHeldBack()
{
    QMetaObject::invokeMethod(this, [this] { say(QStringLiteral("dry run: nothing was started")); },
                              Qt::QueuedConnection);
}

void DemoNarrator::startPatternSeen(StartPattern pattern)
{
    switch (pattern) {
    case StartPattern::None:
        return;
    case StartPattern::FourFingerTap:
        say(QStringLiteral("start pattern seen: four-finger tap"));
        return;
    case StartPattern::Quickdraw:
        say(QStringLiteral("start pattern seen: quickdraw"));
        return;
    }
}

void DemoNarrator::recognitionWindowShown(QRect geometry)
{
    m_partialTold = false;
    say(QStringLiteral("recognition window shown at %1,%2 %3x%4")
            .arg(geometry.x()).arg(geometry.y()).arg(geometry.width()).arg(geometry.height()));
}

void DemoNarrator::matchShown(bool partial, const QString& displayName, int score)
{
    if (partial && m_partialTold)
        return;
    m_partialTold = m_partialTold || partial;
    say(QStringLiteral("%1 match: %2 (score %3)").arg(partial ? QStringLiteral("partial") : QStringLiteral("final"))
            .arg(displayName).arg(score));
}

}
