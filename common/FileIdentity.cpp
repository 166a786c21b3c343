#include "common/FileIdentity.h"

#include <climits>
#include <cstdlib>

#include <sys/stat.h>

namespace vrnnec::fileid {

namespace {

// The path with its existing folders resolved: the deepest existing folder through
// realpath, the rest as spelled.
std::string resolvedPath(const std::string& path)
{
    std::string folder = path;
    std::string rest;
    while (true) {
        char resolved[PATH_MAX];
        if (!folder.empty() && ::realpath(folder.c_str(), resolved))
            return std::string(resolved) + rest;
        const auto slash = folder.rfind('/');
        if (slash == std::string::npos) {
            if (::realpath(".", resolved))
                return std::string(resolved) + "/" + folder + rest;
            return path;
        }
        rest = folder.substr(slash) + rest;
        folder = folder.substr(0, slash);
        if (folder.empty())
            return rest;
    }
}

std::string withArticle(const std::string& role)
{
    const bool vowel = !role.empty() && std::string("aeiou").find(role.front()) != std::string::npos;
    return (vowel ? "an " : "a ") + role;
}

} // namespace

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    const bool aExists = ::stat(a.c_str(), &sa) == 0;
    const bool bExists = ::stat(b.c_str(), &sb) == 0;
    if (aExists && bExists)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (aExists != bExists)
        return false;
    return resolvedPath(a) == resolvedPath(b);
}

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string CheckOutputsAgainstInputs(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs)
{
    for (const NamedFile& out : outputs) {
        if (out.path.empty())
            continue;
        for (const NamedFile& in : inputs)
            if (!in.path.empty() && SameFile(out.path, in.path))
                return "The " + out.role + " " + out.path + " is the " + in.role
                    + (in.path == out.path ? "" : " " + in.path) + " being read; nothing was written.";
    }
    return {};
}

std::string CheckNoFolders(const std::vector<NamedFile>& files)
{
    for (const NamedFile& file : files)
        if (!file.path.empty() && IsFolder(file.path))
            return file.path + " is a folder, not " + withArticle(file.role) + ".";
    return {};
}

} // namespace vrnnec::fileid
