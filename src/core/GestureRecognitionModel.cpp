#include "core/GestureRecognitionModel.h"

#include "core/KeyedArchiver.h"
#include "core/KeyedUnarchiver.h"

namespace scriblo {

GestureRecognitionModel::GestureRecognitionModel(UserDefaults& storage)
    : m_storage(storage)
{
}

// Anything the archive could not read costs only the damaged entries; the stored bytes
// are kept in a backup before they are first replaced.
void GestureRecognitionModel::fetchGestureDictionary()
{
    m_gestureDictionary.clear();
    m_loadProblems.clear();
    m_needsBackup = false;
    auto stored = m_storage.objectForKey(gesturesKey);
    m_storedValue = stored;
    if (!stored)
        return;
    const Data* data = stored->dataValue();
    if (!data) {
        m_loadProblems.push_back("the stored value is not an archive");
        m_needsBackup = true;
        return;
    }
    auto result = KeyedUnarchiver::unarchiveGestures(*data);
    m_loadProblems = result.problems;
    m_needsBackup = !result.isComplete();
    if (result.gestures)
        m_gestureDictionary = std::move(*result.gestures);
}

void GestureRecognitionModel::fetchAndLoadGestures()
{
    std::lock_guard lock(m_mutex);
    loadGestures();
}

// A partly damaged archive is not rewritten here: loading is reading, and reading never
// writes. The first save backs the stored value up and then writes the valid gestures.
void GestureRecognitionModel::loadGestures()
{
    fetchGestureDictionary();
    auto recognizer = std::make_shared<GestureRecognizer>();
    for (auto& [identity, gesture] : m_gestureDictionary)
        gesture = recognizer->addGesture(*gesture);
    setGestureDetector(std::move(recognizer));
}

// Another process may have saved gestures since this one read the store; the archive is
// written whole, so they are taken in before the change, or the write would undo them.
bool GestureRecognitionModel::saveGestureDictionary(const std::function<bool()>& change)
{
    bool stored = false;
    bool synchronized = m_storage.synchronizeChange([&] {
        if (m_storage.objectForKey(gesturesKey) != m_storedValue)
            loadGestures();
        stored = change() && storeGestureDictionary();
    });
    return stored && synchronized;
}

bool GestureRecognitionModel::storeGestureDictionary()
{
    if (m_needsBackup) {
        m_backupPath = m_storage.backupObjectForKey(gesturesKey);
        if (!m_backupPath && m_storage.objectForKey(gesturesKey))
            return false;
        m_needsBackup = false;
    }
    UserDefaultsValue archive(KeyedArchiver::archivedDataWithRootObject(m_gestureDictionary));
    m_storage.setObject(archive, gesturesKey);
    m_storedValue = std::move(archive);
    return true;
}

bool GestureRecognitionModel::isStorable(const std::vector<GestureStroke>& strokes)
{
    if (strokes.empty() || strokes.size() > size_t(Gesture::maximumStrokeCount))
        return false;
    int32_t count = 0;
    for (const auto& stroke : strokes) {
        if (stroke.pointCount() == 0)
            return false;
        count += stroke.pointCount();
        for (const auto& point : stroke.points()) {
            if (!Gesture::isValidCoordinate(point.x()) || !Gesture::isValidCoordinate(point.y()))
                return false;
        }
    }
    return count >= minimumGesturePoints && count <= Gesture::maximumPointCount;
}

bool GestureRecognitionModel::saveGestureWithStrokes(std::vector<GestureStroke> strokes, const std::string& identity)
{
    if (!isStorable(strokes))
        return false;
    Gesture gesture(identity, std::move(strokes));
    std::lock_guard lock(m_mutex);
    return saveGestureDictionary([&] {
        bool isNew = !m_gestureDictionary.contains(identity);
        if (isNew && m_gestureDictionary.size() >= KeyedUnarchiver::maximumGestureCount)
            return false;
        m_gestureDictionary[identity] = gestureDetector()->addGesture(std::move(gesture));
        return true;
    });
}

std::shared_ptr<const Gesture> GestureRecognitionModel::getGestureWithIdentity(const std::string& identity) const
{
    std::lock_guard lock(m_mutex);
    auto found = m_gestureDictionary.find(identity);
    if (found == m_gestureDictionary.end() || found->second->strokes().empty())
        return nullptr;
    return found->second;
}

bool GestureRecognitionModel::deleteGestureWithName(const std::string& identity)
{
    std::lock_guard lock(m_mutex);
    bool saved = saveGestureDictionary([&] {
        m_gestureDictionary.erase(identity);
        return true;
    });
    gestureDetector()->removeGestureWithIdentity(identity);
    return saved;
}

std::shared_ptr<GestureRecognizer> GestureRecognitionModel::gestureDetector() const
{
    std::lock_guard lock(m_detectorMutex);
    return m_gestureDetector;
}

void GestureRecognitionModel::setGestureDetector(std::shared_ptr<GestureRecognizer> detector)
{
    std::lock_guard lock(m_detectorMutex);
    m_gestureDetector = std::move(detector);
}

GestureDictionary GestureRecognitionModel::gestureDictionary() const
{
    std::lock_guard lock(m_mutex);
    return m_gestureDictionary;
}

std::vector<std::string> GestureRecognitionModel::loadProblems() const
{
    std::lock_guard lock(m_mutex);
    return m_loadProblems;
}

std::optional<std::string> GestureRecognitionModel::backupPath() const
{
    std::lock_guard lock(m_mutex);
    return m_backupPath;
}

}
