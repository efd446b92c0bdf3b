#pragma once

#include "base/Expected.h"
#include "core/GestureDictionary.h"
#include "core/GestureRefusal.h"
#include "core/GestureRecognizer.h"
#include "core/UserDefaults.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

// The user's gestures, one per launch target, persisted as one keyed archive under
// "Gestures" and kept loaded in a recognizer. Saves, deletes and loads are serialised by
// one lock; recognitions read the recognizer's own snapshot and never wait for them.
class GestureRecognitionModel {
public:
    static constexpr const char* gesturesKey = "Gestures";
    static constexpr int32_t minimumGesturePoints = GestureRecognizer::minimumCandidatePoints;

    // Whether loaded gestures get the templates that recognition needs: a store opened to
    // list, export, delete or print its gestures needs only their strokes, and a full
    // store's templates take most of the time and memory of a load.
    enum class Templates { Build, Skip };

    explicit GestureRecognitionModel(UserDefaults& storage, Templates templates = Templates::Build);

    void setup() { fetchAndLoadGestures(); }
    void fetchAndLoadGestures();

    // Fails when the strokes were not stored: a gesture that `checkStorable` refuses,
    // more than the store holds, or a failed write (the gesture then stays loaded and the
    // next save writes it again). Gives how many identities were new, 0 or 1.
    Expected<size_t, GestureRefusal> saveGestureWithStrokes(std::vector<GestureStroke> strokes, const std::string& identity);
    // Stores all the gestures with one write, or none of them when one is refused or they
    // would take the store past its limit; a later gesture of an identity replaces an
    // earlier one. Returns how many identities were new. A failed write leaves them
    // loaded, as a single save does.
    Expected<size_t, GestureRefusal> saveGestures(std::vector<Gesture> gestures);
    std::shared_ptr<const Gesture> getGestureWithIdentity(const std::string& identity) const;
    // The gesture is gone from memory even when the store could not be written.
    Expected<Done> deleteGestureWithName(const std::string& identity);

    std::shared_ptr<GestureRecognizer> recognizer() const;
    void setRecognizer(std::shared_ptr<GestureRecognizer> recognizer);
    GestureDictionary gestureDictionary() const;
    UserDefaults& storage() const { return m_storage; }

    // What the last load could not read, for messages; empty after a clean load.
    std::vector<std::string> loadProblems() const;
    // Where the damaged value was kept before it was first replaced.
    std::optional<std::string> backupPath() const;

    // Fails, in words for the user, when the gesture cannot be stored.
    static Expected<Done, GestureRefusal> checkStorable(const Gesture& gesture);

private:
    void fetchGestureDictionary();
    void loadGestures();
    // Runs `change` on the gestures as they are stored now and saves them; fails when
    // `change` declined or the store could not be written.
    Expected<Done> saveGestureDictionary(const std::function<bool()>& change);
    bool storeGestureDictionary();
    size_t newIdentityCount(const GestureRecognizer::GestureList& gestures) const;

    UserDefaults& m_storage;
    const Templates m_templates;
    mutable std::mutex m_mutex;
    // Guards only the recognizer pointer, so that a recognition never waits for a save
    // or a load that holds the store's lock.
    mutable std::mutex m_recognizerMutex;
    GestureDictionary m_gestureDictionary;
    std::shared_ptr<GestureRecognizer> m_recognizer { std::make_shared<GestureRecognizer>() };
    // A digest of the stored value as last read or written, to tell whether another
    // process has saved since; a copy of a full archive would hold 90 MiB for it.
    std::optional<uint64_t> m_storedDigest;
    // The store's revision when the digest was taken; while it stands, the stored value
    // is the one digested.
    uint64_t m_storedRevision = 0;
    std::vector<std::string> m_loadProblems;
    bool m_needsBackup { false };
    std::optional<std::string> m_backupPath;
};

}
