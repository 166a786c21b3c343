#include "common/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrnnec::atomicfile {

namespace {

// The file a symbolic link points to, so that the link itself stays; any other path
// (also a dangling link) is written as it stands.
std::string resolvedTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
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
    target_ = resolvedTarget(path);
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        fail(EISDIR); // a folder is never replaced; no need to write anything first
        return;
    }
    fd_ = createTemporary(target_, temp_);
    if (fd_ < 0) {
        fail(errno);
        temp_.clear();
        return;
    }
    if (exists && S_ISREG(st.st_mode))
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
    if (fd_ >= 0 && error_.empty() && ::fsync(fd_) != 0)
        fail(errno);
    if (fd_ >= 0) {
        // The descriptor is gone after close() whatever it reports; it is not retried.
        if (::close(fd_) != 0)
            fail(errno);
        fd_ = -1;
    }
    if (error_.empty() && std::rename(temp_.c_str(), target_.c_str()) != 0)
        fail(errno);
    if (!error_.empty()) {
        discard();
        return error_;
    }
    temp_.clear();
    done_ = true;
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

} // namespace vrnnec::atomicfile