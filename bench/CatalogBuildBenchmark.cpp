// Building the catalog and its search index from the system's sources in a fresh process:
// each iteration starts this program again (fork and exec) in its child mode, which builds
// everything once and exits, and times the whole child.
#include "EmojiCatalog.h"

#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

namespace {

constexpr const char* childFlag = "--build-catalog-once";
const char* selfPath = "/proc/self/exe";

int buildOnce() {
    const tiklo::EmojiCatalog& catalog = tiklo::EmojiCatalog::shared();
    catalog.index();
    return catalog.all().empty() ? 1 : 0;
}

void freshProcessBuild(benchmark::State& state) {
    static std::string self = [] {
        char buffer[4096] = {};
        const ssize_t length = readlink(selfPath, buffer, sizeof buffer - 1);
        return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    }();
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            execl(self.c_str(), self.c_str(), childFlag, static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child build failed");
            break;
        }
    }
}

// The same work without the process start, for comparison.
void buildInProcess(benchmark::State& state) {
    for (auto _ : state) {
        const tiklo::EmojiCatalog catalog(tiklo::CatalogSources::systemDefaults());
        benchmark::DoNotOptimize(catalog.index().entries().data());
    }
}

BENCHMARK(freshProcessBuild)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK(buildInProcess)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], childFlag) == 0) {
        return buildOnce();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
