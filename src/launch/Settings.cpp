#include "launch/Settings.h"

#include "core/UserDefaults.h"
#include "launch/LoginItems.h"

#include <QLoggingCategory>
#include <QString>

#include <algorithm>
#include <utility>

namespace scriblo {

namespace {

Q_LOGGING_CATEGORY(settingsStore, "scriblo.settings")

constexpr int32_t defaultMinimumRecognitionScore = 80;
// On a touchpad the strokes are the tracks of fingers drawn together, so the drawing is
// over when the last finger lifts and the delay can be next to nothing. With a mouse the
// strokes come one after another: the user lets the button go and moves to where the next
// one begins, which takes a few hundred milliseconds, and a shorter delay ends the drawing
// after its first stroke.
constexpr int32_t defaultTouchpadReadingDelayTime = 5;
constexpr int32_t defaultMouseReadingDelayTime = 300;

}

Settings::Settings(std::shared_ptr<UserDefaults> storage, std::shared_ptr<LoginItems> loginItems, std::function<bool()> systemIsMultitouchCapable)
    : m_storage(std::move(storage))
    , m_loginItems(std::move(loginItems))
    , m_systemIsMultitouchCapable(std::move(systemIsMultitouchCapable))
{
}

// Each default written on its own would write the whole store once more: six times a
// hundred megabytes for a full store that has none, as one written by the command line.
void Settings::readAllStoringDefaults()
{
    m_missingDefaults.emplace();
    readMinimumRecognitionScore();
    readReadingDelayTime();
    readMultitouchOption();
    readFullscreenOption();
    readLoginStartOption();
    readQuickdrawOption();
    readExplainMissesOption();
    auto missing = std::exchange(m_missingDefaults, std::nullopt);
    if (!missing->empty())
        store("the default settings", std::move(*missing));
}

void Settings::readMinimumRecognitionScore()
{
    readInteger({ minimumRecognitionScoreKey, [] { return defaultMinimumRecognitionScore; },
                  lowestMinimumRecognitionScore, highestMinimumRecognitionScore },
        m_minimumRecognitionScore, &Settings::saveMinimumRecognitionScore);
}

void Settings::readReadingDelayTime()
{
    // Without a touchpad the mouse is what draws, as the multitouch option's default says.
    auto fallback = [this] { return m_systemIsMultitouchCapable() ? defaultTouchpadReadingDelayTime : defaultMouseReadingDelayTime; };
    readInteger({ readingDelayTimeKey, fallback, shortestReadingDelayTime, longestReadingDelayTime },
        m_readingDelayTime, &Settings::saveReadingDelayTime);
}

void Settings::readMultitouchOption()
{
    readBool(multitouchOptionKey, m_multitouchOption, &Settings::saveMultitouchOption, m_systemIsMultitouchCapable);
}

void Settings::readFullscreenOption()
{
    readBool(fullscreenOptionKey, m_fullscreenOption, &Settings::saveFullscreenOption, [] { return false; });
}

void Settings::readQuickdrawOption()
{
    readBool(quickdrawOptionKey, m_quickdrawOption, &Settings::saveQuickdrawOption, [] { return false; });
}

void Settings::readExplainMissesOption()
{
    readBool(explainMissesOptionKey, m_explainMissesOption, &Settings::saveExplainMissesOption, [] { return false; });
}

bool Settings::readLoginStartOption()
{
    m_loginStartOption = m_loginItems->containsApplication();
    return m_loginStartOption;
}

void Settings::saveMinimumRecognitionScore(int32_t score) { saveInteger(minimumRecognitionScoreKey, m_minimumRecognitionScore, score); }
void Settings::saveReadingDelayTime(int32_t milliseconds) { saveInteger(readingDelayTimeKey, m_readingDelayTime, milliseconds); }
void Settings::saveMultitouchOption(bool option) { saveBool(multitouchOptionKey, m_multitouchOption, option); }
void Settings::saveFullscreenOption(bool option) { saveBool(fullscreenOptionKey, m_fullscreenOption, option); }
void Settings::saveQuickdrawOption(bool option) { saveBool(quickdrawOptionKey, m_quickdrawOption, option); }
void Settings::saveExplainMissesOption(bool option) { saveBool(explainMissesOptionKey, m_explainMissesOption, option); }

void Settings::saveLoginStartOption(bool option)
{
    m_loginStartOption = option;
    m_loginItems->setContainsApplication(option);
}

// A hand-edited score of -1 would let every drawing launch something, and a delay of
// zero would end every drawing at once; the nearest accepted value is safe and closest
// to what the user meant.
void Settings::readInteger(const IntegerKey& key, std::atomic<int32_t>& field, void (Settings::*save)(int32_t))
{
    if (auto stored = m_storage->objectForKey(key.name))
        field = int32_t(std::clamp<int64_t>(stored->intValue(), key.lowest, key.highest));
    else
        (this->*save)(key.fallback());
}

void Settings::readBool(const char* key, std::atomic<bool>& field, void (Settings::*save)(bool), const std::function<bool()>& fallback)
{
    if (auto stored = m_storage->objectForKey(key))
        field = stored->boolValue();
    else
        (this->*save)(fallback());
}

void Settings::saveInteger(const char* key, std::atomic<int32_t>& field, int32_t value)
{
    field = value;
    keep(key, [key, value](UserDefaults& storage) { storage.setInteger(value, key); });
}

void Settings::saveBool(const char* key, std::atomic<bool>& field, bool value)
{
    field = value;
    keep(key, [key, value](UserDefaults& storage) { storage.setBool(value, key); });
}

void Settings::keep(const char* key, Setter set)
{
    if (m_missingDefaults)
        return m_missingDefaults->push_back(std::move(set));
    store(key, { std::move(set) });
}

void Settings::store(const char* what, std::vector<Setter> sets)
{
    auto setAndWrite = [this, what, sets = std::move(sets)] {
        for (const auto& set : sets)
            set(*m_storage);
        writeThrough(what);
    };
    if (!m_writes)
        return setAndWrite();
    m_writes->queue(std::move(setAndWrite), [] { });
}

// The value is in use either way; the store keeps it pending and the next write that
// succeeds takes it along.
void Settings::writeThrough(const char* what)
{
    if (m_storage->readOnly())
        return;
    if (auto written = m_storage->synchronize(); !written)
        qCWarning(settingsStore).noquote() << "Could not write" << what << "to the preferences file (" << QString::fromStdString(written.error())
                                           << "); it is used now and written with the next change";
}

}
