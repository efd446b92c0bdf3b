#include "core/BinaryPropertyListScan.h"

#include <algorithm>

namespace scriblo {

namespace {

constexpr size_t headerSize = 8;
constexpr size_t trailerSize = 32;

bool isArray(uint8_t type) { return type == 0xa || type == 0xb || type == 0xc; }
bool isDictionary(uint8_t type) { return type == 0xd; }

}

Failure BinaryPropertyListScan::damaged(const char* what)
{
    return Failure { std::string("damaged binary property list (") + what + ")" };
}

std::optional<uint64_t> BinaryPropertyListScan::bigEndian(size_t offset, size_t width) const
{
    if (offset > m_bytes.size() || width > m_bytes.size() - offset)
        return std::nullopt;
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i)
        value = (value << 8) | uint8_t(m_bytes[offset + i]);
    return value;
}

std::optional<Failure> BinaryPropertyListScan::readTrailer()
{
    if (m_bytes.size() < headerSize + 1 + trailerSize)
        return damaged("too short");
    size_t trailer = m_bytes.size() - trailerSize;
    m_offsetSize = uint8_t(m_bytes[trailer + 6]);
    m_referenceSize = uint8_t(m_bytes[trailer + 7]);
    m_objectCount = *bigEndian(trailer + 8, 8);
    m_topObject = *bigEndian(trailer + 16, 8);
    m_offsetTable = *bigEndian(trailer + 24, 8);
    if (m_offsetSize < 1 || m_offsetSize > 8 || m_referenceSize < 1 || m_referenceSize > 8)
        return damaged("bad integer sizes in the trailer");
    if (m_objectCount == 0 || m_topObject >= m_objectCount)
        return damaged("bad object count or top object");
    if (m_objectCount > PropertyListShape::maximumNodeCount)
        return PropertyListShape::tooManyNodes();
    if (m_offsetTable < headerSize + 1 || m_offsetTable > trailer || m_objectCount > (trailer - m_offsetTable) / m_offsetSize)
        return damaged("offset table outside the file");
    return std::nullopt;
}

Expected<BinaryPropertyListScan::References> BinaryPropertyListScan::referencesOf(uint64_t object) const
{
    uint64_t offset = *bigEndian(size_t(m_offsetTable + object * m_offsetSize), m_offsetSize);
    if (offset < headerSize || offset >= m_offsetTable)
        return damaged("object outside the object area");
    uint8_t marker = uint8_t(m_bytes[offset]);
    uint8_t type = marker >> 4;
    if (!isArray(type) && !isDictionary(type))
        return References {};
    References references { true, size_t(offset) + 1, marker & 0xfu };
    if (references.count == 0xf) {
        // Longer lists give their length as an integer object of 1, 2, 4 or 8 bytes.
        uint8_t lengthMarker = references.start < m_offsetTable ? uint8_t(m_bytes[references.start]) : 0;
        size_t width = size_t(1) << (lengthMarker & 0xf);
        if (lengthMarker >> 4 != 1 || width > 8)
            return damaged("bad list length");
        auto count = bigEndian(references.start + 1, width);
        if (!count)
            return damaged("bad list length");
        references.count = *count;
        references.start += 1 + width;
    }
    uint64_t room = references.start <= m_offsetTable ? (m_offsetTable - references.start) / m_referenceSize : 0;
    uint64_t perEntry = isDictionary(type) ? 2 : 1;
    if (references.count > room / perEntry)
        return damaged("list runs past the object area");
    references.count *= perEntry;
    return references;
}

std::optional<Failure> BinaryPropertyListScan::enter(uint64_t object)
{
    if (object >= m_objectCount)
        return damaged("reference to a missing object");
    if (m_state[object] == walking)
        return damaged("an object contains itself");
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
        m_shape = { depth, frame.nodeCount };
        return std::nullopt;
    }
    return addChild(frame.nodeCount, depth);
}

Expected<PropertyListShape> BinaryPropertyListScan::measure()
{
    if (auto failure = readTrailer())
        return *failure;
    auto root = referencesOf(m_topObject);
    if (!root)
        return Failure { root.error() };
    if (!root->container)
        return PropertyListShape { 0, 1 };
    m_state.assign(m_objectCount, unvisited);
    m_nodeCounts.assign(m_objectCount, 0);
    m_state[m_topObject] = walking;
    m_stack.push_back(Frame { m_topObject, *root });
    while (!m_stack.empty()) {
        Frame& top = m_stack.back();
        std::optional<Failure> failure;
        if (top.next < top.references.count)
            failure = enter(*bigEndian(top.references.start + top.next++ * m_referenceSize, m_referenceSize));
        else
            failure = finishTop();
        if (failure)
            return *failure;
    }
    return m_shape;
}

}
