#pragma once

#include "core/UserDefaultsValue.h"

#include <plist/plist.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace scriblo {

// Writes a property-list tree as "bplist00" bytes. The library's own writer looks every
// node up in a table of fixed size, which makes a store of 1,000 gestures (some 400,000
// nodes) take a second; this one is linear. Like the library's, it writes each distinct
// text once and negative integers in the 8-byte signed form; reals that are exact floats
// take 4 bytes, as the platform's archiver writes them. It takes the node kinds an
// archive holds: dictionaries, arrays, texts, integers, reals and object references.
class BinaryPropertyListWriter {
public:
    static Data write(plist_t root);

private:
    struct Object {
        plist_t node { nullptr };
        std::string text;
        std::vector<uint64_t> references;
    };

    uint64_t add(plist_t node);
    uint64_t addText(std::string text);
    Data bytes() const;
    void writeObject(Data& out, const Object& object) const;
    void writeReferences(Data& out, const std::vector<uint64_t>& references) const;

    std::vector<Object> m_objects;
    std::unordered_map<std::string, uint64_t> m_texts;
    size_t m_referenceSize { 1 };
};

}
