#include "core/BinaryPropertyListScan.h"

#include <algorithm>

namespace scriblo {

Expected<BinaryPropertyListScan::References> BinaryPropertyListScan::referencesOf(uint64_t object) const
{
    auto found = m_layout->object(object);
    if (!found)
        return Failure { found.error() };
    uint8_t kind = found->kind();
    if (kind != 0xa && kind != 0xb && kind != 0xc && kind != 0xd)
        return References {};
    return References { true, found->start, found->count * (kind == 0xd ? 2 : 1) };
}

std::optional<Failure> BinaryPropertyListScan::enter(uint64_t object)
{
    if (object >= m_layout->objectCount())
        return BinaryPropertyListLayout::damaged("reference to a missing object");
    if (m_state[object] == walking)
        return BinaryPropertyListLayout::damaged("an object contains itself");
    if (m_state[object] != unvisited)
        return addChild(m_nodeCounts[object], m_state[object] - 1u);
    auto references = referencesOf(object);
    if (!references)
        return Failure { references.error() };
    if (!references->container) {
        m_state[object] = 1;
        m_nodeCounts[object] = 1;
        return addChild(1, 0);
    }
    if (m_stack.size() >= PropertyListShape::maximumDepth)
        return PropertyListShape::tooDeep();
    m_state[object] = walking;
    m_stack.push_back(Frame { object, *references });
    return std::nullopt;
}

std::optional<Failure> BinaryPropertyListScan::addChild(uint64_t nodeCount, uint32_t depth)
{
    Frame& parent = m_stack.back();
    parent.nodeCount += nodeCount;
    if (parent.nodeCount > PropertyListShape::maximumNodeCount)
        return PropertyListShape::tooManyNodes();
    parent.childDepth = std::max(parent.childDepth, depth);
    return std::nullopt;
}

std::optional<Failure> BinaryPropertyListScan::finishTop()
{
    Frame frame = m_stack.back();
    m_stack.pop_back();
    uint32_t depth = frame.childDepth + 1;
    if (depth > PropertyListShape::maximumDepth)
        return PropertyListShape::tooDeep();
    m_state[frame.object] = uint8_t(depth + 1);
    m_nodeCounts[frame.object] = uint32_t(frame.nodeCount);
    if (m_stack.empty()) {
        m_shape = { depth, frame.nodeCount, {} };
        return std::nullopt;
    }
    return addChild(frame.nodeCount, depth);
}

Expected<PropertyListShape> BinaryPropertyListScan::measure()
{
    auto layout = BinaryPropertyListLayout::read(m_bytes);
    if (!layout)
        return Failure { layout.error() };
    m_layout = *layout;
    uint64_t top = m_layout->topObject();
    auto root = referencesOf(top);
    if (!root)
        return Failure { root.error() };
    if (!root->container)
        return PropertyListShape { 0, 1, {} };
    m_state.assign(m_layout->objectCount(), unvisited);
    m_nodeCounts.assign(m_layout->objectCount(), 0);
    m_state[top] = walking;
    m_stack.push_back(Frame { top, *root });
    while (!m_stack.empty()) {
        Frame& top = m_stack.back();
        std::optional<Failure> failure;
        if (top.next < top.references.count)
            failure = enter(m_layout->reference(top.references.start, top.next++));
        else
            failure = finishTop();
        if (failure)
            return *failure;
    }
    return m_shape;
}

}
