#include "common/AtomicFile.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vrnnec;

namespace fs = std::filesystem;
using atomicfile::AtomicFile;
using atomicfile::WriteFileAtomically;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(::mkdtemp(folder_.data()), nullptr); }
    void TearDown() override { fs::remove_all(folder_); }

    std::string file(const std::string& name) const { return folder_ + "/" + name; }
    std::string write(const std::string& name, const std::string& content) const
    {
        std::ofstream(file(name), std::ios::binary) << content;
        return file(name);
    }
    static std::string read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    long entries() const { return std::distance(fs::directory_iterator(folder_), {}); }
    static unsigned modeOf(const std::string& path) { return unsigned(fs::status(path).permissions()); }

    std::string folder_ = (fs::temp_directory_path() / "vrn_atomic_XXXXXX").string();
};

TEST_F(AtomicFileTest, ReplacesOrCreatesTheWholeContent)
{
    const struct {
        std::optional<std::string> old;
        std::string bytes;
    } cases[] = {
        {std::nullopt, "new file\n"},
        {"a much longer older content\n", "short"},
        {"old", std::string("a\0b\r\n\xff", 6)},
        {"something", ""},
        {std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const std::string path = c.old ? write("f", *c.old) : file("f");
        EXPECT_EQ(WriteFileAtomically(path, c.bytes), "");
        EXPECT_EQ(read(path), c.bytes);
        EXPECT_EQ(entries(), 1) << "a temporary file was left behind";
        fs::remove(path);
    }

    // Pieces streamed into the file appear only with the commit.
    AtomicFile out(write("f", "old"));
    EXPECT_TRUE(out.write("one, ") && out.write("two"));
    EXPECT_EQ(read(file("f")), "old");
    EXPECT_EQ(out.commit(), "");
    EXPECT_EQ(read(file("f")), "one, two");
    EXPECT_EQ(entries(), 1);
}

TEST_F(AtomicFileTest, KeepsTheModeOfTheReplacedFileAndLinks)
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    EXPECT_EQ(WriteFileAtomically(file("new"), "x"), "");
    EXPECT_EQ(modeOf(file("new")), 0644u & ~mask);
    for (const unsigned mode : {0600u, 0755u, 0640u}) {
        fs::permissions(write("f", "old"), fs::perms(mode));
        EXPECT_EQ(WriteFileAtomically(file("f"), "new"), "");
        EXPECT_EQ(modeOf(file("f")), mode);
    }

    // A read-only file stays as it is, also for root and also through a link; its
    // folder holds no temporary file.
    for (const unsigned mode : {0444u, 0400u, 0555u}) {
        fs::permissions(write("ro", "kept"), fs::perms(mode));
        EXPECT_NE(WriteFileAtomically(file("ro"), "new"), "") << std::oct << mode;
        EXPECT_EQ(read(file("ro")), "kept");
        EXPECT_EQ(modeOf(file("ro")), mode);
        fs::remove(file("ro.link"));
        fs::create_symlink(file("ro"), file("ro.link"));
        EXPECT_NE(WriteFileAtomically(file("ro.link"), "new"), "");
        EXPECT_EQ(read(file("ro")), "kept");
        fs::permissions(file("ro"), fs::perms(0644));
    }
    fs::remove(file("ro"));
    fs::remove(file("ro.link"));

    fs::create_symlink(file("f"), file("link"));
    EXPECT_EQ(WriteFileAtomically(file("link"), "through the link"), "");
    EXPECT_TRUE(fs::is_symlink(file("link")));
    EXPECT_EQ(read(file("f")), "through the link");
}

// Failures that also happen as root: no folder, a folder in place of the file, a write
// that breaks off at the file size limit (as on a full disk), a file never committed.
TEST_F(AtomicFileTest, FailuresLeaveTheOldFileAndNoTemporaryFile)
{
    EXPECT_NE(WriteFileAtomically(file("no such folder/f"), "x"), "");
    EXPECT_EQ(entries(), 0);

    fs::create_directory(file("dir"));
    EXPECT_NE(AtomicFile(file("dir")).error(), "") << "refused before anything is written";
    EXPECT_NE(WriteFileAtomically(file("dir"), "x"), "");
    EXPECT_TRUE(fs::is_directory(file("dir")));
    EXPECT_EQ(entries(), 1);
    fs::remove(file("dir"));

    const std::string old("old\0content\r\n", 13);
    const std::string path = write("f", old);
    {
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.active());
        const std::string error = WriteFileAtomically(path, std::string(4096, 'x'));
        EXPECT_NE(error, "");
        AtomicFile streamed(path);
        EXPECT_TRUE(streamed.write(std::string(60, 'y')));
        EXPECT_FALSE(streamed.write(std::string(60, 'y')));
        EXPECT_EQ(streamed.commit(), error) << "the first failure is the reason";
    }
    EXPECT_EQ(read(path), old);
    EXPECT_EQ(entries(), 1);

    {
        AtomicFile dropped(path);
        EXPECT_TRUE(dropped.write("never committed"));
        EXPECT_EQ(entries(), 2);
    }
    EXPECT_EQ(read(path), old);
    EXPECT_EQ(entries(), 1);
}

} // namespace

namespace {

// A FIFO read to its end by a second thread while the writer writes. It is opened
// without waiting for a writer, so a writer that never comes fails the test, not hangs it.
class FifoReader {
public:
    explicit FifoReader(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK)), thread_([this] {
              const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
              char buffer[256];
              while (fd_ >= 0 && std::chrono::steady_clock::now() < deadline) {
                  const ssize_t n = ::read(fd_, buffer, sizeof buffer);
                  if (n > 0)
                      bytes_.append(buffer, static_cast<std::size_t>(n));
                  else if (n == 0 && !bytes_.empty())
                      break; // the writer has closed
                  else
                      std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          })
    {}
    ~FifoReader()
    {
        if (thread_.joinable())
            thread_.join();
        if (fd_ >= 0)
            ::close(fd_);
    }
    std::string bytes()
    {
        thread_.join();
        return bytes_;
    }

private:
    int fd_;
    std::string bytes_;
    std::thread thread_;
};

bool isFifo(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

} // namespace

// Whatever is not a regular file is written into and stays what it is; a link stays a link.
TEST_F(AtomicFileTest, AFifoIsWrittenInPlaceDirectlyAndThroughLinks)
{
    ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0600), 0);
    fs::create_symlink(file("fifo"), file("link"));
    fs::create_symlink("link", file("link2")); // relative, and a link to a link
    for (const std::string name : {"fifo", "link", "link2"}) {
        SCOPED_TRACE(name);
        FifoReader reader(file("fifo"));
        EXPECT_EQ(WriteFileAtomically(file(name), "through " + name), "");
        EXPECT_EQ(reader.bytes(), "through " + name);
        EXPECT_TRUE(isFifo(file("fifo")));
        EXPECT_EQ(entries(), 3) << "no temporary file and nothing replaced";
    }
    EXPECT_TRUE(fs::is_symlink(file("link")) && fs::is_symlink(file("link2")));
}

TEST_F(AtomicFileTest, DescriptorsOfThisProcessAreWrittenWhereTheyStand)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string fd = std::to_string(ends[1]);
    const int appended = ::open(file("log").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    ASSERT_GE(appended, 0);
    ASSERT_EQ(::write(appended, "header\n", 7), 7);
    struct stat before {};
    ASSERT_EQ(::stat(file("log").c_str(), &before), 0);
    fs::create_symlink("/dev/fd/" + std::to_string(appended), file("out"));

    const struct {
        std::string path;
        std::string bytes;
    } cases[] = {
        {"/proc/self/fd/" + fd, "one "},
        {"/dev/fd/" + fd, "two "},
        {"/proc/" + std::to_string(::getpid()) + "/fd/" + fd, "three"},
        {"/proc/self/fd/" + std::to_string(appended), "body\n"},
        {file("out"), "tail\n"}, // a link to a descriptor: the open file again, appended to
    };
    for (const auto& c : cases)
        EXPECT_EQ(WriteFileAtomically(c.path, c.bytes), "") << c.path;
    ::close(ends[1]);
    ::close(appended);
    char buffer[64] = {};
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(::read(ends[0], buffer, sizeof buffer))), "one two three");
    ::close(ends[0]);
    EXPECT_EQ(read(file("log")), "header\nbody\ntail\n") << "the redirection's position holds";
    struct stat after {};
    ASSERT_EQ(::stat(file("log").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the open file was not replaced";
    EXPECT_TRUE(fs::is_symlink(file("out")));
}

TEST_F(AtomicFileTest, ASocketIsNeverReplacedAndADanglingLinkGetsItsFile)
{
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const std::string socketPath = file("sock");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_NE(WriteFileAtomically(socketPath, "x"), "") << "a socket file cannot be opened";
    EXPECT_TRUE(fs::is_socket(socketPath));
    ::close(server);

    fs::create_symlink("made.txt", file("dangling"));
    EXPECT_EQ(WriteFileAtomically(file("dangling"), "new"), "");
    EXPECT_TRUE(fs::is_symlink(file("dangling")));
    EXPECT_EQ(read(file("made.txt")), "new");
}

// A private device node in the scratch folder: the machine's own /dev stays untouched.
TEST_F(AtomicFileTest, ACharacterDeviceIsWrittenIntoNotReplaced)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "making a device node needs root";
    ASSERT_EQ(::mknod(file("null").c_str(), S_IFCHR | 0600, makedev(1, 3)), 0);
    fs::create_symlink(file("null"), file("link"));
    for (const std::string name : {"null", "link"}) {
        EXPECT_EQ(WriteFileAtomically(file(name), "discarded by the device"), "") << name;
        EXPECT_TRUE(fs::is_character_file(file("null")));
        EXPECT_TRUE(fs::is_symlink(file("link")));
        EXPECT_EQ(entries(), 2);
    }
}
