// SPDX-License-Identifier: GPL-3.0-or-later
// Building the catalog, its search indexes (emoji, symbols, kaomoji) and its word runs from the
// system's sources in a fresh process:
// each iteration starts this program again (fork and exec) in its child mode, which builds
// everything once and exits, and times the whole child. Each is measured in English only
// and with a second language (German), whose CLDR files add keywords.
#include "catalog/EmojiCatalog.h"
#include "catalog/UserLocale.h"

#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

namespace {

constexpr const char* childFlag = "--build-catalog-once";
const char* selfPath = "/proc/self/exe";
constexpr const char* english = tiklo::UserLocale::none.data();
constexpr const char* german = "de_DE.UTF-8";

int buildOnce(const char* locale) {
    const tiklo::EmojiCatalog catalog(tiklo::CatalogSources::systemDefaults(locale));
    catalog.prepare();
    return catalog.all().empty() ? 1 : 0;
}

void freshProcessBuild(benchmark::State& state, const char* locale) {
    static std::string self = [] {
        char buffer[4096] = {};
        const ssize_t length = readlink(selfPath, buffer, sizeof buffer - 1);
        return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    }();
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            execl(self.c_str(), self.c_str(), childFlag, locale, static_cast<char*>(nullptr));
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
void buildInProcess(benchmark::State& state, const char* locale) {
    const tiklo::CatalogSources sources = tiklo::CatalogSources::systemDefaults(locale);
    for (auto _ : state) {
        const tiklo::EmojiCatalog catalog(sources);
        catalog.prepare();
        benchmark::DoNotOptimize(catalog.index().entries().data());
    }
}

BENCHMARK_CAPTURE(freshProcessBuild, english, english)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(freshProcessBuild, german, german)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(buildInProcess, english, english)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(buildInProcess, german, german)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], childFlag) == 0) {
        return buildOnce(argv[2]);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
