#include "core/XmlPropertyListScan.h"

#include <algorithm>

namespace scriblo {

size_t XmlPropertyListScan::skipPast(size_t position, std::string_view terminator) const
{
    size_t found = m_text.find(terminator, position);
    return found == std::string_view::npos ? m_text.size() : found + terminator.size();
}

std::string_view XmlPropertyListScan::nameAt(size_t position) const
{
    size_t end = position;
    while (end < m_text.size() && ((m_text[end] >= 'a' && m_text[end] <= 'z') || (m_text[end] >= 'A' && m_text[end] <= 'Z')))
        ++end;
    return m_text.substr(position, end - position);
}

// Only text up to the next markup counts: a value broken by a comment or a CDATA
// section is left whole to libplist. The scan goes on from that markup, so that the
// value's text is searched once.
size_t XmlPropertyListScan::noteLargeData(size_t contentStart, PropertyListShape& shape) const
{
    size_t contentEnd = std::min(m_text.find('<', contentStart), m_text.size());
    if (contentEnd - contentStart >= PropertyListShape::largeDataText && m_text.substr(contentEnd).starts_with("</data>"))
        shape.largeRootData.push_back({ contentStart, contentEnd - contentStart });
    return contentEnd;
}

Expected<PropertyListShape> XmlPropertyListScan::measure()
{
    PropertyListShape shape;
    uint32_t open = 0;
    // The first container opened, which libplist returns.
    std::string_view root;
    for (size_t position = m_text.find('<'); position < m_text.size(); position = m_text.find('<', position)) {
        std::string_view rest = m_text.substr(position);
        if (rest.starts_with("<!--")) {
            position = skipPast(position + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            position = skipPast(position + 9, "]]>");
        } else if (rest.starts_with("<?") || rest.starts_with("<!")) {
            position = skipPast(position + 2, ">");
        } else if (rest.starts_with("</")) {
            if (isContainer(nameAt(position + 2)) && open > 0)
                --open;
            position = skipPast(position + 2, ">");
        } else {
            std::string_view name = nameAt(position + 1);
            size_t end = skipPast(position + 1, ">");
            bool selfClosing = end >= 2 && m_text[end - 1] == '>' && m_text[end - 2] == '/';
            if (name != "plist" && ++shape.nodeCount > PropertyListShape::maximumNodeCount)
                return PropertyListShape::tooManyNodes();
            if (name == "data" && !selfClosing && open == 1 && root == "dict")
                end = noteLargeData(end, shape);
            if (isContainer(name) && root.empty())
                root = name;
            if (isContainer(name) && !selfClosing && ++open > shape.depth) {
                shape.depth = open;
                if (shape.depth > PropertyListShape::maximumDepth)
                    return PropertyListShape::tooDeep();
            }
            position = end;
        }
    }
    return shape;
}

}
