#include "common/AtomicFile.h"
#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include <sys/stat.h>

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
