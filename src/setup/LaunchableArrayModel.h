#pragma once

#include "appearance/IconResolver.h"
#include "launch/LaunchableCatalogue.h"

#include <QAbstractListModel>

namespace scriblo {

// The list the target table shows, one row per target of the current kind, in order.
// Icons are resolved only for the rows that are drawn.
class LaunchableArrayModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LaunchableArrayModel(QObject* parent = nullptr);

    void setContent(LaunchableListHandle content);
    const LaunchableListHandle& content() const { return m_content; }
    // Null for a row outside the list.
    std::shared_ptr<Launchable> launchableAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    LaunchableListHandle m_content;
    mutable IconResolver m_icons;
};

}
