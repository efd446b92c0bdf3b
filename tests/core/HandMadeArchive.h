#pragma once

#include "core/UserDefaultsValue.h"

#include <plist/plist.h>

#include <functional>
#include <string>
#include <vector>

namespace scriblo::testing {

// Builds keyed archives object by object, as the platform's archiver lays them out,
// so tests can make both faithful and deliberately broken ones.
class HandMadeArchive {
public:
    HandMadeArchive();
    ~HandMadeArchive();

    uint64_t add(plist_t object);
    uint64_t addClass(const std::string& name, const std::vector<std::string>& superclasses = { "NSObject" });
    uint64_t addPoint(plist_t x, plist_t y, plist_t strokeId);
    uint64_t addArray(const std::vector<uint64_t>& references);
    uint64_t addStroke(uint64_t pointsArray);
    uint64_t addGesture(uint64_t strokesArray, uint64_t identity);
    uint64_t addDictionary(const std::vector<uint64_t>& keys, const std::vector<uint64_t>& values);
    plist_t object(uint64_t index) { return plist_array_get_item(m_objects, uint32_t(index)); }

    Data bytes(uint64_t root);

private:
    plist_t m_objects;
};

// An archive of one valid entry ("good") beside one ("bad") built by `damage`, which
// returns the reference of the damaged gesture object.
Data archiveWithDamagedEntry(const std::function<uint64_t(HandMadeArchive&)>& damage);

}
