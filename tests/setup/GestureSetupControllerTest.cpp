#include "SetupFixture.h"
#include "support/QtTestApplication.h"

#include "setup/LaunchableArrayModel.h"
#include "setup/CustomScriptsNotice.h"
#include "setup/SetupWindowPlacement.h"

#include <QShortcut>

#include <QApplication>
#include <QDir>
#include <QTextLayout>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

class GestureSetupControllerTest : public SetupFixture {
protected:
    // Where an earlier build stored the built-in script "Hello": its path in an installed copy.
    static constexpr const char* oldHelloIdentity = "/usr/share/scriblo/Scripts/Hello";

    void SetUp() override
    {
        SetupFixture::SetUp();
        EXPECT_TRUE(recognitionModel->saveGestureWithStrokes({ diagonal() }, "Alpha.desktop"));
    }

    void typeInto(QLineEdit* field, const QString& text)
    {
        field->setText(text);
        // As typed: a field left unedited saves nothing.
        field->setModified(true);
        Q_EMIT field->editingFinished();
    }

    QStringList listed() const
    {
        QStringList names;
        auto& model = controller->launchableArray();
        for (int row = 0; row < model.rowCount(); ++row)
            names << model.data(model.index(row), Qt::DisplayRole).toString();
        return names;
    }

    // The notice is a window of its own, not a child of the setup window.
    CustomScriptsNotice* notice()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto box = qobject_cast<CustomScriptsNotice*>(widget); box && box->isVisible())
                return box;
        }
        return nullptr;
    }

    // What Assign last said, when it shows.
    QString assignMessage()
    {
        QLabel* message = window().assignMessageText;
        EXPECT_EQ(message->accessibleDescription(), message->text()) << "a screen reader hears it too";
        return message->isVisibleTo(&window()) ? message->text() : QString();
    }

    int32_t alphaPoints()
    {
        auto gesture = recognitionModel->getGestureWithIdentity("Alpha.desktop");
        return gesture ? gesture->totalPointCount() : 0;
    }
};

}

TEST_F(GestureSetupControllerTest, startsHiddenUnlessFirstAndOpensBelowTheClickedIconButNotDuringARecognition)
{
    startController();
    EXPECT_FALSE(controller->isSetupWindowVisible());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(window().pos(), QPoint(-10000, -10000));
    EXPECT_EQ(listed(), (QStringList { "Alpha", "Beta", "Gamma" }));
    EXPECT_EQ(window().minimumRecognitionScoreField->text(), "80");

    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QPoint click = screen.topLeft() + QPoint(400, 20);
    recognitionCapturing = true;
    controller->toggleSetupWindow(click);
    clock.advanceBy(std::chrono::milliseconds(200));
    EXPECT_FALSE(controller->isSetupWindowVisible());
    recognitionCapturing = false;
    controller->toggleSetupWindow(click);
    EXPECT_TRUE(controller->isSetupWindowVisible());
    int belowIcon = 20 + int(SetupWindowPlacement::assumedIconSide) / 2;
    EXPECT_EQ(window().pos(), screen.topLeft() + QPoint(std::max(0, 400 - window().width() / 2), belowIcon));
    // A second toggle during the fade in closes it again, and a hidden window stays away.
    controller->toggleSetupWindow();
    clock.advanceBy(std::chrono::milliseconds(200));
    EXPECT_FALSE(controller->isSetupWindowVisible());
    controller->repositionSetupWindow();
    EXPECT_EQ(window().pos(), QPoint(-10000, -10000));

    // A first start, without gestures, leaves the window open.
    controller.reset();
    ASSERT_TRUE(recognitionModel->deleteGestureWithName("Alpha.desktop"));
    startController();
    clock.advanceBy(std::chrono::milliseconds(200));
    EXPECT_EQ(controller->setupWindowState(), SetupWindowFade::State::Shown);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(GestureSetupControllerTest, buttonsFollowTheSelectedTargetAndAnEmptyKindSaysWhereItsTargetsComeFrom)
{
    startController();
    openWindow();
    EXPECT_EQ(controller->buttons(), SetupButtonRules::allOff());
    // An empty list says where its kind's targets come from, in the list itself.
    QLabel* note = window().emptyListNote;
    ASSERT_TRUE(note);
    EXPECT_TRUE(note->isHidden()) << "the applications are listed";
    chooseSegment(1);
    ASSERT_TRUE(listed().isEmpty()) << "this desktop has no bookmarks";
    EXPECT_FALSE(note->isHidden());
    EXPECT_TRUE(note->text().contains("Firefox")) << note->text().toStdString();
    EXPECT_EQ(note->accessibleDescription(), note->text());
    chooseSegment(0);
    EXPECT_TRUE(note->isHidden());

    // Which buttons a selected target turns on is the undo and drawings tests' to say.
    select(1);
    ASSERT_NE(controller->buttons(), SetupButtonRules::allOff());
    chooseSegment(3);
    EXPECT_EQ(controller->buttons(), SetupButtonRules::allOff());
    EXPECT_EQ(listed(), QStringList { "Tool" });
    controller->updateSetupControls();
    EXPECT_EQ(controller->buttons(), SetupButtonRules::allOff()) << "no row is selected after a kind change";
    select(0);
    controller->assignSelectedGesture();
    EXPECT_EQ(controller->buttons(), SetupButtonRules::allOff());
    EXPECT_TRUE(window().setupView->detectingInput());
}

TEST_F(GestureSetupControllerTest, fieldsSaveOnlyValuesInRangeAndTheLoginBoxShowsWhatTheLoginListHolds)
{
    loginItems->writable = false;
    startController();
    openWindow();
    Settings& settings = controller->targetsAndSettings().settings();
    auto score = window().minimumRecognitionScoreField;
    for (auto [typed, stored] : std::vector<std::pair<QString, int>> {
             { "69", 80 }, { "70", 70 }, { "101", 70 }, { "100", 100 }, { "ninety", 100 } }) {
        typeInto(score, typed);
        EXPECT_EQ(settings.minimumRecognitionScore(), stored) << typed.toStdString();
        EXPECT_EQ(score->text(), QString::number(stored));
        bool refused = typed != QString::number(stored);
        EXPECT_EQ(score->accessibleDescription(), refused ? "Takes 70 to 100" : "") << "a refusal says what the field takes";
    }
    EXPECT_EQ(score->toolTip(), "Takes 70 to 100");
    auto delay = window().readingDelayTimeField;
    int before = settings.readingDelayTime();
    // Where each range ends is the settings input's test; here the field takes by its own.
    typeInto(delay, "0");
    EXPECT_EQ(settings.readingDelayTime(), before);
    EXPECT_EQ(delay->accessibleDescription(), "Takes 1 to 1000");
    typeInto(delay, "1000");
    EXPECT_EQ(settings.readingDelayTime(), 1000);
    EXPECT_EQ(storage->objectForKey(Settings::readingDelayTimeKey)->intValue(), 1000);

    window().loginStartOptionField->click();
    EXPECT_FALSE(window().loginStartOptionField->isChecked());
    loginItems->writable = true;
    window().loginStartOptionField->click();
    EXPECT_TRUE(window().loginStartOptionField->isChecked());
    EXPECT_TRUE(loginItems->contains);
}

TEST_F(GestureSetupControllerTest, theScriptsNoticeShowsOnceEverAcrossARestart)
{
    startController();
    openWindow();
    // Moving across the segments with the arrow keys lists the scripts but announces
    // nothing; Space picks the segment, and the notice comes.
    auto press = [&](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(window().launchableTypePicker, &event);
    };
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_TRUE(listed().contains("Hello"));
    EXPECT_FALSE(notice());
    press(Qt::Key_Space);
    ASSERT_TRUE(notice());
    EXPECT_EQ(notice()->heading->text(), "Custom Scripts");
    EXPECT_NE(notice()->windowTitle(), notice()->heading->text()) << "the body does not repeat the title";
    // A window manager keeps a transient window above its parent; both stay on top, and
    // without this openbox put the notice underneath the setup window.
    ASSERT_TRUE(notice()->windowHandle());
    EXPECT_EQ(notice()->windowHandle()->transientParent(), window().windowHandle());
    QString folder = QString::fromStdString(dataHome.string() + "/Scriblo/Scripts");
    if (folder.startsWith(QDir::homePath() + "/"))
        folder.replace(0, QDir::homePath().size(), "~");
    EXPECT_EQ(notice()->folderLabel->accessibleName(), folder);
    EXPECT_TRUE(controller->showingCustomScriptsAlert());
    // While the notice is up, losing the keyboard to it leaves the window open.
    controller->windowDidResignKey();
    EXPECT_TRUE(controller->isSetupWindowVisible());
    notice()->coolButton->click();
    EXPECT_FALSE(controller->showingCustomScriptsAlert());
    EXPECT_TRUE(listed().contains("Hello"));

    controller.reset();
    startController();
    openWindow();
    chooseSegment(2);
    EXPECT_FALSE(notice());
}

// A long folder name wraps where a reader expects, after a slash, never at a hyphen inside
// a name; the home folder is shortened as the desktop writes it.
TEST(CustomScriptsNoticeTest, theFolderBreaksOnlyAfterASlash)
{
    QString folder = QDir::homePath() + "/.local/share/a-rather-long-folder-name/with-more-of-it/Scriblo/Scripts";
    QString shown = CustomScriptsNotice::folderAsShown(folder);
    ASSERT_TRUE(shown.startsWith("~/"));
    QTextLayout layout(shown, QApplication::font());
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++lines) {
        line.setLineWidth(QFontMetrics(QApplication::font()).horizontalAdvance("a-rather-long-folder-name/x"));
        QString before = shown.left(line.textStart() + line.textLength()).remove(QChar(0x200B));
        if (line.textStart() + line.textLength() < shown.size()) {
            EXPECT_TRUE(before.endsWith('/')) << "a line ends in " << before.toStdString();
        }
    }
    layout.endLayout();
    EXPECT_GE(lines, 3);
}

TEST_F(GestureSetupControllerTest, aCaptureIsGivenUpByEscapeSelectionSettingOrLostKeyboard)
{
    startController();
    openWindow();
    // Escape gives up a drawing first, and then puts the window away.
    auto escape = window().findChild<QShortcut*>();
    ASSERT_TRUE(escape && escape->key() == QKeySequence(Qt::Key_Escape));
    select(0);
    controller->assignSelectedGesture();
    ASSERT_TRUE(window().setupView->detectingInput());
    Q_EMIT escape->activated();
    EXPECT_FALSE(window().setupView->detectingInput());
    EXPECT_TRUE(controller->isSetupWindowVisible());
    Q_EMIT escape->activated();
    clock.advanceBy(std::chrono::milliseconds(200));
    EXPECT_FALSE(controller->isSetupWindowVisible());

    openWindow();
    auto cancelledBy = [this](const std::function<void()>& interruption) {
        select(1);
        controller->assignSelectedGesture();
        drawStroke(window().setupView, 12);
        interruption();
        clock.advanceBy(std::chrono::seconds(5));
        return !window().setupView->detectingInput() && !recognitionModel->getGestureWithIdentity("Beta.desktop");
    };
    EXPECT_TRUE(cancelledBy([this] { select(2); }));
    EXPECT_TRUE(cancelledBy([this] { window().fullscreenOptionField->click(); }));
    EXPECT_TRUE(cancelledBy([this] {
        controller->windowDidResignKey();
        EXPECT_EQ(controller->setupWindowState(), SetupWindowFade::State::Closing);
    }));
}

TEST_F(GestureSetupControllerTest, assignSaysWhenNothingOrTooLittleWasDrawnUntilTheNextStep)
{
    startController();
    openWindow();
    select(1);
    controller->assignSelectedGesture();
    EXPECT_EQ(assignMessage(), QString());
    EXPECT_TRUE(window().drawNotificationText->isVisibleTo(&window()));
    EXPECT_EQ(window().drawNotificationText->text(), "Draw here!");
    clock.advanceBy(std::chrono::milliseconds(3990));
    EXPECT_TRUE(window().setupView->detectingInput());
    clock.advanceBy(std::chrono::milliseconds(20));
    EXPECT_FALSE(window().setupView->detectingInput());
    EXPECT_FALSE(window().drawNotificationText->isVisibleTo(&window()));
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity("Beta.desktop"));
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, false, false, false }));
    EXPECT_TRUE(assignMessage().startsWith("Nothing was drawn")) << assignMessage().toStdString();

    // The message is about that drawing: a new one, or another target, clears it.
    for (int drawing = 0; drawing < 2; ++drawing) {
        controller->assignSelectedGesture();
        EXPECT_EQ(assignMessage(), QString());
        drawStroke(window().setupView, 5);
        clock.advanceBy(std::chrono::seconds(1));
        EXPECT_FALSE(recognitionModel->getGestureWithIdentity("Beta.desktop"));
        EXPECT_TRUE(assignMessage().contains("too short")) << assignMessage().toStdString();
    }
    select(2);
    EXPECT_EQ(assignMessage(), QString());
}

TEST_F(GestureSetupControllerTest, aFullStoreIsSaidWhileADrawnGestureStillReplacesTheOldOneOfTheSelectedTarget)
{
    std::vector<Gesture> fillers;
    for (int index = 1; index < 1024; ++index)
        fillers.emplace_back("filler" + std::to_string(index), std::vector<GestureStroke> { diagonal() });
    ASSERT_TRUE(recognitionModel->saveGestures(std::move(fillers)));
    startController();
    openWindow();
    select(1);
    controller->assignSelectedGesture();
    drawThreeStrokes();
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity("Beta.desktop"));
    EXPECT_TRUE(assignMessage().contains("1024 gestures")) << assignMessage().toStdString();

    select(0);
    int32_t old = alphaPoints();
    controller->assignSelectedGesture();
    storeWrites.held = true;
    drawThreeStrokes();
    EXPECT_FALSE(window().setupView->detectingInput()) << "the third release ends the capture";
    // Until the store is written, nothing can act on what is about to change.
    EXPECT_EQ(alphaPoints(), old);
    select(1);
    EXPECT_EQ(controller->buttons(), SetupButtonRules::allOff());
    select(0);
    storeWrites.release();
    EXPECT_EQ(alphaPoints(), 24);
    EXPECT_EQ(recognitionModel->recognizer()->loadedGestures()->size(), 1024u) << "Alpha's gesture is replaced, not added";
    EXPECT_EQ(assignMessage(), QString());
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, true, true, true }));
}

// A built-in script's gesture stored by an earlier build under the script's old path
// comes back from Undo under that path, the one the window and the recognizer look it
// up by, until a new drawing stores it under today's identity.
TEST_F(GestureSetupControllerTest, aBuiltInScriptsGestureUnderItsOldPathShowsReplaysClearsAndIsReplaced)
{
    EXPECT_TRUE(recognitionModel->saveGestureWithStrokes({ diagonal() }, oldHelloIdentity));
    storage->setBool(true, CustomScriptsNotice::shownCustomScriptsAlertKey);
    startController();
    openWindow();
    chooseSegment(2);
    select(int(listed().indexOf("Hello")));
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, true, true, true }));
    // A second Show replays again from the start and leaves the buttons alone.
    controller->showSelectedGesture();
    controller->showSelectedGesture();
    EXPECT_TRUE(window().setupView->showingStoredGesture());
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, true, true, true }));
    EXPECT_TRUE(processEventsUntil([this] { return !window().setupView->replayRunning(); }));
    controller->clearSelectedGesture();
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity(oldHelloIdentity));
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, false, false, false }));
    controller->undoClear();
    auto restored = recognitionModel->getGestureWithIdentity(oldHelloIdentity);
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->strokes(), std::vector<GestureStroke> { diagonal() });
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity("builtin:Hello"));

    controller->assignSelectedGesture();
    drawThreeStrokes();
    EXPECT_TRUE(recognitionModel->getGestureWithIdentity("builtin:Hello"));
    EXPECT_FALSE(recognitionModel->getGestureWithIdentity(oldHelloIdentity)) << "it would launch Hello too";
}
