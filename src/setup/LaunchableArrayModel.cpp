#include "setup/LaunchableArrayModel.h"

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
    default:
        return {};
    }
}

}
