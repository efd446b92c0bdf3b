#include "setup/GestureSetupWindow.h"

#include "setup/CommandMenu.h"
#include "setup/ConflictWarningBar.h"
#include "setup/DrawingNumberBar.h"

#include "appearance/AccessibleRole.h"
#include "appearance/AppPalette.h"
#include "appearance/AppSegmentedControl.h"
#include "appearance/AppStyle.h"
#include "appearance/AppTableView.h"
#include "appearance/EmptyListNote.h"
#include "appearance/RepeatedImageView.h"
#include "core/KeyedUnarchiver.h"
#include "launch/TargetKinds.h"
#include "setup/GestureSetupView.h"
#include "setup/SetupWindowPlacement.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace scriblo {

GestureSetupWindow::GestureSetupWindow(GestureSetupView* view, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_style(std::make_unique<AppStyle>())
{
    // A window of its own to a screen reader, which lists it among the desktop's frames.
    // Before anything asks how the window is presented, or the plain answer is kept.
    AccessibleRole::assign(staticMetaObject, QAccessible::Window);
    setWindowTitle(tr("Scriblo Setup"));
    setAccessibleName(tr("Scriblo setup"));
    setFixedSize(windowWidth, windowHeight);
    backgroundView = new RepeatedImageView(this);
    backgroundView->setAccessibleName(tr("Background"));
    backgroundView->lower();

    QStringList kindLabels;
    for (const auto& kind : TargetKinds::all())
        kindLabels << tr(kind.label);
    launchableTypePicker = new AppSegmentedControl(kindLabels, this);
    launchableTypePicker->setAccessibleName(tr("Kind of target"));
    // As on the platform this look comes from, clicking a control leaves the keyboard
    // focus where it was, so a click on a button never takes the selection's buttons
    // away before it lands; the keyboard still reaches every control.
    launchableTypePicker->setFocusPolicy(Qt::TabFocus);

    launchableTableView = new AppTableView(this);
    launchableTableView->setAccessibleName(tr("Targets"));

    setupView = view;
    setupView->setParent(this);
    setupView->setAccessibleName(tr("Drawing area"));

    auto columns = new QHBoxLayout;
    columns->setSpacing(14);
    columns->addWidget(launchableTableView, 5);
    columns->addWidget(buildDrawingColumn(), 6);

    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addLayout(buildTrayAbsence());
    layout->addWidget(launchableTypePicker);
    layout->addLayout(columns, 1);
    layout->addLayout(buildGestureButtons());
    layout->addWidget(buildSettings());
    orderKeyboardWalk();
    applyLook(this);
    // The look's style gives each widget its palette when it polishes it, so the label is
    // polished first and then given its own colour.
    assignMessageText->ensurePolished();
    QPalette warning = assignMessageText->palette();
    warning.setColor(QPalette::WindowText, AppPalette::warning());
    assignMessageText->setPalette(warning);
}

GestureSetupWindow::~GestureSetupWindow()
{
    // The children still refer to the style while they are destroyed.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

QLayout* GestureSetupWindow::buildTrayAbsence()
{
    trayHint = new QLabel(tr("No tray area was found: run scriblo again to show or hide this window."), this);
    trayHint->setAccessibleName(tr("Tray hint"));
    // The name says what the label is; a screen reader reads the hint from here.
    trayHint->setAccessibleDescription(trayHint->text());
    trayHint->setWordWrap(true);
    commands = new CommandMenu(this);
    // A push button like the window's others, whose menu marker the look sizes it for.
    moreButton = actionButton(tr("More…"), QString(), this);
    moreButton->setMenu(commands->menu());
    commands->menu()->setAccessibleName(moreButton->text());
    moreButton->setFocusPolicy(Qt::TabFocus);
    moreButton->setMinimumHeight(26);
    auto row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(trayHint, 1);
    row->addWidget(moreButton, 0, Qt::AlignTop);
    showTrayAbsence(false);
    return row;
}

void GestureSetupWindow::showTrayAbsence(bool absent)
{
    trayHint->setVisible(absent);
    moreButton->setVisible(absent);
}

QWidget* GestureSetupWindow::buildDrawingColumn()
{
    auto column = new QWidget(this);
    auto layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(setupView, 1);

    drawNotificationText = new QLabel(setupView);
    drawNotificationText->setAccessibleName(tr("Drawing prompt"));
    drawNotificationText->setAlignment(Qt::AlignCenter);
    drawNotificationText->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont prompt = drawNotificationText->font();
    prompt.setPixelSize(22);
    prompt.setBold(true);
    drawNotificationText->setFont(prompt);
    drawNotificationText->hide();
    assignMessageText = new QLabel(setupView);
    assignMessageText->setAccessibleName(tr("Assign message"));
    assignMessageText->setAlignment(Qt::AlignCenter);
    assignMessageText->setWordWrap(true);
    assignMessageText->setAttribute(Qt::WA_TransparentForMouseEvents);
    assignMessageText->hide();
    auto overlay = new QVBoxLayout(setupView);
    overlay->addWidget(drawNotificationText);
    overlay->addWidget(assignMessageText);
    drawingNumber = new DrawingNumberBar(setupView);
    overlay->addWidget(drawingNumber, 0, Qt::AlignBottom);

    conflictWarning = new ConflictWarningBar(column);
    layout->addWidget(conflictWarning);
    return column;
}

// Below both columns and flush with the drawing area's right edge, so five buttons fit in
// every language without narrowing the list of targets.
QLayout* GestureSetupWindow::buildGestureButtons()
{
    // Named as they read, so voice control takes the words the user sees; the longer
    // phrase is each one's description.
    assignGestureButton = actionButton(tr("Assign"), tr("Assign a gesture"), this);
    assignGestureButton->setDefault(true);
    addDrawingButton = actionButton(tr("Add Drawing"), tr("Add another drawing to the gesture"), this);
    showGestureButton = actionButton(tr("Show"), tr("Show the gesture, one drawing at each press"), this);
    clearGestureButton = actionButton(tr("Clear"), tr("Clear the gesture"), this);
    undoClearButton = actionButton(tr("Undo"), QString(), this);
    auto buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch();
    for (QPushButton* button : { assignGestureButton, addDrawingButton, showGestureButton, clearGestureButton, undoClearButton }) {
        button->setMinimumHeight(26);
        button->setFocusPolicy(Qt::TabFocus);
        button->setEnabled(false);
        buttons->addWidget(button);
    }
    return buttons;
}

QPushButton* GestureSetupWindow::actionButton(const QString& label, const QString& description, QWidget* parent)
{
    auto button = new QPushButton(label, parent);
    button->setAccessibleName(label);
    button->setAccessibleDescription(description);
    return button;
}

QWidget* GestureSetupWindow::buildSettings()
{
    auto settings = new QWidget(this);
    auto grid = new QGridLayout(settings);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    minimumRecognitionScoreField = numberField(tr("Minimum score (%)"), tr("Minimum recognition score"));
    readingDelayTimeField = numberField(tr("Reading delay (ms)"), tr("Reading delay time"));
    grid->addWidget(fieldLabel(tr("Minimum score (%)"), minimumRecognitionScoreField), 0, 0);
    grid->addWidget(minimumRecognitionScoreField, 0, 1);
    grid->addWidget(fieldLabel(tr("Reading delay (ms)"), readingDelayTimeField), 1, 0);
    grid->addWidget(readingDelayTimeField, 1, 1);

    multitouchRecognitionLabel = fieldLabel(tr("Draw with:"));
    multitouchOptionField = checkBox(tr("Touchpad"), tr("Draw on the touchpad instead of with the mouse"));
    fullscreenOptionField = checkBox(tr("Full screen drawing"), tr("Full screen recognition window"));
    quickdrawOptionField = checkBox(tr("Quickdraw"), tr("Quickdraw with three fingers"));
    loginStartOptionField = checkBox(tr("Start at login"), tr("Start at login"));
    grid->addWidget(multitouchRecognitionLabel, 0, 2);
    grid->addWidget(multitouchOptionField, 0, 3);
    grid->addWidget(quickdrawOptionField, 1, 3);
    grid->addWidget(fullscreenOptionField, 0, 4);
    grid->addWidget(loginStartOptionField, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(4, 1);
    return settings;
}

// Named as its label reads, so voice control takes the words the user sees; the longer
// phrase is its description.
QLineEdit* GestureSetupWindow::numberField(const QString& label, const QString& description)
{
    auto field = new QLineEdit(this);
    field->setAccessibleName(label);
    field->setAccessibleDescription(description);
    field->setFixedWidth(56);
    field->setAlignment(Qt::AlignRight);
    return field;
}

QCheckBox* GestureSetupWindow::checkBox(const QString& text, const QString& description)
{
    auto box = new QCheckBox(text, this);
    box->setAccessibleName(text);
    box->setAccessibleDescription(description);
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

QLabel* GestureSetupWindow::fieldLabel(const QString& text, QWidget* buddy)
{
    auto label = new QLabel(text, this);
    label->setAccessibleName(text);
    label->setBuddy(buddy);
    return label;
}

// Tab goes through the controls as the window reads, from the top left, and comes round;
// the drawing area takes the keyboard only from Assign or a click.
void GestureSetupWindow::orderKeyboardWalk()
{
    const QList<QWidget*> walk { moreButton, launchableTypePicker, launchableTableView, conflictWarning->assignAnywayButton,
                                 conflictWarning->drawAgainButton, assignGestureButton, addDrawingButton,
                                 showGestureButton, drawingNumber->removeButton, clearGestureButton, undoClearButton, minimumRecognitionScoreField, readingDelayTimeField,
                                 multitouchOptionField, fullscreenOptionField, quickdrawOptionField, loginStartOptionField };
    for (qsizetype step = 1; step < walk.size(); ++step)
        setTabOrder(walk[step - 1], walk[step]);
}

void GestureSetupWindow::applyLook(QWidget* root)
{
    root->setStyle(m_style.get());
    root->setPalette(AppPalette::palette());
    for (QWidget* child : root->findChildren<QWidget*>())
        child->setStyle(m_style.get());
}

void GestureSetupWindow::present()
{
    setWindowOpacity(0);
    // Each opening starts the keyboard where the user picks a target; from there on it
    // stays wherever the user moves it.
    launchableTableView->setFocus(Qt::OtherFocusReason);
    // The window manager would hand the keyboard over at the mapping.
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    raise();
}

void GestureSetupWindow::takeKeyboard()
{
    activateWindow();
    raise();
}

void GestureSetupWindow::putAway()
{
    hide();
    move(-10000, -10000);
}

void GestureSetupWindow::enableButtons(SetupButtons buttons)
{
    assignGestureButton->setEnabled(buttons.assign);
    addDrawingButton->setEnabled(buttons.addDrawing);
    showGestureButton->setEnabled(buttons.show);
    clearGestureButton->setEnabled(buttons.clear);
}

void GestureSetupWindow::offerUndo(const std::optional<std::string>& clearedName)
{
    undoClearButton->setEnabled(clearedName.has_value());
    // The list may show another target by now; the button says whose drawing comes back.
    QString says = clearedName ? tr("Bring back the gesture for %1").arg(QString::fromStdString(*clearedName)) : QString();
    undoClearButton->setToolTip(says);
    undoClearButton->setAccessibleDescription(says);
}

void GestureSetupWindow::sayWhyTheListIsEmpty()
{
    emptyListNote = EmptyListNote::inside(launchableTableView, tr("Empty list"));
    connect(launchableTableView->model(), &QAbstractItemModel::modelReset, this, [this] {
        size_t kind = size_t(launchableTypePicker->selectedSegment());
        bool empty = launchableTableView->model()->rowCount() == 0 && kind < TargetKinds::all().size();
        EmptyListNote::show(emptyListNote, empty ? tr(TargetKinds::all()[kind].emptyNote) : QString());
    });
}

void GestureSetupWindow::showDrawPrompt(bool show, bool touchpad)
{
    drawNotificationText->setText(touchpad ? tr("Draw now!") : tr("Draw here!"));
    // The label's accessible name says what it is, so a screen reader would not hear the
    // prompt itself without this.
    drawNotificationText->setAccessibleDescription(drawNotificationText->text());
    drawNotificationText->setVisible(show);
}

void GestureSetupWindow::showAssignRefusal(const std::optional<GestureRefusal>& refusal, DrawingUse use)
{
    QString text = refusal ? refusalText(*refusal, use) : QString();
    assignMessageText->setText(text);
    // The name says what the label is, so a screen reader hears the message itself here,
    // as with the drawing prompt.
    assignMessageText->setAccessibleDescription(text);
    assignMessageText->setVisible(!text.isEmpty());
}

QString GestureSetupWindow::refusalText(const GestureRefusal& refusal, DrawingUse use)
{
    bool adding = use == DrawingUse::AddDrawing;
    switch (refusal.reason) {
    case GestureRefusal::Reason::NothingDrawn:
        return adding ? tr("Nothing was drawn, so no drawing was added. Press Add Drawing and draw within four seconds.")
                      : tr("Nothing was drawn, so no gesture was saved. Press Assign and draw within four seconds.");
    case GestureRefusal::Reason::TooShort:
        return adding ? tr("Not added: the drawing is too short to tell apart. Press Add Drawing and draw a longer gesture.")
                      : tr("Not saved: the drawing is too short to tell apart. Press Assign and draw a longer gesture.");
    case GestureRefusal::Reason::StoreFull:
        if (adding)
            return tr("Not added: %1.").arg(QString::fromStdString(refusal.problem));
        return tr("Not saved: Scriblo already keeps %1 gestures, as many as it can. Clear one you no longer use, "
                  "then assign again.").arg(KeyedUnarchiver::maximumGestureCount);
    case GestureRefusal::Reason::Unstorable:
        return (adding ? tr("Not added: %1.") : tr("Not saved: %1.")).arg(QString::fromStdString(refusal.problem));
    case GestureRefusal::Reason::NotWritten:
        return tr("The gesture works now, but it could not be written to disk and may be gone after Scriblo quits.");
    }
    return {};
}

void GestureSetupWindow::setTranslucent(bool translucent)
{
    setAttribute(Qt::WA_TranslucentBackground, translucent);
    backgroundView->setRoundRadius(translucent ? cornerRadius : 0);
}

bool GestureSetupWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate)
        Q_EMIT resignedKey();
    return QWidget::event(event);
}

void GestureSetupWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    backgroundView->setGeometry(rect());
}

namespace {

GeometryRect geometryOf(const QRect& rect)
{
    return { double(rect.x()), double(rect.y()), double(rect.width()), double(rect.height()) };
}

}

void GestureSetupWindow::placeNear(const std::optional<QRect>& trayIcon, QPoint pointer)
{
    std::optional<GeometryRect> icon;
    if (trayIcon)
        icon = geometryOf(*trayIcon);
    QScreen* screen = QGuiApplication::screenAt(trayIcon ? trayIcon->topLeft() : pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    GeometryPoint topLeft = SetupWindowPlacement::topLeft(icon, { double(pointer.x()), double(pointer.y()) }, width(),
                                                          height(), geometryOf(screen->availableGeometry()));
    move(int(topLeft.x), int(topLeft.y));
}

}
