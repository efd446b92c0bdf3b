#include "sheet/GestureImportPreview.h"

#include "appearance/IconResolver.h"
#include "launch/LaunchableCatalogue.h"
#include "sheet/DrawingItemDelegate.h"
#include "sheet/GestureSheetWindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <QVBoxLayout>

namespace scriblo {

namespace {

constexpr int stepRole = Qt::UserRole;
constexpr int widestTargetColumn = 320;

}

GestureImportPreview::GestureImportPreview(GestureImportPlan plan, const QString& fileName, const LaunchableCatalogue& catalogue,
                                           IconResolver& icons, QWidget* parent)
    : QDialog(parent)
    , m_plan(std::move(plan))
    , m_catalogue(catalogue)
    , m_icons(icons)
    , m_summary(new QLabel(this))
    , m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("Import Gestures from %1").arg(fileName));
    setAccessibleName(windowTitle());
    auto heading = new QLabel(tr("Gestures in %1:").arg(fileName), this);
    heading->setAccessibleName(tr("File"));
    heading->setAccessibleDescription(heading->text());
    m_toCheck = m_plan.steps().size() - m_plan.count(GestureImportPlan::Action::Skip);
    m_summary->setAccessibleName(tr("Summary"));
    showSummary();
    m_list->setAccessibleName(tr("Gestures in the file"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({ tr("Gesture"), tr("Target"), tr("Import"), tr("Note") });
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // A target's name, or an identity standing in for it, may run to thousands of
    // characters: cut in the middle, whole in its tooltip, it leaves the columns after it
    // in view.
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->header()->setSectionResizeMode(1, QHeaderView::Interactive);
    m_list->setItemDelegateForColumn(0, new DrawingItemDelegate(GestureSheetWindow::thumbnailSize, [this](const QModelIndex& index) {
        auto step = index.siblingAtColumn(0).data(stepRole);
        return step.isValid() ? &m_plan.steps().at(step.toULongLong()).gesture.strokes() : nullptr;
    }, m_list));
    for (size_t index = 0; index < m_plan.steps().size(); ++index)
        m_list->addTopLevelItem(itemFor(m_plan.steps()[index], int(index)));
    m_list->resizeColumnToContents(1);
    m_list->setColumnWidth(1, std::min(m_list->columnWidth(1), widestTargetColumn));

    auto buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_import = buttons->addButton(tr("Import"), QDialogButtonBox::AcceptRole);
    m_import->setAccessibleName(tr("Import"));
    m_import->setDefault(true);
    m_import->setEnabled(m_plan.count(GestureImportPlan::Action::Skip) < m_plan.steps().size());
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(760, 480);
}

void GestureImportPreview::showConflict(size_t step, const std::optional<GestureConflict>& conflict)
{
    m_plan.setConflict(step, conflict);
    QTreeWidgetItem* item = m_list->topLevelItem(int(step));
    item->setText(3, noteText(m_plan.steps()[step]));
    item->setToolTip(3, item->text(3));
    ++m_checked;
    showSummary();
}

void GestureImportPreview::showSummary()
{
    QString summary = summaryOf(m_plan);
    if (checking())
        summary += QLatin1Char(' ') + tr("Looking for look-alikes: %1 of %2…").arg(m_checked).arg(m_toCheck);
    m_summary->setText(summary);
    m_summary->setAccessibleDescription(summary);
}

QString GestureImportPreview::summaryOf(const GestureImportPlan& plan)
{
    using Action = GestureImportPlan::Action;
    size_t conflicts = size_t(std::count_if(plan.steps().begin(), plan.steps().end(), [](const auto& step) { return step.conflict.has_value(); }));
    QString summary = tr("%1 to add, %2 to replace, %3 to skip.")
                          .arg(plan.count(Action::Add))
                          .arg(plan.count(Action::Replace))
                          .arg(plan.count(Action::Skip));
    if (conflicts > 0)
        summary += QLatin1Char(' ') + tr("Look-alikes of another target's gesture: %1.").arg(conflicts);
    return summary;
}

QTreeWidgetItem* GestureImportPreview::itemFor(const GestureImportPlan::Step& step, int index)
{
    auto item = new QTreeWidgetItem({ QString(), nameOf(step.gesture.identity()), actionText(step), noteText(step) });
    item->setData(0, stepRole, index);
    item->setData(0, Qt::AccessibleTextRole, tr("Drawing for %1").arg(item->text(1)));
    item->setToolTip(1, QString::fromStdString(step.gesture.identity()));
    item->setToolTip(3, item->text(3));
    if (auto target = m_catalogue.findLaunchableWithId(step.gesture.identity()))
        item->setIcon(1, target->icon().empty() ? m_icons.fallbackIcon() : m_icons.iconFor(target->icon()));
    return item;
}

QString GestureImportPreview::actionText(const GestureImportPlan::Step& step) const
{
    switch (step.action) {
    case GestureImportPlan::Action::Add:
        return tr("Add");
    case GestureImportPlan::Action::Replace:
        return tr("Replace");
    case GestureImportPlan::Action::Skip:
        break;
    }
    return tr("Skip");
}

QString GestureImportPreview::noteText(const GestureImportPlan::Step& step) const
{
    switch (step.skip) {
    case GestureImportPlan::SkipReason::AlreadyStored:
        return tr("Already stored with this drawing");
    case GestureImportPlan::SkipReason::SupersededLater:
        return tr("A later gesture in the file has the same target");
    // The store words its refusals in English, like all its messages.
    case GestureImportPlan::SkipReason::CannotBeStored:
        return tr("Cannot be stored: %1").arg(QString::fromStdString(step.refusal));
    case GestureImportPlan::SkipReason::None:
        break;
    }
    if (!step.conflict)
        return {};
    return tr("Looks like %1 (%2%)").arg(nameOf(step.conflict->identity), QLocale().toString(step.conflict->score));
}

QString GestureImportPreview::nameOf(const std::string& identity) const
{
    auto target = m_catalogue.findLaunchableWithId(identity);
    return QString::fromStdString(target ? target->displayName() : identity);
}

}
