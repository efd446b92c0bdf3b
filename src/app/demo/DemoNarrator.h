#pragma once

#include "recognition/StartPatternDetector.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

namespace scriblo {

class GestureRecognitionController;
class GestureSetupController;

// Tells what the running application does, one line a step on standard output, from
// the signals its controllers emit; and remembers what it told, for whoever waits for
// a step.
class DemoNarrator : public QObject {
    Q_OBJECT
public:
    void follow(GestureRecognitionController& recognition, GestureSetupController& setup);

    void say(const QString& line);
    // Whether a line starting with `prefix` was said.
    bool said(const QString& prefix) const;
    // From any thread: a launch reached the workspace and was not run.
    void launchHeldBack();

private:
    void startPatternSeen(StartPattern pattern);
    void recognitionWindowShown(QRect geometry);
    void matchShown(bool partial, const QString& displayName, int score);

    QStringList m_lines;
    // Partial checks repeat every quarter second; one line a capture tells enough.
    bool m_partialTold = false;
};

}
