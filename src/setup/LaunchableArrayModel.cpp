#include "setup/LaunchableArrayModel.h"

#include "core/GestureRecognitionModel.h"

#include <QFont>

namespace scriblo {

LaunchableArrayModel::LaunchableArrayModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void LaunchableArrayModel::setContent(LaunchableListHandle content)
{
    beginResetModel();
    m_content = std::move(content);
    endResetModel();
}

void LaunchableArrayModel::storeChanged()
{
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), { Qt::FontRole, Qt::AccessibleDescriptionRole });
}

bool LaunchableArrayModel::hasGesture(const Launchable& launchable) const
{
    if (!m_store)
        return false;
    auto gestures = m_store->recognizer()->loadedGestures();
    if (gestures != m_markedFrom) {
        m_marked.clear();
        for (const auto& gesture : *gestures)
            m_marked.insert(gesture->identity());
        m_markedFrom = gestures;
    }
    return m_marked.contains(launchable.launchId());
}

std::shared_ptr<Launchable> LaunchableArrayModel::launchableAt(int row) const
{
    if (!m_content || row < 0 || size_t(row) >= m_content->size())
        return nullptr;
    return (*m_content)[size_t(row)];
}

int LaunchableArrayModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_content)
        return 0;
    return int(m_content->size());
}

QVariant LaunchableArrayModel::data(const QModelIndex& index, int role) const
{
    auto launchable = launchableAt(index.row());
    if (!launchable)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return QString::fromStdString(launchable->displayName());
    case Qt::DecorationRole:
        return m_icons.iconFor(launchable->icon());
    case Qt::FontRole:
        if (!hasGesture(*launchable))
            return {};
        {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
    case Qt::AccessibleDescriptionRole:
        return hasGesture(*launchable) ? tr("Has a gesture") : QString();
    default:
        return {};
    }
}

}
