#include "core/GestureRecognitionModel.h"

#include "core/GestureStorability.h"
#include "core/GestureStoreBudget.h"
#include "core/StoredValueDigest.h"
#include "core/KeyedArchiver.h"
#include "core/KeyedUnarchiver.h"
#include "core/ParallelRuns.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string_view>

namespace scriblo {

GestureRecognitionModel::GestureRecognitionModel(UserDefaults& storage, Templates templates)
    : m_storage(storage)
    , m_templates(templates)
{
}

namespace {

// Within one save a later gesture of an identity replaces an earlier one.
GestureRecognizer::GestureList lastOfEachIdentity(const GestureRecognizer::GestureList& gestures)
{
    std::map<std::string_view, std::shared_ptr<const Gesture>> last;
    for (const auto& gesture : gestures)
        last[gesture->identity()] = gesture;
    GestureRecognizer::GestureList kept;
    for (const auto& [identity, gesture] : last)
        kept.push_back(gesture);
    return kept;
}

}

// Anything the archive could not read costs only the damaged entries; the stored bytes
// are kept in a backup before they are first replaced.
std::function<void(size_t, size_t)> GestureRecognitionModel::passProgress(Pass pass) const
{
    if (!m_progress)
        return nullptr;
    return [this, pass](size_t done, size_t total) { m_progress(pass, done, total); };
}

void GestureRecognitionModel::fetchGestureDictionary()
{
    m_gestureDictionary.clear();
    m_loadProblems.clear();
    m_keysToBackUp.clear();
    // Taken first: a change made while the value is read shows as a newer revision.
    m_storedRevision = m_storage.revision();
    auto stored = m_storage.objectForKey(gesturesKey);
    auto more = m_storage.objectForKey(moreDrawingsKey);
    m_storedDigest = StoredValueDigest::of(stored);
    m_storedMoreDigest = StoredValueDigest::of(more);
    if (!stored)
        return;
    const Data* data = stored->dataValue();
    // A value that is no archive holds no gestures to keep, and could not be backed up:
    // waiting for a backup would refuse every save for good.
    if (!data) {
        m_loadProblems.push_back("the stored value is not an archive");
        return;
    }
    auto result = KeyedUnarchiver::unarchiveGestures(*data, passProgress(Pass::Reading));
    m_loadProblems = result.problems;
    if (!result.isComplete())
        m_keysToBackUp.push_back(gesturesKey);
    if (result.gestures)
        m_gestureDictionary = std::move(*result.gestures);
    if (more)
        attachMoreDrawings(*more);
}

// The first drawings are loaded whatever becomes of the further ones: damage here costs
// only further drawings. Drawings added to a first drawing that has since been replaced
// (by a program that knows only the first drawings) no longer belong to the gesture.
void GestureRecognitionModel::attachMoreDrawings(const UserDefaultsValue& stored)
{
    const Data* data = stored.dataValue();
    auto result = data ? KeyedUnarchiver::unarchiveMoreDrawings(*data) : KeyedUnarchiver::MoreDrawingsResult {};
    if (!data)
        result.problems.push_back("the stored value is not an archive");
    bool complete = result.isComplete();
    if (result.drawings)
        complete = GestureStoreBudget::attachMoreDrawings(m_gestureDictionary, *result.drawings, result.problems) && complete;
    for (auto& problem : result.problems)
        m_loadProblems.push_back("further drawings: " + problem);
    // A value that is no archive holds no drawings to keep.
    if (!complete && data)
        m_keysToBackUp.push_back(moreDrawingsKey);
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
    // All enter the recognizer in one list: adding them one by one would copy the growing
    // list once per gesture. Copies share the drawn strokes, so only templates are made.
    GestureRecognizer::GestureList gestures;
    gestures.reserve(m_gestureDictionary.size());
    for (auto& [identity, gesture] : m_gestureDictionary)
        gestures.push_back(gesture);
    // Each gesture's templates are its own, so they are made on every processor at once:
    // a full store's take seconds on one.
    if (m_templates == Templates::Build) {
        ParallelRuns::run(gestures.size(), ParallelRuns::processors(), [&](size_t, size_t first, size_t length) {
            for (size_t i = first; i < first + length; ++i) {
                Gesture prepared = gestures[i]->copy();
                prepared.generateTemplates();
                gestures[i] = std::make_shared<const Gesture>(std::move(prepared));
            }
        });
        size_t i = 0;
        for (auto& [identity, gesture] : m_gestureDictionary)
            gesture = gestures[i++];
    }
    auto recognizer = std::make_shared<GestureRecognizer>();
    recognizer->addPreparedGestures(gestures);
    setRecognizer(std::move(recognizer));
}

// Another process may have saved gestures since this one read the store; the archive is
// written whole, so they are taken in before the change, or the write would undo them.
Expected<Done> GestureRecognitionModel::saveGestureDictionary(const std::function<bool()>& change)
{
    bool changed = false;
    Expected<Done> stored = Done {};
    auto written = m_storage.synchronizeChange([&] {
        if (m_storage.revision() != m_storedRevision
            && (StoredValueDigest::of(m_storage.objectForKey(gesturesKey)) != m_storedDigest
                || StoredValueDigest::of(m_storage.objectForKey(moreDrawingsKey)) != m_storedMoreDigest))
            loadGestures();
        changed = change();
        if (changed)
            stored = storeGestureDictionary();
    });
    if (!written)
        return Failure { "could not write the gesture store: " + written.error() };
    if (!changed)
        return Failure { "could not write the gesture store" };
    if (!stored)
        return Failure { "could not write the gesture store: " + stored.error() };
    return Done {};
}

// Both values go into the one write that follows, so the file never holds further
// drawings without the first drawings they belong to.
Expected<Done> GestureRecognitionModel::storeGestureDictionary()
{
    for (const char* key : m_keysToBackUp) {
        auto backup = m_storage.backupObjectForKey(key);
        if (!backup)
            return Failure { backup.error() };
        if (*backup && !m_backupPath)
            m_backupPath = *backup;
    }
    m_keysToBackUp.clear();
    UserDefaultsValue archive(KeyedArchiver::archivedDataWithRootObject(m_gestureDictionary, passProgress(Pass::Writing)));
    m_storage.setObject(archive, gesturesKey);
    m_storedDigest = StoredValueDigest::of(archive);
    if (auto more = KeyedArchiver::archivedMoreDrawings(m_gestureDictionary)) {
        UserDefaultsValue moreArchive(std::move(*more));
        m_storage.setObject(moreArchive, moreDrawingsKey);
        m_storedMoreDigest = StoredValueDigest::of(moreArchive);
    } else {
        // A store whose gestures have one drawing each looks as it always did.
        m_storage.removeObjectForKey(moreDrawingsKey);
        m_storedMoreDigest = std::nullopt;
    }
    m_storedRevision = m_storage.revision();
    return Done {};
}

Expected<size_t, GestureRefusal> GestureRecognitionModel::saveGestureWithStrokes(std::vector<GestureStroke> strokes, const std::string& identity)
{
    std::vector<Gesture> gestures;
    gestures.emplace_back(identity, std::move(strokes));
    return saveGestures(std::move(gestures));
}

Expected<Done> GestureRecognitionModel::restoreGesture(const Gesture& gesture)
{
    std::vector<Gesture> gestures;
    gestures.push_back(gesture.copy());
    if (auto saved = saveGestures(std::move(gestures)); !saved)
        return Failure { saved.error() };
    return Done {};
}

Expected<size_t, GestureRefusal> GestureRecognitionModel::saveGestures(std::vector<Gesture> gestures)
{
    GestureRecognizer::GestureList prepared;
    prepared.reserve(gestures.size());
    for (auto& gesture : gestures) {
        if (auto storable = GestureStorability::check(gesture); !storable) {
            GestureRefusal refused = storable.failure();
            refused.message = "'" + gesture.identity() + "': " + refused.message;
            return refused;
        }
        // Templates are the slow part, so they are made before the lock is taken.
        gesture.generateTemplates();
        prepared.push_back(std::make_shared<const Gesture>(std::move(gesture)));
    }
    // An import whose every gesture was skipped must not create or rewrite the store.
    if (prepared.empty())
        return size_t(0);
    std::lock_guard lock(m_mutex);
    std::optional<GestureRefusal> refused;
    size_t added = 0;
    auto saved = saveGestureDictionary([&] {
        added = newIdentityCount(prepared);
        size_t room = KeyedUnarchiver::maximumGestureCount - std::min(m_gestureDictionary.size(), KeyedUnarchiver::maximumGestureCount);
        if (added > room) {
            std::string problem = std::to_string(added) + (added == 1 ? " new gesture does not fit" : " new gestures do not fit")
                + ": the store holds " + std::to_string(m_gestureDictionary.size()) + " of at most "
                + std::to_string(KeyedUnarchiver::maximumGestureCount) + ", so " + std::to_string(room) + " more fit";
            refused = GestureRefusal::because(GestureRefusal::Reason::StoreFull, problem);
            return false;
        }
        GestureStoreBudget budget(m_gestureDictionary);
        for (const auto& gesture : lastOfEachIdentity(prepared)) {
            if (auto found = m_gestureDictionary.find(gesture->identity()); found != m_gestureDictionary.end())
                budget.remove(*found->second);
            budget.add(*gesture);
        }
        if (auto excess = budget.excess()) {
            refused = GestureRefusal::because(GestureRefusal::Reason::StoreFull, *excess);
            return false;
        }
        for (const auto& gesture : prepared)
            m_gestureDictionary[gesture->identity()] = gesture;
        recognizer()->addPreparedGestures(prepared);
        return true;
    });
    if (refused)
        return *refused;
    if (!saved)
        return GestureRefusal::because(GestureRefusal::Reason::NotWritten, saved.error());
    return added;
}

size_t GestureRecognitionModel::newIdentityCount(const GestureRecognizer::GestureList& gestures) const
{
    std::set<std::string_view> identities;
    for (const auto& gesture : gestures) {
        if (!m_gestureDictionary.contains(gesture->identity()))
            identities.insert(gesture->identity());
    }
    return identities.size();
}

// Read from the recognizer's published list, which holds the same gestures, rather than
// under the store's lock: a window asking while a full store is written on a worker
// would otherwise wait out the write.
std::shared_ptr<const Gesture> GestureRecognitionModel::getGestureWithIdentity(const std::string& identity) const
{
    auto gestures = recognizer()->loadedGestures();
    auto found = std::find_if(gestures->begin(), gestures->end(), [&](const auto& gesture) { return gesture->identity() == identity; });
    if (found == gestures->end() || (*found)->strokes().empty())
        return nullptr;
    return *found;
}

Expected<Done> GestureRecognitionModel::deleteGestureWithName(const std::string& identity)
{
    std::lock_guard lock(m_mutex);
    auto saved = saveGestureDictionary([&] {
        m_gestureDictionary.erase(identity);
        recognizer()->removeGestureWithIdentity(identity);
        return true;
    });
    if (!saved)
        return Failure { saved.error() };
    return Done {};
}

Expected<Done, GestureRefusal> GestureRecognitionModel::addDrawingToGesture(std::vector<GestureStroke> strokes, const std::string& identity)
{
    using Reason = GestureRefusal::Reason;
    if (auto storable = GestureStorability::checkDrawing(strokes); !storable)
        return storable;
    size_t strokeCount = strokes.size();
    int64_t pointCount = Gesture::pointCountOf(strokes);
    return changeGesture(identity, [&](Gesture& gesture) -> Expected<Done, GestureRefusal> {
        if (gesture.drawingCount() >= Gesture::maximumDrawingCount)
            return GestureRefusal::because(Reason::Unstorable,
                           "the gesture already has " + std::to_string(Gesture::maximumDrawingCount) + " drawings, the most it keeps");
        if (!GestureStoreBudget(m_gestureDictionary).fitsDrawing(strokeCount, pointCount))
            return GestureRefusal::because(Reason::StoreFull, "the store is full: its drawings may hold " + std::to_string(KeyedUnarchiver::maximumPointCountOfAllDrawings)
                               + " points and make " + std::to_string(KeyedUnarchiver::maximumTemplateCountOfAllDrawings) + " templates in all");
        gesture.addDrawing(std::move(strokes));
        return Done {};
    });
}

Expected<Done, GestureRefusal> GestureRecognitionModel::removeDrawingOfGesture(const std::string& identity, int32_t index)
{
    using Reason = GestureRefusal::Reason;
    return changeGesture(identity, [&](Gesture& gesture) -> Expected<Done, GestureRefusal> {
        if (index < 0 || index >= gesture.drawingCount())
            return GestureRefusal::because(Reason::Unstorable, "the gesture has no drawing " + std::to_string(index + 1));
        if (gesture.drawingCount() == 1)
            return GestureRefusal::because(Reason::Unstorable, "a gesture keeps at least one drawing; clear it to remove it");
        gesture.removeDrawing(index);
        return Done {};
    });
}

// The gesture keeps its place in the recognizer's list, so ties among gestures go as
// before the change, and its other drawings keep their templates.
Expected<Done, GestureRefusal> GestureRecognitionModel::changeGesture(const std::string& identity,
                                                                      const std::function<Expected<Done, GestureRefusal>(Gesture&)>& change)
{
    std::lock_guard lock(m_mutex);
    std::optional<GestureRefusal> refused;
    auto saved = saveGestureDictionary([&] {
        auto found = m_gestureDictionary.find(identity);
        if (found == m_gestureDictionary.end()) {
            refused = GestureRefusal::because(GestureRefusal::Reason::Unstorable, "there is no gesture for this target any more");
            return false;
        }
        Gesture changed = *found->second;
        if (auto done = change(changed); !done) {
            refused = done.failure();
            return false;
        }
        changed.generateTemplates();
        found->second = std::make_shared<const Gesture>(std::move(changed));
        recognizer()->replacePreparedGesture(found->second);
        return true;
    });
    if (refused)
        return *refused;
    if (!saved)
        return GestureRefusal::because(GestureRefusal::Reason::NotWritten, saved.error());
    return Done {};
}

std::shared_ptr<GestureRecognizer> GestureRecognitionModel::recognizer() const
{
    std::lock_guard lock(m_recognizerMutex);
    return m_recognizer;
}

void GestureRecognitionModel::setRecognizer(std::shared_ptr<GestureRecognizer> recognizer)
{
    std::lock_guard lock(m_recognizerMutex);
    m_recognizer = std::move(recognizer);
}

GestureDictionary GestureRecognitionModel::gestureDictionary() const
{
    GestureDictionary gestures;
    for (const auto& gesture : *recognizer()->loadedGestures())
        gestures.emplace(gesture->identity(), gesture);
    return gestures;
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
