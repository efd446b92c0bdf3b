#include "core/GestureRecognitionModel.h"

#include "core/KeyedArchiver.h"
#include "core/KeyedUnarchiver.h"
#include "core/ParallelRuns.h"
#include "core/Utf8.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string_view>

namespace scriblo {

GestureRecognitionModel::GestureRecognitionModel(UserDefaults& storage, Templates templates)
    : m_storage(storage)
    , m_templates(templates)
{
}

namespace {

// A 64-bit digest of a value, four words at a time in four independent lanes, so the
// multiplications overlap: a full archive's 90 MiB take some 35 ms.
uint64_t digestOf(const UserDefaultsValue& value)
{
    std::string_view bytes;
    std::string text;
    if (const Data* data = value.dataValue()) {
        bytes = std::string_view(reinterpret_cast<const char*>(data->data()), data->size());
    } else {
        // Anything else is small; its kind and value in a few bytes.
        text = std::to_string(value.value().index()) + ":" + std::to_string(value.intValue());
        if (auto string = std::get_if<std::string>(&value.value()))
            text += *string;
        bytes = text;
    }
    uint64_t lanes[4] = { 0x9E3779B97F4A7C15ull ^ bytes.size(), 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull, 0x27D4EB2F165667C5ull };
    auto mix = [](uint64_t& lane, uint64_t word) {
        lane = (lane ^ word) * 0xFF51AFD7ED558CCDull;
        lane ^= lane >> 32;
    };
    size_t at = 0;
    for (; at + 32 <= bytes.size(); at += 32) {
        uint64_t words[4];
        std::memcpy(words, bytes.data() + at, sizeof words);
        for (int lane = 0; lane < 4; ++lane)
            mix(lanes[lane], words[lane]);
    }
    // The tail, zero-padded to whole words, goes into the first lane.
    for (; at < bytes.size(); at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, std::min<size_t>(8, bytes.size() - at));
        mix(lanes[0], word);
    }
    uint64_t digest = lanes[0];
    for (int lane = 1; lane < 4; ++lane)
        mix(digest, lanes[lane]);
    return digest;
}

std::optional<uint64_t> digestOf(const std::optional<UserDefaultsValue>& value)
{
    return value ? std::optional(digestOf(*value)) : std::nullopt;
}

}

// Anything the archive could not read costs only the damaged entries; the stored bytes
// are kept in a backup before they are first replaced.
void GestureRecognitionModel::fetchGestureDictionary()
{
    m_gestureDictionary.clear();
    m_loadProblems.clear();
    m_needsBackup = false;
    // Taken first: a change made while the value is read shows as a newer revision.
    m_storedRevision = m_storage.revision();
    auto stored = m_storage.objectForKey(gesturesKey);
    m_storedDigest = digestOf(stored);
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
    bool stored = false;
    auto written = m_storage.synchronizeChange([&] {
        if (m_storage.revision() != m_storedRevision && digestOf(m_storage.objectForKey(gesturesKey)) != m_storedDigest)
            loadGestures();
        stored = change() && storeGestureDictionary();
    });
    if (!written)
        return Failure { "could not write the gesture store: " + written.error() };
    if (!stored)
        return Failure { "could not write the gesture store" };
    return Done {};
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
    m_storedDigest = digestOf(archive);
    m_storedRevision = m_storage.revision();
    return true;
}

namespace {

GestureRefusal refusal(GestureRefusal::Reason reason, std::string problem)
{
    return { { problem }, reason, problem };
}

}

Expected<Done, GestureRefusal> GestureRecognitionModel::checkStorable(const Gesture& gesture)
{
    using Reason = GestureRefusal::Reason;
    // The archive keeps texts as C strings, so a NUL would cut the identity short and the
    // gesture would replace another one.
    if (gesture.identity().find('\0') != std::string::npos)
        return refusal(Reason::Unstorable, "the identity holds a NUL character");
    if (!isValidUtf8(gesture.identity()))
        return refusal(Reason::Unstorable, "the identity is not valid UTF-8");
    if (gesture.identity().size() > Gesture::maximumIdentityLength)
        return refusal(Reason::Unstorable, "the identity is longer than " + std::to_string(Gesture::maximumIdentityLength) + " bytes");
    const auto& strokes = gesture.strokes();
    int32_t count = gesture.totalPointCount();
    if (strokes.empty())
        return refusal(Reason::NothingDrawn, "there are no strokes");
    if (strokes.size() > size_t(Gesture::maximumStrokeCount))
        return refusal(Reason::Unstorable, "there are more than " + std::to_string(Gesture::maximumStrokeCount) + " strokes");
    for (const auto& stroke : strokes) {
        if (stroke.pointCount() == 0)
            return refusal(count == 0 ? Reason::NothingDrawn : Reason::Unstorable, "a stroke has no points");
        for (const auto& point : stroke.points()) {
            if (!Gesture::isValidCoordinate(point.x()) || !Gesture::isValidCoordinate(point.y()))
                return refusal(Reason::Unstorable, "a coordinate is not a number within ±1e6");
        }
    }
    if (count < minimumGesturePoints || count > Gesture::maximumPointCount)
        return refusal(count < minimumGesturePoints ? Reason::TooShort : Reason::Unstorable,
                       std::to_string(count) + " points, where a gesture needs " + std::to_string(minimumGesturePoints)
                           + " to " + std::to_string(Gesture::maximumPointCount));
    return Done {};
}

Expected<size_t, GestureRefusal> GestureRecognitionModel::saveGestureWithStrokes(std::vector<GestureStroke> strokes, const std::string& identity)
{
    std::vector<Gesture> gestures;
    gestures.emplace_back(identity, std::move(strokes));
    return saveGestures(std::move(gestures));
}

Expected<size_t, GestureRefusal> GestureRecognitionModel::saveGestures(std::vector<Gesture> gestures)
{
    GestureRecognizer::GestureList prepared;
    prepared.reserve(gestures.size());
    for (auto& gesture : gestures) {
        if (auto storable = checkStorable(gesture); !storable) {
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
            refused = refusal(GestureRefusal::Reason::StoreFull, problem);
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
        return refusal(GestureRefusal::Reason::NotWritten, saved.error());
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
