#pragma once

#include "core/BinaryPropertyListLayout.h"
#include "core/PropertyListShape.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace scriblo {

// Measures a binary property list through its trailer and offset table, following
// object references without expanding them: each object's subtree size and depth are
// worked out once and reused at every further reference, so the walk is linear in the
// file however often objects are shared. The walk keeps its own stack, bounded by the
// depth limit, and refuses reference cycles.
class BinaryPropertyListScan {
public:
    explicit BinaryPropertyListScan(std::string_view bytes) : m_bytes(bytes) { }

    Expected<PropertyListShape> measure();

private:
    // The references an array or dictionary holds: `count` of `m_referenceSize` bytes
    // from `start`. Other objects hold none.
    struct References {
        bool container = false;
        size_t start = 0;
        uint64_t count = 0;
    };
    struct Frame {
        uint64_t object;
        References references;
        uint64_t next = 0;
        uint64_t nodeCount = 1;
        uint32_t childDepth = 0;
    };
    // What is known of an object: not yet reached, being walked, or measured.
    static constexpr uint8_t unvisited = 0;
    static constexpr uint8_t walking = 0xff;

    Expected<References> referencesOf(uint64_t object) const;
    // Takes the next child of the frame on top of the stack.
    std::optional<Failure> enter(uint64_t object);
    // Adds a measured child to the frame on top of the stack.
    std::optional<Failure> addChild(uint64_t nodeCount, uint32_t depth);
    std::optional<Failure> finishTop();

    std::string_view m_bytes;
    std::optional<BinaryPropertyListLayout> m_layout;
    std::vector<Frame> m_stack;
    // Per object: `unvisited`, `walking`, or its depth plus one.
    std::vector<uint8_t> m_state;
    std::vector<uint32_t> m_nodeCounts;
    PropertyListShape m_shape;
};

}
