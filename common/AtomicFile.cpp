#include "common/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrnnec::atomicfile {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The descriptor number when `path` is an entry of a process's descriptor folder
// ("/proc/<pid>/fd/N" whatever the links to that folder), else -1; `own` tells whether
// the process is this one.
int descriptorEntry(const std::string& path, bool& own)
{
    char folder[PATH_MAX];
    if (!::realpath(folderOf(path).c_str(), folder))
        return -1;
    const std::string name = path.substr(path.rfind('/') + 1);
    if (name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const std::string f = folder;
    const std::string pid = std::to_string(::getpid());
    own = f == "/proc/" + pid + "/fd" || f.starts_with("/proc/" + pid + "/task/");
    const bool procFd = f.starts_with("/proc/") && f.ends_with("/fd");
    return procFd ? std::atoi(name.c_str()) : -1;
}

// Follows the symbolic links of `path` one by one to the path that writing through them
// would reach, which may not exist yet. Stops at an entry of a descriptor folder, whose
// "link" names no real path; `descriptor` is then its number.
std::string followLinks(const std::string& path, int& descriptor, bool& own)
{
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) { // as many as the system follows
        descriptor = descriptorEntry(current, own);
        if (descriptor >= 0)
            return current;
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        char next[PATH_MAX];
        const ssize_t size = ::readlink(current.c_str(), next, sizeof next - 1);
        if (size <= 0)
            return current;
        const std::string target(next, static_cast<std::size_t>(size));
        current = target.front() == '/' ? target : folderOf(current) + "/" + target;
    }
    return current;
}

// Creates "<target>.XXXXXX" with a fresh suffix; the mode 0644 goes through the umask.
int createTemporary(const std::string& target, std::string& name)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}() ^ static_cast<unsigned>(::getpid())};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + '.';
        for (int i = 0; i < 6; ++i)
            name += kLetters[pick(random)];
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

AtomicFile::AtomicFile(const std::string& path)
{
    if (path.empty() || path.find('\0') != std::string::npos) {
        fail(ENOENT);
        return;
    }
    int descriptor = -1;
    bool own = false;
    target_ = followLinks(path, descriptor, own);
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        fail(EISDIR); // a folder is never replaced; no need to write anything first
        return;
    }
    // A file made read-only is the user's word that it must not change, even where the
    // folder would let it be replaced (and for root, whom the mode does not stop).
    if (exists && S_ISREG(st.st_mode) && descriptor < 0
        && (::access(path.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0)) {
        fail(EACCES);
        return;
    }
    if (exists && (descriptor >= 0 || !S_ISREG(st.st_mode))) {
        // Written in place: a device, a FIFO, a socket or an open file is never replaced.
        if (descriptor >= 0 && own)
            fd_ = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
        else
            fd_ = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (S_ISREG(st.st_mode) ? O_TRUNC : 0));
        if (fd_ < 0)
            fail(errno);
        return;
    }
    fd_ = createTemporary(target_, temp_);
    if (fd_ < 0) {
        fail(errno);
        temp_.clear();
        return;
    }
    if (exists)
        (void)::fchmod(fd_, st.st_mode & 07777); // where allowed; else the new file's mode stays
}

AtomicFile::~AtomicFile()
{
    if (!done_)
        discard();
}

void AtomicFile::fail(int code)
{
    if (error_.empty())
        error_ = std::strerror(code);
}

bool AtomicFile::write(std::string_view bytes)
{
    if (fd_ < 0 || !error_.empty())
        return false;
    const char* data = bytes.data();
    std::size_t size = bytes.size();
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string AtomicFile::commit()
{
    if (done_)
        return error_;
    const bool inPlace = temp_.empty();
    // A device or a pipe may not take fsync; only a file's own data must reach the disk.
    if (fd_ >= 0 && error_.empty() && ::fsync(fd_) != 0 && !(inPlace && (errno == EINVAL || errno == EROFS)))
        fail(errno);
    if (fd_ >= 0) {
        // The descriptor is gone after close() whatever it reports; it is not retried.
        if (::close(fd_) != 0)
            fail(errno);
        fd_ = -1;
    }
    if (error_.empty() && !inPlace && std::rename(temp_.c_str(), target_.c_str()) != 0)
        fail(errno);
    if (!error_.empty()) {
        discard();
        return error_;
    }
    done_ = true;
    if (inPlace)
        return {};
    temp_.clear();
    // The rename itself reaches the disk with the folder; a failure here changes nothing.
    const int folder = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return {};
}

void AtomicFile::discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_.clear();
    if (error_.empty())
        error_ = "the file was discarded";
    done_ = true;
}

std::string WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    AtomicFile file(path);
    file.write(bytes);
    return file.commit();
}

std::string UnableToWriteMessage(const std::string& path)
{
    return ("Unable to write to " + path).substr(0, 255);
}

int FinishStandardOutput(int code, std::ostream& err)
{
    std::cout.flush();
    const bool failed = std::cout.fail() || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!failed)
        return code;
    err << UnableToWriteMessage("standard output") << "\n";
    return code == 0 ? 1 : code;
}

} // namespace vrnnec::atomicfile