#include "setup/ReplayPaths.h"

namespace scriblo {

void ReplayPaths::clear()
{
    std::lock_guard lock(m_mutex);
    m_paths.clear();
}

void ReplayPaths::beginPath(int32_t key, ViewPoint start)
{
    std::lock_guard lock(m_mutex);
    m_paths.insert_or_assign(key, std::vector<ViewPoint> { start });
}

void ReplayPaths::extendPath(int32_t key, ViewPoint to)
{
    std::lock_guard lock(m_mutex);
    auto path = m_paths.find(key);
    if (path != m_paths.end())
        path->second.push_back(to);
}

CapturedDrawing::Paths ReplayPaths::snapshot() const
{
    std::lock_guard lock(m_mutex);
    return m_paths;
}

}
