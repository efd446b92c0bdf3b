#include "setup/LastDrawingWindow.h"

#include "core/GestureRecognitionModel.h"
#include "launch/LaunchableCatalogue.h"
#include "sheet/DrawingThumbnail.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace scriblo {

LastDrawingWindow::LastDrawingWindow(GestureRecognitionModel& model, WorkQueue& writes, const LaunchableCatalogue& catalogue,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_model(model)
    , m_writes(writes)
    , m_catalogue(catalogue)
    , m_additions(model, writes)
    , m_drawing(new QLabel(this))
    , m_outcome(new QLabel(this))
    , m_choiceRows(new QVBoxLayout)
    , m_undo(new QPushButton(tr("Undo"), this))
    , m_status(new QLabel(this))
{
    setWindowTitle(tr("Last Drawing"));
    setAccessibleName(tr("Last Drawing"));
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    m_drawing->setAccessibleName(tr("Last drawing"));
    m_drawing->setFixedSize(drawingSize);
    m_drawing->setAlignment(Qt::AlignCenter);
    m_drawing->setWordWrap(true);
    m_outcome->setAccessibleName(tr("Outcome"));
    m_outcome->setWordWrap(true);
    m_undo->setAccessibleName(tr("Undo"));
    m_undo->setEnabled(false);
    m_status->setAccessibleName(tr("Status"));
    m_status->setWordWrap(true);
    auto closest = new QLabel(tr("Closest gestures:"), this);
    closest->setAccessibleName(closest->text());

    auto side = new QVBoxLayout;
    side->addWidget(m_outcome);
    side->addWidget(closest);
    side->addLayout(m_choiceRows);
    side->addStretch();
    auto undoRow = new QHBoxLayout;
    undoRow->addWidget(m_status, 1);
    undoRow->addWidget(m_undo, 0, Qt::AlignTop);
    side->addLayout(undoRow);
    auto layout = new QHBoxLayout(this);
    layout->addWidget(m_drawing, 0, Qt::AlignTop);
    layout->addLayout(side, 1);
    resize(620, 240);

    connect(m_undo, &QPushButton::clicked, this, &LastDrawingWindow::undo);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &LastDrawingWindow::undo);
}

void LastDrawingWindow::showAndRaise()
{
    show();
    raise();
    activateWindow();
}

void LastDrawingWindow::showDrawing(const std::optional<LastDrawing>& drawing)
{
    m_last = drawing;
    showStatus({});
    if (!m_last) {
        // An empty well would look like a drawing that failed to show.
        m_drawing->setText(tr("Nothing drawn yet: the next gesture you draw shows here."));
        m_drawing->setAccessibleDescription(m_drawing->text());
        m_outcome->clear();
        m_outcome->setAccessibleDescription({});
    } else {
        m_drawing->setPixmap(DrawingThumbnail::pixmap(m_last->strokes, drawingSize, devicePixelRatioF()));
        m_drawing->setAccessibleDescription(tr("The drawing you made last"));
        m_outcome->setText(outcomeText(*m_last));
        // A screen reader reads a named label's name, not its text.
        m_outcome->setAccessibleDescription(m_outcome->text());
    }
    fillChoices();
}

QString LastDrawingWindow::outcomeText(const LastDrawing& drawing) const
{
    const QLocale locale;
    QString name = nameOf(drawing.identity);
    switch (drawing.outcome) {
    case MatchOutcome::TargetFound:
        return tr("It launched %1 (%2%).").arg(name, locale.toString(drawing.score));
    case MatchOutcome::BelowMinimum:
        return tr("It launched nothing: %1 came closest with %2%, and %3% is needed.")
            .arg(name, locale.toString(drawing.score), locale.toString(drawing.minimumScore));
    case MatchOutcome::NoMatch:
        return tr("It launched nothing: no stored gesture is like it.");
    case MatchOutcome::TargetMissing:
    case MatchOutcome::TargetCannotRun:
    case MatchOutcome::TargetGone:
        return tr("It matched %1, which could not be launched.").arg(name);
    }
    return {};
}

QString LastDrawingWindow::nameOf(const std::string& identity) const
{
    auto target = m_catalogue.findLaunchableWithId(identity);
    return QString::fromStdString(target ? target->displayName() : identity);
}

// The closest gestures are sought over the whole store, which takes a while for a large
// one: on the store's queue, after any write still pending, so they are the store's as
// it will be.
void LastDrawingWindow::fillChoices()
{
    // Later, as the click that led here may still be on its way out of the button.
    for (QPushButton* button : m_addButtons) {
        button->parentWidget()->hide();
        button->parentWidget()->deleteLater();
    }
    m_addButtons.clear();
    m_choices.clear();
    enableButtons();
    if (!m_last)
        return;
    int asked = ++m_choicesAsked;
    m_writes.queueWithOutcome([recognizer = m_model.recognizer(), drawing = *m_last] { return LastDrawingChoices::of(drawing, *recognizer); },
                              [this, asked](std::vector<LastDrawingChoices::Choice> choices) {
                                  // A newer drawing or change asked again meanwhile.
                                  if (asked != m_choicesAsked)
                                      return;
                                  m_choices = std::move(choices);
                                  for (const auto& choice : m_choices)
                                      addChoice(choice);
                                  enableButtons();
                              });
}

void LastDrawingWindow::addChoice(const LastDrawingChoices::Choice& choice)
{
    QString name = nameOf(choice.identity);
    auto row = new QWidget(this);
    auto line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto score = new QLabel(tr("%1 – %2%", "a gesture the last drawing is like: name, score").arg(name, QLocale().toString(choice.score)), row);
    score->setAccessibleName(score->text());
    auto add = new QPushButton(tr("Add to %1").arg(name), row);
    add->setAccessibleName(add->text());
    add->setAccessibleDescription(choice.full ? tr("%1 keeps as many drawings as it can").arg(name)
                                              : tr("Add this drawing to the gesture for %1").arg(name));
    line->addWidget(score, 1);
    line->addWidget(add);
    m_choiceRows->addWidget(row);
    m_addButtons.push_back(add);
    connect(add, &QPushButton::clicked, this, [this, identity = choice.identity] { addTo(identity); });
}

void LastDrawingWindow::addTo(const std::string& identity)
{
    // The store refuses, in words shown here, a gesture that is gone or full by now.
    if (!m_last || m_additions.writing())
        return;
    m_undo->setEnabled(false);
    for (QPushButton* button : m_addButtons)
        button->setEnabled(false);
    m_additions.add(m_last->strokes, { identity, nameOf(identity).toStdString() },
                    [this](const auto& added, const auto& refusal) { this->added(added, refusal); });
}

void LastDrawingWindow::added(const UndoableAddition::Added& added, const std::optional<GestureRefusal>& refusal)
{
    QString name = QString::fromStdString(added.name);
    if (refusal) {
        enableButtons();
        QString why = refusal->reason == GestureRefusal::Reason::Unstorable ? QString::fromStdString(refusal->problem)
                                                                           : tr("the drawing is too short to tell apart");
        return showStatus(tr("Not added to %1: %2.").arg(name, why));
    }
    fillChoices();
    showStatus(tr("Added the drawing to %1.").arg(name));
    Q_EMIT gestureChanged();
}

void LastDrawingWindow::undo()
{
    if (!m_additions.canUndo())
        return;
    m_undo->setEnabled(false);
    m_additions.undo([this](const auto& added, const auto& saved) { undone(added, saved); });
}

void LastDrawingWindow::undone(const UndoableAddition::Added& added, const Expected<Done>& saved)
{
    QString name = QString::fromStdString(added.name);
    fillChoices();
    if (!saved)
        return showStatus(tr("The drawing was not taken back from %1: %2").arg(name, QString::fromStdString(saved.error())));
    showStatus(tr("Took the drawing back from %1.").arg(name));
    Q_EMIT gestureChanged();
}

void LastDrawingWindow::storeChanged()
{
    m_additions.forget();
    fillChoices();
}

// The buttons wait while the store is written, so a second click cannot add twice.
void LastDrawingWindow::enableButtons()
{
    for (size_t index = 0; index < m_addButtons.size(); ++index)
        m_addButtons[index]->setEnabled(!m_choices[index].full && !m_additions.writing());
    m_undo->setEnabled(m_additions.canUndo());
    auto last = m_additions.lastAdded();
    // The button says whose drawing it takes back, as the list may show others by now.
    QString says = last && m_undo->isEnabled() ? tr("Take the drawing back from %1").arg(QString::fromStdString(last->name)) : QString();
    m_undo->setToolTip(says);
    m_undo->setAccessibleDescription(says);
}

void LastDrawingWindow::showStatus(const QString& text)
{
    m_status->setText(text);
    m_status->setAccessibleDescription(text);
}

}
