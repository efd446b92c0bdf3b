#include "app/commands/TabSeparated.h"

namespace scriblo {

std::string TabSeparated::escaped(std::string_view field)
{
    std::string result;
    result.reserve(field.size());
    for (char character : field) {
        switch (character) {
        case '\t': result += "\\t"; break;
        case '\n': result += "\\n"; break;
        case '\r': result += "\\r"; break;
        case '\\': result += "\\\\"; break;
        default: result += character;
        }
    }
    return result;
}

}
