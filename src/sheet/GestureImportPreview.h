#pragma once

#include "core/GestureImportPlan.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace scriblo {

class IconResolver;
class LaunchableCatalogue;

// What an import of a file will do, shown before it does anything: each gesture of the
// file with its drawing and target, whether it is added, replaces the stored one or is
// skipped and why, and which would be mistaken for another target's. One click stores
// them all with one write; Cancel changes nothing.
class GestureImportPreview : public QDialog {
    Q_OBJECT
public:
    GestureImportPreview(GestureImportPlan plan, const QString& fileName, const LaunchableCatalogue& catalogue,
                         IconResolver& icons, QWidget* parent = nullptr);

    const GestureImportPlan& plan() const { return m_plan; }
    QTreeWidget* list() const { return m_list; }
    QLabel* summary() const { return m_summary; }
    QPushButton* importButton() const { return m_import; }

    // A look-alike check of one step has ended; the row and the summary show it.
    void showConflict(size_t step, const std::optional<GestureConflict>& conflict);
    // Whether look-alikes are still being looked for.
    bool checking() const { return m_checked < m_toCheck; }

    static QString summaryOf(const GestureImportPlan& plan);

private:
    QTreeWidgetItem* itemFor(const GestureImportPlan::Step& step, int index);
    QString actionText(const GestureImportPlan::Step& step) const;
    QString noteText(const GestureImportPlan::Step& step) const;
    QString nameOf(const std::string& identity) const;

    void showSummary();

    GestureImportPlan m_plan;
    size_t m_checked = 0;
    size_t m_toCheck = 0;
    const LaunchableCatalogue& m_catalogue;
    IconResolver& m_icons;
    QLabel* m_summary;
    QTreeWidget* m_list;
    QPushButton* m_import;
};

}
