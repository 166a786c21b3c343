#include "common/FileIdentity.h"

#include "common/AtomicFile.h"

#include <climits>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

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

// The folder part of a path as spelled: "." for a bare name, "/" for a file in the root.
std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    const auto end = path.find_last_not_of('/', slash);
    return end == std::string::npos ? "/" : path.substr(0, end + 1);
}

bool writableFolder(const std::string& folder)
{
    return IsFolder(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// Whether the atomic writer can put a file at `path`: a new file or the replacement of a
// regular file goes into the folder of the file (of the file a link leads to).
bool canPutInPlace(const std::string& path, const std::vector<std::string>& madeFolders)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return true;
        char resolved[PATH_MAX];
        return ::realpath(path.c_str(), resolved) && writableFolder(folderOf(resolved));
    }
    if (::lstat(path.c_str(), &st) == 0)
        return true; // a dangling link: left to the writer
    std::string folder = folderOf(path);
    if (IsFolder(folder))
        return writableFolder(folder);
    bool made = false;
    for (const std::string& m : madeFolders)
        made = made || (!m.empty() && path.rfind(m + "/", 0) == 0);
    if (!made)
        return false;
    // The folder is made on the way: the nearest existing one above it takes it.
    while (::lstat(folder.c_str(), &st) != 0 && folder != "." && folder != "/")
        folder = folderOf(folder);
    return writableFolder(folder);
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

std::string CheckOutputFolders(const std::vector<NamedFile>& outputs, const std::vector<std::string>& madeFolders)
{
    for (const NamedFile& file : outputs)
        if (!file.path.empty() && !canPutInPlace(file.path, madeFolders))
            return atomicfile::UnableToWriteMessage(file.path);
    return {};
}

} // namespace vrnnec::fileid
