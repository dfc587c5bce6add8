// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <optional>
#include <string>

#include <sys/types.h>

namespace tiklo::bench {

// A process's memory as the kernel counts it, in megabytes: resident pages, and its
// proportional share of them (pages shared with other processes counted in part).
struct ProcessMemory {
    double resident = 0;
    double proportional = 0;

    // Nothing when the process is gone.
    static std::optional<ProcessMemory> of(pid_t pid) {
        std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
        ProcessMemory memory;
        bool found = false;
        for (std::string line; std::getline(rollup, line);) {
            const auto field = [&](const char* name, double& into) {
                if (line.rfind(name, 0) == 0) {
                    into = std::stod(line.substr(std::string(name).size())) / 1024.0;
                    found = true;
                }
            };
            field("Rss:", memory.resident);
            field("Pss:", memory.proportional);
        }
        return found ? std::optional(memory) : std::nullopt;
    }
};

} // namespace tiklo::bench
