#include "core/XmlPropertyListScan.h"

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

Expected<PropertyListShape> XmlPropertyListScan::measure()
{
    PropertyListShape shape;
    uint32_t open = 0;
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
