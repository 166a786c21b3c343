// Writing a file so that it is either fully replaced or left as it was.
//
// A regular file, or one that does not exist yet: the bytes go to a temporary file in
// the same folder as the target ("<path>.XXXXXX"), which is flushed to the disk, closed
// and then renamed over the target. A target that is a symbolic link keeps its link:
// the file it points to is replaced (a dangling link gets the file it names). The new
// file keeps the permission bits of the file it replaces; a new file gets 0644 less the
// umask. On any failure the temporary file is removed and an existing target stays
// byte for byte as it was.
//
// Anything else that exists (a character or block device, a FIFO, a socket), also when
// reached through links, and every file named through an open descriptor of a process
// ("/proc/self/fd/N", "/dev/fd/N", "/dev/stdout") is never replaced: it is opened and
// written in place, as a shell redirection would. A descriptor of this process is
// duplicated, so a redirection's position and append mode hold.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace vrnnec::atomicfile {

// A file written piece by piece and put in place by commit(). Destroying it without a
// commit discards what was written.
class AtomicFile {
public:
    // Creates the temporary file beside `path`; error() tells when that failed or when
    // `path` is a folder.
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends the bytes; false once anything has failed.
    bool write(std::string_view bytes);

    // Flushes, closes and renames the temporary file over the target. Empty on success,
    // else the reason of the first failure (also of an earlier write); after a failure
    // nothing of this file is left. Only the first call does anything.
    std::string commit();

    // Drops the temporary file; the target is not touched (written in place, what was
    // written stays).
    void discard();

    // The reason of the first failure, empty while everything went well.
    const std::string& error() const { return error_; }

private:
    void fail(int code);

    std::string target_;
    std::string temp_; // empty when writing in place
    int fd_ = -1;
    bool done_ = false;
    std::string error_;
};

// Writes `bytes` as the whole content of `path`. Empty on success, else a short reason.
std::string WriteFileAtomically(const std::string& path, std::string_view bytes);

// The message shown for a file that could not be written: "Unable to write to " + path,
// cut to 255 characters.
std::string UnableToWriteMessage(const std::string& path);

// The end of a command-line tool: flushes its standard output. When what it printed did
// not all get there (a full disk, a closed descriptor), says "Unable to write to standard
// output" on `err` and turns an exit code of 0 into 1; otherwise returns `code`.
int FinishStandardOutput(int code, std::ostream& err);

} // namespace vrnnec::atomicfile