#include "sheet/GestureSheetWindow.h"

#include "appearance/AccessibleRole.h"
#include "appearance/EmptyListNote.h"
#include "core/GestureRecognitionModel.h"
#include "sheet/DrawingItemDelegate.h"
#include "sheet/DrawingThumbnail.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QShortcut>
#include <QToolButton>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace scriblo {

namespace {

// Where an entry row keeps its place in the shown groups.
constexpr int groupRole = Qt::UserRole;
constexpr int entryRole = Qt::UserRole + 1;

}

GestureSheetWindow::GestureSheetWindow(GestureRecognitionModel& model, WorkQueue& writes, const LaunchableCatalogue& catalogue,
                                       TargetNameCache& targetNames, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_model(model)
    , m_writes(writes)
    , m_clears(model, writes)
    , m_catalogue(catalogue)
    , m_targetNames(targetNames)
    , m_search(new QLineEdit(this))
    , m_list(new QTreeWidget(this))
    , m_preview(new QLabel(this))
    , m_clear(new QPushButton(tr("Clear Gesture"), this))
    , m_undo(new QPushButton(tr("Undo"), this))
    , m_drawingChoice(new QComboBox(this))
    , m_removeDrawing(new QPushButton(tr("Remove Drawing"), this))
    , m_status(new QLabel(this))
    , m_emptyList(EmptyListNote::inside(m_list, tr("Empty list")))
{
    AccessibleRole::assign(staticMetaObject, QAccessible::Window);
    setWindowTitle(tr("My Gestures"));
    setAccessibleName(tr("My Gestures"));
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    m_search->setPlaceholderText(tr("Search by name"));
    m_search->setAccessibleName(tr("Search by name"));
    m_search->setClearButtonEnabled(true);
    // Qt's clear button has no text of its own; a screen reader would announce a nameless
    // button.
    for (auto* button : m_search->findChildren<QToolButton*>())
        button->setAccessibleName(tr("Clear search"));
    m_list->setAccessibleName(tr("Stored gestures"));
    m_list->setColumnCount(4);
    m_list->setHeaderLabels({ tr("Gesture"), tr("Target"), tr("Drawings"), tr("Note") });
    m_list->setItemDelegateForColumn(0, new DrawingItemDelegate(thumbnailSize, [this](const QModelIndex& index) {
        const SheetEntry* entry = entryAt(index);
        return entry ? &entry->gesture->strokes() : nullptr;
    }, m_list));
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_preview->setAccessibleName(tr("Selected gesture"));
    m_preview->setFixedSize(previewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    m_clear->setAccessibleName(tr("Clear Gesture"));
    m_undo->setAccessibleName(tr("Undo"));
    m_undo->setEnabled(false);
    m_drawingChoice->setAccessibleName(tr("Drawing shown"));
    m_removeDrawing->setAccessibleName(tr("Remove Drawing"));
    m_removeDrawing->setAccessibleDescription(tr("Remove the drawing shown from its gesture"));
    m_status->setAccessibleName(tr("Status"));
    m_status->setWordWrap(true);
    m_preview->setWordWrap(true);

    auto side = new QVBoxLayout;
    side->addWidget(m_preview);
    side->addWidget(m_drawingChoice);
    side->addWidget(m_removeDrawing);
    side->addWidget(m_clear);
    side->addWidget(m_undo);
    side->addWidget(m_status);
    side->addStretch();
    auto body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addLayout(side);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addLayout(body);
    resize(860, 560);

    connect(m_search, &QLineEdit::textChanged, this, [this] { fillList(); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &GestureSheetWindow::selectionChanged);
    connect(m_clear, &QPushButton::clicked, this, &GestureSheetWindow::clearSelected);
    connect(m_undo, &QPushButton::clicked, this, &GestureSheetWindow::undoClear);
    connect(m_drawingChoice, &QComboBox::currentIndexChanged, this, &GestureSheetWindow::showChosenDrawing);
    connect(m_removeDrawing, &QPushButton::clicked, this, &GestureSheetWindow::removeChosenDrawing);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &GestureSheetWindow::undoClear);
}

void GestureSheetWindow::showStatus(const QString& text)
{
    m_status->setText(text);
    // A screen reader reads a named label's name, not its text.
    m_status->setAccessibleDescription(text);
}

void GestureSheetWindow::reload()
{
    m_clears.forget();
    m_undo->setEnabled(false);
    refill(Selection::First);
}

void GestureSheetWindow::refill(Selection selection)
{
    auto stored = m_model.recognizer()->loadedGestures();
    m_targetNames.learn(*stored, m_catalogue);
    m_groups = GestureSheetContents::of(*stored, m_catalogue, m_targetNames.names());
    fillList(selection);
}

void GestureSheetWindow::showAndRaise()
{
    reload();
    show();
    raise();
    activateWindow();
}

void GestureSheetWindow::fillList(Selection selection)
{
    m_shown = GestureSheetContents::matching(m_groups, m_search->text());
    m_list->clear();
    for (size_t group = 0; group < m_shown.size(); ++group) {
        QTreeWidgetItem* heading = groupItem(m_shown[group]);
        m_list->addTopLevelItem(heading);
        heading->setFirstColumnSpanned(true);
        for (size_t entry = 0; entry < m_shown[group].entries.size(); ++entry) {
            QTreeWidgetItem* row = entryItem(m_shown[group].entries[entry]);
            row->setData(0, groupRole, qulonglong(group));
            row->setData(0, entryRole, qulonglong(entry));
            heading->addChild(row);
        }
    }
    m_list->expandAll();
    // The first gesture shows at once, and the keyboard starts from it.
    if (selection == Selection::First && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0)->child(0));
    size_t count = GestureSheetContents::entryCount(m_shown);
    showStatus(m_groups.empty() ? tr("No gestures are stored yet.")
                      : count == 0     ? tr("No gesture's name holds “%1”.").arg(m_search->text().trimmed())
                      : count == 1     ? tr("1 gesture")
                                       : tr("%1 gestures").arg(count));
    // An empty list says why where the user looks for the rows.
    EmptyListNote::show(m_emptyList, count == 0 ? m_status->text() : QString());
    selectionChanged();
}

QTreeWidgetItem* GestureSheetWindow::groupItem(const SheetGroup& group)
{
    auto item = new QTreeWidgetItem({ group.title });
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

QTreeWidgetItem* GestureSheetWindow::entryItem(const SheetEntry& entry)
{
    auto item = new QTreeWidgetItem({ QString(), entry.name, QLocale().toString(entry.gesture->drawingCount()),
                                      entry.absence ? GestureSheetContents::reason(*entry.absence) : QString() });
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    item->setData(0, Qt::AccessibleTextRole, tr("Drawing for %1").arg(entry.name));
    if (!entry.absence)
        item->setIcon(1, entry.icon.empty() ? m_icons.fallbackIcon() : m_icons.iconFor(entry.icon));
    else
        // The name it was last seen under may be shared; the identity says which it was.
        item->setToolTip(1, QString::fromStdString(entry.identity()));
    return item;
}

const SheetEntry* GestureSheetWindow::entryAt(const QModelIndex& index) const
{
    if (!index.parent().isValid())
        return nullptr;
    auto group = index.siblingAtColumn(0).data(groupRole).toULongLong();
    auto entry = index.siblingAtColumn(0).data(entryRole).toULongLong();
    return &m_shown.at(group).entries.at(entry);
}

const SheetEntry* GestureSheetWindow::selectedEntry() const
{
    auto selected = m_list->selectionModel()->selectedRows();
    return selected.isEmpty() ? nullptr : entryAt(selected.front());
}

void GestureSheetWindow::selectionChanged()
{
    const SheetEntry* entry = selectedEntry();
    m_clear->setEnabled(entry != nullptr && !m_clears.writing() && !m_removing);
    QSignalBlocker quiet(m_drawingChoice);
    m_drawingChoice->clear();
    for (int32_t drawing = 1; entry && drawing <= entry->gesture->drawingCount(); ++drawing)
        m_drawingChoice->addItem(tr("Drawing %1 of %2").arg(drawing).arg(entry->gesture->drawingCount()));
    m_drawingChoice->setEnabled(m_drawingChoice->count() > 1);
    showChosenDrawing();
}

void GestureSheetWindow::showChosenDrawing()
{
    const SheetEntry* entry = selectedEntry();
    int index = m_drawingChoice->currentIndex();
    // A gesture keeps at least one drawing: its last goes with Clear Gesture.
    m_removeDrawing->setEnabled(entry && m_drawingChoice->count() > 1 && !m_clears.writing() && !m_removing);
    if (!entry || index < 0) {
        // An empty well would look like a drawing that failed to show.
        m_preview->setText(tr("Choose a gesture in the list to see its drawing here."));
        m_preview->setAccessibleDescription(m_preview->text());
        return;
    }
    m_preview->setPixmap(DrawingThumbnail::pixmap(entry->gesture->drawing(index), previewSize, devicePixelRatioF()));
    m_preview->setAccessibleDescription(m_drawingChoice->count() > 1
                                            ? tr("Drawing %1 of %2 for %3").arg(index + 1).arg(m_drawingChoice->count()).arg(entry->name)
                                            : tr("Drawing for %1").arg(entry->name));
}

void GestureSheetWindow::removeChosenDrawing()
{
    const SheetEntry* entry = selectedEntry();
    int index = m_drawingChoice->currentIndex();
    if (!entry || index < 0 || m_drawingChoice->count() < 2 || m_clears.writing() || m_removing)
        return;
    m_removing = true;
    disableButtonsWhileWriting();
    m_writes.queueWithOutcome(
        [&model = m_model, identity = entry->gesture->identity(), index] { return model.removeDrawingOfGesture(identity, index); },
        [this, identity = entry->gesture->identity()](const Expected<Done, GestureRefusal>& removed) { drawingGone(identity, removed); });
}

void GestureSheetWindow::drawingGone(const std::string& identity, const Expected<Done, GestureRefusal>& removed)
{
    m_removing = false;
    // Clear's Undo would now bring back a store from before this change.
    reload();
    selectGesture(identity);
    if (!removed)
        return showStatus(tr("The drawing was not removed: %1").arg(QString::fromStdString(removed.error())));
    showStatus(tr("Removed a drawing."));
    Q_EMIT drawingRemoved(QString::fromStdString(identity));
}

void GestureSheetWindow::selectGesture(const std::string& identity)
{
    for (int group = 0; group < m_list->topLevelItemCount(); ++group)
        for (int row = 0; row < m_list->topLevelItem(group)->childCount(); ++row) {
            QTreeWidgetItem* item = m_list->topLevelItem(group)->child(row);
            const SheetEntry* entry = entryAt(m_list->indexFromItem(item));
            if (entry && entry->gesture->identity() == identity)
                return m_list->setCurrentItem(item);
        }
}

void GestureSheetWindow::clearSelected()
{
    const SheetEntry* entry = selectedEntry();
    if (!entry || m_clears.writing())
        return;
    disableButtonsWhileWriting();
    m_clears.clear({ entry->gesture, entry->name.toStdString() },
                   [this](const Cleared& cleared, const Expected<Done>& deleted) { gestureDeleted(cleared, deleted); });
}

void GestureSheetWindow::gestureDeleted(const Cleared& cleared, const Expected<Done>& deleted)
{
    QString name = QString::fromStdString(cleared.name);
    if (!deleted) {
        selectionChanged();
        showStatus(tr("The gesture for %1 was not cleared: %2").arg(name, QString::fromStdString(deleted.error())));
        return;
    }
    // Nothing is selected after a clear, so a second click on Clear never takes another
    // gesture with it.
    refill(Selection::None);
    m_undo->setEnabled(true);
    showStatus(tr("Cleared the gesture for %1.").arg(name));
    Q_EMIT gestureCleared(QString::fromStdString(cleared.gesture->identity()));
}

void GestureSheetWindow::undoClear()
{
    if (!m_clears.canUndo())
        return;
    disableButtonsWhileWriting();
    m_clears.undo([this](const Cleared& cleared, const Expected<Done>& saved) { gestureBroughtBack(cleared, saved); });
}

void GestureSheetWindow::gestureBroughtBack(const Cleared& cleared, const Expected<Done>& saved)
{
    QString name = QString::fromStdString(cleared.name);
    if (!saved) {
        selectionChanged();
        showStatus(tr("The gesture for %1 was not brought back: %2").arg(name, QString::fromStdString(saved.error())));
        return;
    }
    refill(Selection::First);
    showStatus(tr("Brought back the gesture for %1.").arg(name));
    Q_EMIT gestureRestored(QString::fromStdString(cleared.gesture->identity()));
}

// The buttons wait, so a second click cannot act on a gesture about to change.
void GestureSheetWindow::disableButtonsWhileWriting()
{
    m_clear->setEnabled(false);
    m_undo->setEnabled(false);
    m_removeDrawing->setEnabled(false);
}

}
