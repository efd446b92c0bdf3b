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

// The user's gestures, one per launch target, persisted as keyed archives, each gesture
// with its first drawing under "Gestures" and the further drawings under
// "GestureDrawings", and kept loaded in a recognizer. Saves, deletes and loads are serialised by
// one lock; recognitions read the recognizer's own snapshot and never wait for them.
class GestureRecognitionModel {
public:
    static constexpr const char* gesturesKey = "Gestures";
    // Beside the first drawings, so that whatever reads only "Gestures" reads the same
    // gestures as before and a store without this value loads as it always did.
    static constexpr const char* moreDrawingsKey = "GestureDrawings";

    // Whether loaded gestures get the templates that recognition needs: a store opened to
    // list, export, delete or print its gestures needs only their strokes, and a full
    // store's templates take most of the time and memory of a load.
    enum class Templates { Build, Skip };

    explicit GestureRecognitionModel(UserDefaults& storage, Templates templates = Templates::Build);

    // Hears how far a read or a write of the whole store has come, gesture by gesture: a
    // full store takes a second or more each way.
    enum class Pass { Reading, Writing };
    using Progress = std::function<void(Pass pass, size_t done, size_t total)>;
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    void setup() { fetchAndLoadGestures(); }
    void fetchAndLoadGestures();

    // Replaces the identity's gesture, all its drawings, with one of these strokes.
    // Fails when the strokes were not stored: a gesture that `GestureStorability` refuses,
    // more than the store holds, or a failed write (the gesture then stays loaded and the
    // next save writes it again). Gives how many identities were new, 0 or 1.
    Expected<size_t, GestureRefusal> saveGestureWithStrokes(std::vector<GestureStroke> strokes, const std::string& identity);
    // Stores all the gestures, each with all its drawings, with one write, or none of them when one is refused or they
    // would take the store past its limit; a later gesture of an identity replaces an
    // earlier one. Returns how many identities were new. A failed write leaves them
    // loaded, as a single save does.
    Expected<size_t, GestureRefusal> saveGestures(std::vector<Gesture> gestures);
    // Puts a gesture back as it was, every drawing under its identity: what an Undo does.
    Expected<Done> restoreGesture(const Gesture& gesture);
    std::shared_ptr<const Gesture> getGestureWithIdentity(const std::string& identity) const;
    // The gesture, all its drawings, is gone from memory even when the store could not
    // be written.
    Expected<Done> deleteGestureWithName(const std::string& identity);
    // Adds a drawing after the gesture's others, with one write. Fails, in words for the
    // user, when the drawing is not storable, the gesture is gone or has all the drawings
    // it keeps, the store's limits refuse it, or the write fails (the drawing then stays
    // loaded, as a save's gesture does).
    Expected<Done, GestureRefusal> addDrawingToGesture(std::vector<GestureStroke> strokes, const std::string& identity);
    // Removes one drawing (0 is the first; the next one then becomes first), with one
    // write. A gesture keeps at least one drawing: Clear removes the gesture itself.
    Expected<Done, GestureRefusal> removeDrawingOfGesture(const std::string& identity, int32_t index);

    std::shared_ptr<GestureRecognizer> recognizer() const;
    void setRecognizer(std::shared_ptr<GestureRecognizer> recognizer);
    GestureDictionary gestureDictionary() const;
    UserDefaults& storage() const { return m_storage; }

    // What the last load could not read, for messages; empty after a clean load.
    std::vector<std::string> loadProblems() const;
    // Where the damaged value was kept before it was first replaced.
    std::optional<std::string> backupPath() const;

private:
    std::function<void(size_t, size_t)> passProgress(Pass pass) const;
    void fetchGestureDictionary();
    void attachMoreDrawings(const UserDefaultsValue& stored);
    void loadGestures();
    // Runs `change` on the gestures as they are stored now and saves them; fails when
    // `change` declined or the store could not be written.
    Expected<Done> saveGestureDictionary(const std::function<bool()>& change);
    Expected<Done> storeGestureDictionary();
    // Runs `change` on a copy of the identity's stored gesture and saves the result.
    Expected<Done, GestureRefusal> changeGesture(const std::string& identity,
                                                 const std::function<Expected<Done, GestureRefusal>(Gesture&)>& change);
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
    std::optional<uint64_t> m_storedMoreDigest;
    // The store's revision when the digest was taken; while it stands, the stored value
    // is the one digested.
    uint64_t m_storedRevision = 0;
    std::vector<std::string> m_loadProblems;
    // The stored values that a load could not wholly read, to back up before the first
    // save replaces them.
    std::vector<const char*> m_keysToBackUp;
    std::optional<std::string> m_backupPath;
    Progress m_progress;
};

}
