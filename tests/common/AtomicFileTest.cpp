#include "common/AtomicFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using atomicfile::AtomicFile;
using atomicfile::WriteFileAtomically;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("vrn_atomic_" + std::to_string(::getpid()) + "_" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string file(const std::string& name) const { return (folder_ / name).string(); }
    std::string write(const std::string& name, const std::string& content) const
    {
        std::ofstream(folder_ / name, std::ios::binary) << content;
        return file(name);
    }
    static std::string read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }
    static unsigned modeOf(const std::string& path)
    {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return st.st_mode & 07777;
    }

    fs::path folder_;
};

TEST_F(AtomicFileTest, ReplacesOrCreatesTheWholeContent)
{
    const std::string binary("a\0b\r\n\xff", 6);
    const struct {
        std::optional<std::string> old;
        std::string bytes;
    } cases[] = {
        {std::nullopt, "new file\n"},
        {"a much longer older content\n", "short"},
        {"old", binary},
        {"something", ""},
        {std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const std::string path = c.old ? write("f", *c.old) : file("f");
        EXPECT_EQ(WriteFileAtomically(path, c.bytes), "");
        EXPECT_EQ(read(path), c.bytes);
        EXPECT_EQ(entries(), 1u) << "a temporary file was left behind";
        fs::remove(path);
    }
}

TEST_F(AtomicFileTest, KeepsTheModeOfTheReplacedFile)
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    EXPECT_EQ(WriteFileAtomically(file("new"), "x"), "");
    EXPECT_EQ(modeOf(file("new")), 0644u & ~mask);

    for (const unsigned mode : {0600u, 0755u, 0640u}) {
        const std::string path = write("f", "old");
        fs::permissions(path, static_cast<fs::perms>(mode));
        EXPECT_EQ(WriteFileAtomically(path, "new"), "");
        EXPECT_EQ(modeOf(path), mode);
    }
}

TEST_F(AtomicFileTest, ALinkKeepsPointingToTheReplacedFile)
{
    const std::string real = write("real", "old");
    fs::create_symlink(real, folder_ / "link");
    EXPECT_EQ(WriteFileAtomically(file("link"), "new"), "");
    EXPECT_TRUE(fs::is_symlink(folder_ / "link"));
    EXPECT_EQ(read(real), "new");
}

// Failures that also happen as root: no folder, a folder in place of the file, a write
// that breaks off at the file size limit (as on a full disk), a discarded file.
TEST_F(AtomicFileTest, FailuresLeaveTheOldFileAndNoTemporaryFile)
{
    EXPECT_NE(WriteFileAtomically(file("no such folder/f"), "x"), "");
    EXPECT_EQ(entries(), 0u);

    fs::create_directory(folder_ / "dir");
    EXPECT_NE(WriteFileAtomically(file("dir"), "x"), "");
    EXPECT_TRUE(fs::is_directory(folder_ / "dir"));
    EXPECT_EQ(entries(), 1u);
    fs::remove(folder_ / "dir");

    const std::string old("old\0content\r\n", 13);
    const std::string path = write("f", old);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::string error = WriteFileAtomically(path, std::string(4096, 'x'));
    AtomicFile streamed(path);
    const bool firstPiece = streamed.write(std::string(60, 'y'));
    const bool secondPiece = streamed.write(std::string(60, 'y'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(error, "");
    EXPECT_TRUE(firstPiece);
    EXPECT_FALSE(secondPiece);
    EXPECT_EQ(streamed.commit(), error) << "the first failure is the reason";
    EXPECT_EQ(read(path), old);
    EXPECT_EQ(entries(), 1u);

    {
        AtomicFile dropped(path);
        EXPECT_TRUE(dropped.write("never committed"));
        EXPECT_EQ(entries(), 2u);
    }
    EXPECT_EQ(read(path), old);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(AtomicFileTest, StreamedPiecesGoInPlaceOnCommit)
{
    const std::string path = write("f", "old");
    AtomicFile out(path);
    ASSERT_EQ(out.error(), "");
    EXPECT_TRUE(out.write("one, "));
    EXPECT_TRUE(out.write("two"));
    EXPECT_EQ(read(path), "old");
    EXPECT_EQ(out.commit(), "");
    EXPECT_EQ(read(path), "one, two");
    EXPECT_EQ(entries(), 1u);
}

} // namespace
