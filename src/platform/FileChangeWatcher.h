#pragma once

#include <QFileSystemWatcher>
#include <QTimer>

#include <filesystem>

namespace scriblo {

// Tells when the file at a path may have changed, however it changed: written in place,
// replaced by rename, removed, or made again after its folder was removed and made
// again. A notice is a hint: the receiver compares the file with what it last read.
class FileChangeWatcher : public QObject {
    Q_OBJECT
public:
    // A writer in place truncates first and writes after; notices are gathered for this
    // long, so the file is usually read finished rather than empty.
    static constexpr int settleMilliseconds = 50;

    explicit FileChangeWatcher(std::filesystem::path path, QObject* parent = nullptr);

    const std::filesystem::path& path() const { return m_path; }
    // What is watched now, for tests: the file and its folder, or the nearest folder
    // above that still exists.
    QStringList watchedPaths() const;

Q_SIGNALS:
    void changed();

private:
    void rearm();
    std::filesystem::path nearestFolder() const;
    void noticeSeen();

    const std::filesystem::path m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};

}
