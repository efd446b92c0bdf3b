#include "FuzzEntryPoints.h"

#include "app/commands/CommandLine.h"
#include "app/commands/GestureJson.h"
#include "core/GestureRecognizer.h"
#include "core/KeyedUnarchiver.h"
#include "core/PlistPointer.h"
#include "launch/ChromeBookmarks.h"
#include "launch/FirefoxBookmarks.h"
#include "launch/SafariBookmarks.h"
#include "multitouch/EvemuRecording.h"
#include "platform/PropertyListNode.h"

#include <cstdlib>
#include <sstream>

namespace scriblo::FuzzEntryPoints {

namespace {

// A stored "Gestures" value at start-up: decoded, made into templates, recognised. The
// further drawings' value is read by the same reader, so the same bytes go to it too.
bool keyedArchive(std::string_view bytes)
{
    auto more = KeyedUnarchiver::unarchiveMoreDrawings(Data(bytes.begin(), bytes.end()));
    if (!more.drawings && more.problems.empty())
        return false;
    auto result = KeyedUnarchiver::unarchiveGestures(Data(bytes.begin(), bytes.end()));
    if (!result.gestures)
        return !result.problems.empty();
    GestureRecognizer recognizer;
    for (const auto& [identity, gesture] : *result.gestures)
        recognizer.addGesture(*gesture);
    for (const auto& [identity, gesture] : *result.gestures)
        recognizer.recognizeGestureWithStrokes(gesture->strokes());
    return true;
}

// The preferences file: parsed, every value taken as a preference, and written back as
// a save would.
bool preferences(std::string_view bytes)
{
    auto root = parsePropertyList(bytes.data(), bytes.size());
    if (!root || plist_get_node_type(root->get()) != PLIST_DICT)
        return true;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(root->get(), &iterator);
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(root->get(), iterator, &key, &value);
        if (!key)
            break;
        std::free(key);
        PropertyListNode::toValue(value);
    }
    std::free(iterator);
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root->get(), &xml, &length);
    plist_to_xml_free(xml);
    return true;
}

bool safariBookmarks(std::string_view bytes)
{
    (void)SafariBookmarks::parse(bytes);
    return true;
}

bool chromeBookmarks(std::string_view bytes)
{
    (void)ChromeBookmarks::parse(bytes);
    return true;
}

bool profilesIni(std::string_view bytes)
{
    FirefoxBookmarks::profileFromIni(bytes, "/profiles");
    return true;
}

bool evemuRecording(std::string_view bytes)
{
    std::istringstream input { std::string(bytes) };
    auto recording = EvemuRecording::parse(input, "fuzz");
    return !recording || recording->description || !recording->events.empty();
}

bool importJson(std::string_view bytes)
{
    try {
        GestureJson::gesturesFromJson(GestureJson::parse(std::string(bytes), "fuzz"), "fuzz");
    } catch (const InputError&) {
    }
    return true;
}

const Target table[] = {
    { "keyed_archive", keyedArchive },
    { "preferences", preferences },
    { "safari_bookmarks", safariBookmarks },
    { "chrome_bookmarks", chromeBookmarks },
    { "profiles_ini", profilesIni },
    { "evemu_recording", evemuRecording },
    { "import_json", importJson },
};

}

std::span<const Target> targets()
{
    return table;
}

}
