#pragma once

#include "app/demo/DesktopHand.h"

#include <QCoreApplication>
#include <QPoint>
#include <QString>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>

class QWidget;

namespace scriblo {

class AppController;
class DemoNarrator;
class GestureSetupController;
class GestureSetupWindow;

// Drives the running application as a user would, step by step: a recognition from the
// replayed touchpad, then the setup window through every kind of target, an assignment
// drawn with the pointer, its replay and a second drawing, My Gestures and Last Drawing;
// with a screenshot of the screen at each sight worth showing. Each step waits for the
// state it needs, never for luck.
class DemoTour {
    Q_DECLARE_TR_FUNCTIONS(DemoTour)
public:
    DemoTour(AppController& application, DemoNarrator& narrator, std::filesystem::path screenshots);

    // False once a step failed or the tour was interrupted, with `failure()` saying why.
    bool run();
    const QString& failure() const { return m_failure; }

    // Set from a signal handler: the tour ends at its next wait.
    static inline volatile std::sig_atomic_t interrupted = 0;

private:
    bool recognise();
    bool openSetupWindow();
    bool showSegment(int segment);
    // The once-ever notice the first look at the scripts brings up.
    bool dismissScriptsNotice();
    bool switchToMouseDrawing();
    bool selectTarget(const std::string& identity);
    bool assignDrawnGesture();
    bool replayGesture();
    bool askAboutALookAlike();
    void traceTriangle(GestureSetupWindow& window);
    bool addDrawing();
    bool showGestureSheet();
    bool showLastDrawing();
    bool previewImport();

    bool waitFor(const std::function<bool()>& done, const QString& what,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Lets the event loop paint what the last step changed.
    static void settle(std::chrono::milliseconds time = std::chrono::milliseconds(150));
    bool click(QWidget* widget, QPoint at);
    bool click(QWidget* widget);
    // Of the whole screen, once the last step has been painted.
    bool screenshot(const QString& name, std::chrono::milliseconds settling = std::chrono::milliseconds(150));

    AppController& m_application;
    GestureSetupController& m_setup;
    DemoNarrator& m_narrator;
    const std::filesystem::path m_screenshots;
    DesktopHand m_hand;
    int m_screenshotCount = 0;
    QString m_failure;
};

}
