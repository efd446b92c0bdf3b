// Writes pictures of the setup window in each of its states to the folder named by
// SCRIBLO_SCREENSHOTS, for a person to look at; not part of the test suite.
#include "SetupFixture.h"
#include "support/QtTestApplication.h"

#include "appearance/AppSegmentedControl.h"
#include "appearance/AppTableView.h"
#include "setup/GestureSetupView.h"
#include "setup/GestureSetupWindow.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPainter>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

class SetupScreenshots : public SetupFixture {
protected:
    void SetUp() override
    {
        SetupFixture::SetUp();
        for (const char* name : { "Calculator", "Document Viewer", "Files", "Firefox ESR", "GIMP", "Inkscape",
                                  "LibreOffice Writer", "Mail", "Music", "Terminal", "Text Editor", "Videos" })
            writeFile(systemData / "applications" / (std::string(name) + ".desktop"),
                      std::string("[Desktop Entry]\nType=Application\nName=") + name + "\nExec=/bin/true\nIcon="
                          + "applications-other\n");
        writeFile(configHome / "google-chrome/Default/Bookmarks",
                  R"({"roots":{"bookmark_bar":{"children":[{"type":"url","name":"News","url":"https://news.example/"},)"
                  R"({"type":"url","name":"Weather","url":"https://weather.example/"}]}}})");
        writeFile(systemData / "applications/google-chrome.desktop",
                  "[Desktop Entry]\nType=Application\nName=Google Chrome\nExec=/bin/true\n");
        storage->setBool(true, Settings::quickdrawOptionKey);
        startController();
        controller->toggleSetupWindow(QPoint(400, 10));
        clock.advanceBy(std::chrono::milliseconds(200));
    }

    void save(const std::string& name, QMessageBox* notice = nullptr)
    {
        QCoreApplication::processEvents();
        QPixmap picture = window().grab();
        if (notice) {
            QPainter painter(&picture);
            QPixmap sheet = notice->grab();
            painter.drawPixmap((picture.width() - sheet.width()) / 2, 40, sheet);
        }
        std::filesystem::path folder = qEnvironmentVariable("SCRIBLO_SCREENSHOTS").toStdString();
        picture.save(QString::fromStdString((folder / ("setup-" + name + ".png")).string()));
    }

    void select(int row)
    {
        auto table = window().launchableTableView;
        table->selectionModel()->select(table->model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
    }
};

}

TEST_F(SetupScreenshots, everySegmentDrawingReplayAndNotice)
{
    if (qEnvironmentVariableIsEmpty("SCRIBLO_SCREENSHOTS"))
        GTEST_SKIP() << "SCRIBLO_SCREENSHOTS names no folder";
    const char* names[] = { "applications", "webpages", "scripts", "utilities", "system" };
    for (int segment = 0; segment < 5; ++segment) {
        window().launchableTypePicker->setSelectedSegment(segment);
        controller->launchableTypeChanged();
        if (QMessageBox* notice = window().findChild<QMessageBox*>()) {
            notice->show();
            save("notice", notice);
            notice->buttons().front()->click();
        }
        select(0);
        save(names[segment]);
    }
    window().launchableTypePicker->setSelectedSegment(0);
    controller->launchableTypeChanged();
    select(2);
    controller->assignSelectedGesture();
    save("waiting");
    QWidget* view = window().setupView;
    drawStroke(view, 14, 0.3);
    sendMouse(view, QEvent::MouseButtonPress, { 60, 150 }, Qt::LeftButton);
    for (int step = 1; step < 20; ++step)
        sendMouse(view, QEvent::MouseMove, { 60.0 + step * 9, 150.0 + (step % 10) * 6 }, Qt::LeftButton);
    save("drawing");
    sendMouse(view, QEvent::MouseButtonRelease, { 240, 160 }, Qt::NoButton);
    clock.advanceBy(std::chrono::seconds(2));
    controller->showSelectedGesture();
    processEventsUntil([this] { return !window().setupView->replayRunning(); });
    save("replayed");
}
