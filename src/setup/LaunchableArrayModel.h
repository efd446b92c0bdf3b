#pragma once

#include "appearance/IconResolver.h"
#include "launch/LaunchableCatalogue.h"

#include <QAbstractListModel>

#include <memory>
#include <string>
#include <unordered_set>

namespace scriblo {

class GestureRecognitionModel;
class Gesture;

// The list the target table shows, one row per target of the current kind, in order.
// Icons are resolved only for the rows that are drawn. A target that has a gesture is
// shown in bold and says so to a screen reader.
class LaunchableArrayModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LaunchableArrayModel(QObject* parent = nullptr);

    void setContent(LaunchableListHandle content);
    void markStoredGestures(const GestureRecognitionModel* model) { m_store = model; }
    // The store changed: every row's mark is asked for again.
    void storeChanged();
    const LaunchableListHandle& content() const { return m_content; }
    // Null for a row outside the list.
    std::shared_ptr<Launchable> launchableAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    bool hasGesture(const Launchable& launchable) const;

    LaunchableListHandle m_content;
    const GestureRecognitionModel* m_store = nullptr;
    // The identities of the stored gestures, read again whenever the store's list of them
    // is another one.
    mutable std::shared_ptr<const std::vector<std::shared_ptr<const Gesture>>> m_markedFrom;
    mutable std::unordered_set<std::string> m_marked;
    mutable IconResolver m_icons;
};

}
