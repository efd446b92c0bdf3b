#pragma once

#include "appearance/IconResolver.h"
#include "base/Expected.h"
#include "base/WorkQueue.h"
#include "core/GestureRefusal.h"
#include "sheet/GestureSheetContents.h"
#include "sheet/UndoableClear.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QModelIndex;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace scriblo {

class GestureRecognitionModel;
class LaunchableCatalogue;

// Every stored gesture at a glance: its drawing, its target, the target's kind and how
// many drawings it keeps, each of which can be looked at and removed, with a search by
// name. Gestures whose target is unavailable are listed too, with the reason,
// and can be looked at and cleared here, which the setup window cannot do since it lists
// only the targets there are.
class GestureSheetWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize thumbnailSize { 72, 48 };
    static constexpr QSize previewSize { 300, 200 };

    // Clear and its Undo write the store on `writes`. Each fill teaches `targetNames` the
    // names of the targets there are, and names those out of reach from it.
    GestureSheetWindow(GestureRecognitionModel& model, WorkQueue& writes, const LaunchableCatalogue& catalogue,
                       TargetNameCache& targetNames, QWidget* parent = nullptr);

    // Reads the store and the catalogue afresh; the search stays as it is. A clear can
    // no longer be undone: the store may have changed since.
    void reload();
    void showAndRaise();

    QLineEdit* searchField() const { return m_search; }
    QTreeWidget* list() const { return m_list; }
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* undoButton() const { return m_undo; }
    QComboBox* drawingChoice() const { return m_drawingChoice; }
    QPushButton* removeDrawingButton() const { return m_removeDrawing; }
    QLabel* preview() const { return m_preview; }
    QLabel* status() const { return m_status; }
    QLabel* emptyListNote() const { return m_emptyList; }

Q_SIGNALS:
    // A gesture was deleted from the store here.
    void gestureCleared(QString identity);
    // The gesture cleared last was stored again.
    void gestureRestored(QString identity);
    // One drawing of a gesture was removed here.
    void drawingRemoved(QString identity);

private:
    // What is selected once the list is filled again.
    enum class Selection { First, None };
    using Cleared = UndoableClear::Cleared;

    void refill(Selection selection);
    void fillList(Selection selection = Selection::First);
    void showStatus(const QString& text);
    QTreeWidgetItem* groupItem(const SheetGroup& group);
    QTreeWidgetItem* entryItem(const SheetEntry& entry);
    const SheetEntry* entryAt(const QModelIndex& index) const;
    const SheetEntry* selectedEntry() const;
    void selectionChanged();
    void showChosenDrawing();
    void removeChosenDrawing();
    void drawingGone(const std::string& identity, const Expected<Done, GestureRefusal>& removed);
    void selectGesture(const std::string& identity);
    void clearSelected();
    void undoClear();
    void gestureDeleted(const Cleared& cleared, const Expected<Done>& deleted);
    void gestureBroughtBack(const Cleared& cleared, const Expected<Done>& saved);
    // A full store takes a second or two to write; the list stays usable meanwhile.
    void disableButtonsWhileWriting();

    GestureRecognitionModel& m_model;
    WorkQueue& m_writes;
    UndoableClear m_clears;
    bool m_removing = false;
    const LaunchableCatalogue& m_catalogue;
    TargetNameCache& m_targetNames;
    IconResolver m_icons;
    std::vector<SheetGroup> m_groups;
    std::vector<SheetGroup> m_shown;
    QLineEdit* m_search;
    QTreeWidget* m_list;
    QLabel* m_preview;
    QPushButton* m_clear;
    QPushButton* m_undo;
    QComboBox* m_drawingChoice;
    QPushButton* m_removeDrawing;
    QLabel* m_status;
    QLabel* m_emptyList;
};

}
