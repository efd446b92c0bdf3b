#include "setup/GestureSetupController.h"

#include "appearance/AppSegmentedControl.h"
#include "appearance/AppTableView.h"
#include "appearance/RepeatedImageView.h"
#include "core/GestureRecognitionModel.h"
#include "launch/BuiltInScripts.h"
#include "launch/TargetKinds.h"
#include "setup/AssignConflictPrompt.h"
#include "setup/CustomScriptsNotice.h"
#include "setup/DrawingNumberBar.h"
#include "setup/GestureSetupView.h"
#include "setup/GestureSetupWindow.h"
#include "setup/LaunchableArrayModel.h"
#include "setup/SelectedGestureDrawings.h"
#include "setup/SetupWindowPresence.h"
#include "setup/SetupMenus.h"
#include "setup/SetupSettingsControls.h"
#include "setup/TrayStatusItem.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace scriblo {

GestureSetupController::GestureSetupController(Services services, QObject* parent)
    : QObject(parent)
    , m_services(std::move(services))
{
    awakeFromNib();
    setRecognitionSide(m_services.recognition);
}

GestureSetupController::~GestureSetupController()
{
    // The view's replay and capture refer to the window's widgets; end them first.
    if (m_setupView) {
        m_setupView->cancelReplay();
        m_setupView->finishDetectingGesture(CaptureEnding::DiscardStrokes);
    }
}

void GestureSetupController::awakeFromNib()
{
    m_setupView = new GestureSetupView(*m_services.clock, *m_services.timers, m_services.multitouch);
    m_setupWindow = std::make_unique<GestureSetupWindow>(m_setupView);
    m_settingsControls = std::make_unique<SetupSettingsControls>(
        *m_setupWindow, [this](const std::function<void(Settings&)>& change) { changeSetting(change); });
    m_launchableArray = new LaunchableArrayModel(this);
    m_setupWindow->launchableTableView->setModel(m_launchableArray);
    m_setupWindow->sayWhyTheListIsEmpty();
    m_setupView->setCallbacks({
        [this](bool show) { showDrawNotification(show); },
        [this](std::vector<GestureStroke> strokes) { drawingTaken(std::move(strokes)); },
        [this] {
            const Settings& settings = m_targetsAndSettings->settings();
            // The setup view always draws centred, so its redraws never take the
            // full-screen interval.
            return CaptureSettings { settings.multitouchOption(), false, settings.readingDelayTime() };
        },
    });
    m_presence = std::make_unique<SetupWindowPresence>(
        *m_setupWindow, *m_services.clock, *m_services.timers,
        SetupWindowPresence::Hooks { [this] { return recognitionCapturing(); },
                                     [this] { return statusItem() ? statusItem()->iconGeometry() : std::nullopt; },
                                     [this] { launchableTypeChanged(); } });
    m_drawings = std::make_unique<SelectedGestureDrawings>(*m_setupWindow, *m_setupView);
    connectControls();
    hideSetupWindow();
    m_targetsAndSettings = std::make_unique<TargetsAndSettings>(m_services.model);
    m_targetsAndSettings->setup();
    m_conflictPrompt = new AssignConflictPrompt(*m_setupWindow, *m_targetsAndSettings,
        { [this](std::vector<GestureStroke> strokes) { saveGestureWithStrokes(std::move(strokes), Conflicts::Ignore); }, [this] { assignSelectedGesture(); } }, this);
    m_menus = std::make_unique<SetupMenus>(
        *m_setupWindow, *m_targetsAndSettings,
        SetupMenus::Actions { [this](QPoint pointer) { toggleSetupWindow(pointer); }, [this] { repositionSetupWindow(); } },
        m_services.withTray ? SetupMenus::Icon::Shown : SetupMenus::Icon::None);
    connect(m_menus.get(), &SetupMenus::quitRequested, this, &GestureSetupController::quitRequested);
    connect(m_menus.get(), &SetupMenus::importRequested, this, &GestureSetupController::importRequested);
    connect(m_menus.get(), &SetupMenus::exportRequested, this, &GestureSetupController::exportRequested);
    // A change there ends the Undo here, as one here ends the Undo there.
    connect(m_menus.get(), &SetupMenus::gesturesChangedInWindow, this, [this] {
        if (m_storeWrites)
            m_storeWrites->forgetClear();
        updateSetupControls();
    });
}

void GestureSetupController::connectControls()
{
    GestureSetupWindow& window = *m_setupWindow;
    // Escape first gives up a drawing under way, then puts the window away.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), &window), &QShortcut::activated, this, [this] {
        if (m_setupView->detectingInput())
            m_setupView->finishDetectingGesture(CaptureEnding::DiscardStrokes);
        else if (isSetupWindowVisible() && !m_presence->closing())
            toggleSetupWindow();
    });
    connect(window.launchableTypePicker, &AppSegmentedControl::segmentChosen, this,
            &GestureSetupController::launchableTypeChanged);
    connect(window.launchableTableView, &AppTableView::tableViewFocus, this, &GestureSetupController::tableViewFocus);
    connect(window.launchableTableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &GestureSetupController::tableViewSelectionDidChange);
    connect(window.assignGestureButton, &QPushButton::clicked, this, &GestureSetupController::assignSelectedGesture);
    connect(window.addDrawingButton, &QPushButton::clicked, this, &GestureSetupController::addDrawingToSelectedGesture);
    connect(window.drawingNumber->removeButton, &QPushButton::clicked, this, &GestureSetupController::removeShownDrawing);
    connect(window.showGestureButton, &QPushButton::clicked, this, &GestureSetupController::showSelectedGesture);
    connect(window.clearGestureButton, &QPushButton::clicked, this, &GestureSetupController::clearSelectedGesture);
    connect(window.undoClearButton, &QPushButton::clicked, this, &GestureSetupController::undoClear);
    connect(new QShortcut(QKeySequence::Undo, &window), &QShortcut::activated, this, &GestureSetupController::undoClear);
    m_settingsControls->connectFields(this);
    // A click beside the controls hands the keyboard back to the list, and a drawing under
    // way ends with the drawing area's loss of it.
    connect(window.backgroundView, &RepeatedImageView::clicked, this, [this] {
        m_setupWindow->launchableTableView->setFocus(Qt::MouseFocusReason);
        updateSetupControls();
    });
    connect(&window, &GestureSetupWindow::resignedKey, this, &GestureSetupController::windowDidResignKey);
    for (QScreen* screen : QGuiApplication::screens())
        connect(screen, &QScreen::availableGeometryChanged, this, &GestureSetupController::repositionSetupWindow);
}

void GestureSetupController::applicationDidFinishLaunching()
{
    bool windowIsTheWayIn = m_menus->showIcon();
    m_setupWindow->launchableTypePicker->setSelectedSegment(0);
    m_launchableArray->setContent(m_targetsAndSettings->catalogue().list(0));
    updateSetupControls();
    if (windowIsTheWayIn)
        toggleSetupWindow();
    else
        hideSetupWindow();
}

// The store is read after the icon shows; a new user then sees where to begin.
void GestureSetupController::gesturesLoaded()
{
    if (!hasStoredGestures() && !isSetupWindowVisible())
        toggleSetupWindow();
    gesturesChanged();
}

void GestureSetupController::setRecognitionSide(RecognitionSide recognition)
{
    m_services.recognition = std::move(recognition);
    m_launchableArray->markStoredGestures(m_services.recognition.recognitionModel);
    if (m_services.recognition.recognitionModel && m_services.recognition.storeWrites)
        m_storeWrites = std::make_unique<GestureStoreWrites>(*m_services.recognition.recognitionModel, *m_services.recognition.storeWrites);
    m_menus->setStore(m_services.recognition.recognitionModel, m_services.recognition.storeWrites);
}

bool GestureSetupController::hasStoredGestures() const
{
    auto model = m_services.recognition.recognitionModel;
    return model && !model->recognizer()->loadedGestures()->empty();
}

void GestureSetupController::updateSetupControls()
{
    m_setupView->resetAll();
    m_drawings->forget();
    QModelIndexList rows = m_setupWindow->launchableTableView->selectionModel()->selectedRows();
    m_launchableSelectedIndex = rows.isEmpty() ? -1 : rows.front().row();
    setButtons(m_storeWrites && m_storeWrites->busy() ? SetupButtonRules::allOff() : SetupButtonRules::afterRefresh(m_buttons, selection()));
    m_settingsControls->writeToFields(m_targetsAndSettings->settings());
}

SetupButtonRules::Selection GestureSetupController::selection() const
{
    auto launchable = selectedLaunchable();
    if (!launchable)
        return SetupButtonRules::Selection::None;
    auto gesture = storedGesture(*launchable);
    if (!gesture)
        return SetupButtonRules::Selection::TargetWithoutGesture;
    return gesture->drawingCount() >= Gesture::maximumDrawingCount ? SetupButtonRules::Selection::TargetWithAllDrawings
                                                                   : SetupButtonRules::Selection::TargetWithGesture;
}

std::shared_ptr<const Gesture> GestureSetupController::storedGesture(const Launchable& launchable) const
{
    auto identity = storedIdentity(launchable);
    return identity ? m_services.recognition.recognitionModel->getGestureWithIdentity(*identity) : nullptr;
}

// The window shows, replays and clears a gesture stored by an earlier build too.
std::optional<std::string> GestureSetupController::storedIdentity(const Launchable& launchable) const
{
    auto model = m_services.recognition.recognitionModel;
    return model ? BuiltInScripts::storedIdentity(launchable.launchId(), *model) : std::nullopt;
}

// Undo waits, like the others, while the store is written and while a drawing is asked for.
void GestureSetupController::setButtons(SetupButtons buttons)
{
    m_buttons = buttons;
    m_setupWindow->enableButtons(buttons);
    bool undoable = m_storeWrites && m_storeWrites->canUndoClear() && !m_setupView->detectingInput();
    m_setupWindow->offerUndo(undoable ? m_storeWrites->clearedName() : std::nullopt);
}

std::shared_ptr<Launchable> GestureSetupController::selectedLaunchable() const
{
    return m_launchableArray->launchableAt(m_launchableSelectedIndex);
}

void GestureSetupController::launchableTypeChanged()
{
    LaunchableCatalogue& catalogue = m_targetsAndSettings->catalogue();
    int segment = m_setupWindow->launchableTypePicker->selectedSegment();
    if (segment >= 0 && size_t(segment) < TargetKinds::all().size()) {
        m_launchableArray->setContent(catalogue.fetch(size_t(segment)));
        if (TargetKinds::all()[size_t(segment)].announcesScriptsFolder
            && m_setupWindow->launchableTypePicker->lastChoice() == AppSegmentedControl::Choice::Picked)
            shouldShowCustomScriptsAlert();
    }
    setButtons(SetupButtonRules::allOff());
    m_setupWindow->showAssignRefusal(std::nullopt);
}

void GestureSetupController::tableViewFocus(bool lost)
{
    if (!lost)
        return updateSetupControls();
    // Moving the keyboard from the table to the buttons that act on its selection must
    // leave them usable.
    QWidget* next = QApplication::focusWidget();
    GestureSetupWindow& window = *m_setupWindow;
    for (QWidget* button : { window.assignGestureButton, window.addDrawingButton, window.showGestureButton,
                             window.drawingNumber->removeButton, window.clearGestureButton })
        if (next == button)
            return;
    setButtons(SetupButtonRules::allOff());
}

void GestureSetupController::tableViewSelectionDidChange()
{
    m_setupView->finishDetectingGesture(CaptureEnding::DiscardStrokes);
    // What Assign said was about the target that was selected.
    m_setupWindow->showAssignRefusal(std::nullopt);
    updateSetupControls();
}

void GestureSetupController::showDrawNotification(bool show)
{
    m_setupWindow->showDrawPrompt(show, m_targetsAndSettings->settings().multitouchOption());
}

void GestureSetupController::saveGestureWithStrokes(std::vector<GestureStroke> strokes, Conflicts conflicts)
{
    auto launchable = selectedLaunchable();
    auto model = m_services.recognition.recognitionModel;
    if (launchable && model && conflicts == Conflicts::Ask
        && m_conflictPrompt->holdBack(strokes, launchable->launchId(), storedIdentity(*launchable), *model)) {
        // The bar that asks takes the keyboard; the rest of the window shows the selection
        // as it is meanwhile.
        updateSetupControls();
        return m_conflictPrompt->ask();
    }
    // The buttons stay off from the start of the drawing until the write is done.
    if (!launchable || !m_storeWrites)
        return gesturesChanged();
    m_storeWrites->assign(std::move(strokes), launchable->launchId(), storedIdentity(*launchable),
                          [this, name = QString::fromStdString(launchable->displayName())](const std::optional<GestureRefusal>& refusal) {
                              if (!refusal)
                                  Q_EMIT gestureAssigned(name);
                              m_setupWindow->showAssignRefusal(refusal);
                              gesturesChanged();
                          });
}

// Assign and Add Drawing both ask for the next drawing in the area; the button pressed
// says what it is for.
void GestureSetupController::drawingTaken(std::vector<GestureStroke> strokes)
{
    if (m_drawingUse == DrawingUse::Assign)
        return saveGestureWithStrokes(std::move(strokes));
    auto launchable = selectedLaunchable();
    auto identity = launchable && m_storeWrites ? storedIdentity(*launchable) : std::nullopt;
    if (!identity)
        return gesturesChanged();
    m_storeWrites->addDrawing(std::move(strokes), *identity, [this](const std::optional<GestureRefusal>& refusal) {
        m_setupWindow->showAssignRefusal(refusal, DrawingUse::AddDrawing);
        gesturesChanged();
    });
}

void GestureSetupController::assignSelectedGesture()
{
    startDrawing(DrawingUse::Assign, *m_setupWindow->assignGestureButton);
}

void GestureSetupController::addDrawingToSelectedGesture()
{
    startDrawing(DrawingUse::AddDrawing, *m_setupWindow->addDrawingButton);
}

void GestureSetupController::startDrawing(DrawingUse use, QPushButton& button)
{
    // Pressed from the keyboard, the button goes off under it, and Qt would pass the
    // keyboard on to the settings; it goes where the drawing is asked for instead.
    if (button.hasFocus())
        m_setupView->setFocus(Qt::OtherFocusReason);
    m_drawingUse = use;
    m_setupWindow->showAssignRefusal(std::nullopt);
    m_setupView->startDetectingGesture();
    setButtons(SetupButtonRules::allOff());
}

void GestureSetupController::showSelectedGesture()
{
    auto launchable = selectedLaunchable();
    auto gesture = launchable && m_services.recognition.recognitionModel ? storedGesture(*launchable) : nullptr;
    if (gesture)
        m_drawings->showNext(gesture);
    else
        m_setupView->cancelReplay();
}

void GestureSetupController::removeShownDrawing()
{
    const auto& shown = m_drawings->shown();
    if (!shown || !m_storeWrites || m_storeWrites->busy())
        return;
    setButtons(SetupButtonRules::allOff());
    m_storeWrites->removeDrawing(shown->identity, shown->index, [this](const Expected<Done, GestureRefusal>&) { gesturesChanged(); });
}

void GestureSetupController::gesturesChanged()
{
    if (m_storeWrites)
        m_storeWrites->forgetClear();
    showStoreChange();
}

void GestureSetupController::showStoreChange()
{
    updateSetupControls();
    m_launchableArray->storeChanged();
    m_menus->showStoreChange();
}

void GestureSetupController::clearSelectedGesture()
{
    auto launchable = selectedLaunchable();
    auto gesture = launchable && m_storeWrites ? storedGesture(*launchable) : nullptr;
    if (!gesture)
        return showStoreChange();
    setButtons(SetupButtonRules::allOff());
    m_storeWrites->clear({ gesture, launchable->displayName() }, [this] { showStoreChange(); });
}

void GestureSetupController::undoClear()
{
    if (!m_storeWrites || !m_storeWrites->canUndoClear() || m_setupView->detectingInput())
        return;
    setButtons(SetupButtonRules::allOff());
    m_storeWrites->undoClear([this] { gesturesChanged(); });
}

void GestureSetupController::shouldShowCustomScriptsAlert()
{
    auto notice = CustomScriptsNotice::openOnceEver(*m_services.model.storage, m_setupWindow.get());
    if (!notice)
        return;
    m_showingCustomScriptsAlert = true;
    connect(notice, &QDialog::finished, this, [this] { m_showingCustomScriptsAlert = false; });
}

void GestureSetupController::toggleSetupWindow(std::optional<QPoint> pointer)
{
    m_presence->toggle(pointer);
    updateSetupControls();
}

bool GestureSetupController::recognitionCapturing() const
{
    return m_services.recognition.detectingInput && m_services.recognition.detectingInput();
}

void GestureSetupController::windowDidResignKey()
{
    if (m_showingCustomScriptsAlert || !isSetupWindowVisible() || m_presence->closing())
        return;
    m_setupView->finishDetectingGesture(CaptureEnding::DiscardStrokes);
    toggleSetupWindow();
}

void GestureSetupController::changeSetting(const std::function<void(Settings&)>& change)
{
    m_setupView->finishDetectingGesture(CaptureEnding::DiscardStrokes);
    change(m_targetsAndSettings->settings());
    updateSetupControls();
}

}
