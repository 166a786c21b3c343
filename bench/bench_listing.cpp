// The program's own work after the engine has ended, on the listing of the big fixture
// deck (3000 segments, both pattern cuts): reading a classic listing into the results,
// rewriting nec2c's listing into the classic layout, and both together as an engine run
// leaves them to do (the rewrite tool as its own process included).
#include "engine/ClassicListing.h"
#include "engine/ListingReader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vrnnec;

extern char** environ;

namespace {

const std::string kClassicListing = std::string(TEST_DATA_DIR) + "/listings/classic/big.out";
const std::string kNec2cListing = std::string(TEST_DATA_DIR) + "/listings/nec2c/big.out";

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench_listing.XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

engine::EngineOutput readResults(const std::string& path)
{
    engine::ReadingInputs inputs;
    inputs.runNumber = 1;
    inputs.antennaHeight = 30;
    engine::SwrReference reference{50, 0};
    return engine::ReadEngineOutput(path, inputs, reference);
}

void checkResults(benchmark::State& state, const engine::EngineOutput& out)
{
    if (!out.succeeded())
        state.SkipWithError(out.message.c_str());
}

void copyFile(const std::string& from, const std::string& to)
{
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

void BM_ReadClassicListing(benchmark::State& state)
{
    for (auto _ : state) {
        engine::EngineOutput out = readResults(kClassicListing);
        benchmark::DoNotOptimize(out);
        checkResults(state, out);
    }
}
BENCHMARK(BM_ReadClassicListing)->Unit(benchmark::kMillisecond);

void BM_RewriteNec2cListing(benchmark::State& state)
{
    ScratchFolder folder;
    const std::string out = folder.file("Outdata.txo");
    for (auto _ : state) {
        const std::string error = engine::RewriteListingFile(kNec2cListing, out);
        if (!error.empty())
            state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_RewriteNec2cListing)->Unit(benchmark::kMillisecond);

// What follows an engine run: the rewrite in place (as the engine script runs it) and
// the reading of the results.
void BM_RewriteInPlaceAndRead(benchmark::State& state)
{
    ScratchFolder folder;
    const std::string listing = folder.file("Outdata.txo");
    for (auto _ : state) {
        state.PauseTiming();
        copyFile(kNec2cListing, listing);
        state.ResumeTiming();
        const std::string error = engine::RewriteListingFile(listing, listing);
        if (!error.empty())
            state.SkipWithError(error.c_str());
        engine::EngineOutput out = readResults(listing);
        benchmark::DoNotOptimize(out);
        checkResults(state, out);
    }
}
BENCHMARK(BM_RewriteInPlaceAndRead)->Unit(benchmark::kMillisecond);

// The same with the rewrite tool started as its own process.
void BM_ToolProcessAndRead(benchmark::State& state)
{
    ScratchFolder folder;
    const std::string listing = folder.file("Outdata.txo");
    const std::string tool = NEC2C_CLASSIC_TOOL;
    for (auto _ : state) {
        state.PauseTiming();
        copyFile(kNec2cListing, listing);
        state.ResumeTiming();
        char* argv[] = {const_cast<char*>(tool.c_str()), const_cast<char*>(listing.c_str()),
                        const_cast<char*>(listing.c_str()), nullptr};
        pid_t pid = 0;
        int status = 0;
        if (::posix_spawn(&pid, tool.c_str(), nullptr, nullptr, argv, environ) != 0 || ::waitpid(pid, &status, 0) != pid
            || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("nec2c-classic failed");
            break;
        }
        engine::EngineOutput out = readResults(listing);
        benchmark::DoNotOptimize(out);
        checkResults(state, out);
    }
}
BENCHMARK(BM_ToolProcessAndRead)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
