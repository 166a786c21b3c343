#include "app/IniFile.h"

#include "common/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>

namespace vrnnec {

namespace {

std::string_view trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string singleLine(std::string_view value)
{
    std::string result(value);
    std::replace(result.begin(), result.end(), '\r', ' ');
    std::replace(result.begin(), result.end(), '\n', ' ');
    return result;
}

} // namespace

bool IniFile::load(const std::string& path)
{
    sections_.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::string content;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, count);
    // A folder opens but does not read.
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return false;
    parse(content);
    return true;
}

void IniFile::parse(std::string_view text)
{
    sections_.clear();
    sections_.push_back(Section{});
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);

        const std::string_view content = trim(raw);
        if (content.size() >= 2 && content.front() == '[' && content.find(']') != std::string_view::npos) {
            Section section;
            section.name = std::string(trim(content.substr(1, content.find(']') - 1)));
            section.heading = std::string(raw);
            sections_.push_back(std::move(section));
            continue;
        }
        Line line{std::string(raw), {}, {}};
        const std::size_t equals = content.find('=');
        const bool comment = !content.empty() && (content.front() == ';' || content.front() == '#');
        if (!comment && equals != std::string_view::npos && equals > 0) {
            line.key = std::string(trim(content.substr(0, equals)));
            line.value = unquote(trim(content.substr(equals + 1)));
        }
        sections_.back().lines.push_back(std::move(line));
    }
}

const IniFile::Section* IniFile::findSection(std::string_view name) const
{
    for (const Section& section : sections_)
        if (!section.heading.empty() && sameName(section.name, name))
            return &section;
    return nullptr;
}

IniFile::Section* IniFile::findSection(std::string_view name)
{
    return const_cast<Section*>(static_cast<const IniFile*>(this)->findSection(name));
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    if (const Section* found = findSection(section))
        for (const Line& line : found->lines)
            if (!line.key.empty() && sameName(line.key, key))
                return line.value;
    return std::string(defaultValue);
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const
{
    if (const Section* found = findSection(section))
        for (const Line& line : found->lines)
            if (!line.key.empty() && sameName(line.key, key))
                return true;
    return false;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string cleanValue = singleLine(value);
    Section* target = findSection(section);
    if (target == nullptr) {
        Section added;
        added.name = std::string(section);
        added.heading = "[" + added.name + "]";
        sections_.push_back(std::move(added));
        target = &sections_.back();
    }
    for (Line& line : target->lines) {
        if (!line.key.empty() && sameName(line.key, key)) {
            line.value = cleanValue;
            line.raw = line.key + "=" + cleanValue;
            return;
        }
    }
    Line added{std::string(key) + "=" + cleanValue, std::string(key), cleanValue};
    // A new key goes after the section's last entry, before trailing blank lines.
    auto position = target->lines.end();
    while (position != target->lines.begin() && trim(std::prev(position)->raw).empty())
        --position;
    target->lines.insert(position, std::move(added));
}

std::string IniFile::text() const
{
    std::string out;
    for (const Section& section : sections_) {
        if (!section.heading.empty())
            out += section.heading + "\n";
        for (const Line& line : section.lines)
            out += line.raw + "\n";
    }
    return out;
}

bool IniFile::save(const std::string& path) const
{
    return atomicfile::WriteFileAtomically(path, text()).empty();
}

} // namespace vrnnec
