#include "platform/FileChangeWatcher.h"

namespace scriblo {

namespace {

QString qPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

}

FileChangeWatcher::FileChangeWatcher(std::filesystem::path path, QObject* parent)
    : QObject(parent)
    , m_path(std::filesystem::absolute(path))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &FileChangeWatcher::changed);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &FileChangeWatcher::noticeSeen);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FileChangeWatcher::noticeSeen);
    rearm();
}

QStringList FileChangeWatcher::watchedPaths() const
{
    return m_watcher.files() + m_watcher.directories();
}

void FileChangeWatcher::noticeSeen()
{
    // Re-armed at once, so nothing that happens while the notices settle goes unseen.
    rearm();
    m_settle.start();
}

// Armed afresh after every notice: a watch follows an inode, so after a replacement by
// rename the old watch looks at a file no longer there, and a removed folder takes its
// watch with it. The folder's watch sees renames and creations, which a watch on the
// file cannot; the file's sees writes in place, which the folder's does not. Without the
// folder, the nearest folder above that exists waits for it to come back.
//
// Each watch is put on before the look below it: a folder or file made a moment before
// its parent's watch took hold is then found by the look, and one made after is noticed,
// so none falls between the two. Looking first and watching after left such a gap, and a
// file made in it was never watched, so its later writes in place went unnoticed.
void FileChangeWatcher::rearm()
{
    QStringList watched = watchedPaths();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    std::error_code error;
    std::filesystem::path folder = nearestFolder();
    m_watcher.addPath(qPath(folder));
    for (std::filesystem::path deeper = nearestFolder(); deeper != folder; deeper = nearestFolder()) {
        folder = deeper;
        m_watcher.addPath(qPath(folder));
    }
    if (folder == m_path.parent_path() && std::filesystem::exists(m_path, error))
        m_watcher.addPath(qPath(m_path));
}

std::filesystem::path FileChangeWatcher::nearestFolder() const
{
    std::error_code error;
    std::filesystem::path folder = m_path.parent_path();
    while (!folder.empty() && !std::filesystem::is_directory(folder, error) && folder != folder.parent_path())
        folder = folder.parent_path();
    return folder;
}

}
