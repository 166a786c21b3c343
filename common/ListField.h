// The comma-field rule of antenna description files.
#pragma once

#include <string_view>

namespace vrnnec::listfield {

// A field ends at the first comma (the whole rest when there is none); the next field
// starts two characters after that comma, so the comma and the one character after it
// are skipped. Further blanks stay as leading blanks of the next field.
// Returns the field and advances `rest` past it.
std::string_view ReadListField(std::string_view& rest);

} // namespace vrnnec::listfield