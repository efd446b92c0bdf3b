#pragma once

#include "base/WorkQueue.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace scriblo {

class LoginItems;
class UserDefaults;

// The user's settings. They are read from the store once, kept in memory for the
// recognition and input code to read from any thread, and written through to the store
// at every save. A setting absent from the store gets its default, written back at once;
// a stored number outside what the setup window accepts is used at the nearest end of
// that range, and left in the store as it is.
class Settings {
public:
    static constexpr const char* minimumRecognitionScoreKey = "minimumRecognitionScore";
    static constexpr const char* readingDelayTimeKey = "readingDelayTime";
    static constexpr const char* multitouchOptionKey = "multitouchOption";
    static constexpr const char* fullscreenOptionKey = "fullscreenOption";
    static constexpr const char* quickdrawOptionKey = "quickdrawOption";
    static constexpr const char* explainMissesOptionKey = "explainMissesOption";

    // What the setup window accepts, and so the values in use; the store itself takes any
    // value.
    static constexpr int lowestMinimumRecognitionScore = 70;
    static constexpr int highestMinimumRecognitionScore = 100;
    static constexpr int shortestReadingDelayTime = 1;
    static constexpr int longestReadingDelayTime = 1000;

    // `systemIsMultitouchCapable` answers whether a touchpad exists; it is asked only
    // when the multitouch option or the reading delay is absent from the store.
    Settings(std::shared_ptr<UserDefaults> storage, std::shared_ptr<LoginItems> loginItems, std::function<bool()> systemIsMultitouchCapable);

    // Reads every setting from the store; those that are absent get their defaults, which
    // are written to the store at once, in one write.
    void readAllStoringDefaults();
    // The one setting a command reads on its own, storing its default when it is absent.
    void readMinimumRecognitionScore();
    // Whether the autostart entry exists now; the store does not hold it.
    bool readLoginStartOption();
    // From now on a changed setting is put in the store and written there on `writes`,
    // never on the caller's thread: a full gesture store takes a second to write, and
    // the store is held meanwhile. The value is in use at once either way.
    void writeOn(WorkQueue& writes) { m_writes = &writes; }

    void saveMinimumRecognitionScore(int32_t score);
    void saveReadingDelayTime(int32_t milliseconds);
    void saveMultitouchOption(bool option);
    void saveFullscreenOption(bool option);
    void saveQuickdrawOption(bool option);
    void saveLoginStartOption(bool option);
    void saveExplainMissesOption(bool option);

    int32_t minimumRecognitionScore() const { return m_minimumRecognitionScore; }
    int32_t readingDelayTime() const { return m_readingDelayTime; }
    bool multitouchOption() const { return m_multitouchOption; }
    bool fullscreenOption() const { return m_fullscreenOption; }
    bool quickdrawOption() const { return m_quickdrawOption; }
    bool loginStartOption() const { return m_loginStartOption; }
    // A drawing that matched nothing well enough shows its closest target and score for
    // a moment, so the user learns how far off it was.
    bool explainMissesOption() const { return m_explainMissesOption; }

private:
    struct IntegerKey {
        const char* name;
        // Asked only when the key is absent.
        std::function<int32_t()> fallback;
        int32_t lowest;
        int32_t highest;
    };

    // Each reads its setting, storing the default when it is absent.
    void readReadingDelayTime();
    void readMultitouchOption();
    void readFullscreenOption();
    void readQuickdrawOption();
    void readExplainMissesOption();
    void readInteger(const IntegerKey& key, std::atomic<int32_t>& field, void (Settings::*save)(int32_t));
    void readBool(const char* key, std::atomic<bool>& field, void (Settings::*save)(bool), const std::function<bool()>& fallback);
    void saveInteger(const char* key, std::atomic<int32_t>& field, int32_t value);
    void saveBool(const char* key, std::atomic<bool>& field, bool value);
    using Setter = std::function<void(UserDefaults&)>;
    // Stores a changed value, or keeps it for the one write of the defaults being read.
    void keep(const char* key, Setter set);
    void store(const char* what, std::vector<Setter> sets);
    void writeThrough(const char* what);

    const std::shared_ptr<UserDefaults> m_storage;
    const std::shared_ptr<LoginItems> m_loginItems;
    const std::function<bool()> m_systemIsMultitouchCapable;
    WorkQueue* m_writes = nullptr;
    // While every setting is read: the defaults found missing so far.
    std::optional<std::vector<Setter>> m_missingDefaults;
    std::atomic<int32_t> m_minimumRecognitionScore { 0 };
    std::atomic<int32_t> m_readingDelayTime { 0 };
    std::atomic<bool> m_multitouchOption { false };
    std::atomic<bool> m_fullscreenOption { false };
    std::atomic<bool> m_quickdrawOption { false };
    std::atomic<bool> m_loginStartOption { false };
    std::atomic<bool> m_explainMissesOption { false };
};

}
