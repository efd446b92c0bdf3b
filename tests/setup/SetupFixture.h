#pragma once

#include "appearance/AppSegmentedControl.h"
#include "appearance/AppTableView.h"
#include "base/InlineWorkQueue.h"
#include "base/ManualClock.h"
#include "core/GestureRecognitionModel.h"
#include "core/MemoryUserDefaults.h"
#include "launch/DesktopFixture.h"
#include "launch/FakeWorkspace.h"
#include "setup/GestureSetupController.h"
#include "setup/GestureSetupView.h"
#include "setup/GestureSetupWindow.h"
#include "support/MouseEvents.h"

#include <QWidget>

namespace scriblo::testing {

// A throw-away desktop with three applications, a utility and a script, and a setup
// controller on it whose timers run on a manual clock.
class SetupFixture : public DesktopFixture {
protected:
    void SetUp() override
    {
        DesktopFixture::SetUp();
        for (std::string name : { "Alpha", "Beta", "Gamma" })
            writeDesktopEntry(systemData, name + ".desktop", name);
        writeDesktopEntry(systemData, "tool.desktop", "Tool", "Categories=Utility;\n");
        writeFile(root / "builtin/Hello", "#!/bin/sh\n", true);
        storage = std::make_shared<MemoryUserDefaults>();
        recognitionModel = std::make_unique<GestureRecognitionModel>(*storage);
        recognitionModel->setup();
    }

    void TearDown() override
    {
        controller.reset();
        DesktopFixture::TearDown();
    }

    void startController()
    {
        GestureSetupController::Services services;
        services.model = { std::make_shared<FakeWorkspace>(), root / "builtin", storage, loginItems,
                           [] { return false; } };
        services.recognition = { recognitionModel.get(), [this] { return recognitionCapturing; }, &storeWrites };
        services.clock = &clock;
        services.timers = &clock;
        services.withTray = withTray;
        controller = std::make_unique<GestureSetupController>(std::move(services));
        controller->applicationDidFinishLaunching();
        controller->gesturesLoaded();
    }

    GestureSetupWindow& window() { return *controller->setupWindow(); }

    // Opened as a click on the icon opens it, and faded in.
    void openWindow()
    {
        if (!controller->isSetupWindowVisible())
            controller->toggleSetupWindow(QPoint(100, 100));
        clock.advanceBy(std::chrono::milliseconds(200));
    }

    void select(int row)
    {
        auto table = window().launchableTableView;
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    void chooseSegment(int segment)
    {
        window().launchableTypePicker->setSelectedSegment(segment);
        controller->launchableTypeChanged();
    }

    // Three short strokes, which end the capture at the third release.
    void drawThreeStrokes()
    {
        for (int stroke = 0; stroke < 3; ++stroke)
            drawStroke(window().setupView, 8, 0.2 + stroke * 0.3);
    }

    static GestureStroke diagonal()
    {
        GestureStroke stroke;
        for (int index = 0; index < 20; ++index)
            stroke.addPoint({ float(index * 40), float(index * 20), 0 });
        return stroke;
    }

public:
    // One stroke of `points` points from left to right across the middle of `widget`.
    static void drawStroke(QWidget* widget, int points, double y = 0.5)
    {
        double height = widget->height() * y;
        sendMouse(widget, QEvent::MouseButtonPress, { 10, height }, Qt::LeftButton);
        for (int index = 1; index < points - 1; ++index)
            sendMouse(widget, QEvent::MouseMove, { 10.0 + index * 8, height + (index % 3) * 4 }, Qt::LeftButton);
        sendMouse(widget, QEvent::MouseButtonRelease, { 10.0 + points * 8, height }, Qt::NoButton);
    }

protected:
    ManualClock clock;
    std::shared_ptr<MemoryUserDefaults> storage;
    std::shared_ptr<FakeLoginItems> loginItems = std::make_shared<FakeLoginItems>();
    std::unique_ptr<GestureRecognitionModel> recognitionModel;
    InlineWorkQueue storeWrites;
    std::unique_ptr<GestureSetupController> controller;
    bool recognitionCapturing = false;
    // With an icon, which no tray shows on the offscreen platform.
    bool withTray = false;
};

}
