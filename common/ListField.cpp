#include "common/ListField.h"

#include <algorithm>

namespace vrnnec::listfield {

std::string_view ReadListField(std::string_view& rest)
{
    const auto comma = rest.find(',');
    if (comma == std::string_view::npos) {
        const std::string_view field = rest;
        rest = {};
        return field;
    }
    const std::string_view field = rest.substr(0, comma);
    rest.remove_prefix(std::min(rest.size(), comma + 2));
    return field;
}

} // namespace vrnnec::listfield