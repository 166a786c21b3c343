#include "engine/ClassicFields.h"

#include "common/NumberText.h"

namespace vrnnec::engine::classicfields {

namespace {

void putRight(std::string& line, const std::string& text, int width)
{
    if (static_cast<int>(text.size()) < width)
        line.append(static_cast<std::size_t>(width) - text.size(), ' ');
    line += text;
}

} // namespace

void putI(std::string& line, long long value, int width)
{
    putRight(line, std::to_string(value), width);
}

void putF(std::string& line, double value, int width, int decimals, bool negative)
{
    std::string text;
    for (int d = decimals; d >= 0; --d) {
        text = numtext::decimals(value, d);
        if (negative && text.front() != '-')
            text.insert(text.begin(), '-');
        if (static_cast<int>(text.size()) <= width)
            break;
    }
    putRight(line, text, width);
}

void putE(std::string& line, double value, int width, int decimals)
{
    std::string text;
    for (int p = decimals + 1; p >= 1; --p) {
        text = numtext::exponent(value, p, 2);
        if (static_cast<int>(text.size()) <= width)
            break;
    }
    putRight(line, text, width);
}

void putA(std::string& line, std::string_view text, int width)
{
    line += text;
    if (static_cast<int>(text.size()) < width)
        line.append(static_cast<std::size_t>(width) - text.size(), ' ');
}

} // namespace vrnnec::engine::classicfields