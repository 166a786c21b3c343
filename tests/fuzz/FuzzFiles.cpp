#include "tests/fuzz/FuzzFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace vrnnec::fuzz {

namespace {

std::string makeFolder()
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path(error);
    if (error)
        base = "/tmp";
    const fs::path folder = base / ("vrn-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "cannot make the scratch folder %s\n", folder.c_str());
        std::abort();
    }
    return folder.string();
}

struct Folder {
    std::string path = makeFolder();
    ~Folder()
    {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
};

} // namespace

const std::string& ScratchFolder()
{
    static const Folder folder;
    return folder.path;
}

std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = ScratchFolder() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::abort();
    }
    return path;
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace vrnnec::fuzz
